// The pause picture: the word "Pause" in yellow on black, each letter in its own box.

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

TEST(ArtPause, YellowOnlyInsideTheFiveLetterBoxesAndBlackElsewhere) {
  const QImage pause = PausePicture();
  ASSERT_EQ(pause.size(), QSize(640, 550));
  for (int y = 0; y < pause.height(); ++y) {
    for (int x = 0; x < pause.width(); ++x) {
      const int index = pause.pixelIndex(x, y);
      bool inBox = false;
      for (const LetterBox& box : kBoxes) {
        inBox |= x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
      }
      if (inBox) {
        ASSERT_TRUE(index == 0 || index == kYellow) << x << "," << y << ": " << index;
      } else {
        ASSERT_EQ(index, 0) << x << "," << y;
      }
    }
  }
}

TEST(ArtPause, EveryLetterFillsItsBox) {
  const QImage pause = PausePicture();
  for (const LetterBox& box : kBoxes) {
    SCOPED_TRACE(std::string("letter ") + box.letter);
    const QRect ink =
        YellowIn(pause, QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    EXPECT_EQ(ink.left(), box.left);
    EXPECT_EQ(ink.right(), box.right);
    EXPECT_EQ(ink.bottom(), box.bottom);
    if (box.letter == 'P') {
      EXPECT_EQ(ink.top(), box.top);
    } else {
      EXPECT_GE(ink.height(), 43);
      EXPECT_LE(ink.height(), 44);
    }
  }
}

TEST(ArtPause, TheWordIsCentredAcrossAndAboveTheMiddle) {
  const QImage pause = PausePicture();
  const QRect word = YellowIn(pause, pause.rect());
  EXPECT_EQ(word, QRect(QPoint(208, 212), QPoint(437, 276)));
  EXPECT_EQ((word.left() + word.right()) / 2, 322);
  EXPECT_EQ((word.top() + word.bottom()) / 2, 244);
}

TEST(ArtPause, StrokesAreAboutEightPixelsWide) {
  const QImage pause = PausePicture();
  // The upright strokes: the stem of P below its bowl, both stems of u.
  struct Stem {
    const char* name;
    int x, y;
  } const stems[] = {{"P", 208, 266}, {"u left", 305, 250}, {"u right", 325, 250}};
  for (const Stem& stem : stems) {
    SCOPED_TRACE(stem.name);
    int x = stem.x;
    while (pause.pixelIndex(x, stem.y) != kYellow) ++x;
    const int width = RunFrom(pause, x, stem.y);
    EXPECT_GE(width, 7);
    EXPECT_LE(width, 9);
  }
}

}  // namespace
}  // namespace quenlow::art
