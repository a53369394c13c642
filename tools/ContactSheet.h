#pragma once
// One picture that shows the whole set at a glance, for judging the letters by eye.

#include <QImage>
#include <vector>

#include "tools/IndexedPicture.h"

namespace quenlow::artgen {

// `tiles` holds the blank cell and the 26 letters in kind order; `icons` the icon at its
// shipped sizes. Every tile appears at 1x and 4x, each beside its inverted form.
QImage ContactSheet(const std::vector<IndexedPicture>& tiles, const IndexedPicture& pause,
                    const std::vector<QImage>& icons);

}  // namespace quenlow::artgen
