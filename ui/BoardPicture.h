#pragma once
// The retained 640 x 550 board picture: one palette index (0..15) a pixel, drawn on
// through a pen and a brush the way the game's raster operations need.

#include <array>
#include <cstdint>
#include <vector>

namespace quenlow {

// A small picture of palette indices, row by row (used for the tile pictures).
struct IndexedImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // Width * Height indices, row-major
  std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// Palette indices of the colours the drawing names.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kYellow = 11;
constexpr std::uint8_t kWhite = 15;

enum class PenMode { Black, Not, Xor, Copy };
enum class BrushStyle { Solid, DiagCross };

class BoardPicture {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 550;

  BoardPicture();  // black all over

  // The pixels, row by row, kWidth bytes a row: cheap to wrap in an 8-bit indexed image.
  const std::uint8_t* Bits() const { return pixels_.data(); }
  std::uint8_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  // Grows by one with every change, so a view can tell whether it must repaint.
  std::uint64_t Version() const { return version_; }

  // The drawing state; each operation of the board drawing sets what it relies on.
  PenMode penMode = PenMode::Copy;
  std::uint8_t penColor = kBlack;
  int penWidth = 1;
  BrushStyle brushStyle = BrushStyle::Solid;
  std::uint8_t brushColor = kWhite;  // never changed by the game

  // Fills [left, right) x [top, bottom) with the brush, framed by the pen.
  void Rectangle(int left, int top, int right, int bottom);
  // An axis-parallel line from (x1, y1) to (x2, y2) with the pen.
  void Line(int x1, int y1, int x2, int y2);
  // Copies the whole of a picture into [left, right) x [top, bottom), scaled to fit.
  void StretchCopy(const IndexedImage& picture, int left, int top, int right, int bottom);

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y * kWidth + x); }

  std::array<std::uint8_t, kWidth * kHeight> pixels_{};
  std::uint64_t version_ = 0;
};

}  // namespace quenlow
