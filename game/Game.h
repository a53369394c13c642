#pragma once
// The rules engine: one game object owns the single game state and board, and every
// rule works on them.

#include <optional>
#include <string>

#include "game/GameState.h"
#include "game/Random.h"

namespace quenlow {

struct CellPair {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  friend bool operator==(const CellPair&, const CellPair&) = default;
};

class Game {
 public:
  explicit Game(RandomSource& random) : random_(random) {}

  TGameState& State() { return state_; }
  const TGameState& State() const { return state_; }
  const TBoard& Board() const { return board_; }

  // The one way rules read a cell: empty for every cell beyond the ring of the current
  // game and for every cell outside the grid, whatever the grid holds there.
  TileKind At(int x, int y) const;
  // Writes a cell of the grid (tests and the play flow use it to empty a removed pair).
  void SetCell(int x, int y, TileKind kind);

  void ApplyPreset(TDifficulty difficulty);
  void DealTiles();
  static void SwapCells(TileKind& a, TileKind& b);

  bool FindLink(int x1, int y1, int x2, int y2);
  bool RowClear(int xa, int xb, int y, int mode) const;
  bool ColumnClear(int ya, int yb, int x, int mode) const;
  // FindLink for a first cell that holds a tile, with the same answer and the same link
  // result, but the two-corner searches skip every middle line whose end segments are
  // blocked. The pair scan calls it thousands of times per check.
  bool LinkTiles(int x1, int y1, int x2, int y2);

  void ShiftTiles();

  // The pair scan: the first removable pair, outer cell column by column, inner cell
  // likewise. On success the link result describes the pair found.
  std::optional<CellPair> FindFirstPair();

  // The board part of the shuffle: re-seed, then exchange occupied cells only.
  void ShuffleBoard();

 private:
  TileKind& Cell(int x, int y) { return board_(x, y); }
  bool InField(int x, int y) const;
  void SetCorners(int kind, int c1x, int c1y, int c2x, int c2y);
  bool StraightLink(int x1, int y1, int x2, int y2);
  bool OneCornerLink(int x1, int y1, int x2, int y2);
  void RowRun(int x, int y, int& lo, int& hi) const;
  void ColumnRun(int x, int y, int& lo, int& hi) const;
  // One fill step at cell (x, y) of the field, taking tiles from the side (dx, dy).
  void FillStep(int x, int y, int dx, int dy, bool secondStep);
  // A pass over every column (row), visiting rows (columns) from..to, stepping towards the
  // source side dy (dx).
  void VerticalPass(int fromY, int toY, int dy);
  void HorizontalPass(int fromX, int toX, int dx, int noSecondStepX);

  RandomSource& random_;
  TGameState state_;
  TBoard board_;
};

// The name of a stage as the level label shows it (UTF-8); empty outside 1..9.
std::string StageName(int stage);

}  // namespace quenlow
