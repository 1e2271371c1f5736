#include "DisplayCheck.h"

#include <cstdlib>
#include <string_view>

#ifdef UKISOMI_X11
#include <xcb/xcb.h>
#endif

namespace fw::detail {

#ifdef UKISOMI_X11

namespace {

// Mirrors how Qt picks its platform: QT_QPA_PLATFORM when set, else X11 unless the session is
// a Wayland one. A list of fallbacks ("wayland;xcb") is left for Qt to try.
bool QtWouldUseX11Only() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) {
        const std::string_view name(platform);
        return name.find(';') == name.npos && name.substr(0, name.find(':')) == "xcb";
    }
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return !session || std::string_view(session).find("wayland") == std::string_view::npos;
}

}  // namespace

DisplayCheck::DisplayCheck() {
    if (!QtWouldUseX11Only()) return;
    const char* name = std::getenv("DISPLAY");
    if (!name) {
        problem_ = "cannot open a display: DISPLAY is not set";
    } else if (!*name) {
        problem_ = "cannot open a display: DISPLAY is empty";
    } else {
        // The same connection Qt will make; no window manager is needed.
        xcb_connection_t* connection = xcb_connect(name, nullptr);
        connection_ = connection;
        if (xcb_connection_has_error(connection))
            problem_ = "cannot open the display \"" + std::string(name) + "\"";
    }
}

DisplayCheck::~DisplayCheck() {
    if (connection_) xcb_disconnect(static_cast<xcb_connection_t*>(connection_));
}

#else

DisplayCheck::DisplayCheck() = default;
DisplayCheck::~DisplayCheck() = default;

#endif

}  // namespace fw::detail
