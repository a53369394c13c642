// The program icon: three letters of a pixel font on a transparent ground.

#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImageReader>

#include "art/ArtLoader.h"

namespace quenlow::art {
namespace {

struct IconLetter {
  int left, right;  // columns, both included
  QRgb colour;
};

const IconLetter kLetters[] = {
    {1, 9, qRgb(0, 0, 0)},        // black
    {11, 19, qRgb(0, 0, 255)},    // blue
    {21, 29, qRgb(255, 0, 255)},  // fuchsia
};

constexpr int kBandTop = 11;
constexpr int kBandBottom = 20;

TEST(ArtIcon, TransparentOutsideTheBandAndSharpEdged) {
  const QImage icon = IconImage();
  ASSERT_EQ(icon.size(), QSize(32, 32));
  ASSERT_EQ(icon.format(), QImage::Format_ARGB32);
  int top = 32, bottom = -1;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int alpha = qAlpha(icon.pixel(x, y));
      ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
      if (alpha == 0) continue;
      EXPECT_GE(y, kBandTop) << x << "," << y;
      EXPECT_LE(y, kBandBottom) << x << "," << y;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(top, kBandTop);
  EXPECT_EQ(bottom, kBandBottom);
}

TEST(ArtIcon, EachLetterHasItsColourAndColumns) {
  const QImage icon = IconImage();
  for (const IconLetter& letter : kLetters) {
    SCOPED_TRACE(letter.left);
    int left = 32, right = -1;
    for (int y = 0; y < 32; ++y) {
      for (int x = letter.left - 1; x <= letter.right + 1; ++x) {
        const QRgb pixel = icon.pixel(x, y);
        if (qAlpha(pixel) == 0) continue;
        ASSERT_EQ(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)), letter.colour) << x << "," << y;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    // The letter fills its nine columns, and the columns around it (the gaps) stay clear.
    EXPECT_EQ(left, letter.left);
    EXPECT_EQ(right, letter.right);
  }
  for (int y = 0; y < 32; ++y) {
    EXPECT_EQ(qAlpha(icon.pixel(30, y)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(31, y)), 0);
  }
}

QImage ShippedIcon(int size) {
  return QImage(QStringLiteral(":/art/icons/quenlow-%1.png").arg(size))
      .convertToFormat(QImage::Format_ARGB32);
}

TEST(ArtIcon, ShippedSizesAreBlockCopiesOfTheIcon) {
  const QImage icon = IconImage();
  // 16 keeps the even rows and columns; sizes that are multiples of 32 repeat every pixel,
  // and 48 repeats every pixel of the 16-pixel one.
  const QImage half = ShippedIcon(16);
  ASSERT_EQ(half.size(), QSize(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(half.pixel(x, y), icon.pixel(2 * x, 2 * y)) << x << "," << y;
  }
  struct Scaled {
    int size;
    const QImage& source;
  } const sizes[] = {{32, icon}, {48, half}, {64, icon}, {128, icon}, {256, icon}};
  for (const Scaled& scaled : sizes) {
    SCOPED_TRACE(scaled.size);
    const QImage shipped = ShippedIcon(scaled.size);
    ASSERT_EQ(shipped.size(), QSize(scaled.size, scaled.size));
    const int factor = scaled.size / scaled.source.width();
    for (int y = 0; y < scaled.size; ++y) {
      for (int x = 0; x < scaled.size; ++x) {
        ASSERT_EQ(shipped.pixel(x, y), scaled.source.pixel(x / factor, y / factor))
            << x << "," << y;
      }
    }
  }
}

TEST(ArtIcon, ProgramIconOffersEveryShippedSize) {
  const QIcon icon = ProgramIcon();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    EXPECT_EQ(icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32),
              ShippedIcon(size));
  }
}

TEST(ArtIcon, IcoFileHoldsTheSameSixteenColourIconWithItsMask) {
  QFile file(QStringLiteral(":/art/pictures/MAINICON.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_GE(bytes.size(), 22);
  // The directory entry: 32 x 32, 16 colours, 4 bits per pixel.
  EXPECT_EQ(quint8(bytes[6]), 32);
  EXPECT_EQ(quint8(bytes[7]), 32);
  EXPECT_EQ(quint8(bytes[8]), 16);
  EXPECT_EQ(quint8(bytes[12]) | quint8(bytes[13]) << 8, 4);
  if (!QImageReader::supportedImageFormats().contains("ico")) {
    GTEST_SKIP() << "this Qt reads no .ico files";
  }
  const QImage decoded = QImage(file.fileName()).convertToFormat(QImage::Format_ARGB32);
  const QImage icon = IconImage();
  ASSERT_EQ(decoded.size(), icon.size());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      // Transparent pixels may differ in their colour bits; what shows must match.
      const QRgb a = decoded.pixel(x, y);
      const QRgb b = icon.pixel(x, y);
      ASSERT_EQ(qAlpha(a), qAlpha(b)) << x << "," << y;
      if (qAlpha(b) != 0) {
        ASSERT_EQ(a, b) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace quenlow::art
