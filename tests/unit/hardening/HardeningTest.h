#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"

namespace hardening {

// A whole second well inside the range a real clock gives.
inline constexpr double kT0 = 1'700'000'000.0;

// The game window opened fresh for each test, on a clock the test moves (or makes raise) and
// a counting seed source. Exceptions that reach the event dispatch are collected; a test that
// provokes them takes them with TakeUnhandled(), and any left over fail the test.
class HardeningTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The player's actions, through the framework's event path.
    void Press();
    void ClickSlot(std::int64_t slot);
    void Tick();
    void PressOK();

    void Wait(double seconds) { now_ += seconds; }
    void SetNow(double seconds) { now_ = seconds; }
    double Now() const { return now_; }
    // While set, every new Date raises a RuntimeException.
    void SetClockRaises(bool raises) { clockRaises_ = raises; }

    std::int64_t RightSlot() const;
    std::int64_t WrongSlot() const { return (RightSlot() + 1) % 10; }

    std::shared_ptr<game::MessageWindow> ResultWindow() const;
    std::size_t OpenResultWindows() const;

    std::vector<std::string> TakeUnhandled();

    std::shared_ptr<game::KarutaWindow> win;

private:
    double now_ = kT0;
    bool clockRaises_ = false;
    std::uint64_t nextSeed_ = 1;
    std::vector<std::string> unhandled_;
};

}  // namespace hardening
