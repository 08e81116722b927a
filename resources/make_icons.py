#!/usr/bin/env python3
"""Writes the player's two-colour images: the link cursor and the media icons.

Usage: make_icons.py OUTPUT_DIR. Writes hand.cur (a pointing hand, hot spot at
the tip of the index finger), play.ico (a black right-pointing triangle on
light grey) and stop.ico (a black square on light grey), all 32 x 32 pixels
with one bit per pixel, as the resource compiler takes them.
"""
import struct
import sys
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


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "hand.cur").write_bytes(hand_cursor())
    (out / "play.ico").write_bytes(icon(play_pixel))
    (out / "stop.ico").write_bytes(icon(stop_pixel))


if __name__ == "__main__":
    main()
