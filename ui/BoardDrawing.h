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

// Where a difficulty's field lies in the picture: the top-left pixel of cell (1, 1) and
// the size of a cell, which is the size of a tile picture.
struct BoardLayout {
  int OriginX = 0;
  int OriginY = 0;
  int CellW = kTileWidth;
  int CellH = kTileHeight;
};

constexpr BoardLayout LayoutOf(Difficulty difficulty) {
  switch (difficulty) {
    case Difficulty::Easy:
      return {80, 100};
    case Difficulty::Normal:
      return {60, 80};
    case Difficulty::Hard:
      return {40, 60};
    case Difficulty::None:
      break;
  }
  return {};  // before the first game the field is empty anyway
}

enum class Mark {
  Pick,  // inverts the cell: the player's first cell, and both cells of the player's pair
  Hint,  // a cross-hatch over the cell: the hint and the automatic removal
};

class BoardDrawing {
 public:
  BoardDrawing(const Game& game, BoardPicture& picture, const TilePictures& tiles)
      : game_(game), picture_(picture), tiles_(tiles) {}

  // Black over the whole picture, then the picture of every cell of the playing field.
  void DrawBoard();
  void MarkCell(int x, int y, Mark mark);
  // The path of the link between these two cells, in the order they were given to FindLink.
  void DrawLink(int x1, int y1, int x2, int y2, const Link& link);

  const BoardPicture& Picture() const { return picture_; }
  BoardLayout Layout() const { return LayoutOf(game_.State().Difficulty); }

 private:
  const Game& game_;
  BoardPicture& picture_;
  const TilePictures& tiles_;
};

struct CellRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom excluded
  friend bool operator==(const CellRect&, const CellRect&) = default;
};
CellRect CellRectangle(const BoardLayout& layout, int x, int y);
void CellCentre(const BoardLayout& layout, int x, int y, int& px, int& py);
// Replaces the pixel (X, Y) by the column and row of the cell under it.
void PixelToCell(const BoardLayout& layout, int& X, int& Y);

// "第", the stage, "关：" and the stage's name (UTF-8).
std::string LevelText(int stage);
// The score in decimal, "-" in front when negative.
std::string ScoreText(int score);

}  // namespace quenlow
