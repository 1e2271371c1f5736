// Bounds-checked little-endian reads over a byte span, for the resource-file readers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace restest {

// Malformed input: names what was being read and the byte offset within the buffer.
class FormatError : public std::runtime_error {
public:
    FormatError(const std::string& what, std::size_t offset)
        : std::runtime_error(what + " at byte " + std::to_string(offset)) {}
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t pos = 0)
        : bytes_(bytes), pos_(pos) {
        if (pos > bytes.size()) throw FormatError("start past the end", pos);
    }

    std::size_t Offset() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    std::uint8_t U8() {
        Need(1, "byte");
        return bytes_[pos_++];
    }
    std::uint16_t U16() {
        Need(2, "WORD");
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t U32() {
        Need(4, "DWORD");
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    std::span<const std::uint8_t> Bytes(std::size_t n, const char* what) {
        Need(n, what);
        auto out = bytes_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

    // A NUL-terminated UTF-16 string; the terminator is consumed, not returned.
    std::u16string Utf16z(const char* what) {
        std::size_t start = pos_;
        std::u16string s;
        for (;;) {
            if (Remaining() < 2) throw FormatError(std::string("unterminated ") + what, start);
            char16_t c = static_cast<char16_t>(U16());
            if (c == 0) return s;
            s.push_back(c);
        }
    }

    // Padding to the next multiple of four from the start of the buffer; it may be cut off by
    // the buffer's end.
    void AlignTo4() { pos_ = std::min(bytes_.size(), (pos_ + 3) & ~std::size_t{3}); }

private:
    void Need(std::size_t n, const char* what) const {
        if (Remaining() < n) throw FormatError(std::string("truncated ") + what, pos_);
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_;
};

// UTF-16 to UTF-8, for messages and comparisons; a lone surrogate becomes U+FFFD.
inline std::string Utf8(std::u16string_view s) {
    std::string out;
    auto put = [&out](char32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        put(c);
    }
    return out;
}

}  // namespace restest
