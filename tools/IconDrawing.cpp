#include "tools/IconDrawing.h"

#include <array>

#include "art/Palette.h"

namespace quenlow::artgen {
namespace {

constexpr int kGlyphWidth = 9;
constexpr int kGlyphHeight = 10;
constexpr int kBandTop = 11;

using Glyph = std::array<const char*, kGlyphHeight>;

// Strokes are two pixels wide, so that every stroke keeps one pixel in the 16-pixel icon.
constexpr Glyph kQ = {
    "..#####..", ".#######.", "###...###", "##.....##", "##.....##",
    "##..##.##", "###..####", ".#######.", "..######.", "......###",
};
constexpr Glyph kN = {
    "###....##", "###....##", "####...##", "##.##..##", "##.##..##",
    "##..##.##", "##..##.##", "##...####", "##....###", "##....###",
};
constexpr Glyph kL = {
    "##.......", "##.......", "##.......", "##.......", "##.......",
    "##.......", "##.......", "##.......", "#########", "#########",
};

struct Letter {
  const Glyph& glyph;
  int left;
  int colour;
};

}  // namespace

IconPicture DrawIcon() {
  IconPicture icon{IndexedPicture(art::kIconSize, art::kIconSize, art::kBlack),
                   std::vector<bool>(art::kIconSize * art::kIconSize, false)};
  const Letter letters[] = {{kQ, 1, art::kBlack}, {kN, 11, art::kBlue}, {kL, 21, art::kFuchsia}};
  for (const Letter& letter : letters) {
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < kGlyphWidth; ++column) {
        if (letter.glyph[row][column] != '#') continue;
        const int x = letter.left + column;
        const int y = kBandTop + row;
        icon.colours.Set(x, y, letter.colour);
        icon.opaque[y * art::kIconSize + x] = true;
      }
    }
  }
  return icon;
}

QImage IconImage(const IconPicture& icon) {
  QImage image(art::kIconSize, art::kIconSize, QImage::Format_ARGB32);
  for (int y = 0; y < art::kIconSize; ++y) {
    for (int x = 0; x < art::kIconSize; ++x) {
      const bool opaque = icon.opaque[y * art::kIconSize + x];
      image.setPixel(x, y, opaque ? (0xFF000000u | art::kPaletteRgb[icon.colours.At(x, y)]) : 0u);
    }
  }
  return image;
}

QImage HalfIcon(const QImage& icon) {
  QImage half(art::kIconSize / 2, art::kIconSize / 2, QImage::Format_ARGB32);
  for (int y = 0; y < half.height(); ++y) {
    for (int x = 0; x < half.width(); ++x) half.setPixel(x, y, icon.pixel(2 * x, 2 * y));
  }
  return half;
}

QImage Enlarged(const QImage& image, int factor) {
  QImage large(image.width() * factor, image.height() * factor, QImage::Format_ARGB32);
  for (int y = 0; y < large.height(); ++y) {
    for (int x = 0; x < large.width(); ++x) {
      large.setPixel(x, y, image.pixel(x / factor, y / factor));
    }
  }
  return large;
}

QImage ScaledIcon(const QImage& icon, int size) {
  if (size % art::kIconSize == 0) return Enlarged(icon, size / art::kIconSize);
  return Enlarged(HalfIcon(icon), size / (art::kIconSize / 2));
}

}  // namespace quenlow::artgen
