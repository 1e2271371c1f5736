// Writes Windows icon files whose images are all stored as bitmaps (no PNG inside).
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace cardgen {

struct IcoImage {
    QImage image;       // square or not, at most 256 x 256
    int bitCount = 32;  // 8: 256-colour palette; 32: BGRA. Both carry the 1-bit AND mask.
};

// The bytes of an .ico holding the images in the given order. A pixel whose alpha is below
// half is transparent in the mask; an 8-bit image keeps its colours exactly when it has at
// most 255 opaque ones, else the most frequent 255 and the nearest of them for the rest.
// Throws std::invalid_argument for an empty list, a null or oversized image, or a bit
// count other than 8 and 32.
QByteArray EncodeIco(const std::vector<IcoImage>& images);

}  // namespace cardgen
