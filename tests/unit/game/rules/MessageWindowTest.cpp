// The result window: its class, its three design records and what they build, its implicit
// instance, and closing it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Control.h"
#include "fw/DesignRecord.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "fw/testing/Player.h"
#include "game/MessageWindow.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using game::MessageWindow;
using Entries = std::vector<std::pair<std::string, fw::PropertyValue>>;

// The result window on its own: no game window is open.
using ResultWindow = gametest::SeamTest;

// One of the result window's three design records: its pinned length, how it ends, and every
// entry read back against its class in stored order.
struct RecordCase {
    const char* name;
    const std::string& (*record)();
    const fw::ClassRecord& (*cls)();
    std::size_t size;
    std::string tail;
    Entries entries;
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

using I = std::int64_t;
using S = std::string;

const RecordCase kRecords[] = {
    {"WindowIs367BytesOf22Entries",
     &MessageWindow::WindowRecord,
     &fw::Window::Lookup,
     367,
     std::string("LiveResize \0", 12),
     {{"Width", I{388}},
      {"Height", I{100}},
      {"MinimumWidth", I{64}},
      {"MinimumHeight", I{64}},
      {"MaximumWidth", I{32000}},
      {"MaximumHeight", I{32000}},
      {"Type", I{0}},
      {"Title", S()},
      {"HasCloseButton", true},
      {"HasMaximizeButton", true},
      {"HasMinimizeButton", true},
      {"HasFullScreenButton", false},
      {"Resizeable", true},
      {"Composite", false},
      {"MacProcID", I{0}},
      {"FullScreen", false},
      {"DefaultLocation", I{0}},
      {"Visible", true},
      {"HasBackgroundColor", false},
      {"BackgroundColor", fw::Color{0x00ffffff}},
      {"MenuBarVisible", true},
      {"LiveResize", false}}},
    {"MessageIs422BytesOf32Entries",
     &MessageWindow::MessageRecord,
     &fw::Label::Lookup,
     422,
     std::string("Name \x07\0\0\0Message", 16),
     {{"FontUnit", std::uint8_t{0}},
      {"FontSize", 12.0f},
      {"FontName", S("MS明朝")},
      {"TextAlignment", I{0}},
      {"Tooltip", S()},
      {"AllowAutoDeactivate", true},
      {"InitialParent", S()},
      {"DataField", S()},
      {"DataSource", S()},
      {"Underline", false},
      {"Italic", false},
      {"Bold", false},
      {"Visible", true},
      {"Text", S()},
      {"Transparent", false},
      {"TextColor", fw::Color{0}},
      {"Selectable", false},
      {"Multiline", true},
      {"Enabled", true},
      {"TabStop", true},
      {"TabPanelIndex", I{0}},
      {"TabIndex", I{0}},
      {"LockBottom", false},
      {"LockRight", false},
      {"LockTop", false},
      {"LockLeft", false},
      {"Height", I{52}},
      {"Width", I{348}},
      {"Top", I{14}},
      {"Left", I{20}},
      {"Index", I{fw::kNoIndex}},
      {"Name", S("Message")}}},
    {"OkButtonIs378BytesOf29Entries",
     &MessageWindow::OKButtonRecord,
     &fw::PushButton::Lookup,
     378,
     std::string("Name \x08\0\0\0OKButton", 17),
     {{"FontUnit", std::uint8_t{0}},
      {"FontSize", 12.0f},
      {"FontName", S("System")},
      {"Tooltip", S()},
      {"MacButtonStyle", I{0}},
      {"AllowAutoDeactivate", true},
      {"InitialParent", S()},
      {"Underline", false},
      {"Italic", false},
      {"Bold", false},
      {"Visible", true},
      {"Transparent", true},
      {"Enabled", true},
      {"Default", true},
      {"Caption", S("OK")},
      {"Cancel", false},
      {"TabStop", true},
      {"TabPanelIndex", I{0}},
      {"TabIndex", I{1}},
      {"LockBottom", false},
      {"LockRight", false},
      {"LockTop", false},
      {"LockLeft", false},
      {"Height", I{22}},
      {"Width", I{69}},
      {"Top", I{71}},
      {"Left", I{240}},
      {"Index", I{fw::kNoIndex}},
      {"Name", S("OKButton")}}},
};

class ResultWindowRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ResultWindowRecord, HoldsItsEntriesInStoredOrder) {
    const RecordCase& c = GetParam();
    const std::string& record = c.record();
    EXPECT_EQ(record.size(), c.size);
    ASSERT_GE(record.size(), c.tail.size());
    EXPECT_EQ(record.substr(record.size() - c.tail.size()), c.tail);
    const auto entries = fw::ParseDesignRecord(c.cls(), record);
    ASSERT_EQ(entries.size(), c.entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, c.entries[i].first) << "entry " << i;
        EXPECT_EQ(entries[i].value, c.entries[i].second)
            << "entry " << i << " " << c.entries[i].first;
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeRecords, ResultWindowRecord, ::testing::ValuesIn(kRecords),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultWindow, ItsClassRecord) {
    const fw::ClassRecord& cls = MessageWindow::Lookup();
    EXPECT_EQ(cls.Name(), "MessageWindow.MessageWindow");
    EXPECT_EQ(cls.Super(), &fw::Window::Lookup());
    EXPECT_EQ(fw::FindClass("MessageWindow.MessageWindow"), &cls);
    const auto table = cls.MethodTable();
    const auto inherited = fw::Window::Lookup().MethodTable();
    ASSERT_EQ(table.size(), inherited.size() + 6);
    for (std::size_t i = 0; i < inherited.size(); ++i) EXPECT_EQ(table[i].name, inherited[i].name);
    const char* own[] = {"Layout",  "CreateControls", "_CreateControls0",
                         "Message", "OKButton",       "OKButton_Action"};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& member = table[inherited.size() + i];
        EXPECT_EQ(member.name, own[i]);
        EXPECT_EQ(member.IsHidden(), member.name == "_CreateControls0") << member.name;
    }
}

TEST_F(ResultWindow, HandlesLayoutAndCreateControlsOnly) {
    auto window = MessageWindow::Implicit();
    EXPECT_TRUE(window->IsEventImplemented("Layout"));
    EXPECT_TRUE(window->IsEventImplemented("CreateControls"));
    for (const char* event : {"Open", "Close", "Activate", "Resized", "CancelClose"})
        EXPECT_FALSE(window->IsEventImplemented(event)) << event;
}

TEST_F(ResultWindow, IsBuiltFromItsDesignRecords) {
    auto window = MessageWindow::Implicit();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->IsOpen());
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->Width(), 388);
    EXPECT_EQ(window->Height(), 100);
    EXPECT_EQ(window->Title(), "");
    EXPECT_TRUE(window->Resizeable());
    EXPECT_FALSE(window->HasBackgroundColor());
    EXPECT_FALSE(window->MenuBar()) << "it attaches no menu bar";
    ASSERT_EQ(window->Controls().size(), 2u);
    EXPECT_EQ(window->NameOf(*window->Controls()[0]), "Message");
    EXPECT_EQ(window->NameOf(*window->Controls()[1]), "OKButton");

    auto message = window->Message();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->Text(), "");
    EXPECT_TRUE(message->MultiLine());
    EXPECT_FALSE(message->Selectable());
    EXPECT_EQ(message->FontName(), "MS明朝");
    EXPECT_EQ(message->FontSize(), 12.0f);
    EXPECT_EQ((fw::Rect{message->Left(), message->Top(), message->Width(), message->Height()}),
              (fw::Rect{20, 14, 348, 52}));
    EXPECT_EQ(message->Index(), fw::kNoIndex);
    EXPECT_EQ(message->TabIndex(), 0);

    auto ok = window->OKButton();
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Cancel());
    EXPECT_EQ(ok->FontName(), "System");
    EXPECT_EQ((fw::Rect{ok->Left(), ok->Top(), ok->Width(), ok->Height()}),
              (fw::Rect{240, 71, 69, 22}));
    EXPECT_EQ(ok->TabIndex(), 1);
    EXPECT_EQ(ok->Action.HandlerCount(), 1u);
}

TEST_F(ResultWindow, OneWindowWhileOpenAndANewOneAfterOk) {
    auto first = MessageWindow::Implicit();
    EXPECT_EQ(MessageWindow::Implicit(), first);
    EXPECT_EQ(fw::RuntimeImplicitInstance("MessageWindow.MessageWindow"), first);
    EXPECT_EQ(fw::OpenWindows().size(), 1u);
    first->Message()->SetText("old");

    fw::testing::Click(*first->OKButton());
    EXPECT_FALSE(first->IsOpen());
    EXPECT_FALSE(fw::GetImplicitWindow("MessageWindow.MessageWindow"));
    // A second press on the closed window's button builds no window to close.
    fw::testing::Click(*first->OKButton());
    EXPECT_TRUE(fw::OpenWindows().empty());

    auto second = MessageWindow::Implicit();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->IsOpen());
    EXPECT_EQ(second->Message()->Text(), "");
}

TEST_F(ResultWindow, OkClosesTheImplicitInstanceWhateverItsSender) {
    auto window = MessageWindow::Implicit();
    window->OKButton_Action(nullptr);
    EXPECT_FALSE(window->IsOpen());
    window->OKButton_Action(nullptr);  // nothing left to close
    EXPECT_TRUE(fw::OpenWindows().empty());
}

}  // namespace
}  // namespace rules
