// The link finder: its segment tests, the paths it prefers, and an independent search.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "game/Game.h"
#include "tests/game/TestSupport.h"
#include "tests/support/LiteralSearch.h"

namespace quenlow {
namespace {

using testing::LiteralFindLink;
using testing::MakeField;
using testing::SeededRandom;

struct Cell {
  int x, y;
};

// ---------------------------------------------------------------------------------------
// Segment tests

TEST(RowClearAndColumnClear, TestTheCellsBetweenAndTheEndsByMode) {
  // Tiles at line positions 3, 4 and 8 of one row (and, transposed, of one column).
  struct Case {
    int a, b, mode;
    bool expected;
    const char* what;
  };
  const Case cases[] = {
      {5, 5, 1, true, "one empty cell is both ends"},
      {5, 5, 2, true, "one empty cell is both ends"},
      {3, 3, 1, false, "one occupied cell is both ends"},
      {3, 3, 2, false, "one occupied cell is both ends"},
      {3, 4, 1, false, "neighbours, both ends occupied"},
      {3, 4, 2, false, "neighbours, both ends occupied"},
      {4, 5, 1, true, "neighbours, one end occupied"},
      {5, 4, 1, true, "neighbours, one end occupied, ends swapped"},
      {4, 5, 2, false, "the middle segment needs both ends empty"},
      {5, 7, 2, true, "empty ends, empty between"},
      {4, 8, 1, false, "both ends occupied, empty between"},
      {4, 7, 1, true, "tile end to an empty end over empty cells"},
      {7, 4, 1, true, "the same, ends swapped"},
      {3, 7, 1, false, "a tile between"},
      {7, 3, 1, false, "a tile between, ends swapped"},
      {0, 2, 2, true, "from the ring"},
      {0, 9, 2, false, "from the ring over tiles"},
      {9, 13, 2, true, "to the far ring"},
  };
  for (bool column : {false, true}) {
    SeededRandom random(1);
    Game game(random);
    MakeField(game, 12, 12);
    for (int at : {3, 4, 8}) column ? game.SetCell(2, at, 1) : game.SetCell(at, 2, 1);
    for (const Case& c : cases) {
      const auto ends = c.mode == 1 ? SegmentEnds::OneEmpty : SegmentEnds::BothEmpty;
      const bool got =
          column ? game.ColumnClear(c.a, c.b, 2, ends) : game.RowClear(c.a, c.b, 2, ends);
      EXPECT_EQ(got, c.expected) << (column ? "column" : "row") << " " << c.a << ".." << c.b
                                 << " mode " << c.mode << ": " << c.what;
    }
  }
}

// ---------------------------------------------------------------------------------------
// Chosen paths

struct LinkCase {
  const char* what;
  bool fullBoard;              // every other field cell holds a blocker
  std::vector<Cell> blockers;  // blockers on an otherwise empty board
  Cell first, second;          // both hold kind 1 (blockers are kind 2)
  bool linked;
  int kind;
  Cell corner1, corner2;
};

// clang-format off
const LinkCase kLinkCases[] = {
    {"the same cell twice", false, {}, {3, 2}, {3, 2}, false, 0, {}, {}},
    {"neighbours in a column, boxed in", true, {}, {4, 4}, {4, 5}, true, 1, {4, 4}, {4, 5}},
    {"neighbours in a row, boxed in", true, {}, {6, 4}, {5, 4}, true, 1, {6, 4}, {5, 4}},
    {"straight down a column", false, {}, {3, 2}, {3, 6}, true, 1, {3, 2}, {3, 6}},
    {"straight along a row", false, {}, {9, 5}, {2, 5}, true, 1, {9, 5}, {2, 5}},
    {"column with a tile between: column scan", false, {{3, 4}},
     {3, 2}, {3, 6}, true, 3, {2, 2}, {2, 6}},
    {"row with a tile between: row scan", false, {{6, 2}},
     {2, 2}, {10, 2}, true, 3, {2, 1}, {10, 1}},
    {"one corner on the first cell's row wins", false, {},
     {3, 2}, {6, 5}, true, 2, {6, 2}, {0, 0}},
    {"one corner on the first cell's column", false, {{6, 2}},
     {3, 2}, {6, 5}, true, 2, {3, 5}, {0, 0}},
    {"two corners, column scan leftwards from the second cell", false, {{8, 3}, {5, 6}},
     {5, 3}, {8, 6}, true, 3, {7, 3}, {7, 6}},
    {"the same board with the cells swapped", false, {{8, 3}, {5, 6}},
     {8, 6}, {5, 3}, true, 3, {6, 6}, {6, 3}},
    {"no column serves: row scan upwards from the first cell", false,
     {{8, 3}, {5, 6}, {6, 4}, {7, 4}},
     {5, 3}, {8, 6}, true, 3, {5, 5}, {8, 5}},
    {"a Z-shaped path: the row scan starts from the first cell's row", false,
     {{4, 6}, {7, 2}, {8, 6}, {3, 2}},
     {3, 6}, {8, 2}, true, 3, {3, 5}, {8, 5}},
    {"column scan reaches the left ring before it looks right", false, {{3, 3}, {2, 3}, {1, 4}},
     {3, 2}, {3, 5}, true, 3, {0, 2}, {0, 5}},
    {"row scan reaches the top ring before it looks down", false, {{5, 3}, {4, 2}, {6, 1}},
     {2, 3}, {8, 3}, true, 3, {2, 0}, {8, 0}},
    {"top row through the ring", true, {}, {4, 1}, {9, 1}, true, 3, {4, 0}, {9, 0}},
    {"bottom row through the ring", true, {}, {4, 7}, {9, 7}, true, 3, {4, 8}, {9, 8}},
    {"left column through the ring", true, {}, {1, 2}, {1, 6}, true, 3, {0, 2}, {0, 6}},
    {"right column through the ring", true, {}, {12, 2}, {12, 6}, true, 3, {13, 2}, {13, 6}},
    {"top row and left column would need three turns", true, {},
     {5, 1}, {1, 4}, false, 0, {}, {}},
    {"opposite corners of a full board", true, {}, {1, 1}, {12, 7}, false, 0, {}, {}},
    {"both boxed in, not neighbours", false,
     {{3, 2}, {3, 4}, {2, 3}, {4, 3}, {8, 4}, {8, 6}, {7, 5}, {9, 5}},
     {3, 3}, {8, 5}, false, 0, {}, {}},
};
// clang-format on

TEST(FindLink, ReportsThePathItsSearchOrderMeetsFirst) {
  for (bool literal : {false, true}) {
    for (const LinkCase& c : kLinkCases) {
      SeededRandom random(1);
      Game game(random);
      MakeField(game, 12, 7);
      if (c.fullBoard)
        for (int x = 1; x <= 12; ++x)
          for (int y = 1; y <= 7; ++y) game.SetCell(x, y, 2);
      for (const Cell& b : c.blockers) game.SetCell(b.x, b.y, 2);
      game.SetCell(c.first.x, c.first.y, 1);
      game.SetCell(c.second.x, c.second.y, 1);

      const auto link = literal
                            ? LiteralFindLink(game, c.first.x, c.first.y, c.second.x, c.second.y)
                            : game.FindLink(c.first.x, c.first.y, c.second.x, c.second.y);
      std::optional<Link> expected;
      if (c.linked)
        expected = Link{static_cast<LinkShape>(c.kind),
                        {c.corner1.x, c.corner1.y},
                        {c.corner2.x, c.corner2.y}};
      EXPECT_EQ(link, expected) << c.what << (literal ? " (literal search)" : "");
    }
  }
}

TEST(FindLink, TurnsAwayDifferentKindsAndEmptyCells) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 12, 7);
  game.SetCell(3, 2, 1);
  game.SetCell(6, 5, 1);
  game.SetCell(4, 4, 2);
  ASSERT_TRUE(game.FindLink(3, 2, 6, 5));
  EXPECT_FALSE(game.FindLink(3, 2, 4, 4));  // different kinds
  EXPECT_FALSE(game.FindLink(3, 2, 3, 3));  // a neighbour, but empty
  EXPECT_FALSE(game.FindLink(3, 3, 3, 4));  // two empty cells: nothing to take away
  EXPECT_FALSE(game.FindLink(0, 2, 3, 2));  // from the ring
  EXPECT_EQ(game.At(3, 2), 1);
  EXPECT_EQ(game.At(6, 5), 1);
}

// ---------------------------------------------------------------------------------------
// Against an independent search

// Fewest straight segments from `from` to every cell of the field and its ring, through
// empty cells only (the far end may hold a tile); 0 where three are not enough.
std::vector<std::vector<int>> FewestSegments(const Game& game, Cell from) {
  const int w = game.Board().Cols + 2;
  const int h = game.Board().Rows + 2;
  std::vector<std::vector<int>> segments(w, std::vector<int>(h, 0));
  std::vector<Cell> frontier{from};
  constexpr std::array<Cell, 4> kDirections{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
  for (int level = 1; level <= 3; ++level) {
    std::vector<Cell> next;
    for (const Cell& c : frontier)
      for (const Cell& d : kDirections)
        for (int x = c.x + d.x, y = c.y + d.y; x >= 0 && x < w && y >= 0 && y < h;
             x += d.x, y += d.y) {
          if ((x != from.x || y != from.y) && segments[x][y] == 0) {
            segments[x][y] = level;
            if (game.Board()(x, y) == 0) next.push_back({x, y});
          }
          if (game.Board()(x, y) != 0) break;
        }
    frontier = std::move(next);
  }
  return segments;
}

bool InFieldOrRing(const Game& game, Cell c) {
  return c.x >= 0 && c.x <= game.Board().Cols + 1 && c.y >= 0 && c.y <= game.Board().Rows + 1;
}

// The path left in the link result joins the two cells through empty cells.
::testing::AssertionResult PathIsValid(const Game& game, const Link& link, Cell first,
                                       Cell second) {
  const Cell c1{link.Corner1.X, link.Corner1.Y}, c2{link.Corner2.X, link.Corner2.Y};
  std::vector<Cell> points;
  switch (link.Shape) {
    case LinkShape::Straight:
      if (c1.x != first.x || c1.y != first.y || c2.x != second.x || c2.y != second.y)
        return ::testing::AssertionFailure() << "a straight link names other cells";
      points = {first, second};
      break;
    case LinkShape::OneCorner:
      if (c2.x != 0 || c2.y != 0) return ::testing::AssertionFailure() << "corner 2 not reset";
      points = {first, c1, second};
      break;
    case LinkShape::TwoCorners:
      points = {first, c1, c2, second};
      break;
  }
  for (std::size_t i = 1; i + 1 < points.size(); ++i) {
    const Cell& c = points[i];
    if (!InFieldOrRing(game, c) || game.Board()(c.x, c.y) != 0)
      return ::testing::AssertionFailure()
             << "corner (" << c.x << ", " << c.y << ") is outside the ring or not empty";
  }
  for (std::size_t i = 1; i < points.size(); ++i) {
    const Cell a = points[i - 1], b = points[i];
    if ((a.x != b.x) == (a.y != b.y))
      return ::testing::AssertionFailure() << "segment " << i << " is not a straight line";
    const int dx = (b.x > a.x) - (b.x < a.x), dy = (b.y > a.y) - (b.y < a.y);
    for (int x = a.x + dx, y = a.y + dy; x != b.x || y != b.y; x += dx, y += dy)
      if (game.Board()(x, y) != 0)
        return ::testing::AssertionFailure()
               << "segment " << i << " crosses (" << x << ", " << y << ")";
  }
  return ::testing::AssertionSuccess();
}

struct BoardSize {
  int cols, rows;
};
constexpr BoardSize kSizes[] = {{12, 7}, {13, 8}, {14, 9}};

// A field with tiles of a few kinds at the given density, and stale tiles beyond the ring.
void RandomBoard(Game& game, std::mt19937& engine, BoardSize size, double density, int kinds) {
  MakeField(game, size.cols, size.rows);
  testing::LitterBeyondRing(game, 1);
  std::bernoulli_distribution occupied(density);
  std::uniform_int_distribution<int> kind(1, kinds);
  for (int x = 1; x <= size.cols; ++x)
    for (int y = 1; y <= size.rows; ++y)
      if (occupied(engine)) game.SetCell(x, y, kind(engine));
}

TEST(FindLink, AgreesWithABreadthFirstSearchOnRandomBoards) {
  std::mt19937 engine(20240611);
  SeededRandom random(1);
  Game game(random);
  int linkedPairs = 0, unlinkedPairs = 0;
  for (const BoardSize& size : kSizes)
    for (double density : {0.15, 0.35, 0.55, 0.75, 0.9})
      for (int board = 0; board < 8; ++board) {
        RandomBoard(game, engine, size, density, 3);
        for (int x1 = 1; x1 <= size.cols; ++x1)
          for (int y1 = 1; y1 <= size.rows; ++y1) {
            if (game.At(x1, y1) == 0) continue;
            const auto segments = FewestSegments(game, {x1, y1});
            for (int x2 = 1; x2 <= size.cols; ++x2)
              for (int y2 = 1; y2 <= size.rows; ++y2) {
                const bool sameTile = x1 == x2 && y1 == y2;
                const bool expected =
                    !sameTile && game.At(x2, y2) == game.At(x1, y1) && segments[x2][y2] != 0;
                const auto link = game.FindLink(x1, y1, x2, y2);
                const bool linked = link.has_value();
                ASSERT_EQ(linked, expected) << size.cols << " x " << size.rows << ": (" << x1
                                            << ", " << y1 << ") with (" << x2 << ", " << y2 << ")";
                if (!linked) {
                  ++unlinkedPairs;
                  continue;
                }
                ++linkedPairs;
                ASSERT_TRUE(PathIsValid(game, *link, {x1, y1}, {x2, y2}))
                    << "(" << x1 << ", " << y1 << ") with (" << x2 << ", " << y2 << ")";
                ASSERT_EQ(static_cast<int>(link->Shape), segments[x2][y2])
                    << "not the path with fewest turns: (" << x1 << ", " << y1 << ") with (" << x2
                    << ", " << y2 << ")";
              }
          }
      }
  // Both answers must have been put to the test many times over.
  EXPECT_GT(linkedPairs, 1000);
  EXPECT_GT(unlinkedPairs, 1000);
}

TEST(FindLink, GivesTheLiteralSearchsLinkForEveryPairFromATile) {
  std::mt19937 engine(77);
  SeededRandom random(1);
  Game game(random);
  std::uniform_int_distribution<int> ringCell(0, 1);
  for (const BoardSize& size : kSizes)
    for (double density : {0.1, 0.4, 0.7, 0.95})
      for (int board = 0; board < 6; ++board) {
        RandomBoard(game, engine, size, density, 2);
        // Some boards with tiles in the ring too, which play never produces: the shortcuts
        // must not depend on it.
        if (board % 3 == 0)
          for (int x = 0; x <= size.cols + 1; ++x)
            if (ringCell(engine)) game.SetCell(x, 0, 1);
        for (int x1 = 0; x1 <= size.cols + 1; ++x1)
          for (int y1 = 0; y1 <= size.rows + 1; ++y1)
            for (int x2 = 0; x2 <= size.cols + 1; ++x2)
              for (int y2 = 0; y2 <= size.rows + 1; ++y2) {
                const auto expected = game.At(x1, y1) == 0
                                          ? std::nullopt
                                          : LiteralFindLink(game, x1, y1, x2, y2);
                ASSERT_EQ(game.FindLink(x1, y1, x2, y2), expected)
                    << "(" << x1 << ", " << y1 << ") with (" << x2 << ", " << y2 << ")";
              }
      }
}

}  // namespace
}  // namespace quenlow
