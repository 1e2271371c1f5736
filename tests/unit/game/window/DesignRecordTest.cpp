// The game window's 47 design records: entries per kind, their stored order, and lengths
// derived by hand from the design (and, for labels and buttons, from the result window's).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Window.h"
#include "game/CardCanvas.h"
#include "game/FudaCanvas.h"
#include "game/KarutaLayout.h"
#include "game/KarutaWindow.h"
#include "game/wrapper_MyTimer.h"

namespace window {
namespace {

using game::layout::Kind;

struct Parsed {
    std::string name;  // the control's
    std::int64_t index;
    Kind kind;
    const std::string* bytes;
    std::vector<fw::DesignRecordEntry> entries;

    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& e : entries) out.push_back(e.name);
        return out;
    }
    const fw::PropertyValue& Value(const std::string& entry) const {
        for (const auto& e : entries)
            if (e.name == entry) return e.value;
        throw std::out_of_range(name + " has no entry " + entry);
    }
};

std::vector<Parsed> ParsedControlRecords() {
    const auto& controls = game::layout::Controls();
    const auto& records = game::layout::ControlRecords();
    std::vector<Parsed> out;
    for (std::size_t i = 0; i < controls.size(); ++i)
        out.push_back({std::string(controls[i].name), controls[i].index, controls[i].kind,
                       &records[i],
                       fw::ParseDesignRecord(game::layout::ClassOf(controls[i].kind), records[i])});
    return out;
}

TEST(DesignRecords, ThereIsOneRecordPerControlInCreationOrder) {
    EXPECT_EQ(game::layout::Controls().size(), 46u);
    EXPECT_EQ(game::layout::ControlRecords().size(), 46u);
    // Made once: every call hands out the same bytes.
    EXPECT_EQ(&game::layout::ControlRecords(), &game::layout::ControlRecords());
    EXPECT_EQ(&game::layout::WindowRecord(), &game::layout::WindowRecord());
}

TEST(DesignRecords, TheTimersRecordIsExactly31Bytes) {
    const auto parsed = ParsedControlRecords();
    const Parsed& timer = parsed.at(12);
    ASSERT_EQ(timer.name, "MyTimer");
    const std::string expected = std::string("RunMode ") + std::string("\x02\0\0\0\0\0\0\0", 8) +
                                 "Period " + std::string("\xE8\x03\0\0\0\0\0\0", 8);
    EXPECT_EQ(expected.size(), 31u);
    EXPECT_EQ(*timer.bytes, expected);
}

TEST(DesignRecords, EachKindCarriesItsEntriesWithTheSharedOnes) {
    const std::map<Kind, std::size_t> counts = {
        {Kind::CardFrame, 24},  {Kind::CardFace, 24},  {Kind::Canvas, 24},   {Kind::Label, 32},
        {Kind::PushButton, 29}, {Kind::TextField, 41}, {Kind::TextArea, 47}, {Kind::Listbox, 49},
        {Kind::Separator, 19},  {Kind::Timer, 2}};
    const std::set<std::string> shared = {"Name",         "Index",
                                          "Left",         "Top",
                                          "Width",        "Height",
                                          "LockLeft",     "LockTop",
                                          "LockRight",    "LockBottom",
                                          "TabIndex",     "TabPanelIndex",
                                          "TabStop",      "AllowAutoDeactivate",
                                          "Enabled",      "Tooltip",
                                          "Visible",      "Transparent",
                                          "InitialParent"};
    for (const Parsed& p : ParsedControlRecords()) {
        SCOPED_TRACE(p.name + " " + std::to_string(p.index));
        EXPECT_EQ(p.entries.size(), counts.at(p.kind));
        if (p.kind == Kind::Timer) continue;
        const auto names = p.Names();
        for (const std::string& s : shared)
            EXPECT_NE(std::find(names.begin(), names.end(), s), names.end()) << s;
        const auto transparent = std::count(names.begin(), names.end(), "Transparent");
        const bool canvas =
            p.kind == Kind::CardFrame || p.kind == Kind::CardFace || p.kind == Kind::Canvas;
        EXPECT_EQ(transparent, canvas ? 2 : 1);
        // Every other name once.
        std::set<std::string> distinct(names.begin(), names.end());
        EXPECT_EQ(distinct.size(), names.size() - static_cast<std::size_t>(transparent - 1));
    }
}

TEST(DesignRecords, EntriesBeginWithThePlacementAndEndWithTheParent) {
    const std::vector<std::string> lead = {
        "Name",    "Index",     "Left",       "Top",      "Width",         "Height", "LockLeft",
        "LockTop", "LockRight", "LockBottom", "TabIndex", "TabPanelIndex", "TabStop"};
    const std::vector<std::string> separatorLead = {"AllowAutoDeactivate",
                                                    "Transparent",
                                                    "Name",
                                                    "Index",
                                                    "Left",
                                                    "Top",
                                                    "Width",
                                                    "Height",
                                                    "LockLeft",
                                                    "LockTop",
                                                    "LockRight",
                                                    "LockBottom",
                                                    "TabPanelIndex",
                                                    "TabIndex",
                                                    "TabStop"};
    for (const Parsed& p : ParsedControlRecords()) {
        if (p.kind == Kind::Timer) continue;
        SCOPED_TRACE(p.name + " " + std::to_string(p.index));
        const auto names = p.Names();
        const auto& expected = p.kind == Kind::Separator ? separatorLead : lead;
        ASSERT_GE(names.size(), expected.size());
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + expected.size()),
                  expected);
        EXPECT_EQ(names.back(), "InitialParent");
    }
}

// Byte lengths, worked out entry by entry from the design: name, blank, value. A label
// carries the entries of the result window's label (422 bytes with "Message" and "MS明朝"),
// a button those of its button (378 bytes with "OKButton", "OK" and "System").
TEST(DesignRecords, LengthsFollowFromTheDesignedEntriesAndValues) {
    constexpr std::size_t kLabel = 422 - 7 - 8;
    constexpr std::size_t kButton = 378 - 8 - 2 - 6;
    const std::map<std::string, std::size_t> lengths = {
        {"StaticText1", kLabel + 11 + 6 + 9},
        {"StaticText2", kLabel + 11 + 6 + 9},
        {"StaticText3", kLabel + 11 + 7 + 9},
        {"StaticText4", kLabel + 11 + 10 + 9},
        {"StaticText5", kLabel + 11 + 9 + 9},
        {"StaticText6", kLabel + 11 + 9 + 9},
        {"StaticText7", kLabel + 11 + 9 + 9},
        {"StaticText8", kLabel + 11 + 13 + 9},
        {"ShogoText", kLabel + 9 + 0 + 14},
        {"Label1", kLabel + 6 + 6 + 6},
        {"StartButton", kButton + 11 + 6 + 12},
        {"ScoreFiled", 570},
        {"TotalScoreField", 575},
        {"TimeField", 569},
        {"KaisuField", 570},
        {"HighScoreField", 574},
        {"OdaiField", 700},
        {"MyField", 696},
        {"ListBox1", 803 + 8 + 4942 + 6},
        {"ListBox2", 803 + 8 + 2222 + 6},
        {"ListBox3", 803 + 8 + 4948 + 6},
        {"ListBox4", 803 + 8 + 2213 + 6},
        {"Separator1", 259},
        {"Separator2", 259},
        {"CardCanvas", 325},
        {"FudaCanvas", 337},
        {"MyCanvas", 323},
        {"MyTimer", 31},
    };
    for (const Parsed& p : ParsedControlRecords())
        EXPECT_EQ(p.bytes->size(), lengths.at(p.name)) << p.name << " " << p.index;
}

TEST(DesignRecords, TheWindowRecordHoldsItsDesignValuesInOrder) {
    const std::string& bytes = game::layout::WindowRecord();
    // The result window's record is 367 bytes with an empty title; "Ukisomi" adds 7.
    EXPECT_EQ(bytes.size(), 367u + 7u);
    const auto entries = fw::ParseDesignRecord(game::KarutaWindow::Lookup(), bytes);
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Width",
                                               "Height",
                                               "MinimumWidth",
                                               "MinimumHeight",
                                               "MaximumWidth",
                                               "MaximumHeight",
                                               "Type",
                                               "Title",
                                               "HasCloseButton",
                                               "HasMaximizeButton",
                                               "HasMinimizeButton",
                                               "HasFullScreenButton",
                                               "Resizeable",
                                               "Composite",
                                               "MacProcID",
                                               "FullScreen",
                                               "DefaultLocation",
                                               "Visible",
                                               "HasBackgroundColor",
                                               "BackgroundColor",
                                               "MenuBarVisible",
                                               "LiveResize"}));
    EXPECT_NE(bytes.find(std::string("BackgroundColor \x29\x90\xFF\x00", 20)), std::string::npos);
    EXPECT_NE(bytes.find(std::string("Title \x07\0\0\0Ukisomi", 17)), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 12), std::string("LiveResize \0", 12));
}

TEST(DesignRecords, ValuesAreStoredInTheirByteForms) {
    const auto parsed = ParsedControlRecords();
    auto record = [&](const std::string& name) -> const std::string& {
        for (const Parsed& p : parsed)
            if (p.name == name) return *p.bytes;
        throw std::out_of_range(name);
    };
    // No set: the 32-bit minimum widened, not the 64-bit one.
    EXPECT_NE(record("StaticText1").find(std::string("Index \0\0\0\x80\xFF\xFF\xFF\xFF", 14)),
              std::string::npos);
    EXPECT_NE(record("StaticText1").find(std::string("FontSize \0\0\x40\x41", 13)),
              std::string::npos);
    // The design fonts of the four controls whose fonts the opening replaces.
    EXPECT_NE(record("StaticText1")
                  .find(std::string("FontName \x09\0\0\0MS \xE6\x98\x8E\xE6\x9C\x9D", 22)),
              std::string::npos);
    EXPECT_NE(
        record("OdaiField").find(std::string("FontName \x08\0\0\0MS\xE6\x98\x8E\xE6\x9C\x9D", 21)),
        std::string::npos);
    EXPECT_NE(record("StartButton").find("FontName \x0C" + std::string("\0\0\0", 3) + "魚石行書"),
              std::string::npos);
    EXPECT_NE(record("ShogoText").find("FontName \x0E" + std::string("\0\0\0", 3) + "平成明朝\r\n"),
              std::string::npos);
    EXPECT_NE(record("Label1").find(std::string("FontSize \0\0\0\0", 13)), std::string::npos);
    EXPECT_NE(record("OdaiField").find(std::string("LineSpacing \0\0\0\0\0\0\xF0\x3F", 20)),
              std::string::npos);
    // Names as written, though the properties differ in case.
    EXPECT_NE(record("OdaiField").find("Multiline "), std::string::npos);
    EXPECT_NE(game::layout::WindowRecord().find("MacProcID "), std::string::npos);
}

TEST(DesignRecords, SetMembersCarryTheirSlotAndFacesNameTheirFrame) {
    for (const Parsed& p : ParsedControlRecords()) {
        if (p.kind != Kind::CardFrame && p.kind != Kind::CardFace) continue;
        SCOPED_TRACE(p.name + " " + std::to_string(p.index));
        EXPECT_EQ(std::get<std::int64_t>(p.Value("Index")), p.index);
        EXPECT_EQ(std::get<std::string>(p.Value("InitialParent")),
                  p.kind == Kind::CardFace ? "CardCanvas$" + std::to_string(p.index) : "");
    }
    EXPECT_EQ(&game::layout::RecordOf("FudaCanvas", 1), &game::layout::ControlRecords()[1]);
    EXPECT_THROW(game::layout::RecordOf("FudaCanvas", 10), fw::InvalidArgumentException);
}

}  // namespace
}  // namespace window
