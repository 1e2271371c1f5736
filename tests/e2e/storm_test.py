"""A storm of random X events on the real game window: clicks, double clicks, presses and
releases at separate places, presses held across a tick, and keys, in random order while the
timer ticks. The program must stay alive and consistent: the round 0 to 10, the high score
never falling nor below the total, at most one result window, no unhandled exception; afterwards the window still
answers and Ctrl+Q ends the run with 0.

Only the left button and keys that type nothing: the checks read the fields, and text typed or
pasted into a field would stand there until the program's next write."""

import os
import random
import re
import sys
import time

from harness import board, xwindows
from harness.checks import Failure, check, wait_until
from harness.runner import run

EVENTS = int(os.environ.get("UKISOMI_STORM_EVENTS", "3000"))
BATCH = 100
TIME_BUDGET = 60.0  # seconds of storm at most, whatever the count reached
# Keys that act on buttons and focus but type nothing into the fields the checks read.
KEYS = ["Return", "Tab", "shift+Tab", "Escape", "Left", "Right", "Up", "Down", "KP_Enter"]
RESULT_PATTERN = re.compile("^ゲーム終了です。\nあなたの総得点は(-?[0-9]+)です。\nあなたの称号は(.+)です。$")


def random_point(rng):
    """A point of the game window, in content coordinates, most often on a face or the button."""
    kind = rng.random()
    if kind < 0.45:
        left, top, width, height = board.face_rect(rng.randrange(10))
    elif kind < 0.65:
        left, top, width, height = board.START_BUTTON
    else:
        left, top, (width, height) = 0, 0, board.WINDOW_SIZE
    return left + rng.randrange(width), top + rng.randrange(height)


def storm_batch(rng, origin, count):
    """xdotool arguments for `count` random events. Presses and releases go out as such: the
    click command waits 100 ms after each click."""
    args = []
    for _ in range(count):
        x, y = random_point(rng)
        X, Y = origin[0] + x, origin[1] + y
        kind = rng.random()
        if kind < 0.6:
            args += ["mousemove", X, Y, "mousedown", "1", "mouseup", "1"]
        elif kind < 0.7:
            args += ["mousemove", X, Y, "mousedown", "1", "mouseup", "1", "mousedown", "1", "mouseup", "1"]
        elif kind < 0.8:
            # A press here and its release somewhere else: a drag across the board.
            x2, y2 = random_point(rng)
            args += ["mousemove", X, Y, "mousedown", "1", "mousemove", origin[0] + x2, origin[1] + y2,
                     "mouseup", "1"]
        elif kind < 0.803:
            # A press held across a timer tick.
            args += ["mousemove", X, Y, "mousedown", "1", "sleep", "1.1", "mouseup", "1"]
        elif kind < 0.82:
            # A pause, so that ticks fall between the other events.
            args += ["sleep", "%.2f" % rng.uniform(0.02, 0.3)]
        else:
            args += ["key", "--delay", "1", rng.choice(KEYS)]
    return args


class Invariants:
    """What a player can see of the game state must keep the game's rules."""

    def __init__(self, game):
        self.game = game
        self.high_score = 0
        self.samples = 0

    def check(self):
        game = self.game
        game.check_alive()
        game.check_no_unhandled_exception()
        others = game.other_windows()
        check(len(others) <= 1, "%d result windows are open" % len(others))
        kaisu = game.number(board.KAISU_FIELD, "the round field")
        check(0 <= kaisu <= 10, "the round field shows %d" % kaisu)
        # The total first: read after it, the high score can only have risen with it.
        total = game.number(board.TOTAL_FIELD, "the total field")
        high = game.number(board.HIGH_SCORE_FIELD, "the high-score field")
        check(high >= self.high_score, "the high score fell from %d to %d" % (self.high_score, high))
        check(high >= total, "the high score %d is below the total %d" % (high, total))
        self.high_score = high
        label = game.text(board.LABEL1)
        check(label in (None, "正解", "ハズレ"), "the judging label shows %r" % label)
        for window, geometry in others.items():
            text = self.result_text(window, geometry)
            if text is None:
                continue  # closed by the storm's last keys meanwhile
            match = RESULT_PATTERN.match(text)
            check(match, "the result window shows %r" % text)
            check(match.group(2) == board.title_for(int(match.group(1))),
                  "the result %r gives the wrong title" % text)
        self.samples += 1

    def result_text(self, window, geometry):
        """The result window's text, or None once the window is gone; a window just opened
        takes a moment to reach the accessibility tree."""
        seen = []

        def readable():
            if window not in self.game.visible_windows():
                return True
            try:
                seen[:] = [self.game.text(board.MESSAGE_LABEL, geometry)]
            except Failure:
                return False
            return seen[0] is not None

        wait_until(readable, 5, "the result window's text")
        return seen[0] if seen else None


def test(session):
    seed = int(os.environ.get("UKISOMI_STORM_SEED", str(int(time.time()))))
    print("storm seed %d (set UKISOMI_STORM_SEED to repeat), %d events" % (seed, EVENTS))
    rng = random.Random(seed)
    game = session.start()
    game.wait_for_game_window()
    invariants = Invariants(game)
    invariants.check()

    sent, started = 0, time.monotonic()
    while sent < EVENTS and time.monotonic() - started < TIME_BUDGET:
        count = min(BATCH, EVENTS - sent)
        xwindows.xdotool(*storm_batch(rng, game.geometry, count), timeout=120)
        sent += count
        invariants.check()
    elapsed = time.monotonic() - started
    print("sent %d events in %.1f s, %d checks of the invariants" % (sent, elapsed, invariants.samples))
    check(sent >= min(EVENTS, 300), "only %d events went out within the time budget" % sent)
    game.shot("after-storm")

    # The window still answers: a press deals the next round and a click is judged.
    for window, geometry in game.other_windows().items():
        game.click_rect(board.OK_BUTTON, geometry=geometry)
    wait_until(lambda: not game.other_windows(), 5, "the result window to close after OK")
    kaisu = game.number(board.KAISU_FIELD, "the round field")
    game.press_start()
    game.wait_text(board.KAISU_FIELD, str(kaisu + 1 if kaisu < 10 else 1), "the round field after the storm")
    check(game.text(board.LABEL1) is None, "開始 left the judging label shown after the storm")
    game.click_face(3)
    game.wait_text(board.LABEL1, lambda t: t in ("正解", "ハズレ"), "the judging label after the storm")
    invariants.check()

    game.quit_with_ctrl_q()


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
