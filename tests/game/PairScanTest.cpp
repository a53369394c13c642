// The scan for the first removable pair, and the board part of the shuffle.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "game/Game.h"
#include "tests/game/TestSupport.h"
#include "tests/support/LiteralSearch.h"

namespace quenlow {
namespace {

using testing::LiteralScan;
using testing::LowestRandom;
using testing::MakeField;
using testing::RecordingRandom;
using testing::SeededRandom;

// Runs both scans on one game and compares the pair and its link.
void ExpectSameAsLiteralScan(const Game& game, const std::string& what) {
  const Board before = game.Board();
  const auto expected = LiteralScan(game);
  const auto found = game.FindFirstPair();
  ASSERT_EQ(found.has_value(), expected.has_value()) << what;
  if (found) {
    const CellPair& f = found->Cells;
    const CellPair& e = expected->Cells;
    EXPECT_EQ(f, e) << what << ": (" << f.X1 << ", " << f.Y1 << ") with (" << f.X2 << ", " << f.Y2
                    << ") instead of (" << e.X1 << ", " << e.Y1 << ") with (" << e.X2 << ", "
                    << e.Y2 << ")";
    EXPECT_EQ(found->Link, expected->Link) << what;
  }
  EXPECT_EQ(game.Board().Cells, before.Cells) << what << ": the scan changed the board";
}

struct ScanBoard {
  int cols, rows, kinds;
};

TEST(FindFirstPair, FindsThePairOfTheLiteralDoubleLoopOnRandomBoards) {
  const ScanBoard boards[] = {{12, 7, 21}, {13, 8, 26}, {14, 9, 21}, {39, 29, 26}};
  std::mt19937 engine(4242);
  SeededRandom random(1);
  for (const ScanBoard& b : boards)
    for (double density : {0.03, 0.1, 0.3, 0.6, 0.9, 1.0})
      for (int board = 0; board < (b.cols > 20 ? 3 : 10); ++board) {
        Game game(random);
        MakeField(game, b.cols, b.rows);
        testing::LitterBeyondRing(game, 1);
        std::bernoulli_distribution occupied(density);
        // Many kinds besides the preset's make boards on which pairs are rare and the scan
        // has to look far.
        const int kinds = board % 2 == 0 ? b.kinds : b.cols * b.rows / 2;
        std::uniform_int_distribution<int> kind(1, kinds);
        for (int x = 1; x <= b.cols; ++x)
          for (int y = 1; y <= b.rows; ++y)
            if (occupied(engine)) game.SetCell(x, y, kind(engine));
        ExpectSameAsLiteralScan(game, std::to_string(b.cols) + " x " + std::to_string(b.rows) +
                                          ", density " + std::to_string(density) + ", " +
                                          std::to_string(kinds) + " kinds");
      }
}

TEST(FindFirstPair, FindsThePairOfTheLiteralDoubleLoopOnBoardsWithFewPairs) {
  // Full boards of the largest field in which every kind occurs twice, placed apart: only
  // pairs along the edges can link, through the ring, if any.
  std::mt19937 engine(99);
  SeededRandom random(1);
  for (int board = 0; board < 3; ++board) {
    Game game(random);
    MakeField(game, 39, 29);
    std::vector<TileKind> tiles;
    for (int i = 0; i < 39 * 29; ++i) tiles.push_back(i / 2 + 1);
    std::shuffle(tiles.begin(), tiles.end(), engine);
    for (int x = 1; x <= 39; ++x)
      for (int y = 1; y <= 29; ++y) game.SetCell(x, y, tiles[(x - 1) * 29 + (y - 1)]);
    ExpectSameAsLiteralScan(game, "full 39 x 29, every kind twice");
    // The same with the edges cleared, so that no pair at all can be found.
    for (int x = 1; x <= 39; ++x) game.SetCell(x, 1, 0), game.SetCell(x, 29, 0);
    for (int y = 1; y <= 29; ++y) game.SetCell(1, y, 0), game.SetCell(39, y, 0);
    ExpectSameAsLiteralScan(game, "39 x 29 with an empty frame");
  }
}

TEST(FindFirstPair, FindsThePairOfTheLiteralDoubleLoopLateOnTheLargestField) {
  // A 26 x 26 block of the 26 letters, kind (x + 3y) mod 26 + 1, in the 39 x 29 field: no
  // neighbours match and no edge of the block holds a letter twice, so nothing links. All
  // 26 letters stand in the first column, so by the time the scan leaves it, it has looked
  // at every tile. One changed cell then makes the only pairs, far along the scan: each
  // cell of the last column in turn takes its left neighbour's letter, which gives every
  // letter its turn; a cell in the middle takes its upper neighbour's.
  struct Change {
    int x, y;          // the changed cell, or 0, 0 for the block as it is
    int fromX, fromY;  // the cell whose letter it takes
  };
  std::vector<Change> changes = {{0, 0, 0, 0}, {13, 14, 13, 13}};
  for (int y = 1; y <= 26; ++y) changes.push_back({26, y, 25, y});
  SeededRandom random(1);
  for (const Change& c : changes) {
    Game game(random);
    MakeField(game, 39, 29);
    for (int x = 1; x <= 26; ++x)
      for (int y = 1; y <= 26; ++y) game.SetCell(x, y, (x + 3 * y) % 26 + 1);
    if (c.x != 0) game.SetCell(c.x, c.y, game.At(c.fromX, c.fromY));
    const std::string what = "cell (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
    const auto expected = LiteralScan(game);
    EXPECT_EQ(expected.has_value(), c.x != 0) << what;
    if (expected) {
      EXPECT_GT(expected->Cells.X1, 1) << what << ": the pair is not far along the scan";
    }
    ExpectSameAsLiteralScan(game, what);
  }
}

TEST(FindFirstPair, FindsNothingWhereNoTwoTilesOfAKindStand) {
  struct Case {
    const char* what;
    int cols, rows;
    std::vector<std::pair<int, int>> tiles;  // each of a kind of its own
  };
  const Case cases[] = {
      {"before the first game", 0, 0, {}},
      {"an empty field", 12, 7, {}},
      {"a single tile", 12, 7, {{5, 3}}},
      {"tiles of different kinds", 12, 7, {{1, 1}, {1, 2}, {6, 6}}},
      {"a field of one cell", 1, 1, {{1, 1}}},
  };
  SeededRandom random(1);
  for (const Case& c : cases) {
    Game game(random);
    MakeField(game, c.cols, c.rows);
    TileKind kind = 1;
    for (const auto& [x, y] : c.tiles) game.SetCell(x, y, kind++);
    ExpectSameAsLiteralScan(game, c.what);
  }
}

TEST(FindFirstPair, TakesTheEarliestFirstCellAndThenTheEarliestSecondCell) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::pair<int, int>, TileKind>> tiles;
    CellPair expected;
  };
  const Case cases[] = {
      {"the pair further left wins, whatever its row",
       {{{5, 2}, 1}, {{5, 3}, 1}, {{2, 6}, 2}, {{3, 6}, 2}},
       {2, 6, 3, 6}},
      {"within one column the upper pair wins",
       {{{4, 5}, 1}, {{8, 5}, 1}, {{4, 2}, 2}, {{9, 7}, 2}},
       {4, 2, 9, 7}},
      {"the second cell is the earliest partner in column order",
       {{{2, 2}, 1}, {{4, 2}, 1}, {{2, 5}, 1}},
       {2, 2, 2, 5}},
      {"earlier tiles whose partners are boxed in are passed over",
       {{{1, 1}, 3}, {{1, 2}, 2}, {{2, 1}, 2}, {{2, 2}, 3}, {{6, 4}, 1}, {{7, 4}, 1}},
       {6, 4, 7, 4}},
  };
  SeededRandom random(1);
  for (const Case& c : cases) {
    Game game(random);
    MakeField(game, 12, 7);
    for (const auto& [cell, kind] : c.tiles) game.SetCell(cell.first, cell.second, kind);
    const auto first = game.FindFirstPair();
    ASSERT_TRUE(first.has_value()) << c.what;
    EXPECT_EQ(first->Cells, c.expected) << c.what;
    // The link is the one between the two cells, and asking again gives the same pair.
    const CellPair& p = first->Cells;
    EXPECT_EQ(game.FindLink(p.X1, p.Y1, p.X2, p.Y2), first->Link) << c.what;
    EXPECT_EQ(game.FindFirstPair(), first) << c.what;
  }
}

// ---------------------------------------------------------------------------------------
// Shuffle

std::vector<std::pair<int, int>> OccupiedCells(const Game& game) {
  std::vector<std::pair<int, int>> cells;
  for (int x = 1; x <= game.Board().Cols; ++x)
    for (int y = 1; y <= game.Board().Rows; ++y)
      if (game.At(x, y) != 0) cells.emplace_back(x, y);
  return cells;
}

TEST(ShuffleBoard, WithTheLowestDrawsPassesTheTilesRoundThroughTheFirstCell) {
  // Each occupied cell in turn trades with (1, 1): every occupied cell ends up with the
  // tile of the occupied cell before it, (1, 1) with that of the last one.
  LowestRandom random;
  Game game(random);
  MakeField(game, 12, 7);
  const std::vector<std::pair<int, int>> cells = {{1, 1}, {1, 4}, {3, 2}, {3, 7}, {12, 7}};
  for (std::size_t i = 0; i < cells.size(); ++i)
    game.SetCell(cells[i].first, cells[i].second, static_cast<TileKind>(i + 1));
  game.ShuffleBoard();
  EXPECT_EQ(game.At(1, 1), 5);
  EXPECT_EQ(game.At(1, 4), 1);
  EXPECT_EQ(game.At(3, 2), 2);
  EXPECT_EQ(game.At(3, 7), 3);
  EXPECT_EQ(game.At(12, 7), 4);
  EXPECT_EQ(OccupiedCells(game), cells);
  EXPECT_EQ(random.reseeds, 1);
}

TEST(ShuffleBoard, WithTheLowestDrawsMovesNothingWhenTheFirstCellIsEmpty) {
  LowestRandom random;
  Game game(random);
  MakeField(game, 12, 7);
  game.SetCell(1, 4, 1);
  game.SetCell(3, 2, 2);
  game.SetCell(12, 7, 3);
  const Board before = game.Board();
  game.ShuffleBoard();
  EXPECT_EQ(game.Board().Cells, before.Cells);
}

TEST(ShuffleBoard, LeavesASingleTileWhereItIs) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SeededRandom random(seed);
    Game game(random);
    MakeField(game, 14, 9);
    game.SetCell(7, 5, 4);
    game.ShuffleBoard();
    EXPECT_EQ(OccupiedCells(game), (std::vector<std::pair<int, int>>{{7, 5}}));
    EXPECT_EQ(game.At(7, 5), 4);
  }
}

TEST(ShuffleBoard, ReseedsAndDrawsColumnThenRowForEveryOccupiedCell) {
  RecordingRandom random;
  Game game(random);
  MakeField(game, 13, 8);
  game.SetCell(2, 3, 1);
  game.SetCell(5, 8, 2);
  game.SetCell(13, 1, 3);
  game.ShuffleBoard();
  EXPECT_EQ(random.calls, (std::vector<int>{0, 13, 8, 13, 8, 13, 8}));

  random.calls.clear();
  MakeField(game, 0, 0);  // before the first game: nothing to draw for
  game.ShuffleBoard();
  EXPECT_EQ(random.calls, (std::vector<int>{0}));
}

TEST(ShuffleBoard, KeepsTheOccupiedCellsAndTheTilesOnRandomBoards) {
  std::mt19937 engine(5);
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SeededRandom random(seed);
    Game game(random);
    game.ApplyPreset(static_cast<Difficulty>(1 + seed % 3));
    testing::LitterBeyondRing(game, 8);
    game.DealTiles();
    std::bernoulli_distribution remove(0.4);
    for (const auto& [x, y] : OccupiedCells(game))
      if (remove(engine)) game.SetCell(x, y, 0);
    const auto cells = OccupiedCells(game);
    std::vector<TileKind> tiles;
    for (const auto& [x, y] : cells) tiles.push_back(game.At(x, y));
    const Board before = game.Board();

    game.ShuffleBoard();
    EXPECT_EQ(OccupiedCells(game), cells);
    std::vector<TileKind> after;
    for (const auto& [x, y] : cells) after.push_back(game.At(x, y));
    std::sort(tiles.begin(), tiles.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, tiles);
    EXPECT_TRUE(testing::RingEmpty(game));
    for (int x = 0; x < kGridCols; ++x)
      for (int y = 0; y < kGridRows; ++y) {
        if (x > game.Board().Cols + 1 || y > game.Board().Rows + 1) {
          ASSERT_EQ(game.Board()(x, y), before(x, y)) << "(" << x << ", " << y << ")";
        }
      }
  }
}

}  // namespace
}  // namespace quenlow
