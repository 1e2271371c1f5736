"""Runs one test script: its session (a scratch folder, the latest screenshots and steps, the
games it started) and run(test), which gives the script's exit code and, when the test fails,
keeps the screenshots and the program's output as evidence."""

import argparse
import collections
import os
import shutil
import tempfile
import time
import traceback

from . import xwindows
from .checks import Failure, Skip
from .game import Game, desktop_environment
from .pictures import picture_names


class Session:
    """One test: its scratch folder, its screenshots, the games it started. The scratch folder
    lies in TMPDIR, which the build's tests set to a folder of the build tree that each run
    clears first: what a test killed by its timeout leaves goes at the next run."""

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

    def start(self, command=None, cwd=None, env=None, **how):
        """Starts the program: by default the built binary, from the scratch folder, as the
        desktop starts it. `how` goes to Game: how to find the program's windows (window_owner)
        and whether it has an accessibility tree (accessible)."""
        game = Game(self, command or [self.args.binary], cwd or self.scratch,
                    env or desktop_environment(), **how)
        self.games.append(game)
        return game

    def shot(self, label):
        self.shot_count += 1
        image = xwindows.screenshot(os.path.join(self.scratch, "shot.xwd"))
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
        remove_tree(self.scratch)


def remove_tree(path):
    """Removes a folder, read-only folders in it included."""
    for dirpath, dirnames, _ in os.walk(path):
        for d in dirnames:
            try:
                os.chmod(os.path.join(dirpath, d), 0o755)
            except OSError:
                pass
    shutil.rmtree(path, ignore_errors=True)


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
