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
#include "tests/support/LiteralSearch.h"
#include "tests/support/SeededRandom.h"

namespace quenlow::bench {

using testing::LiteralScan;
using testing::SeededRandom;

inline void ClearGrid(Game& game) {
  for (int x = 0; x < kGridCols; ++x)
    for (int y = 0; y < kGridRows; ++y) game.SetCell(x, y, 0);
}

// A field of the given size at stage 1, nothing on it.
inline void EmptyField(Game& game, int cols, int rows) {
  game.LayField(cols, rows);
}

// A freshly dealt board of the given size, as a stage starts.
inline Game DealtBoard(RandomSource& random, int cols, int rows, int kinds) {
  Game game(random);
  EmptyField(game, cols, rows);
  game.DealTiles(kinds);
  game.CountTiles();
  return game;
}

inline Game DealtHardBoard(RandomSource& random) {
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
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
  game.CountTiles();
}

// The hard board (14 x 9, 21 kinds) full, with no removable pair: the scan runs to its end.
inline Game LockedHardBoard(RandomSource& random) {
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
  ClearGrid(game);
  LockedBlock(game, 14, 9, 21, 2);
  return game;
}

// The largest field (39 x 29) with 26 kinds and no removable pair. With 26 kinds at most 26
// columns and 26 rows can hold tiles (the first tiles of any two columns of one kind join
// through the ring), so the most such a board holds is a locked block of 26 x 26.
inline Game LockedLargestBoard(RandomSource& random) {
  Game game(random);
  EmptyField(game, 39, 29);
  LockedBlock(game, 26, 26, 26, 3);
  return game;
}

// The boards a hard stage goes through when every pair taken is the first one the scan
// finds, as the pair-exists check meets them after each removal: the full board first.
inline std::vector<Game> HardStagePlayed(RandomSource& random, int stage) {
  Game game = DealtHardBoard(random);
  game.SetStage(stage);
  std::vector<Game> boards;
  while (true) {
    boards.push_back(game);
    const auto pair = game.FindFirstPair();
    if (!pair) break;
    game.TakePair(pair->Cells, 0);
    game.ShiftTiles();
  }
  return boards;
}

// Stops the benchmark program when a board is not what its benchmark claims to measure.
inline void Require(bool condition, const std::string& what) {
  if (!condition) throw std::logic_error("benchmark board: " + what);
}

}  // namespace quenlow::bench
