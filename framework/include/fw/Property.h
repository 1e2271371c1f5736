#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

namespace fw {

class Object;

// A colour as 0xAARRGGBB; alpha 00 is opaque.
struct Color {
    std::uint32_t value = 0;
    friend bool operator==(Color, Color) = default;
    int Red() const { return static_cast<int>((value >> 16) & 0xff); }
    int Green() const { return static_cast<int>((value >> 8) & 0xff); }
    int Blue() const { return static_cast<int>(value & 0xff); }
    int Alpha() const { return static_cast<int>(value >> 24); }
};

// The value types a design-time property can have; each has its own width in a design record.
enum class PropertyType { Boolean, FontUnits, Integer, Single, Double, Color, String };

const char* PropertyTypeName(PropertyType type);

// One property value; the alternative matches the PropertyType in declaration order.
using PropertyValue =
    std::variant<bool, std::uint8_t, std::int64_t, float, double, Color, std::string>;

PropertyType TypeOf(const PropertyValue& value);

// A design-time property of a class: declared once, with its type, getter and setter. The
// design-record reader and the encoder both go through these tables.
struct PropertyDesc {
    std::string name;
    PropertyType type;
    std::function<void(Object&, const PropertyValue&)> set;
    std::function<PropertyValue(const Object&)> get;
};

}  // namespace fw
