// The Qt side of the board picture: the image the window paints, and the artwork's tiles
// turned into palette indices.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "PictureFixture.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/PictureImage.h"

namespace quenlow::testing {
namespace {

TEST(PictureImage, ReadsThePictureInPlaceWithThePaletteAsColourTable) {
  DrawingFixture f(1);
  const QImage image = PictureImage(*f.picture);
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  ASSERT_EQ(image.size(), QSize(640, 550));
  const QList<QRgb> expected = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
      qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  EXPECT_EQ(image.colorTable(), expected);
  EXPECT_EQ(image.constBits(), f.picture->Bits()) << "the pixels were copied";

  // Drawn after the image was made, and still seen through it.
  f.drawing.DrawLink(1, 1, 2, 1, Link{LinkShape::Straight, {1, 1}, {2, 1}});
  f.drawing.MarkCell(5, 5, Mark::Pick);
  EXPECT_EQ(image.pixel(120, 125), qRgb(255, 255, 0));
  EXPECT_EQ(image.pixel(240, 300), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(ToIndexedImage, MatchesColoursToThePaletteWhateverTheImageFormat) {
  // An indexed image whose colour table runs backwards: index i holds the colour 15 - i.
  QImage reversed(3, 2, QImage::Format_Indexed8);
  QList<QRgb> backwards = PaletteTable();
  std::reverse(backwards.begin(), backwards.end());
  reversed.setColorTable(backwards);
  const int reversedIndices[] = {0, 4, 11, 15, 7, 8};
  for (int i = 0; i < 6; ++i)
    reversed.setPixel(i % 3, i / 3, static_cast<uint>(reversedIndices[i]));

  QImage rgb(3, 2, QImage::Format_ARGB32);
  const QRgb colours[] = {qRgb(255, 255, 0), qRgb(0, 0, 0),       qRgb(192, 192, 192),
                          qRgb(250, 250, 8), qRgb(120, 130, 128), qRgb(255, 255, 255)};
  for (int i = 0; i < 6; ++i) rgb.setPixel(i % 3, i / 3, colours[i]);

  struct Case {
    const char* Name;
    QImage Image;
    std::vector<std::uint8_t> Indices;
  };
  const Case cases[] = {
      {"indexed, own colour table", reversed, {15, 11, 4, 0, 8, 7}},
      {"true colour, near colours rounded", rgb, {11, 0, 8, 11, 7, 15}},
  };
  for (const Case& c : cases) {
    const IndexedImage out = ToIndexedImage(c.Image);
    EXPECT_EQ(out.Width, 3) << c.Name;
    EXPECT_EQ(out.Height, 2) << c.Name;
    EXPECT_EQ(out.Pixels, c.Indices) << c.Name;
  }
  EXPECT_FALSE(ToIndexedImage(QImage()).Usable());
}

TEST(LoadTilePictures, GivesEveryTileAsPaletteIndices) {
  const TilePictures tiles = LoadTilePictures();
  for (int kind = 0; kind <= 26; ++kind) {
    const IndexedImage& tile = tiles[static_cast<std::size_t>(kind)];
    ASSERT_TRUE(tile.Usable()) << kind;
    EXPECT_EQ(tile.Width, 40) << kind;
    EXPECT_EQ(tile.Height, 50) << kind;
    const std::set<std::uint8_t> used(tile.Pixels.begin(), tile.Pixels.end());
    if (kind == 0) {
      EXPECT_EQ(used, std::set<std::uint8_t>{kBlack});
    } else {
      // A black frame round a white field: black, grey, silver and white only.
      EXPECT_EQ(tile.At(0, 0), kBlack) << kind;
      EXPECT_EQ(tile.At(39, 49), kBlack) << kind;
      EXPECT_EQ(tile.At(1, 1), kWhite) << kind;
      for (const std::uint8_t index : used) {
        EXPECT_TRUE(index == 0 || index == 7 || index == 8 || index == 15)
            << kind << ": " << int{index};
      }
    }
  }
}

}  // namespace
}  // namespace quenlow::testing
