#pragma once
// Random sources and small board helpers shared by the engine tests.

#include <random>
#include <tuple>
#include <vector>

#include "game/Game.h"
#include "tests/support/Printing.h"
#include "tests/support/SeededRandom.h"

namespace quenlow::testing {

// Always the lowest value a draw may give.
class LowestRandom final : public RandomSource {
 public:
  void Reseed() override { ++reseeds; }
  int Draw(int) override { return 1; }
  int reseeds = 0;
};

// Logs every call: 0 for a re-seed, n for Draw(n). Draws give the highest allowed value.
class RecordingRandom final : public RandomSource {
 public:
  void Reseed() override { calls.push_back(0); }
  int Draw(int n) override {
    calls.push_back(n);
    return n < 2 ? 1 : n - 1;
  }
  std::vector<int> calls;
};

// Empties the whole grid and sets up a field of cols x rows for the given stage.
inline void MakeField(Game& game, int cols, int rows, int stage = 1) {
  game.LayField(cols, rows, stage);
}

// Puts a tile into every grid cell outside the field and its ring, as a bigger earlier
// game would have left them (and more).
inline void LitterBeyondRing(Game& game, TileKind kind) {
  const Board& s = game.Board();
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y)
      if (x > s.Cols + 1 || y > s.Rows + 1) game.SetCell(x, y, kind);
}

inline int CountFieldTiles(const Game& game) {
  int count = 0;
  for (int x = 1; x <= game.Board().Cols; ++x)
    for (int y = 1; y <= game.Board().Rows; ++y) count += game.At(x, y) != 0;
  return count;
}

// Reads the grid directly, so that a tile put into the ring shows even if a rule hid it.
inline bool RingEmpty(const Game& game) {
  const int cols = game.Board().Cols;
  const int rows = game.Board().Rows;
  for (int x = 0; x <= cols + 1; ++x)
    if (game.Board()(x, 0) != 0 || game.Board()(x, rows + 1) != 0) return false;
  for (int y = 0; y <= rows + 1; ++y)
    if (game.Board()(0, y) != 0 || game.Board()(cols + 1, y) != 0) return false;
  return true;
}

}  // namespace quenlow::testing
