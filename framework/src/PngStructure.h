#pragma once

#include <string_view>

namespace fw::detail {

// Whether `bytes` is a PNG file whose structure the decoder can walk without an error: the
// signature; chunks that lie wholly inside the file, with valid type names; IHDR first, with
// values the decoder accepts; PLTE where the colour type needs one; consecutive IDATs; IEND;
// no critical chunk but these four; a right checksum on each critical chunk. The decoder
// writes its errors straight to stderr, bypassing Qt's messages, so a damaged file must
// not reach it. What no walk can see (compressed pixel data that is wrong while its checksum
// is right) is still left to the decoder.
bool IsWalkablePng(std::string_view bytes);

}  // namespace fw::detail
