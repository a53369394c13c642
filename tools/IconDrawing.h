#pragma once
// The program icon: the letters "QNL" of a small pixel font, one colour each, on a transparent
// ground.

#include <QImage>
#include <vector>

#include "tools/IndexedPicture.h"

namespace quenlow::artgen {

struct IconPicture {
  IndexedPicture colours;    // 32 x 32 palette indices; 0 where transparent
  std::vector<bool> opaque;  // by pixel, row by row
};

IconPicture DrawIcon();

// The icon as 32 x 32 ARGB32, transparent pixels fully transparent.
QImage IconImage(const IconPicture& icon);

// The icon at half size: the even rows and columns, which keeps one pixel of every two-pixel
// stroke and the one-pixel gaps between the letters.
QImage HalfIcon(const QImage& icon);

// The icon at a multiple of 32 or 16 pixels, without smoothing: every pixel of the 32-pixel
// icon (or, for sizes that are no multiple of 32 such as 48, of the half-size one) becomes a
// square block.
QImage ScaledIcon(const QImage& icon, int size);

}  // namespace quenlow::artgen
