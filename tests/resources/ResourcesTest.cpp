// Reads back the compiled Windows resources of the program file: what a Windows loader, the
// shell's property page and the icon picker would find in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "resources/ByteReader.h"
#include "resources/IconGroup.h"
#include "resources/ResFile.h"
#include "resources/VersionNode.h"
#include "shell/resources/Version.h"

namespace restest {
namespace {

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kRtManifest = 24;
constexpr std::uint16_t kEnglishUS = 1033;
constexpr std::uint16_t kIconGroupId = 102;

const ResFile& Res() {
    static const ResFile file = ResFile::Load(UKISOMI_RES_FILE);
    return file;
}

const ResEntry& Only(std::uint16_t type) {
    auto found = Res().OfType(type);
    if (found.size() != 1)
        throw std::runtime_error("expected one resource of type " + std::to_string(type) +
                                 ", found " + std::to_string(found.size()));
    return *found.front();
}

TEST(ResourceFile, HoldsVersionManifestAndOneIconGroupOfSevenImages) {
    std::map<std::uint16_t, std::vector<std::uint16_t>> namesByType;
    for (const auto& e : Res().Entries()) {
        SCOPED_TRACE("resource " + e.type.ToString() + "/" + e.name.ToString());
        ASSERT_TRUE(e.type.ordinal.has_value());
        ASSERT_TRUE(e.name.ordinal.has_value());
        EXPECT_EQ(e.language, kEnglishUS);
        namesByType[*e.type.ordinal].push_back(*e.name.ordinal);
    }
    std::vector<std::uint16_t> types;
    for (const auto& [type, names] : namesByType) types.push_back(type);
    EXPECT_EQ(types, (std::vector<std::uint16_t>{kRtIcon, kRtGroupIcon, kRtVersion, kRtManifest}));
    EXPECT_EQ(namesByType[kRtVersion], std::vector<std::uint16_t>{1});
    EXPECT_EQ(namesByType[kRtManifest], std::vector<std::uint16_t>{1});
    EXPECT_EQ(namesByType[kRtGroupIcon], std::vector<std::uint16_t>{kIconGroupId});
    EXPECT_EQ(namesByType[kRtIcon].size(), 7u);
}

// --- version resource

VersionNode VersionRoot() { return VersionNode::Parse(Only(kRtVersion).data); }

TEST(VersionResource, FixedPartNamesVersionOneFiveOfAThirtyTwoBitApplication) {
    VersionNode root = VersionRoot();
    EXPECT_EQ(root.Key(), "VS_VERSION_INFO");
    EXPECT_EQ(root.type, 0);
    FixedFileInfo f = root.Fixed();
    EXPECT_EQ(f.signature, 0xFEEF04BDu);
    EXPECT_EQ(f.strucVersion, 0x00010000u);
    EXPECT_EQ(f.fileVersionMS, 0x00010005u);
    EXPECT_EQ(f.fileVersionLS, 0x00000000u);
    EXPECT_EQ(f.productVersionMS, 0x00010005u);
    EXPECT_EQ(f.productVersionLS, 0x00000000u);
    EXPECT_EQ(f.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(f.fileFlags, 0u);
    EXPECT_EQ(f.fileOS, 4u);
    EXPECT_EQ(f.fileType, 1u);
    EXPECT_EQ(f.fileSubtype, 0u);
    EXPECT_EQ(f.fileDateMS, 0u);
    EXPECT_EQ(f.fileDateLS, 0u);
}

TEST(VersionResource, OneStringTableWithTheEntriesInOrder) {
    VersionNode root = VersionRoot();
    std::vector<std::string> blocks;
    for (const auto& c : root.children) blocks.push_back(c.Key());
    EXPECT_EQ(blocks, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));

    const VersionNode* info = root.Child(u"StringFileInfo");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->children.size(), 1u);
    const VersionNode& table = info->children.front();
    EXPECT_EQ(table.Key(), "040904B0");

    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& s : table.children) {
        EXPECT_EQ(s.type, 1) << s.Key() << " is not a text entry";
        entries.emplace_back(s.Key(), s.Text());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CompanyName", ""},
        {"LegalCopyright", ""},
        {"FileVersion", "1.5.0.0"},
        {"FileDescription", ""},
        {"ProductVersion", "1.0"},
        {"ProductName", ""},
        {"OriginalFilename", "Ukisomi.exe"},
        {"InternalName", ""},
        {"LongVersion", UKISOMI_AUTHOR_LINE},
        {"PackageInfo", ""},
        {"Release", "Final"},
    };
    EXPECT_EQ(entries, expected);
    EXPECT_STRNE(UKISOMI_AUTHOR_LINE, "");
}

TEST(VersionResource, TranslationIsEnglishUSInUnicode) {
    VersionNode root = VersionRoot();
    const VersionNode* vars = root.Child(u"VarFileInfo");
    ASSERT_NE(vars, nullptr);
    ASSERT_EQ(vars->children.size(), 1u);
    const VersionNode& translation = vars->children.front();
    EXPECT_EQ(translation.Key(), "Translation");
    EXPECT_EQ(translation.type, 0);
    // One language/code-page pair of WORDs: 0x0409, 0x04B0.
    EXPECT_EQ(translation.value, (std::vector<std::uint8_t>{0x09, 0x04, 0xB0, 0x04}));
}

// --- manifest

std::string ManifestText() {
    const auto& data = Only(kRtManifest).data;
    return std::string(data.begin(), data.end());
}

// The start tags of one element, in document order.
std::vector<std::string> StartTags(const std::string& xml, const std::string& element) {
    std::vector<std::string> tags;
    std::regex tag("<" + element + R"((?=[\s/>])[^>]*>)");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator();
         ++it)
        tags.push_back(it->str());
    return tags;
}

std::map<std::string, std::string> Attributes(const std::string& tag) {
    std::map<std::string, std::string> attrs;
    std::regex attr(R"(([\w:.-]+)\s*=\s*"([^"]*)\")");
    for (auto it = std::sregex_iterator(tag.begin(), tag.end(), attr); it != std::sregex_iterator();
         ++it)
        attrs[(*it)[1]] = (*it)[2];
    return attrs;
}

std::string ElementText(const std::string& xml, const std::string& element) {
    std::smatch m;
    std::regex text("<" + element + R"((?=[\s>])[^>]*>([^<]*)</)" + element + ">");
    return std::regex_search(xml, m, text) ? m[1].str() : "<missing>";
}

TEST(Manifest, IsOneXmlDocumentWithoutStrayBytes) {
    std::string xml = ManifestText();
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
    EXPECT_EQ(xml.find('\0'), std::string::npos);
    xml.erase(xml.find_last_not_of("\r\n") + 1);
    EXPECT_TRUE(xml.ends_with("</assembly>"));
}

TEST(Manifest, DeclaresIdentityOSesPrivilegeControlsAndDpiAwareness) {
    std::string xml = ManifestText();
    auto identities = StartTags(xml, "assemblyIdentity");
    auto oses = StartTags(xml, "supportedOS");
    auto levels = StartTags(xml, "requestedExecutionLevel");
    ASSERT_EQ(identities.size(), 2u);  // the program's own, then the dependency's
    ASSERT_EQ(oses.size(), 2u);
    ASSERT_EQ(levels.size(), 1u);

    struct Case {
        const std::string* tag;
        const char* attribute;
        const char* value;
    };
    const Case cases[] = {
        {&identities[0], "version", "1.5.0.0"},
        {&identities[0], "processorArchitecture", "*"},
        {&identities[0], "name", "Ukisomi.exe"},
        {&identities[0], "type", "win32"},
        {&oses[0], "Id", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},  // Windows 8.1
        {&oses[1], "Id", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},  // Windows 10
        {&levels[0], "level", "asInvoker"},
        {&levels[0], "uiAccess", "False"},
        {&identities[1], "type", "win32"},
        {&identities[1], "name", "Microsoft.Windows.Common-Controls"},
        {&identities[1], "version", "6.0.0.0"},
        {&identities[1], "processorArchitecture", "*"},
        {&identities[1], "language", "*"},
        {&identities[1], "publicKeyToken", "6595b64144ccf1df"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.tag);
        auto attrs = Attributes(*c.tag);
        EXPECT_EQ(attrs.count(c.attribute) ? attrs[c.attribute] : "<missing>", c.value)
            << c.attribute;
    }
    EXPECT_EQ(ElementText(xml, "dpiAware"), "True/pm");
    EXPECT_EQ(ElementText(xml, "dpiAwareness"), "permonitorv2,permonitor");
}

// --- icon

struct IconImage {
    int size;
    int bitCount;
};
constexpr std::array<IconImage, 7> kImages = {
    {{48, 8}, {32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}}};

IconGroup Group() {
    const ResEntry* e = Res().Find(kRtGroupIcon, kIconGroupId);
    if (!e) throw std::runtime_error("no icon group 102");
    return IconGroup::Parse(e->data);
}

TEST(IconGroup, SevenImagesBySizeAndDepthInOrder) {
    IconGroup g = Group();
    EXPECT_EQ(g.reserved, 0);
    EXPECT_EQ(g.type, 1);
    ASSERT_EQ(g.entries.size(), kImages.size());
    for (std::size_t i = 0; i < kImages.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const auto& e = g.entries[i];
        int stored = kImages[i].size % 256;  // 256 is stored as 0
        EXPECT_EQ(e.width, stored);
        EXPECT_EQ(e.height, stored);
        EXPECT_EQ(e.colorCount, 0);  // 8 bits is a full 256-colour palette
        EXPECT_EQ(e.reserved, 0);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, kImages[i].bitCount);
    }
}

TEST(IconGroup, EachImageIsAWholeUncompressedBitmapOfItsEntry) {
    IconGroup g = Group();
    ASSERT_EQ(g.entries.size(), kImages.size());
    std::vector<std::uint16_t> ids;
    for (std::size_t i = 0; i < kImages.size(); ++i) {
        const auto& entry = g.entries[i];
        const auto [size, bits] = kImages[i];
        SCOPED_TRACE("image " + std::to_string(i) + ", icon #" + std::to_string(entry.id));
        ids.push_back(entry.id);
        const ResEntry* icon = Res().Find(kRtIcon, entry.id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->language, kEnglishUS);
        EXPECT_EQ(icon->data.size(), entry.bytesInRes);

        const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
        ASSERT_GE(icon->data.size(), 40u);
        EXPECT_NE(std::memcmp(icon->data.data(), png, sizeof png), 0) << "stored as PNG";
        BitmapInfoHeader h = BitmapInfoHeader::Read(icon->data);
        EXPECT_EQ(h.size, 40u);
        EXPECT_EQ(h.width, size);
        EXPECT_EQ(h.height, 2 * size);  // colour image and mask
        EXPECT_EQ(h.planes, 1);
        EXPECT_EQ(h.bitCount, bits);
        EXPECT_EQ(h.compression, 0u);

        // Header, palette, colour rows and mask rows, each row padded to four bytes.
        std::size_t palette = bits <= 8 ? (h.clrUsed ? h.clrUsed : 1u << bits) : 0;
        std::size_t colourRow = (static_cast<std::size_t>(size) * bits + 31) / 32 * 4;
        std::size_t maskRow = (static_cast<std::size_t>(size) + 31) / 32 * 4;
        EXPECT_EQ(icon->data.size(), 40 + palette * 4 + (colourRow + maskRow) * size);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end())
        << "two entries share an image";
}

// --- the readers themselves, on hand-made bytes

struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& u16(std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    Bytes& u32(std::uint32_t v) { return u16(static_cast<std::uint16_t>(v)).u16(v >> 16); }
    Bytes& str(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        return u16(0);
    }
    Bytes& pad() {
        while (b.size() % 4) b.push_back(0);
        return *this;
    }
    Bytes& raw(std::string_view s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
};

// An entry header of ordinal type 0 and name 0: with no data it is the one that opens a file.
Bytes OrdinalHeader(std::uint32_t dataSize) {
    Bytes b;
    b.u32(dataSize).u32(32);
    b.u16(0xFFFF).u16(0).u16(0xFFFF).u16(0);
    b.u32(0).u16(0).u16(0).u32(0).u32(0);
    return b;
}

Bytes NullEntry() { return OrdinalHeader(0); }

// An entry of type "DATA" and name #5 holding "abc": header of 8 + 10 + 4 + 2 (pad) + 16 bytes.
Bytes WithNamedEntry(std::uint32_t dataSize = 3) {
    return NullEntry()
        .u32(dataSize)
        .u32(40)
        .str(u"DATA")
        .u16(0xFFFF)
        .u16(5)
        .pad()
        .u32(0)
        .u16(0x30)
        .u16(kEnglishUS)
        .u32(0)
        .u32(0)
        .raw("abc")
        .pad();
}

TEST(ResourceReaders, ReadNamedTypesAndOrdinalNames) {
    ResFile f = ResFile::Parse(WithNamedEntry().b);
    ASSERT_EQ(f.Entries().size(), 1u);
    const auto& e = f.Entries().front();
    EXPECT_EQ(e.type, (ResId{std::nullopt, u"DATA"}));
    EXPECT_EQ(e.name, ResId::Number(5));
    EXPECT_EQ(e.memoryFlags, 0x30);
    EXPECT_EQ(e.language, kEnglishUS);
    EXPECT_EQ(e.data, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

TEST(ResourceReaders, RejectMalformedBytesWithoutReadingPastThem) {
    auto res = [](Bytes b) { return [b] { ResFile::Parse(b.b); }; };
    auto version = [](Bytes b) { return [b] { VersionNode::Parse(b.b); }; };
    auto group = [](Bytes b) { return [b] { IconGroup::Parse(b.b); }; };
    Bytes unterminated = NullEntry().u32(0).u32(32).u16(u'D').u16(u'A').u16(u'T').u16(u'A');
    unterminated.b.resize(unterminated.b.size() + 16, 0x41);  // fills HeaderSize, no NUL
    struct Case {
        const char* name;
        std::function<void()> parse;
        const char* reason;  // a fragment of the error message
    };
    const Case cases[] = {
        {"empty file", res(Bytes{}), "empty file"},
        {"first entry is not the empty one", res(OrdinalHeader(4).raw("abcd")), "empty first"},
        {"header cut short", res(NullEntry().u32(0).u32(32).u16(0xFFFF)), "HeaderSize"},
        {"HeaderSize below its fields", res(NullEntry().u32(0).u32(8)), "HeaderSize"},
        {"DataSize past the end", res(WithNamedEntry(1000)), "DataSize"},
        {"name not terminated inside the header", res(unterminated), "unterminated"},
        {"node length zero", version(Bytes{}.u16(0).u16(0).u16(0).u32(0)), "node length"},
        {"node length past the buffer", version(Bytes{}.u16(200).u16(0).u16(0).str(u"K")),
         "node length"},
        {"value past the node", version(Bytes{}.u16(16).u16(52).u16(0).str(u"KEY").pad()),
         "node value"},
        {"child past its parent",
         version(Bytes{}.u16(20).u16(0).u16(0).str(u"P").pad().u16(40).u16(0).u16(1).str(u"C")),
         "node length"},
        {"icon count larger than the directory",
         group(Bytes{}.u16(0).u16(1).u16(7).u32(0).u32(0).u32(0).u16(1)), "icon entries"},
        {"directory cut short", group(Bytes{}.u16(0).u16(1)), "truncated"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.parse();
            ADD_FAILURE() << "accepted";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace restest
