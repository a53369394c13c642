#pragma once
// The board picture as the window paints it.

#include <QImage>
#include <QList>
#include <QRgb>

#include "ui/BoardPicture.h"

namespace quenlow {

// The 16 colours of the game's palette, in index order.
const QList<QRgb>& PaletteTable();

// An 8-bit indexed image with the palette as its colour table that reads the picture's own
// pixels: nothing is copied, so it shows every later drawing as it is made. It must not outlive
// the picture, and must only be read (painting it is reading; asking it for writable bits
// would detach it into a stale copy).
QImage PictureImage(const BoardPicture& picture);

// Writes the palette colours of the picture's pixels in `area` into `target`, a Format_RGB32
// image of the picture's size, at the same place. The area is clipped to the picture.
void ConvertRect(const BoardPicture& picture, PixelRect area, QImage& target);

}  // namespace quenlow
