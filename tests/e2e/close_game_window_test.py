"""Closing the game window while the result window is open: a game ended by the click in round
ten opens the result window; the game window is then closed by its close box. The result window
stays and answers, its OK closes it, and with no window left the run ends with exit code 0."""

import sys

from harness import board, xwindows
from harness.checks import check, wait_until
from harness.runner import run

def test(session):
    game = session.start()
    game.wait_for_game_window()
    total = 0
    for round_number in range(1, 11):
        game.press_start()
        game.wait_text(board.KAISU_FIELD, str(round_number), "the round field")
        game.click_face(round_number % 10)
        verdict = game.wait_text(board.LABEL1, lambda t: t in ("正解", "ハズレ"), "the judging label")
        if verdict == "正解":
            total += game.number(board.SCORE_FIELD, "the score field")
    # The click in round ten ended the game, right or wrong.
    result, geometry = game.wait_for_result_window()
    game.wait_text(board.MESSAGE_LABEL, board.shows_result(total), "the result text", geometry=geometry)
    game.wait_text(board.SHOGO_TEXT, board.title_for(total), "the title on the game window")
    game.shot("result-open")

    xwindows.request_close(game.window)
    wait_until(lambda: game.window not in game.visible_windows(), 5, "the game window to close")
    game.check_alive()
    check(list(game.visible_windows()) == [result], "after closing the game window, the open windows "
          "are %r, not the result window alone" % game.visible_windows())
    game.wait_text(board.MESSAGE_LABEL, board.shows_result(total), "the result text after the game window closed",
                   geometry=geometry)
    game.shot("game-window-closed")

    game.click_rect(board.OK_BUTTON, geometry=geometry)
    code = game.wait_exit()
    check(code == 0, "the run ended with exit code %d once its last window closed" % code)
    game.check_no_unhandled_exception()


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
