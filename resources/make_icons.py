#!/usr/bin/env python3
"""Writes the programs' images: the link cursor, the media icons and the
application icons.

Usage: make_icons.py OUTPUT_DIR. Writes hand.cur (a pointing hand, hot spot at
the tip of the index finger), play.ico (a black right-pointing triangle on
light grey) and stop.ico (a black square on light grey), all 32 x 32 pixels
with one bit per pixel, as the resource compiler takes them; and quizz.ico,
quizzpack.ico and atelier.ico, the programs' application icons: a speech
bubble holding a question mark, blue for the player, orange for the command-
line tool and green for the editor, at 16, 32 and 48 pixels as 32-bit images
with their AND masks (which Windows XP reads) and at 256 pixels as a PNG
(which Windows Vista and later read).
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 32
LIGHT_GREY = (192, 192, 192)

# '#' black, '.' white, ' ' transparent (the screen shows through).
HAND = [
    "      ##",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..###",
    "     #..#..###",
    "     #..#..#..##",
    "  ## #..#..#..#.#",
    " #..##........#.#",
    " #...#..........#",
    "  #.............#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #.........#",
    "     #........#",
    "     ##########",
]
HAND_HOT_SPOT = (6, 0)


def play_pixel(x, y):
    """A triangle pointing right, its tip at the middle of the right side."""
    left, right, top, bottom = 10, 24, 6, 26
    if not (left <= x <= right and top <= y <= bottom):
        return False
    half_height = (bottom - top) / 2 * (right - x) / (right - left)
    return abs(y - (top + bottom) / 2) <= half_height


def stop_pixel(x, y):
    return 9 <= x <= 22 and 9 <= y <= 22


def rows_bottom_up(bit):
    """One bit per pixel, rows bottom-up and padded to 32 bits, as in a DIB."""
    data = bytearray()
    for y in reversed(range(SIZE)):
        row = 0
        for x in range(SIZE):
            row = (row << 1) | bit(x, y)
        data += struct.pack(">I", row)
    return bytes(data)


def image(palette, xor_bit, and_bit):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + rows_bottom_up(xor_bit) + rows_bottom_up(and_bit)


def directory(kind, data, field1, field2):
    """A file of one image: kind 1 is an icon, 2 a cursor (its hot spot in the
    two fields that hold planes and bit count for an icon)."""
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, field1, field2, len(data), 6 + 16)
    return struct.pack("<HHH", 0, kind, 1) + entry + data


def hand_cursor():
    def at(x, y):
        row = HAND[y] if y < len(HAND) else ""
        return row[x] if x < len(row) else " "

    # Index 0 is black and 1 white; the AND mask lets the screen through.
    data = image([(0, 0, 0), (255, 255, 255)],
                 lambda x, y: at(x, y) == ".",
                 lambda x, y: at(x, y) == " ")
    return directory(2, data, *HAND_HOT_SPOT)


def icon(shape):
    # Index 0 is light grey, 1 black; nothing is transparent.
    data = image([LIGHT_GREY, (0, 0, 0)], shape, lambda x, y: False)
    return directory(1, data, 1, 1)


# The application icons. Each size is drawn from the same shapes, measured
# for that size: strokes of whole pixels, edges on pixel boundaries, so that
# the small sizes stay sharp. The shapes are signed distances (negative
# inside); a pixel is covered by how far inside its centre lies.

APPLICATION_SIZES = (16, 32, 48, 256)
PNG_SIZE = 256  # stored as PNG; the others as 32-bit images

PLAYER_COLOURS = {"top": (96, 180, 255), "bottom": (34, 116, 220), "outline": (20, 66, 140),
                  "mark": (255, 255, 255), "shade": (20, 66, 140)}
TOOL_COLOURS = {"top": (255, 186, 64), "bottom": (226, 112, 16), "outline": (130, 56, 0),
                "mark": (255, 255, 255), "shade": (130, 56, 0)}
EDITOR_COLOURS = {"top": (120, 214, 110), "bottom": (46, 150, 60), "outline": (18, 84, 30),
                  "mark": (255, 255, 255), "shade": (18, 84, 30)}


def rounded_box(px, py, left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(px - cx) - (right - left) / 2 + radius
    qy = abs(py - cy) - (bottom - top) / 2 + radius
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - radius


def triangle(px, py, a, b, c):
    """Exact distance to a triangle (negative inside)."""
    def edge(p0, p1):
        ex, ey = p1[0] - p0[0], p1[1] - p0[1]
        wx, wy = px - p0[0], py - p0[1]
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        dx, dy = wx - ex * t, wy - ey * t
        return dx * dx + dy * dy, ex * wy - ey * wx

    edges = [edge(a, b), edge(b, c), edge(c, a)]
    distance = math.sqrt(min(e[0] for e in edges))
    signs = [e[1] > 0 for e in edges]
    inside = all(signs) or not any(signs)
    return -distance if inside else distance


def arc(px, py, cx, cy, radius, start, end, width):
    """A stroke along a circle from angle start to end (degrees, counter-
    clockwise, y pointing down), with round ends."""
    angle = math.degrees(math.atan2(cy - py, px - cx))
    while angle < start:
        angle += 360
    if angle <= end:
        distance = abs(math.hypot(px - cx, py - cy) - radius)
    else:
        ends = [(cx + radius * math.cos(math.radians(t)), cy - radius * math.sin(math.radians(t)))
                for t in (start, end)]
        distance = min(math.hypot(px - x, py - y) for x, y in ends)
    return distance - width / 2


def coverage(distance):
    return max(0.0, min(1.0, 0.5 - distance))


class Measures:
    """The shapes' places at one size, in pixels."""

    def __init__(self, size):
        s = size
        self.size = s
        self.outline = max(1, round(s / 32))
        self.stroke = {16: 2, 32: 4, 48: 6}.get(s, round(s * 0.11 / 2) * 2)
        inset = 0 if s <= 16 else max(1, round(s / 32))
        self.body = (inset, inset, s - inset, round(s * 0.78))
        self.radius = max(3, round(s * 0.2))
        # The tail leaves the body's lower edge left of the middle and points
        # down to the left.
        bottom = self.body[3]
        self.tail = ((round(s * 0.18), bottom - self.radius), (round(s * 0.52), bottom - self.radius),
                     (max(inset + 1, round(s * 0.1)), s - inset))
        # The question mark: a hook, a stem below it, a dot; centred on
        # whole pixels so that the even strokes fill whole columns.
        self.centre = s // 2
        top = self.body[1] + self.outline + max(1, round(s * 0.06))
        self.hook_radius = max(2, round(s * 0.13))
        if s <= 16:
            self.hook_radius = 2
        self.hook_centre = top + self.stroke // 2 + self.hook_radius
        self.stem_bottom = self.hook_centre + self.hook_radius + max(2, round(s * 0.11))
        if s <= 16:
            self.stem_bottom = self.hook_centre + self.hook_radius + 1
        gap = max(1, round(s * 0.06))
        self.dot_top = self.stem_bottom + gap
        self.dot_size = self.stroke + (0 if s <= 16 else round(s * 0.02) * 2)


def bubble_distance(m, x, y):
    left, top, right, bottom = m.body
    return min(rounded_box(x, y, left, top, right, bottom, m.radius), triangle(x, y, *m.tail))


def mark_distance(m, x, y):
    c, w = m.centre, m.stroke
    hook = arc(x, y, c, m.hook_centre, m.hook_radius, -90, 195, w)
    stem = rounded_box(x, y, c - w / 2, m.hook_centre + m.hook_radius - w / 2, c + w / 2,
                       m.stem_bottom, 0.01)
    d = m.dot_size
    dot = rounded_box(x, y, c - d / 2, m.dot_top, c + d / 2, m.dot_top + d, d / 3)
    return min(hook, stem, dot)


def over(under, colour, alpha):
    """colour with alpha laid over an RGBA pixel (straight alpha)."""
    r, g, b, a = under
    out = alpha + a * (1 - alpha)
    if out <= 0:
        return (0, 0, 0, 0)
    mix = [(colour[i] * alpha + under[i] * a * (1 - alpha)) / out for i in range(3)]
    return (mix[0], mix[1], mix[2], out)


def application_pixels(size, colours):
    """Rows top to bottom of (r, g, b, a) bytes."""
    m = Measures(size)
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            x, y = i + 0.5, j + 0.5
            bubble = bubble_distance(m, x, y)
            t = min(1.0, max(0.0, (y - m.body[1]) / (m.body[3] - m.body[1])))
            fill = tuple(colours["top"][k] * (1 - t) + colours["bottom"][k] * t for k in range(3))
            pixel = over((0, 0, 0, 0), colours["outline"], coverage(bubble))
            pixel = over(pixel, fill, coverage(bubble + m.outline))
            if size >= 48:
                # A soft shade under the mark, where there is room for it.
                offset = m.outline
                shade = coverage(mark_distance(m, x - offset / 2, y - offset))
                pixel = over(pixel, colours["shade"], 0.35 * shade * coverage(bubble + m.outline))
            pixel = over(pixel, colours["mark"], coverage(mark_distance(m, x, y)))
            row.append(tuple(min(255, max(0, round(v * (255 if k == 3 else 1))))
                             for k, v in enumerate(pixel)))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: header, BGRA rows bottom-up, then the AND mask
    (set where the pixel is wholly transparent), rows padded to 32 bits."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colours += bytes((b, g, r, a) if a else (0, 0, 0, 0))
        bits = 0
        for _, _, _, a in row:
            bits = (bits << 1) | (a == 0)
        padded = (size + 31) // 32 * 32
        mask += (bits << (padded - size)).to_bytes(padded // 8, "big")
    return header + bytes(colours) + bytes(mask)


def png(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def icon_file(images):
    """An .ico file of (size, data) images, the data in directory order."""
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(d for _, d in images)


def application_icon(colours):
    images = []
    for size in APPLICATION_SIZES:
        rows = application_pixels(size, colours)
        images.append((size, png(rows) if size == PNG_SIZE else dib(rows)))
    return icon_file(images)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "hand.cur").write_bytes(hand_cursor())
    (out / "play.ico").write_bytes(icon(play_pixel))
    (out / "stop.ico").write_bytes(icon(stop_pixel))
    (out / "quizz.ico").write_bytes(application_icon(PLAYER_COLOURS))
    (out / "quizzpack.ico").write_bytes(application_icon(TOOL_COLOURS))
    (out / "atelier.ico").write_bytes(application_icon(EDITOR_COLOURS))


if __name__ == "__main__":
    main()
