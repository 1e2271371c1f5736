"""Drives the real game binary on an X server, as a player and a screen reader would.

Input goes in as real X events (xdotool, through XTEST), pixels come back from screenshots of
the root window (xwd), and texts are read from the accessibility tree (AT-SPI), never from the
program's insides. Each test script calls run(test) with a function taking a Session.
"""

import argparse
import collections
import ctypes
import os
import re
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import traceback
import zlib

# The game window's layout, in content coordinates (left, top, width, height).
WINDOW_SIZE = (570, 510)
RESULT_SIZE = (388, 100)
FACE_SIZE = (70, 160)
FRAMES = [(21, 69), (132, 67), (241, 67), (355, 69), (457, 67),
          (21, 258), (132, 258), (241, 258), (355, 259), (462, 259)]
FACES = [(31, 75), (142, 73), (251, 74), (365, 75), (467, 73),
         (31, 263), (142, 264), (251, 264), (365, 265), (472, 265)]
START_BUTTON = (457, 10, 69, 22)
LABEL1 = (404, 472, 100, 20)
SCORE_FIELD = (55, 454, 60, 20)
TOTAL_FIELD = (55, 482, 60, 20)
TIME_FIELD = (203, 455, 60, 20)
KAISU_FIELD = (325, 454, 60, 20)
HIGH_SCORE_FIELD = (203, 482, 60, 20)
SHOGO_TEXT = (316, 483, 91, 20)
# The result window's controls, in its own content coordinates.
MESSAGE_LABEL = (20, 14, 348, 52)
OK_BUTTON = (240, 71, 69, 22)

ORANGE = (0xFF, 0x90, 0x29)
# Places on the game window where nothing but its orange background lies.
BACKGROUND_PROBES = [(8, 150), (120, 150), (230, 60), (450, 60), (560, 150), (560, 400),
                     (120, 420), (300, 245), (10, 30)]

TITLES = [(170, "大歌聖"), (160, "歌聖"), (150, "六歌仙"), (140, "三十六歌仙"), (130, "左大臣"),
          (120, "右大臣"), (110, "大納言"), (80, "中納言"), (70, "さきもり"), (40, "さきもり")]


def title_for(total):
    for threshold, title in TITLES:
        if threshold <= total:
            return title
    return "詠み人知らず"


def result_lines(total):
    return ["ゲーム終了です。", "あなたの総得点は%dです。" % total, "あなたの称号は%sです。" % title_for(total)]


def shows_result(total):
    """A predicate on a shown text: the three lines of the result of a game with that total
    (the label shows the CR-separated text as lines)."""
    return lambda text: text is not None and text.splitlines() == result_lines(total)


class Failure(Exception):
    """A check of the test did not hold."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout, what, interval=0.1):
    """Polls until predicate() gives a true value and returns it; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Failure as e:
            last_error = e
        if time.monotonic() >= deadline:
            raise Failure("timed out after %.1f s waiting for %s%s" %
                          (timeout, what, (": %s" % last_error) if last_error else ""))
        time.sleep(interval)


def centre(rect):
    return (rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


def face_rect(slot):
    return FACES[slot] + FACE_SIZE


# ---------------------------------------------------------------------------------------------
# Pictures: screenshots (xwd), PNG files.

class Image:
    """RGB pixels, row-major, three bytes each."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb_bytes = width, height, rgb

    def rgb(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, "pixel %d,%d lies outside the picture" % (x, y))
        i = (y * self.width + x) * 3
        return tuple(self.rgb_bytes[i:i + 3])

    def save_png(self, path):
        raw = bytearray()
        stride = self.width * 3
        for y in range(self.height):
            raw.append(0)
            raw += self.rgb_bytes[y * stride:(y + 1) * stride]

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 6)))
            f.write(chunk(b"IEND", b""))


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


def read_png(path):
    """An Image of an 8-bit RGB or RGBA PNG file (alpha dropped), enough for the card pictures."""
    data = open(path, "rb").read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG file" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    check(depth == 8 and colour in (2, 6) and interlace == 0, "%s: unsupported PNG form %r" % (path, header))
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    out = bytearray()
    prior = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = prior[i]
            c = prior[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + b) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        prior = row
        for x in range(width):
            out += row[x * channels:x * channels + 3]
    return Image(width, height, out)


def near(a, b, tolerance=12):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


# ---------------------------------------------------------------------------------------------
# X: windows, input, closing a window as a window manager does.

def command(*args, timeout=20, check_rc=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    if check_rc and result.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(args[:3]), result.returncode,
                                              result.stderr.decode(errors="replace").strip()))
    return result.stdout.decode(errors="replace")


def xdotool(*args, timeout=60):
    return command("xdotool", *[str(a) for a in args], timeout=timeout)


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
    """{name: value as xprop prints it} of the window's title, class, icon and process
    properties; a property the window lacks is left out."""
    # xprop shows only the start of a long property unless told how much to read.
    out = command("xprop", "-len", "1000000", "-id", str(window),
                  "WM_NAME", "_NET_WM_NAME", "WM_CLASS", "_NET_WM_ICON", "_NET_WM_PID")
    found, name = {}, None
    for line in out.splitlines():
        match = re.match(r"^(\w+)\([\w]+\) = ?(.*)$", line)
        if match:
            name = match.group(1)
            found[name] = match.group(2)
        elif name and line.startswith("\t"):
            found[name] += "\n" + line
    return found


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


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def request_close(window):
    """Asks a window to close as a window manager's close box does (WM_DELETE_WINDOW); the
    Xvfb of the tests has no window manager to do it."""
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


# ---------------------------------------------------------------------------------------------
# The accessibility tree (AT-SPI).

class A11y:
    """Reads the program's widgets through AT-SPI by their place on a window."""

    def __init__(self, pid):
        import pyatspi  # imported here so that a missing binding names itself in the failure
        self.pyatspi = pyatspi
        self.pid = pid
        self.found = {}  # screen position -> the accessible last found there

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:
                continue
        return None

    def extents(self, acc):
        try:
            e = acc.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
            return (e.x, e.y, e.width, e.height)
        except Exception:
            return None

    def top_level(self, geometry):
        """The accessible of the top-level window whose screen geometry is given."""
        app = self.application()
        if app is None:
            return None
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and self.extents(child) == tuple(geometry):
                return child
        return None

    def text_at(self, geometry, rect):
        """The text shown by the widget lying at rect (content coordinates) of the window at
        geometry, or None when no showing widget lies there: a label's name, a field's text."""
        want = (geometry[0] + rect[0], geometry[1] + rect[1])
        acc = self.found.get(want)
        if acc is not None and not self.shows_at(acc, want):
            acc = None
        if acc is None:
            acc = self.find(geometry, want)
        if acc is None:
            return None
        self.found[want] = acc
        return self.shown_text(acc)

    def shows_at(self, acc, position):
        try:
            return acc.getState().contains(self.pyatspi.STATE_SHOWING) and (self.extents(acc) or ())[:2] == position
        except Exception:
            return False

    def shown_text(self, acc):
        try:
            if acc.getRoleName() == "label":
                return acc.name or ""
            t = acc.queryText()
            return t.getText(0, t.characterCount)
        except Exception:
            return None

    def find(self, geometry, position):
        """The showing widget whose top-left corner lies at the screen position."""
        root = self.top_level(geometry)
        check(root is not None, "the accessibility tree has no window at %r" % (geometry,))
        stack = [root]
        while stack:
            acc = stack.pop()
            try:
                if not acc.getState().contains(self.pyatspi.STATE_SHOWING):
                    continue
                role = acc.getRoleName()
            except Exception:
                continue
            if acc is not root and role in ("label", "text") and (self.extents(acc) or ())[:2] == position:
                return acc
            if role not in ("list", "label", "text", "push button"):
                stack.extend(acc.getChildAtIndex(i) for i in range(acc.childCount))
        return None


# ---------------------------------------------------------------------------------------------
# The program under test.

class Game:
    """One run of the binary, started as the play command starts it: no arguments, the
    desktop's environment, picture files found beside the executable."""

    def __init__(self, session, binary, cwd):
        self.session, self.binary = session, binary
        self.stdout_path = os.path.join(session.scratch, "stdout.txt")
        self.stderr_path = os.path.join(session.scratch, "stderr.txt")
        env = dict(os.environ)
        # The test command runs the unit tests offscreen; the game must get the X server of the
        # test, even where a Wayland session would be Qt's first choice.
        for name in ("QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
            env.pop(name, None)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.process = subprocess.Popen([binary], cwd=cwd, env=env,
                                        stdout=open(self.stdout_path, "wb"),
                                        stderr=open(self.stderr_path, "wb"))
        self.pid = self.process.pid
        self.a11y = A11y(self.pid)
        self.window = None
        self.geometry = None

    # -- windows

    def visible_windows(self):
        """Visible top-level windows of the process: {window id: geometry}."""
        out = command("xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.pid), "--name", ".*",
                      check_rc=False)
        windows = {}
        for line in out.split():
            geometry = window_geometry(int(line))
            if geometry:
                windows[int(line)] = geometry
        return windows

    def window_title(self, window):
        return command("xdotool", "getwindowname", str(window), check_rc=False).rstrip("\n")

    def wait_for_game_window(self, timeout=30):
        def found():
            self.check_alive()
            for window, geometry in self.visible_windows().items():
                if self.window_title(window) == "Ukisomi":
                    return window, geometry
            return None

        self.window, self.geometry = wait_until(found, timeout, "the window titled \"Ukisomi\"")
        # The accessibility bridge registers a little after the window maps.
        wait_until(lambda: self.a11y.top_level(self.geometry), 20, "the game window in the accessibility tree")
        return self.window

    def other_windows(self):
        return {w: g for w, g in self.visible_windows().items() if w != self.window}

    def wait_for_result_window(self, timeout=10):
        def found():
            others = self.other_windows()
            return next(iter(others.items())) if len(others) == 1 else None

        return wait_until(found, timeout, "the result window")

    # -- input

    def click_at(self, x, y, geometry=None):
        geometry = geometry or self.geometry
        self.session.log("click at %d,%d of the window at %d,%d" % (x, y, geometry[0], geometry[1]))
        # No --sync: it waits for a motion that never comes when the pointer is already there.
        # The X server keeps the order of the motion and the click anyway. Press and release
        # rather than click, which sleeps 100 ms after each click.
        xdotool("mousemove", geometry[0] + x, geometry[1] + y, "mousedown", "1", "mouseup", "1")

    def click_rect(self, rect, geometry=None):
        self.click_at(*centre(rect), geometry=geometry)

    def press_start(self):
        self.click_rect(START_BUTTON)

    def click_face(self, slot):
        self.click_rect(face_rect(slot))

    def key(self, keys, window=None):
        window = window or self.window
        geometry = window_geometry(window)
        check(geometry is not None, "window %d is not shown" % window)
        # No window manager gives focus here: point at the window and focus it directly.
        xdotool("mousemove", geometry[0] + 5, geometry[1] + geometry[3] - 3)
        xdotool("windowfocus", "--sync", window)
        xdotool("key", "--clearmodifiers", "--delay", "1", keys)

    # -- reading

    def text(self, rect, geometry=None):
        value = self.a11y.text_at(geometry or self.geometry, rect)
        self.session.log("read %r at %d,%d" % (value, rect[0], rect[1]))
        return value

    def number(self, rect, what):
        text = self.text(rect)
        check(text is not None and text.lstrip("-").isdigit(), "%s shows %r, not a whole number" % (what, text))
        return int(text)

    def wait_text(self, rect, expected, what, timeout=5, geometry=None):
        """Waits until the widget at rect shows `expected` (a text, or a predicate of the
        text) and returns the text."""
        accept = expected if callable(expected) else (lambda value: value == expected)
        seen = []

        def matches():
            seen[:] = [self.text(rect, geometry)]
            return accept(seen[0])

        try:
            wait_until(matches, timeout, what)
        except Failure:
            raise Failure("%s: shows %r, expected %s" % (what, seen[0] if seen else None,
                                                          "a match" if callable(expected) else repr(expected)))
        return seen[0]

    def shot(self, label):
        return self.session.shot(label)

    def local(self, image, x, y, geometry=None):
        geometry = geometry or self.geometry
        return image.rgb(geometry[0] + x, geometry[1] + y)

    # -- life

    def check_alive(self):
        code = self.process.poll()
        if code is not None:
            raise Failure("the game ended by itself with exit code %d%s" % (code, self.stderr_tail()))

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the game did not end within %d s" % timeout)

    def stderr_text(self):
        try:
            return open(self.stderr_path, "rb").read().decode(errors="replace")
        except OSError:
            return ""

    def stderr_tail(self):
        text = self.stderr_text().strip()
        return ("; its standard error:\n" + text[-3000:]) if text else ""

    def quit_with_ctrl_q(self):
        """Quits as a player would, and checks the run ended cleanly: exit code 0 and no
        unhandled exception reported."""
        self.key("ctrl+q")
        code = self.wait_exit()
        check(code == 0, "Ctrl+Q ended the run with exit code %d" % code)
        self.check_no_unhandled_exception()

    def check_no_unhandled_exception(self):
        lines = [l for l in self.stderr_text().splitlines() if "unhandled" in l]
        check(not lines, "the game reported unhandled exceptions:\n" + "\n".join(lines[:20]))

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Session:
    """One test: its scratch folder, its screenshots, the games it started."""

    def __init__(self, name, args):
        self.name, self.args = name, args
        self.scratch = tempfile.mkdtemp(prefix="ukisomi-e2e-%s." % name)
        # The latest screenshots: the ones that show how a failure came about.
        self.shots = collections.deque(maxlen=24)
        self.shot_count = 0
        self.games = []
        self.started = time.monotonic()
        self.trace = collections.deque(maxlen=400)

    def log(self, message):
        """Notes a step; a failed run prints the latest steps with their times."""
        self.trace.append("%7.2f s  %s" % (time.monotonic() - self.started, message))

    def start(self, binary=None, cwd=None):
        game = Game(self, binary or self.args.binary, cwd or self.scratch)
        self.games.append(game)
        return game

    def shot(self, label):
        self.shot_count += 1
        path = os.path.join(self.scratch, "shot.xwd")
        command("xwd", "-root", "-silent", "-out", path)
        image = parse_xwd(open(path, "rb").read())
        self.shots.append((self.shot_count, label, image))
        return image

    def copy_program(self, pictures=True, layout="beside"):
        """A copy of the binary (and its pictures) in a scratch folder: "beside" puts the pictures
        next to it, "share" in ../share/ukisomi as an installed tree has them. Returns
        (binary path, picture folder)."""
        root = tempfile.mkdtemp(prefix="program.", dir=self.scratch)
        bin_dir = os.path.join(root, "bin")
        os.makedirs(bin_dir)
        binary = os.path.join(bin_dir, "ukisomi")
        shutil.copy2(self.args.binary, binary)
        folder = bin_dir if layout == "beside" else os.path.join(root, "share", "ukisomi")
        if pictures:
            os.makedirs(folder, exist_ok=True)
            for name in picture_names():
                shutil.copy2(os.path.join(self.args.pictures, name), os.path.join(folder, name))
        return binary, folder

    def save_artifacts(self):
        folder = os.path.join(self.args.artifacts, self.name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder, exist_ok=True)
        for number, label, image in self.shots:
            path = os.path.join(folder, "%03d-%s.png" % (number, label))
            image.save_png(path)
            print("screenshot: %s" % path)
        for i, game in enumerate(self.games, 1):
            for kind, path in (("stdout", game.stdout_path), ("stderr", game.stderr_path)):
                if os.path.exists(path) and os.path.getsize(path):
                    target = os.path.join(folder, "game%d-%s.txt" % (i, kind))
                    shutil.copy2(path, target)
                    print("%s of the game: %s" % (kind, target))

    def close(self):
        for game in self.games:
            game.stop()
        # The read-only cases leave folders without write permission behind.
        for dirpath, dirnames, _ in os.walk(self.scratch):
            for d in dirnames:
                try:
                    os.chmod(os.path.join(dirpath, d), 0o755)
                except OSError:
                    pass
        shutil.rmtree(self.scratch, ignore_errors=True)


def picture_names():
    return ["karuta%d.png" % n for n in range(100)] + ["Green.png"]


def green_reference(pictures):
    """The colour of the empty-slot picture, from the file the game shows."""
    image = read_png(os.path.join(pictures, "Green.png"))
    colour = image.rgb(image.width // 2, image.height // 2)
    check(colour[1] > colour[0] + 30 and colour[1] > colour[2] + 30,
          "Green.png is not green in its middle: %r" % (colour,))
    return colour


def check_board_at_opening(game, image, green, face_points):
    """The board as a game opens it: orange at the background probes, the green picture at
    face_points(slot) of every slot."""
    for x, y in BACKGROUND_PROBES:
        colour = game.local(image, x, y)
        check(near(colour, ORANGE), "the board is not orange at %d,%d: %r" % (x, y, colour))
    for slot in range(10):
        for x, y in face_points(slot):
            colour = game.local(image, x, y)
            check(near(colour, green), "slot %d is not green at %d,%d: %r" % (slot, x, y, colour))


def game_test_arguments(description):
    """The command line of a game test script."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--binary", required=True, help="the built game binary")
    parser.add_argument("--pictures", required=True, help="the folder of the built picture files")
    parser.add_argument("--artifacts", required=True, help="where a failed run keeps its screenshots")
    parser.add_argument("--name", required=True, help="the test's name")
    parser.add_argument("--installed-data", help="the data folder fixed in the program at build time")
    parser.add_argument("case", nargs="?", help="the case to run, for scripts that hold several")
    return parser.parse_args()


def run(test, description, args=None):
    """Runs test(session) as a test script: exit 0 when it passes, 1 with screenshots and the
    program's output kept when it fails, 77 when it cannot run here. A script with a command
    line of its own passes its parsed arguments (with at least name and artifacts)."""
    args = args or game_test_arguments(description)
    if not os.environ.get("DISPLAY"):
        print("no X display: run this under xvfb-run")
        return 2
    session = Session(args.name, args)
    started = time.monotonic()
    try:
        test(session)
        print("PASS %s (%.1f s)" % (args.name, time.monotonic() - started))
        if os.environ.get("UKISOMI_E2E_KEEP"):  # keep the screenshots of a passing run too
            session.save_artifacts()
        return 0
    except Skip as e:
        print("SKIPPED: %s" % e)
        return 77
    except Exception as e:  # any error of the test counts as its failure, with the evidence kept
        if not isinstance(e, Failure):
            traceback.print_exc()
        print("FAIL %s: %s" % (args.name, e))
        print("--- the latest steps ---\n" + "\n".join(list(session.trace)[-80:]))
        try:
            session.shot("at-failure")
        except Exception as shot_error:
            print("(no screenshot at the failure: %s)" % shot_error)
        for i, game in enumerate(session.games, 1):
            tail = game.stderr_text().strip()
            print("--- standard error of game %d ---\n%s" % (i, tail[-4000:] or "(nothing)"))
        session.save_artifacts()
        return 1
    finally:
        session.close()


class Skip(Exception):
    """The test cannot run on this machine (said why)."""
