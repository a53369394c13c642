#pragma once
// Drawing the board of the running game into the board picture, and the geometry that
// turns picture pixels into cells.

#include <array>
#include <string>

#include "game/Game.h"
#include "ui/BoardPicture.h"

namespace quenlow {

// The 27 tile pictures by TileKind: 0 the blank cell, k the k-th letter.
using TilePictures = std::array<IndexedImage, 27>;

class BoardDrawing {
 public:
  BoardDrawing(const Game& game, BoardPicture& picture, const TilePictures& tiles)
      : game_(game), picture_(picture), tiles_(tiles) {}

  // Black over the whole picture, then the picture of every cell of the playing field.
  void DrawBoard();
  void MarkCell(int x, int y, int kind);  // 1 pick (inverts), 2 hint (cross-hatch)
  // The path of the last link found between these two cells, in the order given to FindLink.
  void DrawLink(int x1, int y1, int x2, int y2);

  const BoardPicture& Picture() const { return picture_; }

 private:
  const Game& game_;
  BoardPicture& picture_;
  const TilePictures& tiles_;
};

struct CellRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom excluded
  friend bool operator==(const CellRect&, const CellRect&) = default;
};
// Cells far off the board give coordinates held within the range of int, never an overflow.
CellRect CellRectangle(const TGameState& state, int x, int y);
void CellCentre(const TGameState& state, int x, int y, int& px, int& py);
// Replaces the pixel (X, Y) by the column and row of the cell under it. Without a cell size
// (before the first game) no pixel lies in a cell and both become 0.
void PixelToCell(const TGameState& state, int& X, int& Y);

// "第", the stage, "关：" and the stage's name (UTF-8).
std::string LevelText(int stage);
// The score in decimal, "-" in front when negative.
std::string ScoreText(int score);

}  // namespace quenlow
