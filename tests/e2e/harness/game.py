"""One run of the program under test, given its command, its environment and how to find its
windows: the Linux binary, the packaged one, or the Windows program through Wine. It finds the
program's windows on the X server, sends input as X events, reads texts from the
accessibility tree and pixels from screenshots, and awaits or forces the program's end."""

import os
import re
import signal
import subprocess

from . import board, xwindows
from .a11y import A11y
from .checks import Failure, check, wait_until


def desktop_environment():
    """The environment of a program started from the desktop, on the tests' X server."""
    env = dict(os.environ)
    # The test command runs the unit tests offscreen; the game must get the X server of the
    # test, even where a Wayland session would be Qt's first choice.
    for name in ("QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
        env.pop(name, None)
    env["QT_QPA_PLATFORM"] = "xcb"
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    return env


def owner_of_window_titled(title):
    """For a program started through a launcher (Wine's): a function giving the process that
    owns the shown window of that title (its _NET_WM_PID), or None while there is none."""
    def owner():
        for window in xwindows.shown_windows("--name", "^%s$" % re.escape(title)):
            pid = xwindows.window_properties(window).get("_NET_WM_PID", "")
            check(pid.isdigit(), "the window titled %r has no _NET_WM_PID (%r)" % (title, pid))
            return int(pid)
        return None

    return owner


class Game:
    """One run of the program. Its windows are the shown top-level windows of one process: the
    process started, or the one that window_owner() names once it returns a pid. The game
    window is the first of them to show; the others are result windows. Without an
    accessibility tree (accessible=False), everything is read from pixels and X properties."""

    def __init__(self, session, command, cwd, env, window_owner=None, accessible=True):
        self.session, self.command = session, command
        self.stdout_path = os.path.join(session.scratch, "stdout-%d.txt" % len(session.games))
        self.stderr_path = os.path.join(session.scratch, "stderr-%d.txt" % len(session.games))
        # A process group of its own: what the program starts (Wine's processes, which leave
        # the launcher's tree) ends with it in stop().
        self.process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                        stdout=open(self.stdout_path, "wb"),
                                        stderr=open(self.stderr_path, "wb"),
                                        start_new_session=True)
        self.pid = self.process.pid
        self.window_owner = window_owner
        self.window_pid = None if window_owner else self.pid
        self.a11y = A11y(self.pid) if accessible else None
        self.window = None
        self.geometry = None

    # -- windows

    def visible_windows(self):
        """The program's shown top-level windows: {window id: geometry}."""
        if self.window_pid is None:
            return {}
        return xwindows.shown_windows("--pid", str(self.window_pid))

    def wait_for_game_window(self, timeout=30):
        def found():
            self.check_alive()
            if self.window_pid is None:
                self.window_pid = self.window_owner()
            windows = self.visible_windows()
            return next(iter(windows.items())) if len(windows) == 1 else None

        self.window, self.geometry = wait_until(found, timeout, "the game window")
        self.session.log("game window %d at %r, process %d" % (self.window, self.geometry, self.window_pid))
        if self.a11y:
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
        xwindows.xdotool("mousemove", geometry[0] + x, geometry[1] + y, "mousedown", "1", "mouseup", "1")

    def click_rect(self, rect, geometry=None):
        self.click_at(*board.centre(rect), geometry=geometry)

    def press_start(self):
        self.click_rect(board.START_BUTTON)

    def click_face(self, slot):
        self.click_rect(board.face_rect(slot))

    def key(self, keys, window=None):
        window = window or self.window
        geometry = xwindows.window_geometry(window)
        check(geometry is not None, "window %d is not shown" % window)
        # No window manager gives focus here: point at the window and focus it directly.
        xwindows.xdotool("mousemove", geometry[0] + 5, geometry[1] + geometry[3] - 3)
        xwindows.xdotool("windowfocus", "--sync", window)
        xwindows.xdotool("key", "--clearmodifiers", "--delay", "1", keys)

    # -- reading

    def text(self, rect, geometry=None):
        check(self.a11y is not None, "this program has no accessibility tree to read texts from")
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

    def quit_with_ctrl_q(self, timeout=15):
        """Quits as a player would, and checks the run ended cleanly: exit code 0 and no
        unhandled exception reported."""
        self.key("ctrl+q")
        code = self.wait_exit(timeout)
        check(code == 0, "Ctrl+Q ended the run with exit code %d%s" % (code, self.stderr_tail()))
        self.check_no_unhandled_exception()

    def check_no_unhandled_exception(self):
        lines = [l for l in self.stderr_text().splitlines() if "unhandled" in l]
        check(not lines, "the game reported unhandled exceptions:\n" + "\n".join(lines[:20]))

    def stop(self):
        """Ends the program's process group if it still runs: politely, then by force."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            if self.process.poll() is not None:
                return
            try:
                os.killpg(self.pid, sig)
                self.process.wait(timeout=5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass
