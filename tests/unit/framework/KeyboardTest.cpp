// The keyboard on a window, by real key events: Tab through the controls in TabIndex order,
// text controls that take the tab or pass it on, Return and Escape pressing the default and
// cancel buttons through the buttons' own dispatch.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/PushButton.h"
#include "fw/TextEdit.h"
#include "fw/Window.h"
#include "fw/testing/Player.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

using fw::testing::Key;

// One control of a test window's design.
struct Part {
    std::string name;
    const fw::ClassRecord& cls;
    std::int64_t tabIndex;
    std::function<void(fw::RectControl&)> design = {};
};

class KeyboardTest : public FrameworkTest {
protected:
    // Opens a window whose CreateControls makes the parts in the order given, as a design does.
    void Open(std::vector<Part> parts) {
        window = std::make_shared<ScriptedWindow>();
        window->onCreateControls = [parts](ScriptedWindow& w) {
            std::int64_t top = 0;
            for (const Part& p : parts) {
                auto control = fw::RuntimeCheckCast<fw::RectControl>(w.New(p.cls));
                control->SetTop(top += 30);
                control->SetWidth(80);
                control->SetHeight(24);
                w.AddControl(p.name, control);
                control->Constructor();
                control->SetTabIndex(p.tabIndex);
                if (p.design) p.design(*control);
            }
        };
        window->Constructor();
    }

    template <class C>
    std::shared_ptr<C> Get(const std::string& name) const {
        return fw::RuntimeCheckCast<C>(window->ControlByName(name));
    }
    std::string Focused() const {
        auto control = fw::testing::FocusedControl(*window);
        return control ? control->Name() : "(none)";
    }
    void Press(Key key) { fw::testing::PressKey(*window, key); }
    // Counts the presses of a button by name.
    void CountPresses(const std::string& button) {
        Get<fw::PushButton>(button)->Action.Attach(
            [this, button](const fw::ObjectRef&) { ++presses[button]; });
    }

    std::shared_ptr<ScriptedWindow> window;
    std::map<std::string, int> presses;
};

const fw::ClassRecord& Field() { return fw::TextField::Lookup(); }
const fw::ClassRecord& Area() { return fw::TextArea::Lookup(); }
const fw::ClassRecord& Button() { return fw::PushButton::Lookup(); }

void WithText(fw::RectControl& c) { static_cast<fw::TextEdit&>(c).SetText("x"); }

TEST_F(KeyboardTest, TabFollowsTabIndexNotCreationOrderAndWrapsRound) {
    // Made in another order than the tab order; the label and the hidden field take no focus.
    Open({{"D", Field(), 3, WithText},
          {"B", Area(), 1, WithText},
          {"Label", fw::Label::Lookup(), 2},
          {"A", Field(), 0, WithText},
          {"Hidden", Field(), 1, [](fw::RectControl& c) { c.SetVisible(false); }},
          {"C", Button(), 2}});
    fw::testing::Focus(*Get<fw::TextField>("A"));
    ASSERT_EQ(Focused(), "A");
    for (const char* next : {"B", "C", "D", "A", "B"}) {
        Press(Key::Tab);
        EXPECT_EQ(Focused(), next);
    }
    for (const char* previous : {"A", "D", "C", "B", "A"}) {
        Press(Key::ShiftTab);
        EXPECT_EQ(Focused(), previous);
    }
    for (const char* name : {"A", "B", "D"}) EXPECT_EQ(Get<fw::TextEdit>(name)->Text(), "x");
    EXPECT_TRUE(presses.empty());
}

TEST_F(KeyboardTest, ATextControlTakesTheTabOnlyWhenItAllowsTabs) {
    struct Case {
        const char* what;
        const fw::ClassRecord& cls;
        bool allowTabs;
    };
    for (const Case& c : {Case{"field", Field(), false}, Case{"field", Field(), true},
                          Case{"area", Area(), false}, Case{"area", Area(), true}}) {
        SCOPED_TRACE(std::string(c.what) + (c.allowTabs ? " allowing tabs" : " without tabs"));
        Open({{"Edit", c.cls, 0}, {"Next", Field(), 1}});
        auto edit = Get<fw::TextEdit>("Edit");
        // Set after the widget exists, as a design record sets it.
        edit->SetAllowTabs(c.allowTabs);
        fw::testing::Focus(*edit);
        Press(Key::Tab);
        if (c.allowTabs) {
            EXPECT_EQ(Focused(), "Edit");
            EXPECT_EQ(edit->Text(), "\t");
        } else {
            EXPECT_EQ(Focused(), "Next");
            EXPECT_EQ(edit->Text(), "");
            Press(Key::ShiftTab);
            EXPECT_EQ(Focused(), "Edit");
        }
        window->Close();
    }
}

// A window with every kind of control that meets Return and Escape.
std::vector<Part> DialogParts() {
    return {{"Field", Field(), 0, WithText},
            {"Area", Area(), 1, WithText},
            {"Line", Area(), 2,
             [](fw::RectControl& c) {
                 WithText(c);
                 static_cast<fw::TextArea&>(c).SetMultiLine(false);
             }},
            {"OK", Button(), 3,
             [](fw::RectControl& c) { static_cast<fw::PushButton&>(c).SetDefault(true); }},
            {"Cancel", Button(), 4,
             [](fw::RectControl& c) { static_cast<fw::PushButton&>(c).SetCancel(true); }},
            {"Other", Button(), 5}};
}

TEST_F(KeyboardTest, ReturnPressesTheDefaultButtonAndEscapeTheCancelButton) {
    struct Case {
        const char* focus;
        Key key;
        const char* pressed;  // or null: none
        const char* areaText;
    };
    const Case cases[] = {
        {"Field", Key::Return, "OK", "x"},
        {"Field", Key::Enter, "OK", "x"},
        {"Line", Key::Return, "OK", "x"},  // a text area that is not multi-line
        {"OK", Key::Return, "OK", "x"},    // the default button itself: still one press
        {"Other", Key::Return, "OK", "x"},
        {"Area", Key::Return, nullptr, "\nx"},  // a multi-line area takes the line break
        {"Field", Key::Escape, "Cancel", "x"},
        {"Area", Key::Escape, "Cancel", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("focus in ") + c.focus + ", key " +
                     std::to_string(static_cast<int>(c.key)));
        Open(DialogParts());
        presses.clear();
        for (const char* button : {"OK", "Cancel", "Other"}) CountPresses(button);
        fw::testing::Focus(*Get<fw::RectControl>(c.focus));
        Press(c.key);
        std::map<std::string, int> expected;
        if (c.pressed) expected[c.pressed] = 1;
        EXPECT_EQ(presses, expected);
        EXPECT_EQ(Get<fw::TextEdit>("Area")->Text(), c.areaText);
        for (const char* name : {"Field", "Line"}) EXPECT_EQ(Get<fw::TextEdit>(name)->Text(), "x");
        window->Close();
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(KeyboardTest, WithoutAButtonToPressReturnAndEscapeDoNothing) {
    const std::function<void(fw::PushButton&)> states[] = {
        [](fw::PushButton&) {},  // neither default nor cancel
        [](fw::PushButton& b) {
            b.SetDefault(true);
            b.SetCancel(true);
            b.SetEnabled(false);
        },
        [](fw::PushButton& b) {
            b.SetDefault(true);
            b.SetCancel(true);
            b.SetVisible(false);
        },
    };
    for (std::size_t i = 0; i < std::size(states); ++i) {
        SCOPED_TRACE("button state " + std::to_string(i));
        Open({{"Field", Field(), 0, WithText}, {"Button", Button(), 1}});
        states[i](*Get<fw::PushButton>("Button"));
        presses.clear();
        CountPresses("Button");
        fw::testing::Focus(*Get<fw::TextField>("Field"));
        for (Key key : {Key::Return, Key::Enter, Key::Escape}) Press(key);
        EXPECT_TRUE(presses.empty());
        EXPECT_EQ(Get<fw::TextField>("Field")->Text(), "x");
        EXPECT_TRUE(window->IsOpen());
        window->Close();
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(KeyboardTest, AnExceptionFromAKeyPressReachesTheDefaultHandler) {
    Open(DialogParts());
    Get<fw::PushButton>("OK")->Action.Attach(
        [](const fw::ObjectRef&) { throw fw::RuntimeException("the press failed"); });
    fw::testing::Focus(*Get<fw::TextField>("Field"));
    Press(Key::Return);
    Press(Key::Return);  // the program goes on: the next press is handled again
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].className, "RuntimeException");
    EXPECT_EQ(Reports()[0].message, "the press failed");
    EXPECT_TRUE(window->IsOpen());
}

}  // namespace
}  // namespace fwtest
