#include "ui/qt/ArtTiles.h"

#include <QHash>
#include <climits>

#include "art/ArtLoader.h"

namespace quenlow {
namespace {

std::uint8_t NearestIndex(QRgb colour) {
  int best = 0;
  int bestDistance = INT_MAX;
  for (int i = 0; i < static_cast<int>(kPaletteRgb.size()); ++i) {
    const std::uint32_t rgb = kPaletteRgb[static_cast<std::size_t>(i)];
    const int dr = qRed(colour) - static_cast<int>(rgb >> 16);
    const int dg = qGreen(colour) - static_cast<int>((rgb >> 8) & 0xFF);
    const int db = qBlue(colour) - static_cast<int>(rgb & 0xFF);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace

IndexedImage ToIndexedImage(const QImage& image) {
  IndexedImage out;
  if (image.isNull()) return out;
  out.Width = image.width();
  out.Height = image.height();
  out.Pixels.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));

  if (image.format() == QImage::Format_Indexed8) {
    // Only the colour table needs matching; the pixels are then looked up by their index.
    const QList<QRgb> table = image.colorTable();
    std::array<std::uint8_t, 256> toPalette{};
    for (int i = 0; i < table.size() && i < 256; ++i)
      toPalette[static_cast<std::size_t>(i)] = NearestIndex(table[i]);
    for (int y = 0; y < out.Height; ++y) {
      const uchar* row = image.constScanLine(y);
      for (int x = 0; x < out.Width; ++x) {
        out.Pixels[static_cast<std::size_t>(y * out.Width + x)] = toPalette[row[x]];
      }
    }
    return out;
  }

  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, std::uint8_t> seen;
  for (int y = 0; y < out.Height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < out.Width; ++x) {
      auto found = seen.constFind(row[x]);
      if (found == seen.constEnd()) found = seen.insert(row[x], NearestIndex(row[x]));
      out.Pixels[static_cast<std::size_t>(y * out.Width + x)] = found.value();
    }
  }
  return out;
}

TilePictures LoadTilePictures(int scale) {
  TilePictures tiles;
  for (int kind = 0; kind < static_cast<int>(tiles.size()); ++kind) {
    tiles[static_cast<std::size_t>(kind)] = ToIndexedImage(art::TilePicture(kind, scale));
  }
  return tiles;
}

}  // namespace quenlow
