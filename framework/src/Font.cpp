#include "fw/Font.h"

#include <QFontDatabase>

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <utility>

#include "qt/Native.h"

namespace fw {

namespace {

// The installed faces of one style, best first, and the style to use when none of them is
// there. Windows faces come first, then the Linux ones (which Wine also lists). Windows names a
// face in the system's language: a Japanese system lists "ＭＳ 明朝" where an English one lists
// "MS Mincho" (Qt takes the English name as an alias too), so a face whose Japanese name differs
// is listed under both.
struct Style {
    std::span<const std::string_view> faces;
    const Style* fallback;
};

constexpr std::array<std::string_view, 5> kUiFaces{"Yu Gothic UI", "Meiryo UI", "MS UI Gothic",
                                                   "IPAGothic", "IPAゴシック"};
// The design's mincho names are MS Mincho's, so it leads: the board keeps one mincho face.
constexpr std::array<std::string_view, 6> kMinchoFaces{"ＭＳ 明朝", "MS Mincho", "游明朝",
                                                       "Yu Mincho", "IPAMincho", "IPA明朝"};
constexpr std::array<std::string_view, 2> kBrushFaces{"AoyagiKouzanFontT", "青柳衡山フォントT"};

constexpr Style kUi{kUiFaces, nullptr};
constexpr Style kMincho{kMinchoFaces, &kUi};
constexpr Style kBrush{kBrushFaces, &kMincho};

// Names the UI face, whatever the machine calls its own: Windows has a bitmap face "System".
constexpr std::string_view kSystem = "System";

// The design's names, by their style.
constexpr std::array<std::pair<std::string_view, const Style*>, 7> kDesignStyles{{
    {"MS 明朝", &kMincho},
    {"MS明朝", &kMincho},
    {"ＭＳ 明朝", &kMincho},
    {"ＭＳ明朝", &kMincho},
    {"平成明朝", &kMincho},
    {"魚石行書", &kBrush},
    {kSystem, &kUi},
}};

const Style& StyleOf(std::string_view name) {
    for (const auto& [design, style] : kDesignStyles)
        if (design == name) return *style;
    return kUi;
}

std::string_view Trimmed(std::string_view name) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = name.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(blanks) - first + 1);
}

// Asks the font database once per name: a look-up costs about 0.1 ms (fontconfig rewrites the
// name first), and opening the game window sets fonts a few hundred times. Records may name any
// number of faces, so only the first few dozen answers are kept.
bool HasFamily(std::string_view name) {
    constexpr std::size_t kRemembered = 64;
    static std::mutex mutex;
    static std::map<std::string, bool, std::less<>> answers;
    const std::lock_guard lock(mutex);
    if (const auto it = answers.find(name); it != answers.end()) return it->second;
    const bool installed = QFontDatabase::hasFamily(detail::ToQt(name));
    if (answers.size() < kRemembered) answers.emplace(name, installed);
    return installed;
}

}  // namespace

std::string ChooseRenderFamily(std::string_view designName, const FamilyInstalled& installed) {
    const std::string_view name = Trimmed(designName);
    if (!name.empty() && name != kSystem && installed(name)) return std::string(name);
    for (const Style* style = &StyleOf(name); style; style = style->fallback)
        for (std::string_view face : style->faces)
            if (installed(face)) return std::string(face);
    return {};
}

std::string RenderFamilyFor(std::string_view designName) {
    std::string family = ChooseRenderFamily(designName, HasFamily);
    if (family.empty())
        family = detail::FromQt(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}

}  // namespace fw
