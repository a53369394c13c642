#include "ui/BoardPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quenlow {
namespace {

// Coordinates are widened before any arithmetic: a cell far off the board or a garbage
// geometry must clip, never overflow.
using Wide = std::int64_t;

struct Box {
  Wide Left, Top, Right, Bottom;  // inclusive
  bool Empty() const { return Right < Left || Bottom < Top; }
};

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

}  // namespace

BoardPicture::BoardPicture() = default;

void BoardPicture::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  const PenSpan pen = SpanOf(penWidth);
  const Wide l = left, t = top, r = Wide{right} - 1, b = Wide{bottom} - 1;
  const Box box = ClipToPicture({l - pen.Before, t - pen.Before, r + pen.After, b + pen.After});
  if (box.Empty()) return;

  const auto inBand = [&](Wide v, Wide edge) {
    return v >= edge - pen.Before && v <= edge + pen.After;
  };
  for (Wide y = box.Top; y <= box.Bottom; ++y) {
    const bool frameRow = inBand(y, t) || inBand(y, b);
    for (Wide x = box.Left; x <= box.Right; ++x) {
      std::uint8_t& pixel = pixels_[Index(static_cast<int>(x), static_cast<int>(y))];
      if (frameRow || inBand(x, l) || inBand(x, r)) {
        pixel = ApplyMode(penMode, pixel, penColor);
      } else if (brushStyle == BrushStyle::Solid ||
                 OnDiagCross(static_cast<int>(x), static_cast<int>(y))) {
        // The hatch is transparent between its lines.
        pixel = ApplyMode(penMode, pixel, brushColor);
      }
    }
  }
  Changed();
}

void BoardPicture::Line(int x1, int y1, int x2, int y2) {
  const PenSpan pen = SpanOf(penWidth);
  const Box box =
      ClipToPicture({Wide{std::min(x1, x2)} - pen.Before, Wide{std::min(y1, y2)} - pen.Before,
                     Wide{std::max(x1, x2)} + pen.After, Wide{std::max(y1, y2)} + pen.After});
  if (box.Empty()) return;

  if (x1 == x2 || y1 == y2) {
    for (Wide y = box.Top; y <= box.Bottom; ++y) {
      for (Wide x = box.Left; x <= box.Right; ++x) {
        std::uint8_t& pixel = pixels_[Index(static_cast<int>(x), static_cast<int>(y))];
        pixel = ApplyMode(penMode, pixel, penColor);
      }
    }
    Changed();
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
  for (Wide y = box.Top; y <= box.Bottom; ++y) {
    for (Wide x = box.Left; x <= box.Right; ++x) {
      if (!mask[static_cast<std::size_t>((y - box.Top) * boxW + (x - box.Left))]) continue;
      std::uint8_t& pixel = pixels_[Index(static_cast<int>(x), static_cast<int>(y))];
      pixel = ApplyMode(penMode, pixel, penColor);
      drawn = true;
    }
  }
  if (drawn) Changed();
}

void BoardPicture::StretchCopy(const IndexedImage& picture, int left, int top, int right,
                               int bottom) {
  if (!picture.Usable() || right <= left || bottom <= top) return;
  const Box box = ClipToPicture({left, top, Wide{right} - 1, Wide{bottom} - 1});
  if (box.Empty()) return;
  const Wide dstW = Wide{right} - left, dstH = Wide{bottom} - top;
  for (Wide y = box.Top; y <= box.Bottom; ++y) {
    const Wide sy = (y - top) * picture.Height / dstH;
    for (Wide x = box.Left; x <= box.Right; ++x) {
      const Wide sx = (x - left) * picture.Width / dstW;
      pixels_[Index(static_cast<int>(x), static_cast<int>(y))] =
          static_cast<std::uint8_t>(picture.At(static_cast<int>(sx), static_cast<int>(sy)) & 0x0F);
    }
  }
  Changed();
}

}  // namespace quenlow
