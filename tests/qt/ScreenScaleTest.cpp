// The main window moved between a screen at 100 % and one at 200 %: the board picture is drawn
// anew at the scale of the screen it is on, with the tiles of that scale and the pick that is
// pending. Runs on the offscreen platform with two screens (two-screens.json).

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <vector>

#include "ui/BoardDrawing.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/MainForm.h"
#include "ui/qt/PictureView.h"

namespace quenlow {
namespace {

std::vector<std::uint8_t> PixelsOf(const BoardPicture& picture) {
  return {picture.Bits(), picture.Bits() + picture.Width() * picture.Height()};
}

// Dragged onto another screen; the change of screen reaches the window through the event
// queue.
void MoveTo(TMainForm& form, QScreen* screen) {
  form.move(screen->geometry().topLeft() + QPoint(100, 100));
  for (int i = 0; i < 100 && form.windowHandle()->screen() != screen; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QCoreApplication::processEvents();
}

QScreen* ScreenAt(qreal ratio) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (qFuzzyCompare(screen->devicePixelRatio(), ratio)) return screen;
  }
  return nullptr;
}

// The board of the game drawn at a scale by itself, with the pick marked.
std::vector<std::uint8_t> Expected(const Game& game, int scale, int pickX, int pickY) {
  BoardPicture picture(scale);
  const TilePictures tiles = LoadTilePictures(scale);
  BoardDrawing drawing(game, picture, tiles);
  drawing.DrawBoard();
  drawing.MarkCell(pickX, pickY, Mark::Pick);
  return PixelsOf(picture);
}

TEST(ScreenScale, TheBoardFollowsTheWindowToAScreenOfAnotherScale) {
  QScreen* const plain = ScreenAt(1);
  QScreen* const doubled = ScreenAt(2);
  ASSERT_TRUE(plain != nullptr && doubled != nullptr)
      << "the test runs on the offscreen platform with a screen at 100 % and one at 200 %";
  QTemporaryDir dir;
  TMainForm form((dir.path() + QStringLiteral("/score.ini")).toStdString());
  form.show();
  MoveTo(form, plain);
  QCoreApplication::processEvents();
  ASSERT_EQ(form.Picture().Scale(), 1);

  form.Flow().NewGameCommand(Difficulty::Easy);
  form.findChild<QTimer*>(QStringLiteral("TickTimer"))->stop();
  const Pick& pick = form.Flow().CurrentPick();
  int px = 0, py = 0;
  CellCentre(LayoutOf(Difficulty::Easy), 3, 2, px, py);
  form.Flow().BoardPress(px, py);  // picks cell (3, 2)
  ASSERT_EQ(pick.Count, 1);

  MoveTo(form, doubled);
  EXPECT_EQ(form.Picture().Scale(), 2);
  EXPECT_EQ(form.Picture().Width(), 1280);
  EXPECT_EQ(PixelsOf(form.Picture()), Expected(form.GetGame(), 2, 3, 2));
  EXPECT_EQ(form.findChild<BoardView*>(QStringLiteral("BoardView"))->Image().size(),
            QSize(1280, 1100));
  EXPECT_EQ(pick.Count, 1) << "the pick stays pending";

  // Back at 100 %: the board as it was drawn there.
  MoveTo(form, plain);
  EXPECT_EQ(form.Picture().Scale(), 1);
  EXPECT_EQ(PixelsOf(form.Picture()), Expected(form.GetGame(), 1, 3, 2));
  // The second press on the picked tile still takes the pick back.
  form.Flow().BoardPress(px, py);
  EXPECT_EQ(pick.Count, 0);
}

}  // namespace
}  // namespace quenlow

int main(int argc, char** argv) {
  // Two screens, the second at 200 %, whatever platform the environment names.
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QUENLOW_TWO_SCREENS);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
