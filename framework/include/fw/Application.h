#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "fw/Object.h"

namespace fw {

class MenuBar;

// The application object; one per run, registered with RuntimeRegisterAppObject.
class Application : public Object {
public:
    FW_OBJECT;

    struct VersionData {
        std::int64_t majorVersion = 0, minorVersion = 0, bugVersion = 0, nonReleaseVersion = 0,
                     stageCode = 0;
        std::string longVersion, shortVersion, packageInfo;
    };

    Application();
    ~Application() override;

    static void SetSupportsHiDPI(bool supports);
    static bool SupportsHiDPI();

    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);

    void x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                          std::int64_t nonRelease, std::int64_t stage, std::string longVersion,
                          std::string shortVersion, std::string packageInfo);
    const VersionData& Version() const { return version_; }

    // The display-driver check. Only Windows has the driver model it checks; elsewhere it
    // notes that it ran and changes nothing.
    void SanityCheckWDDM();
    bool DriverChecked() const { return driverChecked_; }

    // Ends the event loop; RuntimeExit then gives `exitCode`.
    static void Quit(int exitCode = 0);

private:
    std::shared_ptr<fw::MenuBar> menuBar_;
    VersionData version_;
    bool driverChecked_ = false;
};

// Registers the application object; the framework holds it for the rest of the run.
void RuntimeRegisterAppObject(const std::shared_ptr<Application>& app);
// The registered application object, or nothing.
std::shared_ptr<Application> CurrentApplication();

}  // namespace fw
