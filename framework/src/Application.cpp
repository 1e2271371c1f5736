#include "fw/Application.h"

#include <QApplication>

#include "RuntimeState.h"
#include "fw/Menu.h"
#include "fw/Thread.h"
#include "fw/Window.h"

namespace fw {

namespace {
bool supportsHiDPI = false;
std::shared_ptr<Application> registered;
}  // namespace

Application::Application() = default;
Application::~Application() = default;

// Qt 6 always scales for high-DPI screens; the flag records what the program asked for.
void Application::SetSupportsHiDPI(bool supports) { supportsHiDPI = supports; }
bool Application::SupportsHiDPI() { return supportsHiDPI; }

void Application::SetMenuBar(std::shared_ptr<fw::MenuBar> bar) {
    RequireUIThread();
    menuBar_ = std::move(bar);
}

void Application::x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                   std::int64_t nonRelease, std::int64_t stage,
                                   std::string longVersion, std::string shortVersion,
                                   std::string packageInfo) {
    version_ = {major,
                minor,
                bug,
                nonRelease,
                stage,
                std::move(longVersion),
                std::move(shortVersion),
                std::move(packageInfo)};
    if (QCoreApplication::instance())
        QCoreApplication::setApplicationVersion(QString::fromStdString(version_.shortVersion));
}

void Application::SanityCheckWDDM() { driverChecked_ = true; }

void Application::Quit(int exitCode) {
    RequireUIThread();
    detail::State().exitCode = exitCode;
    QCoreApplication::exit(exitCode);
}

void RuntimeRegisterAppObject(const std::shared_ptr<Application>& app) {
    RequireUIThread();
    if (!app) throw NilObjectException("no application object to register");
    registered = app;
}

std::shared_ptr<Application> CurrentApplication() { return registered; }

const ClassRecord& Application::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Application",
        .super = &Object::Lookup(),
        .factory = [] { return std::make_shared<Application>(); },
        .members = {{"AddTrayItem", "", {}},
                    {"DoEvents", "", {}},
                    {"HideTooltip", "", {}},
                    {"NewDocument", "", {}},
                    {"OpenDocument", "", {}},
                    {"RefreshMenuBar", "", {}},
                    {"RemoveTrayItem", "", {}},
                    {"ShowTooltip", "", {}},
                    {"SleepCurrentThread", "", {}},
                    {"Window", "", {}},
                    {"WindowCount", "", {}},
                    {"YieldToNextThread", "", {}},
                    {"_AddMenuHandler", "", {}},
                    {"_AddPollableObject", "", {}},
                    {"_DependencyList", "", {}},
                    {"_DoSingleEvent", "", {}},
                    {"_RemovePollableObject", "", {}},
                    {"_SanityCheckWDDM", "", {}},
                    {"_x_SetVersionData", "", {}}},
        .interfaces = {"_MacOSDistributedNotifications.iNotify"},
    });
    return record;
}
const ClassRecord& Application::Class() const { return Lookup(); }

}  // namespace fw
