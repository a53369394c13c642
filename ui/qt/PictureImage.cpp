#include "ui/qt/PictureImage.h"

#include <algorithm>
#include <array>

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
  // The rows are 640 bytes (times the scale), a multiple of 4: Qt can use them as they are.
  QImage image(picture.Bits(), picture.Width(), picture.Height(), picture.Width(),
               QImage::Format_Indexed8);
  image.setColorTable(PaletteTable());
  return image;
}

void ConvertRect(const BoardPicture& picture, PixelRect area, QImage& target) {
  Q_ASSERT(target.format() == QImage::Format_RGB32 && target.width() == picture.Width() &&
           target.height() == picture.Height());
  area.Left = std::max(area.Left, 0);
  area.Top = std::max(area.Top, 0);
  area.Right = std::min(area.Right, picture.Width());
  area.Bottom = std::min(area.Bottom, picture.Height());
  if (area.Empty()) return;
  static const std::array<QRgb, 16> lookup = [] {
    std::array<QRgb, 16> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = 0xFF000000u | kPaletteRgb[i];
    return colours;
  }();
  // bits() once: it detaches a shared image, and scanLine() would ask again for every row.
  uchar* const bits = target.bits();
  const qsizetype stride = target.bytesPerLine();
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* from =
        picture.Bits() + static_cast<std::size_t>(y) * picture.Width() + area.Left;
    auto* to = reinterpret_cast<QRgb*>(bits + y * stride) + area.Left;
    for (int x = area.Left; x < area.Right; ++x) *to++ = lookup[*from++ & 0x0F];
  }
}

}  // namespace quenlow
