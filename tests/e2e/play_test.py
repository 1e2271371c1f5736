"""A whole game on the real window: the board at opening, the deal, judged clicks, ten rounds
and a press that open the result window, its OK button, and Ctrl+Q ending the run with 0."""

import math
import sys

from harness import board
from harness import xwindows
from harness.checks import Failure, check, wait_until
from harness.pictures import green_reference
from harness.runner import run


def check_board_at_opening(game, green):
    image = game.shot("opened")
    board.check_opening(game, image, green, "green")
    check(not dark_pixels(game, image, board.LABEL1), "the judging label shows before any click")


def dark_pixels(game, image, rect):
    left, top, width, height = rect
    return [(x, y) for y in range(top, top + height) for x in range(left, left + width)
            if sum(game.local(image, x, y)) < 200]


def judge_label(game):
    return game.text(board.LABEL1)


def click_and_judge(game, slot):
    """Clicks a face and returns the verdict the judging label then shows. A scored click
    rewrites the time field with the moment of the click, which tells that it was handled when
    the label already showed the same verdict."""
    shown_before = judge_label(game)
    time_before = game.text(board.TIME_FIELD)
    game.click_face(slot)
    if shown_before is None:
        return game.wait_text(board.LABEL1, lambda t: t in ("正解", "ハズレ"), "the judging label after a click")
    game.wait_text(board.TIME_FIELD, lambda t: t != time_before, "the time field after a click")
    return judge_label(game)


def answer_round(game, verdicts):
    """Clicks the faces from slot 0 on until one is judged right; returns the points scored."""
    for slot in range(10):
        verdict = click_and_judge(game, slot)
        check(verdict in ("正解", "ハズレ"), "a click on face %d shows %r in the judging label" % (slot, verdict))
        verdicts.add(verdict)
        if verdict == "正解":
            break
    else:
        raise Failure("no face of the round was judged right")
    return points_of_right_click(game)


def points_of_right_click(game):
    """The points the score field shows for the right click just judged: 20 less the seconds
    the time field shows, truncated."""
    points = game.number(board.SCORE_FIELD, "the score field")
    shown = game.text(board.TIME_FIELD)
    seconds = float(shown)
    check(points == math.trunc(20.0 - seconds),
          "a right click after %s s scored %d, not trunc(20 - %s)" % (shown, points, shown))
    check(0 <= seconds < 8, "the clock shows %s s for a quick round" % shown)
    return points


def test(session):
    green = green_reference(session.args.pictures)
    game = session.start()
    # The game window is found as the process's one shown window, not by its title.
    game.wait_for_game_window()
    xwindows.check_title(xwindows.window_properties(game.window), "Ukisomi", "game window")
    check(game.geometry[2:] == board.WINDOW_SIZE,
          "the game window is %dx%d, not 570x510" % game.geometry[2:])
    check_board_at_opening(game, green)
    for rect, what in ((board.KAISU_FIELD, "round"), (board.SCORE_FIELD, "score"), (board.TOTAL_FIELD, "total"),
                       (board.HIGH_SCORE_FIELD, "high score")):
        game.wait_text(rect, "0", "the %s field at opening" % what)
    game.wait_text(board.SHOGO_TEXT, "なし", "the title at opening")
    check(judge_label(game) is None, "the judging label is shown at opening")

    # Round 1: the deal replaces the green faces by cards; the first click right after it.
    game.press_start()
    game.wait_text(board.KAISU_FIELD, "1", "the round field after 開始")
    check(judge_label(game) is None, "the judging label shows before a click")
    first = click_and_judge(game, 0)
    image, _ = board.wait_for_deal(game, green)
    check(dark_pixels(game, image, board.LABEL1), "the judging label's place shows no text after a click")
    verdicts = {first}
    if first == "正解":
        total = points_of_right_click(game)
        # How soon the click lands depends on the machine's load; the points must follow the
        # clock (checked above) and never pass 20.
        check(total <= 20, "a right click just after the deal scored %d, more than 20" % total)
    else:
        total = answer_round(game, verdicts)
    check_totals(game, total)

    for round_number in range(2, 10):
        game.press_start()
        game.wait_text(board.KAISU_FIELD, str(round_number), "the round field")
        check(judge_label(game) is None, "開始 left the judging label shown in round %d" % round_number)
        total += answer_round(game, verdicts)
        check_totals(game, total)
    check(verdicts == {"正解", "ハズレ"}, "nine rounds showed only %r" % verdicts)

    # Round ten left unanswered; the next press ends the game and deals round 1 of the next.
    game.press_start()
    game.wait_text(board.KAISU_FIELD, "10", "the round field in round ten")
    game.press_start()
    result, geometry = game.wait_for_result_window()
    check(geometry[2:] == board.RESULT_SIZE, "the result window is %dx%d, not 388x100" % geometry[2:])
    check(not overlaps(geometry, game.geometry),
          "the result window %r lies over the game window %r, not beside it" % (geometry, game.geometry))
    game.wait_text(board.MESSAGE_LABEL, board.shows_result(total), "the result text", geometry=geometry)
    game.wait_text(board.SHOGO_TEXT, board.title_for(total), "the title on the game window")
    game.wait_text(board.KAISU_FIELD, "1", "the round field of the next game")
    game.wait_text(board.HIGH_SCORE_FIELD, str(total), "the high score after the game")
    game.shot("result")

    # The game window stays usable while the result window is open.
    board.wait_for_deal(game, green)
    game.click_face(9)
    game.wait_text(board.LABEL1, lambda t: t in ("正解", "ハズレ"), "the judging label with the result window open")
    game.wait_text(board.MESSAGE_LABEL, board.shows_result(total), "the result text after a click", geometry=geometry)

    # OK closes the result window; the game goes on.
    game.click_rect(board.OK_BUTTON, geometry=geometry)
    wait_until(lambda: not game.other_windows(), 5, "the result window to close after OK")
    game.press_start()
    game.wait_text(board.KAISU_FIELD, "2", "the round field after OK")

    game.quit_with_ctrl_q()


def check_totals(game, total):
    game.wait_text(board.TOTAL_FIELD, str(total), "the total field")
    game.wait_text(board.HIGH_SCORE_FIELD, str(total), "the high score field")


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
