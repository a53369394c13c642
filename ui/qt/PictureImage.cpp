#include "ui/qt/PictureImage.h"

namespace quenlow {

const QList<QRgb>& PaletteTable() {
  static const QList<QRgb> table = [] {
    QList<QRgb> colours;
    for (const std::uint32_t rgb : kPaletteRgb)
      colours.append(qRgb(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    return colours;
  }();
  return table;
}

QImage PictureImage(const BoardPicture& picture) {
  // The rows are 640 bytes, a multiple of 4, and the pixels are 8-byte aligned: Qt can use
  // them as they are.
  QImage image(picture.Bits(), BoardPicture::kWidth, BoardPicture::kHeight, BoardPicture::kWidth,
               QImage::Format_Indexed8);
  image.setColorTable(PaletteTable());
  return image;
}

}  // namespace quenlow
