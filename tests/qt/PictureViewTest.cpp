#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <utility>
#include <vector>

#include "ui/BoardPicture.h"
#include "ui/qt/PictureView.h"

namespace quenlow {
namespace {

TEST(PictureView, ScaledScreenShowsEveryPicturePixelAsAnEvenBlock) {
  // A checkerboard smears into grey at once if the picture is smoothed on its way up.
  QImage picture(BoardPicture::kWidth, BoardPicture::kHeight, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 128));
  PictureView view;
  view.resize(picture.size());
  view.SetImage(picture);

  QImage screen(picture.size() * 2, QImage::Format_RGB32);
  screen.setDevicePixelRatio(2);
  view.render(&screen);
  for (int y = 0; y < screen.height(); y += 7)
    for (int x = 0; x < screen.width(); x += 5)
      ASSERT_EQ(screen.pixel(x, y), picture.pixel(x / 2, y / 2)) << x << "," << y;
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

}  // namespace
}  // namespace quenlow
