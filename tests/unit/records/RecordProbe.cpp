#include "unit/records/RecordProbe.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "fw/Exceptions.h"

namespace records {

namespace {

fw::PropertyDesc Logged(std::string name, fw::PropertyType type, fw::PropertyValue initial) {
    return {name, type,
            [name](fw::Object& o, const fw::PropertyValue& v) {
                static_cast<RecordProbeBase&>(o).sets.emplace_back(name, v);
            },
            [name, initial](const fw::Object& o) {
                const auto& sets = static_cast<const RecordProbeBase&>(o).sets;
                for (auto it = sets.rbegin(); it != sets.rend(); ++it)
                    if (it->first == name) return it->second;
                return initial;
            }};
}

// Logged like the others, but refuses a negative value as a setter that checks its value
// does: it raises before it logs or keeps anything.
fw::PropertyDesc Refusing(std::string name) {
    fw::PropertyDesc property = Logged(name, fw::PropertyType::Integer, std::int64_t{0});
    property.set = [name, log = property.set](fw::Object& o, const fw::PropertyValue& v) {
        if (std::get<std::int64_t>(v) < 0)
            throw fw::OutOfBoundsException(name + " refuses " +
                                           std::to_string(std::get<std::int64_t>(v)));
        log(o, v);
    };
    return property;
}

}  // namespace

const fw::ClassRecord& RecordProbeBase::Lookup() {
    static const fw::ClassRecord& record = [] {
        fw::ClassRecord::Definition definition;
        definition.name = "RecordProbeBase";
        definition.super = &fw::Object::Lookup();
        definition.factory = [] { return std::make_shared<RecordProbeBase>(); };
        definition.properties = {Logged("Left", fw::PropertyType::Integer, std::int64_t{0}),
                                 Logged("Name", fw::PropertyType::String, std::string())};
        return std::ref(fw::RegisterClass(std::move(definition)));
    }();
    return record;
}

const fw::ClassRecord& RecordProbeBase::Class() const { return Lookup(); }

const fw::ClassRecord& RecordProbe::Lookup() {
    using T = fw::PropertyType;
    static const fw::ClassRecord& record = [] {
        fw::ClassRecord::Definition definition;
        definition.name = "RecordProbe";
        definition.super = &RecordProbeBase::Lookup();
        definition.factory = [] { return std::make_shared<RecordProbe>(); };
        definition.properties = {Logged("Flag", T::Boolean, false),
                                 Logged("FontUnit", T::FontUnits, std::uint8_t{0}),
                                 Logged("Index", T::Integer, std::int64_t{0}),
                                 Logged("FontSize", T::Single, 0.0f),
                                 Logged("LineSpacing", T::Double, 0.0),
                                 Logged("TextColor", T::Color, fw::Color{}),
                                 Logged("Text", T::String, std::string()),
                                 Logged("MultiLine", T::Boolean, false),
                                 Logged("MacProcId", T::Integer, std::int64_t{0}),
                                 Refusing("Count")};
        return std::ref(fw::RegisterClass(std::move(definition)));
    }();
    return record;
}

const fw::ClassRecord& RecordProbe::Class() const { return Lookup(); }

}  // namespace records
