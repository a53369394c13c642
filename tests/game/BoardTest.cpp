// Cell access, presets, dealing, swapping and the game's own random source.

#include <gtest/gtest.h>

#include <map>
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
  TDifficulty difficulty;
  int cols, rows, originX, originY, kinds, copiesOfEachKind;
};

constexpr PresetRow kPresetRows[] = {
    {1, 12, 7, 80, 100, 21, 4},
    {2, 13, 8, 60, 80, 26, 4},
    {3, 14, 9, 40, 60, 21, 6},
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

TEST(At, AnswersEmptyOutsideTheGridEvenWhenTheRingReachesPastIt) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 40, 30);  // the ring's far column and row lie outside the 41 x 31 grid
  game.SetCell(40, 30, 3);
  EXPECT_EQ(game.At(40, 30), 3);
  EXPECT_EQ(game.At(41, 30), 0);
  EXPECT_EQ(game.At(40, 31), 0);
  EXPECT_EQ(game.At(41, 31), 0);
}

TEST(SetCell, IgnoresCellsOutsideTheGrid) {
  SeededRandom random(1);
  Game game(random);
  MakeField(game, 12, 7);
  const TBoard before = game.Board();
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {41, 0}, {0, 31}, {41, 31}, {-5, 99}})
    game.SetCell(x, y, 7);
  EXPECT_EQ(game.Board().Cells, before.Cells);
}

TEST(ApplyPreset, StoresTheRowOfEachDifficulty) {
  for (const PresetRow& row : kPresetRows) {
    SeededRandom random(1);
    Game game(random);
    game.ApplyPreset(row.difficulty);
    const TGameState& s = game.State();
    EXPECT_EQ(s.Difficulty, row.difficulty);
    EXPECT_EQ(s.Stage, 1);
    EXPECT_EQ(s.Cols, row.cols);
    EXPECT_EQ(s.Rows, row.rows);
    EXPECT_EQ(s.OriginX, row.originX);
    EXPECT_EQ(s.OriginY, row.originY);
    EXPECT_EQ(s.CellW, 40);
    EXPECT_EQ(s.CellH, 50);
    EXPECT_EQ(s.Kinds, row.kinds);
    EXPECT_EQ(s.Remaining, row.cols * row.rows);
    EXPECT_EQ(s.TimeBonus, 1);
    EXPECT_EQ(s.PauseMs, 500);
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(s.PairPoints, 50);
  }
}

TEST(ApplyPreset, NormalAfterAHardGameResetsTheGameButNothingElse) {
  SeededRandom random(1);
  Game game(random);
  game.ApplyPreset(3);
  game.DealTiles();
  TGameState& s = game.State();
  s.Stage = 7;
  s.Score = 4350;
  s.Remaining = 12;
  s.LinkKind = 3;
  s.Corner1X = 4;
  s.Corner1Y = 5;
  s.Corner2X = 6;
  s.Corner2Y = 7;
  s.SelX = 8;
  s.SelY = 2;
  s.ClickCount = 1;
  s.PairExists = true;
  const TBoard board = game.Board();

  game.ApplyPreset(2);
  EXPECT_EQ(s.Score, 0);
  EXPECT_EQ(s.Remaining, 104);
  EXPECT_EQ(s.Stage, 1);
  EXPECT_EQ(s.Difficulty, 2);
  EXPECT_EQ(testing::LinkResult(s), std::make_tuple(3, 4, 5, 6, 7));
  EXPECT_EQ(s.SelX, 8);
  EXPECT_EQ(s.SelY, 2);
  EXPECT_EQ(s.ClickCount, 1);
  EXPECT_TRUE(s.PairExists);
  EXPECT_EQ(game.Board().Cells, board.Cells);
}

TEST(ApplyPreset, LeavesTheGameAloneForAnUnknownDifficulty) {
  SeededRandom random(1);
  Game game(random);
  game.ApplyPreset(1);
  game.State().Score = 300;
  for (TDifficulty unknown : {0, 4, -1}) {
    game.ApplyPreset(unknown);
    EXPECT_EQ(game.State().Difficulty, 1);
    EXPECT_EQ(game.State().Cols, 12);
    EXPECT_EQ(game.State().Score, 300);
  }
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
  TBoard filled;

 private:
  const Game*& game_;
};

TEST(DealTiles, FillsColumnByColumnWithACounterThatRunsOn) {
  struct Case {
    TDifficulty difficulty;
    int column;
    std::vector<TileKind> expected;
  };
  const Case cases[] = {
      {1, 1, {1, 2, 3, 4, 5, 6, 7}},          {1, 3, {15, 16, 17, 18, 19, 20, 21}},
      {1, 4, {1, 2, 3, 4, 5, 6, 7}},          {2, 4, {25, 26, 1, 2, 3, 4, 5, 6}},
      {3, 3, {19, 20, 21, 1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    const Game* self = nullptr;
    SnapshotRandom random(self);
    Game game(random);
    self = &game;
    game.ApplyPreset(c.difficulty);
    game.DealTiles();
    std::vector<TileKind> column;
    for (int y = 1; y <= game.State().Rows; ++y) column.push_back(random.filled(c.column, y));
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
  game.ApplyPreset(3);
  game.DealTiles();
  game.ApplyPreset(1);
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
  game.ApplyPreset(1);
  game.DealTiles();
  EXPECT_TRUE(RingEmpty(game));
  EXPECT_EQ(testing::CountFieldTiles(game), 84);
}

TEST(SwapCells, ExchangesTwoCellsAndLeavesACellSwappedWithItselfAlone) {
  TileKind a = 3, b = 11;
  Game::SwapCells(a, b);
  EXPECT_EQ(a, 11);
  EXPECT_EQ(b, 3);
  Game::SwapCells(a, a);
  EXPECT_EQ(a, 11);
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
