// The windows the framework holds: every open window, the implicit instance of each window
// class, and the closed windows waiting to be released.
#include "WindowRegistry.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "fw/Thread.h"
#include "fw/Window.h"

namespace fw {

namespace {

struct Registry {
    std::vector<std::shared_ptr<Window>> open;
    std::vector<std::shared_ptr<Window>> closing;
    std::map<std::string, std::weak_ptr<Window>, std::less<>> implicit;
    bool releaseScheduled = false;
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

void ScheduleRelease() {
    Registry& r = Windows();
    if (r.releaseScheduled || !QCoreApplication::instance()) return;
    r.releaseScheduled = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            Registry& reg = Windows();
            reg.releaseScheduled = false;
            auto released = std::move(reg.closing);
            reg.closing.clear();
        },
        Qt::QueuedConnection);
}

}  // namespace

namespace detail {

void HoldOpenWindow(const std::shared_ptr<Window>& window) { Windows().open.push_back(window); }

void ReleaseClosedWindow(const Window& window) {
    Registry& r = Windows();
    auto it = std::find_if(r.open.begin(), r.open.end(),
                           [&](const auto& w) { return w.get() == &window; });
    if (it == r.open.end()) return;
    r.closing.push_back(std::move(*it));
    r.open.erase(it);
    ScheduleRelease();
}

void SetImplicitIfNone(std::string_view className, const std::shared_ptr<Window>& window) {
    auto& slot = Windows().implicit[std::string(className)];
    auto live = slot.lock();
    if (!live || !live->IsOpen()) slot = window;
}

void CloseAllWindows() {
    const auto open = Windows().open;
    for (const auto& w : open) w->Close();
}

}  // namespace detail

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
    RequireUIThread();
    auto& implicit = Windows().implicit;
    auto found = implicit.find(className);
    if (found == implicit.end()) return nullptr;
    auto window = found->second.lock();
    return window && window->IsOpen() ? window : nullptr;
}

std::vector<std::shared_ptr<Window>> OpenWindows() { return Windows().open; }

}  // namespace fw
