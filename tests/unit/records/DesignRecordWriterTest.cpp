#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "fw/DesignRecord.h"
#include "unit/records/RecordTestSupport.h"

namespace records {
namespace {

using fw::DesignRecordWriter;
using fw::PropertyValue;

TEST(DesignRecordWriter, TimerRecordIsExactlyThirtyOneBytes) {
    const std::string record =
        DesignRecordWriter().Integer("RunMode", 2).Integer("Period", 1000).Bytes();
    EXPECT_EQ(record, "RunMode " + Hex("02 00 00 00 00 00 00 00") + "Period " +
                          Hex("E8 03 00 00 00 00 00 00"));
    EXPECT_EQ(record.size(), 31u);
}

TEST(DesignRecordWriter, EncodesEachTypeInItsWidthLittleEndian) {
    struct Case {
        const char* label;
        PropertyValue value;
        std::string bytes;  // after "Name "
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
        EXPECT_EQ(DesignRecordWriter().Entry("Name", c.value).Bytes(), "Name " + c.bytes);
    }
}

TEST(DesignRecordWriter, EntriesFollowEachOtherWithNothingBetweenOrAfter) {
    const std::string record = DesignRecordWriter()
                                   .Boolean("Visible", false)
                                   .String("Title", "")
                                   .FontUnits("FontUnit", 0)
                                   .Bytes();
    EXPECT_EQ(record,
              "Visible " + Hex("00") + "Title " + Hex("00 00 00 00") + "FontUnit " + Hex("00"));
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
        DesignRecordWriter writer;
        writer.Boolean("Visible", true);
        const std::string before = writer.Bytes();
        EXPECT_THROW(writer.String(c.name, c.text), fw::InvalidArgumentException);
        EXPECT_EQ(writer.Bytes(), before);
    }
}

TEST(DesignRecordWriter, AcceptsTheNamesTheRecordsUse) {
    EXPECT_NO_THROW(DesignRecordWriter().Integer("_ScrollOffset", 0));
    EXPECT_NO_THROW(DesignRecordWriter().Boolean(std::string(64, 'a'), true));
    EXPECT_NO_THROW(DesignRecordWriter().String("Text", std::string("\0\xF0\x9F\x8E\xB4", 5)));
}

}  // namespace
}  // namespace records
