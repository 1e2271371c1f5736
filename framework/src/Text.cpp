#include "fw/Text.h"

#include <charconv>
#include <cmath>

namespace fw {

namespace {

// The length of the UTF-8 sequence that starts with `lead`; a stray byte counts as one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xe) return 3;
    if ((lead >> 3) == 0x1e) return 4;
    return 1;
}

// The byte offset just past the first `count` characters.
std::size_t ByteOffsetOf(std::string_view text, std::int64_t count) {
    std::size_t offset = 0;
    for (std::int64_t i = 0; i < count && offset < text.size(); ++i)
        offset += SequenceLength(static_cast<unsigned char>(text[offset]));
    return offset < text.size() ? offset : text.size();
}

}  // namespace

std::string Str(std::int64_t value) { return std::to_string(value); }

std::string Str(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    // printf's "%.7g" in the C locale, whatever locale the process runs in: the C library's
    // formatting takes its decimal sign from LC_NUMERIC, which the GUI library sets from the
    // user's environment.
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, written.ptr);
    if (text == "-0") text = "0";
    return text;
}

std::string Left(std::string_view text, std::int64_t count) {
    if (count <= 0) return {};
    return std::string(text.substr(0, ByteOffsetOf(text, count)));
}

std::int64_t Len(std::string_view text) {
    std::int64_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); ++count)
        offset += SequenceLength(static_cast<unsigned char>(text[offset]));
    return count;
}

std::string Chr(std::int64_t code) {
    if (code < 0 || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return {};
    const auto c = static_cast<std::uint32_t>(code);
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    return out;
}

}  // namespace fw
