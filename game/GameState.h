#pragma once
// The data the whole game works on: the single game record and the tile grid.

#include <array>
#include <cstdint>

namespace quenlow {

// 0 is an empty cell; 1..26 are the letters a..z.
using TileKind = std::int32_t;

// 1 easy, 2 normal, 3 hard.
using TDifficulty = std::int32_t;

constexpr int kGridCols = 41;
constexpr int kGridRows = 31;

// 41 x 31 cells, stored column by column. Cell (x, y): x the column, y the row.
// Raw storage only: rules read cells through Game::At, which answers empty beyond the ring.
struct TBoard {
  std::array<TileKind, kGridCols * kGridRows> Cells{};

  static constexpr bool InGrid(int x, int y) {
    return x >= 0 && x < kGridCols && y >= 0 && y < kGridRows;
  }
  TileKind& operator()(int x, int y) { return Cells[x * kGridRows + y]; }
  const TileKind& operator()(int x, int y) const { return Cells[x * kGridRows + y]; }
};

// The single record of the running game. Zeroed at program start.
struct TGameState {
  std::int32_t Difficulty = 0;
  std::int32_t Stage = 0;
  std::int32_t Cols = 0;
  std::int32_t Rows = 0;
  std::int32_t OriginX = 0;
  std::int32_t OriginY = 0;
  std::int32_t CellW = 0;
  std::int32_t CellH = 0;
  std::int32_t Kinds = 0;
  std::int32_t Remaining = 0;
  std::int32_t TimeBonus = 0;
  std::int32_t PauseMs = 0;
  std::int32_t Score = 0;
  std::int32_t PairPoints = 0;
  // The link result left by FindLink for DrawLink.
  std::int32_t Corner1X = 0;
  std::int32_t Corner2X = 0;
  std::int32_t Corner1Y = 0;
  std::int32_t Corner2Y = 0;
  // The current pick.
  std::int32_t SelX = 0;
  std::int32_t SelY = 0;
  std::int32_t ClickCount = 0;
  std::int32_t LinkKind = 0;
  bool PairExists = false;
};

}  // namespace quenlow
