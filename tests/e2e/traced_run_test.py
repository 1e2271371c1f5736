"""The program reads no file of its own but its pictures: run under strace through the opening
and a deal, every file it opened in its own folder or in a data folder is one of the 101
pictures, and the pictures the board shows are among them, so that the trace is known to see
the program's reads. Failed look-ups (Qt's probes for plugin folders beside the program) read
nothing and are not counted; what the system's libraries read elsewhere is not the program's."""

import os
import re
import shutil
import sys

from harness import board
from harness.checks import Failure, check
from harness.game import desktop_environment, owner_of_window_titled
from harness.pictures import green_reference, picture_names
from harness.runner import run

# With -y, strace writes the path a call gave its descriptor after the result: "= 5</a/b.png>".
OPENED = re.compile(r'^\d+\s+(?:open|openat|openat2|creat)\(.*\)\s+=\s+\d+<(.*)>$')


def opened_files(trace_path):
    with open(trace_path, encoding="utf-8", errors="replace") as f:
        return sorted({m.group(1) for m in map(OPENED.match, f.read().splitlines()) if m})


def test(session):
    args = session.args
    strace = shutil.which("strace")
    check(strace is not None, "strace is not installed (scripts/setup installs it)")
    program_folder = os.path.dirname(os.path.realpath(args.binary))
    folders = {program_folder, os.path.realpath(os.path.join(program_folder, "..", "share", "ukisomi"))}
    if args.installed_data:
        folders.add(os.path.realpath(args.installed_data))
    trace = os.path.join(session.scratch, "trace.txt")
    green = green_reference(args.pictures)

    # The process started is strace's; the game's own is found by its window.
    game = session.start([strace, "-f", "-qq", "-y", "-e", "trace=open,openat,openat2,creat",
                          "-e", "signal=none", "-o", trace, args.binary],
                         env=desktop_environment(), window_owner=owner_of_window_titled("Ukisomi"),
                         accessible=False)
    game.wait_for_game_window()
    board.check_opening(game, game.shot("opened"), green, "green")
    game.press_start()
    board.wait_for_deal(game, green)
    game.quit_with_ctrl_q()

    opened = opened_files(trace)
    session.log("%d files opened in all" % len(opened))
    ours = [path for path in opened if os.path.dirname(path) in folders
            or any(path.startswith(folder + os.sep) for folder in folders)]
    print("opened in the program's and the data folders:\n  " + "\n  ".join(ours))
    allowed = set(picture_names())
    others = [path for path in ours if os.path.dirname(path) not in folders
              or os.path.basename(path) not in allowed]
    check(not others, "the program opened files besides its pictures: %s" % others)
    read = {os.path.basename(path) for path in ours}
    first_deal = {"Green.png"} | {"karuta%d.png" % n for n in range(10)}
    if not first_deal <= read:
        raise Failure("the trace misses pictures the board showed: %s (it saw %d opens in all)"
                      % (sorted(first_deal - read), len(opened)))


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
