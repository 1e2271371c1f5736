// Timers: run modes and periods on a real event loop, ticks as the loop delivers them, and a
// handler's exception that leaves the loop running.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

#include "fw/Application.h"
#include "fw/Runtime.h"
#include "fw/Timer.h"
#include "fw/testing/Player.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

// Runs the framework's event loop for about `milliseconds`.
void RunLoopFor(int milliseconds) {
    QTimer::singleShot(milliseconds, [] { fw::Application::Quit(0); });
    fw::RuntimeRun();
}

class TimerTest : public FrameworkTest {};

TEST_F(TimerTest, RunModeTwoFiresAgainAndAgainEveryPeriod) {
    auto timer = std::make_shared<fw::Timer>();
    QElapsedTimer clock;
    std::vector<qint64> at;
    timer->Action.Attach([&](const fw::ObjectRef& sender) {
        EXPECT_EQ(sender, timer);
        at.push_back(clock.elapsed());
    });
    timer->SetPeriod(40);
    clock.start();
    timer->SetRunMode(2);
    RunLoopFor(400);
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(timer->RunMode(), 2);
    EXPECT_EQ(timer->Period(), 40);
    EXPECT_TRUE(timer->IsRunning());
    timer->SetRunMode(0);

    ASSERT_GE(at.size(), 3u) << "in " << elapsed << " ms";
    // Never faster than its period (a late tick may shorten the next gap, not add ticks).
    EXPECT_LE(static_cast<qint64>(at.size()), elapsed / 36 + 1);
    EXPECT_GE(at.front(), 36);
}

TEST_F(TimerTest, RunModeOneFiresOnceAndZeroNever) {
    auto once = std::make_shared<fw::Timer>();
    auto off = std::make_shared<fw::Timer>();
    int onceTicks = 0, offTicks = 0;
    once->Action.Attach([&](const fw::ObjectRef&) { ++onceTicks; });
    off->Action.Attach([&](const fw::ObjectRef&) { ++offTicks; });
    once->SetPeriod(10);
    once->SetRunMode(1);
    off->SetPeriod(10);
    off->SetRunMode(2);
    off->SetRunMode(0);
    RunLoopFor(150);
    EXPECT_EQ(onceTicks, 1);
    EXPECT_EQ(once->RunMode(), 0);
    EXPECT_EQ(offTicks, 0);
    EXPECT_FALSE(off->IsRunning());
    off->SetRunMode(7);  // not a run mode: off
    EXPECT_EQ(off->RunMode(), 0);
}

// The prompt clock sets the period it already has on every tick; the timer must keep ticking.
TEST_F(TimerTest, SettingThePeriodOnEveryTickKeepsItTicking) {
    auto timer = std::make_shared<fw::Timer>();
    int ticks = 0;
    timer->Action.Attach([&](const fw::ObjectRef& sender) {
        ++ticks;
        fw::RuntimeCheckCast<fw::Timer>(sender)->SetPeriod(30);
    });
    timer->SetPeriod(30);
    timer->SetRunMode(2);
    RunLoopFor(300);
    timer->SetRunMode(0);
    EXPECT_GE(ticks, 3);
}

TEST_F(TimerTest, ThrowingHandlerLeavesTheEventLoopRunning) {
    auto timer = std::make_shared<fw::Timer>();
    int ticks = 0;
    timer->Action.Attach([&](const fw::ObjectRef&) {
        ++ticks;
        throw fw::NilObjectException("tick " + std::to_string(ticks));
    });
    bool later = false;
    QTimer::singleShot(200, [&] { later = true; });
    timer->SetPeriod(20);
    timer->SetRunMode(2);
    RunLoopFor(300);
    EXPECT_TRUE(timer->IsRunning());
    timer->SetRunMode(0);

    EXPECT_TRUE(later) << "the loop stopped running events";
    ASSERT_GE(ticks, 3);
    ASSERT_EQ(Reports().size(), static_cast<std::size_t>(ticks));
    EXPECT_EQ(Reports()[0].className, "NilObjectException");
    EXPECT_EQ(Reports()[0].message, "tick 1");
    EXPECT_EQ(Reports()[2].message, "tick 3");
}

TEST_F(TimerTest, TickIsDeliveredAsTheLoopDeliversIt) {
    int ticks = 0;
    auto shared = std::make_shared<fw::Timer>();
    shared->Action.Attach([&](const fw::ObjectRef&) {
        if (++ticks == 1) throw fw::OutOfBoundsException("slot 10");
    });
    fw::testing::Tick(*shared);
    fw::testing::Tick(*shared);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].className, "OutOfBoundsException");
    EXPECT_EQ(Reports()[0].message, "slot 10");
    // Called directly, the exception goes to the caller.
    ticks = 0;
    EXPECT_THROW(shared->CallAction(), fw::OutOfBoundsException);
}

class Receiver : public fw::actionNotificationReceiver {
public:
    int actions = 0;
    void PerformAction() override { ++actions; }
};

TEST_F(TimerTest, ReceiversAreToldOfEachAction) {
    auto timer = std::make_shared<fw::Timer>();
    auto kept = std::make_shared<Receiver>();
    auto removed = std::make_shared<Receiver>();
    auto dropped = std::make_shared<Receiver>();
    timer->addActionNotificationReceiver(kept);
    timer->addActionNotificationReceiver(removed);
    timer->addActionNotificationReceiver(dropped);
    timer->removeActionNotificationReceiver(removed);
    dropped.reset();  // held weakly: a receiver that dies is skipped
    fw::testing::Tick(*timer);
    fw::testing::Tick(*timer);
    EXPECT_EQ(kept->actions, 2);
    EXPECT_EQ(removed->actions, 0);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(TimerTest, DestroyedRunningTimerFiresNoMore) {
    int ticks = 0;
    {
        auto timer = std::make_shared<fw::Timer>();
        timer->Action.Attach([&](const fw::ObjectRef&) { ++ticks; });
        timer->SetPeriod(5);
        timer->SetRunMode(2);
    }
    RunLoopFor(60);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace fwtest
