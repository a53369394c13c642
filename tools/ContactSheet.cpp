#include "tools/ContactSheet.h"

#include <QPainter>

#include "art/Palette.h"

namespace quenlow::artgen {
namespace {

constexpr int kGap = 8;
constexpr int kZoom = 4;
constexpr int kBlocksPerRow = 3;
constexpr QRgb kSheetGround = qRgb(96, 112, 128);
constexpr QRgb kIconGround = qRgb(240, 240, 240);  // the usual face colour of a dialog

QImage ToImage(const IndexedPicture& picture, bool inverted) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int index = inverted ? 15 - picture.At(x, y) : picture.At(x, y);
      image.setPixel(x, y, 0xFF000000u | art::kPaletteRgb[index]);
    }
  }
  return image;
}

QImage Zoomed(const QImage& image, int factor) {
  return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

QImage ContactSheet(const std::vector<IndexedPicture>& tiles, const IndexedPicture& pause,
                    const std::vector<QImage>& icons) {
  const int tileW = art::kTileWidth;
  const int tileH = art::kTileHeight;
  // One block: the tile and its inverse at 1x, then both at 4x.
  const int blockW = kGap + tileW + kGap + tileW + 2 * kGap + kZoom * tileW + kGap + kZoom * tileW;
  const int blockH = kGap + kZoom * tileH;
  const int blockRows = int(tiles.size() + kBlocksPerRow - 1) / kBlocksPerRow;
  const int sheetW = kBlocksPerRow * blockW + kGap;
  int iconsW = kGap;
  int iconsH = 0;
  for (const QImage& icon : icons) {
    iconsW += icon.width() + kGap;
    iconsH = std::max(iconsH, icon.height());
  }
  const int sheetH = blockRows * blockH + 2 * kGap + art::kBoardHeight + kGap;

  QImage sheet(sheetW, sheetH, QImage::Format_RGB32);
  sheet.fill(kSheetGround);
  QPainter painter(&sheet);
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const int left = int(i % kBlocksPerRow) * blockW + kGap;
    const int top = int(i / kBlocksPerRow) * blockH + kGap;
    const QImage plain = ToImage(tiles[i], false);
    const QImage inverse = ToImage(tiles[i], true);
    painter.drawImage(left, top, plain);
    painter.drawImage(left + tileW + kGap, top, inverse);
    const int zoomLeft = left + 2 * tileW + 3 * kGap;
    painter.drawImage(zoomLeft, top, Zoomed(plain, kZoom));
    painter.drawImage(zoomLeft + kZoom * tileW + kGap, top, Zoomed(inverse, kZoom));
  }

  const int bottomTop = blockRows * blockH + 2 * kGap;
  painter.drawImage(kGap, bottomTop, ToImage(pause, false));
  // The icons on a light ground, as a window shows them, smallest first.
  const int iconsLeft = kGap + art::kBoardWidth + 2 * kGap;
  painter.fillRect(iconsLeft, bottomTop, iconsW, iconsH + 2 * kGap, kIconGround);
  int x = iconsLeft + kGap;
  for (const QImage& icon : icons) {
    painter.drawImage(x, bottomTop + kGap, icon);
    x += icon.width() + kGap;
  }
  painter.end();
  return sheet;
}

}  // namespace quenlow::artgen
