// The loader: what each picture is, where it comes from, and the files behind it.

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QString>

#include <climits>
#include <functional>
#include <vector>

#include "art/ArtLoader.h"
#include "art/Palette.h"

namespace quenlow::art {
namespace {

const QString kArtDir = QStringLiteral(QUENLOW_ART_DIR);

TEST(ArtPalette, HoldsTheSixteenColoursInIndexOrder) {
  const QList<QRgb> expected = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
      qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
  };
  EXPECT_EQ(Palette(), expected);
}

struct PictureCase {
  QString name;  // the file in art/pictures
  std::function<QImage()> load;
  QSize size;
  QSet<int> allowed;  // palette indices the picture may hold
};

// The sizes the board drawing works with are the artwork's: every picture must have them.
std::vector<PictureCase> AllPictures() {
  const QSize tile(kTileWidth, kTileHeight);
  const QSize board(kBoardWidth, kBoardHeight);
  std::vector<PictureCase> cases = {
      {"Image.bmp", StartPicture, board, {0}},
  };
  // The tiles and the pause picture at every scale: 2x/Image1.bmp is kind 1 at 2 x.
  for (int scale = 1; scale <= kLargestScale; ++scale) {
    const QString folder = scale == 1 ? QString() : QStringLiteral("%1x/").arg(scale);
    cases.push_back(
        {folder + "Imageblack.bmp", [scale] { return TilePicture(0, scale); }, tile * scale, {0}});
    cases.push_back({folder + "Imagepause.bmp",
                     [scale] { return PausePicture(scale); },
                     board * scale,
                     {0, 11}});
    for (int kind = 1; kind <= 26; ++kind) {
      cases.push_back({folder + QStringLiteral("Image%1.bmp").arg(kind),
                       [kind, scale] { return TilePicture(kind, scale); },
                       tile * scale,
                       {0, 7, 8, 15}});
    }
  }
  return cases;
}

TEST(ArtLoader, EveryPictureHasItsSizeThePaletteAndOnlyItsColours) {
  for (const PictureCase& picture : AllPictures()) {
    SCOPED_TRACE(picture.name.toStdString());
    const QImage image = picture.load();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), picture.size);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorTable(), Palette());
    QSet<int> used;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) used.insert(image.pixelIndex(x, y));
    }
    EXPECT_TRUE(picture.allowed.contains(used)) << "uses " << used.size() << " colours";
  }
}

TEST(ArtLoader, EveryPictureIsTheCommittedFileOfItsName) {
  // Kind k must come from Image<k>.bmp: a mix-up in the resource or the loader would put the
  // wrong letter on the board.
  for (const PictureCase& picture : AllPictures()) {
    SCOPED_TRACE(picture.name.toStdString());
    const QImage file(kArtDir + QStringLiteral("/pictures/") + picture.name);
    ASSERT_FALSE(file.isNull());
    EXPECT_EQ(picture.load(), file);
  }
}

TEST(ArtLoader, KindsOutsideTheBoardHaveNoPicture) {
  for (int kind : {-1, 27, 40, 1000, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(TilePicture(kind).isNull()) << kind;
  }
}

quint32 Le32(const QByteArray& bytes, int at) {
  return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8 | quint8(bytes[at + 2]) << 16 |
         quint32(quint8(bytes[at + 3])) << 24;
}

TEST(ArtLoader, PictureFilesAreUncompressedFourBitBitmapsWithThePalette) {
  for (const PictureCase& picture : AllPictures()) {
    SCOPED_TRACE(picture.name.toStdString());
    QFile file(kArtDir + QStringLiteral("/pictures/") + picture.name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 14 + 40 + 64);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(Le32(bytes, 2), quint32(bytes.size()));
    EXPECT_EQ(Le32(bytes, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(Le32(bytes, 18), quint32(picture.size.width()));
    EXPECT_EQ(Le32(bytes, 22), quint32(picture.size.height()));
    EXPECT_EQ(quint8(bytes[28]) | quint8(bytes[29]) << 8, 4);  // bits per pixel
    EXPECT_EQ(Le32(bytes, 30), 0u);                            // uncompressed
    for (int i = 0; i < 16; ++i) {
      const int at = 54 + 4 * i;  // blue, green, red, unused
      EXPECT_EQ(qRgb(quint8(bytes[at + 2]), quint8(bytes[at + 1]), quint8(bytes[at])), Palette()[i])
          << "entry " << i;
    }
    // Rows of 4-bit pixels padded to whole words, right after the colour table.
    const int rowBytes = (picture.size.width() * 4 + 31) / 32 * 4;
    EXPECT_EQ(Le32(bytes, 10), 54u + 64u);
    EXPECT_EQ(bytes.size(), 54 + 64 + rowBytes * picture.size.height());
  }
}

}  // namespace
}  // namespace quenlow::art
