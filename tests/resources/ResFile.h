// Reader of a 32-bit .res file: the resource compiler's output, a run of header + data entries.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace restest {

// A resource type or name: a number, or a UTF-16 string.
struct ResId {
    std::optional<std::uint16_t> ordinal;
    std::u16string text;

    static ResId Number(std::uint16_t n) { return ResId{n, {}}; }
    bool operator==(const ResId&) const = default;
    std::string ToString() const;
};

struct ResEntry {
    ResId type;
    ResId name;
    std::uint32_t dataVersion = 0;
    std::uint16_t memoryFlags = 0;
    std::uint16_t language = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    std::vector<std::uint8_t> data;
};

class ResFile {
public:
    // Throws FormatError on anything malformed; never reads past the buffer.
    static ResFile Parse(std::span<const std::uint8_t> bytes);
    static ResFile Load(const std::string& path);

    // Every entry after the empty one that opens the file, in file order.
    const std::vector<ResEntry>& Entries() const { return entries_; }
    const ResEntry* Find(std::uint16_t type, std::uint16_t name) const;
    std::vector<const ResEntry*> OfType(std::uint16_t type) const;

private:
    std::vector<ResEntry> entries_;
};

}  // namespace restest
