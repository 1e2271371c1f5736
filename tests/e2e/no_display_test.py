"""Started where no display can be opened, the program says so in one line on standard error
and ends with exit code 1: no abort, no core dump, no page of platform advice. Runs the real
binary with DISPLAY unset, empty, and naming a server that is not there."""

import argparse
import os
import subprocess
import sys
import tempfile

ABSENT = ":987"

CASES = [
    # (what, environment added, the one line expected)
    ("DISPLAY unset", {}, "ukisomi: cannot open a display: DISPLAY is not set"),
    ("DISPLAY empty", {"DISPLAY": ""}, "ukisomi: cannot open a display: DISPLAY is empty"),
    ("DISPLAY names no server", {"DISPLAY": ABSENT},
     'ukisomi: cannot open the display "%s"' % ABSENT),
    ("xcb asked for by name", {"DISPLAY": ABSENT, "QT_QPA_PLATFORM": "xcb"},
     'ukisomi: cannot open the display "%s"' % ABSENT),
]


def run_case(binary, added, expected):
    """The failures of one start, as texts; none when it behaved."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE")}
    env.update(added)
    with tempfile.TemporaryDirectory(prefix="ukisomi-no-display.") as cwd:
        result = subprocess.run([binary], cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        cores = [name for name in os.listdir(cwd) if name.startswith("core")]
    lines = result.stderr.decode(errors="replace").splitlines()
    problems = []
    if result.returncode != 1:
        problems.append("exit code %d, expected 1" % result.returncode)
    if lines != [expected]:
        problems.append("standard error holds %r, expected the one line %r" % (lines, expected))
    if result.stdout:
        problems.append("standard output holds %r" % result.stdout)
    if cores:
        problems.append("a core dump was left: %s" % cores)
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True, help="the built game binary")
    args = parser.parse_args()
    if os.path.exists("/tmp/.X11-unix/X%s" % ABSENT.lstrip(":")):
        print("SKIPPED: an X server listens on %s here" % ABSENT)
        return 77
    failed = False
    for what, added, expected in CASES:
        problems = run_case(os.path.abspath(args.binary), added, expected)
        print("%s %s%s" % ("FAIL" if problems else "ok  ", what,
                           "".join("\n    " + p for p in problems)))
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
