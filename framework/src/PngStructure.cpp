#include "PngStructure.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace fw::detail {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
// The decoder's own bound on width and height unless a program sets another.
constexpr std::uint32_t kDecoderMaxSide = 1'000'000;

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xffffffffu;
    for (char ch : bytes) crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// A critical chunk's type begins with a capital letter.
bool IsCritical(std::string_view type) { return type[0] >= 'A' && type[0] <= 'Z'; }

// Colour types and the bit depths each allows.
bool ValidDepth(std::uint8_t colourType, std::uint8_t depth) {
    switch (colourType) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

bool ValidHeader(std::string_view data) {
    if (data.size() != 13) return false;
    const std::uint32_t width = BigEndian32(data, 0), height = BigEndian32(data, 4);
    const auto depth = static_cast<std::uint8_t>(data[8]);
    const auto colourType = static_cast<std::uint8_t>(data[9]);
    const auto compression = static_cast<std::uint8_t>(data[10]);
    const auto filter = static_cast<std::uint8_t>(data[11]);
    const auto interlace = static_cast<std::uint8_t>(data[12]);
    return width >= 1 && width <= kDecoderMaxSide && height >= 1 && height <= kDecoderMaxSide &&
           ValidDepth(colourType, depth) && compression == 0 && filter == 0 && interlace <= 1;
}

}  // namespace

bool IsWalkablePng(std::string_view bytes) {
    if (bytes.substr(0, kSignature.size()) != kSignature) return false;
    std::size_t at = kSignature.size();
    int chunks = 0;
    std::uint8_t colourType = 0;
    bool palette = false, sawData = false, dataEnded = false;
    while (true) {
        if (bytes.size() - at < 12) return false;  // length, type and checksum
        const std::uint32_t length = BigEndian32(bytes, at);
        if (length > bytes.size() - at - 12) return false;
        const std::string_view typeAndData = bytes.substr(at + 4, 4 + std::size_t{length});
        const std::string_view type = typeAndData.substr(0, 4);
        const std::string_view data = typeAndData.substr(4);
        const std::uint32_t crc = BigEndian32(bytes, at + 8 + length);
        at += 12 + std::size_t{length};
        for (char c : type)
            if (!IsLetter(c)) return false;
        const bool first = chunks++ == 0;
        if (first != (type == "IHDR")) return false;
        if (IsCritical(type) && Crc32(typeAndData) != crc) return false;
        if (sawData && type != "IDAT") dataEnded = true;
        if (type == "IHDR") {
            if (!ValidHeader(data)) return false;
            colourType = static_cast<std::uint8_t>(data[9]);
        } else if (type == "PLTE") {
            if (palette || sawData || colourType == 0 || colourType == 4 || length == 0 ||
                length % 3 != 0 || length > 256 * 3)
                return false;
            palette = true;
        } else if (type == "IDAT") {
            if (dataEnded || (colourType == 3 && !palette)) return false;
            sawData = true;
        } else if (type == "IEND") {
            return sawData;
        } else if (IsCritical(type)) {
            return false;  // a critical chunk the decoder does not know
        }
    }
}

}  // namespace fw::detail
