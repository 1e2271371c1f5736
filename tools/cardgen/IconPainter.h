// Draws the program's icon: a small pick-up card bearing one hiragana character.
#pragma once

#include <QImage>

namespace cardgen {

// The icon at size x size pixels (ARGB32): every pixel is either fully transparent or
// opaque, so that the 8-bit images with their 1-bit mask lose nothing but colours.
QImage DrawIcon(int size);

}  // namespace cardgen
