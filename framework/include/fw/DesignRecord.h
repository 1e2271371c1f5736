#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Object.h"
#include "fw/Property.h"

namespace fw {

// A design record is a run of entries and nothing else: an ASCII property name, one blank,
// and the value in the width its type gives (Boolean and FontUnits 1 byte; Integer 8,
// Single 4, Double 8, Color 4, little-endian; String a 4-byte byte count, then UTF-8). The
// record ends at its byte length.

// A name is letters, digits and underscores, begins with a letter or an underscore, and is at
// most this long; the bound keeps the reader's work on a hostile record small.
inline constexpr std::size_t kMaxDesignRecordNameLength = 64;

// Builds a record for one class entry by entry, in the order given, from the same property
// table the reader takes it apart with. It writes only what the reader takes back: a name the
// class (or a superclass) lacks, letter case aside, a property that cannot be set, a value of
// another type than the property's, an invalid name, and a String that is not UTF-8 or too
// long for its 32-bit count each raise InvalidArgumentException and add nothing. A name is
// written as given, in its own case.
class DesignRecordWriter {
public:
    explicit DesignRecordWriter(const ClassRecord& targetClass) : class_(&targetClass) {}

    DesignRecordWriter& Boolean(std::string_view name, bool value);
    DesignRecordWriter& FontUnits(std::string_view name, std::uint8_t value);
    DesignRecordWriter& Integer(std::string_view name, std::int64_t value);
    DesignRecordWriter& Single(std::string_view name, float value);
    DesignRecordWriter& Double(std::string_view name, double value);
    DesignRecordWriter& Color(std::string_view name, fw::Color value);
    DesignRecordWriter& String(std::string_view name, std::string_view value);
    // An entry whose width follows from the value's type.
    DesignRecordWriter& Entry(std::string_view name, const PropertyValue& value);

    const std::string& Bytes() const { return bytes_; }

private:
    void Name(std::string_view name, PropertyType type);
    void Unsigned(std::uint64_t value, int byteCount);

    const ClassRecord* class_;
    std::string bytes_;
};

// One entry of a parsed record.
struct DesignRecordEntry {
    std::size_t offset;  // of the entry's name
    std::string name;    // as written; it may differ in case from property->name
    const PropertyDesc* property;
    PropertyValue value;
};

// Reads a record against a class's property table, taking each name's type from the class or
// its superclasses (letter case ignored). A malformed record, an unknown name, a Boolean byte
// other than 00 or 01 or a String that is not UTF-8 raises DesignRecordException naming the
// entry (number, and name when it reads) and its byte offset. Never reads past the record.
std::vector<DesignRecordEntry> ParseDesignRecord(const ClassRecord& targetClass,
                                                 std::string_view record);

// Applies a record to its target: the whole record is read against target.Class() first, then
// each entry is set through the property's own setter, in order (a repeated name is set each
// time). A record that does not read applies nothing; an exception a setter raises stops the
// run there and goes to the caller.
void RuntimeMassPropertySetter(Object& target, std::string_view record);
void SetProperties(Object& target, std::string_view record);

}  // namespace fw
