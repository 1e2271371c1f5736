#include "resources/ResFile.h"

#include <fstream>
#include <iterator>

#include "resources/ByteReader.h"

namespace restest {
namespace {

// The fixed fields after the type and name: DataVersion, MemoryFlags, LanguageId, Version,
// Characteristics.
constexpr std::size_t kTailSize = 16;

ResId ReadId(ByteReader& r) {
    std::size_t start = r.Offset();
    if (r.Remaining() >= 2) {
        ByteReader peek = r;
        if (peek.U16() == 0xFFFF) {
            r.U16();
            return ResId::Number(r.U16());
        }
    }
    ResId id{std::nullopt, r.Utf16z("resource name")};
    if (id.text.empty()) throw FormatError("empty resource name", start);
    return id;
}

}  // namespace

std::string ResId::ToString() const {
    // Appended piecewise: GCC 12 at -O3 warns falsely (-Wrestrict) on "x" + std::string.
    std::string out = ordinal ? "#" : "\"";
    out += ordinal ? std::to_string(*ordinal) : Utf8(text);
    if (!ordinal) out += '"';
    return out;
}

ResFile ResFile::Parse(std::span<const std::uint8_t> bytes) {
    ResFile file;
    bool first = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        ByteReader r(bytes, pos);
        std::uint32_t dataSize = r.U32();
        std::uint32_t headerSize = r.U32();
        if (headerSize < 8 + 4 + 4 + kTailSize || headerSize % 4 != 0 ||
            headerSize > bytes.size() - pos)
            throw FormatError("bad HeaderSize " + std::to_string(headerSize), pos);
        if (dataSize > bytes.size() - pos - headerSize)
            throw FormatError("DataSize " + std::to_string(dataSize) + " past the end", pos);

        // Type and name must lie inside the header, so read them from the header alone.
        ByteReader h(bytes.subspan(0, pos + headerSize), pos + 8);
        ResEntry e;
        e.type = ReadId(h);
        e.name = ReadId(h);
        h.AlignTo4();
        if (h.Remaining() != kTailSize)
            throw FormatError("header fields do not fill HeaderSize", h.Offset());
        e.dataVersion = h.U32();
        e.memoryFlags = h.U16();
        e.language = h.U16();
        e.version = h.U32();
        e.characteristics = h.U32();
        auto data = bytes.subspan(pos + headerSize, dataSize);
        e.data.assign(data.begin(), data.end());

        if (first) {
            // A 32-bit .res opens with an empty entry of type 0 and name 0.
            if (dataSize != 0 || headerSize != 32 || e.type != ResId::Number(0) ||
                e.name != ResId::Number(0))
                throw FormatError("not a 32-bit .res file (no empty first entry)", 0);
            first = false;
        } else {
            file.entries_.push_back(std::move(e));
        }
        pos += headerSize + dataSize;
        pos = (pos + 3) & ~std::size_t{3};
    }
    if (first) throw FormatError("empty file", 0);
    return file;
}

ResFile ResFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    return Parse(bytes);
}

const ResEntry* ResFile::Find(std::uint16_t type, std::uint16_t name) const {
    for (const auto& e : entries_)
        if (e.type == ResId::Number(type) && e.name == ResId::Number(name)) return &e;
    return nullptr;
}

std::vector<const ResEntry*> ResFile::OfType(std::uint16_t type) const {
    std::vector<const ResEntry*> out;
    for (const auto& e : entries_)
        if (e.type == ResId::Number(type)) out.push_back(&e);
    return out;
}

}  // namespace restest
