"""X windows and pixels: the X tools run as commands, the shown windows and their geometry and
properties, screenshots of the root window (xwd) read into pictures, and closing a window as a
window manager's close box does (the tests' Xvfb has no window manager)."""

import ctypes
import re
import struct
import subprocess

from .checks import Failure, check
from .pictures import Image


def command(*args, timeout=20, check_rc=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    if check_rc and result.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(args[:3]), result.returncode,
                                              result.stderr.decode(errors="replace").strip()))
    return result.stdout.decode(errors="replace")


def xdotool(*args, timeout=60):
    return command("xdotool", *[str(a) for a in args], timeout=timeout)


def shown_windows(*criteria):
    """The shown windows that `xdotool search --onlyvisible CRITERIA...` finds:
    {window id: geometry}."""
    out = command("xdotool", "search", "--onlyvisible", *criteria, check_rc=False)
    windows = {}
    for window in map(int, out.split()):
        geometry = window_geometry(window)
        if geometry:
            windows[window] = geometry
    return windows


def window_geometry(window):
    """(left, top, width, height) of a window's content on the screen, or None when it is gone."""
    out = command("xwininfo", "-id", str(window), check_rc=False)
    values = {}
    for line in out.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    try:
        if values.get("Map State") != "IsViewable":
            return None
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))
    except (KeyError, ValueError):
        return None


def window_properties(window):
    """{name: value as xprop prints it} of the window's title, class and process properties; a
    property the window lacks is left out. Its icon: window_icons()."""
    out = command("xprop", "-id", str(window), "WM_NAME", "_NET_WM_NAME", "WM_CLASS", "_NET_WM_PID")
    found, name = {}, None
    for line in out.splitlines():
        match = re.match(r"^(\w+)\([\w]+\) = ?(.*)$", line)
        if match:
            name = match.group(1)
            found[name] = match.group(2)
        elif name and line.startswith("\t"):
            found[name] += "\n" + line
    return found


def window_icons(window):
    """{(width, height): pixels} of the window's _NET_WM_ICON, each pixel an 0xAARRGGBB value,
    row by row; empty when the window has no icon."""
    # xprop shows only the start of a long property unless told how much to read.
    out = command("xprop", "-len", "100000000", "-id", str(window), "-notype",
                  "-f", "_NET_WM_ICON", "32c", "=$0+", "_NET_WM_ICON")
    values = out.partition("=")[2].replace("\n", "").split(",")
    if not out.startswith("_NET_WM_ICON=") or not values[0].strip().isdigit():
        return {}
    values = [int(v) for v in values]
    icons, at = {}, 0
    while at + 2 <= len(values):
        width, height = values[at], values[at + 1]
        icons[(width, height)] = values[at + 2:at + 2 + width * height]
        at += 2 + width * height
    return icons


def text_value(value):
    """The text of a string property: xprop prints an empty one as nothing or as ""."""
    value = value.strip()
    return value[1:-1] if len(value) >= 2 and value[0] == value[-1] == '"' else value


def check_title(props, title, what):
    """Both title properties of a window, from window_properties(), hold the title."""
    for name in ("WM_NAME", "_NET_WM_NAME"):
        check(name in props, "the %s has no %s" % (what, name))
        check(text_value(props[name]) == title,
              "the %s's %s is %r, not %r" % (what, name, text_value(props[name]), title))


def screenshot(path):
    """An Image of the whole screen, dumped by xwd into path."""
    command("xwd", "-root", "-silent", "-out", path)
    with open(path, "rb") as f:
        return parse_xwd(f.read())


def parse_xwd(data):
    """An Image of an XWD dump of a TrueColor window (what xwd writes for a 24-bit screen)."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    ncolors = fields[19]
    # A screen of one visual gives 32 bits a pixel; with windows of several visuals on it, xwd
    # packs three bytes a pixel into the same line length.
    check(bits_per_pixel in (24, 32), "xwd: %d bits per pixel: not a true-colour dump" % bits_per_pixel)
    step = bits_per_pixel // 8
    offset = header_size + ncolors * 12
    check(len(data) >= offset + height * bytes_per_line, "xwd: the dump is cut short")
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    order = "<" if byte_order == 0 else ">"
    # Where each of red, green and blue sits inside a 4-byte pixel.
    positions = []
    for mask, shift in zip(masks, shifts):
        check(mask >> shift == 0xFF, "xwd: channel mask %#x is not 8 bits" % mask)
        byte = shift // 8
        positions.append(byte if order == "<" else step - 1 - byte)
    rgb = bytearray(width * height * 3)
    for y in range(height):
        row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        for c, pos in enumerate(positions):
            rgb[y * width * 3 + c: (y + 1) * width * 3: 3] = row[pos::step]
    return Image(width, height, rgb)


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def request_close(window):
    """Asks a window to close as a window manager's close box does (WM_DELETE_WINDOW)."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    check(display, "cannot open the X display")
    try:
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)
