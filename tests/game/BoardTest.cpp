// Cell access, presets, dealing, swapping and the game's own random source.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <ostream>
#include <set>

#include "game/Game.h"
#include "tests/game/TestSupport.h"

namespace quenlow {
namespace {

using testing::LitterBeyondRing;
using testing::LowestRandom;
using testing::MakeField;
using testing::RecordingRandom;
using testing::RingEmpty;
using testing::SeededRandom;

struct PresetRow {
  Difficulty difficulty;
  int cols, rows, kinds, copiesOfEachKind;
};

constexpr PresetRow kPresetRows[] = {
    {Difficulty::Easy, 12, 7, 21, 4},
    {Difficulty::Normal, 13, 8, 26, 4},
    {Difficulty::Hard, 14, 9, 21, 6},
};


TEST(At, ReadsOnlyTheFieldAndItsRing) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 12, 7);
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y) game.SetCell(x, y, 5);

  struct Case {
    int x, y;
    TileKind expected;
  };
  const Case cases[] = {
      {1, 1, 5},   {12, 7, 5}, {0, 0, 5},  {13, 8, 5},   {0, 4, 5},     {13, 4, 5},
      {14, 4, 0},  {6, 9, 0},  {14, 9, 0}, {-1, 3, 0},   {3, -1, 0},    {-1, -1, 0},
      {40, 30, 0}, {41, 0, 0}, {0, 31, 0}, {1000, 2, 0}, {2, -1000, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(game.At(c.x, c.y), c.expected) << "cell (" << c.x << ", " << c.y << ")";
}

TEST(LayField, KeepsTheFieldAndItsRingInsideTheGrid) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 40, 30);
  EXPECT_EQ(game.Board().Cols, kMaxFieldCols);
  EXPECT_EQ(game.Board().Rows, kMaxFieldRows);
  game.SetCell(kGridCols - 1, kGridRows - 1, 3);  // the far corner of the ring
  EXPECT_EQ(game.At(kGridCols - 1, kGridRows - 1), 3);
  EXPECT_EQ(game.At(kGridCols, kGridRows - 1), 0);
  EXPECT_EQ(game.At(kGridCols - 1, kGridRows), 0);
}

TEST(SetCell, IgnoresCellsOutsideTheGrid) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 12, 7);
  const Board before = game.Board();
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {41, 0}, {0, 31}, {41, 31}, {-5, 99}})
    game.SetCell(x, y, 7);
  EXPECT_EQ(game.Board().Cells, before.Cells);
}

TEST(ApplyPreset, StartsAGameOfTheDifficultyOnItsField) {
  for (const PresetRow& row : kPresetRows) {
    SeededRandom random(1);
    Game game(random);
    game.ApplyPreset(row.difficulty);
    const GameState& s = game.State();
    EXPECT_EQ(s.Difficulty, row.difficulty);
    EXPECT_EQ(s.Stage, 1);
    EXPECT_EQ(game.Board().Cols, row.cols);
    EXPECT_EQ(game.Board().Rows, row.rows);
    EXPECT_EQ(game.Rules().Kinds, row.kinds);
    EXPECT_EQ(s.Remaining, row.cols * row.rows);
    EXPECT_EQ(game.Rules().TimeBonus, 1);
    EXPECT_EQ(game.Rules().PauseMs, 500);
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(game.Rules().PairPoints, 50);
  }
}

TEST(ApplyPreset, NormalAfterAHardGameResetsTheGameButNotTheBoard) {
  SeededRandom random(1);
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
  game.DealTiles();
  game.SetStage(7);
  game.SetScore(4350);
  const Board board = game.Board();

  game.ApplyPreset(Difficulty::Normal);
  const GameState& s = game.State();
  EXPECT_EQ(s.Score, 0);
  EXPECT_EQ(s.Remaining, 104);
  EXPECT_EQ(s.Stage, 1);
  EXPECT_EQ(s.Difficulty, Difficulty::Normal);
  EXPECT_EQ(game.Board().Cells, board.Cells);
}

TEST(ApplyPreset, LeavesTheGameAloneWithoutADifficulty) {
  SeededRandom random(1);
  Game game(random);
  game.ApplyPreset(Difficulty::Easy);
  game.SetScore(300);
  game.ApplyPreset(Difficulty::None);
  EXPECT_EQ(game.State().Difficulty, Difficulty::Easy);
  EXPECT_EQ(game.Board().Cols, 12);
  EXPECT_EQ(game.State().Score, 300);
}

TEST(DealTiles, DealsEveryKindEquallyOftenAndKeepsTheRingEmpty) {
  for (const PresetRow& row : kPresetRows) {
    for (unsigned seed : {1u, 2u, 3u}) {
      SeededRandom random(seed);
      Game game(random);
      game.ApplyPreset(row.difficulty);
      game.DealTiles();
      std::map<TileKind, int> counts;
      for (int x = 1; x <= row.cols; ++x)
        for (int y = 1; y <= row.rows; ++y) ++counts[game.At(x, y)];
      ASSERT_EQ(counts.size(), static_cast<std::size_t>(row.kinds))
          << "difficulty " << row.difficulty;
      for (const auto& [kind, count] : counts) {
        EXPECT_GE(kind, 1);
        EXPECT_LE(kind, row.kinds);
        EXPECT_EQ(count, row.copiesOfEachKind) << "kind " << kind;
      }
      EXPECT_TRUE(RingEmpty(game));
      EXPECT_EQ(game.State().Remaining, row.cols * row.rows);
    }
  }
}

// Catches the board between the fill and the scatter: the re-seed comes right between them.
class SnapshotRandom final : public RandomSource {
 public:
  explicit SnapshotRandom(const Game*& game) : game_(game) {}
  void Reseed() override { filled = game_->Board(); }
  int Draw(int) override { return 1; }
  Board filled;

 private:
  const Game*& game_;
};

TEST(DealTiles, FillsColumnByColumnWithACounterThatRunsOn) {
  struct Case {
    Difficulty difficulty;
    int column;
    std::vector<TileKind> expected;
  };
  const Case cases[] = {
      {Difficulty::Easy, 1, {1, 2, 3, 4, 5, 6, 7}},
      {Difficulty::Easy, 3, {15, 16, 17, 18, 19, 20, 21}},
      {Difficulty::Easy, 4, {1, 2, 3, 4, 5, 6, 7}},
      {Difficulty::Normal, 4, {25, 26, 1, 2, 3, 4, 5, 6}},
      {Difficulty::Hard, 3, {19, 20, 21, 1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    const Game* self = nullptr;
    SnapshotRandom random(self);
    Game game(random);
    self = &game;
    game.ApplyPreset(c.difficulty);
    game.DealTiles();
    std::vector<TileKind> column;
    for (int y = 1; y <= game.Board().Rows; ++y) column.push_back(random.filled(c.column, y));
    EXPECT_EQ(column, c.expected) << "difficulty " << c.difficulty << ", column " << c.column;
  }
}

TEST(DealTiles, WithTheLowestDrawsSwapsEveryCellWithTheFirstInTurn) {
  // Swapping each cell in turn with (1, 1) hands every cell the fill value of the cell
  // before it, and (1, 1) ends up with the last one.
  for (const PresetRow& row : kPresetRows) {
    LowestRandom random;
    Game game(random);
    game.ApplyPreset(row.difficulty);
    game.DealTiles();
    const auto fillValue = [&](int index) { return index % row.kinds + 1; };
    const int cells = row.cols * row.rows;
    for (int x = 1; x <= row.cols; ++x)
      for (int y = 1; y <= row.rows; ++y) {
        const int index = (x - 1) * row.rows + (y - 1);
        const TileKind expected = index == 0 ? fillValue(cells - 1) : fillValue(index - 1);
        ASSERT_EQ(game.At(x, y), expected)
            << "difficulty " << row.difficulty << ", cell (" << x << ", " << y << ")";
      }
    EXPECT_EQ(random.reseeds, 1);
  }
}

TEST(DealTiles, ReseedsOnceAndDrawsColumnThenRowForEveryCell) {
  for (const PresetRow& row : kPresetRows) {
    RecordingRandom random;
    Game game(random);
    game.ApplyPreset(row.difficulty);
    game.DealTiles();
    game.DealTiles();
    std::vector<int> expected;
    for (int deal = 0; deal < 2; ++deal) {
      expected.push_back(0);
      for (int cell = 0; cell < row.cols * row.rows; ++cell) {
        expected.push_back(row.cols);
        expected.push_back(row.rows);
      }
    }
    EXPECT_EQ(random.calls, expected) << "difficulty " << row.difficulty;
    // The highest targets the draws allow still lie inside the field.
    EXPECT_TRUE(RingEmpty(game));
  }
}

TEST(DealTiles, WritesOnlyTheFieldAndItsRingAfterABiggerGame) {
  SeededRandom random(7);
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
  game.DealTiles();
  game.ApplyPreset(Difficulty::Easy);
  LitterBeyondRing(game, 99);
  for (int x = 0; x <= 13; ++x) game.SetCell(x, 8, 42);  // a stale tile in the new ring
  game.DealTiles();

  EXPECT_TRUE(RingEmpty(game));
  int dealt = 0;
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y) {
      const TileKind kind = game.Board()(x, y);
      if (x > 13 || y > 8) {
        ASSERT_EQ(kind, 99) << "cell (" << x << ", " << y << ") was written";
      } else if (kind != 0) {
        ++dealt;
      }
    }
  EXPECT_EQ(dealt, 84);
}

TEST(DealTiles, IgnoresASourceThatDrawsOutOfRange) {
  class WildRandom final : public RandomSource {
   public:
    void Reseed() override {}
    int Draw(int n) override { return (++count_ % 2) ? n + 5 : -3; }

   private:
    int count_ = 0;
  } random;
  Game game(random);
  game.ApplyPreset(Difficulty::Easy);
  game.DealTiles();
  EXPECT_TRUE(RingEmpty(game));
  EXPECT_EQ(testing::CountFieldTiles(game), 84);
}

TEST(TakePair, EmptiesBothCellsCountsThemOffAndScores) {
  SeededRandom random(3);
  Game game(random);
  game.ApplyPreset(Difficulty::Easy);
  game.DealTiles();
  game.SetScore(100);
  const Board before = game.Board();
  game.TakePair({2, 3, 7, 5}, 50);
  EXPECT_EQ(game.At(2, 3), 0);
  EXPECT_EQ(game.At(7, 5), 0);
  EXPECT_EQ(game.State().Remaining, 82);
  EXPECT_EQ(game.State().Score, 150);
  EXPECT_EQ(testing::CountFieldTiles(game), 82);
  for (int x = 1; x <= 12; ++x)
    for (int y = 1; y <= 7; ++y)
      if (!(x == 2 && y == 3) && !(x == 7 && y == 5)) {
        ASSERT_EQ(game.At(x, y), before(x, y));
      }

  game.TakePair({1, 1, 1, 2}, 0);  // the automatic removal scores nothing
  EXPECT_EQ(game.State().Score, 150);
  game.SetScore(std::numeric_limits<std::int32_t>::max() - 10);
  game.TakePair({3, 1, 3, 2}, 50);  // a score that has run for ever sticks at the top
  EXPECT_EQ(game.State().Score, std::numeric_limits<std::int32_t>::max());
}

TEST(NextStage, MovesOnFromOneToNineThenBackToOneWithAFreshDeal) {
  struct Case {
    int stage, next;
  };
  for (const Case c : {Case{1, 2}, Case{5, 6}, Case{8, 9}, Case{9, 1}}) {
    RecordingRandom random;
    Game game(random);
    game.ApplyPreset(Difficulty::Normal);
    game.SetStage(c.stage);
    game.SetScore(900);
    for (int x = 1; x <= 13; ++x)
      for (int y = 1; y <= 8; ++y) game.SetCell(x, y, 0);
    game.CountTiles();
    ASSERT_EQ(game.State().Remaining, 0);

    game.NextStage();
    EXPECT_EQ(game.State().Stage, c.next) << "after stage " << c.stage;
    EXPECT_EQ(game.State().Remaining, 104);
    EXPECT_EQ(testing::CountFieldTiles(game), 104);
    EXPECT_EQ(random.calls.front(), 0) << "the deal re-seeds";
    EXPECT_EQ(game.State().Score, 900);
    EXPECT_EQ(game.State().Difficulty, Difficulty::Normal);
  }
}

TEST(ClockRandom, DrawsEveryValueFromOneToBelowN) {
  ClockRandom random;
  random.Reseed();
  for (int n : {2, 3, 12, 13, 14}) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
      const int value = random.Draw(n);
      ASSERT_GE(value, 1) << "n = " << n;
      ASSERT_LE(value, n - 1) << "n = " << n;
      seen.insert(value);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(n - 1)) << "n = " << n;
    random.Reseed();
  }
}

TEST(ClockRandom, AnswersOneWhenThereIsNothingToDrawFrom) {
  ClockRandom random;
  random.Reseed();
  for (int n : {1, 0, -1, -1000}) EXPECT_EQ(random.Draw(n), 1) << "n = " << n;
}

}  // namespace
}  // namespace quenlow
