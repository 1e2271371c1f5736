// Reader of an icon group resource (the directory of an icon) and of the bitmap header that
// opens each of its images.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace restest {

struct IconGroupEntry {
    std::uint8_t width = 0;  // 0 stands for 256
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;  // the name of the image's own resource
};

struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    // Reads the first 40 bytes whatever they hold; throws FormatError when they are missing.
    static BitmapInfoHeader Read(std::span<const std::uint8_t> bytes);
};

class IconGroup {
public:
    // Throws FormatError on a short directory or an entry count the data cannot hold.
    static IconGroup Parse(std::span<const std::uint8_t> bytes);

    std::uint16_t reserved = 0;
    std::uint16_t type = 0;  // 1: icon, 2: cursor
    std::vector<IconGroupEntry> entries;
};

}  // namespace restest
