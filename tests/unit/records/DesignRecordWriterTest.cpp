#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "unit/records/RecordProbe.h"
#include "unit/records/RecordTestSupport.h"

namespace records {
namespace {

using fw::DesignRecordWriter;
using fw::PropertyType;
using fw::PropertyValue;

// The probe's property of each type, in PropertyType order.
const char* const kProbeNameOf[] = {"Flag",        "FontUnit",  "Index", "FontSize",
                                    "LineSpacing", "TextColor", "Text"};

TEST(DesignRecordWriter, TimerRecordIsExactlyThirtyOneBytes) {
    const std::string record = DesignRecordWriter(fw::Timer::Lookup())
                                   .Integer("RunMode", 2)
                                   .Integer("Period", 1000)
                                   .Bytes();
    EXPECT_EQ(record, "RunMode " + Hex("02 00 00 00 00 00 00 00") + "Period " +
                          Hex("E8 03 00 00 00 00 00 00"));
    EXPECT_EQ(record.size(), 31u);
}

TEST(DesignRecordWriter, EncodesEachTypeInItsWidthLittleEndian) {
    struct Case {
        const char* label;
        PropertyValue value;
        std::string bytes;  // after the name and its blank
    };
    const Case cases[] = {
        {"False", false, Hex("00")},
        {"True", true, Hex("01")},
        {"FontUnits 0", std::uint8_t{0}, Hex("00")},
        {"FontUnits 255", std::uint8_t{255}, Hex("FF")},
        {"Integer 1000", std::int64_t{1000}, Hex("E8 03 00 00 00 00 00 00")},
        {"Index of no set", std::int64_t{-2147483648LL}, Hex("00 00 00 80 FF FF FF FF")},
        {"Integer -1", std::int64_t{-1}, Hex("FF FF FF FF FF FF FF FF")},
        {"Integer minimum", std::numeric_limits<std::int64_t>::min(),
         Hex("00 00 00 00 00 00 00 80")},
        {"Single 12.0", 12.0f, Hex("00 00 40 41")},
        {"Single -0.0", -0.0f, Hex("00 00 00 80")},
        {"Double 1.0", 1.0, Hex("00 00 00 00 00 00 F0 3F")},
        {"Double 0.0", 0.0, Hex("00 00 00 00 00 00 00 00")},
        {"orange", fw::Color{0x00ff9029}, Hex("29 90 FF 00")},
        {"white", fw::Color{0x00ffffff}, Hex("FF FF FF 00")},
        {"empty String", std::string(), Hex("00 00 00 00")},
        {"String with CR LF", std::string("a\r\nb"), Hex("04 00 00 00 61 0D 0A 62")},
        {"font name ending in CR LF", std::string("平成明朝\r\n"),
         Hex("0E 00 00 00") + "平成明朝" + Hex("0D 0A")},
        {"count is of bytes", std::string("MS明朝"), Hex("08 00 00 00") + "MS明朝"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string name = kProbeNameOf[static_cast<std::size_t>(fw::TypeOf(c.value))];
        EXPECT_EQ(DesignRecordWriter(RecordProbe::Lookup()).Entry(name, c.value).Bytes(),
                  name + " " + c.bytes);
    }
}

TEST(DesignRecordWriter, EntriesFollowEachOtherWithNothingBetweenOrAfter) {
    const std::string record = DesignRecordWriter(RecordProbe::Lookup())
                                   .Boolean("Flag", false)
                                   .String("Text", "")
                                   .FontUnits("FontUnit", 0)
                                   .Bytes();
    EXPECT_EQ(record, "Flag " + Hex("00") + "Text " + Hex("00 00 00 00") + "FontUnit " + Hex("00"));
}

TEST(DesignRecordWriter, RefusesWhatTheReaderWouldRejectAndAddsNothing) {
    struct Case {
        const char* label;
        std::string name;
        std::string text;
    };
    const Case cases[] = {
        {"empty name", "", "x"},
        {"name begins with a digit", "1Left", "x"},
        {"blank in name", "Font Size", "x"},
        {"hyphen in name", "Font-Size", "x"},
        {"non-ASCII name", "T\xC3\xA9xt", "x"},
        {"name of 65 bytes", std::string(65, 'A'), "x"},
        {"stray continuation byte", "Text", "a\x80"},
        {"truncated sequence", "Text", "\xE6\x98"},
        {"overlong form", "Text", "\xC0\xAF"},
        {"surrogate", "Text", "\xED\xA0\x80"},
        {"past U+10FFFF", "Text", "\xF4\x90\x80\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DesignRecordWriter writer(RecordProbe::Lookup());
        writer.Boolean("Flag", true);
        const std::string before = writer.Bytes();
        EXPECT_THROW(writer.String(c.name, c.text), fw::InvalidArgumentException);
        EXPECT_EQ(writer.Bytes(), before);
    }
}

// A class whose one property has a name of the longest length a record allows.
const fw::ClassRecord& LongNamed() {
    fw::ClassRecord::Definition definition;
    definition.name = "RecordLongNamed";
    definition.super = &fw::Object::Lookup();
    definition.properties = {
        fw::StoredProperty(std::string(64, 'a'), PropertyType::Boolean, false)};
    return fw::RegisterClass(std::move(definition));
}

TEST(DesignRecordWriter, AcceptsTheNamesTheRecordsUse) {
    EXPECT_NO_THROW(DesignRecordWriter(fw::Listbox::Lookup()).Integer("_ScrollOffset", 0));
    EXPECT_NO_THROW(DesignRecordWriter(LongNamed()).Boolean(std::string(64, 'a'), true));
    EXPECT_NO_THROW(DesignRecordWriter(RecordProbe::Lookup())
                        .String("Text", std::string("\0\xF0\x9F\x8E\xB4", 5)));
    // Matched without regard to case, written as given: the table says MacProcId, MultiLine.
    EXPECT_EQ(DesignRecordWriter(fw::Window::Lookup()).Integer("MacProcID", 0).Bytes(),
              "MacProcID " + Hex("00 00 00 00 00 00 00 00"));
    EXPECT_EQ(DesignRecordWriter(fw::Label::Lookup()).Boolean("Multiline", true).Bytes(),
              "Multiline " + Hex("01"));
    // Inherited properties belong to the class too.
    EXPECT_NO_THROW(DesignRecordWriter(RecordProbe::Lookup()).Integer("Left", 1));
}

// A class with a property that has a getter but no setter.
const fw::ClassRecord& ReadOnlyNamed() {
    fw::ClassRecord::Definition definition;
    definition.name = "RecordReadOnly";
    definition.super = &fw::Object::Lookup();
    definition.properties = {{"Count", PropertyType::Integer, nullptr,
                              [](const fw::Object&) { return PropertyValue{std::int64_t{0}}; }}};
    return fw::RegisterClass(std::move(definition));
}

TEST(DesignRecordWriter, RefusesANameTheClassLacksOrAValueOfAnotherTypeAndAddsNothing) {
    struct Case {
        const char* label;
        const fw::ClassRecord& (*target)();
        std::string name;
        PropertyValue value;
        std::string message;
    };
    const Case cases[] = {
        {"a button's property on a label", &fw::Label::Lookup, "Caption", std::string("OK"),
         "class Label has no design-time property \"Caption\""},
        {"a subclass's property on its superclass", &RecordProbeBase::Lookup, "Flag", true,
         "class RecordProbeBase has no design-time property \"Flag\""},
        {"Integer for a Boolean", &fw::Label::Lookup, "Visible", std::int64_t{0},
         "property \"Visible\" of class Label is Boolean, not Integer"},
        {"Double for the Single font size", &fw::PushButton::Lookup, "FontSize", 12.0,
         "property \"FontSize\" of class PushButton is Single, not Double"},
        {"String for an Integer named in another case", &fw::Window::Lookup, "MacProcID",
         std::string("0"), "property \"MacProcID\" of class Window is Integer, not String"},
        {"Boolean for an inherited Integer", &RecordProbe::Lookup, "Left", true,
         "property \"Left\" of class RecordProbe is Integer, not Boolean"},
        {"a property without a setter", &ReadOnlyNamed, "Count", std::int64_t{1},
         "property \"Count\" of class RecordReadOnly cannot be set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DesignRecordWriter writer(c.target());
        try {
            writer.Entry(c.name, c.value);
            ADD_FAILURE() << "written: " << writer.Bytes();
        } catch (const fw::InvalidArgumentException& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(writer.Bytes(), "");
    }
}

}  // namespace
}  // namespace records
