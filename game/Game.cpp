#include "game/Game.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace quenlow {

namespace {

struct Preset {
  std::int32_t Cols, Rows, OriginX, OriginY, CellW, CellH, Kinds, TimeBonus, PauseMs, PairPoints;
};

constexpr Preset kPresets[] = {
    {12, 7, 80, 100, 40, 50, 21, 1, 500, 50},  // easy
    {13, 8, 60, 80, 40, 50, 26, 1, 500, 50},   // normal
    {14, 9, 40, 60, 40, 50, 21, 1, 500, 50},   // hard
};

// The last column and row of the grid that a playing field can use; no rule needs to walk
// further, whatever Cols and Rows say.
constexpr int kLastGridCol = kGridCols - 1;
constexpr int kLastGridRow = kGridRows - 1;

}  // namespace

TileKind Game::At(int x, int y) const {
  // Compared as x - 1 > Cols so that a nonsense Cols near the top of the range cannot overflow.
  if (x < 0 || y < 0 || x - 1 > state_.Cols || y - 1 > state_.Rows) return 0;
  if (!TBoard::InGrid(x, y)) return 0;
  return board_(x, y);
}

void Game::SetCell(int x, int y, TileKind kind) {
  if (TBoard::InGrid(x, y)) board_(x, y) = kind;
}

bool Game::InField(int x, int y) const {
  return x >= 1 && x <= state_.Cols && y >= 1 && y <= state_.Rows && TBoard::InGrid(x, y);
}

// ---------------------------------------------------------------------------------------
// Presets and dealing

void Game::ApplyPreset(TDifficulty difficulty) {
  if (difficulty < 1 || difficulty > 3) return;  // no such preset: keep the game as it is
  const Preset& p = kPresets[difficulty - 1];
  state_.Stage = 1;
  state_.Difficulty = difficulty;
  state_.Cols = p.Cols;
  state_.Rows = p.Rows;
  state_.OriginX = p.OriginX;
  state_.OriginY = p.OriginY;
  state_.CellW = p.CellW;
  state_.CellH = p.CellH;
  state_.Kinds = p.Kinds;
  state_.Remaining = state_.Cols * state_.Rows;
  state_.TimeBonus = p.TimeBonus;
  state_.PauseMs = p.PauseMs;
  state_.Score = 0;
  state_.PairPoints = p.PairPoints;
}

void Game::DealTiles() {
  const int cols = std::min(state_.Cols, kLastGridCol);
  const int rows = std::min(state_.Rows, kLastGridRow);

  // The field and its ring only: a bigger earlier game may leave tiles further out, and
  // At keeps them out of play.
  for (int x = 0; x <= cols + 1; ++x)
    for (int y = 0; y <= rows + 1; ++y) SetCell(x, y, 0);

  TileKind k = 0;
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      ++k;
      SetCell(x, y, k);
      if (k == state_.Kinds) k = 0;
    }

  random_.Reseed();
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      const int tx = random_.Draw(state_.Cols);
      const int ty = random_.Draw(state_.Rows);
      // A source that strays out of range must not move tiles out of the field.
      if (InField(x, y) && InField(tx, ty)) SwapCells(Cell(x, y), Cell(tx, ty));
    }
}

void Game::SwapCells(TileKind& a, TileKind& b) {
  const TileKind saved = a;
  a = b;
  b = saved;
}

// ---------------------------------------------------------------------------------------
// Link finder

bool Game::RowClear(int xa, int xb, int y, int mode) const {
  const bool aEmpty = At(xa, y) == 0;
  const bool bEmpty = At(xb, y) == 0;
  if (mode == 1 ? !(aEmpty || bEmpty) : !(aEmpty && bEmpty)) return false;
  for (int x = std::min(xa, xb) + 1; x < std::max(xa, xb); ++x)
    if (At(x, y) != 0) return false;
  return true;
}

bool Game::ColumnClear(int ya, int yb, int x, int mode) const {
  const bool aEmpty = At(x, ya) == 0;
  const bool bEmpty = At(x, yb) == 0;
  if (mode == 1 ? !(aEmpty || bEmpty) : !(aEmpty && bEmpty)) return false;
  for (int y = std::min(ya, yb) + 1; y < std::max(ya, yb); ++y)
    if (At(x, y) != 0) return false;
  return true;
}

void Game::SetCorners(int kind, int c1x, int c1y, int c2x, int c2y) {
  state_.LinkKind = kind;
  state_.Corner1X = c1x;
  state_.Corner1Y = c1y;
  state_.Corner2X = c2x;
  state_.Corner2Y = c2y;
}

bool Game::StraightLink(int x1, int y1, int x2, int y2) {
  bool linked = false;
  if (x1 == x2) {
    linked = true;
    for (int y = std::min(y1, y2) + 1; y < std::max(y1, y2) && linked; ++y) linked = At(x1, y) == 0;
  } else if (y1 == y2) {
    linked = true;
    for (int x = std::min(x1, x2) + 1; x < std::max(x1, x2) && linked; ++x) linked = At(x, y1) == 0;
  }
  if (linked) SetCorners(1, x1, y1, x2, y2);
  return linked;
}

bool Game::OneCornerLink(int x1, int y1, int x2, int y2) {
  // Leaving the first cell along its row wins over leaving it along its column.
  if (RowClear(x1, x2, y1, 1) && ColumnClear(y1, y2, x2, 1)) {
    SetCorners(2, x2, y1, 0, 0);
    return true;
  }
  if (RowClear(x1, x2, y2, 1) && ColumnClear(y1, y2, x1, 1)) {
    SetCorners(2, x1, y2, 0, 0);
    return true;
  }
  return false;
}

bool Game::FindLink(int x1, int y1, int x2, int y2) {
  state_.Corner1X = state_.Corner1Y = state_.Corner2X = state_.Corner2Y = 0;
  if (At(x1, y1) != At(x2, y2)) return false;
  if (x1 == x2 && y1 == y2) return false;

  if (StraightLink(x1, y1, x2, y2)) return true;
  if (OneCornerLink(x1, y1, x2, y2)) return true;

  // Two corners, vertical middle segment: leftwards from the second cell's column first.
  const auto viaColumn = [&](int n) {
    if (RowClear(n, x1, y1, 1) && ColumnClear(y1, y2, n, 2) && RowClear(n, x2, y2, 1)) {
      SetCorners(3, n, y1, n, y2);
      return true;
    }
    return false;
  };
  for (int n = x2; n >= 0; --n)
    if (viaColumn(n)) return true;
  for (int n = x2; n <= state_.Cols + 1; ++n)
    if (viaColumn(n)) return true;

  // Two corners, horizontal middle segment: upwards from the first cell's row first.
  const auto viaRow = [&](int n) {
    if (ColumnClear(y1, n, x1, 1) && RowClear(x1, x2, n, 2) && ColumnClear(n, y2, x2, 1)) {
      SetCorners(3, x1, n, x2, n);
      return true;
    }
    return false;
  };
  for (int n = y1; n >= 0; --n)
    if (viaRow(n)) return true;
  for (int n = y1; n <= state_.Rows + 1; ++n)
    if (viaRow(n)) return true;

  return false;
}

// The empty cells either side of (x, y) on its row, within the ring: every cell of
// [lo, hi] but (x, y) itself is empty.
void Game::RowRun(int x, int y, int& lo, int& hi) const {
  lo = x;
  while (lo > 0 && At(lo - 1, y) == 0) --lo;
  hi = x;
  while (hi < state_.Cols + 1 && At(hi + 1, y) == 0) ++hi;
}

void Game::ColumnRun(int x, int y, int& lo, int& hi) const {
  lo = y;
  while (lo > 0 && At(x, lo - 1) == 0) --lo;
  hi = y;
  while (hi < state_.Rows + 1 && At(x, hi + 1) == 0) ++hi;
}

bool Game::LinkTiles(int x1, int y1, int x2, int y2) {
  // The shortcuts below rest on the first cell holding a tile.
  if (At(x1, y1) == 0) return FindLink(x1, y1, x2, y2);

  state_.Corner1X = state_.Corner1Y = state_.Corner2X = state_.Corner2Y = 0;
  if (At(x1, y1) != At(x2, y2)) return false;
  if (x1 == x2 && y1 == y2) return false;

  if (StraightLink(x1, y1, x2, y2)) return true;
  if (OneCornerLink(x1, y1, x2, y2)) return true;

  // With both cells holding tiles, the outer segments of a two-corner path are clear
  // exactly when the middle line lies within the empty runs beside both cells, so only
  // those lines are worth the middle test. They are still taken in FindLink's order.
  int lo1, hi1, lo2, hi2;
  RowRun(x1, y1, lo1, hi1);
  RowRun(x2, y2, lo2, hi2);
  int lo = std::max(lo1, lo2);
  int hi = std::min(hi1, hi2);
  const auto viaColumn = [&](int n) {
    if (n != x1 && n != x2 && ColumnClear(y1, y2, n, 2)) {
      SetCorners(3, n, y1, n, y2);
      return true;
    }
    return false;
  };
  for (int n = std::min(x2, hi); n >= lo; --n)
    if (viaColumn(n)) return true;
  for (int n = std::max(x2, lo); n <= hi; ++n)
    if (viaColumn(n)) return true;

  ColumnRun(x1, y1, lo1, hi1);
  ColumnRun(x2, y2, lo2, hi2);
  lo = std::max(lo1, lo2);
  hi = std::min(hi1, hi2);
  const auto viaRow = [&](int n) {
    if (n != y1 && n != y2 && RowClear(x1, x2, n, 2)) {
      SetCorners(3, x1, n, x2, n);
      return true;
    }
    return false;
  };
  for (int n = std::min(y1, hi); n >= lo; --n)
    if (viaRow(n)) return true;
  for (int n = std::max(y1, lo); n <= hi; ++n)
    if (viaRow(n)) return true;

  return false;
}

// ---------------------------------------------------------------------------------------
// Stage shifting

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
    SwapCells(Cell(x, y), Cell(x + dx, y + dy));
  } else if (secondStep && At(x + 2 * dx, y + 2 * dy) != 0) {
    SwapCells(Cell(x, y), Cell(x + 2 * dx, y + 2 * dy));
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
  ClampPass(fromY, toY, dy, std::min(state_.Rows, kLastGridRow));
  for (int x = 1; x <= std::min(state_.Cols, kLastGridCol); ++x)
    for (int y = fromY; dy > 0 ? y <= toY : y >= toY; y += dy) FillStep(x, y, 0, dy, true);
}

void Game::HorizontalPass(int fromX, int toX, int dx, int noSecondStepX) {
  ClampPass(fromX, toX, dx, std::min(state_.Cols, kLastGridCol));
  for (int y = 1; y <= std::min(state_.Rows, kLastGridRow); ++y)
    for (int x = fromX; dx > 0 ? x <= toX : x >= toX; x += dx)
      FillStep(x, y, dx, 0, x != noSecondStepX);
}

void Game::ShiftTiles() {
  const int cols = state_.Cols;
  const int rows = state_.Rows;
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

// ---------------------------------------------------------------------------------------
// Pair scan and shuffle

std::optional<CellPair> Game::FindFirstPair() {
  const int cols = std::min(state_.Cols, kLastGridCol);
  const int rows = std::min(state_.Rows, kLastGridRow);

  // Any cell of another kind, empty ones included, fails FindLink at once, so each first
  // cell need only be tried against the tiles of its own kind. Only those after it, too: a
  // partner earlier in the order would have linked as the first cell of its own turn.
  //
  // The tiles of a kind are gathered while the first tile of the kind is tried against them,
  // not up front: most boards in play link early, and the scan then has read no more of the
  // board than the literal scan would have.
  struct KindTiles {
    int begin = -1;  // into `later`: the kind's tiles after its first one, in scan order
    int end = -1;
    int next = -1;  // the first of them that is still ahead of the scan
  };
  std::array<KindTiles, 27> letters;                       // 1..26, the kinds a deal hands out
  std::unordered_map<TileKind, KindTiles> otherKinds;      // whatever else a board may hold
  std::array<std::uint16_t, kGridCols * kGridRows> later;  // grid indices; each tile once
  int used = 0;
  bool anyTile = false;

  const auto& cells = board_.Cells;
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      const TileKind kind = cells[x * kGridRows + y];
      if (kind == 0) continue;
      anyTile = true;
      KindTiles& tiles = kind >= 1 && kind <= 26 ? letters[kind] : otherKinds[kind];
      if (tiles.begin < 0) {
        // The first of its kind: gather the rest of the kind as it is tried. Nothing else is
        // gathered meanwhile, so the kind's tiles stay together in `later`.
        tiles.begin = tiles.next = used;
        for (int x2 = x, y2 = y + 1; x2 <= cols; ++x2, y2 = 1)
          for (; y2 <= rows; ++y2) {
            const int at = x2 * kGridRows + y2;
            if (cells[at] != kind) continue;
            later[used++] = static_cast<std::uint16_t>(at);
            if (LinkTiles(x, y, x2, y2)) return CellPair{x, y, x2, y2};
          }
        tiles.end = used;
        continue;
      }
      ++tiles.next;  // this very tile, which the kind's earlier tiles had ahead of them
      for (int i = tiles.next; i < tiles.end; ++i) {
        const int x2 = later[i] / kGridRows, y2 = later[i] % kGridRows;
        if (LinkTiles(x, y, x2, y2)) return CellPair{x, y, x2, y2};
      }
    }

  // The full scan would have ended on a failed FindLink, which resets the corners; with no
  // tile at all it calls FindLink never, and the link result stays.
  if (anyTile && (cols > 1 || rows > 1))
    state_.Corner1X = state_.Corner1Y = state_.Corner2X = state_.Corner2Y = 0;
  return std::nullopt;
}

void Game::ShuffleBoard() {
  random_.Reseed();
  const int cols = std::min(state_.Cols, kLastGridCol);
  const int rows = std::min(state_.Rows, kLastGridRow);
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      if (At(x, y) == 0) continue;
      const int tx = random_.Draw(state_.Cols);
      const int ty = random_.Draw(state_.Rows);
      // Tiles only trade places with tiles, so the occupied cells stay the same.
      if (InField(tx, ty) && At(tx, ty) != 0) SwapCells(Cell(x, y), Cell(tx, ty));
    }
}

}  // namespace quenlow
