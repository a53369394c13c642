// The board picture and the window under the stopwatch: drawing the board and the marks,
// handing the picture to Qt, and one press that picks a tile in the real main window, from
// the mouse event to the end of the paint that shows it.
//
// Runs without a display (offscreen) unless QT_QPA_PLATFORM says otherwise; under Xvfb,
// QT_QPA_PLATFORM=xcb measures the X path too. QT_SCALE_FACTOR=2 (or 3, or 1.5) measures the
// board as a screen at that scale gets it: the picture drawn at the ratio rounded up.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "bench/Boards.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardPicture.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/MainForm.h"
#include "ui/qt/PictureImage.h"
#include "ui/qt/PictureView.h"

namespace quenlow::bench {
namespace {

// The scale the window draws the board at on this screen.
int ScreenScale() {
  return BoardPicture::ScaleForRatio(qApp->devicePixelRatio());
}

// A full hard board drawn into a picture with the artwork's tiles, at the screen's scale.
struct DrawnBoard {
  SeededRandom random{3};
  Game game = DealtHardBoard(random);
  TilePictures tiles = LoadTilePictures(ScreenScale());
  BoardPicture picture{ScreenScale()};
  BoardDrawing drawing{game, picture, tiles};
  DrawnBoard() { drawing.DrawBoard(); }
};

void BM_DrawBoard(benchmark::State& state) {
  DrawnBoard board;
  for (auto _ : state) {
    board.drawing.DrawBoard();
    benchmark::DoNotOptimize(board.picture.Bits());
  }
}
BENCHMARK(BM_DrawBoard)->Unit(benchmark::kMicrosecond);

// 1 the pick (inverts the cell), 2 the hint (cross-hatch); each call takes back the last.
void BM_MarkCell(benchmark::State& state) {
  DrawnBoard board;
  const Mark mark = state.range(0) == 1 ? Mark::Pick : Mark::Hint;
  for (auto _ : state) {
    board.drawing.MarkCell(7, 5, mark);
    benchmark::DoNotOptimize(board.picture.Bits());
  }
}
BENCHMARK(BM_MarkCell)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_WrapPicture(benchmark::State& state) {
  DrawnBoard board;
  for (auto _ : state) benchmark::DoNotOptimize(PictureImage(board.picture));
}
BENCHMARK(BM_WrapPicture);

// What the board view's paint does, into a window-sized image instead of the backing store.
void BM_PaintPictureIntoImage(benchmark::State& state) {
  DrawnBoard board;
  QImage target(board.picture.Width(), board.picture.Height(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target.rect(), PictureImage(board.picture));
  }
}
BENCHMARK(BM_PaintPictureIntoImage)->Unit(benchmark::kMicrosecond);

// The board view itself on a shown window: a synchronous repaint, backing store and flush
// included.
void BM_RepaintBoardView(benchmark::State& state) {
  DrawnBoard board;
  BoardView view(board.picture);
  view.setFixedSize(BoardPicture::kWidth, BoardPicture::kHeight);
  view.show();
  QCoreApplication::processEvents();
  for (auto _ : state) view.repaint();
}
BENCHMARK(BM_RepaintBoardView)->Unit(benchmark::kMicrosecond);

// What the window does after every change to the tiles: the board drawn anew and shown.
void BM_DrawBoardAndRepaint(benchmark::State& state) {
  DrawnBoard board;
  BoardView view(board.picture);
  view.setFixedSize(BoardPicture::kWidth, BoardPicture::kHeight);
  view.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    board.drawing.DrawBoard();
    view.repaint();
  }
}
BENCHMARK(BM_DrawBoardAndRepaint)->Unit(benchmark::kMicrosecond);

// One press on a tile of a running hard game in the real main window: the mouse event goes
// to the window as the platform would hand it over, the flow marks the pick, and the time
// ends when the board view has painted the picture that shows it. A second, untimed press on
// the same tile takes the pick back, so every timed press picks.
void BM_PickingPress(benchmark::State& state) {
  QTemporaryDir dir;
  TMainForm form((dir.path() + QStringLiteral("/score.ini")).toStdString());
  form.show();
  QCoreApplication::processEvents();
  form.Flow().NewGameCommand(Difficulty::Hard);
  form.findChild<QTimer*>(QStringLiteral("TickTimer"))->stop();  // no time bar here
  BoardView* view = form.findChild<BoardView*>(QStringLiteral("BoardView"));
  view->Refresh();
  while (view->ShownVersion() != form.Picture().Version()) QCoreApplication::processEvents();

  const BoardLayout s = LayoutOf(Difficulty::Hard);
  const QPoint inBoard(s.OriginX + 6 * s.CellW + s.CellW / 2,
                       s.OriginY + 4 * s.CellH + s.CellH / 2);
  QWindow* window = form.windowHandle();
  const QPointF inWindow = view->mapTo(&form, inBoard);
  const auto press = [&] {
    QMouseEvent event(QEvent::MouseButtonPress, inWindow, form.mapToGlobal(inWindow),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
    QMouseEvent release(QEvent::MouseButtonRelease, inWindow, form.mapToGlobal(inWindow),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &release);
    while (view->ShownVersion() != form.Picture().Version()) QCoreApplication::processEvents();
  };

  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    press();
    const auto end = std::chrono::steady_clock::now();
    if (form.Flow().CurrentPick().Count != 1) {
      state.SkipWithError("the press did not pick the tile");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    press();  // takes the pick back
  }
}
BENCHMARK(BM_PickingPress)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quenlow::bench

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
