#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/Property.h"

namespace fw {

class Object;
using ObjectRef = std::shared_ptr<Object>;

// One entry of a class's method table. `params` tells overloads apart ("" or "index As Integer").
struct MemberRecord {
    std::string name{};
    std::string params{};
    std::vector<std::pair<std::string, std::string>> attributes{};

    bool HasAttribute(std::string_view attribute) const;
    bool IsHidden() const { return HasAttribute("Hidden"); }
};

// The framework's record of a class: name, superclass, members in method-table order, the
// design-time property table, the events the class itself implements, and class attributes.
// Dispatch is done by C++ virtual functions; the record is data for look-ups and queries.
class ClassRecord {
public:
    using Factory = std::function<ObjectRef()>;

    struct Definition {
        std::string name{};
        const ClassRecord* super = nullptr;
        Factory factory{};  // empty for a class that cannot be made by name
        std::vector<MemberRecord> members{};
        std::vector<PropertyDesc> properties{};
        std::vector<std::string> events{};  // events this class itself implements
        std::vector<std::pair<std::string, std::string>> attributes{};
        std::vector<std::string> interfaces{};
        // For a class used through its implicit instance (a window or menu-bar class): the
        // accessor that yields the live instance, making one when there is none.
        std::function<ObjectRef()> implicitInstance{};
    };

    explicit ClassRecord(Definition definition);

    const std::string& Name() const { return definition_.name; }
    const ClassRecord* Super() const { return definition_.super; }
    bool IsA(const ClassRecord& other) const;

    // Inherited entries first, in the superclass's order; an own member with the same name and
    // parameters takes the inherited entry's place; the other own members follow.
    std::vector<MemberRecord> MethodTable() const;
    const std::vector<MemberRecord>& OwnMembers() const { return definition_.members; }

    // The property of that name on this class or a superclass, letter case ignored; or null.
    const PropertyDesc* FindProperty(std::string_view name) const;
    const std::vector<PropertyDesc>& OwnProperties() const { return definition_.properties; }

    bool ImplementsEvent(std::string_view event) const;
    const std::vector<std::string>& ImplementedEvents() const { return definition_.events; }
    bool ImplementsInterface(std::string_view interface) const;
    // The class attribute's value, or empty.
    std::string Attribute(std::string_view name) const;

    // A new object of the class (its C++ constructor is the per-object init hook).
    ObjectRef NewInstance() const;
    // The class's implicit instance, or nothing for a class without one.
    ObjectRef ImplicitInstance() const;

private:
    Definition definition_;
};

// Registers a class record under its name and returns it. Registering a name a second time
// keeps the first record, so building a class twice does nothing.
const ClassRecord& RegisterClass(ClassRecord::Definition definition);
// The record registered under the full class name, or null.
const ClassRecord* FindClass(std::string_view name);

// Base of every framework object. Objects are held by std::shared_ptr.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static const ClassRecord& Lookup();
    virtual const ClassRecord& Class() const;

    // Whether the object's own class handles the named event; the framework asks by name.
    virtual bool IsEventImplemented(std::string_view event) const;

    // Storage for design-time properties that have no behaviour of their own, so that what a
    // design record sets reads back.
    const PropertyValue* Stored(std::string_view name) const;
    void Store(std::string_view name, PropertyValue value);

private:
    std::vector<std::pair<std::string, PropertyValue>> stored_;
};

// Declares the class-record accessors of a framework class; write it after `public:`.
#define FW_OBJECT                             \
    static const ::fw::ClassRecord& Lookup(); \
    const ::fw::ClassRecord& Class() const override

// A new object of the class that the record names.
ObjectRef RuntimeNewObject(const ClassRecord& record);
// The implicit instance of the class registered under the full name, or nothing when no such
// class is registered or it has no implicit instance. Lets a layer reach a class by name
// without depending on the code that defines it.
ObjectRef RuntimeImplicitInstance(std::string_view className);

// Checked cast: nothing stays nothing; an object of another class raises IllegalCastException.
template <class T>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<Object>& object) {
    if (!object) return nullptr;
    if (auto cast = std::dynamic_pointer_cast<T>(object)) return cast;
    throw IllegalCastException(object->Class().Name() + " cannot be cast to " + T::Lookup().Name());
}

// Whether the class named `className` handles `event`. With `ownClass` only that class's own
// implementations count; otherwise its superclasses' count too.
bool RuntimeIsEventHandled(const Object& object, std::string_view className, std::string_view event,
                           bool ownClass);

// Property-table helpers: a property bound to a getter and a setter of class C.
template <class C, class G, class S>
PropertyDesc BoundProperty(std::string name, PropertyType type, G (C::*get)() const,
                           void (C::*set)(S)) {
    using Value = std::decay_t<S>;
    return PropertyDesc{
        std::move(name), type,
        [set](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*set)(std::get<Value>(v)); },
        [get](const Object& o) { return PropertyValue{Value((static_cast<const C&>(o).*get)())}; }};
}

// A property without behaviour: what is set is stored on the object and reads back.
PropertyDesc StoredProperty(std::string name, PropertyType type, PropertyValue initial);

}  // namespace fw
