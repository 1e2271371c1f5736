// Reader of a version resource: a tree of nodes, each a length, a value, a key and children.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace restest {

// The fixed part, the value of the root node.
struct FixedFileInfo {
    std::uint32_t signature = 0;
    std::uint32_t strucVersion = 0;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOS = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    std::uint32_t fileDateMS = 0;
    std::uint32_t fileDateLS = 0;
};

class VersionNode {
public:
    // Throws FormatError on a length that leaves its parent or a value that leaves its node.
    static VersionNode Parse(std::span<const std::uint8_t> bytes);

    std::u16string key;
    std::uint16_t type = 0;  // 1: the value is text, its length counted in UTF-16 units
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;

    std::string Key() const;
    // A text value without its terminating NUL.
    std::string Text() const;
    const VersionNode* Child(std::u16string_view name) const;
    // The root's value; throws FormatError when it is not a fixed part.
    FixedFileInfo Fixed() const;

private:
    static VersionNode ParseAt(std::span<const std::uint8_t> bytes, std::size_t pos,
                               std::size_t end, int depth);
};

}  // namespace restest
