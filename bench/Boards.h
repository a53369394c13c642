#pragma once
// Boards the benchmarks run on. Every board is built from a fixed seed, so two runs (and the
// two scans of one run) measure the same work.

#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/Random.h"

namespace quenlow::bench {

// Re-seeding does not restart it: every deal of one source differs, every run is the same.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine_(seed) {}
  void Reseed() override {}
  int Draw(int n) override {
    return n < 2 ? 1 : std::uniform_int_distribution<int>(1, n - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

// The scan as the rules state it: every ordered pair of cells, through FindLink. Kept here,
// apart from the engine, as the yardstick for the engine's own scan.
inline std::optional<CellPair> LiteralScan(Game& game) {
  const int cols = game.State().Cols, rows = game.State().Rows;
  for (int x1 = 1; x1 <= cols; ++x1)
    for (int y1 = 1; y1 <= rows; ++y1) {
      if (game.At(x1, y1) == 0) continue;
      for (int x2 = 1; x2 <= cols; ++x2)
        for (int y2 = 1; y2 <= rows; ++y2) {
          if (x2 == x1 && y2 == y1) continue;
          if (game.FindLink(x1, y1, x2, y2)) return CellPair{x1, y1, x2, y2};
        }
    }
  return std::nullopt;
}

inline void ClearGrid(Game& game) {
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y) game.SetCell(x, y, 0);
}

// A field of the given size at stage 1, nothing on it.
inline void EmptyField(Game& game, int cols, int rows, int kinds) {
  ClearGrid(game);
  TGameState& s = game.State();
  s.Cols = cols;
  s.Rows = rows;
  s.Kinds = kinds;
  s.Stage = 1;
  s.Remaining = 0;
}

// A freshly dealt board of the given size, as a stage starts.
inline Game DealtBoard(RandomSource& random, int cols, int rows, int kinds) {
  Game game(random);
  EmptyField(game, cols, rows, kinds);
  game.State().Remaining = cols * rows;
  game.DealTiles();
  return game;
}

inline Game DealtHardBoard(RandomSource& random) {
  Game game(random);
  game.ApplyPreset(3);
  game.DealTiles();
  return game;
}

// A full block of cols x rows tiles from the top-left corner of the field, kind
// (x + step * y) mod kinds + 1. Neighbours never match (they differ by 1 or by step), and no
// edge of the block holds a kind twice (cols, rows <= kinds, step coprime to kinds), so no
// tile can be joined to another: inside the block every path is blocked, and along the edges
// every kind stands alone.
inline void LockedBlock(Game& game, int cols, int rows, int kinds, int step) {
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) game.SetCell(x, y, (x + step * y) % kinds + 1);
  game.State().Remaining = cols * rows;
}

// The hard board (14 x 9, 21 kinds) full, with no removable pair: the scan runs to its end.
inline Game LockedHardBoard(RandomSource& random) {
  Game game(random);
  game.ApplyPreset(3);
  ClearGrid(game);
  LockedBlock(game, 14, 9, 21, 2);
  return game;
}

// The largest field (39 x 29) with 26 kinds and no removable pair. With 26 kinds at most 26
// columns and 26 rows can hold tiles (the first tiles of any two columns of one kind join
// through the ring), so the most such a board holds is a locked block of 26 x 26.
inline Game LockedLargestBoard(RandomSource& random) {
  Game game(random);
  EmptyField(game, 39, 29, 26);
  LockedBlock(game, 26, 26, 26, 3);
  return game;
}

// The boards a hard stage goes through when every pair taken is the first one the scan
// finds, as the pair-exists check meets them after each removal: the full board first.
inline std::vector<Game> HardStagePlayed(RandomSource& random, int stage) {
  Game game = DealtHardBoard(random);
  game.State().Stage = stage;
  std::vector<Game> boards;
  while (true) {
    boards.push_back(game);
    const auto pair = game.FindFirstPair();
    if (!pair) break;
    game.SetCell(pair->X1, pair->Y1, 0);
    game.SetCell(pair->X2, pair->Y2, 0);
    game.State().Remaining -= 2;
    game.ShiftTiles();
  }
  return boards;
}

// Stops the benchmark program when a board is not what its benchmark claims to measure.
inline void Require(bool condition, const std::string& what) {
  if (!condition) throw std::logic_error("benchmark board: " + what);
}

}  // namespace quenlow::bench
