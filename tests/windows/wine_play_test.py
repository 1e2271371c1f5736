"""The Windows program played under Wine, from the folder its zip was freshly unpacked into, as
a player unpacks it: the window titled "Ukisomi" with a 570 x 510 client area, the board at
opening, a deal of ten cards, eleven presses of 開始 that open the result window with an empty
title, its OK button, and Ctrl+Q ending the run with exit code 0.

Wine programs have no accessibility tree here: everything is read from pixels and X window
properties. The X server is the caller's (DISPLAY): Wine's desktop process stays tied to the
display it started on, so one server serves every Wine test of a run.
"""

import argparse
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h
from harness import check

PROGRAM = "Ukisomi.exe"
# How long the program may take to show its window: a fresh prefix is made first (~10 s).
WINDOW_TIMEOUT = 120
# A bound of wine-run's own, above every step's: a step that hangs fails by its own message.
WINE_TIMEOUT = 240


class WineGame(h.Game):
    """One run of the Windows program through wine-run, from the unpacked folder. The process
    started is wine-run's timeout; the Windows program's own process is found by its window
    (_NET_WM_PID), which its result window shares."""

    def __init__(self, session, wine_run, prefix, folder):
        self.session, self.binary = session, os.path.join(folder, PROGRAM)
        self.stdout_path = os.path.join(session.scratch, "stdout.txt")
        self.stderr_path = os.path.join(session.scratch, "stderr.txt")
        env = dict(os.environ, UKISOMI_WINEPREFIX=prefix)
        env.setdefault("UKISOMI_WINE_TIMEOUT", str(WINE_TIMEOUT))
        # A process group of its own: the Windows program's process leaves wine-run's tree
        # (init adopts it) but stays in the group, through which a failed run ends it.
        self.process = subprocess.Popen([wine_run, PROGRAM], cwd=folder, env=env,
                                        stdin=subprocess.DEVNULL,
                                        stdout=open(self.stdout_path, "wb"),
                                        stderr=open(self.stderr_path, "wb"),
                                        start_new_session=True)
        self.pid = self.process.pid
        self.window = self.geometry = self.wine_pid = None

    def wait_for_game_window(self, timeout=WINDOW_TIMEOUT):
        def found():
            self.check_alive()
            out = h.command("xdotool", "search", "--onlyvisible", "--name", "^Ukisomi$",
                            check_rc=False)
            for window in map(int, out.split()):
                geometry = h.window_geometry(window)
                if geometry and self.window_title(window) == "Ukisomi":
                    return window, geometry
            return None

        self.window, self.geometry = h.wait_until(found, timeout, 'the window titled "Ukisomi"')
        pid = h.window_properties(self.window).get("_NET_WM_PID", "")
        check(pid.isdigit(), "the game window has no _NET_WM_PID (%r)" % pid)
        self.wine_pid = int(pid)
        return self.window

    def other_windows(self):
        """The program's other shown windows: {window id: geometry}."""
        out = h.command("xdotool", "search", "--onlyvisible", "--pid", str(self.wine_pid),
                        check_rc=False)
        windows = {}
        for window in map(int, out.split()):
            geometry = h.window_geometry(window)
            if window != self.window and geometry:
                windows[window] = geometry
        return windows

    def stop(self):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            if self.process.poll() is not None:
                return
            try:
                os.killpg(self.process.pid, sig)
                self.process.wait(timeout=5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass


# ---------------------------------------------------------------------------------------------
# The board, by its pixels.

def face_samples(slot):
    """A grid of points over a face, inside its edge."""
    left, top, width, height = h.face_rect(slot)
    return [(left + 4 + i * (width - 8) // 4, top + 4 + j * (height - 8) // 8)
            for i in range(5) for j in range(9)]


def green_share(game, image, slot, green):
    samples = face_samples(slot)
    return sum(h.near(game.local(image, x, y), green) for x, y in samples) / len(samples)


def face_pixels(game, image, slot):
    """The face's pixels as shown, to tell faces apart."""
    left, top, width, height = h.face_rect(slot)
    return bytes(b for y in range(top, top + height) for x in range(left, left + width)
                 for b in game.local(image, x, y))


def wait_for_deal(game, green, before):
    """Waits until every face shows a card, the faces differ from one another and from the
    board `before`, and two screenshots in a row agree (the deal is painted whole); returns
    the faces' pixels."""
    seen = []

    def dealt():
        image = game.shot("dealt")
        still_green = [slot for slot in range(10) if green_share(game, image, slot, green) > 0.5]
        check(not still_green, "faces %s still show the green picture" % still_green)
        faces = [face_pixels(game, image, slot) for slot in range(10)]
        check(faces != before, "the faces did not change")
        alike = [(a, b) for a in range(10) for b in range(a + 1, 10) if faces[a] == faces[b]]
        check(not alike, "faces %s show the same picture" % alike)
        steady = len(seen) > 0 and seen[-1] == faces
        seen.append(faces)
        return steady

    h.wait_until(dealt, 15, "a deal of ten different cards", interval=0.2)
    return seen[-1]


# ---------------------------------------------------------------------------------------------
# Windows, by their X properties.

def check_title(window, title, what):
    """Both title properties, as Wine writes them from the window's text, hold the title."""
    props = h.window_properties(window)
    print("%s: %s" % (what, ", ".join("%s %r" % (name, h.text_value(props[name]))
                                      for name in ("WM_NAME", "_NET_WM_NAME") if name in props)))
    h.check_title(props, title, what)


# ---------------------------------------------------------------------------------------------

def test(session):
    args = session.args
    folder = args.folder
    check(os.path.isfile(os.path.join(folder, PROGRAM)), "no %s in %s" % (PROGRAM, folder))
    green = h.green_reference(folder)
    fresh_prefix = not os.path.isdir(args.prefix)

    started = time.monotonic()
    game = WineGame(session, args.wine_run, args.prefix, folder)
    session.games.append(game)
    game.wait_for_game_window()
    print("%s: %.1f s from start to its window mapped%s" % (
        PROGRAM, time.monotonic() - started,
        " (the Wine prefix was made first)" if fresh_prefix else ""))
    session.log("game window %d at %r, process %d" % (game.window, game.geometry, game.wine_pid))
    check(game.geometry[2:] == h.WINDOW_SIZE, "the game window's client area is %dx%d, not %dx%d"
          % (game.geometry[2:] + h.WINDOW_SIZE))
    check_title(game.window, "Ukisomi", "game window")
    h.check_board_at_opening(game, game.shot("opened"), green, face_samples)

    # Each press deals the next ten cards; the eleventh ends the game after round ten.
    faces = None
    for press in range(1, 11):
        check(not game.other_windows(), "a window opened before the game ended (press %d)" % press)
        game.press_start()
        faces = wait_for_deal(game, green, faces)
    game.press_start()
    result, geometry = game.wait_for_result_window(timeout=15)
    session.log("result window %d at %r" % (result, geometry))
    game.shot("result")
    check(geometry[2:] == h.RESULT_SIZE,
          "the result window is %dx%d, not %dx%d" % (geometry[2:] + h.RESULT_SIZE))
    check(h.window_geometry(game.window) == game.geometry,
          "the game window did not stay as it was beside the result window: %r"
          % (h.window_geometry(game.window),))
    check_title(result, "", "result window")
    screen = tuple(int(v) for v in h.command("xdotool", "getdisplaygeometry").split())
    check(geometry[0] >= 0 and geometry[1] >= 0 and geometry[0] + geometry[2] <= screen[0]
          and geometry[1] + geometry[3] <= screen[1],
          "the result window at %r is not wholly on the %dx%d screen" % ((geometry,) + screen))

    game.click_rect(h.OK_BUTTON, geometry=geometry)
    h.wait_until(lambda: not game.other_windows(), 10, "the result window to close after OK")

    # No window manager gives the focus: a click on the bare board does, as it would for a player.
    game.click_at(*h.BACKGROUND_PROBES[0])
    game.key("ctrl+q")
    code = game.wait_exit(timeout=30)
    # 124 and 137 are wine-run's timeout ending the run.
    check(code == 0, "Ctrl+Q ended the run with exit code %d%s" % (code, game.stderr_tail()))
    game.check_no_unhandled_exception()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--folder", required=True,
                        help="the folder holding Ukisomi.exe, fresh from the Windows zip")
    parser.add_argument("--wine-run", required=True, help="tests/windows/wine-run")
    parser.add_argument("--prefix", required=True, help="the Wine prefix folder")
    parser.add_argument("--artifacts", required=True,
                        help="where a failed run keeps its screenshots")
    parser.add_argument("--name", default="windows_wine_play", help="the test's name")
    args = parser.parse_args()
    # The program runs from the unpacked folder: paths given relative to here must still hold.
    for name in ("folder", "wine_run", "prefix", "artifacts"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    return h.run(test, __doc__, args)


if __name__ == "__main__":
    sys.exit(main())
