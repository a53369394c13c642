#pragma once
// The game's pictures, embedded in the program as a Qt resource. Every function may be called
// at any time: the first call registers the resource, and each picture is read once.

#include <QIcon>
#include <QImage>
#include <QList>
#include <QRgb>

#include "art/Palette.h"

namespace quenlow::art {

// The tile picture of a board cell, 40 x 50 times `scale` (1 to kLargestScale),
// Format_Indexed8 with the 16-colour table: kind 0 (an empty cell) gives the all-black
// picture, kinds 1..26 the letters a..z. Any other kind or scale has no picture and gives a
// null image.
QImage TilePicture(int kind, int scale = 1);

// The board picture at program start: 640 x 550, black in every pixel (Indexed8).
QImage StartPicture();

// The picture that covers the board during a pause: 640 x 550 times `scale`, "Pause" in
// yellow on black (Indexed8); a null image for a scale outside 1 to kLargestScale.
QImage PausePicture(int scale = 1);

// The program icon, 32 x 32 ARGB32, transparent around its three letters.
QImage IconImage();

// The program icon at every size the game ships (16, 32, 48, 64, 128, 256).
QIcon ProgramIcon();

// The 16 colours of every picture, in palette order (index 0 black ... 15 white).
const QList<QRgb>& Palette();

}  // namespace quenlow::art
