// How the tiles close up after a pair is taken away, stage by stage.

#include <algorithm>

#include "game/Game.h"

namespace quenlow {

std::string StageName(int stage) {
  static const char* const kNames[] = {
      "不变化",   "从上到下", "从下到上", "上下分离", "左右分离",
      "从右到左", "从左到右", "上下集中", "左右集中",
  };
  if (stage < 1 || stage > 9) return {};
  return kNames[stage - 1];
}

void Game::FillStep(int x, int y, int dx, int dy, bool secondStep) {
  if (!InField(x, y) || At(x, y) != 0) return;
  // At answers empty beyond the ring, so nothing is ever pulled in from a cell that takes no
  // part in this game, whatever an earlier, bigger game left there.
  if (At(x + dx, y + dy) != 0) {
    std::swap(Cell(x, y), Cell(x + dx, y + dy));
  } else if (secondStep && At(x + 2 * dx, y + 2 * dy) != 0) {
    std::swap(Cell(x, y), Cell(x + 2 * dx, y + 2 * dy));
  }
}

// Every pass walks its line towards the side it takes tiles from, so that a gap travels
// that way while the tiles move the other way. A pass visits only cells of the field, also
// on a field too small to have a middle line.
namespace {
void ClampPass(int& from, int& to, int step, int last) {
  if (step > 0) {
    from = std::max(from, 1);
    to = std::min(to, last);
  } else {
    from = std::min(from, last);
    to = std::max(to, 1);
  }
}
}  // namespace

void Game::VerticalPass(int fromY, int toY, int dy) {
  ClampPass(fromY, toY, dy, board_.Rows);
  for (int x = 1; x <= board_.Cols; ++x)
    for (int y = fromY; dy > 0 ? y <= toY : y >= toY; y += dy) FillStep(x, y, 0, dy, true);
}

void Game::HorizontalPass(int fromX, int toX, int dx, int noSecondStepX) {
  ClampPass(fromX, toX, dx, board_.Cols);
  for (int y = 1; y <= board_.Rows; ++y)
    for (int x = fromX; dx > 0 ? x <= toX : x >= toX; x += dx)
      FillStep(x, y, dx, 0, x != noSecondStepX);
}

void Game::ShiftTiles() {
  const int cols = board_.Cols;
  const int rows = board_.Rows;
  const int mr = rows / 2;
  const int mc = cols / 2;
  constexpr int kAbove = -1, kBelow = 1, kLeft = -1, kRight = 1, kNowhere = -1;

  switch (state_.Stage) {
    case 2:
      VerticalPass(rows, 1, kAbove);
      break;
    case 3:
      VerticalPass(1, rows, kBelow);
      break;
    case 4:
    case 8:
      VerticalPass(mr, 1, kAbove);
      VerticalPass(mr, rows, kBelow);
      break;
    case 5:
      HorizontalPass(1, mc - 1, kRight, mc - 1);
      HorizontalPass(cols, mc + 1, kLeft, mc + 1);
      break;
    case 6:
      HorizontalPass(1, cols, kRight, kNowhere);
      break;
    case 7:
      HorizontalPass(cols, 2, kLeft, kNowhere);
      break;
    case 9:
      HorizontalPass(mc, 1, kLeft, 1);
      HorizontalPass(mc, cols - 1, kRight, cols - 1);
      break;
    default:  // stage 1 keeps the tiles where they are; other values have no rule
      break;
  }
}

}  // namespace quenlow
