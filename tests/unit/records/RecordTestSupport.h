#pragma once

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "fw/Property.h"

namespace records {

// Bytes written as blank-separated hex pairs: Hex("E8 03") is "\xE8\x03".
inline std::string Hex(std::string_view pairs) {
    std::string bytes;
    for (std::size_t i = 0; i < pairs.size();) {
        if (pairs[i] == ' ') {
            ++i;
            continue;
        }
        bytes +=
            static_cast<char>(std::strtoul(std::string(pairs.substr(i, 2)).c_str(), nullptr, 16));
        i += 2;
    }
    return bytes;
}

// Equal values, floating-point ones bit for bit (so -0.0 and NaN payloads count).
inline bool SameValue(const fw::PropertyValue& a, const fw::PropertyValue& b) {
    if (a.index() != b.index()) return false;
    if (auto* f = std::get_if<float>(&a))
        return std::bit_cast<std::uint32_t>(*f) == std::bit_cast<std::uint32_t>(std::get<float>(b));
    if (auto* d = std::get_if<double>(&a))
        return std::bit_cast<std::uint64_t>(*d) ==
               std::bit_cast<std::uint64_t>(std::get<double>(b));
    return a == b;
}

}  // namespace records
