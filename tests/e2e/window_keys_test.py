"""The windows as the desktop sees them and the keyboard as a player uses it, by real X events:
the game window titled "Ukisomi" and the result window with an empty title (WM_NAME and
_NET_WM_NAME alike), both carrying the program's icon (_NET_WM_ICON) and the class of its
desktop entry; Return in a score field presses 開始 until the game ends, Escape leaves the
result window open, Return closes it, and Ctrl+Q ends the run with 0."""

import os
import sys

from harness import board, xwindows
from harness.checks import check, wait_until
from harness.runner import run

DESKTOP_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "shell",
                            "resources", "ukisomi.desktop")
ICON_SIZES = {(16, 16), (32, 32), (48, 48), (256, 256)}


def check_window(window, title, what):
    props = xwindows.window_properties(window)
    xwindows.check_title(props, title, what)
    sizes = set(xwindows.window_icons(window))
    check(sizes == ICON_SIZES, "the %s's _NET_WM_ICON holds the sizes %s, not %s"
          % (what, sorted(sizes), sorted(ICON_SIZES)))
    entry = os.path.splitext(os.path.basename(DESKTOP_FILE))[0]
    instance = xwindows.text_value(props.get("WM_CLASS", "").split(",")[0])
    check(instance == entry, "the %s's WM_CLASS %r does not name the desktop entry %r"
          % (what, props.get("WM_CLASS"), entry))


def test(session):
    with open(DESKTOP_FILE, encoding="utf-8") as f:
        check("Icon=ukisomi" in f.read().splitlines(), "the desktop entry names no icon ukisomi")
    game = session.start()
    game.wait_for_game_window()
    check_window(game.window, "Ukisomi", "game window")

    # Focus in a score field: each Return presses 開始, the window's default button.
    game.click_rect(board.SCORE_FIELD)
    for round_number in range(1, 11):
        game.key("Return")
        game.wait_text(board.KAISU_FIELD, str(round_number), "the round field after Return")
    check(not game.other_windows(), "a result window opened before the game ended")
    game.key("Return")  # round ten left unanswered: the game ends
    result, geometry = game.wait_for_result_window()
    game.wait_text(board.MESSAGE_LABEL, board.shows_result(0), "the result text", geometry=geometry)
    check_window(result, "", "result window")

    # OK is the result window's default button and not its cancel button. The program handles
    # X events in order: once a click sent after Escape has dealt the next round, Escape has
    # been handled too.
    game.key("Escape", window=result)
    game.press_start()
    game.wait_text(board.KAISU_FIELD, "2", "the round field after a press sent after Escape")
    check(result in game.other_windows(), "Escape closed the result window")
    game.key("Return", window=result)
    wait_until(lambda: not game.other_windows(), 5, "the result window to close after Return")

    game.quit_with_ctrl_q()


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
