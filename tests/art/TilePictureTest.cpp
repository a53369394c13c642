// The letter tiles, judged by their pixels as the board will show them.

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

QImage LetterTile(char letter) {
  return TilePicture(letter - 'a' + 1);
}

std::string Name(char letter) {
  return std::string("letter ") + letter;
}

TEST(ArtTile, EveryLetterHasAOnePixelBlackFrameRoundAWhiteField) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    ASSERT_EQ(tile.size(), QSize(kWidth, kHeight));
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool frame = x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
        // The ring just inside the frame stays white, so the frame is exactly one pixel.
        const bool insideFrame =
            !frame && (x == 1 || y == 1 || x == kWidth - 2 || y == kHeight - 2);
        if (frame) {
          ASSERT_EQ(tile.pixelIndex(x, y), 0) << x << "," << y;
        } else if (insideFrame) {
          ASSERT_EQ(tile.pixelIndex(x, y), 15) << x << "," << y;
        }
      }
    }
  }
}

TEST(ArtTile, LettersAreBlackSmoothedWithGreyAndSilverOnWhite) {
  const QSet<int> tileColours = {0, 7, 8, 15};
  QSet<int> usedByAll;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    QSet<int> used;
    for (int y = 1; y < tile.height() - 1; ++y) {
      for (int x = 1; x < tile.width() - 1; ++x) used.insert(tile.pixelIndex(x, y));
    }
    EXPECT_TRUE(tileColours.contains(used));
    // Black ink on the white field; a letter whose edges all fall on whole pixels may need
    // only one of the two smoothing shades.
    EXPECT_TRUE(used.contains(0) && used.contains(15));
    EXPECT_TRUE(used.contains(7) || used.contains(8));
    usedByAll |= used;
  }
  EXPECT_EQ(usedByAll, tileColours);
}

TEST(ArtTile, LetterHeightsFollowTheirShape) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter));
    switch (ShapeOf(letter)) {
      case Shape::kShort:
        EXPECT_EQ(ink.Height(), 20);
        break;
      case Shape::kTall:
        EXPECT_EQ(ink.Height(), 27);
        break;
      case Shape::kDescender:  // a short body with about 7 rows below it
        EXPECT_GE(ink.Height(), 20 + 6);
        EXPECT_LE(ink.Height(), 20 + 8);
        break;
      case Shape::kTallDescender:
        EXPECT_GE(ink.Height(), 27 + 6);
        EXPECT_LE(ink.Height(), 27 + 8);
        break;
    }
  }
}

TEST(ArtTile, LettersWithoutDescenderEnd35To38RowsBelowTheTop) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const Shape shape = ShapeOf(letter);
    if (shape == Shape::kDescender || shape == Shape::kTallDescender) continue;
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter));
    // Whether the last ink row or the edge below it is counted, both stay within 35..38.
    EXPECT_GE(ink.bottom, 35);
    EXPECT_LE(ink.bottom + 1, 38);
  }
}

TEST(ArtTile, DescendersReachBelowTheOtherLettersLine) {
  const int line = MeasureInk(LetterTile('x')).bottom;
  for (char letter : {'g', 'j', 'p', 'q', 'y'}) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter));
    EXPECT_GE(ink.bottom - line, 6);
    EXPECT_LE(ink.bottom - line, 8);
    EXPECT_LE(ink.bottom, kHeight - 3);
  }
}

TEST(ArtTile, EveryLetterIsCentredNearTheMiddleLine) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(Name(letter));
    const Ink ink = MeasureInk(LetterTile(letter));
    // Column indices: the picture's middle line lies at 19.5. Both the middle of the ink's box
    // and the centre of its weight must lie within 17.5..21.
    EXPECT_GE(ink.BoxCentre(), 17.5);
    EXPECT_LE(ink.BoxCentre(), 21.0);
    EXPECT_GE(ink.Centroid(), 17.5);
    EXPECT_LE(ink.Centroid(), 21.0);
  }
}

TEST(ArtTile, StemsAreAboutThreePixelsWide) {
  // Letters whose leftmost stroke is upright at the middle of the short body.
  for (char letter : {'b', 'h', 'i', 'l', 'm', 'n', 'p', 'r', 'u'}) {
    SCOPED_TRACE(Name(letter));
    const QImage tile = LetterTile(letter);
    const Ink ink = MeasureInk(tile);
    const int bodyTop = ShapeOf(letter) == Shape::kTall ? ink.bottom - 19 : ink.top;
    const int row = bodyTop + 10;
    int x = ink.left;
    while (testing::Darkness(tile.pixelIndex(x, row)) == 0) ++x;
    double width = 0;
    for (; testing::Darkness(tile.pixelIndex(x, row)) > 0; ++x) {
      width += testing::Darkness(tile.pixelIndex(x, row));
    }
    EXPECT_GE(width, 2.5);
    EXPECT_LE(width, 3.75);
  }
}

TEST(ArtTile, AllTwentySixLettersDiffer) {
  for (int a = 1; a <= 26; ++a) {
    for (int b = a + 1; b <= 26; ++b) {
      EXPECT_NE(TilePicture(a), TilePicture(b)) << "kinds " << a << " and " << b;
    }
  }
}

}  // namespace
}  // namespace quenlow::art
