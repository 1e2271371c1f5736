#include "fw/testing/Seams.h"

#include <utility>

#include "fw/Application.h"
#include "fw/Date.h"
#include "fw/Exceptions.h"
#include "fw/Random.h"
#include "fw/Runtime.h"
#include "fw/Window.h"

namespace fw::testing {

Seams::Seams(double now) : now_(now) {
    Date::SetClock([this] {
        if (clockRaises_) throw RuntimeException("the clock cannot be read");
        return now_;
    });
    InstallSeedSource();
    SetUnhandledExceptionReporter([this](const std::string& className, const std::string& message) {
        unhandled_.push_back(className + ": " + message);
    });
}

Seams::~Seams() {
    SetUnhandledExceptionReporter({});
    Random::SetSeedSource({});
    Date::SetClock({});
}

void Seams::InstallSeedSource() {
    Random::SetSeedSource([this] { return nextSeed_++; });
}

std::int64_t Seams::FirstDraw(std::uint64_t seed, std::int64_t low, std::int64_t high) {
    Random::SetSeedSource([seed] { return seed; });
    const std::int64_t drawn = Random().InRange(low, high);
    InstallSeedSource();
    return drawn;
}

std::vector<std::string> Seams::TakeUnhandled() { return std::exchange(unhandled_, {}); }

void CloseAllWindows() {
    for (const auto& window : OpenWindows()) window->Close();
    ProcessEvents();
}

std::shared_ptr<Timer> QuitGuard() {
    auto guard = std::make_shared<Timer>();
    guard->Action.Attach([](const ObjectRef&) { Application::Quit(99); });
    guard->SetPeriod(20000);
    guard->SetRunMode(Timer::Single);
    return guard;
}

}  // namespace fw::testing
