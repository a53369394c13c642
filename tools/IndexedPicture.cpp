#include "tools/IndexedPicture.h"

#include <fstream>

#include "art/Palette.h"

namespace quenlow::artgen {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kColourTableSize = 16 * 4;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(std::uint8_t(value));
  out.push_back(std::uint8_t(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Rows of a DIB are padded to whole 32-bit words.
int RowBytes(int width, int bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

void PutInfoHeader(Bytes& out, int width, int storedHeight, std::uint32_t imageBytes) {
  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(storedHeight));
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits per pixel
  Put32(out, 0);  // BI_RGB: uncompressed
  Put32(out, imageBytes);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 16);  // colours used
  Put32(out, 0);   // all colours important
}

void PutColourTable(Bytes& out) {
  for (std::uint32_t rgb : art::kPaletteRgb) {
    out.push_back(std::uint8_t(rgb));        // blue
    out.push_back(std::uint8_t(rgb >> 8));   // green
    out.push_back(std::uint8_t(rgb >> 16));  // red
    out.push_back(0);
  }
}

// The colour bits, bottom row first, two pixels a byte with the left one in the high nibble.
void PutPixels(Bytes& out, const IndexedPicture& picture) {
  const int rowBytes = RowBytes(picture.width, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < picture.width; ++x) {
      const auto nibble = std::uint8_t(picture.At(x, y) & 0x0F);
      row[x / 2] |= (x % 2 == 0) ? std::uint8_t(nibble << 4) : nibble;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

Bytes EncodeBmp4(const IndexedPicture& picture) {
  const auto imageBytes = std::uint32_t(RowBytes(picture.width, 4) * picture.height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;
  Bytes out;
  out.reserve(offset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + imageBytes);
  Put32(out, 0);  // reserved
  Put32(out, offset);
  PutInfoHeader(out, picture.width, picture.height, imageBytes);
  PutColourTable(out);
  PutPixels(out, picture);
  return out;
}

Bytes EncodeIco4(const IndexedPicture& picture, const std::vector<bool>& opaque) {
  const int colourBytes = RowBytes(picture.width, 4) * picture.height;
  const int maskRowBytes = RowBytes(picture.width, 1);
  const int maskBytes = maskRowBytes * picture.height;
  const auto imageBytes = std::uint32_t(colourBytes + maskBytes);
  const std::uint32_t resourceBytes = kInfoHeaderSize + kColourTableSize + imageBytes;

  Bytes out;
  Put16(out, 0);                               // reserved
  Put16(out, 1);                               // an icon
  Put16(out, 1);                               // one image
  out.push_back(std::uint8_t(picture.width));  // 0 would mean 256
  out.push_back(std::uint8_t(picture.height));
  out.push_back(16);  // colours
  out.push_back(0);
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits per pixel
  Put32(out, resourceBytes);
  Put32(out, 6 + 16);  // the image follows the directory

  // In an icon the stored height counts the colour bitmap and the mask together.
  PutInfoHeader(out, picture.width, picture.height * 2, imageBytes);
  PutColourTable(out);
  PutPixels(out, picture);
  for (int y = picture.height - 1; y >= 0; --y) {
    Bytes row(maskRowBytes, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (!opaque[y * picture.width + x]) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file.flush());
}

}  // namespace quenlow::artgen
