#pragma once
// The lettered pictures: the 26 tiles and the pause picture. Letters come from the outlines of
// a sans-serif font file; each is scaled into the size the picture asks for, rasterised at a
// high resolution and reduced to the few colours the picture may hold.
//
// Every picture can be drawn at a whole scale: at scale s it is s times as wide and as high,
// every measurement of the picture taken s times (the tile's frame is s pixels wide), and the
// letters are drawn anew from their outlines at that size, so a screen at 200 % shows them
// as sharp as at 100 %.

#include <QRawFont>
#include <QString>

#include "tools/IndexedPicture.h"

namespace quenlow::artgen {

class LetterDrawing {
 public:
  // Opens the font file; false when it cannot be read.
  bool Open(const QString& fontFile);

  // The tile of a letter a..z: black frame, white field, the letter in black with grey and
  // silver edges. Sets `error` and returns an empty picture when the letter cannot be drawn
  // to its measurements.
  IndexedPicture Tile(char letter, int scale, QString& error) const;

  // The 640 x 550 pause picture: the word "Pause" in yellow on black, without smoothing.
  IndexedPicture Pause(int scale, QString& error) const;

 private:
  QRawFont font_;
  double tileScale_ = 0;  // tile pixels per font unit, from the x-height
};

}  // namespace quenlow::artgen
