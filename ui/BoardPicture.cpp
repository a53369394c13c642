#include "ui/BoardPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace quenlow {
namespace {

// Coordinates are widened before any arithmetic: a cell far off the board or a garbage
// geometry must clip, never overflow.
using Wide = std::int64_t;

struct Box {
  Wide Left, Top, Right, Bottom;  // inclusive
  bool Empty() const { return Right < Left || Bottom < Top; }
};

// A clipped coordinate: always within the picture.
int Int(Wide v) {
  return static_cast<int>(v);
}

Box ClipToPicture(Box box) {
  box.Left = std::max<Wide>(box.Left, 0);
  box.Top = std::max<Wide>(box.Top, 0);
  box.Right = std::min<Wide>(box.Right, BoardPicture::kWidth - 1);
  box.Bottom = std::min<Wide>(box.Bottom, BoardPicture::kHeight - 1);
  return box;
}

// The game draws with widths 1 and 4; anything out of reason is kept within bounds so that a
// stray setting cannot make a single line take forever.
constexpr int kMaxPenWidth = 64;

struct PenSpan {
  Wide Before, After;  // pixels covered before and after the centre line
};

PenSpan SpanOf(int penWidth) {
  const Wide w = std::clamp(penWidth, 1, kMaxPenWidth);
  return {w / 2, w - w / 2 - 1};
}

// One raster mode over the pixels from..to (inclusive) of a row, the mode chosen once for the
// run rather than once a pixel: a full redraw touches every pixel of the picture.
void PaintRun(std::uint8_t* row, Wide from, Wide to, PenMode mode, std::uint8_t color) {
  std::uint8_t* const begin = row + from;
  std::uint8_t* const end = row + to + 1;
  switch (mode) {
    case PenMode::Black:
      std::fill(begin, end, kBlack);
      return;
    case PenMode::Copy:
      std::fill(begin, end, static_cast<std::uint8_t>(color & 0x0F));
      return;
    case PenMode::Not:
      for (std::uint8_t* p = begin; p != end; ++p) *p = ApplyMode(PenMode::Not, *p, color);
      return;
    case PenMode::Xor:
      for (std::uint8_t* p = begin; p != end; ++p) *p = ApplyMode(PenMode::Xor, *p, color);
      return;
  }
}

}  // namespace

BoardPicture::BoardPicture(int scale)
    : scale_(std::clamp(scale, 1, kMaxScale)),
      width_(kWidth * scale_),
      height_(kHeight * scale_),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kBlack) {}

int BoardPicture::ScaleForRatio(double ratio) {
  return std::clamp(static_cast<int>(std::ceil(ratio - 0.01)), 1, kMaxScale);
}

PixelRect BoardPicture::TakeDirty() {
  return std::exchange(dirty_, PixelRect{});
}

void BoardPicture::Changed(int left, int top, int right, int bottom) {
  ++version_;
  if (dirty_.Empty()) {
    dirty_ = {left, top, right + 1, bottom + 1};
    return;
  }
  dirty_ = {std::min(dirty_.Left, left), std::min(dirty_.Top, top),
            std::max(dirty_.Right, right + 1), std::max(dirty_.Bottom, bottom + 1)};
}

void BoardPicture::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  const PenSpan pen = SpanOf(penWidth);
  const Wide l = left, t = top, r = Wide{right} - 1, b = Wide{bottom} - 1;
  const Box box = ClipToPicture({l - pen.Before, t - pen.Before, r + pen.After, b + pen.After});
  if (box.Empty()) return;

  const auto inBand = [&](Wide v, Wide edge) {
    return v >= edge - pen.Before && v <= edge + pen.After;
  };
  // The settings are read once: writes to the pixels could alias them as far as the compiler
  // knows, and would make every pixel reload them.
  const PenMode mode = penMode;
  const std::uint8_t penInk = penColor, brushInk = brushColor;
  const BrushStyle style = brushStyle;
  const Wide s = scale_;
  // Within one row: the frame's left band, the inside, the frame's right band. Bands that
  // meet or overlap make one band, so that no pixel is drawn twice. The bands are worked out in
  // the game's coordinates and painted on every pixel of the picture they cover.
  const bool bandsMeet = l + pen.After + 1 >= r - pen.Before;
  const auto clipped = [&](Wide from, Wide to, auto&& paint) {
    from = std::max(from, box.Left);
    to = std::min(to, box.Right);
    if (from <= to) paint(from * s, (to + 1) * s - 1);
  };
  for (Wide y = box.Top * s; y <= (box.Bottom + 1) * s - 1; ++y) {
    const Wide gameY = y / s;
    std::uint8_t* const row = pixels_.data() + Index(0, static_cast<int>(y));
    const auto frame = [&](Wide from, Wide to) { PaintRun(row, from, to, mode, penInk); };
    if (inBand(gameY, t) || inBand(gameY, b) || bandsMeet) {
      clipped(box.Left, box.Right, frame);
      continue;
    }
    clipped(l - pen.Before, l + pen.After, frame);
    clipped(l + pen.After + 1, r - pen.Before - 1, [&](Wide from, Wide to) {
      if (style == BrushStyle::Solid) {
        PaintRun(row, from, to, mode, brushInk);
        return;
      }
      // The hatch is transparent between its lines.
      for (Wide x = from; x <= to; ++x)
        if (OnDiagCross(static_cast<int>(x), static_cast<int>(y), scale_))
          row[x] = ApplyMode(mode, row[x], brushInk);
    });
    clipped(r - pen.Before, r + pen.After, frame);
  }
  ChangedInGame(Int(box.Left), Int(box.Top), Int(box.Right), Int(box.Bottom));
}

void BoardPicture::Line(int x1, int y1, int x2, int y2) {
  const PenSpan pen = SpanOf(penWidth);
  const Box box =
      ClipToPicture({Wide{std::min(x1, x2)} - pen.Before, Wide{std::min(y1, y2)} - pen.Before,
                     Wide{std::max(x1, x2)} + pen.After, Wide{std::max(y1, y2)} + pen.After});
  if (box.Empty()) return;
  const Wide s = scale_;

  if (x1 == x2 || y1 == y2) {
    const PenMode mode = penMode;
    const std::uint8_t color = penColor;
    for (Wide y = box.Top * s; y <= (box.Bottom + 1) * s - 1; ++y)
      PaintRun(pixels_.data() + Index(0, static_cast<int>(y)), box.Left * s,
               (box.Right + 1) * s - 1, mode, color);
    ChangedInGame(Int(box.Left), Int(box.Top), Int(box.Right), Int(box.Bottom));
    return;
  }

  // A slanted line: stamp the square pen at every step along the longer axis into a mask
  // first, so that a pixel under several stamps is drawn once (this matters in xor and not).
  const Wide boxW = box.Right - box.Left + 1;
  const Wide boxH = box.Bottom - box.Top + 1;
  std::vector<bool> mask(static_cast<std::size_t>(boxW * boxH), false);
  const auto stamp = [&](Wide cx, Wide cy) {
    const Wide x0 = std::max(cx - pen.Before, box.Left), x1s = std::min(cx + pen.After, box.Right);
    const Wide y0 = std::max(cy - pen.Before, box.Top), y1s = std::min(cy + pen.After, box.Bottom);
    for (Wide y = y0; y <= y1s; ++y) {
      for (Wide x = x0; x <= x1s; ++x) {
        mask[static_cast<std::size_t>((y - box.Top) * boxW + (x - box.Left))] = true;
      }
    }
  };
  const Wide dx = Wide{x2} - x1, dy = Wide{y2} - y1;
  if (std::llabs(dx) >= std::llabs(dy)) {
    // Only the steps whose stamp can reach the visible box are walked.
    const Wide from = std::max<Wide>(std::min(x1, x2), box.Left - pen.After);
    const Wide to = std::min<Wide>(std::max(x1, x2), box.Right + pen.Before);
    for (Wide x = from; x <= to; ++x) {
      stamp(x, y1 + std::llround(static_cast<double>(x - x1) * static_cast<double>(dy) /
                                 static_cast<double>(dx)));
    }
  } else {
    const Wide from = std::max<Wide>(std::min(y1, y2), box.Top - pen.After);
    const Wide to = std::min<Wide>(std::max(y1, y2), box.Bottom + pen.Before);
    for (Wide y = from; y <= to; ++y) {
      stamp(x1 + std::llround(static_cast<double>(y - y1) * static_cast<double>(dx) /
                              static_cast<double>(dy)),
            y);
    }
  }
  bool drawn = false;
  for (Wide y = box.Top * s; y <= (box.Bottom + 1) * s - 1; ++y) {
    for (Wide x = box.Left * s; x <= (box.Right + 1) * s - 1; ++x) {
      if (!mask[static_cast<std::size_t>((y / s - box.Top) * boxW + (x / s - box.Left))]) continue;
      std::uint8_t& pixel = pixels_[Index(static_cast<int>(x), static_cast<int>(y))];
      pixel = ApplyMode(penMode, pixel, penColor);
      drawn = true;
    }
  }
  if (drawn) ChangedInGame(Int(box.Left), Int(box.Top), Int(box.Right), Int(box.Bottom));
}

void BoardPicture::StretchCopy(const IndexedImage& picture, int left, int top, int right,
                               int bottom) {
  if (!picture.Usable() || right <= left || bottom <= top) return;
  const Box box = ClipToPicture({left, top, Wide{right} - 1, Wide{bottom} - 1});
  if (box.Empty()) return;
  // In pixels of the picture from here on.
  const Wide s = scale_;
  const Wide dstLeft = Wide{left} * s, dstTop = Wide{top} * s;
  const Wide dstW = (Wide{right} - left) * s, dstH = (Wide{bottom} - top) * s;
  // The source column of every picture column, worked out once rather than once a row.
  std::array<int, kWidth * kMaxScale> sourceX;
  for (Wide x = box.Left * s; x <= (box.Right + 1) * s - 1; ++x)
    sourceX[static_cast<std::size_t>(x)] = static_cast<int>((x - dstLeft) * picture.Width / dstW);
  for (Wide y = box.Top * s; y <= (box.Bottom + 1) * s - 1; ++y) {
    const Wide sy = (y - dstTop) * picture.Height / dstH;
    const std::uint8_t* const from = picture.Pixels.data() + sy * picture.Width;
    std::uint8_t* const row = pixels_.data() + Index(0, static_cast<int>(y));
    for (Wide x = box.Left * s; x <= (box.Right + 1) * s - 1; ++x)
      row[x] = static_cast<std::uint8_t>(from[sourceX[static_cast<std::size_t>(x)]] & 0x0F);
  }
  ChangedInGame(Int(box.Left), Int(box.Top), Int(box.Right), Int(box.Bottom));
}

void BoardPicture::ChangedInGame(int left, int top, int right, int bottom) {
  const int s = scale_;
  Changed(left * s, top * s, (right + 1) * s - 1, (bottom + 1) * s - 1);
}

}  // namespace quenlow
