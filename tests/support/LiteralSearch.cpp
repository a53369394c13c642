#include "tests/support/LiteralSearch.h"

#include <algorithm>

namespace quenlow::testing {

std::optional<Link> LiteralFindLink(const Game& game, int x1, int y1, int x2, int y2) {
  constexpr auto kOne = SegmentEnds::OneEmpty;
  constexpr auto kBoth = SegmentEnds::BothEmpty;
  if (game.At(x1, y1) != game.At(x2, y2)) return std::nullopt;
  if (x1 == x2 && y1 == y2) return std::nullopt;

  bool straight = false;
  if (x1 == x2) {
    straight = true;
    for (int y = std::min(y1, y2) + 1; y < std::max(y1, y2); ++y)
      straight = straight && game.At(x1, y) == 0;
  } else if (y1 == y2) {
    straight = true;
    for (int x = std::min(x1, x2) + 1; x < std::max(x1, x2); ++x)
      straight = straight && game.At(x, y1) == 0;
  }
  if (straight) return Link{LinkShape::Straight, {x1, y1}, {x2, y2}};

  if (game.RowClear(x1, x2, y1, kOne) && game.ColumnClear(y1, y2, x2, kOne))
    return Link{LinkShape::OneCorner, {x2, y1}, {}};
  if (game.RowClear(x1, x2, y2, kOne) && game.ColumnClear(y1, y2, x1, kOne))
    return Link{LinkShape::OneCorner, {x1, y2}, {}};

  const auto viaColumn = [&](int n) {
    return game.RowClear(n, x1, y1, kOne) && game.ColumnClear(y1, y2, n, kBoth) &&
           game.RowClear(n, x2, y2, kOne);
  };
  for (int n = x2; n >= 0; --n)
    if (viaColumn(n)) return Link{LinkShape::TwoCorners, {n, y1}, {n, y2}};
  for (int n = x2; n <= game.Board().Cols + 1; ++n)
    if (viaColumn(n)) return Link{LinkShape::TwoCorners, {n, y1}, {n, y2}};

  const auto viaRow = [&](int n) {
    return game.ColumnClear(y1, n, x1, kOne) && game.RowClear(x1, x2, n, kBoth) &&
           game.ColumnClear(n, y2, x2, kOne);
  };
  for (int n = y1; n >= 0; --n)
    if (viaRow(n)) return Link{LinkShape::TwoCorners, {x1, n}, {x2, n}};
  for (int n = y1; n <= game.Board().Rows + 1; ++n)
    if (viaRow(n)) return Link{LinkShape::TwoCorners, {x1, n}, {x2, n}};

  return std::nullopt;
}

std::optional<LinkedPair> LiteralScan(const Game& game) {
  const int cols = game.Board().Cols, rows = game.Board().Rows;
  for (int x1 = 1; x1 <= cols; ++x1)
    for (int y1 = 1; y1 <= rows; ++y1) {
      if (game.At(x1, y1) == 0) continue;
      for (int x2 = 1; x2 <= cols; ++x2)
        for (int y2 = 1; y2 <= rows; ++y2) {
          if (x2 == x1 && y2 == y1) continue;
          if (auto link = LiteralFindLink(game, x1, y1, x2, y2))
            return LinkedPair{{x1, y1, x2, y2}, *link};
        }
    }
  return std::nullopt;
}

}  // namespace quenlow::testing
