"""The Windows program played under Wine, from the folder its zip was freshly unpacked into, as
a player unpacks it, with no icon file in it: the window titled "Ukisomi" with a 570 x 510
client area and the program's icon, the board at opening, a deal of ten cards, eleven presses of
開始 that open the result window with an empty title and the same icon, its OK button, and
Ctrl+Q ending the run with exit code 0.

Wine programs have no accessibility tree here: everything is read from pixels and X window
properties. The X server is the caller's (DISPLAY): Wine's desktop process stays tied to the
display it started on, so one server serves every Wine test of a run.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import board  # noqa: E402
from harness.checks import check, wait_until  # noqa: E402
from harness.game import owner_of_window_titled  # noqa: E402
from harness.pictures import green_reference, picture_names, read_png  # noqa: E402
from harness.runner import run  # noqa: E402
from harness.xwindows import (check_title, command, text_value, window_geometry,  # noqa: E402
                              window_icons, window_properties)

PROGRAM = "Ukisomi.exe"
# How long the program may take to show its window: a fresh prefix is made first (~10 s).
WINDOW_TIMEOUT = 120
# A bound of wine-run's own, above every step's: a step that hangs fails by its own message.
WINE_TIMEOUT = 240


def show_title(window, title, what):
    """Both title properties, as Wine writes them from the window's text, hold the title."""
    props = window_properties(window)
    print("%s: %s" % (what, ", ".join("%s %r" % (name, text_value(props[name]))
                                      for name in ("WM_NAME", "_NET_WM_NAME") if name in props)))
    check_title(props, title, what)


def check_no_icon_file(folder):
    """The windows' icon is the program file's own: the only pictures in the unpacked folder are
    the 101 the game shows, beside Ukisomi.exe, and there is no icon file anywhere in it."""
    pictures = set(picture_names())
    strays = [os.path.relpath(os.path.join(where, name), folder)
              for where, _, names in os.walk(folder) for name in names
              if name.lower().endswith((".png", ".ico"))
              and not (where == folder and name in pictures)]
    check(not strays, "the zip holds picture or icon files besides the 101 pictures: %s" % strays)


def check_icon(window, reference, what):
    """The window carries the program's icon: a 32 x 32 image in _NET_WM_ICON (the size Windows
    gives a window's large icon) whose opaque pixels are those of the icon drawn at build
    time."""
    icons = window_icons(window)
    check((32, 32) in icons, "the %s carries no 32 x 32 icon (_NET_WM_ICON sizes: %s)"
          % (what, sorted(icons)))
    opaque = [(i, pixel) for i, pixel in enumerate(icons[(32, 32)]) if pixel >> 24 == 0xFF]
    check(len(opaque) >= 200, "the %s's icon has only %d opaque pixels" % (what, len(opaque)))
    wrong = [i for i, pixel in opaque
             if reference.rgb(i % 32, i // 32) != ((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)]
    check(not wrong, "the %s's icon differs from the program's at %d of its %d opaque pixels"
          % (what, len(wrong), len(opaque)))
    print("%s: icon sizes %s, 32 x 32 the program's" % (what, sorted(icons)))


def start(session):
    """The program through wine-run, from the unpacked folder. The process started is
    wine-run's timeout; the Windows program's own process is found by its window
    (_NET_WM_PID), which its result window shares."""
    args = session.args
    env = dict(os.environ, UKISOMI_WINEPREFIX=args.prefix)
    env.setdefault("UKISOMI_WINE_TIMEOUT", str(WINE_TIMEOUT))
    return session.start([args.wine_run, PROGRAM], cwd=args.folder, env=env,
                         window_owner=owner_of_window_titled("Ukisomi"), accessible=False)


def test(session):
    args = session.args
    folder = args.folder
    check(os.path.isfile(os.path.join(folder, PROGRAM)), "no %s in %s" % (PROGRAM, folder))
    green = green_reference(folder)
    check_no_icon_file(folder)
    icon = read_png(args.icon)
    fresh_prefix = not os.path.isdir(args.prefix)

    started = time.monotonic()
    game = start(session)
    game.wait_for_game_window(timeout=WINDOW_TIMEOUT)
    print("%s: %.1f s from start to its window mapped%s" % (
        PROGRAM, time.monotonic() - started,
        " (the Wine prefix was made first)" if fresh_prefix else ""))
    check(game.geometry[2:] == board.WINDOW_SIZE, "the game window's client area is %dx%d, not %dx%d"
          % (game.geometry[2:] + board.WINDOW_SIZE))
    show_title(game.window, "Ukisomi", "game window")
    check_icon(game.window, icon, "game window")
    board.check_opening(game, game.shot("opened"), green, "green")

    # Each press deals the next ten cards; the eleventh ends the game after round ten.
    faces = None
    for press in range(1, 11):
        check(not game.other_windows(), "a window opened before the game ended (press %d)" % press)
        game.press_start()
        _, faces = board.wait_for_deal(game, green, before=faces, timeout=15)
    game.press_start()
    result, geometry = game.wait_for_result_window(timeout=15)
    session.log("result window %d at %r" % (result, geometry))
    game.shot("result")
    check(geometry[2:] == board.RESULT_SIZE,
          "the result window is %dx%d, not %dx%d" % (geometry[2:] + board.RESULT_SIZE))
    check(window_geometry(game.window) == game.geometry,
          "the game window did not stay as it was beside the result window: %r"
          % (window_geometry(game.window),))
    show_title(result, "", "result window")
    check_icon(result, icon, "result window")
    screen = tuple(int(v) for v in command("xdotool", "getdisplaygeometry").split())
    check(geometry[0] >= 0 and geometry[1] >= 0 and geometry[0] + geometry[2] <= screen[0]
          and geometry[1] + geometry[3] <= screen[1],
          "the result window at %r is not wholly on the %dx%d screen" % ((geometry,) + screen))

    game.click_rect(board.OK_BUTTON, geometry=geometry)
    wait_until(lambda: not game.other_windows(), 10, "the result window to close after OK")

    # No window manager gives the focus: a click on the bare board does, as it would for a player.
    # An exit code of 124 or 137 is wine-run's timeout ending the run.
    game.click_at(*board.BACKGROUND_PROBES[0])
    game.quit_with_ctrl_q(timeout=30)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--folder", required=True,
                        help="the folder holding Ukisomi.exe, fresh from the Windows zip")
    parser.add_argument("--wine-run", required=True, help="tests/windows/wine-run")
    parser.add_argument("--prefix", required=True, help="the Wine prefix folder")
    parser.add_argument("--icon", required=True, help="the program's 32 x 32 icon, drawn at build time")
    parser.add_argument("--artifacts", required=True,
                        help="where a failed run keeps its screenshots")
    parser.add_argument("--name", default="windows_wine_play", help="the test's name")
    args = parser.parse_args()
    # The program runs from the unpacked folder: paths given relative to here must still hold.
    for name in ("folder", "wine_run", "prefix", "icon", "artifacts"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    return run(test, __doc__, args)


if __name__ == "__main__":
    sys.exit(main())
