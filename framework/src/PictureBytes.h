#pragma once

#include <memory>
#include <string_view>

namespace fw {
class Picture;
}

namespace fw::detail {

// The picture in the bytes of a PNG file, or nothing: the structure check, then the decode,
// under Picture's limits. Picture::Open reads the file and hands its bytes here; the fuzz
// target calls it directly. Needs no application object.
std::shared_ptr<Picture> PictureFromPngBytes(std::string_view bytes);

}  // namespace fw::detail
