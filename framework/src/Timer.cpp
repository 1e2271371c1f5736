#include "fw/Timer.h"

#include <QTimer>

#include <algorithm>

#include "fw/Runtime.h"
#include "fw/Thread.h"

namespace fw {

namespace detail {
struct NativeTimer {
    QTimer timer;
};
}  // namespace detail

Timer::Timer() : native_(std::make_unique<detail::NativeTimer>()) {
    // The native timer belongs to the thread that makes it and would fire only there.
    RequireUIThread();
    native_->timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&native_->timer, &QTimer::timeout, &native_->timer, [this] {
        auto self = weak_from_this().lock();
        if (!self) return;
        if (runMode_ == Single) runMode_ = Off;
        Deliver([this] { CallAction(); });
    });
}

Timer::~Timer() = default;

void Timer::Restart() {
    QTimer& t = native_->timer;
    if (runMode_ == Off) {
        t.stop();
        return;
    }
    t.setSingleShot(runMode_ == Single);
    // A zero or negative period would spin the event loop; one millisecond is the floor.
    t.start(static_cast<int>(std::clamp<std::int64_t>(period_, 1, 24 * 3600 * 1000)));
}

void Timer::SetRunMode(std::int64_t mode) {
    RequireUIThread();
    runMode_ = mode == Single || mode == Multiple ? mode : Off;
    Restart();
}

void Timer::SetPeriod(std::int64_t milliseconds) {
    RequireUIThread();
    period_ = milliseconds;
    if (runMode_ != Off) Restart();
}

void Timer::Reset() {
    RequireUIThread();
    Restart();
}

bool Timer::IsRunning() const { return native_->timer.isActive(); }

void Timer::CallAction() {
    RequireUIThread();
    auto self = shared_from_this();
    Action.Raise(self);
    for (const auto& weak : std::vector(receivers_))
        if (auto receiver = weak.lock()) receiver->PerformAction();
}

void Timer::addActionNotificationReceiver(
    const std::shared_ptr<actionNotificationReceiver>& receiver) {
    RequireUIThread();
    if (receiver) receivers_.push_back(receiver);
}

void Timer::removeActionNotificationReceiver(
    const std::shared_ptr<actionNotificationReceiver>& receiver) {
    RequireUIThread();
    std::erase_if(receivers_, [&](const auto& weak) {
        auto r = weak.lock();
        return !r || r == receiver;
    });
}

const ClassRecord& Timer::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Timer",
        .super = &Object::Lookup(),
        .factory = [] { return std::make_shared<Timer>(); },
        .members = {{"addActionNotificationReceiver", "receiver As actionNotificationReceiver", {}},
                    {"removeActionNotificationReceiver",
                     "receiver As actionNotificationReceiver",
                     {}},
                    {"Reset", "", {}},
                    {"_CallAction", "", {}}},
        .properties = {BoundProperty<Timer>("RunMode", PropertyType::Integer, &Timer::RunMode,
                                            &Timer::SetRunMode),
                       BoundProperty<Timer>("Period", PropertyType::Integer, &Timer::Period,
                                            &Timer::SetPeriod)},
        .interfaces = {"actionSource"},
    });
    return record;
}
const ClassRecord& Timer::Class() const { return Lookup(); }

}  // namespace fw
