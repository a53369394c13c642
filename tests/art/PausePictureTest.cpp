// The pause picture: the word "Pause" in yellow on black, each letter in its own box, at every
// scale the artwork is drawn at (where every pixel of the 1 x picture is s x s pixels).

#include <gtest/gtest.h>

#include <QRect>

#include <string>

#include "art/ArtLoader.h"

namespace quenlow::art {
namespace {

constexpr int kYellow = 11;

struct LetterBox {
  char letter;
  int left, right;  // columns, both included
  int top, bottom;  // rows, both included
};

// Lower-case letters are 43 or 44 rows high; their box here allows both.
constexpr LetterBox kBoxes[] = {
    {'P', 208, 246, 212, 275}, {'a', 256, 294, 233, 276}, {'u', 305, 341, 233, 276},
    {'s', 353, 387, 233, 276}, {'e', 399, 437, 233, 276},
};

QRect YellowIn(const QImage& picture, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (picture.pixelIndex(x, y) == kYellow) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// Length of the run of yellow that starts at (x, y) and goes right.
int RunFrom(const QImage& picture, int x, int y) {
  int length = 0;
  while (picture.pixelIndex(x + length, y) == kYellow) ++length;
  return length;
}

class ArtPause : public ::testing::TestWithParam<int> {
 protected:
  int Scale() const { return GetParam(); }
  QImage Picture() const { return PausePicture(Scale()); }
  // The pixels of a box of the 1 x picture at this scale.
  QRect Scaled(const LetterBox& box) const {
    const int s = Scale();
    return QRect(QPoint(box.left * s, box.top * s),
                 QPoint((box.right + 1) * s - 1, (box.bottom + 1) * s - 1));
  }
};

TEST_P(ArtPause, YellowOnlyInsideTheFiveLetterBoxesAndBlackElsewhere) {
  const QImage pause = Picture();
  ASSERT_EQ(pause.size(), QSize(640, 550) * Scale());
  for (int y = 0; y < pause.height(); ++y) {
    for (int x = 0; x < pause.width(); ++x) {
      const int index = pause.pixelIndex(x, y);
      bool inBox = false;
      for (const LetterBox& box : kBoxes) inBox |= Scaled(box).contains(x, y);
      if (inBox) {
        ASSERT_TRUE(index == 0 || index == kYellow) << x << "," << y << ": " << index;
      } else {
        ASSERT_EQ(index, 0) << x << "," << y;
      }
    }
  }
}

TEST_P(ArtPause, EveryLetterFillsItsBox) {
  const QImage pause = Picture();
  const int s = Scale();
  for (const LetterBox& box : kBoxes) {
    SCOPED_TRACE(std::string("letter ") + box.letter);
    const QRect area = Scaled(box);
    const QRect ink = YellowIn(pause, area);
    EXPECT_EQ(ink.left(), area.left());
    EXPECT_EQ(ink.right(), area.right());
    EXPECT_EQ(ink.bottom(), area.bottom());
    if (box.letter == 'P') {
      EXPECT_EQ(ink.top(), area.top());
    } else {
      EXPECT_GE(ink.height(), 43 * s);
      EXPECT_LE(ink.height(), 44 * s);
    }
  }
}

TEST_P(ArtPause, TheWordIsCentredAcrossAndAboveTheMiddle) {
  const QImage pause = Picture();
  const int s = Scale();
  const QRect word = YellowIn(pause, pause.rect());
  EXPECT_EQ(word, QRect(QPoint(208 * s, 212 * s), QPoint(438 * s - 1, 277 * s - 1)));
  // The middle in columns and rows of the 1 x picture.
  EXPECT_EQ(((word.left() + word.right() + 1) / s - 1) / 2, 322);
  EXPECT_EQ(((word.top() + word.bottom() + 1) / s - 1) / 2, 244);
}

TEST_P(ArtPause, StrokesAreAboutEightPixelsWide) {
  const QImage pause = Picture();
  const int s = Scale();
  // The upright strokes: the stem of P below its bowl, both stems of u.
  struct Stem {
    const char* name;
    int x, y;
  } const stems[] = {{"P", 208, 266}, {"u left", 305, 250}, {"u right", 325, 250}};
  for (const Stem& stem : stems) {
    SCOPED_TRACE(stem.name);
    int x = stem.x * s;
    while (pause.pixelIndex(x, stem.y * s) != kYellow) ++x;
    const int width = RunFrom(pause, x, stem.y * s);
    // 7 to 9 pixels of the 1 x picture.
    EXPECT_GE(width, 6.5 * s);
    EXPECT_LE(width, 9 * s);
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, ArtPause, ::testing::Values(1, 2, 3, 4),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

}  // namespace
}  // namespace quenlow::art
