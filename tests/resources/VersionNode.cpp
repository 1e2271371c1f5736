#include "resources/VersionNode.h"

#include <algorithm>

#include "resources/ByteReader.h"

namespace restest {
namespace {

// Root, StringFileInfo, table, string: real files nest four deep.
constexpr int kMaxDepth = 8;
constexpr std::size_t kFixedSize = 52;

}  // namespace

VersionNode VersionNode::Parse(std::span<const std::uint8_t> bytes) {
    return ParseAt(bytes, 0, bytes.size(), 0);
}

VersionNode VersionNode::ParseAt(std::span<const std::uint8_t> bytes, std::size_t pos,
                                 std::size_t end, int depth) {
    if (depth > kMaxDepth) throw FormatError("version nodes nested too deep", pos);
    ByteReader head(bytes.subspan(0, end), pos);
    std::uint16_t length = head.U16();
    std::uint16_t valueLength = head.U16();
    VersionNode node;
    node.type = head.U16();
    if (length < 6 || length > end - pos)
        throw FormatError("node length " + std::to_string(length) + " leaves its parent", pos);

    // Everything of the node lies within its own length.
    std::size_t nodeEnd = pos + length;
    ByteReader r(bytes.subspan(0, nodeEnd), head.Offset());
    node.key = r.Utf16z("node key");
    r.AlignTo4();
    std::size_t valueBytes = node.type == 1 ? std::size_t{valueLength} * 2 : valueLength;
    auto value = r.Bytes(valueBytes, "node value");
    node.value.assign(value.begin(), value.end());
    r.AlignTo4();
    std::size_t child = r.Offset();
    while (child < nodeEnd) {
        ByteReader c(bytes.subspan(0, nodeEnd), child);
        std::uint16_t childLength = c.U16();
        node.children.push_back(ParseAt(bytes, child, nodeEnd, depth + 1));
        child = std::min(nodeEnd, (child + childLength + 3) & ~std::size_t{3});
    }
    return node;
}

std::string VersionNode::Key() const { return Utf8(key); }

std::string VersionNode::Text() const {
    std::u16string s;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2)
        s.push_back(static_cast<char16_t>(value[i] | (value[i + 1] << 8)));
    while (!s.empty() && s.back() == u'\0') s.pop_back();
    return Utf8(s);
}

const VersionNode* VersionNode::Child(std::u16string_view name) const {
    for (const auto& c : children)
        if (c.key == name) return &c;
    return nullptr;
}

FixedFileInfo VersionNode::Fixed() const {
    if (value.size() != kFixedSize)
        throw FormatError("fixed part of " + std::to_string(value.size()) + " bytes", 0);
    ByteReader r(value);
    FixedFileInfo f;
    for (std::uint32_t* field :
         {&f.signature, &f.strucVersion, &f.fileVersionMS, &f.fileVersionLS, &f.productVersionMS,
          &f.productVersionLS, &f.fileFlagsMask, &f.fileFlags, &f.fileOS, &f.fileType,
          &f.fileSubtype, &f.fileDateMS, &f.fileDateLS})
        *field = r.U32();
    return f;
}

}  // namespace restest
