"""The game window as a player sees it: where its controls lie, the texts of the result, and the
board by its pixels: its look at opening and the wait for a deal, one probe for every test."""

from .checks import check, wait_until
from .pictures import near

# The game window's layout, in content coordinates (left, top, width, height).
WINDOW_SIZE = (570, 510)
RESULT_SIZE = (388, 100)
FACE_SIZE = (70, 160)
FRAMES = [(21, 69), (132, 67), (241, 67), (355, 69), (457, 67),
          (21, 258), (132, 258), (241, 258), (355, 259), (462, 259)]
FACES = [(31, 75), (142, 73), (251, 74), (365, 75), (467, 73),
         (31, 263), (142, 264), (251, 264), (365, 265), (472, 265)]
START_BUTTON = (457, 10, 69, 22)
LABEL1 = (404, 472, 100, 20)
SCORE_FIELD = (55, 454, 60, 20)
TOTAL_FIELD = (55, 482, 60, 20)
TIME_FIELD = (203, 455, 60, 20)
KAISU_FIELD = (325, 454, 60, 20)
HIGH_SCORE_FIELD = (203, 482, 60, 20)
SHOGO_TEXT = (316, 483, 91, 20)
# The result window's controls, in its own content coordinates.
MESSAGE_LABEL = (20, 14, 348, 52)
OK_BUTTON = (240, 71, 69, 22)

ORANGE = (0xFF, 0x90, 0x29)
# Places on the game window where nothing but its orange background lies.
BACKGROUND_PROBES = [(8, 150), (120, 150), (230, 60), (450, 60), (560, 150), (560, 400),
                     (120, 420), (300, 245), (10, 30)]

TITLES = [(170, "大歌聖"), (160, "歌聖"), (150, "六歌仙"), (140, "三十六歌仙"), (130, "左大臣"),
          (120, "右大臣"), (110, "大納言"), (80, "中納言"), (70, "さきもり"), (40, "さきもり")]


def title_for(total):
    for threshold, title in TITLES:
        if threshold <= total:
            return title
    return "詠み人知らず"


def result_lines(total):
    return ["ゲーム終了です。", "あなたの総得点は%dです。" % total, "あなたの称号は%sです。" % title_for(total)]


def shows_result(total):
    """A predicate on a shown text: the three lines of the result of a game with that total
    (the label shows the CR-separated text as lines)."""
    return lambda text: text is not None and text.splitlines() == result_lines(total)


def centre(rect):
    return (rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


def face_rect(slot):
    return FACES[slot] + FACE_SIZE


def face_points(slot):
    """A grid of points over a face, inside its edge: 5 across, 9 down."""
    left, top, width, height = face_rect(slot)
    return [(left + 4 + i * (width - 8) // 4, top + 4 + j * (height - 8) // 8)
            for i in range(5) for j in range(9)]


def rim_point(slot):
    """A point of the frame around a face, left of it."""
    fx, fy = FRAMES[slot]
    return (fx + 4, fy + 85)


def empty_share(game, image, slot, empty):
    """The share of the face's points that show the colour `empty`."""
    points = face_points(slot)
    return sum(near(game.local(image, x, y), empty) for x, y in points) / len(points)


def face_pixels(game, image, slot):
    """The face's pixels as shown, to tell faces apart."""
    left, top, width, height = face_rect(slot)
    return bytes(b for y in range(top, top + height) for x in range(left, left + width)
                 for b in game.local(image, x, y))


def check_opening(game, image, empty, empty_name):
    """The board as a game opens it: orange at the background probes, and every slot, its face
    and its frame, in the colour of the empty slot (`empty`, named `empty_name`): the green
    picture, or the orange board where the program found no picture."""
    for x, y in BACKGROUND_PROBES:
        colour = game.local(image, x, y)
        check(near(colour, ORANGE), "the board is not orange at %d,%d: %r" % (x, y, colour))
    for slot in range(10):
        for x, y in face_points(slot) + [rim_point(slot)]:
            colour = game.local(image, x, y)
            check(near(colour, empty), "slot %d is not %s at %d,%d: %r" % (slot, empty_name, x, y, colour))


def wait_for_deal(game, empty, blank=(), before=None, timeout=5, label="dealt"):
    """Waits until the faces show a deal: a card on every slot but the `blank` ones, whose faces
    paint nothing, so that the colour beneath (`empty`) shows all over them; the cards differ
    from one another, and the faces from `before` (a former deal's); two screenshots in a row
    agree, so the deal is painted whole. Returns that screenshot and the faces' pixels."""
    seen = []

    def dealt():
        image = game.shot(label)
        shares = [empty_share(game, image, slot, empty) for slot in range(10)]
        bare = [slot for slot in range(10) if slot not in blank and shares[slot] > 0.5]
        check(not bare, "faces %s still show no card" % bare)
        painted = [slot for slot in blank if shares[slot] < 1]
        check(not painted, "faces %s paint a picture where none can be read" % painted)
        faces = [face_pixels(game, image, slot) for slot in range(10)]
        check(faces != before, "the faces did not change")
        cards = [slot for slot in range(10) if slot not in blank]
        alike = [(a, b) for a in cards for b in cards if a < b and faces[a] == faces[b]]
        check(not alike, "faces %s show the same picture" % alike)
        steady = bool(seen) and seen[-1][1] == faces
        seen.append((image, faces))
        return steady

    wait_until(dealt, timeout, "the deal (%s)" % label, interval=0.2)
    return seen[-1]
