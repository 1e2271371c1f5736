"""Damaged or missing picture files: a copy of the program runs from a scratch folder whose
pictures were damaged first. A face whose picture cannot be read paints nothing, so the frame's
green shows; the load reports nothing on stderr; the game goes on, and Ctrl+Q still ends the
run with 0."""

import os
import struct
import sys
import zlib

from harness import board
from harness.checks import Failure, Skip, check
from harness.pictures import green_reference
from harness.runner import run

# Round 1 deals card number 5 on slot 5, round 2 card number 15.
DAMAGED_SLOT = 5
DAMAGED_FILE = "karuta5.png"
# Peak resident memory the run may reach: far below what a 100000 x 100000 picture would take.
PEAK_MEMORY_LIMIT_KB = 400 * 1024


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def huge_png():
    """A well-formed PNG whose header claims 100000 x 100000 RGBA pixels (40 GB decoded), with
    a little compressed data behind it, as a decompression bomb starts."""
    header = struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)
    rows = zlib.compress(b"\0" * (1 + 100000 * 4) * 8, 9)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", rows) +
            png_chunk(b"IEND", b""))


def bmp_picture(width=70, height=160):
    """A real picture of another format (a 24-bit BMP) under the PNG's name."""
    stride = (width * 3 + 3) & ~3
    pixels = (b"\x30\x30\xc0" * width + b"\0" * (stride - width * 3)) * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def damage(path, case):
    data = open(path, "rb").read()
    if case == "missing":
        os.remove(path)
    elif case == "zero-byte":
        open(path, "wb").close()
    elif case == "truncated":
        open(path, "wb").write(data[:len(data) // 2])
    elif case == "not-png":
        open(path, "wb").write(bmp_picture())
    elif case == "huge-header":
        open(path, "wb").write(huge_png())
    else:
        raise ValueError(case)


def peak_memory_kb(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    raise Failure("no VmHWM for the game process")


# Words of what an image decoder writes about a file it cannot read ("libpng error: Read
# Error", "QImageIOHandler: Rejecting image ...", a file name ending in .png).
DECODER_WORDS = ("libpng", "png", "qimage", "imageio", "read error")


def check_decoder_quiet(game):
    """A failed load reports nothing: no line of the run's stderr comes from the decoder."""
    lines = [line for line in game.stderr_text().splitlines()
             if any(word in line.lower() for word in DECODER_WORDS)]
    check(not lines, "the picture decoder wrote on stderr: %r" % lines)


def play_two_rounds(game, empty, empty_name, blank_round_one, blank_round_two):
    """Opens, deals round 1, judges a click on the face of slot 5, deals round 2, and quits. The
    slots show `empty` at opening, and so do the blank ones of each round: they paint nothing."""
    game.wait_for_game_window()
    board.check_opening(game, game.shot("opened"), empty, empty_name)

    game.press_start()
    game.wait_text(board.KAISU_FIELD, "1", "the round field after 開始")
    board.wait_for_deal(game, empty, blank_round_one, label="round-1")

    # A face without a picture is still a card of the round: a click on it is judged.
    game.click_face(DAMAGED_SLOT)
    game.wait_text(board.LABEL1, lambda t: t in ("正解", "ハズレ"), "the judging label after a click on face 5")

    game.press_start()
    game.wait_text(board.KAISU_FIELD, "2", "the round field of round 2")
    check(game.text(board.LABEL1) is None, "開始 left the judging label shown")
    board.wait_for_deal(game, empty, blank_round_two, label="round-2")

    peak = peak_memory_kb(game.pid)
    check(peak < PEAK_MEMORY_LIMIT_KB, "the game's resident memory peaked at %d MB" % (peak // 1024))
    game.quit_with_ctrl_q()
    check_decoder_quiet(game)


def read_only_start(session, binary, folder):
    """Starts the program from a folder it cannot write into, and shows first that it cannot:
    modes bind a normal user; root, whom they do not bind, gets the folder mounted read-only
    in a mount namespace of the program's own."""
    for name in os.listdir(folder):
        os.chmod(os.path.join(folder, name), 0o444 if name.endswith(".png") else 0o555)
    os.chmod(folder, 0o555)
    if os.geteuid() != 0:
        probe = os.path.join(folder, "write-probe")
        try:
            open(probe, "w").close()
        except OSError:
            return session.start([binary])
        raise Failure("the folder's modes do not keep %s from writing into it" % probe)
    # The program replaces the shell, so that its process is the one started.
    script = ('mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 3\n'
              'if touch "$1/write-probe" 2>/dev/null; then echo "$1 is still writable" >&2; exit 4; fi\n'
              'exec "$2"')
    return session.start(["unshare", "--mount", "sh", "-c", script, "sh", folder, binary])


def test(session):
    case = session.args.case
    green = green_reference(session.args.pictures)
    if case in ("missing", "zero-byte", "truncated", "not-png", "huge-header"):
        binary, folder = session.copy_program()
        damage(os.path.join(folder, DAMAGED_FILE), case)
        play_two_rounds(session.start([binary]), green, "green", {DAMAGED_SLOT}, set())
    elif case == "read-only-folder":
        binary, folder = session.copy_program()
        play_two_rounds(read_only_start(session, binary, folder), green, "green", set(), set())
    elif case == "missing-folder":
        fallback = session.args.installed_data
        if fallback and os.path.isdir(fallback):
            raise Skip("pictures are installed in %s, where the program finds them whatever "
                       "lies beside it" % fallback)
        binary, _ = session.copy_program(pictures=False)
        # No picture at all: frames and faces paint nothing, and the orange board shows.
        play_two_rounds(session.start([binary]), board.ORANGE, "orange", set(range(10)), set(range(10)))
    elif case == "installed-layout":
        # bin/ukisomi with its pictures in share/ukisomi, as an installed tree has them.
        binary, _ = session.copy_program(layout="share")
        play_two_rounds(session.start([binary]), green, "green", set(), set())
    else:
        raise Failure("unknown case %r" % case)


if __name__ == "__main__":
    sys.exit(run(test, __doc__))
