// The timer's tick: the prompt revealed one character per whole second while the clock runs,
// and the time, score and total fields rewritten on every tick.
#include <gtest/gtest.h>

#include "fw/Text.h"
#include "game/PoemData.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::FirstCharacters;
using gametest::GameTest;

using PromptClock = GameTest;

TEST_F(PromptClock, AFreshWindowShowsZerosAndAnEmptyTimeUntilTheFirstTick) {
    EXPECT_EQ(win->ScoreFiled()->Text(), "0");
    EXPECT_EQ(win->TotalScoreField()->Text(), "0");
    EXPECT_EQ(win->KaisuField()->Text(), "0");
    EXPECT_EQ(win->HighScoreField()->Text(), "0");
    EXPECT_EQ(win->TimeField()->Text(), "");
    Wait(1.0);
    Tick();
    EXPECT_EQ(win->TimeField()->Text(), "0");
    EXPECT_EQ(win->ScoreFiled()->Text(), "0");
    EXPECT_EQ(win->TotalScoreField()->Text(), "0");
    EXPECT_EQ(win->OdaiField()->Text(), "");
}

TEST_F(PromptClock, RevealsOneCharacterPerWholeSecond) {
    Press();
    const std::string poem = game::PromptPoems().at(static_cast<std::size_t>(win->OdaiNum));
    const std::int64_t length = fw::Len(poem);
    ASSERT_GE(length, 31);
    struct Case {
        double seconds;
        std::int64_t shown;
    };
    const Case cases[] = {{0.0, 0},
                          {0.999, 0},
                          {1.0, 1},
                          {1.9, 1},
                          {17.5, 17},
                          {30.0, 30},
                          {double(length), length},
                          {length + 0.5, length},
                          {length + 40.0, length}};
    const double start = win->StartTime;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        SetClock(start + c.seconds);
        Tick();
        EXPECT_EQ(win->OdaiField()->Text(), FirstCharacters(poem, c.shown));
        EXPECT_NEAR(win->MyTime, c.seconds, 1e-6);
        EXPECT_DOUBLE_EQ(win->OKtime, start + c.seconds);
        EXPECT_EQ(win->TimeField()->Text(), fw::Str(win->MyTime));
    }
    EXPECT_EQ(win->OdaiField()->Text(), poem) << "nothing is added past the poem's end";
}

// The ideographic space between the phrases takes its turn like any other character.
TEST_F(PromptClock, TheSpaceBetweenThePhrasesTakesItsSecond) {
    Press();
    const std::string poem = (*win->OdaiString)(win->OdaiNum);
    const std::size_t space = poem.find("\u3000");
    ASSERT_NE(space, std::string::npos);
    const std::int64_t upper = fw::Len(poem.substr(0, space));
    Wait(double(upper));
    Tick();
    EXPECT_EQ(win->OdaiField()->Text(), poem.substr(0, space));
    Wait(1.0);
    Tick();
    EXPECT_EQ(win->OdaiField()->Text(), poem.substr(0, space) + "\u3000");
}

// A clock set back during a round makes the count negative: the prompt field shows nothing,
// and the reveal resumes once the clock passes the round start again.
TEST_F(PromptClock, AClockSetBackDuringARoundShowsNothing) {
    Press();
    const std::string poem = (*win->OdaiString)(win->OdaiNum);
    Wait(5.0);
    Tick();
    ASSERT_EQ(win->OdaiField()->Text(), FirstCharacters(poem, 5));
    Wait(-3600.0);
    Tick();
    EXPECT_EQ(win->OdaiField()->Text(), "");
    EXPECT_DOUBLE_EQ(win->MyTime, -3595.0);
    EXPECT_EQ(win->TimeField()->Text(), "-3595");
    Wait(3600.0 + 2.0);
    Tick();
    EXPECT_EQ(win->OdaiField()->Text(), FirstCharacters(poem, 7));
    // A right click on the set-back clock scores as an instant answer, never above 20.
    Wait(-3600.0);
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 20);
}

TEST_F(PromptClock, AStoppedClockRewritesOnlyTheThreeFields) {
    PlayRound(6.0);  // 14 points
    // What the player typed into the fields: the ticks put back the three they own.
    for (auto field : {win->TimeField(), win->ScoreFiled(), win->TotalScoreField(),
                       win->KaisuField(), win->HighScoreField()})
        field->SetText("x");
    Wait(9.0);
    Tick();
    EXPECT_EQ(win->TimeField()->Text(), "6");
    EXPECT_EQ(win->ScoreFiled()->Text(), "14");
    EXPECT_EQ(win->TotalScoreField()->Text(), "14");
    EXPECT_EQ(win->KaisuField()->Text(), "x");
    EXPECT_EQ(win->HighScoreField()->Text(), "x");
    EXPECT_EQ(win->OdaiField()->Text(), (*win->OdaiString)(win->OdaiNum));
    EXPECT_DOUBLE_EQ(win->MyTime, 6.0);
}

}  // namespace
}  // namespace rules
