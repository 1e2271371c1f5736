"""The Debian package as a player gets it. Its control data names the Qt libraries and the fonts
the game renders with; unpacked into a fresh folder, it holds the game, the 101 pictures, the
desktop entry (valid) and the icons; the binary started from there draws the board with the
package's own pictures and ends with 0 on Ctrl+Q; lintian finds no error in it.

Run on an X server and a session bus of its own: tests/package/run PACKAGE.deb."""

import argparse
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import board  # noqa: E402
from harness.checks import check  # noqa: E402
from harness.pictures import Image, green_reference, picture_names, read_png  # noqa: E402
from harness.runner import run  # noqa: E402
from harness.xwindows import command  # noqa: E402

# Packages the game cannot run or look right without: the Qt libraries it links (found by
# dpkg-shlibdeps) and the fonts the framework puts in place of the design's faces.
REQUIRED_DEPENDS = ["libqt6widgets6", "libqt6gui6", "libqt6core6",
                    "fonts-ipafont-mincho", "fonts-ipafont-gothic", "fonts-aoyagi-kouzan-t"]
GAME = "usr/games/ukisomi"
PICTURES = "usr/share/ukisomi"
DESKTOP_ENTRY = "usr/share/applications/ukisomi.desktop"
ICONS = ["usr/share/icons/hicolor/%dx%d/apps/ukisomi.png" % (s, s) for s in (16, 32, 48, 256)]
COPYRIGHT = "usr/share/doc/ukisomi/copyright"

# Round 1 deals cards 0 to 9 on slots 0 to 9. The unpacked copy of card 5's picture is painted
# over in this colour, which no other copy of the pictures on the machine has: seen on slot 5,
# it proves the pictures were read from the package's folder.
MARKED_SLOT = 5
MARKER = (0x30, 0x40, 0xD0)
# Every other pixel of a face, in its own coordinates: where a card picture is compared.
FACE_SAMPLES = [(x, y) for y in range(0, board.FACE_SIZE[1], 2) for x in range(0, board.FACE_SIZE[0], 2)]
# Smooth scaling weighs the covered pixels a little otherwise than their plain mean: a face
# differs from its own card's mean by about 4 a channel on average, from any other by 18 or more.
MATCH_LIMIT = 8

def field(deb, name):
    return command("dpkg-deb", "--field", deb, name).strip()


def dependency_names(depends):
    """The package names of a Depends field, alternatives and version limits left out."""
    names = set()
    for group in depends.split(","):
        for alternative in group.split("|"):
            names.add(re.split(r"[\s(\[:]", alternative.strip(), maxsplit=1)[0])
    return names


def check_control(deb):
    package, version, arch = (field(deb, name) for name in ("Package", "Version", "Architecture"))
    expected = "%s_%s_%s.deb" % (package, version, arch)
    check(os.path.basename(deb) == expected, "the package file %s holds %s" % (deb, expected))
    check(field(deb, "Section") == "games", "the package's section is not games")
    depends = field(deb, "Depends")
    print("Depends: %s" % depends)
    missing = [name for name in REQUIRED_DEPENDS if name not in dependency_names(depends)]
    check(not missing, "Depends names no %s: %s" % (", ".join(missing), depends))


def check_files(root):
    pictures = [os.path.join(PICTURES, name) for name in picture_names()]
    missing = [path for path in [DESKTOP_ENTRY, COPYRIGHT] + ICONS + pictures
               if not os.path.isfile(os.path.join(root, path))]
    check(not missing, "the package lacks %s" % ", ".join(missing))
    check(os.access(os.path.join(root, GAME), os.X_OK), "the package holds no executable %s" % GAME)


def check_desktop_entry(root):
    result = command("desktop-file-validate", os.path.join(root, DESKTOP_ENTRY), check_rc=False)
    check(not result.strip(), "desktop-file-validate on the packaged entry says:\n%s" % result)


def check_lintian(deb):
    out = command("lintian", deb, timeout=300, check_rc=False)
    print("lintian:\n%s" % (out.rstrip() or "(nothing)"))
    errors = [line for line in out.splitlines() if line.startswith("E:")]
    check(not errors, "lintian reports errors:\n" + "\n".join(errors))


def mark_picture(path):
    original = read_png(path)
    Image(original.width, original.height, bytes(MARKER) * (original.width * original.height)).save_png(path)


def scaled_colour(picture, x, y):
    """The colour smooth scaling gives a face's pixel x, y: about the mean of the picture's
    pixels it covers (the card pictures are whole multiples of the face)."""
    sx, sy = picture.width // board.FACE_SIZE[0], picture.height // board.FACE_SIZE[1]
    pixels = [picture.rgb(x * sx + i, y * sy + j) for i in range(sx) for j in range(sy)]
    return tuple(sum(p[c] for p in pixels) // len(pixels) for c in range(3))


def face_colours(game, image, slot):
    left, top = board.FACES[slot]
    return [game.local(image, left + x, top + y) for x, y in FACE_SAMPLES]


def difference(colours, expected):
    """The mean difference of two lists of colours, per channel."""
    total = sum(abs(p - q) for a, b in zip(colours, expected) for p, q in zip(a, b))
    return total / (3 * len(colours))


def check_board(session, root):
    pictures = os.path.join(root, PICTURES)
    green = green_reference(pictures)
    cards = []
    for n in range(10):
        card = read_png(os.path.join(pictures, "karuta%d.png" % n))
        check(card.width % board.FACE_SIZE[0] == 0 and card.height % board.FACE_SIZE[1] == 0,
              "card picture %d of %dx%d is no whole multiple of the face" % (n, card.width, card.height))
        cards.append([scaled_colour(card, x, y) for x, y in FACE_SAMPLES])
    mark_picture(os.path.join(pictures, "karuta%d.png" % MARKED_SLOT))

    game = session.start([os.path.join(root, GAME)])
    game.wait_for_game_window()
    board.check_opening(game, game.shot("opened"), green, "green")

    game.press_start()
    game.wait_text(board.KAISU_FIELD, "1", "the round field after 開始")
    shot, _ = board.wait_for_deal(game, green, label="round-1")
    for slot in range(10):
        seen = face_colours(game, shot, slot)
        if slot == MARKED_SLOT:
            off = difference(seen, [MARKER] * len(seen))
            check(off <= MATCH_LIMIT, "face %d does not show the package's marked picture "
                  "(mean difference %.1f)" % (slot, off))
            continue
        off = [difference(seen, card) for card in cards]
        closest = off.index(min(off))
        check(off[slot] <= MATCH_LIMIT and closest == slot,
              "face %d does not show card %d: mean difference %.1f, closest card %d"
              % (slot, slot, off[slot], closest))
    game.quit_with_ctrl_q()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--deb", required=True, help="the package file")
    parser.add_argument("--artifacts", required=True, help="where a failed run keeps its screenshots")
    args = parser.parse_args()
    args.deb = os.path.abspath(args.deb)
    args.name, args.binary = "debian-package", None

    def test(session):
        check_control(args.deb)
        root = os.path.join(session.scratch, "unpacked")
        command("dpkg-deb", "--extract", args.deb, root, timeout=120)
        check_files(root)
        check_desktop_entry(root)
        check_board(session, root)
        check_lintian(args.deb)

    return run(test, __doc__, args)


if __name__ == "__main__":
    sys.exit(main())
