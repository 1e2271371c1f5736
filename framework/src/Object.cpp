#include "fw/Object.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "TextUtil.h"
#include "fw/Array.h"
#include "fw/WeakRef.h"

namespace fw {

bool MemberRecord::HasAttribute(std::string_view attribute) const {
    return std::any_of(attributes.begin(), attributes.end(),
                       [&](const auto& a) { return a.first == attribute; });
}

ClassRecord::ClassRecord(Definition definition) : definition_(std::move(definition)) {}

bool ClassRecord::IsA(const ClassRecord& other) const {
    for (const ClassRecord* c = this; c; c = c->Super())
        if (c == &other) return true;
    return false;
}

std::vector<MemberRecord> ClassRecord::MethodTable() const {
    std::vector<MemberRecord> table =
        Super() ? Super()->MethodTable() : std::vector<MemberRecord>{};
    for (const MemberRecord& own : definition_.members) {
        auto same = std::find_if(table.begin(), table.end(), [&](const MemberRecord& m) {
            return m.name == own.name && m.params == own.params;
        });
        if (same != table.end())
            *same = own;
        else
            table.push_back(own);
    }
    return table;
}

const PropertyDesc* ClassRecord::FindProperty(std::string_view name) const {
    for (const ClassRecord* c = this; c; c = c->Super())
        for (const PropertyDesc& p : c->definition_.properties)
            if (detail::EqualsIgnoringCase(p.name, name)) return &p;
    return nullptr;
}

bool ClassRecord::ImplementsEvent(std::string_view event) const {
    return std::any_of(definition_.events.begin(), definition_.events.end(),
                       [&](const std::string& e) { return detail::EqualsIgnoringCase(e, event); });
}

bool ClassRecord::ImplementsInterface(std::string_view interface) const {
    for (const ClassRecord* c = this; c; c = c->Super())
        for (const std::string& i : c->definition_.interfaces)
            if (i == interface) return true;
    return false;
}

std::string ClassRecord::Attribute(std::string_view name) const {
    for (const auto& [key, value] : definition_.attributes)
        if (key == name) return value;
    return {};
}

ObjectRef ClassRecord::NewInstance() const {
    if (!definition_.factory) throw RuntimeException("class " + Name() + " cannot be made by name");
    return definition_.factory();
}

ObjectRef ClassRecord::ImplicitInstance() const {
    return definition_.implicitInstance ? definition_.implicitInstance() : nullptr;
}

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<ClassRecord>, std::less<>> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

const ClassRecord& RegisterClass(ClassRecord::Definition definition) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto found = r.classes.find(definition.name);
    if (found != r.classes.end()) return *found->second;
    std::string name = definition.name;
    auto record = std::make_unique<ClassRecord>(std::move(definition));
    return *r.classes.emplace(std::move(name), std::move(record)).first->second;
}

const ClassRecord* FindClass(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto found = r.classes.find(name);
    return found == r.classes.end() ? nullptr : found->second.get();
}

const ClassRecord& Object::Lookup() {
    static const ClassRecord& record = RegisterClass({.name = "Object"});
    return record;
}

const ClassRecord& Object::Class() const { return Lookup(); }

bool Object::IsEventImplemented(std::string_view event) const {
    return RuntimeIsEventHandled(*this, Class().Name(), event, true);
}

const PropertyValue* Object::Stored(std::string_view name) const {
    for (const auto& [key, value] : stored_)
        if (detail::EqualsIgnoringCase(key, name)) return &value;
    return nullptr;
}

void Object::Store(std::string_view name, PropertyValue value) {
    for (auto& [key, stored] : stored_)
        if (detail::EqualsIgnoringCase(key, name)) {
            stored = std::move(value);
            return;
        }
    stored_.emplace_back(std::string(name), std::move(value));
}

ObjectRef RuntimeNewObject(const ClassRecord& record) { return record.NewInstance(); }

ObjectRef RuntimeImplicitInstance(std::string_view className) {
    const ClassRecord* record = FindClass(className);
    return record ? record->ImplicitInstance() : nullptr;
}

bool RuntimeIsEventHandled(const Object&, std::string_view className, std::string_view event,
                           bool ownClass) {
    const ClassRecord* record = FindClass(className);
    for (const ClassRecord* c = record; c; c = ownClass ? nullptr : c->Super())
        if (c->ImplementsEvent(event)) return true;
    return false;
}

PropertyDesc StoredProperty(std::string name, PropertyType type, PropertyValue initial) {
    std::string key = name;
    return PropertyDesc{std::move(name), type,
                        [key](Object& o, const PropertyValue& v) { o.Store(key, v); },
                        [key, initial](const Object& o) {
                            const PropertyValue* v = o.Stored(key);
                            return v ? *v : initial;
                        }};
}

const ClassRecord& ArrayClass() {
    static const ClassRecord& record = RegisterClass({.name = "Array", .super = &Object::Lookup()});
    return record;
}

const ClassRecord& WeakRef::Lookup() {
    static const ClassRecord& record =
        RegisterClass({.name = "WeakRef",
                       .super = &Object::Lookup(),
                       .members = {{"Constructor", "obj As Object", {}}, {"Value", "", {}}}});
    return record;
}

const ClassRecord& WeakRef::Class() const { return Lookup(); }

const char* PropertyTypeName(PropertyType type) {
    switch (type) {
        case PropertyType::Boolean:
            return "Boolean";
        case PropertyType::FontUnits:
            return "FontUnits";
        case PropertyType::Integer:
            return "Integer";
        case PropertyType::Single:
            return "Single";
        case PropertyType::Double:
            return "Double";
        case PropertyType::Color:
            return "Color";
        case PropertyType::String:
            return "String";
    }
    return "?";
}

PropertyType TypeOf(const PropertyValue& value) { return static_cast<PropertyType>(value.index()); }

}  // namespace fw
