#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "fw/Event.h"
#include "fw/Object.h"

namespace fw {

namespace detail {
struct NativeTimer;
}

// Told of every action of an action source.
class actionNotificationReceiver {
public:
    virtual void PerformAction() = 0;

protected:
    ~actionNotificationReceiver() = default;
};

// A timer. RunMode 0 is off, 1 fires once, 2 fires again every Period milliseconds. It fires
// on the GUI thread, between other events.
class Timer : public Object {
public:
    FW_OBJECT;

    enum RunModes : std::int64_t { Off = 0, Single = 1, Multiple = 2 };

    Timer();
    ~Timer() override;

    std::int64_t RunMode() const { return runMode_; }
    void SetRunMode(std::int64_t mode);
    std::int64_t Period() const { return period_; }
    // Setting the period of a running timer restarts its countdown.
    void SetPeriod(std::int64_t milliseconds);
    // Restarts the countdown.
    void Reset();

    // Handlers receive the timer.
    Event<void(const ObjectRef&)> Action;

    // Raises Action and tells the receivers, as a tick does; an exception goes to the caller.
    void CallAction();

    void addActionNotificationReceiver(const std::shared_ptr<actionNotificationReceiver>& receiver);
    void removeActionNotificationReceiver(
        const std::shared_ptr<actionNotificationReceiver>& receiver);

    // Framework-internal: whether the native timer is counting down.
    bool IsRunning() const;

private:
    void Restart();

    std::unique_ptr<detail::NativeTimer> native_;
    std::int64_t runMode_ = Off, period_ = 1000;
    std::vector<std::weak_ptr<actionNotificationReceiver>> receivers_;
};

}  // namespace fw
