#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Strings are std::string holding UTF-8; counts are of characters (code points), not bytes.

// The decimal digits of an Integer, with a minus sign when negative.
std::string Str(std::int64_t value);
inline std::string Str(int value) { return Str(static_cast<std::int64_t>(value)); }
// A Double in the framework's one text form: up to seven significant digits, trailing zeros
// dropped ("3.712345", "20", "0.4"); an exponent ("1.234568e+09") once the magnitude is 1e7
// or more, or below 1e-4. NaN and infinities read "NaN", "INF", "-INF". The decimal sign is
// always a point, whatever the locale.
std::string Str(double value);

// The first `count` characters; the whole text when count is at least its length; empty when
// count is 0 or negative.
std::string Left(std::string_view text, std::int64_t count);
// The number of characters.
std::int64_t Len(std::string_view text);
// The one-character text of a Unicode code point (empty for an invalid one).
std::string Chr(std::int64_t code);

}  // namespace fw
