// The parts of a top-level window that the window system draws: its icon and its title.
#include <QGuiApplication>

#include <string>
#include <vector>

#include "fw/Picture.h"
#include "qt/Native.h"

#if defined(UKISOMI_X11) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace fw::detail {

QIcon ProgramIcon() {
    // Read once for the folders in use: windows open again and again, their files stay.
    static std::vector<std::string> readFrom;
    static QIcon icon;
    static bool read = false;
    const std::vector<std::string> folders = Picture::AppFolders();
    if (read && folders == readFrom) return icon;
    icon = QIcon();
    for (const int size : {16, 32, 48, 256}) {
        const std::string name = std::string(kProgramName) + "-" + std::to_string(size) + ".png";
        for (const std::string& folder : folders)
            if (auto picture = Picture::Open(folder + "/" + name)) {
                icon.addPixmap(QPixmap::fromImage(picture->Data().image));
                break;
            }
    }
    readFrom = folders;
    read = true;
    return icon;
}

#if defined(UKISOMI_X11) && QT_CONFIG(xcb)

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

}  // namespace

void ClearNativeTitle(QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const WId id = window.internalWinId();
    if (!x11 || !id) return;
    // Qt writes the empty title into WM_NAME but the application's name into _NET_WM_NAME,
    // which window managers prefer.
    xcb_connection_t* connection = x11->connection();
    static xcb_connection_t* known = nullptr;
    static xcb_atom_t netWmName = XCB_ATOM_NONE, utf8 = XCB_ATOM_NONE;
    if (known != connection) {
        known = connection;
        netWmName = Atom(connection, "_NET_WM_NAME");
        utf8 = Atom(connection, "UTF8_STRING");
    }
    if (netWmName == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(id), netWmName,
                        utf8, 8, 0, nullptr);
    xcb_flush(connection);
}

#elif defined(Q_OS_WIN)

void ClearNativeTitle(QWidget& window) {
    if (const WId id = window.internalWinId()) SetWindowTextW(reinterpret_cast<HWND>(id), L"");
}

#else

void ClearNativeTitle(QWidget&) {}

#endif

}  // namespace fw::detail
