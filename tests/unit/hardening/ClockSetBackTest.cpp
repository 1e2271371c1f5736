// The system clock moved during a round: set back before the round's start, back by an hour,
// or forward by days. The prompt clock shows what the clock gives without failing, a click is
// still judged and scored from the round's start (a negative elapsed time scoring as an instant
// answer), and the next round runs as usual.
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "fw/Text.h"
#include "unit/hardening/GameInvariants.h"
#include "unit/hardening/GameSnapshot.h"
#include "unit/hardening/HardeningTest.h"

namespace hardening {
namespace {

struct ClockJump {
    const char* name;
    double secondsFromStart;  // where the clock stands after the jump, from the round's start
    const char* timeShown;    // the time field then
    bool wholePoem;           // the prompt field then shows the whole poem, else nothing
};

void PrintTo(const ClockJump& jump, std::ostream* out) { *out << jump.name; }

class ClockJumpTest : public HardeningTest, public ::testing::WithParamInterface<ClockJump> {};

TEST_P(ClockJumpTest, TheRoundStaysPlayableAndConsistent) {
    const ClockJump& jump = GetParam();
    GameInvariants invariants;
    Press();
    const double start = Now();
    Wait(5.0);
    Tick();
    const std::string poem = (*win->OdaiString)(win->OdaiNum);
    ASSERT_EQ(win->OdaiField()->Text(), fw::Left(poem, 5));

    SetClock(start + jump.secondsFromStart);
    Tick();
    EXPECT_EQ(win->MyTime, jump.secondsFromStart);
    EXPECT_EQ(win->TimeField()->Text(), jump.timeShown);
    EXPECT_EQ(win->OdaiField()->Text(), jump.wholePoem ? poem : "");
    EXPECT_TRUE(win->GameStarted);
    invariants.Check(*win, "after the tick past the jump");

    Wait(0.5);
    ClickSlot(RightSlot());
    const double elapsed = jump.secondsFromStart + 0.5;
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyTime, elapsed);
    EXPECT_EQ(win->OdaiField()->Text(), poem);
    // Elapsed time below zero scores as an instant answer: never more than 20.
    EXPECT_EQ(win->MyPoint, static_cast<std::int64_t>(std::trunc(20.0 - std::max(elapsed, 0.0))));
    EXPECT_LE(win->MyPoint, 20);
    EXPECT_EQ(win->TotalPoint, win->MyPoint);
    EXPECT_EQ(win->HighScore, std::max<std::int64_t>(0, win->MyPoint));
    invariants.Check(*win, "after the click");

    // The next round runs from its own start on the clock as it now stands.
    const std::int64_t total = win->TotalPoint;
    Press();
    EXPECT_EQ(win->StartTime, Now());
    Wait(1.2);
    Tick();
    EXPECT_EQ(win->OdaiField()->Text(), fw::Left((*win->OdaiString)(win->OdaiNum), 1));
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 18);
    EXPECT_EQ(win->TotalPoint, total + 18);
    invariants.Check(*win, "after the next round");
}

INSTANTIATE_TEST_SUITE_P(SetBackOrForward, ClockJumpTest,
                         ::testing::Values(ClockJump{"BackBeforeTheStart", -5.0, "-5", false},
                                           ClockJump{"BackToTheStart", 0.0, "0", false},
                                           ClockJump{"BackAnHour", -3600.0, "-3600", false},
                                           ClockJump{"ForwardTwelveDays", 1.0e6, "1000000", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Set back between two rounds: each round scores from its own start.
TEST_F(HardeningTest, AClockSetBackBetweenRoundsScoresEachRoundFromItsStart) {
    Press();
    Wait(3.0);
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 17);
    SetClock(Now() - 86400.0);
    Press();
    Wait(2.0);
    Tick();
    EXPECT_EQ(win->TimeField()->Text(), "2");
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 18);
    EXPECT_EQ(win->TotalPoint, 35);
    EXPECT_EQ(win->HighScore, 35);
    GameInvariants().Check(*win, "after two rounds");
}

}  // namespace
}  // namespace hardening
