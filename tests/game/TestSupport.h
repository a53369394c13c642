#pragma once
// Random sources and small board helpers shared by the engine tests.

#include <random>
#include <tuple>
#include <vector>

#include "game/Game.h"

namespace quenlow::testing {

// Always the lowest value a draw may give.
class LowestRandom final : public RandomSource {
 public:
  void Reseed() override { ++reseeds; }
  int Draw(int) override { return 1; }
  int reseeds = 0;
};

// A reproducible source: re-seeding does not restart it, so every deal still differs.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine(seed) {}
  void Reseed() override {}
  int Draw(int n) override {
    if (n < 2) return 1;
    return std::uniform_int_distribution<int>(1, n - 1)(engine);
  }
  std::mt19937 engine;
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
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y) game.SetCell(x, y, 0);
  game.State().Cols = cols;
  game.State().Rows = rows;
  game.State().Stage = stage;
}

// Puts a tile into every grid cell outside the field and its ring, as a bigger earlier
// game would have left them (and more).
inline void LitterBeyondRing(Game& game, TileKind kind) {
  const TGameState& s = game.State();
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y)
      if (x > s.Cols + 1 || y > s.Rows + 1) game.SetCell(x, y, kind);
}

inline int CountFieldTiles(const Game& game) {
  int count = 0;
  for (int x = 1; x <= game.State().Cols; ++x)
    for (int y = 1; y <= game.State().Rows; ++y) count += game.At(x, y) != 0;
  return count;
}

// Reads the grid directly, so that a tile put into the ring shows even if a rule hid it.
inline bool RingEmpty(const Game& game) {
  const int cols = game.State().Cols;
  const int rows = game.State().Rows;
  for (int x = 0; x <= cols + 1; ++x)
    if (game.Board()(x, 0) != 0 || game.Board()(x, rows + 1) != 0) return false;
  for (int y = 0; y <= rows + 1; ++y)
    if (game.Board()(0, y) != 0 || game.Board()(cols + 1, y) != 0) return false;
  return true;
}

// The five fields FindLink leaves behind.
inline auto LinkResult(const TGameState& s) {
  return std::make_tuple(s.LinkKind, s.Corner1X, s.Corner1Y, s.Corner2X, s.Corner2Y);
}

// Values no real link result holds, so that a field left alone or reset shows.
inline void MarkLinkResult(TGameState& s) {
  s.LinkKind = 9;
  s.Corner1X = s.Corner1Y = s.Corner2X = s.Corner2Y = 77;
}

}  // namespace quenlow::testing
