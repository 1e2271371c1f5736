"""RGB images: pixels by position, PNG files written (the screenshots kept from a failed run)
and read (the program's card pictures), and colours compared with a tolerance."""

import os
import struct
import zlib

from .checks import check


class Image:
    """RGB pixels, row-major, three bytes each."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb_bytes = width, height, rgb

    def rgb(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, "pixel %d,%d lies outside the picture" % (x, y))
        i = (y * self.width + x) * 3
        return tuple(self.rgb_bytes[i:i + 3])

    def save_png(self, path):
        raw = bytearray()
        stride = self.width * 3
        for y in range(self.height):
            raw.append(0)
            raw += self.rgb_bytes[y * stride:(y + 1) * stride]

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 6)))
            f.write(chunk(b"IEND", b""))


def read_png(path):
    """An Image of an 8-bit RGB or RGBA PNG file (alpha dropped), enough for the card pictures."""
    data = open(path, "rb").read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG file" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    check(depth == 8 and colour in (2, 6) and interlace == 0, "%s: unsupported PNG form %r" % (path, header))
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    out = bytearray()
    prior = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = prior[i]
            c = prior[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + b) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        prior = row
        for x in range(width):
            out += row[x * channels:x * channels + 3]
    return Image(width, height, out)


def near(a, b, tolerance=12):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def picture_names():
    """The program's picture files: the hundred cards and the empty slot."""
    return ["karuta%d.png" % n for n in range(100)] + ["Green.png"]


def green_reference(pictures):
    """The colour of the empty-slot picture, from the file the game shows."""
    image = read_png(os.path.join(pictures, "Green.png"))
    colour = image.rgb(image.width // 2, image.height // 2)
    check(colour[1] > colour[0] + 30 and colour[1] > colour[2] + 30,
          "Green.png is not green in its middle: %r" % (colour,))
    return colour
