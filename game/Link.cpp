// The link finder: can two tiles of one kind be joined by at most three straight segments
// through empty cells (the ring around the field included), and along which path.

#include <algorithm>

#include "game/Game.h"

namespace quenlow {

bool Game::RowClear(int xa, int xb, int y, SegmentEnds ends) const {
  const bool aEmpty = At(xa, y) == 0;
  const bool bEmpty = At(xb, y) == 0;
  if (ends == SegmentEnds::OneEmpty ? !(aEmpty || bEmpty) : !(aEmpty && bEmpty)) return false;
  for (int x = std::min(xa, xb) + 1; x < std::max(xa, xb); ++x)
    if (At(x, y) != 0) return false;
  return true;
}

bool Game::ColumnClear(int ya, int yb, int x, SegmentEnds ends) const {
  const bool aEmpty = At(x, ya) == 0;
  const bool bEmpty = At(x, yb) == 0;
  if (ends == SegmentEnds::OneEmpty ? !(aEmpty || bEmpty) : !(aEmpty && bEmpty)) return false;
  for (int y = std::min(ya, yb) + 1; y < std::max(ya, yb); ++y)
    if (At(x, y) != 0) return false;
  return true;
}

std::optional<Link> Game::StraightLink(int x1, int y1, int x2, int y2) const {
  bool linked = false;
  if (x1 == x2) {
    linked = true;
    for (int y = std::min(y1, y2) + 1; y < std::max(y1, y2) && linked; ++y) linked = At(x1, y) == 0;
  } else if (y1 == y2) {
    linked = true;
    for (int x = std::min(x1, x2) + 1; x < std::max(x1, x2) && linked; ++x) linked = At(x, y1) == 0;
  }
  if (!linked) return std::nullopt;
  return Link{LinkShape::Straight, {x1, y1}, {x2, y2}};
}

std::optional<Link> Game::OneCornerLink(int x1, int y1, int x2, int y2) const {
  constexpr auto kOne = SegmentEnds::OneEmpty;
  // Leaving the first cell along its row wins over leaving it along its column.
  if (RowClear(x1, x2, y1, kOne) && ColumnClear(y1, y2, x2, kOne))
    return Link{LinkShape::OneCorner, {x2, y1}, {}};
  if (RowClear(x1, x2, y2, kOne) && ColumnClear(y1, y2, x1, kOne))
    return Link{LinkShape::OneCorner, {x1, y2}, {}};
  return std::nullopt;
}

// The empty cells either side of (x, y) on its row, within the ring: every cell of
// [lo, hi] but (x, y) itself is empty.
void Game::RowRun(int x, int y, int& lo, int& hi) const {
  lo = x;
  while (lo > 0 && At(lo - 1, y) == 0) --lo;
  hi = x;
  while (hi < board_.Cols + 1 && At(hi + 1, y) == 0) ++hi;
}

void Game::ColumnRun(int x, int y, int& lo, int& hi) const {
  lo = y;
  while (lo > 0 && At(x, lo - 1) == 0) --lo;
  hi = y;
  while (hi < board_.Rows + 1 && At(x, hi + 1) == 0) ++hi;
}

std::optional<Link> Game::FindLink(int x1, int y1, int x2, int y2) const {
  if (At(x1, y1) == 0) return std::nullopt;
  if (At(x1, y1) != At(x2, y2)) return std::nullopt;
  if (x1 == x2 && y1 == y2) return std::nullopt;

  if (auto link = StraightLink(x1, y1, x2, y2)) return link;
  if (auto link = OneCornerLink(x1, y1, x2, y2)) return link;

  // Two corners. The middle line is tried leftwards from the second cell's column, then
  // rightwards; after that upwards from the first cell's row, then downwards. With both cells
  // holding tiles, the outer segments are clear exactly when the middle line lies within the
  // empty runs beside both cells, so only those lines are worth the middle test.
  int lo1, hi1, lo2, hi2;
  RowRun(x1, y1, lo1, hi1);
  RowRun(x2, y2, lo2, hi2);
  int lo = std::max(lo1, lo2);
  int hi = std::min(hi1, hi2);
  const auto viaColumn = [&](int n) -> std::optional<Link> {
    if (n != x1 && n != x2 && ColumnClear(y1, y2, n, SegmentEnds::BothEmpty))
      return Link{LinkShape::TwoCorners, {n, y1}, {n, y2}};
    return std::nullopt;
  };
  for (int n = std::min(x2, hi); n >= lo; --n)
    if (auto link = viaColumn(n)) return link;
  for (int n = std::max(x2, lo); n <= hi; ++n)
    if (auto link = viaColumn(n)) return link;

  ColumnRun(x1, y1, lo1, hi1);
  ColumnRun(x2, y2, lo2, hi2);
  lo = std::max(lo1, lo2);
  hi = std::min(hi1, hi2);
  const auto viaRow = [&](int n) -> std::optional<Link> {
    if (n != y1 && n != y2 && RowClear(x1, x2, n, SegmentEnds::BothEmpty))
      return Link{LinkShape::TwoCorners, {x1, n}, {x2, n}};
    return std::nullopt;
  };
  for (int n = std::min(y1, hi); n >= lo; --n)
    if (auto link = viaRow(n)) return link;
  for (int n = std::max(y1, lo); n <= hi; ++n)
    if (auto link = viaRow(n)) return link;

  return std::nullopt;
}

}  // namespace quenlow
