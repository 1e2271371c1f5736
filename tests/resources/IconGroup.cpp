#include "resources/IconGroup.h"

#include "resources/ByteReader.h"

namespace restest {

BitmapInfoHeader BitmapInfoHeader::Read(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    BitmapInfoHeader h;
    h.size = r.U32();
    h.width = r.I32();
    h.height = r.I32();
    h.planes = r.U16();
    h.bitCount = r.U16();
    h.compression = r.U32();
    h.sizeImage = r.U32();
    h.xPelsPerMeter = r.I32();
    h.yPelsPerMeter = r.I32();
    h.clrUsed = r.U32();
    h.clrImportant = r.U32();
    return h;
}

IconGroup IconGroup::Parse(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    IconGroup g;
    g.reserved = r.U16();
    g.type = r.U16();
    std::uint16_t count = r.U16();
    // Fourteen bytes an entry, no padding.
    if (r.Remaining() != std::size_t{count} * 14)
        throw FormatError(std::to_string(count) + " icon entries do not fit the directory",
                          r.Offset());
    for (std::uint16_t i = 0; i < count; ++i) {
        IconGroupEntry e;
        e.width = r.U8();
        e.height = r.U8();
        e.colorCount = r.U8();
        e.reserved = r.U8();
        e.planes = r.U16();
        e.bitCount = r.U16();
        e.bytesInRes = r.U32();
        e.id = r.U16();
        g.entries.push_back(e);
    }
    return g;
}

}  // namespace restest
