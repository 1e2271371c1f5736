#pragma once

#include <string_view>

#include "fw/Application.h"

namespace shell {

// The application object: one per run, made and registered at start-up, carrying the version
// data and the menu bar. It handles no event of its own.
class App : public fw::Application {
public:
    FW_OBJECT;

    // Builds the class record (from the initialiser table at start-up).
    static void ctblinit();

    // Nothing to set up: the version data and the menu bar come from start-up.
    void Constructor();

    // The framework's question whether App handles an event: never.
    bool IsEventImplemented(std::string_view event) const override;
};

}  // namespace shell
