// The raster operations against a plain pixel-by-pixel model of them, on rectangles and lines
// of every mode, pen width and brush, placed across the picture's edges: the drawing paints
// whole runs of a row at once, and a run that starts, ends or overlaps wrongly shows here.
// Every test runs at the scales a screen may ask for: the model works out each pixel of the
// picture from the game pixel it lies in, and only the hatch and copied pictures from the
// picture's own pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ui/BoardPicture.h"

namespace quenlow {
namespace {

constexpr int kW = BoardPicture::kWidth, kH = BoardPicture::kHeight;
using Pixels = std::vector<std::uint8_t>;

// Each pixel of the picture, on its own, as the raster rules describe it.
void ModelRectangle(Pixels& p, const BoardPicture& s, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  const int w = std::clamp(s.penWidth, 1, 64), before = w / 2, after = w - w / 2 - 1;
  const int l = left, t = top, r = right - 1, b = bottom - 1;
  const int scale = s.Scale();
  const auto inBand = [&](int v, int edge) { return v >= edge - before && v <= edge + after; };
  for (int py = 0; py < s.Height(); ++py)
    for (int px = 0; px < s.Width(); ++px) {
      const int x = px / scale, y = py / scale;
      if (x < l - before || x > r + after || y < t - before || y > b + after) continue;
      std::uint8_t& pixel = p[static_cast<std::size_t>(py * s.Width() + px)];
      if (inBand(y, t) || inBand(y, b) || inBand(x, l) || inBand(x, r))
        pixel = ApplyMode(s.penMode, pixel, s.penColor);
      else if (s.brushStyle == BrushStyle::Solid || OnDiagCross(px, py, scale))
        pixel = ApplyMode(s.penMode, pixel, s.brushColor);
    }
}

void ModelStraightLine(Pixels& p, const BoardPicture& s, int x1, int y1, int x2, int y2) {
  const int w = std::clamp(s.penWidth, 1, 64), before = w / 2, after = w - w / 2 - 1;
  const int scale = s.Scale();
  for (int py = 0; py < s.Height(); ++py)
    for (int px = 0; px < s.Width(); ++px) {
      const int x = px / scale, y = py / scale;
      if (x < std::min(x1, x2) - before || x > std::max(x1, x2) + after ||
          y < std::min(y1, y2) - before || y > std::max(y1, y2) + after)
        continue;
      std::uint8_t& pixel = p[static_cast<std::size_t>(py * s.Width() + px)];
      pixel = ApplyMode(s.penMode, pixel, s.penColor);
    }
}

Pixels Snapshot(const BoardPicture& picture) {
  return Pixels(picture.Bits(), picture.Bits() + picture.Width() * picture.Height());
}

std::string FirstDifference(const Pixels& a, const Pixels& b, int width) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) {
      std::ostringstream at;
      at << "(" << i % width << ", " << i / width << "): " << int{a[i]} << " instead of "
         << int{b[i]};
      return at.str();
    }
  return {};
}

class RasterOperations : public ::testing::TestWithParam<int> {
 protected:
  BoardPicture picture{GetParam()};
  std::string Differences(const Pixels& model) const {
    return FirstDifference(Snapshot(picture), model, picture.Width());
  }
};

TEST_P(RasterOperations, RectanglesAndStraightLinesPaintEveryPixelOnceInEveryMode) {
  std::mt19937 engine(17);
  // A ground of every index, so that not and xor show on each.
  std::uniform_int_distribution<int> index(0, 15);
  for (int i = 0; i < 200; ++i) {
    picture.penMode = PenMode::Copy;
    picture.penColor = static_cast<std::uint8_t>(index(engine));
    picture.Line(index(engine) * 40, index(engine) * 34, index(engine) * 40, index(engine) * 34);
  }
  Pixels model = Snapshot(picture);

  const PenMode modes[] = {PenMode::Black, PenMode::Not, PenMode::Xor, PenMode::Copy};
  // Small rectangles, whose frame bands meet or overlap, as well as large ones; some run
  // over the picture's edges.
  std::uniform_int_distribution<int> x(-30, kW + 30), y(-30, kH + 30), size(0, 12), big(0, 300);
  std::uniform_int_distribution<int> width(1, 9), pick(0, 3);
  for (int i = 0; i < 400; ++i) {
    picture.penMode = modes[pick(engine)];
    picture.penColor = static_cast<std::uint8_t>(index(engine));
    picture.penWidth = i % 50 == 0 ? 100 : width(engine);
    picture.brushStyle = pick(engine) == 0 ? BrushStyle::DiagCross : BrushStyle::Solid;
    const int left = x(engine), top = y(engine);
    const int w = i % 2 ? size(engine) : big(engine), h = i % 3 ? size(engine) : big(engine);
    if (i % 4 == 3) {
      const bool across = pick(engine) < 2;
      const int x2 = across ? left + w : left, y2 = across ? top : top + h;
      ModelStraightLine(model, picture, left, top, x2, y2);
      picture.Line(left, top, x2, y2);
    } else {
      ModelRectangle(model, picture, left, top, left + w, top + h);
      picture.Rectangle(left, top, left + w, top + h);
    }
    ASSERT_EQ(Differences(model), "") << "operation " << i;
  }
}

TEST_P(RasterOperations, StretchCopyScalesEveryPictureSizeToTheNearestPixel) {
  std::mt19937 engine(3);
  std::uniform_int_distribution<int> index(0, 255), x(-60, kW + 10), y(-60, kH + 10);
  std::uniform_int_distribution<int> size(1, 90);
  const int scale = GetParam();
  Pixels model = Snapshot(picture);
  for (int i = 0; i < 60; ++i) {
    IndexedImage source;
    source.Width = size(engine);
    source.Height = size(engine);
    for (int p = 0; p < source.Width * source.Height; ++p)
      source.Pixels.push_back(static_cast<std::uint8_t>(index(engine)));  // high bits dropped
    const int left = x(engine), top = y(engine);
    const int right = left + (i % 3 == 0 ? source.Width : size(engine));
    const int bottom = top + (i % 3 == 0 ? source.Height : size(engine));
    // The rectangle in pixels of the picture; the source fills it to the nearest pixel.
    const int l = left * scale, t = top * scale, r = right * scale, b = bottom * scale;
    for (int py = std::max(0, t); py < std::min(picture.Height(), b); ++py)
      for (int px = std::max(0, l); px < std::min(picture.Width(), r); ++px)
        model[static_cast<std::size_t>(py * picture.Width() + px)] = static_cast<std::uint8_t>(
            source.At((px - l) * source.Width / (r - l), (py - t) * source.Height / (b - t)) &
            0x0F);
    picture.StretchCopy(source, left, top, right, bottom);
    ASSERT_EQ(Differences(model), "") << "picture " << i;
  }
}

// The smallest rectangle holding every pixel that differs between two snapshots.
PixelRect ChangedBounds(const Pixels& before, const Pixels& after, int width, int height) {
  PixelRect r{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (before[static_cast<std::size_t>(y * width + x)] !=
          after[static_cast<std::size_t>(y * width + x)]) {
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
             std::max(r.Bottom, y + 1)};
      }
  return r.Empty() ? PixelRect{} : r;
}

// A view repaints only the recorded rectangle, so a pixel changed outside it stays stale on
// the screen, and a record much larger than the change costs the paint it was meant to save.
// In "not" mode every pixel an operation covers changes, so the record must be exactly the
// bounds of the change.
TEST_P(RasterOperations, DirtyRecordIsTheBoundsOfWhatEachOperationChanged) {
  IndexedImage tile{3, 2, {5, 6, 7, 8, 9, 10}};
  struct Case {
    const char* name;
    std::function<void(BoardPicture&)> draw;
  };
  const Case cases[] = {
      {"rectangle inside", [](BoardPicture& p) { p.Rectangle(80, 100, 120, 150); }},
      {"hatched rectangle, wide pen, over the top-left corner",
       [](BoardPicture& p) {
         p.penWidth = 4;
         p.brushStyle = BrushStyle::DiagCross;
         p.Rectangle(-10, -5, 30, 20);
       }},
      {"rectangle wholly outside", [](BoardPicture& p) { p.Rectangle(700, 10, 720, 30); }},
      {"wide horizontal line across the right edge",
       [](BoardPicture& p) {
         p.penWidth = 4;
         p.Line(600, 300, 700, 300);
       }},
      {"vertical line to the bottom row", [](BoardPicture& p) { p.Line(5, 500, 5, 549); }},
      {"slanted line", [](BoardPicture& p) { p.Line(10, 20, 200, 90); }},
      {"picture copy over the bottom edge",
       [&tile](BoardPicture& p) { p.StretchCopy(tile, 300, 530, 340, 580); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoardPicture fresh(GetParam());
    fresh.penMode = PenMode::Not;
    fresh.Rectangle(0, 0, kW, kH);  // something to draw over, and a record to discard
    fresh.TakeDirty();
    const Pixels before = Snapshot(fresh);
    c.draw(fresh);
    EXPECT_EQ(fresh.TakeDirty(),
              ChangedBounds(before, Snapshot(fresh), fresh.Width(), fresh.Height()));
    EXPECT_TRUE(fresh.TakeDirty().Empty()) << "taking the record starts it afresh";
  }
}

TEST_P(RasterOperations, DirtyRecordGathersEveryChangeUntilTaken) {
  const int s = GetParam();
  picture.penMode = PenMode::Not;
  picture.Rectangle(100, 100, 110, 110);
  picture.Line(300, 40, 320, 40);
  picture.Rectangle(700, 700, 710, 710);  // outside: adds nothing
  EXPECT_EQ(picture.TakeDirty(), (PixelRect{100 * s, 40 * s, 321 * s, 110 * s}));
}

// At a larger scale the hatch keeps its period and its share of the cell, with lines as wide
// as a pixel of the game: a hint looks the same on every screen, only finer. Where the two
// diagonals cross they share pixels, at most one game pixel's worth per period.
TEST_P(RasterOperations, HatchKeepsItsPeriodAndShareAtEveryScale) {
  const int s = GetParam();
  int painted = 0;
  for (int y = 0; y < 8 * s; ++y) {
    int inRow = 0;
    for (int x = 0; x < 8 * s; ++x) {
      inRow += OnDiagCross(x, y, s);
      EXPECT_EQ(OnDiagCross(x, y, s), OnDiagCross(x + 8 * s, y - 16 * s, s)) << x << "," << y;
    }
    EXPECT_GE(inRow, s) << "row " << y;
    EXPECT_LE(inRow, 2 * s) << "row " << y;
    painted += inRow;
  }
  EXPECT_LE(painted, 16 * s * s);
  EXPECT_GE(painted, 15 * s * s);
}

INSTANTIATE_TEST_SUITE_P(Scales, RasterOperations, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

}  // namespace
}  // namespace quenlow
