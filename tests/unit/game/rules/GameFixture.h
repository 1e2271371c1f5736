#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/Picture.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"

namespace rules {

// A moment well inside the range a real clock gives; whole, so that round-start offsets in
// tenths of a second subtract without surprises.
inline constexpr double kT0 = 1'700'000'000.0;

// The game window opened fresh for each test, on a clock the test moves (or makes raise) and
// a seed source that hands out 1, 2, 3 ... Exceptions that reach the event dispatch are
// collected; a test that provokes them takes them with TakeUnhandled(), and any left over
// fail the test.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The player's actions, through the framework's event path.
    void Press();
    void ClickSlot(std::int64_t slot);
    void Tick();
    void PressOK();
    void Wait(double seconds) { now_ += seconds; }
    void SetClock(double seconds) { now_ = seconds; }
    double Now() const { return now_; }
    // While set, every new Date raises a RuntimeException.
    void SetClockRaises(bool raises) { clockRaises_ = raises; }
    std::vector<std::string> TakeUnhandled() { return std::exchange(unhandled_, {}); }

    // The slot whose card answers the prompt, and one that does not.
    std::int64_t RightSlot() const;
    std::int64_t WrongSlot() const;
    // Press, wait, click the right card: one scored round.
    void PlayRound(double seconds);

    // The result window if one is open.
    std::shared_ptr<game::MessageWindow> ResultWindow() const;
    std::string ResultText() const;
    std::size_t OpenResultWindows() const;

    // Seeds handed out so far; the last one is the newest generator's.
    std::uint64_t SeedsDrawn() const { return nextSeed_ - 1; }
    // What a generator seeded with `seed` draws first from InRange(low, high).
    std::int64_t FirstDraw(std::uint64_t seed, std::int64_t low, std::int64_t high);

    std::shared_ptr<game::KarutaWindow> win;

private:
    void InstallSeedSource();

    double now_ = kT0;
    bool clockRaises_ = false;
    std::uint64_t nextSeed_ = 1;
    std::vector<std::string> unhandled_;
};

// The picture of card number n, through the program's own accessors.
std::shared_ptr<fw::Picture> CardPicture(std::int64_t n);

// The first `count` characters of a poem, counted independently of the framework's Left.
std::string FirstCharacters(const std::string& text, std::int64_t count);

}  // namespace rules
