// The game window as its construction leaves it: 46 controls in creation and tab order with
// their classes, places, texts and fonts, 56 handlers, and the window's own design values.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fw/Control.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

struct Expected {
    std::string name;
    std::int64_t index;
    std::string className;
    std::int64_t left, top, width, height, tab;
    bool visible;
};

// The design's control table, written out from the card-slot table for the canvas sets.
std::vector<Expected> ExpectedControls() {
    struct Slot {
        std::int64_t frameLeft, frameTop, faceLeft, faceTop, frameTab;
    };
    const Slot slots[10] = {{21, 69, 31, 75, 1},      {132, 67, 142, 73, 0},
                            {241, 67, 251, 74, 25},   {355, 69, 365, 75, 26},
                            {457, 67, 467, 73, 27},   {21, 258, 31, 263, 28},
                            {132, 258, 142, 264, 29}, {241, 258, 251, 264, 30},
                            {355, 259, 365, 265, 31}, {462, 259, 472, 265, 32}};
    auto frame = [&](std::int64_t i) {
        return Expected{"CardCanvas",
                        i,
                        "KarutaWindow.CardCanvas",
                        slots[i].frameLeft,
                        slots[i].frameTop,
                        90,
                        170,
                        slots[i].frameTab,
                        true};
    };
    auto face = [&](std::int64_t i) {
        return Expected{"FudaCanvas",
                        i,
                        "KarutaWindow.FudaCanvas",
                        slots[i].faceLeft,
                        slots[i].faceTop,
                        70,
                        160,
                        0,
                        true};
    };
    constexpr auto none = fw::kNoIndex;
    std::vector<Expected> out = {
        frame(1),
        face(1),
        frame(0),
        face(0),
        {"StaticText1", none, "Label", 108, 11, 30, 21, 2, true},
        {"StaticText2", none, "Label", 17, 43, 30, 21, 3, true},
        {"StaticText3", none, "Label", 9, 453, 38, 21, 4, true},
        {"ScoreFiled", none, "TextField", 55, 454, 60, 20, 5, true},
        {"StaticText4", none, "Label", 9, 484, 50, 16, 6, true},
        {"TotalScoreField", none, "TextField", 55, 482, 60, 20, 7, true},
        {"StaticText5", none, "Label", 156, 454, 38, 21, 8, true},
        {"TimeField", none, "TextField", 203, 455, 60, 20, 9, true},
        {"MyTimer", none, "KarutaWindow._wrapper_MyTimer", 0, 0, 0, 0, -1, true},
        {"Separator1", none, "Separator", 0, 436, 630, 4, 11, true},
        {"StartButton", none, "PushButton", 457, 10, 69, 22, 12, true},
        {"OdaiField", none, "TextArea", 145, 4, 280, 41, 13, true},
        {"ListBox1", none, "Listbox", 0, 512, 234, 45, 14, false},
        {"ListBox2", none, "Listbox", 796, 484, 170, 45, 15, true},
        {"ListBox3", none, "Listbox", 0, 554, 234, 45, 16, true},
        {"ListBox4", none, "Listbox", 796, 535, 170, 45, 17, true},
        {"StaticText6", none, "Label", 275, 453, 38, 21, 18, true},
        {"KaisuField", none, "TextField", 325, 454, 60, 20, 19, true},
        {"StaticText7", none, "Label", 275, 482, 38, 21, 20, true},
        {"StaticText8", none, "Label", 141, 486, 58, 16, 21, true},
        {"HighScoreField", none, "TextField", 203, 482, 60, 20, 22, true},
        {"ShogoText", none, "Label", 316, 483, 91, 20, 23, true},
        {"Separator2", none, "Separator", 0, 249, 630, 4, 24, true},
    };
    for (std::int64_t i = 2; i <= 9; ++i) {
        out.push_back(frame(i));
        out.push_back(face(i));
    }
    out.push_back({"MyField", none, "TextArea", 355, 512, 205, 30, 33, false});
    out.push_back({"MyCanvas", none, "Canvas", 476, 454, 50, 50, 34, true});
    out.push_back({"Label1", none, "Label", 404, 472, 100, 20, 35, false});
    return out;
}

class Construction : public OpenWindowTest {};

TEST_F(Construction, Makes46ControlsInTheDesignsOrderWithTheirClasses) {
    const auto expected = ExpectedControls();
    const auto controls = win->Controls();
    ASSERT_EQ(expected.size(), 46u);
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " " + expected[i].name);
        EXPECT_EQ(win->NameOf(*controls[i]), expected[i].name);
        EXPECT_EQ(controls[i]->Class().Name(), expected[i].className);
        auto pane = std::dynamic_pointer_cast<fw::PaneChild>(controls[i]);
        ASSERT_TRUE(pane);
        EXPECT_EQ(pane->Window(), win);
        if (expected[i].name == "MyTimer")
            EXPECT_EQ(pane->Index(), 0);  // the timer's own index, which nothing sets
        else
            EXPECT_EQ(pane->Index(), expected[i].index);
    }
}

TEST_F(Construction, PlacesEveryControlAtItsDesignedPlaceInTabOrder) {
    const auto expected = ExpectedControls();
    const auto controls = win->Controls();
    ASSERT_EQ(controls.size(), expected.size());
    std::vector<std::int64_t> windowLevelTabs;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(expected[i].name + " " + std::to_string(expected[i].index));
        auto rect = std::dynamic_pointer_cast<fw::RectControl>(controls[i]);
        if (expected[i].name == "MyTimer") {
            EXPECT_FALSE(rect) << "the timer has no place on the window";
            continue;
        }
        ASSERT_TRUE(rect);
        EXPECT_TRUE(rect->IsConstructed());
        EXPECT_EQ(rect->Left(), expected[i].left);
        EXPECT_EQ(rect->Top(), expected[i].top);
        EXPECT_EQ(rect->Width(), expected[i].width);
        EXPECT_EQ(rect->Height(), expected[i].height);
        EXPECT_EQ(rect->TabIndex(), expected[i].tab);
        EXPECT_EQ(rect->Visible(), expected[i].visible);
        EXPECT_TRUE(rect->Enabled());
        if (expected[i].name != "FudaCanvas") windowLevelTabs.push_back(rect->TabIndex());
    }
    // The window-level controls run 0 to 35 in creation order, without 10 (the timer's place).
    std::vector<std::int64_t> ascending;
    for (std::int64_t t = 0; t <= 35; ++t)
        if (t != 10) ascending.push_back(t);
    std::sort(windowLevelTabs.begin(), windowLevelTabs.end());
    EXPECT_EQ(windowLevelTabs, ascending);
}

TEST_F(Construction, EveryCardFaceLiesInsideTheFrameOfItsSlot) {
    for (std::int64_t i = 0; i <= 9; ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        auto frame = win->CardCanvas(i);
        auto face = win->FudaCanvas(i);
        ASSERT_TRUE(frame && face);
        EXPECT_EQ(face->InitialParent(), "CardCanvas$" + std::to_string(i));
        EXPECT_EQ(face->Parent(), frame);
        EXPECT_EQ(frame->Parent(), nullptr);
        EXPECT_GE(face->Left(), frame->Left());
        EXPECT_GE(face->Top(), frame->Top());
        EXPECT_LE(face->Left() + face->Width(), frame->Left() + frame->Width());
        EXPECT_LE(face->Top() + face->Height(), frame->Top() + frame->Height());
        EXPECT_TRUE(frame->Transparent());
        EXPECT_TRUE(face->Transparent());
    }
}

// Handlers attached to each control, by event.
struct Attached {
    std::size_t open = 0, paint = 0, mouseDown = 0, action = 0;
    std::size_t Total() const { return open + paint + mouseDown + action; }
};

Attached AttachedTo(const fw::ObjectRef& control) {
    Attached a;
    if (auto c = std::dynamic_pointer_cast<fw::Control>(control)) a.open = c->Open.HandlerCount();
    if (auto c = std::dynamic_pointer_cast<fw::Canvas>(control)) {
        a.paint = c->Paint.HandlerCount();
        a.mouseDown = c->MouseDown.HandlerCount();
    }
    if (auto b = std::dynamic_pointer_cast<fw::PushButton>(control))
        a.action = b->Action.HandlerCount();
    if (auto t = std::dynamic_pointer_cast<fw::Timer>(control)) a.action = t->Action.HandlerCount();
    return a;
}

TEST_F(Construction, Attaches56HandlersTwoPerFrameThreePerFace) {
    std::size_t total = 0;
    for (const auto& control : win->Controls()) {
        const std::string name = win->NameOf(*control);
        SCOPED_TRACE(name);
        const Attached a = AttachedTo(control);
        total += a.Total();
        if (name == "CardCanvas") {
            EXPECT_EQ(a.open, 1u);
            EXPECT_EQ(a.paint, 1u);
            EXPECT_EQ(a.mouseDown, 0u);
        } else if (name == "FudaCanvas") {
            EXPECT_EQ(a.open, 1u);
            EXPECT_EQ(a.paint, 1u);
            EXPECT_EQ(a.mouseDown, 1u);
        } else if (name == "ScoreFiled" || name == "TotalScoreField" || name == "KaisuField" ||
                   name == "HighScoreField") {
            EXPECT_EQ(a.open, 1u);
            EXPECT_EQ(a.Total(), 1u);
        } else if (name == "MyTimer" || name == "StartButton") {
            EXPECT_EQ(a.action, 1u);
            EXPECT_EQ(a.Total(), 1u);
        } else {
            EXPECT_EQ(a.Total(), 0u) << "no handler expected";
        }
    }
    EXPECT_EQ(total, 56u);
}

TEST_F(Construction, TheSingleControlsAreInNoSet) {
    for (const auto& control : win->Controls()) {
        const std::string name = win->NameOf(*control);
        if (name == "CardCanvas" || name == "FudaCanvas" || name == "MyTimer") continue;
        auto c = std::dynamic_pointer_cast<fw::Control>(control);
        ASSERT_TRUE(c) << name;
        EXPECT_EQ(c->Index(), fw::kNoIndex) << name;
        EXPECT_EQ(c->Name(), name);
    }
}

// The font of a control that shows text.
const fw::FontStyled& FontOf(const std::shared_ptr<game::KarutaWindow>& win,
                             const std::string& name) {
    auto styled = std::dynamic_pointer_cast<fw::FontStyled>(win->ControlByName(name));
    if (!styled) throw std::runtime_error(name + " shows no text");
    return *styled;
}

TEST_F(Construction, FontsStayByteForByteAsDesignedOrAsTheOpeningSetsThem) {
    struct Case {
        const char* name;
        std::string font;
        float size;
        bool bold;
    };
    const std::string opening = "\xE5\xB9\xB3\xE6\x88\x90\xE6\x98\x8E\xE6\x9C\x9D";  // 平成明朝
    const std::string label = "MS \xE6\x98\x8E\xE6\x9C\x9D";                         // 9 bytes
    const Case cases[] = {
        {"StaticText1", opening, 12, false},        {"StaticText2", opening, 12, false},
        {"StaticText3", label, 12, true},           {"StaticText4", label, 12, true},
        {"StaticText5", label, 12, true},           {"StaticText6", label, 12, true},
        {"StaticText7", label, 12, true},           {"StaticText8", label, 12, true},
        {"ShogoText", opening + "\r\n", 12, false}, {"OdaiField", opening, 12, false},
        {"StartButton", opening, 12, false},        {"Label1", "System", 0, false},
        {"ScoreFiled", "System", 12, false},        {"TotalScoreField", "System", 12, false},
        {"TimeField", "System", 12, false},         {"KaisuField", "System", 12, false},
        {"HighScoreField", "System", 12, false},    {"MyField", "System", 12, false},
        {"ListBox1", "System", 12, false},          {"ListBox2", "System", 12, false},
        {"ListBox3", "System", 12, false},          {"ListBox4", "System", 12, false},
    };
    EXPECT_EQ(label.size(), 9u);
    EXPECT_EQ(opening.size() + 2, 14u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fw::FontStyled& font = FontOf(win, c.name);
        EXPECT_EQ(font.FontName(), c.font);
        EXPECT_EQ(font.FontSize(), c.size);
        EXPECT_EQ(font.Bold(), c.bold);
        EXPECT_FALSE(font.Italic());
        EXPECT_FALSE(font.Underline());
        EXPECT_EQ(font.FontUnit(), 0);
    }
}

TEST_F(Construction, LabelsAndTheButtonShowTheirDesignedTexts) {
    const std::pair<const char*, const char*> captions[] = {
        {"StaticText1", "お題"},    {"StaticText2", "お札"},      {"StaticText3", "得点:"},
        {"StaticText4", "総得点:"}, {"StaticText5", "時間："},    {"StaticText6", "回数："},
        {"StaticText7", "称号："},  {"StaticText8", "最高得点:"}, {"Label1", "正解"},
    };
    for (const auto& [name, text] : captions) {
        auto label = fw::RuntimeCheckCast<fw::Label>(win->ControlByName(name));
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(label->Text(), text) << name;
        EXPECT_FALSE(label->MultiLine()) << name;
        EXPECT_FALSE(label->Selectable()) << name;
        EXPECT_FALSE(label->Transparent()) << name;
    }
    auto button = win->StartButton();
    EXPECT_EQ(button->Caption(), "開始");
    EXPECT_TRUE(button->Default());
    EXPECT_FALSE(button->Cancel());

    // The fields start empty in the design; their own Open handlers then show "0".
    EXPECT_EQ(win->TimeField()->Text(), "");
    EXPECT_EQ(win->OdaiField()->Text(), "");
    EXPECT_EQ(win->MyField()->Text(), "");
    for (const auto& field : {win->OdaiField(), win->MyField()}) {
        EXPECT_TRUE(field->MultiLine());
        EXPECT_FALSE(field->ReadOnly());
        EXPECT_FALSE(field->HasHorizontalScrollbar());
    }
    EXPECT_FALSE(win->OdaiField()->HasVerticalScrollbar());
    EXPECT_TRUE(win->MyField()->HasVerticalScrollbar());
    EXPECT_EQ(win->ScoreFiled()->BackgroundColor(), fw::Color{0x00ffffff});
}

TEST_F(Construction, TheListBoxesHoldTheirDesignedRows) {
    for (const auto& list : {win->ListBox1(), win->ListBox2(), win->ListBox3(), win->ListBox4()}) {
        ASSERT_TRUE(list);
        EXPECT_EQ(list->ListCount(), 50);
    }
    EXPECT_EQ(win->ListBox1()->InitialValue().size(), 4942u);
    EXPECT_EQ(win->ListBox2()->InitialValue().size(), 2222u);
    EXPECT_EQ(win->ListBox3()->InitialValue().size(), 4948u);
    EXPECT_EQ(win->ListBox4()->InitialValue().size(), 2213u);
}

TEST_F(Construction, TheTimerRepeatsEverySecondUnderTheNameItWasRegisteredWith) {
    auto timer = win->MyTimer();
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer, fw::RuntimeCheckCast<fw::Timer>(win->ControlByName("MyTimer")));
    EXPECT_EQ(timer->RunMode(), fw::Timer::Multiple);
    EXPECT_EQ(timer->Period(), 1000);
    EXPECT_TRUE(timer->IsRunning());
}

TEST_F(Construction, TheWindowTakesItsDesignedLookAndTheOpeningSize) {
    EXPECT_EQ(win->Title(), "Ukisomi");
    EXPECT_EQ(win->BackgroundColor(), fw::Color{0x00ff9029});
    EXPECT_TRUE(win->HasBackgroundColor());
    EXPECT_FALSE(win->Resizeable());
    EXPECT_TRUE(win->HasCloseButton());
    EXPECT_FALSE(win->HasMaximizeButton());
    EXPECT_FALSE(win->HasMinimizeButton());
    EXPECT_FALSE(win->MenuBarVisible());
    EXPECT_EQ(win->MinimumWidth(), 64);
    EXPECT_EQ(win->MaximumHeight(), 32000);
    EXPECT_TRUE(win->Visible());
    EXPECT_EQ(win->Width(), 570);
    EXPECT_EQ(win->Height(), 510);
    // No shell in these tests: there is no MenuBar1 to attach.
    EXPECT_EQ(win->MenuBar(), nullptr);
}

}  // namespace
}  // namespace window
