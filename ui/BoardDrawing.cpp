#include "ui/BoardDrawing.h"

namespace quenlow {

CellRect CellRectangle(const BoardLayout& layout, int x, int y) {
  const int left = layout.OriginX + (x - 1) * layout.CellW;
  const int top = layout.OriginY + (y - 1) * layout.CellH;
  return {left, top, left + layout.CellW, top + layout.CellH};
}

void CellCentre(const BoardLayout& layout, int x, int y, int& px, int& py) {
  // '/' drops the remainder, as the game's formula asks.
  px = layout.OriginX + x * layout.CellW - layout.CellW / 2;
  py = layout.OriginY + y * layout.CellH - layout.CellH / 2;
}

void PixelToCell(const BoardLayout& layout, int& X, int& Y) {
  // The division drops the remainder (towards zero); the callers pass only pixels of the
  // playing field, where that is the same as rounding down.
  X = (X - layout.OriginX) / layout.CellW + 1;
  Y = (Y - layout.OriginY) / layout.CellH + 1;
}

std::string LevelText(int stage) {
  return "第" + std::to_string(stage) + "关：" + StageName(stage);
}

std::string ScoreText(int score) {
  return std::to_string(score);
}

void BoardDrawing::DrawBoard() {
  picture_.brushStyle = BrushStyle::Solid;
  picture_.penMode = PenMode::Black;
  picture_.Rectangle(0, 0, BoardPicture::kWidth, BoardPicture::kHeight);

  const BoardLayout layout = Layout();
  const quenlow::Board& board = game_.Board();
  for (int x = 1; x <= board.Cols; ++x) {
    for (int y = 1; y <= board.Rows; ++y) {
      const TileKind kind = game_.At(x, y);
      if (kind < 0 || kind >= static_cast<TileKind>(tiles_.size())) continue;  // no picture
      const CellRect cell = CellRectangle(layout, x, y);
      picture_.StretchCopy(tiles_[static_cast<std::size_t>(kind)], cell.Left, cell.Top, cell.Right,
                           cell.Bottom);
    }
  }
}

void BoardDrawing::MarkCell(int x, int y, Mark mark) {
  picture_.penColor = kBlack;
  picture_.penWidth = 1;
  switch (mark) {
    case Mark::Pick:
      picture_.penMode = PenMode::Not;
      picture_.brushStyle = BrushStyle::Solid;
      break;
    case Mark::Hint:
      // A black pen in xor mode leaves the frame as it is; the white hatch inverts under its
      // lines.
      picture_.penMode = PenMode::Xor;
      picture_.brushStyle = BrushStyle::DiagCross;
      break;
  }
  const CellRect cell = CellRectangle(Layout(), x, y);
  picture_.Rectangle(cell.Left, cell.Top, cell.Right, cell.Bottom);
}

void BoardDrawing::DrawLink(int x1, int y1, int x2, int y2, const Link& link) {
  const BoardLayout layout = Layout();
  picture_.penColor = kYellow;
  picture_.penWidth = 4;
  picture_.penMode = PenMode::Copy;

  const auto centre = [&](int x, int y) {
    Cell p;
    CellCentre(layout, x, y, p.X, p.Y);
    return p;
  };
  const Cell p1 = centre(x1, y1), p2 = centre(x2, y2);
  const Cell c1 = centre(link.Corner1.X, link.Corner1.Y);
  const Cell c2 = centre(link.Corner2.X, link.Corner2.Y);
  const auto line = [&](Cell a, Cell b) { picture_.Line(a.X, a.Y, b.X, b.Y); };
  switch (link.Shape) {
    case LinkShape::Straight:
      line(c1, c2);
      break;
    case LinkShape::OneCorner:
      line(p1, c1);
      line(c1, p2);
      break;
    case LinkShape::TwoCorners:
      line(p1, c1);
      line(c1, c2);
      line(c2, p2);
      break;
  }
}

}  // namespace quenlow
