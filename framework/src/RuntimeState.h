#pragma once

#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fw/Runtime.h"

namespace fw::detail {

// The framework's process-wide state, owned by the GUI thread.
struct RuntimeState {
    bool initialised = false;
    std::thread::id guiThread;
    std::wstring commandLine;
    std::exception_ptr pending;
    ExceptionHelper exceptionHelper = nullptr;
    double frameworkVersion = 0.0;
    bool externalClassesReady = false;
    std::vector<PluginEntry> plugins;
    // The event loop has been entered in this process.
    bool loopRan = false;
    // An exception reached UnhandledException before the loop was entered.
    bool failedBeforeLoop = false;
    int exitCode = 0;
    UnhandledReporter reporter;
};

RuntimeState& State();

}  // namespace fw::detail
