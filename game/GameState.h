#pragma once
// The state of the rules: the tile grid, the difficulty and what it plays with, the stage, the
// score and the tiles still on the board. Nothing here knows about pixels or the player's pick.

#include <array>
#include <cstdint>

namespace quenlow {

// 0 is an empty cell; 1..26 are the letters a..z.
using TileKind = std::int32_t;

// None until the first game starts.
enum class Difficulty : std::int32_t { None = 0, Easy = 1, Normal = 2, Hard = 3 };

// What a difficulty plays with.
struct Preset {
  int Cols = 0;
  int Rows = 0;
  int Kinds = 0;       // the deal hands out the letters 1..Kinds in turn
  int TimeBonus = 0;   // units of the time bar a pair taken by the player gives back
  int PauseMs = 0;     // how long the player's pair stays on show before it goes
  int PairPoints = 0;  // the points a pair taken by the player scores
};

constexpr Preset PresetOf(Difficulty difficulty) {
  switch (difficulty) {
    case Difficulty::Easy:
      return {12, 7, 21, 1, 500, 50};
    case Difficulty::Normal:
      return {13, 8, 26, 1, 500, 50};
    case Difficulty::Hard:
      return {14, 9, 21, 1, 500, 50};
    case Difficulty::None:
      break;
  }
  return {};  // no field before the first game
}

constexpr int kGridCols = 41;
constexpr int kGridRows = 31;
// The largest field the grid holds with its ring of empty cells around it.
constexpr int kMaxFieldCols = kGridCols - 2;
constexpr int kMaxFieldRows = kGridRows - 2;

// 41 x 31 cells, stored column by column. Cell (x, y): x the column, y the row. The playing
// field is 1..Cols x 1..Rows; the ring around it stays empty. Raw storage only: rules read
// cells through Game::At, which answers empty beyond the ring.
struct Board {
  std::array<TileKind, kGridCols * kGridRows> Cells{};
  int Cols = 0;
  int Rows = 0;

  static constexpr bool InGrid(int x, int y) {
    return x >= 0 && x < kGridCols && y >= 0 && y < kGridRows;
  }
  TileKind& operator()(int x, int y) { return Cells[x * kGridRows + y]; }
  const TileKind& operator()(int x, int y) const { return Cells[x * kGridRows + y]; }
};

struct GameState {
  quenlow::Difficulty Difficulty = quenlow::Difficulty::None;
  std::int32_t Stage = 0;
  std::int32_t Score = 0;
  std::int32_t Remaining = 0;  // tiles on the board
};

}  // namespace quenlow
