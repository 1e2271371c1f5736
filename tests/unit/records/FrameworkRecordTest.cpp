// Records applied to the framework's own classes, with the names and types the program's
// records use; the result window's three records are the program's own.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/Canvas.h"
#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "game/MessageWindow.h"
#include "unit/records/RecordTestSupport.h"

namespace records {
namespace {

using fw::DesignRecordWriter;
using fw::PropertyType;
using fw::PropertyValue;
using Entries = std::vector<std::pair<std::string, PropertyValue>>;

std::string Encode(const fw::ClassRecord& target, const Entries& entries) {
    DesignRecordWriter writer(target);
    for (const auto& [name, value] : entries) writer.Entry(name, value);
    return writer.Bytes();
}

// Every entry reads back through the getter of the property it names (the last value of a
// repeated name).
void ExpectReadsBack(const fw::Object& object, const Entries& entries) {
    std::map<const fw::PropertyDesc*, PropertyValue> last;
    for (const auto& [name, value] : entries) {
        const fw::PropertyDesc* property = object.Class().FindProperty(name);
        ASSERT_NE(property, nullptr) << name;
        last[property] = value;
    }
    for (const auto& [property, value] : last)
        EXPECT_TRUE(SameValue(property->get(object), value)) << property->name;
}

const std::int64_t kNoSet = -2147483648LL;

// The entries of one of the program's records, as the reader takes them apart. The values
// themselves are pinned by the result window's own tests; here they must read back.
Entries EntriesOf(const fw::ClassRecord& cls, const std::string& record) {
    Entries entries;
    for (const auto& e : fw::ParseDesignRecord(cls, record)) entries.emplace_back(e.name, e.value);
    return entries;
}

TEST(FrameworkRecords, TimerRecordSetsModeAndPeriodAndStartsTheTimer) {
    const std::string record =
        Encode(fw::Timer::Lookup(), {{"RunMode", std::int64_t{2}}, {"Period", std::int64_t{1000}}});
    ASSERT_EQ(record.size(), 31u);
    auto timer = std::make_shared<fw::Timer>();
    fw::RuntimeMassPropertySetter(*timer, record);
    EXPECT_EQ(timer->RunMode(), fw::Timer::Multiple);
    EXPECT_EQ(timer->Period(), 1000);
    EXPECT_TRUE(timer->IsRunning());
}

TEST(FrameworkRecords, ResultWindowRecordReadsBackOnAWindow) {
    const std::string& record = game::MessageWindow::WindowRecord();
    EXPECT_EQ(record.size(), 367u);
    EXPECT_EQ(record.substr(record.size() - 12), "LiveResize " + Hex("00"));
    auto window = std::make_shared<fw::Window>();
    fw::SetProperties(*window, record);
    ExpectReadsBack(*window, EntriesOf(fw::Window::Lookup(), record));
    EXPECT_EQ(window->Width(), 388);
    EXPECT_EQ(window->Title(), "");
    EXPECT_FALSE(window->HasBackgroundColor());
}

TEST(FrameworkRecords, WindowMacProcIdAndVisibleFalseReachTheirProperties) {
    auto window = std::make_shared<fw::Window>();
    const fw::PropertyDesc* macProcId = window->Class().FindProperty("MacProcID");
    ASSERT_NE(macProcId, nullptr);
    EXPECT_EQ(macProcId->name, "MacProcId");
    fw::SetProperties(*window, Encode(fw::Window::Lookup(),
                                      {{"MacProcID", std::int64_t{5}}, {"Visible", false}}));
    EXPECT_EQ(macProcId->get(*window), PropertyValue{std::int64_t{5}});
    EXPECT_FALSE(window->Visible());
}

TEST(FrameworkRecords, MessageLabelRecordMakesAMultiLineLabel) {
    const std::string& record = game::MessageWindow::MessageRecord();
    EXPECT_EQ(record.size(), 422u);
    EXPECT_EQ(record.substr(record.size() - 16), "Name " + Hex("07 00 00 00") + "Message");
    auto label = std::make_shared<fw::Label>();
    ASSERT_FALSE(label->MultiLine());
    fw::SetProperties(*label, record);
    ExpectReadsBack(*label, EntriesOf(fw::Label::Lookup(), record));
    EXPECT_TRUE(label->MultiLine());
    EXPECT_EQ(label->FontName(), "MS明朝");
    EXPECT_EQ(label->Index(), kNoSet);
    EXPECT_EQ(label->Name(), "Message");
}

TEST(FrameworkRecords, VisibleFalseKeepsALabelHidden) {
    auto label = std::make_shared<fw::Label>();
    fw::SetProperties(
        *label, Encode(fw::Label::Lookup(), {{"Visible", false}, {"Text", std::string("正解")}}));
    EXPECT_FALSE(label->Visible());
    EXPECT_EQ(label->Text(), "正解");
}

TEST(FrameworkRecords, OkButtonRecordReadsBackOnAPushButton) {
    const std::string& record = game::MessageWindow::OKButtonRecord();
    EXPECT_EQ(record.size(), 378u);
    auto button = std::make_shared<fw::PushButton>();
    fw::SetProperties(*button, record);
    ExpectReadsBack(*button, EntriesOf(fw::PushButton::Lookup(), record));
}

TEST(FrameworkRecords, ListboxInitialValueRowsAreWhatListReturns) {
    struct Case {
        const char* label;
        std::string initialValue;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"every row ends in CR LF", "あきの\r\nはるす\r\n", {"あきの", "はるす"}},
        {"the last row has no line end", "あきの\r\nはるす", {"あきの", "はるす"}},
        {"no rows", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto list = std::make_shared<fw::Listbox>();
        fw::SetProperties(*list, Encode(fw::Listbox::Lookup(), {{"InitialValue", c.initialValue},
                                                                {"ColumnCount", std::int64_t{1}}}));
        EXPECT_EQ(list->InitialValue(), c.initialValue);
        ASSERT_EQ(list->ListCount(), static_cast<std::int64_t>(c.rows.size()));
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(list->List(static_cast<std::int64_t>(i)), c.rows[i]);
    }
}

TEST(FrameworkRecords, CanvasNamingTransparentTwiceStaysTransparent) {
    auto canvas = std::make_shared<fw::Canvas>();
    fw::SetProperties(
        *canvas, Encode(fw::Canvas::Lookup(),
                        {{"Transparent", true}, {"DoubleBuffer", false}, {"Transparent", true}}));
    EXPECT_TRUE(canvas->Transparent());
}

TEST(FrameworkRecords, AFaultyEntryLeavesARealControlAsItWas) {
    auto label = std::make_shared<fw::Label>();
    label->SetText("before");
    const std::string good =
        Encode(fw::Label::Lookup(), {{"Text", std::string("after")}, {"Visible", false}});
    const std::string cases[] = {
        good + "Caption " + Hex("00 00 00 00"),  // a PushButton's property, not a Label's
        good + "Bold " + Hex("02"),
        good + "Left " + Hex("01 00"),
    };
    for (const std::string& record : cases) {
        EXPECT_THROW(fw::SetProperties(*label, record), fw::DesignRecordException);
        EXPECT_EQ(label->Text(), "before");
        EXPECT_TRUE(label->Visible());
    }
}

// A record that reads, applied to a label on a window, whose InitialParent names no control
// there: the setter raises, the entries before it stay applied, the ones after it are not, and
// the label stays inside the frame it lay in.
TEST(FrameworkRecords, ARaisingSetterLeavesTheEntriesBeforeItApplied) {
    auto window = std::make_shared<fw::Window>();
    window->Constructor();
    auto frame = fw::RuntimeCheckCast<fw::Canvas>(window->New(fw::Canvas::Lookup()));
    window->AddControl("Frame", frame);
    frame->Constructor();
    auto label = fw::RuntimeCheckCast<fw::Label>(window->New(fw::Label::Lookup()));
    window->AddControl("Label1", label);
    label->Constructor();
    fw::SetProperties(*label, Encode(fw::Label::Lookup(), {{"InitialParent", std::string("Frame")},
                                                           {"Top", std::int64_t{5}},
                                                           {"Text", std::string("before")}}));
    ASSERT_EQ(label->Parent(), frame);

    const std::string record =
        Encode(fw::Label::Lookup(), {{"Text", std::string("after")},
                                     {"Left", std::int64_t{12}},
                                     {"InitialParent", std::string("Nowhere")},
                                     {"Visible", false},
                                     {"Top", std::int64_t{34}}});
    EXPECT_THROW(fw::SetProperties(*label, record), fw::NilObjectException);
    EXPECT_EQ(label->Text(), "after");
    EXPECT_EQ(label->Left(), 12);
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(label->Top(), 5);
    EXPECT_EQ(label->InitialParent(), "Frame") << "the refused name is not kept";
    EXPECT_EQ(label->Parent(), frame);
    window->Close();
}

// The type of every name the program's records use; a name has one type in every class.
const std::map<std::string, PropertyType>& RecordNameTypes() {
    static const std::map<std::string, PropertyType> types = [] {
        std::map<std::string, PropertyType> t;
        for (const char* n : {"AllowAutoDeactivate",
                              "AllowAutoHideScrollbars",
                              "AllowExpandableRows",
                              "AllowFocus",
                              "AllowFocusRing",
                              "AllowResizableColumns",
                              "AllowRowDragging",
                              "AllowRowReordering",
                              "AllowSpellChecking",
                              "AllowStyledText",
                              "AllowTabs",
                              "Bold",
                              "Cancel",
                              "Composite",
                              "Default",
                              "DoubleBuffer",
                              "DropIndicatorVisible",
                              "Enabled",
                              "FullScreen",
                              "HasBackgroundColor",
                              "HasBorder",
                              "HasCloseButton",
                              "HasFullScreenButton",
                              "HasHeader",
                              "HasHorizontalScrollbar",
                              "HasMaximizeButton",
                              "HasMinimizeButton",
                              "HasVerticalScrollbar",
                              "HideSelection",
                              "Italic",
                              "LiveResize",
                              "LockBottom",
                              "LockLeft",
                              "LockRight",
                              "LockTop",
                              "MenuBarVisible",
                              "Multiline",
                              "Password",
                              "ReadOnly",
                              "RequiresSelection",
                              "Resizeable",
                              "Selectable",
                              "TabStop",
                              "Transparent",
                              "Underline",
                              "Visible"})
            t[n] = PropertyType::Boolean;
        t["FontUnit"] = PropertyType::FontUnits;
        for (const char* n : {"_ScrollOffset",
                              "_ScrollWidth",
                              "ColumnCount",
                              "DefaultRowHeight",
                              "HeadingIndex",
                              "Height",
                              "Index",
                              "Left",
                              "MacProcID",
                              "MaximumCharactersAllowed",
                              "MaximumHeight",
                              "MaximumWidth",
                              "MinimumHeight",
                              "MinimumWidth",
                              "Period",
                              "TabIndex",
                              "TabPanelIndex",
                              "Top",
                              "Width",
                              "DefaultLocation",
                              "GridLinesHorizontalStyle",
                              "GridLinesVerticalStyle",
                              "MacButtonStyle",
                              "RowSelectionType",
                              "RunMode",
                              "TextAlignment",
                              "Type",
                              "UnicodeMode"})
            t[n] = PropertyType::Integer;
        t["FontSize"] = PropertyType::Single;
        t["LineHeight"] = t["LineSpacing"] = PropertyType::Double;
        t["BackgroundColor"] = t["TextColor"] = PropertyType::Color;
        for (const char* n : {"Caption", "ColumnWidths", "DataField", "DataSource", "FontName",
                              "Format", "Hint", "InitialParent", "InitialValue", "Name", "Text",
                              "Title", "Tooltip", "ValidationMask"})
            t[n] = PropertyType::String;
        return t;
    }();
    return types;
}

std::vector<std::string> WithShared(std::vector<std::string> own) {
    const char* shared[] = {"Name",         "Index",
                            "Left",         "Top",
                            "Width",        "Height",
                            "LockLeft",     "LockTop",
                            "LockRight",    "LockBottom",
                            "TabIndex",     "TabPanelIndex",
                            "TabStop",      "AllowAutoDeactivate",
                            "Enabled",      "Tooltip",
                            "Visible",      "Transparent",
                            "InitialParent"};
    own.insert(own.end(), std::begin(shared), std::end(shared));
    return own;
}

struct Kind {
    const fw::ClassRecord& (*lookup)();
    std::vector<std::string> names;
};

std::vector<Kind> RecordKinds() {
    return {
        {&fw::Window::Lookup,
         {"Width",
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
          "LiveResize"}},
        {&fw::Canvas::Lookup,
         WithShared({"AllowFocusRing", "AllowFocus", "AllowTabs", "DoubleBuffer"})},
        {&fw::Label::Lookup, WithShared({"Multiline", "Selectable", "TextAlignment", "TextColor",
                                         "Text", "Bold", "Italic", "FontName", "Underline",
                                         "FontSize", "FontUnit", "DataSource", "DataField"})},
        {&fw::PushButton::Lookup,
         WithShared({"MacButtonStyle", "Cancel", "Caption", "Default", "FontName", "FontSize",
                     "FontUnit", "Bold", "Italic", "Underline"})},
        {&fw::TextField::Lookup, WithShared({"BackgroundColor",
                                             "HasBorder",
                                             "Format",
                                             "Password",
                                             "TextColor",
                                             "AllowFocusRing",
                                             "FontName",
                                             "FontSize",
                                             "FontUnit",
                                             "Bold",
                                             "Italic",
                                             "Underline",
                                             "Hint",
                                             "Text",
                                             "AllowTabs",
                                             "TextAlignment",
                                             "AllowSpellChecking",
                                             "MaximumCharactersAllowed",
                                             "ValidationMask",
                                             "ReadOnly",
                                             "DataSource",
                                             "DataField"})},
        {&fw::TextArea::Lookup, WithShared({"BackgroundColor",
                                            "HasBorder",
                                            "Format",
                                            "HideSelection",
                                            "LineHeight",
                                            "LineSpacing",
                                            "Multiline",
                                            "HasHorizontalScrollbar",
                                            "HasVerticalScrollbar",
                                            "AllowStyledText",
                                            "TextColor",
                                            "AllowFocusRing",
                                            "Bold",
                                            "Italic",
                                            "FontName",
                                            "FontSize",
                                            "FontUnit",
                                            "Underline",
                                            "Text",
                                            "AllowTabs",
                                            "TextAlignment",
                                            "AllowSpellChecking",
                                            "MaximumCharactersAllowed",
                                            "ValidationMask",
                                            "ReadOnly",
                                            "UnicodeMode",
                                            "DataSource",
                                            "DataField"})},
        {&fw::Listbox::Lookup, WithShared({"_ScrollOffset",
                                           "_ScrollWidth",
                                           "HasBorder",
                                           "ColumnCount",
                                           "ColumnWidths",
                                           "DefaultRowHeight",
                                           "GridLinesHorizontalStyle",
                                           "GridLinesVerticalStyle",
                                           "HasHeader",
                                           "HeadingIndex",
                                           "InitialValue",
                                           "HasHorizontalScrollbar",
                                           "HasVerticalScrollbar",
                                           "DropIndicatorVisible",
                                           "AllowFocusRing",
                                           "Bold",
                                           "Italic",
                                           "FontName",
                                           "FontSize",
                                           "FontUnit",
                                           "Underline",
                                           "AllowAutoHideScrollbars",
                                           "AllowResizableColumns",
                                           "AllowRowDragging",
                                           "AllowRowReordering",
                                           "AllowExpandableRows",
                                           "RequiresSelection",
                                           "RowSelectionType",
                                           "DataSource",
                                           "DataField"})},
        {&fw::Separator::Lookup, WithShared({})},
        {&fw::Timer::Lookup, {"RunMode", "Period"}},
    };
}

// Each class has every name its kind of record carries, with the type the records give it,
// and a record of all of them, each at the value the object already has, reads and applies.
TEST(FrameworkRecords, EveryClassReadsEveryNameItsRecordsCarry) {
    for (const Kind& kind : RecordKinds()) {
        const fw::ClassRecord& record = kind.lookup();
        SCOPED_TRACE(record.Name());
        fw::ObjectRef object = record.NewInstance();
        Entries entries;
        for (const std::string& name : kind.names) {
            const fw::PropertyDesc* property = record.FindProperty(name);
            ASSERT_NE(property, nullptr) << name;
            EXPECT_EQ(property->type, RecordNameTypes().at(name)) << name;
            PropertyValue value = property->get(*object);
            EXPECT_EQ(fw::TypeOf(value), property->type)
                << name << ": getter and declared type differ";
            entries.emplace_back(name, std::move(value));
        }
        ASSERT_NO_THROW(fw::SetProperties(*object, Encode(record, entries)));
        ExpectReadsBack(*object, entries);
    }
}

}  // namespace
}  // namespace records
