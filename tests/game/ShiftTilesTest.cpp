// Stage names and the sliding of the tiles after each removal.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "game/Game.h"
#include "tests/game/TestSupport.h"

namespace quenlow {
namespace {

using testing::MakeField;
using testing::SeededRandom;

TEST(StageName, NamesTheNineStagesAndNothingElse) {
  const char* const expected[] = {"",         "不变化",   "从上到下", "从下到上",
                                  "上下分离", "左右分离", "从右到左", "从左到右",
                                  "上下集中", "左右集中", ""};
  for (int stage = 0; stage <= 10; ++stage) EXPECT_EQ(StageName(stage), expected[stage]) << stage;
  EXPECT_EQ(StageName(-1), "");
  EXPECT_EQ(StageName(1000), "");
}

// ---------------------------------------------------------------------------------------
// One line at a time: letters are tiles, '-' an empty cell.

struct LineCase {
  std::vector<int> stages;
  bool vertical;  // a column written top to bottom, else a row written left to right
  std::string line;
  std::string removed;
  std::string expected;
};

const LineCase kLineCases[] = {
    {{1}, true, "ABCDEFG", "C", "AB-DEFG"},
    {{1}, false, "ABCDEFGHIJKL", "AL", "-BCDEFGHIJK-"},
    {{0, 10, -3}, true, "ABCDEFG", "CF", "AB-DE-G"},
    {{0, 10}, false, "ABCDEFGHIJKL", "AF", "-BCDE-GHIJKL"},
    {{2}, true, "ABCDEFG", "CF", "--ABDEG"},
    {{2}, true, "ABCDEFG", "FG", "--ABCDE"},
    {{2}, true, "ABCDEFG", "CD", "--ABEFG"},
    {{2}, true, "ABCDEFG", "A", "-BCDEFG"},
    {{3}, true, "ABCDEFG", "BE", "ACDFG--"},
    {{3}, true, "ABCDEFGHI", "AB", "CDEFGHI--"},
    {{4, 8}, true, "ABCDEFG", "CD", "-ABEFG-"},
    {{4, 8}, true, "ABCDEFG", "A", "-BCDEFG"},
    {{4, 8}, true, "ABCDEFG", "G", "ABCDEF-"},
    {{4, 8}, true, "ABCDEFGH", "D", "-ABCEFGH"},
    {{4, 8}, true, "ABCDEFGH", "E", "ABCDFGH-"},
    {{4, 8}, true, "ABCDEFGHI", "DE", "-ABCFGHI-"},
    {{4, 8}, true, "ABCDEFG", "AB", "--CDEFG"},
    {{5}, false, "ABCDEFGHIJKL", "B", "ACDEF-GHIJKL"},
    {{5}, false, "ABCDEFGHIJKL", "F", "ABCDE-GHIJKL"},
    {{5}, false, "ABCDEFGHIJKL", "G", "ABCDE-FHIJKL"},
    {{5}, false, "ABCDEFGHIJKL", "GH", "ABCDE--FIJKL"},
    {{5}, false, "ABCDEFGHIJKL", "AB", "CDEF--GHIJKL"},
    {{5}, false, "ABCDEFGHIJKLM", "AM", "BCDEF--GHIJKL"},
    {{6}, false, "ABCDEFGHIJKL", "AB", "CDEFGHIJKL--"},
    {{6}, false, "ABCDEFGHIJKL", "CE", "ABDFGHIJKL--"},
    {{7}, false, "ABCDEFGHIJKL", "KL", "--ABCDEFGHIJ"},
    {{7}, false, "ABCDEFGHIJKL", "A", "-BCDEFGHIJKL"},
    {{9}, false, "ABCDEFGHIJKL", "F", "-ABCDEGHIJKL"},
    {{9}, false, "ABCDEFGHIJKL", "G", "ABCDEFHIJKL-"},
    {{9}, false, "ABCDEFGHIJKLMN", "GH", "-ABCDEFIJKLMN-"},
    {{9}, false, "ABCDEFGHIJKLM", "AM", "-BCDEFGHIJKL-"},
};

TEST(ShiftTiles, ClosesTheGapsOfOneLineAsItsStageDemands) {
  for (const LineCase& c : kLineCases)
    for (int stage : c.stages) {
      SeededRandom random(1);
      Game game(random);
      const int length = static_cast<int>(c.line.size());
      // The line runs through the middle of a field that is otherwise empty.
      c.vertical ? MakeField(game, 5, length, stage) : MakeField(game, length, 5, stage);
      const auto cell = [&](int i) {
        return c.vertical ? std::pair{3, i + 1} : std::pair{i + 1, 3};
      };
      for (int i = 0; i < length; ++i) {
        const char tile = c.removed.find(c.line[i]) == std::string::npos ? c.line[i] : '-';
        game.SetCell(cell(i).first, cell(i).second, tile == '-' ? 0 : tile);
      }
      game.ShiftTiles();
      std::string got;
      for (int i = 0; i < length; ++i) {
        const TileKind kind = game.At(cell(i).first, cell(i).second);
        got += kind == 0 ? '-' : static_cast<char>(kind);
      }
      EXPECT_EQ(got, c.expected) << "stage " << stage << ", " << c.line << " less " << c.removed;
      EXPECT_EQ(testing::CountFieldTiles(game), length - static_cast<int>(c.removed.size()))
          << "stage " << stage << ": a tile moved off the line";
    }
}

// ---------------------------------------------------------------------------------------
// Whole games: random removals on full boards

bool Occupied(const Game& game, int x, int y) {
  return game.At(x, y) != 0;
}

// One line of the field as occupied / empty, from its first cell to its last.
std::vector<bool> Line(const Game& game, bool column, int index) {
  std::vector<bool> line;
  const int length = column ? game.Board().Rows : game.Board().Cols;
  for (int i = 1; i <= length; ++i)
    line.push_back(column ? Occupied(game, index, i) : Occupied(game, i, index));
  return line;
}

// The tiles of line[from..to] (1-based) lie in one unbroken run; gives its ends.
bool Run(const std::vector<bool>& line, int from, int to, int& first, int& last) {
  first = last = 0;
  int count = 0;
  for (int i = from; i <= to; ++i)
    if (line[i - 1]) {
      if (first == 0) first = i;
      last = i;
      ++count;
    }
  return count == 0 || last - first + 1 == count;
}

::testing::AssertionResult ShapeHolds(const Game& game) {
  const int mr = game.Board().Rows / 2, mc = game.Board().Cols / 2;
  const bool vertical = game.State().Stage == 2 || game.State().Stage == 3 || game.State().Stage == 4 || game.State().Stage == 8;
  const int lines = vertical ? game.Board().Cols : game.Board().Rows;
  const int length = vertical ? game.Board().Rows : game.Board().Cols;
  for (int index = 1; index <= lines; ++index) {
    const std::vector<bool> line = Line(game, vertical, index);
    int first, last;
    bool ok = Run(line, 1, length, first, last);
    switch (game.State().Stage) {
      case 2:
        ok = ok && (first == 0 || last == game.Board().Rows);
        break;
      case 3:
        ok = ok && (first == 0 || first == 1);
        break;
      case 4:
      case 8:
        ok = ok && (first == 0 || (first <= mr && mr <= last));
        break;
      case 5: {
        int rightFirst, rightLast;
        ok = Run(line, 1, mc, first, last) && (first == 0 || first == 1) &&
             Run(line, mc + 1, length, rightFirst, rightLast) &&
             (rightFirst == 0 || rightLast == game.Board().Cols);
        const bool lostATile = std::count(line.begin(), line.end(), true) < length;
        ok = ok && !(lostATile && line[mc - 1]);
        break;
      }
      case 6:
        ok = ok && (first == 0 || first == 1);
        break;
      case 7:
        ok = ok && (first == 0 || last == game.Board().Cols);
        break;
      case 9:
        ok = ok && (first == 0 || (first <= mc && mc <= last));
        break;
      default:
        ok = true;
        break;
    }
    if (!ok) {
      std::string drawn;
      for (bool tile : line) drawn += tile ? '#' : '-';
      return ::testing::AssertionFailure()
             << "stage " << game.State().Stage << ", " << (vertical ? "column " : "row ") << index << ": "
             << drawn;
    }
  }
  return ::testing::AssertionSuccess();
}

// The tiles met along each line, in order: sliding never lets a tile pass another.
std::vector<std::vector<TileKind>> TilesAlongLines(const Game& game, bool columns) {
  std::vector<std::vector<TileKind>> lines;
  for (int index = 1; index <= (columns ? game.Board().Cols : game.Board().Rows); ++index) {
    std::vector<TileKind>& line = lines.emplace_back();
    for (int i = 1; i <= (columns ? game.Board().Rows : game.Board().Cols); ++i)
      if (const TileKind kind = columns ? game.At(index, i) : game.At(i, index))
        line.push_back(kind);
  }
  return lines;
}

std::vector<TileKind> SortedTiles(const Game& game) {
  std::vector<TileKind> tiles;
  for (int x = 1; x <= game.Board().Cols; ++x)
    for (int y = 1; y <= game.Board().Rows; ++y)
      if (game.At(x, y) != 0) tiles.push_back(game.At(x, y));
  std::sort(tiles.begin(), tiles.end());
  return tiles;
}

bool SameBeyondRing(const Game& game, const Board& reference) {
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y)
      if ((x > game.Board().Cols + 1 || y > game.Board().Rows + 1) && game.Board()(x, y) != reference(x, y)) return false;
  return true;
}

// Plays one stage to the end: two cells emptied at a time (often in one line), the tiles
// slid, now and then a shuffle, checking the board after every step.
void PlayOutStage(Difficulty difficulty, int stage, unsigned seed, bool litteredGrid) {
  SeededRandom random(seed);
  Game game(random);
  game.ApplyPreset(difficulty);
  if (litteredGrid) testing::LitterBeyondRing(game, 5000);
  game.DealTiles();
  game.SetStage(stage);
  // Tiles that can all be told apart, so that a tile passing another shows.
  for (int x = 1; x <= game.Board().Cols; ++x)
    for (int y = 1; y <= game.Board().Rows; ++y) game.SetCell(x, y, (x - 1) * game.Board().Rows + y);
  const Board outside = game.Board();
  const bool vertical = stage == 2 || stage == 3 || stage == 4 || stage == 8;

  std::mt19937 engine(seed * 31 + stage);
  for (int removal = 1; game.State().Remaining > 0; ++removal) {
    std::vector<std::pair<int, int>> occupied;
    for (int x = 1; x <= game.Board().Cols; ++x)
      for (int y = 1; y <= game.Board().Rows; ++y)
        if (game.At(x, y) != 0) occupied.emplace_back(x, y);
    ASSERT_EQ(static_cast<int>(occupied.size()), game.State().Remaining);
    std::shuffle(occupied.begin(), occupied.end(), engine);
    auto second = occupied.begin() + 1;
    if (removal % 2 == 0) {  // the two removed tiles in one line where there is a choice
      const auto inLine = std::find_if(occupied.begin() + 1, occupied.end(), [&](const auto& c) {
        return vertical ? c.first == occupied[0].first : c.second == occupied[0].second;
      });
      if (inLine != occupied.end()) second = inLine;
    }
    game.TakePair({occupied[0].first, occupied[0].second, second->first, second->second}, 0);

    const Board before = game.Board();
    const auto lines = TilesAlongLines(game, vertical);
    game.ShiftTiles();
    const std::string where = "difficulty " + std::to_string(static_cast<int>(difficulty)) + ", stage " +
                              std::to_string(stage) + ", removal " + std::to_string(removal);
    ASSERT_TRUE(ShapeHolds(game)) << where;
    if (stage == 1) {
      ASSERT_EQ(game.Board().Cells, before.Cells) << where;
    } else {
      ASSERT_EQ(TilesAlongLines(game, vertical), lines) << where;
    }
    ASSERT_EQ(testing::CountFieldTiles(game), game.State().Remaining) << where;
    ASSERT_TRUE(testing::RingEmpty(game)) << where;
    ASSERT_TRUE(SameBeyondRing(game, outside)) << where;

    const Board shifted = game.Board();
    game.ShiftTiles();
    ASSERT_EQ(game.Board().Cells, shifted.Cells) << where << ": a second call moved tiles";

    if (removal % 5 == 0) {
      const auto tiles = SortedTiles(game);
      game.ShuffleBoard();
      for (int x = 0; x < kGridCols; ++x)
        for (int y = 0; y < kGridRows; ++y)
          ASSERT_EQ(game.Board()(x, y) != 0, shifted(x, y) != 0)
              << where << ": the shuffle changed which cells hold tiles";
      ASSERT_EQ(SortedTiles(game), tiles) << where;
      ASSERT_TRUE(ShapeHolds(game)) << where << ", after a shuffle";
    }
  }
}

TEST(ShiftTiles, KeepsTheShapeOfEveryStageThroughWholeGames) {
  for (Difficulty difficulty : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard})
    for (int stage = 1; stage <= 9; ++stage)
      for (unsigned seed : {1u, 2u, 3u}) {
        PlayOutStage(difficulty, stage, seed, false);
        if (HasFatalFailure()) return;
      }
}

TEST(ShiftTiles, NeverPullsInTilesABiggerEarlierGameLeftInTheGrid) {
  for (Difficulty difficulty : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard})
    for (int stage = 1; stage <= 9; ++stage)
      for (unsigned seed : {4u, 5u}) {
        PlayOutStage(difficulty, stage, seed, true);
        if (HasFatalFailure()) return;
      }
}

TEST(ShiftTiles, StaysInsideTheFieldOnFieldsTooSmallForAMiddleLine) {
  for (int stage = 1; stage <= 9; ++stage)
    for (const auto& [cols, rows] : {std::pair{1, 1}, {1, 3}, {3, 1}, {2, 2}}) {
      SeededRandom random(1);
      Game game(random);
      MakeField(game, cols, rows, stage);
      game.SetCell(1, 1, 1);
      game.ShiftTiles();
      EXPECT_TRUE(testing::RingEmpty(game)) << "stage " << stage << ", " << cols << " x " << rows;
      EXPECT_EQ(testing::CountFieldTiles(game), 1) << "stage " << stage;
    }
}

}  // namespace
}  // namespace quenlow
