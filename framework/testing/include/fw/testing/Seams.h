#pragma once

// What a test holds still or watches in the framework: the clock, the seeds of new random
// generators, the exceptions that reach the event dispatch, and the windows left open.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/Timer.h"

namespace fw::testing {

// While alive, new Dates read the time from here, new Randoms are seeded 1, 2, 3 ..., and an
// exception that reaches the event dispatch is noted here instead of going to the default
// handler. Once destroyed, the framework's own clock, seeds and handler are back.
class Seams {
public:
    explicit Seams(double now);
    ~Seams();
    Seams(const Seams&) = delete;
    Seams& operator=(const Seams&) = delete;

    double Now() const { return now_; }
    void SetClock(double seconds) { now_ = seconds; }
    void Wait(double seconds) { now_ += seconds; }
    // While set, every new Date raises a RuntimeException.
    void SetClockRaises(bool raises) { clockRaises_ = raises; }

    // Seeds handed out so far; the last one is the newest generator's.
    std::uint64_t SeedsDrawn() const { return nextSeed_ - 1; }
    // What a generator seeded with `seed` draws first from InRange(low, high); the seeds
    // handed out go on as before.
    std::int64_t FirstDraw(std::uint64_t seed, std::int64_t low, std::int64_t high);

    // "Class: message" of each exception noted since the last call, in order.
    std::vector<std::string> TakeUnhandled();

private:
    void InstallSeedSource();

    double now_;
    bool clockRaises_ = false;
    std::uint64_t nextSeed_ = 1;
    std::vector<std::string> unhandled_;
};

// Closes every open window and lets the framework release them.
void CloseAllWindows();

// A started single-shot timer that ends the event loop with exit code 99 after 20 s, should
// the test's own way out of the loop fail; turn it off once the loop has returned.
std::shared_ptr<Timer> QuitGuard();

}  // namespace fw::testing
