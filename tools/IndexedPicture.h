#pragma once
// A picture of 4-bit palette indices and the two file formats the game ships it in. The
// encoders are our own so that the bytes depend on nothing but the pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace quenlow::artgen {

struct IndexedPicture {
  IndexedPicture() = default;
  IndexedPicture(int w, int h, int fill) : width(w), height(h), pixels(w * h, std::uint8_t(fill)) {}

  int At(int x, int y) const { return pixels[y * width + x]; }
  void Set(int x, int y, int index) { pixels[y * width + x] = std::uint8_t(index); }

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // row by row from the top, one index 0..15 a pixel
};

using Bytes = std::vector<std::uint8_t>;

// An uncompressed 4-bit BMP (BITMAPINFOHEADER) with the game's 16-colour table.
Bytes EncodeBmp4(const IndexedPicture& picture);

// A single-image .ico: the 4-bit colour bitmap and a 1-bit mask, set where `opaque` is false.
Bytes EncodeIco4(const IndexedPicture& picture, const std::vector<bool>& opaque);

// Writes the bytes, replacing the file; false when the file cannot be written.
bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace quenlow::artgen
