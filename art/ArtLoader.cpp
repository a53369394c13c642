#include "art/ArtLoader.h"

#include <QFile>
#include <QString>

#include <array>

#include "art/Palette.h"

// Outside every namespace: the resource's registration function lives in the global one.
static void RegisterArtResource() {
  Q_INIT_RESOURCE(art);
}

namespace quenlow::art {
namespace {

constexpr int kKinds = 27;
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

void EnsureResource() {
  static const bool registered = [] {
    RegisterArtResource();
    return true;
  }();
  (void)registered;
}

// Reads a picture of the resource as palette indices with exactly the game's colour table,
// whatever form the image reader hands it over in.
QImage LoadIndexed(const QString& name) {
  EnsureResource();
  QImage image(QStringLiteral(":/art/pictures/") + name);
  if (image.isNull()) return image;
  if (image.format() != QImage::Format_Indexed8 || image.colorTable() != Palette()) {
    image = image.convertToFormat(QImage::Format_Indexed8, Palette(),
                                  Qt::ThresholdDither | Qt::AvoidDither);
  }
  return image;
}

QString IconFile(int size) {
  return QStringLiteral(":/art/icons/quenlow-%1.png").arg(size);
}

}  // namespace

const QList<QRgb>& Palette() {
  static const QList<QRgb> palette = [] {
    QList<QRgb> colours;
    for (std::uint32_t rgb : kPaletteRgb) colours.append(qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)));
    return colours;
  }();
  return palette;
}

QImage TilePicture(int kind) {
  if (kind < 0 || kind >= kKinds) return QImage();
  static const std::array<QImage, kKinds> tiles = [] {
    std::array<QImage, kKinds> loaded;
    loaded[0] = LoadIndexed(QStringLiteral("Imageblack.bmp"));
    for (int k = 1; k < kKinds; ++k) loaded[k] = LoadIndexed(QStringLiteral("Image%1.bmp").arg(k));
    return loaded;
  }();
  return tiles[kind];
}

QImage StartPicture() {
  static const QImage start = LoadIndexed(QStringLiteral("Image.bmp"));
  return start;
}

QImage PausePicture() {
  static const QImage pause = LoadIndexed(QStringLiteral("Imagepause.bmp"));
  return pause;
}

QImage IconImage() {
  static const QImage icon = [] {
    EnsureResource();
    return QImage(IconFile(kIconSize)).convertToFormat(QImage::Format_ARGB32);
  }();
  return icon;
}

QIcon ProgramIcon() {
  EnsureResource();
  QIcon icon;
  for (int size : kIconSizes) icon.addFile(IconFile(size), QSize(size, size));
  return icon;
}

}  // namespace quenlow::art
