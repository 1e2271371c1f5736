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

std::optional<std::string> UnopenableDisplay() {
    if (!QtWouldUseX11Only()) return std::nullopt;
    const char* name = std::getenv("DISPLAY");
    if (!name) return "cannot open a display: DISPLAY is not set";
    if (!*name) return "cannot open a display: DISPLAY is empty";
    // The same connection Qt would make, made and dropped again; no window manager is needed.
    xcb_connection_t* connection = xcb_connect(name, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (!failed) return std::nullopt;
    return "cannot open the display \"" + std::string(name) + "\"";
}

#else

std::optional<std::string> UnopenableDisplay() { return std::nullopt; }

#endif

}  // namespace fw::detail
