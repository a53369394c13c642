#pragma once
// The faces the windows ask for. The game was laid out for Arial and Verdana; where those are
// missing the free look-alikes take their place, and the Chinese texts come from a face that
// has the characters. Sizes are pixel heights, so the layout does not move with the screen's
// dots per inch.

#include <QFont>

namespace quenlow {

// Arial or its free metric twin, with a Chinese face behind it.
QFont ArialFont(int pixelSize, bool bold = false, bool italic = false);
// Verdana or its free look-alike, for the about window's links.
QFont VerdanaFont(int pixelSize);

}  // namespace quenlow
