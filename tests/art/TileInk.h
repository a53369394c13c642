#pragma once
// Measuring a letter tile by its ink: every pixel inside the frame that is not white. The
// frame is one pixel of the 1 x tile, `scale` pixels of a tile drawn at a larger scale.

#include <QImage>

#include <algorithm>

namespace quenlow::art::testing {

struct Ink {
  int left = 1000;
  int top = 1000;
  int right = -1;
  int bottom = -1;
  double weight = 0;     // the sum of darkness over the ink
  double columnSum = 0;  // the sum of darkness times column index

  int Height() const { return bottom - top + 1; }
  double BoxCentre() const { return (left + right) / 2.0; }
  double Centroid() const { return columnSum / weight; }
};

// How dark a tile colour is: black 1, grey 1/2, silver 1/4, white 0.
inline double Darkness(int index) {
  switch (index) {
    case 0:
      return 1.0;
    case 7:
      return 0.5;
    case 8:
      return 0.25;
    default:
      return 0.0;
  }
}

inline Ink MeasureInk(const QImage& tile, int scale = 1) {
  Ink ink;
  for (int y = scale; y < tile.height() - scale; ++y) {
    for (int x = scale; x < tile.width() - scale; ++x) {
      const double dark = Darkness(tile.pixelIndex(x, y));
      if (dark == 0) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.weight += dark;
      ink.columnSum += dark * x;
    }
  }
  return ink;
}

}  // namespace quenlow::art::testing
