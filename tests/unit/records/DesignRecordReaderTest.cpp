#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "fw/DesignRecord.h"
#include "fw/Exceptions.h"
#include "unit/records/RecordProbe.h"
#include "unit/records/RecordTestSupport.h"

namespace records {
namespace {

using fw::DesignRecordWriter;
using fw::PropertyValue;

using Sets = std::vector<std::pair<std::string, PropertyValue>>;

void ExpectSets(const RecordProbeBase& probe, const Sets& expected) {
    ASSERT_EQ(probe.sets.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("set " + std::to_string(i));
        EXPECT_EQ(probe.sets[i].first, expected[i].first);
        EXPECT_TRUE(SameValue(probe.sets[i].second, expected[i].second));
    }
}

TEST(DesignRecordReader, ReadsBackEveryTypeThroughTheSetters) {
    const float nanWithPayload = std::bit_cast<float>(std::uint32_t{0x7fc01234});
    const Sets expected = {
        {"Flag", true},
        {"Left", std::int64_t{-2147483648LL}},  // inherited
        {"FontUnit", std::uint8_t{255}},
        {"Index", std::numeric_limits<std::int64_t>::min()},
        {"Index", std::numeric_limits<std::int64_t>::max()},
        {"FontSize", 12.0f},
        {"FontSize", -0.0f},
        {"FontSize", nanWithPayload},
        {"FontSize", std::numeric_limits<float>::denorm_min()},
        {"LineSpacing", 1.0},
        {"LineSpacing", -std::numeric_limits<double>::infinity()},
        {"TextColor", fw::Color{0xff102030}},
        {"Text", std::string()},
        {"Text", std::string("一\r\n二\r\n")},
        {"Text", std::string("nul\0inside", 10)},
        {"Name", std::string("Message")},  // inherited
        {"Flag", false},
    };
    DesignRecordWriter writer(RecordProbe::Lookup());
    for (const auto& [name, value] : expected) writer.Entry(name, value);

    RecordProbe probe;
    fw::RuntimeMassPropertySetter(probe, writer.Bytes());
    ExpectSets(probe, expected);
}

TEST(DesignRecordReader, MatchesNamesWithoutRegardToCase) {
    const std::string record = DesignRecordWriter(RecordProbe::Lookup())
                                   .Boolean("Multiline", true)
                                   .Integer("MacProcID", 7)
                                   .Boolean("FLAG", true)
                                   .Integer("left", 3)
                                   .Bytes();
    const auto entries = fw::ParseDesignRecord(RecordProbe::Lookup(), record);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "Multiline");
    EXPECT_EQ(entries[0].property->name, "MultiLine");
    EXPECT_EQ(entries[1].property->name, "MacProcId");

    RecordProbe probe;
    fw::SetProperties(probe, record);
    ExpectSets(probe, {{"MultiLine", true},
                       {"MacProcId", std::int64_t{7}},
                       {"Flag", true},
                       {"Left", std::int64_t{3}}});
}

TEST(DesignRecordReader, SetsARepeatedNameEachTimeInRecordOrder) {
    const std::string record = DesignRecordWriter(RecordProbe::Lookup())
                                   .Boolean("Flag", true)
                                   .Integer("Index", 1)
                                   .Boolean("Flag", true)
                                   .Integer("Index", 2)
                                   .Bytes();
    RecordProbe probe;
    fw::RuntimeMassPropertySetter(probe, record);
    ExpectSets(
        probe,
        {{"Flag", true}, {"Index", std::int64_t{1}}, {"Flag", true}, {"Index", std::int64_t{2}}});
    EXPECT_EQ(RecordProbe::Lookup().FindProperty("Index")->get(probe),
              PropertyValue{std::int64_t{2}});
}

// A record that reads but whose setter raises partway: the entries before it stay applied,
// the ones after it are not, and the setter's own exception reaches the caller.
TEST(DesignRecordReader, ASetterThatRaisesStopsTheRunWhereItStands) {
    const std::string record = DesignRecordWriter(RecordProbe::Lookup())
                                   .Boolean("Flag", true)
                                   .Integer("Count", 3)
                                   .String("Text", "before")
                                   .Integer("Count", -1)
                                   .String("Text", "after")
                                   .Boolean("Flag", false)
                                   .Bytes();
    RecordProbe probe;
    try {
        fw::RuntimeMassPropertySetter(probe, record);
        ADD_FAILURE() << "the refused value raised nothing";
    } catch (const fw::OutOfBoundsException& e) {
        EXPECT_STREQ(e.what(), "Count refuses -1");
    }
    ExpectSets(probe,
               {{"Flag", true}, {"Count", std::int64_t{3}}, {"Text", std::string("before")}});
    const fw::ClassRecord& cls = RecordProbe::Lookup();
    EXPECT_EQ(cls.FindProperty("Count")->get(probe), PropertyValue{std::int64_t{3}});
    EXPECT_EQ(cls.FindProperty("Text")->get(probe), PropertyValue{std::string("before")});
    EXPECT_EQ(cls.FindProperty("Flag")->get(probe), PropertyValue{true});

    // SetProperties, the program's entry point, hands the exception on in the same way.
    RecordProbe viaProgram;
    EXPECT_THROW(fw::SetProperties(viaProgram, record), fw::OutOfBoundsException);
    EXPECT_EQ(viaProgram.sets.size(), 3u);
}

TEST(DesignRecordReader, GivesEachEntryItsOffset) {
    const std::string record =
        "RunMode " + Hex("02 00 00 00 00 00 00 00") + "Period " + Hex("E8 03 00 00 00 00 00 00");
    fw::ClassRecord::Definition definition;
    definition.name = "RecordTimerLike";
    definition.super = &fw::Object::Lookup();
    definition.properties = {
        fw::StoredProperty("RunMode", fw::PropertyType::Integer, std::int64_t{0}),
        fw::StoredProperty("Period", fw::PropertyType::Integer, std::int64_t{0})};
    const fw::ClassRecord& timerLike = fw::RegisterClass(std::move(definition));
    const auto entries = fw::ParseDesignRecord(timerLike, record);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].offset, 0u);
    EXPECT_EQ(entries[0].value, PropertyValue{std::int64_t{2}});
    EXPECT_EQ(entries[1].offset, 16u);
    EXPECT_EQ(entries[1].value, PropertyValue{std::int64_t{1000}});
}

TEST(DesignRecordReader, AnEmptyRecordSetsNothing) {
    RecordProbe probe;
    fw::RuntimeMassPropertySetter(probe, "");
    EXPECT_TRUE(probe.sets.empty());
}

TEST(DesignRecordReader, TakesNamesFromTheTargetClassAndItsSuperclassesOnly) {
    const std::string record =
        DesignRecordWriter(RecordProbe::Lookup()).Integer("Left", 1).Boolean("Flag", true).Bytes();
    RecordProbeBase base;
    EXPECT_THROW(fw::RuntimeMassPropertySetter(base, record), fw::DesignRecordException);
    EXPECT_TRUE(base.sets.empty());
    RecordProbe probe;
    fw::RuntimeMassPropertySetter(probe, record);
    EXPECT_EQ(probe.sets.size(), 2u);
}

// The message of the DesignRecordException that applying `record` to a probe raises, after
// checking that nothing of the record was applied.
std::string RejectionOf(const std::string& record) {
    RecordProbe probe;
    try {
        fw::RuntimeMassPropertySetter(probe, record);
    } catch (const fw::DesignRecordException& e) {
        EXPECT_TRUE(probe.sets.empty()) << "applied " << probe.sets.size() << " entries";
        EXPECT_STREQ(e.ClassName(), "DesignRecordException");
        return e.what();
    }
    ADD_FAILURE() << "record was accepted";
    return {};
}

TEST(DesignRecordReader, RejectsAMalformedRecordWholeNamingEntryAndOffset) {
    const std::string good = "Flag " + Hex("01");  // 6 bytes, always valid
    struct Case {
        const char* label;
        std::string record;
        std::string entry;    // how the message names the entry
        std::string problem;  // and words of what it says is wrong
    };
    const Case cases[] = {
        {"Integer cut off by the end", good + "Index " + Hex("01 02 03"),
         "entry 2 \"Index\" at byte 6", "needs 8 bytes at byte 12, the record ends after 3"},
        {"nothing after the blank", "Index ", "entry 1 \"Index\" at byte 0",
         "needs 8 bytes at byte 6"},
        {"Boolean missing", good + "Flag ", "entry 2 \"Flag\" at byte 6", "Boolean value needs 1"},
        {"FontUnits missing", "FontUnit ", "entry 1 \"FontUnit\" at byte 0",
         "FontUnits value needs 1"},
        {"Single cut off", "FontSize " + Hex("00 00 40"), "entry 1 \"FontSize\" at byte 0",
         "Single value needs 4"},
        {"Double cut off", "LineSpacing " + Hex("00 00 00 00 00 00 F0"),
         "entry 1 \"LineSpacing\" at byte 0", "Double value needs 8"},
        {"Color cut off", "TextColor " + Hex("29 90"), "entry 1 \"TextColor\" at byte 0",
         "Color value needs 4"},
        {"String count cut off", good + "Text " + Hex("02 00"), "entry 2 \"Text\" at byte 6",
         "String byte count needs 4 bytes at byte 11"},
        {"String count past the end", good + "Text " + Hex("05 00 00 00") + "abc",
         "entry 2 \"Text\" at byte 6",
         "count 5 at byte 11 runs past the end of the record (3 bytes"},
        {"String count 2^32-1", "Text " + Hex("FF FF FF FF") + "abc", "entry 1 \"Text\" at byte 0",
         "count 4294967295"},
        {"String count that wraps 32 bits", "Text " + Hex("FC FF FF FF") + "abcd",
         "entry 1 \"Text\" at byte 0", "count 4294967292"},
        {"String not UTF-8", "Text " + Hex("02 00 00 00 C3 28"), "entry 1 \"Text\" at byte 0",
         "not UTF-8 at byte 9"},
        {"empty name", good + " " + Hex("01"), "entry 2 at byte 6", "empty name"},
        {"non-ASCII name", "Fl\xC3\xA4g " + Hex("01"), "entry 1 at byte 0",
         "byte 0xC3 at byte 2 is neither a name character"},
        {"name begins with a digit", "1Flag " + Hex("01"), "entry 1 at byte 0",
         "does not begin with a letter or an underscore"},
        {"punctuation in name", good + "Font-Size " + Hex("00 00 40 41"), "entry 2 at byte 6",
         "byte 0x2D at byte 10"},
        {"no blank after the name", "Flag" + Hex("01"), "entry 1 at byte 0", "byte 0x01 at byte 4"},
        {"the record ends inside a name", good + "Index", "entry 2 at byte 6",
         "the record ends after the name \"Index\""},
        {"a terminator after the last entry", good + Hex("00"), "entry 2 at byte 6",
         "byte 0x00 at byte 6"},
        {"a name the class lacks", good + "Nope " + Hex("01"), "entry 2 \"Nope\" at byte 6",
         "class RecordProbe has no property"},
        {"Boolean byte 02", good + "Flag " + Hex("02"), "entry 2 \"Flag\" at byte 6",
         "Boolean byte 0x02 at byte 11 is neither 00 nor 01"},
        {"Boolean byte FF", "Flag " + Hex("FF"), "entry 1 \"Flag\" at byte 0", "Boolean byte 0xFF"},
        {"name of 64 bytes is read, then unknown", std::string(64, 'A') + " " + Hex("01"),
         "entry 1 \"" + std::string(64, 'A') + "\" at byte 0", "has no property"},
        {"name longer than 64 bytes", std::string(65, 'A') + " " + Hex("01"), "entry 1 at byte 0",
         "longer than 64 bytes"},
        {"name of megabytes", good + std::string(1 << 20, 'A'), "entry 2 at byte 6",
         "longer than 64 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string message = RejectionOf(c.record);
        EXPECT_NE(message.find("design record for RecordProbe: " + c.entry + ":"),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    }
}

TEST(DesignRecordReader, NeverReadsPastTheRecordItIsGiven) {
    // The bytes after the view would complete the value; the reader must not see them.
    const std::string buffer = "Text " + Hex("04 00 00 00") + "abcd";
    RecordProbe probe;
    EXPECT_THROW(fw::RuntimeMassPropertySetter(probe, std::string_view(buffer).substr(0, 11)),
                 fw::DesignRecordException);
    EXPECT_TRUE(probe.sets.empty());
    fw::RuntimeMassPropertySetter(probe, buffer);
    ExpectSets(probe, {{"Text", std::string("abcd")}});
}

}  // namespace
}  // namespace records
