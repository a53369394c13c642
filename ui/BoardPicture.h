#pragma once
// The retained 640 x 550 board picture: one palette index (0..15) a pixel, drawn on
// through a pen and a brush the way the game's raster operations need.
//
// The picture may hold more pixels than that: at scale s it is 640 s x 550 s, for a screen
// that shows s pixels per pixel of the game. Every operation still takes the game's 640 x 550
// coordinates and draws what it draws at scale 1 with each pixel made s x s, except that the
// hatch keeps thin, even lines and a copied picture is taken at the full size of the cell it
// fills, so tiles drawn at that scale come out sharp.

#include <array>
#include <cstdint>
#include <vector>

#include "art/Palette.h"

namespace quenlow {

// A small picture of palette indices, row by row (used for the tile pictures).
struct IndexedImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // Width * Height indices, row-major
  std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
  // False for a missing picture, and for one whose pixels do not fill its size.
  bool Usable() const {
    return Width > 0 && Height > 0 &&
           Pixels.size() >= static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
  }
};

// The colours the drawing names, and the sizes of the board and tile pictures, are the
// artwork's: one palette for every picture of the game.
constexpr std::uint8_t kBlack = art::kBlack;
constexpr std::uint8_t kYellow = art::kYellow;
constexpr std::uint8_t kWhite = art::kWhite;
using art::kPaletteRgb;
constexpr int kTileWidth = art::kTileWidth;
constexpr int kTileHeight = art::kTileHeight;

enum class PenMode { Black, Not, Xor, Copy };
enum class BrushStyle { Solid, DiagCross };

// What a raster mode makes of one pixel drawn in a colour.
constexpr std::uint8_t ApplyMode(PenMode mode, std::uint8_t pixel, std::uint8_t color) {
  switch (mode) {
    case PenMode::Black:
      return kBlack;
    case PenMode::Not:
      return static_cast<std::uint8_t>(15 - (pixel & 0x0F));
    case PenMode::Xor:
      return static_cast<std::uint8_t>((pixel ^ color) & 0x0F);
    case PenMode::Copy:
      break;
  }
  return static_cast<std::uint8_t>(color & 0x0F);
}

// Whether the diagonal cross-hatch brush paints the picture pixel (x, y). The pattern is the
// 8 x 8 one of the Windows HS_DIAGCROSS brush with its origin at the picture's top-left corner:
// rows 0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81 (leftmost pixel in the high bit), that is
// the pixels with x - y = 0 or x + y = 7, both mod 8. At scale s the pattern repeats every
// 8 s pixels and its lines are diagonal bands s pixels across, so that it covers the same
// share of the cell and looks the same, only finer.
constexpr bool OnDiagCross(int x, int y, int scale = 1) {
  const int period = 8 * scale;
  const int down = ((x - y) % period + period) % period;
  const int up = ((x + y + scale) % period + period) % period;
  return down < scale || up < scale;
}

// A rectangle of picture pixels, [Left, Right) x [Top, Bottom).
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

class BoardPicture {
 public:
  // The game's coordinates: every operation takes them, whatever the scale.
  static constexpr int kWidth = art::kBoardWidth;
  static constexpr int kHeight = art::kBoardHeight;
  static constexpr int kMaxScale = art::kLargestScale;
  // The scale a screen of this pixel ratio takes: the ratio rounded up (a ratio a hair above a
  // whole number is that number), so that a fractional ratio reduces a larger picture rather
  // than enlarging a smaller one; held within 1..kMaxScale.
  static int ScaleForRatio(double ratio);

  // Black all over; a scale outside 1..kMaxScale is held at the nearer end.
  explicit BoardPicture(int scale = 1);

  int Scale() const { return scale_; }
  // In pixels of the picture: kWidth and kHeight times the scale.
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The pixels, row by row, Width() bytes a row: cheap to wrap in an 8-bit indexed image.
  const std::uint8_t* Bits() const { return pixels_.data(); }
  // A pixel of the picture (not of the game's coordinates, where the scale is above 1).
  std::uint8_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  // Grows by one with every change, so a view can tell whether it must repaint.
  std::uint64_t Version() const { return version_; }
  // The smallest rectangle holding every pixel the operations below may have changed since the
  // last call, which starts the record afresh: a view converts and repaints only that much.
  // Empty when nothing was drawn. In pixels of the picture.
  PixelRect TakeDirty();

  // The drawing state; each operation of the board drawing sets what it relies on.
  PenMode penMode = PenMode::Copy;
  std::uint8_t penColor = kBlack;
  int penWidth = 1;
  BrushStyle brushStyle = BrushStyle::Solid;
  std::uint8_t brushColor = kWhite;  // never changed by the game

  // Fills [left, right) x [top, bottom) with the brush, framed by the pen. The frame runs on
  // the outermost pixels of the rectangle; a wider pen widens it as it widens a line.
  void Rectangle(int left, int top, int right, int bottom);
  // An axis-parallel line from (x1, y1) to (x2, y2) with the pen. Both end points are drawn.
  // A pen of width w covers w pixels across the line, from w / 2 before the centre line to
  // w - w / 2 - 1 after it, and reaches as far beyond each end: a width-4 line on row y from x1
  // to x2 covers rows y - 2 .. y + 1 and columns min - 2 .. max + 1, so lines meeting at a point
  // join in a full square. A slanted line (never part of a link) is drawn with the same square
  // pen along it.
  void Line(int x1, int y1, int x2, int y2);
  // Copies the whole of a picture into [left, right) x [top, bottom), scaled to fit (nearest
  // pixel) to the rectangle's size in pixels of the picture: a tile drawn at the picture's
  // scale is copied pixel for pixel. A missing picture draws nothing.
  void StretchCopy(const IndexedImage& picture, int left, int top, int right, int bottom);

  // Everything above clips to the picture, whatever the coordinates.

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  // Records a change to the pixels in the inclusive, clipped box [left, right] x [top, bottom],
  // in pixels of the picture.
  void Changed(int left, int top, int right, int bottom);
  // The same for a clipped box in the game's coordinates.
  void ChangedInGame(int left, int top, int right, int bottom);

  int scale_;
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  std::uint64_t version_ = 0;
  PixelRect dirty_;
};

}  // namespace quenlow
