#pragma once

#include <functional>

#include "fw/Object.h"

namespace fw {

// A moment in time, taken from the framework's clock when the Date is made.
class Date : public Object {
public:
    FW_OBJECT;

    using Clock = std::function<double()>;

    Date();
    // Seconds since 1970-01-01 00:00 UTC, with fractions of a second.
    double TotalSeconds() const { return totalSeconds_; }

    // Replaces the clock that new Dates read (tests); an empty function restores the system
    // clock.
    static void SetClock(Clock clock);

private:
    double totalSeconds_;
};

}  // namespace fw
