#pragma once
// The tile pictures of the artwork as the board drawing uses them: palette indices.

#include <QImage>

#include "ui/BoardDrawing.h"

namespace quenlow {

// The 27 tile pictures (0 the blank cell, 1..26 the letters), each as palette indices, drawn at
// the given scale (1 to 4; 40 x 50 pixels times the scale).
TilePictures LoadTilePictures(int scale = 1);

// An image as palette indices: every colour becomes the palette entry nearest to it (the
// artwork holds palette colours only, so for it the match is exact). A null image gives an
// empty picture, which the drawing leaves out.
IndexedImage ToIndexedImage(const QImage& image);

}  // namespace quenlow
