// The letter tiles, judged by their pixels as the board will show them, at every scale the
// artwork is drawn at. Measurements are those of the 1 x tile, taken `scale` times.

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

#include <string>
#include <string_view>

#include "art/ArtLoader.h"
#include "tests/art/TileInk.h"

namespace quenlow::art {
namespace {

using testing::Ink;
using testing::MeasureInk;

constexpr int kWidth = 40;
constexpr int kHeight = 50;

enum class Shape { kShort, kTall, kDescender, kTallDescender };

Shape ShapeOf(char letter) {
  if (letter == 'j') return Shape::kTallDescender;
  if (std::string_view("gpqy").find(letter) != std::string_view::npos) return Shape::kDescender;
  if (std::string_view("bdfhiklt").find(letter) != std::string_view::npos) return Shape::kTall;
  return Shape::kShort;
}

std::string Name(char letter) {
  return std::string("letter ") + letter;
}

class ArtTile : public ::testing::TestWithParam<int> {
 protected:
  int Scale() const { return GetParam(); }
  QImage LetterTile(char letter) const { return TilePicture(letter - 'a' + 1, Scale()); }
  // A column index of the tile at this scale as a column of the 1 x tile: the middle of the
  // `scale` columns that one 1 x column became.
  double Unscaled(double column) const { return (column + 0.5) / Scale() - 0.5; }
};

TEST_P(ArtTile, EveryLetterHasAOnePixelBlackFrameRoundAWhiteField) {
  const int s = Scale();
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    ASSERT_EQ(tile.size(), QSize(kWidth * s, kHeight * s));
    for (int y = 0; y < tile.height(); ++y) {
      for (int x = 0; x < tile.width(); ++x) {
        // One pixel of the 1 x tile is s x s pixels here.
        const int ux = x / s, uy = y / s;
        const bool frame = ux == 0 || uy == 0 || ux == kWidth - 1 || uy == kHeight - 1;
        // The ring just inside the frame stays white, so the frame is exactly one pixel.
        const bool insideFrame =
            !frame && (ux == 1 || uy == 1 || ux == kWidth - 2 || uy == kHeight - 2);
        if (frame) {
          ASSERT_EQ(tile.pixelIndex(x, y), 0) << x << "," << y;
        } else if (insideFrame) {
          ASSERT_EQ(tile.pixelIndex(x, y), 15) << x << "," << y;
        }
      }
    }
  }
}

TEST_P(ArtTile, LettersAreBlackSmoothedWithGreyAndSilverOnWhite) {
  const QSet<int> tileColours = {0, 7, 8, 15};
  QSet<int> usedByAll;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    QSet<int> used;
    for (int y = Scale(); y < tile.height() - Scale(); ++y) {
      for (int x = Scale(); x < tile.width() - Scale(); ++x) used.insert(tile.pixelIndex(x, y));
    }
    EXPECT_TRUE(tileColours.contains(used));
    // Black ink on the white field; a letter whose edges all fall on whole pixels may need
    // only one of the two smoothing shades, and drawn large, an l made of one upright stroke
    // may need none.
    EXPECT_TRUE(used.contains(0) && used.contains(15));
    if (Scale() == 1 || letter != 'l') {
      EXPECT_TRUE(used.contains(7) || used.contains(8));
    }
    usedByAll |= used;
  }
  EXPECT_EQ(usedByAll, tileColours);
}

TEST_P(ArtTile, LetterHeightsFollowTheirShape) {
  const int s = Scale();
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter), Scale());
    switch (ShapeOf(letter)) {
      case Shape::kShort:
        EXPECT_EQ(ink.Height(), 20 * s);
        break;
      case Shape::kTall:
        EXPECT_EQ(ink.Height(), 27 * s);
        break;
      case Shape::kDescender:  // a short body with about 7 rows below it
        EXPECT_GE(ink.Height(), (20 + 6) * s);
        EXPECT_LE(ink.Height(), (20 + 8) * s);
        break;
      case Shape::kTallDescender:
        EXPECT_GE(ink.Height(), (27 + 6) * s);
        EXPECT_LE(ink.Height(), (27 + 8) * s);
        break;
    }
  }
}

TEST_P(ArtTile, LettersWithoutDescenderEnd35To38RowsBelowTheTop) {
  const int s = Scale();
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const Shape shape = ShapeOf(letter);
    if (shape == Shape::kDescender || shape == Shape::kTallDescender) continue;
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter), Scale());
    // Whether the last ink row or the edge below it is counted, both stay within 35..38.
    EXPECT_GE(ink.bottom, 35 * s);
    EXPECT_LE(ink.bottom + 1, 38 * s);
  }
}

TEST_P(ArtTile, DescendersReachBelowTheOtherLettersLine) {
  const int s = Scale();
  const int line = MeasureInk(LetterTile('x'), Scale()).bottom;
  for (char letter : {'g', 'j', 'p', 'q', 'y'}) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter), Scale());
    EXPECT_GE(ink.bottom - line, 6 * s);
    EXPECT_LE(ink.bottom - line, 8 * s);
    EXPECT_LE(ink.bottom, (kHeight - 3) * s);
  }
}

TEST_P(ArtTile, EveryLetterIsCentredNearTheMiddleLine) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter), Scale());
    // Columns of the 1 x tile: the picture's middle line lies at 19.5. Both the middle of the
    // ink's box and the centre of its weight must lie within 17.5..21.
    EXPECT_GE(Unscaled(ink.BoxCentre()), 17.5);
    EXPECT_LE(Unscaled(ink.BoxCentre()), 21.0);
    EXPECT_GE(Unscaled(ink.Centroid()), 17.5);
    EXPECT_LE(Unscaled(ink.Centroid()), 21.0);
  }
}

TEST_P(ArtTile, StemsAreAboutThreePixelsWide) {
  const int s = Scale();
  // Letters whose leftmost stroke is upright at the middle of the short body.
  for (char letter : {'b', 'h', 'i', 'l', 'm', 'n', 'p', 'r', 'u'}) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    const Ink ink = MeasureInk(tile, s);
    const int bodyTop = ShapeOf(letter) == Shape::kTall ? ink.bottom + 1 - 20 * s : ink.top;
    const int row = bodyTop + 10 * s;
    int x = ink.left;
    while (testing::Darkness(tile.pixelIndex(x, row)) == 0) ++x;
    double width = 0;
    for (; testing::Darkness(tile.pixelIndex(x, row)) > 0; ++x) {
      width += testing::Darkness(tile.pixelIndex(x, row));
    }
    EXPECT_GE(width, 2.5 * s);
    EXPECT_LE(width, 3.75 * s);
  }
}

TEST_P(ArtTile, AllTwentySixLettersDiffer) {
  for (int a = 1; a <= 26; ++a) {
    for (int b = a + 1; b <= 26; ++b) {
      EXPECT_NE(TilePicture(a, Scale()), TilePicture(b, Scale())) << "kinds " << a << " and " << b;
    }
  }
}

TEST_P(ArtTile, TheBlankCellIsBlackAllOver) {
  const QImage blank = TilePicture(0, Scale());
  ASSERT_EQ(blank.size(), QSize(kWidth * Scale(), kHeight * Scale()));
  for (int y = 0; y < blank.height(); ++y) {
    for (int x = 0; x < blank.width(); ++x) ASSERT_EQ(blank.pixelIndex(x, y), 0) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, ArtTile, ::testing::Values(1, 2, 3, 4),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

// Drawn anew at the larger size, not enlarged: the letter's edges fall between the pixels of
// the 1 x tile, so some of its s x s blocks hold more than one colour.
TEST(ArtTileScales, LargerTilesShowDetailFinerThanTheSmallerPixels) {
  for (int s = 2; s <= kLargestScale; ++s) {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
      SCOPED_TRACE(std::to_string(s) + "x " + Name(letter));
      const QImage tile = TilePicture(letter - 'a' + 1, s);
      int mixedBlocks = 0;
      for (int by = 0; by < kHeight; ++by) {
        for (int bx = 0; bx < kWidth; ++bx) {
          const int first = tile.pixelIndex(bx * s, by * s);
          bool mixed = false;
          for (int y = by * s; y < (by + 1) * s && !mixed; ++y) {
            for (int x = bx * s; x < (bx + 1) * s && !mixed; ++x) {
              mixed = tile.pixelIndex(x, y) != first;
            }
          }
          mixedBlocks += mixed;
        }
      }
      EXPECT_GE(mixedBlocks, 10);
    }
  }
}

TEST(ArtTileScales, NoPictureOutsideTheDrawnScales) {
  for (int scale : {0, -1, kLargestScale + 1}) {
    EXPECT_TRUE(TilePicture(1, scale).isNull()) << scale;
    EXPECT_TRUE(PausePicture(scale).isNull()) << scale;
  }
}

}  // namespace
}  // namespace quenlow::art
