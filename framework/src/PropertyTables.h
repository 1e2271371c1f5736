#pragma once

// Property-table pieces shared by several framework classes.

#include <vector>

#include "fw/Control.h"
#include "fw/Object.h"

namespace fw::detail {

// The font properties of a class C that derives from FontStyled.
template <class C>
std::vector<PropertyDesc> FontProperties() {
    auto font = [](Object& o) -> FontStyled& { return static_cast<C&>(o); };
    auto cfont = [](const Object& o) -> const FontStyled& { return static_cast<const C&>(o); };
    return {
        {"FontName", PropertyType::String,
         [=](Object& o, const PropertyValue& v) { font(o).SetFontName(std::get<std::string>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).FontName()}; }},
        {"FontSize", PropertyType::Single,
         [=](Object& o, const PropertyValue& v) { font(o).SetFontSize(std::get<float>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).FontSize()}; }},
        {"FontUnit", PropertyType::FontUnits,
         [=](Object& o, const PropertyValue& v) { font(o).SetFontUnit(std::get<std::uint8_t>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).FontUnit()}; }},
        {"Bold", PropertyType::Boolean,
         [=](Object& o, const PropertyValue& v) { font(o).SetBold(std::get<bool>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).Bold()}; }},
        {"Italic", PropertyType::Boolean,
         [=](Object& o, const PropertyValue& v) { font(o).SetItalic(std::get<bool>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).Italic()}; }},
        {"Underline", PropertyType::Boolean,
         [=](Object& o, const PropertyValue& v) { font(o).SetUnderline(std::get<bool>(v)); },
         [=](const Object& o) { return PropertyValue{cfont(o).Underline()}; }},
    };
}

inline std::vector<PropertyDesc> Join(std::vector<PropertyDesc> a,
                                      const std::vector<PropertyDesc>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline PropertyDesc StoredBool(const char* name, bool v = false) {
    return StoredProperty(name, PropertyType::Boolean, v);
}
inline PropertyDesc StoredInt(const char* name, std::int64_t v = 0) {
    return StoredProperty(name, PropertyType::Integer, v);
}
inline PropertyDesc StoredText(const char* name) {
    return StoredProperty(name, PropertyType::String, std::string());
}

}  // namespace fw::detail
