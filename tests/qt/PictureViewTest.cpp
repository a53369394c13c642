#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "art/ArtLoader.h"
#include "ui/BoardPicture.h"
#include "ui/qt/MainForm.h"
#include "ui/qt/PictureView.h"

namespace quenlow {
namespace {

QRgb PaletteColour(std::uint8_t index) {
  return 0xFF000000u | kPaletteRgb[index & 0x0F];
}

// Where the view's 32-bit copy first differs from the picture's palette colours, or "".
std::string FirstStalePixel(const BoardPicture& picture, const QImage& copy) {
  for (int y = 0; y < BoardPicture::kHeight; ++y)
    for (int x = 0; x < BoardPicture::kWidth; ++x)
      if (copy.pixel(x, y) != PaletteColour(picture.Pixel(x, y)))
        return std::to_string(x) + "," + std::to_string(y);
  return {};
}

// A checkerboard smears into grey at once if the picture is smoothed on its way up.
void ExpectEvenBlocksAtTwiceTheSize(QWidget& view, const QImage& picture) {
  QImage screen(picture.size() * 2, QImage::Format_RGB32);
  screen.setDevicePixelRatio(2);
  view.render(&screen);
  for (int y = 0; y < screen.height(); y += 7)
    for (int x = 0; x < screen.width(); x += 5)
      ASSERT_EQ(screen.pixel(x, y), picture.pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(PictureView, ScaledScreenShowsEveryPicturePixelAsAnEvenBlock) {
  QImage picture(BoardPicture::kWidth, BoardPicture::kHeight, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 128));
  PictureView view;
  view.resize(picture.size());
  view.SetImage(picture);
  ExpectEvenBlocksAtTwiceTheSize(view, picture);
}

TEST(BoardView, ScaledScreenShowsEveryPicturePixelAsAnEvenBlock) {
  IndexedImage checkers{BoardPicture::kWidth, BoardPicture::kHeight, {}};
  for (int y = 0; y < checkers.Height; ++y)
    for (int x = 0; x < checkers.Width; ++x)
      checkers.Pixels.push_back((x + y) % 2 == 0 ? kWhite : std::uint8_t{4});
  BoardPicture picture;
  BoardView view(picture);
  view.resize(BoardPicture::kWidth, BoardPicture::kHeight);
  picture.StretchCopy(checkers, 0, 0, BoardPicture::kWidth, BoardPicture::kHeight);
  view.Refresh();
  ExpectEvenBlocksAtTwiceTheSize(view, view.Image());
  EXPECT_EQ(view.Image().pixel(1, 0), PaletteColour(4));
}

// The view converts only what the picture reports as changed: a change it misses, or one made
// between a request for a paint and the paint itself, leaves stale pixels in its copy.
TEST(BoardView, ItsCopyHoldsThePaletteColoursAfterDrawsAndPartialRepaints) {
  BoardPicture picture;
  picture.penMode = PenMode::Copy;
  picture.penColor = 9;
  picture.Rectangle(10, 10, 50, 40);  // drawn before the view exists
  BoardView view(picture);
  view.resize(BoardPicture::kWidth, BoardPicture::kHeight);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  ASSERT_EQ(FirstStalePixel(picture, view.Image()), "");

  const IndexedImage tile{2, 2, {1, 2, 3, 14}};
  using Step = std::function<void()>;
  const std::vector<std::pair<const char*, Step>> steps = {
      {"inverted cell, shown at once",
       [&] {
         picture.penMode = PenMode::Not;
         picture.Rectangle(80, 100, 120, 150);
         view.RepaintNow();
       }},
      {"two far-apart changes, then one paint",
       [&] {
         picture.penMode = PenMode::Xor;
         picture.penColor = 6;
         picture.penWidth = 4;
         picture.Line(0, 549, 639, 549);
         picture.StretchCopy(tile, 600, 0, 640, 50);
         view.Refresh();
         QCoreApplication::processEvents();
       }},
      {"a change after the paint was asked for",
       [&] {
         picture.penMode = PenMode::Copy;
         picture.penColor = kYellow;
         picture.penWidth = 1;
         picture.Line(200, 300, 260, 300);
         view.Refresh();
         picture.Line(30, 200, 90, 260);
         QCoreApplication::processEvents();
       }},
      {"a plain repaint of the whole view after a hatch",
       [&] {
         picture.penMode = PenMode::Black;
         picture.brushStyle = BrushStyle::DiagCross;
         picture.Rectangle(300, 200, 340, 250);
         view.repaint();
       }},
      {"a paint of one corner while a change elsewhere waits",
       [&] {
         picture.penMode = PenMode::Not;
         picture.brushStyle = BrushStyle::Solid;
         picture.Rectangle(400, 400, 440, 450);
         view.repaint(0, 0, 10, 10);
         QCoreApplication::processEvents();
       }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    step();
    EXPECT_EQ(FirstStalePixel(picture, view.Image()), "");
    // A change outside the area being painted gets a paint of its own, posted by the first.
    for (int round = 0; round < 5 && view.ShownVersion() != picture.Version(); ++round)
      QCoreApplication::processEvents();
    EXPECT_EQ(view.ShownVersion(), picture.Version());
  }
}

TEST(BoardView, PressesOfEveryButtonArriveInPicturePixels) {
  BoardPicture picture;
  BoardView view(picture);
  view.resize(BoardPicture::kWidth, BoardPicture::kHeight);
  view.show();
  std::vector<std::pair<int, int>> presses;
  view.SetPressHandler([&](int x, int y) { presses.emplace_back(x, y); });

  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(81, 101));
  QTest::mousePress(&view, Qt::RightButton, Qt::ShiftModifier, QPoint(1, 0));
  QTest::mousePress(&view, Qt::MiddleButton, Qt::NoModifier, QPoint(639, 549));
  // A double click is two presses: the system sends its second press as a double-click event.
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(120, 150));
  QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(120, 150));
  EXPECT_EQ(presses, (std::vector<std::pair<int, int>>{
                         {81, 101}, {1, 0}, {639, 549}, {120, 150}, {120, 150}}));
}

TEST(BoardView, ShowsThePictureAsItStandsAfterEachChange) {
  BoardPicture picture;
  BoardView view(picture);
  view.resize(BoardPicture::kWidth, BoardPicture::kHeight);
  view.show();
  view.repaint();
  EXPECT_EQ(view.grab().toImage().pixelColor(100, 125), QColor(Qt::black));

  picture.penMode = PenMode::Not;
  picture.brushStyle = BrushStyle::Solid;
  picture.Rectangle(80, 100, 120, 150);
  view.Refresh();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.ShownVersion(), picture.Version());
  const QImage shown = view.grab().toImage();
  EXPECT_EQ(shown.pixelColor(100, 125), QColor(Qt::white));
  EXPECT_EQ(shown.pixelColor(79, 99), QColor(Qt::black));
}

// The pause cover's picture is read when the game is first paused, not while the window opens.
TEST(PictureView, FirstPauseCoversTheBoardWithThePausePicture) {
  QTemporaryDir dir;
  TMainForm form(dir.filePath(QStringLiteral("score.ini")).toStdString());
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F2);
  QTest::keyClick(&form, Qt::Key_F9);
  auto* pausePicture = form.findChild<PictureView*>(QStringLiteral("PausePicture"));
  ASSERT_NE(pausePicture, nullptr);
  ASSERT_TRUE(pausePicture->isVisible());
  const QImage expected = art::PausePicture().convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(expected.isNull());
  EXPECT_EQ(pausePicture->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

}  // namespace
}  // namespace quenlow
