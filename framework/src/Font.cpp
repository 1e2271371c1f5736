#include "fw/Font.h"

#include <QFontDatabase>

#include <array>
#include <utility>

#include "qt/Native.h"

namespace fw {

namespace {

constexpr const char* kMincho = "IPAMincho";
constexpr const char* kBrush = "AoyagiKouzanFontT";
constexpr const char* kGothic = "IPAGothic";

// Design names the machine may lack, by their style.
constexpr std::array<std::pair<std::string_view, const char*>, 8> kSubstitutes{{
    {"MS 明朝", kMincho},
    {"MS明朝", kMincho},
    {"ＭＳ 明朝", kMincho},
    {"ＭＳ明朝", kMincho},
    {"平成明朝", kMincho},
    {"魚石行書", kBrush},
    {"System", kGothic},
    {"MS UI Gothic", kGothic},
}};

std::string_view Trimmed(std::string_view name) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = name.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string RenderFamilyFor(std::string_view designName) {
    const std::string_view name = Trimmed(designName);
    for (const auto& [design, face] : kSubstitutes)
        if (design == name) return face;
    if (!name.empty() && QFontDatabase::hasFamily(detail::ToQt(name))) return std::string(name);
    return kGothic;
}

}  // namespace fw
