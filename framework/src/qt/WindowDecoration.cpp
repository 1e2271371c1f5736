// The parts of a top-level window that the window system draws: its icon and its title.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include "qt/Native.h"

#if defined(UKISOMI_X11) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#elif defined(Q_OS_WIN)
#include <windows.h>

#include <algorithm>
#include <vector>
#endif

namespace fw::detail {

namespace {

#if defined(Q_OS_WIN)

// The program file's first icon group, the one the desktop shows for the file, at each size it
// holds; Windows picks the deepest image of a size.
QIcon BuiltInIcon() {
    QIcon icon;
    const HMODULE module = GetModuleHandleW(nullptr);
    LPWSTR group = nullptr;
    EnumResourceNamesW(
        module, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            // A group named by text would need its name copied; this program's is a number.
            if (IS_INTRESOURCE(name)) *reinterpret_cast<LPWSTR*>(found) = name;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&group));
    HRSRC resource = group ? FindResourceW(module, group, RT_GROUP_ICON) : nullptr;
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* directory =
        static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD length = resource ? SizeofResource(module, resource) : 0;
    // An icon directory: a 6-byte head whose last word counts the 14-byte entries, each
    // beginning with its width (0 standing for 256).
    constexpr DWORD kHead = 6, kEntry = 14;
    const int count = directory && length >= kHead ? directory[4] | directory[5] << 8 : 0;
    std::vector<int> sizes;
    for (int i = 0; i < count && kHead + (i + 1) * kEntry <= length; ++i) {
        const int size = directory[kHead + i * kEntry] ? directory[kHead + i * kEntry] : 256;
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
    }
    for (const int size : sizes) {
        auto handle = static_cast<HICON>(LoadImageW(module, group, IMAGE_ICON, size, size, 0));
        if (!handle) continue;
        const QImage image = QImage::fromHICON(handle);
        DestroyIcon(handle);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

#else

// The icon images built into the program as Qt resources under :/icons.
QIcon BuiltInIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
        const QImage image(folder.filePath(name));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

#endif

}  // namespace

QIcon ProgramIcon() {
    // Made once: windows open again and again, and the images never change.
    static const QIcon icon = BuiltInIcon();
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
