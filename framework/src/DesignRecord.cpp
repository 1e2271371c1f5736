#include "fw/DesignRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "fw/Exceptions.h"

namespace fw {

namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

bool IsValidName(std::string_view name) {
    if (name.empty() || name.size() > kMaxDesignRecordNameLength) return false;
    if (!IsNameStart(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
        if (!IsNameChar(static_cast<unsigned char>(c))) return false;
    return true;
}

// The offset of the first byte that does not begin a well-formed UTF-8 sequence (overlong
// forms, surrogates and code points past U+10FFFF included), or npos when all of it is UTF-8.
std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        unsigned char low = 0x80, high = 0xbf;  // allowed range of the second byte
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            if (lead == 0xe0) low = 0xa0;
            if (lead == 0xed) high = 0x9f;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            if (lead == 0xf0) low = 0x90;
            if (lead == 0xf4) high = 0x8f;
        } else {
            return i;
        }
        if (text.size() - i < length) return i;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xbf)) return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::string HexByte(unsigned char c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(c));
    return buffer;
}

// A name as far as it was read, safe to print: other bytes than name characters as \xNN.
std::string Printable(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsNameChar(c)) {
            out += ch;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

// Walks one record. Every read checks the bytes that remain first, so nothing outside the
// record is touched, whatever its counts say.
class Reader {
public:
    Reader(const ClassRecord& targetClass, std::string_view record)
        : class_(targetClass), record_(record) {}

    std::vector<DesignRecordEntry> Run() {
        std::vector<DesignRecordEntry> entries;
        while (pos_ < record_.size()) {
            ++entryNumber_;
            entryOffset_ = pos_;
            name_ = {};
            nameKnown_ = false;
            ReadName();
            const PropertyDesc* property = class_.FindProperty(name_);
            if (!property) Fail("class " + class_.Name() + " has no property of that name");
            if (!property->set) Fail("property " + property->name + " cannot be set");
            PropertyValue value = ReadValue(property->type);
            entries.push_back({entryOffset_, std::string(name_), property, std::move(value)});
        }
        return entries;
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const {
        std::string message =
            "design record for " + class_.Name() + ": entry " + std::to_string(entryNumber_);
        if (nameKnown_) message += " \"" + std::string(name_) + "\"";
        message += " at byte " + std::to_string(entryOffset_) + ": " + problem;
        throw DesignRecordException(message);
    }

    std::size_t Remaining() const { return record_.size() - pos_; }

    void ReadName() {
        // A valid name is at most kMaxDesignRecordNameLength bytes, so the blank must come
        // within one byte more; no hostile record makes this scan longer.
        const std::size_t limit = pos_ + std::min(Remaining(), kMaxDesignRecordNameLength + 1);
        std::size_t end = pos_;
        for (; end < limit && record_[end] != ' '; ++end) {
            const auto c = static_cast<unsigned char>(record_[end]);
            if (!IsNameChar(c)) {
                std::string problem = "byte " + HexByte(c) + " at byte " + std::to_string(end) +
                                      " is neither a name character nor the blank after a name";
                if (end > pos_) problem += " (name so far \"" + Printable(Slice(pos_, end)) + "\")";
                Fail(problem);
            }
        }
        const std::string_view name = Slice(pos_, end);
        if (name.size() > kMaxDesignRecordNameLength)
            Fail("name \"" + Printable(name.substr(0, 16)) + "...\" is longer than " +
                 std::to_string(kMaxDesignRecordNameLength) + " bytes");
        if (name.empty()) Fail("empty name");
        if (end == record_.size())
            Fail("the record ends after the name \"" + Printable(name) +
                 "\" where a blank and a value belong");
        if (!IsNameStart(static_cast<unsigned char>(name[0])))
            Fail("name \"" + Printable(name) + "\" does not begin with a letter or an underscore");
        name_ = name;
        nameKnown_ = true;
        pos_ = end + 1;  // past the blank
    }

    std::string_view Slice(std::size_t from, std::size_t to) const {
        return record_.substr(from, to - from);
    }

    // `width` bytes at the current position as an unsigned little-endian number.
    std::uint64_t Unsigned(std::size_t width, const char* what) {
        if (Remaining() < width)
            Fail(std::string(what) + " needs " + std::to_string(width) + " bytes at byte " +
                 std::to_string(pos_) + ", the record ends after " + std::to_string(Remaining()));
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= std::uint64_t{static_cast<unsigned char>(record_[pos_ + i])} << (8 * i);
        pos_ += width;
        return value;
    }

    PropertyValue ReadValue(PropertyType type) {
        switch (type) {
            case PropertyType::Boolean: {
                const std::size_t at = pos_;
                const auto byte = static_cast<unsigned char>(Unsigned(1, "Boolean value"));
                if (byte > 1)
                    Fail("Boolean byte " + HexByte(byte) + " at byte " + std::to_string(at) +
                         " is neither 00 nor 01");
                return byte == 1;
            }
            case PropertyType::FontUnits:
                return static_cast<std::uint8_t>(Unsigned(1, "FontUnits value"));
            case PropertyType::Integer:
                return static_cast<std::int64_t>(Unsigned(8, "Integer value"));
            case PropertyType::Single: {
                const auto bits = static_cast<std::uint32_t>(Unsigned(4, "Single value"));
                float value;
                std::memcpy(&value, &bits, sizeof value);
                return value;
            }
            case PropertyType::Double: {
                const std::uint64_t bits = Unsigned(8, "Double value");
                double value;
                std::memcpy(&value, &bits, sizeof value);
                return value;
            }
            case PropertyType::Color:
                return fw::Color{static_cast<std::uint32_t>(Unsigned(4, "Color value"))};
            case PropertyType::String: {
                const std::size_t countAt = pos_;
                const std::uint64_t count = Unsigned(4, "String byte count");
                // Compared with what remains, never added to the position: no count wraps.
                if (count > Remaining())
                    Fail("String byte count " + std::to_string(count) + " at byte " +
                         std::to_string(countAt) + " runs past the end of the record (" +
                         std::to_string(Remaining()) + " bytes remain)");
                const std::string_view text = record_.substr(pos_, static_cast<std::size_t>(count));
                if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos)
                    Fail("String value is not UTF-8 at byte " + std::to_string(pos_ + bad));
                pos_ += text.size();
                return std::string(text);
            }
        }
        Fail("property of unknown type");
    }

    const ClassRecord& class_;
    std::string_view record_;
    std::size_t pos_ = 0;
    std::size_t entryNumber_ = 0;  // from 1
    std::size_t entryOffset_ = 0;
    std::string_view name_;
    bool nameKnown_ = false;
};

}  // namespace

void DesignRecordWriter::Name(std::string_view name, PropertyType type) {
    if (!IsValidName(name))
        throw InvalidArgumentException("\"" + Printable(name.substr(0, 80)) +
                                       "\" is not a design-record property name");
    const PropertyDesc* property = class_->FindProperty(name);
    if (!property)
        throw InvalidArgumentException("class " + class_->Name() +
                                       " has no design-time property \"" + std::string(name) +
                                       "\"");
    const std::string which = "property \"" + std::string(name) + "\" of class " + class_->Name();
    if (!property->set) throw InvalidArgumentException(which + " cannot be set");
    if (property->type != type)
        throw InvalidArgumentException(which + " is " + PropertyTypeName(property->type) +
                                       ", not " + PropertyTypeName(type));
    bytes_.append(name);
    bytes_ += ' ';
}

void DesignRecordWriter::Unsigned(std::uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes_ += static_cast<char>((value >> (8 * i)) & 0xff);
}

DesignRecordWriter& DesignRecordWriter::Boolean(std::string_view name, bool value) {
    Name(name, PropertyType::Boolean);
    Unsigned(value ? 1 : 0, 1);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::FontUnits(std::string_view name, std::uint8_t value) {
    Name(name, PropertyType::FontUnits);
    Unsigned(value, 1);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::Integer(std::string_view name, std::int64_t value) {
    Name(name, PropertyType::Integer);
    Unsigned(static_cast<std::uint64_t>(value), 8);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::Single(std::string_view name, float value) {
    static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Name(name, PropertyType::Single);
    Unsigned(bits, 4);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::Double(std::string_view name, double value) {
    static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Name(name, PropertyType::Double);
    Unsigned(bits, 8);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::Color(std::string_view name, fw::Color value) {
    Name(name, PropertyType::Color);
    Unsigned(value.value, 4);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::String(std::string_view name, std::string_view value) {
    if (value.size() > std::numeric_limits<std::uint32_t>::max())
        throw InvalidArgumentException("String value of " + std::to_string(value.size()) +
                                       " bytes is too long for a design record");
    if (FirstInvalidUtf8(value) != std::string_view::npos)
        throw InvalidArgumentException("String value for \"" + Printable(name.substr(0, 80)) +
                                       "\" is not UTF-8");
    Name(name, PropertyType::String);
    Unsigned(value.size(), 4);
    bytes_.append(value);
    return *this;
}

DesignRecordWriter& DesignRecordWriter::Entry(std::string_view name, const PropertyValue& value) {
    switch (TypeOf(value)) {
        case PropertyType::Boolean:
            return Boolean(name, std::get<bool>(value));
        case PropertyType::FontUnits:
            return FontUnits(name, std::get<std::uint8_t>(value));
        case PropertyType::Integer:
            return Integer(name, std::get<std::int64_t>(value));
        case PropertyType::Single:
            return Single(name, std::get<float>(value));
        case PropertyType::Double:
            return Double(name, std::get<double>(value));
        case PropertyType::Color:
            return Color(name, std::get<fw::Color>(value));
        case PropertyType::String:
            return String(name, std::get<std::string>(value));
    }
    throw InvalidArgumentException("value of unknown type");
}

std::vector<DesignRecordEntry> ParseDesignRecord(const ClassRecord& targetClass,
                                                 std::string_view record) {
    return Reader(targetClass, record).Run();
}

void RuntimeMassPropertySetter(Object& target, std::string_view record) {
    const std::vector<DesignRecordEntry> entries = ParseDesignRecord(target.Class(), record);
    for (const DesignRecordEntry& entry : entries) entry.property->set(target, entry.value);
}

void SetProperties(Object& target, std::string_view record) {
    RuntimeMassPropertySetter(target, record);
}

}  // namespace fw
