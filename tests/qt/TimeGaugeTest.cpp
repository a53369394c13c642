#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "ui/qt/TimeGauge.h"

namespace quenlow {
namespace {

QImage Render(TimeGauge& gauge) {
  gauge.resize(209, 25);
  QImage image(gauge.size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  gauge.render(&image);
  return image;
}

// Counts the pixels near one colour in columns [left, right) of the gauge's inside (the text
// is smoothed, so its strokes shade off into the ground).
int CountColour(const QImage& image, QRgb colour, int left, int right) {
  int count = 0;
  for (int y = 1; y < image.height() - 1; ++y)
    for (int x = left; x < right; ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (std::abs(qRed(pixel) - qRed(colour)) < 60 &&
          std::abs(qGreen(pixel) - qGreen(colour)) < 60 &&
          std::abs(qBlue(pixel) - qBlue(colour)) < 60)
        ++count;
    }
  return count;
}

TEST(TimeGauge, HoldsItsValueWithinTheRange) {
  struct Case {
    int written;
    int held;
  };
  for (const Case& c :
       {Case{-5, 0}, Case{0, 0}, Case{37, 37}, Case{100, 100}, Case{101, 100}, Case{250, 100}}) {
    TimeGauge gauge;
    gauge.SetValue(c.written);
    EXPECT_EQ(gauge.Value(), c.held) << "written " << c.written;
  }
}

TEST(TimeGauge, DrawsTheBarInItsColourOnWhiteInsideABorder) {
  for (const QColor& bar : {QColor(0, 128, 0), QColor(255, 255, 0), QColor(255, 0, 0)}) {
    TimeGauge gauge;
    gauge.SetValue(25);
    gauge.SetBarColor(bar);
    const QImage image = Render(gauge);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(208, 24), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(104, 0), QColor(Qt::black));
    // A quarter of the inside is bar, the rest white ground.
    EXPECT_EQ(image.pixelColor(2, 12), bar);
    EXPECT_EQ(image.pixelColor(50, 12), bar);
    EXPECT_EQ(image.pixelColor(54, 12), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(206, 3), QColor(Qt::white));
  }
}

TEST(TimeGauge, EmptyAndFullBarsCoverNothingAndEverything) {
  TimeGauge gauge;
  gauge.SetValue(0);
  QImage image = Render(gauge);
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
  gauge.SetValue(100);
  image = Render(gauge);
  EXPECT_EQ(image.pixelColor(207, 23), QColor(0, 128, 0));
}

TEST(TimeGauge, PercentageTextInvertsTheColoursBeneathIt) {
  // At 50 the bar's edge runs through the middle of the text "50%": the part over the bar
  // is drawn in the bar's inverse, the part over the ground in black.
  TimeGauge gauge;
  gauge.SetValue(50);
  gauge.SetBarColor(QColor(255, 255, 0));
  const QImage image = Render(gauge);
  const int edge = 1 + 207 / 2;
  EXPECT_GT(CountColour(image, qRgb(0, 0, 255), edge - 30, edge), 0);
  EXPECT_EQ(CountColour(image, qRgb(0, 0, 255), edge, 208), 0);
  EXPECT_GT(CountColour(image, qRgb(0, 0, 0), edge, edge + 30), 0);
  EXPECT_EQ(CountColour(image, qRgb(0, 0, 0), 1, edge), 0);

  // Green's inverse over a full bar.
  gauge.SetValue(100);
  gauge.SetBarColor(QColor(0, 128, 0));
  EXPECT_GT(CountColour(Render(gauge), qRgb(255, 127, 255), 1, 208), 0);
}

}  // namespace
}  // namespace quenlow
