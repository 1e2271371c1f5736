// The game played from the keyboard, by real key events on the real windows: Tab through the
// game window's controls in their tab order, Return for 開始 and for OK.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fw/Runtime.h"
#include "fw/TextEdit.h"
#include "fw/testing/Player.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::GameTest;

using fw::testing::Key;

class Keyboard : public GameTest {
protected:
    std::string Focused() const {
        auto control = fw::testing::FocusedControl(*win);
        return control ? control->Name() : "(none)";
    }
    void Press(Key key) { fw::testing::PressKey(*win, key); }
    // Every text control's text, by name.
    std::map<std::string, std::string> Texts() const {
        std::map<std::string, std::string> texts;
        for (const auto& control : win->Controls())
            if (auto edit = std::dynamic_pointer_cast<fw::TextEdit>(control))
                texts[edit->Name()] = edit->Text();
        return texts;
    }
};

// The focusable controls of the game window in tab order: the hidden ListBox1 and MyField,
// the labels, separators and canvases take no focus.
const std::vector<std::string> kTabChain = {
    "ScoreFiled", "TotalScoreField", "TimeField", "StartButton", "OdaiField",
    "ListBox2",   "ListBox3",        "ListBox4",  "KaisuField",  "HighScoreField"};

TEST_F(Keyboard, TabVisitsEveryFocusableControlInTabOrderAndWrapsRound) {
    const auto texts = Texts();
    fw::testing::Focus(*win->ScoreFiled());
    for (std::size_t i = 1; i <= kTabChain.size(); ++i) {
        Press(Key::Tab);
        EXPECT_EQ(Focused(), kTabChain[i % kTabChain.size()]) << "Tab number " << i;
    }
    for (std::size_t i = 1; i <= kTabChain.size(); ++i) {
        Press(Key::ShiftTab);
        EXPECT_EQ(Focused(), kTabChain[(kTabChain.size() - i) % kTabChain.size()])
            << "Shift+Tab number " << i;
    }
    EXPECT_EQ(Texts(), texts);
    EXPECT_EQ(win->KaisuField()->Text(), "0");
}

TEST_F(Keyboard, ReturnInAnyControlButThePromptStartsARound) {
    int rounds = 0;
    for (const std::string& name : kTabChain) {
        if (name == "OdaiField") continue;
        auto control = std::dynamic_pointer_cast<fw::RectControl>(win->ControlByName(name));
        ASSERT_TRUE(control) << name;
        fw::testing::Focus(*control);
        Press(Key::Return);
        EXPECT_EQ(win->KaisuField()->Text(), std::to_string(++rounds)) << "Return in " << name;
    }
    EXPECT_EQ(win->ScoreFiled()->Text(), "0");
}

TEST_F(Keyboard, ReturnInThePromptIsALineBreakAndEscapeDoesNothing) {
    fw::testing::Focus(*win->OdaiField());
    Press(Key::Return);
    EXPECT_EQ(win->OdaiField()->Text(), "\n");
    EXPECT_EQ(win->KaisuField()->Text(), "0");
    // The game window has no cancel button.
    fw::testing::Focus(*win->ScoreFiled());
    Press(Key::Escape);
    EXPECT_EQ(win->KaisuField()->Text(), "0");
    EXPECT_TRUE(win->IsOpen());
}

TEST_F(Keyboard, ReturnPlaysAGameToItsEndAndClosesTheResultWindow) {
    fw::testing::Focus(*win->ScoreFiled());
    // Ten rounds left unanswered; the eleventh Return ends the game.
    for (int round = 1; round <= 11; ++round) Press(Key::Return);
    auto result = ResultWindow();
    ASSERT_TRUE(result);
    EXPECT_EQ(win->KaisuField()->Text(), "1");

    // OK is the result window's default button, not its cancel button.
    fw::testing::PressKey(*result, Key::Escape);
    EXPECT_TRUE(result->IsOpen());
    fw::testing::PressKey(*result, Key::Return);
    fw::ProcessEvents();
    EXPECT_FALSE(result->IsOpen());
    EXPECT_EQ(OpenResultWindows(), 0u);
}

TEST_F(Keyboard, AnExceptionFromReturnsPressReachesTheDefaultHandler) {
    SetClockRaises(true);
    fw::testing::Focus(*win->ScoreFiled());
    Press(Key::Return);
    EXPECT_EQ(TakeUnhandled(),
              std::vector<std::string>{"RuntimeException: the clock cannot be read"});
    EXPECT_TRUE(win->IsOpen());
}

}  // namespace
}  // namespace rules
