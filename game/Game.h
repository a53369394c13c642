#pragma once
// The rules engine: one game object owns the state of the rules and the board, and every rule
// works on them. Rules answer with values (a link, a pair); nothing is left behind for a later
// reader.

#include <optional>
#include <string>

#include "game/GameState.h"
#include "game/Link.h"
#include "game/Random.h"

namespace quenlow {

class Game {
 public:
  explicit Game(RandomSource& random) : random_(random) {}

  const GameState& State() const { return state_; }
  const quenlow::Board& Board() const { return board_; }
  // What the current difficulty plays with (an empty field before the first game).
  Preset Rules() const { return PresetOf(state_.Difficulty); }

  // The one way rules read a cell: empty for every cell beyond the ring of the current
  // field and for every cell outside the grid, whatever the grid holds there.
  // Every rule reads cells through it, so it lives here where each of them can inline it.
  TileKind At(int x, int y) const {
    if (x < 0 || y < 0 || x > board_.Cols + 1 || y > board_.Rows + 1) return 0;
    if (!quenlow::Board::InGrid(x, y)) return 0;  // never, as LayField keeps the ring in the grid
    return board_(x, y);
  }

  // A new game of the difficulty at stage 1 with no score; the board is dealt separately.
  void ApplyPreset(Difficulty difficulty);
  // Fills the field with the preset's kinds in turn and mixes them.
  void DealTiles() { DealTiles(Rules().Kinds); }
  void DealTiles(int kinds);

  // Empties both cells of the pair, counts its tiles off and adds the points to the score.
  void TakePair(const CellPair& pair, int points);
  // The stage after a cleared one (9 is followed by 1), with a fresh deal.
  void NextStage();

  // The link between a tile at (x1, y1) and the cell (x2, y2): none for an empty first cell,
  // for cells of different kinds and for a cell with itself. A straight link wins over one
  // with a corner, which wins over one with two.
  std::optional<Link> FindLink(int x1, int y1, int x2, int y2) const;
  bool RowClear(int xa, int xb, int y, SegmentEnds ends) const;
  bool ColumnClear(int ya, int yb, int x, SegmentEnds ends) const;

  void ShiftTiles();

  // The pair scan: the first removable pair, outer cell column by column, inner cell
  // likewise, with the link that joins it.
  std::optional<LinkedPair> FindFirstPair() const;

  // The board part of the shuffle: re-seed, then exchange occupied cells only.
  void ShuffleBoard();

  // Setting up a position, for tests and benchmarks: a field of any size up to the grid's,
  // emptied, at the given stage; single cells; the score; and the tile count made to match
  // the board.
  void LayField(int cols, int rows, int stage = 1);
  void SetCell(int x, int y, TileKind kind);
  void SetStage(int stage) { state_.Stage = stage; }
  void SetScore(int score) { state_.Score = score; }
  void CountTiles();

 private:
  TileKind& Cell(int x, int y) { return board_(x, y); }
  bool InField(int x, int y) const {
    return x >= 1 && x <= board_.Cols && y >= 1 && y <= board_.Rows;
  }
  std::optional<Link> StraightLink(int x1, int y1, int x2, int y2) const;
  std::optional<Link> OneCornerLink(int x1, int y1, int x2, int y2) const;
  void RowRun(int x, int y, int& lo, int& hi) const;
  void ColumnRun(int x, int y, int& lo, int& hi) const;
  // One fill step at cell (x, y) of the field, taking tiles from the side (dx, dy).
  void FillStep(int x, int y, int dx, int dy, bool secondStep);
  // A pass over every column (row), visiting rows (columns) from..to, stepping towards the
  // source side dy (dx).
  void VerticalPass(int fromY, int toY, int dy);
  void HorizontalPass(int fromX, int toX, int dx, int noSecondStepX);

  RandomSource& random_;
  GameState state_;
  quenlow::Board board_;
};

// The name of a stage as the level label shows it (UTF-8); empty outside 1..9.
std::string StageName(int stage);

}  // namespace quenlow
