#include "ui/BoardDrawing.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quenlow {
namespace {

using Wide = std::int64_t;

int Saturate(Wide value) {
  return static_cast<int>(
      std::clamp<Wide>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Rounds towards minus infinity, unlike '/'.
Wide FloorDiv(Wide a, Wide b) {
  const Wide q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The first and last 0-based cell index along one axis whose span [origin + i * size,
// origin + (i + 1) * size) meets the picture's [0, extent), within [0, count).
struct Span {
  Wide First, Last;
};
Span VisibleCells(Wide origin, Wide size, Wide count, Wide extent) {
  // origin + (i + 1) * size > 0  and  origin + i * size < extent
  const Wide first = std::max<Wide>(0, FloorDiv(-origin, size));
  const Wide last = std::min<Wide>(count - 1, FloorDiv(extent - 1 - origin, size));
  return {first, last};
}

}  // namespace

CellRect CellRectangle(const TGameState& state, int x, int y) {
  const Wide left = Wide{state.OriginX} + (Wide{x} - 1) * state.CellW;
  const Wide top = Wide{state.OriginY} + (Wide{y} - 1) * state.CellH;
  return {Saturate(left), Saturate(top), Saturate(left + state.CellW), Saturate(top + state.CellH)};
}

void CellCentre(const TGameState& state, int x, int y, int& px, int& py) {
  // '/' drops the remainder, as the game's formula asks.
  px = Saturate(Wide{state.OriginX} + Wide{x} * state.CellW - state.CellW / 2);
  py = Saturate(Wide{state.OriginY} + Wide{y} * state.CellH - state.CellH / 2);
}

void PixelToCell(const TGameState& state, int& X, int& Y) {
  if (state.CellW <= 0 || state.CellH <= 0) {
    X = 0;
    Y = 0;
    return;
  }
  // The division drops the remainder (towards zero); the callers pass only pixels of the
  // playing field, where that is the same as rounding down.
  X = Saturate((Wide{X} - state.OriginX) / state.CellW + 1);
  Y = Saturate((Wide{Y} - state.OriginY) / state.CellH + 1);
}

std::string LevelText(int stage) {
  return "第" + std::to_string(stage) + "关：" + StageName(stage);
}

std::string ScoreText(int score) {
  return std::to_string(score);
}

void BoardDrawing::DrawBoard() {
  const TGameState& state = game_.State();
  picture_.brushStyle = BrushStyle::Solid;
  picture_.penMode = PenMode::Black;
  picture_.Rectangle(0, 0, BoardPicture::kWidth, BoardPicture::kHeight);

  // Cells wholly outside the picture would change nothing; skipping them keeps a garbage
  // geometry from walking millions of cells.
  if (state.Cols <= 0 || state.Rows <= 0 || state.CellW <= 0 || state.CellH <= 0) return;
  const Span cols = VisibleCells(state.OriginX, state.CellW, state.Cols, BoardPicture::kWidth);
  const Span rows = VisibleCells(state.OriginY, state.CellH, state.Rows, BoardPicture::kHeight);
  for (Wide i = cols.First; i <= cols.Last; ++i) {
    for (Wide j = rows.First; j <= rows.Last; ++j) {
      const int x = static_cast<int>(i + 1), y = static_cast<int>(j + 1);
      const TileKind kind = game_.At(x, y);
      if (kind < 0 || kind >= static_cast<TileKind>(tiles_.size())) continue;  // no picture
      const CellRect cell = CellRectangle(state, x, y);
      picture_.StretchCopy(tiles_[static_cast<std::size_t>(kind)], cell.Left, cell.Top, cell.Right,
                           cell.Bottom);
    }
  }
}

void BoardDrawing::MarkCell(int x, int y, int kind) {
  picture_.penColor = kBlack;
  picture_.penWidth = 1;
  if (kind == 1) {
    picture_.penMode = PenMode::Not;
    picture_.brushStyle = BrushStyle::Solid;
  } else if (kind == 2) {
    // A black pen in xor mode leaves the frame as it is; the white hatch inverts under its lines.
    picture_.penMode = PenMode::Xor;
    picture_.brushStyle = BrushStyle::DiagCross;
  }
  const CellRect cell = CellRectangle(game_.State(), x, y);
  picture_.Rectangle(cell.Left, cell.Top, cell.Right, cell.Bottom);
}

void BoardDrawing::DrawLink(int x1, int y1, int x2, int y2) {
  const TGameState& state = game_.State();
  picture_.penColor = kYellow;
  picture_.penWidth = 4;
  picture_.penMode = PenMode::Copy;

  struct Point {
    int X = 0, Y = 0;
  };
  const auto centre = [&](int x, int y) {
    Point p;
    CellCentre(state, x, y, p.X, p.Y);
    return p;
  };
  const Point p1 = centre(x1, y1), p2 = centre(x2, y2);
  const Point c1 = centre(state.Corner1X, state.Corner1Y);
  const Point c2 = centre(state.Corner2X, state.Corner2Y);
  const auto line = [&](Point a, Point b) { picture_.Line(a.X, a.Y, b.X, b.Y); };
  switch (state.LinkKind) {
    case 1:
      line(c1, c2);
      break;
    case 2:
      line(p1, c1);
      line(c1, p2);
      break;
    case 3:
      line(p1, c1);
      line(c1, c2);
      line(c2, p2);
      break;
    default:
      break;
  }
}

}  // namespace quenlow
