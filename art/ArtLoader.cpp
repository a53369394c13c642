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

// Where the pictures of a scale lie, below pictures/.
QString ScaleFolder(int scale) {
  return scale == 1 ? QString() : QStringLiteral("%1x/").arg(scale);
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

QImage TilePicture(int kind, int scale) {
  if (kind < 0 || kind >= kKinds || scale < 1 || scale > kLargestScale) return QImage();
  // Each scale is read when it is first asked for: a screen at 100 % never reads the others.
  static std::array<std::array<QImage, kKinds>, kLargestScale> tiles;
  static std::array<bool, kLargestScale> loaded{};
  if (!loaded[scale - 1]) {
    const QString folder = ScaleFolder(scale);
    tiles[scale - 1][0] = LoadIndexed(folder + QStringLiteral("Imageblack.bmp"));
    for (int k = 1; k < kKinds; ++k) {
      tiles[scale - 1][k] = LoadIndexed(folder + QStringLiteral("Image%1.bmp").arg(k));
    }
    loaded[scale - 1] = true;
  }
  return tiles[scale - 1][kind];
}

QImage StartPicture() {
  static const QImage start = LoadIndexed(QStringLiteral("Image.bmp"));
  return start;
}

QImage PausePicture(int scale) {
  if (scale < 1 || scale > kLargestScale) return QImage();
  static std::array<QImage, kLargestScale> pause;
  QImage& picture = pause[scale - 1];
  if (picture.isNull())
    picture = LoadIndexed(ScaleFolder(scale) + QStringLiteral("Imagepause.bmp"));
  return picture;
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
