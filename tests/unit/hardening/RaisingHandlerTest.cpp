// A handler that raises: the exception goes to the default handler and no further, the steps
// before it stay done and the rest undone, the state keeps every rule, and the next event of
// the loop works.
#include <chrono>
#include <exception>
#include <ostream>
#include <stdexcept>
#include <thread>

#include "fw/Exceptions.h"
#include "fw/Runtime.h"
#include "unit/hardening/GameInvariants.h"
#include "unit/hardening/GameSnapshot.h"
#include "unit/hardening/HardeningTest.h"

namespace hardening {
namespace {

enum class Action { Press, Click, Tick };

const char* NameOf(Action action) {
    switch (action) {
        case Action::Press:
            return "Press";
        case Action::Click:
            return "Click";
        case Action::Tick:
            return "Tick";
    }
    return "?";
}

void PrintTo(Action action, std::ostream* out) { *out << NameOf(action); }

class RaisingClockTest : public HardeningTest, public ::testing::WithParamInterface<Action> {
protected:
    void Act(std::int64_t slot) {
        switch (GetParam()) {
            case Action::Press:
                Press();
                break;
            case Action::Click:
                ClickSlot(slot);
                break;
            case Action::Tick:
                Tick();
                break;
        }
    }
};

// Each handler reads the clock early: a press after making its generator, a click after
// judging the card, a tick first of all. A clock that raises there stops the handler.
TEST_P(RaisingClockTest, StopsTheHandlerAtTheClockAndTheNextEventWorks) {
    GameInvariants invariants;
    Press();
    Wait(2.5);
    Tick();
    Wait(1.0);
    const std::int64_t slot = RightSlot();
    const GameSnapshot before = GameSnapshot::Of(*win);
    ASSERT_TRUE(invariants.Check(*win, before, "before"));

    SetClockRaises(true);
    Act(slot);
    SetClockRaises(false);

    const auto reported = TakeUnhandled();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "RuntimeException: the clock cannot be read");
    GameSnapshot expected = before;
    if (GetParam() == Action::Click) expected.Seikai = true;  // judged before the clock is read
    EXPECT_EQ(GameSnapshot::Of(*win), expected);
    invariants.Check(*win, "after the raising clock");

    // The loop goes on: the same action now runs whole.
    Act(slot);
    EXPECT_TRUE(TakeUnhandled().empty());
    const GameSnapshot after = GameSnapshot::Of(*win);
    switch (GetParam()) {
        case Action::Press:
            EXPECT_EQ(after.Kaisu, 2);
            EXPECT_EQ(after.StartTime, Now());
            break;
        case Action::Click:
            EXPECT_EQ(after.label1Text, "正解");
            EXPECT_EQ(after.MyPoint, 16);  // 3.5 s after the round start
            EXPECT_FALSE(after.games);
            break;
        case Action::Tick:
            EXPECT_EQ(after.MyTime, 3.5);
            EXPECT_EQ(after.timeText, "3.5");
            break;
    }
    invariants.Check(*win, "after the clock came back");
}

INSTANTIATE_TEST_SUITE_P(EveryHandlerThatReadsTheClock, RaisingClockTest,
                         ::testing::Values(Action::Press, Action::Click, Action::Tick),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

// The game's handler comes first on each event; a handler attached after it that raises
// leaves the game's work whole, and the exception, of whatever kind, goes no further.
TEST_F(HardeningTest, AFurtherHandlerThatRaisesLeavesTheGamesWorkWhole) {
    GameInvariants invariants;
    win->StartButton()->Action.Attach(
        [](const fw::ObjectRef&) { throw std::runtime_error("not a framework error"); });
    win->FudaCanvas(4)->MouseDown.Attach(
        [](const fw::ObjectRef&, std::int64_t, std::int64_t) -> bool {
            throw fw::NilObjectException("a further handler found nothing");
        });

    Press();
    EXPECT_EQ(TakeUnhandled(), std::vector<std::string>{"exception: not a framework error"});
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_TRUE(win->GameStarted);
    invariants.Check(*win, "after the press");

    Wait(1.0);
    const bool right = RightSlot() == 4;
    ClickSlot(4);
    EXPECT_EQ(TakeUnhandled(),
              std::vector<std::string>{"NilObjectException: a further handler found nothing"});
    EXPECT_EQ(win->Label1()->Text(), right ? "正解" : "ハズレ");
    EXPECT_EQ(win->TotalPoint, right ? 19 : 0);
    EXPECT_FALSE(win->GameStarted);
    invariants.Check(*win, "after the click");

    ClickSlot(RightSlot());
    EXPECT_EQ(TakeUnhandled().size(), right ? 1u : 0u);
    EXPECT_EQ(win->TotalPoint, 19);
    invariants.Check(*win, "after the right click");
}

// The real event loop: a raising handler on the game's timer, ticking every 20 ms. Each tick
// reports once, the game's own tick work still happens, and the loop keeps delivering.
TEST_F(HardeningTest, TheEventLoopGoesOnPastATimerHandlerThatRaises) {
    int ticks = 0;
    auto timer = win->MyTimer();
    timer->Action.Attach([&ticks](const fw::ObjectRef&) {
        ++ticks;
        throw fw::OutOfBoundsException("a further timer handler");
    });
    timer->SetPeriod(20);
    win->ScoreFiled()->SetText("typed");
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < until && ticks < 5) {
        fw::ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GE(ticks, 3) << "the timer stopped firing after its handler raised";
    const auto reported = TakeUnhandled();
    EXPECT_EQ(reported.size(), static_cast<std::size_t>(ticks));
    for (const auto& r : reported) EXPECT_EQ(r, "OutOfBoundsException: a further timer handler");
    EXPECT_EQ(win->ScoreFiled()->Text(), "0") << "the game's own tick did not run";

    timer->SetPeriod(1000);
    Press();
    EXPECT_EQ(win->Kaisu, 1);
    TakeUnhandled();
}

// Game code called off the GUI thread raises before it changes anything.
TEST_F(HardeningTest, AHandlerRunOffTheGuiThreadChangesNothing) {
    Press();
    Wait(1.0);
    const GameSnapshot before = GameSnapshot::Of(*win);
    std::exception_ptr raised;
    std::thread other([&] {
        try {
            win->StartButton_Action(win->StartButton());
        } catch (...) {
            raised = std::current_exception();
        }
    });
    other.join();
    ASSERT_TRUE(raised);
    EXPECT_THROW(std::rethrow_exception(raised), fw::ThreadAccessingUIException);
    EXPECT_EQ(GameSnapshot::Of(*win), before);
    GameInvariants().Check(*win, "after the call from another thread");
}

}  // namespace
}  // namespace hardening
