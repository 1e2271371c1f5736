"""A project file that is missing stops the configuration, and the message names it: no target
or test is quietly left out. Configures copies of the source tree, each with one file taken
away (or one test folder added that no list names), into scratch folders."""

import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys
import tempfile

CASES = [
    # (what, the change to the copy, the text configure must print)
    ("the program's entry source", ("remove", "shell/main.cpp"), "main.cpp"),
    ("a game source", ("remove", "game/KarutaWindow.cpp"), "KarutaWindow.cpp"),
    ("the poem table", ("remove", "game/PoemData.cpp"), "PoemData.cpp"),
    ("a test script", ("remove", "tests/unit/shell/start-and-quit"), "tests/unit/shell/start-and-quit"),
    ("a test folder's list", ("remove", "tests/unit/shell/CMakeLists.txt"), "unit/shell"),
    ("the card-picture tool's list", ("remove", "tools/cardgen/CMakeLists.txt"), "tools/cardgen"),
    ("a test folder no list names", ("add", "tests/unit/extra/CMakeLists.txt"),
     "tests/unit/extra/CMakeLists.txt is not listed"),
]


def copy_tree(source, target):
    def skip(folder, names):
        top = os.path.abspath(folder) == os.path.abspath(source)
        return [n for n in names if n == ".git" or (top and n.startswith("build"))]

    shutil.copytree(source, target, ignore=skip, symlinks=True)


def configure(args, tree, scratch):
    result = subprocess.run(
        [args.cmake, "-S", tree, "-B", os.path.join(scratch, "build"), "-G", args.generator,
         "-DCMAKE_CXX_COMPILER=" + args.cxx],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
    return result.returncode, result.stdout.decode(errors="replace")


def run_case(args, case):
    """The failure of one case, as a text; None when configure did as it should."""
    _, change, expected = case
    with tempfile.TemporaryDirectory(prefix="ukisomi-configure.") as scratch:
        tree = os.path.join(scratch, "src")
        copy_tree(args.source, tree)
        if change and change[0] == "remove":
            os.remove(os.path.join(tree, change[1]))
        elif change:
            path = os.path.join(tree, change[1])
            os.makedirs(os.path.dirname(path))
            open(path, "w").close()
        code, output = configure(args, tree, scratch)
    if change is None:
        return None if code == 0 else "configure failed:\n" + output[-3000:]
    if code == 0:
        return "configure succeeded without %s" % change[1]
    if expected not in output:
        return "configure failed without naming %r:\n%s" % (expected, output[-3000:])
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--source", required=True, help="the project's source tree")
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--generator", required=True)
    parser.add_argument("--cxx", required=True, help="the C++ compiler of the build")
    args = parser.parse_args()
    # The untouched copy too: it must configure, or a failure of the others would prove nothing.
    cases = [("the untouched tree", None, None)] + CASES
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        problems = list(pool.map(lambda case: run_case(args, case), cases))
    for (what, _, _), problem in zip(cases, problems):
        print("%s %s" % ("FAIL" if problem else "ok  ", what))
        if problem:
            print("    " + problem.replace("\n", "\n    "))
    return 1 if any(problems) else 0


if __name__ == "__main__":
    sys.exit(main())
