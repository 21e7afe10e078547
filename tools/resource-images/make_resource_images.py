#!/usr/bin/env python3
"""Writes the input method's small pictures: the About box bitmap (src/res/about.bmp), the hand
cursor (src/res/hand.cur, hot spot at the finger tip) and the product's icon (src/res/zelk.ico,
the About picture at 32 and 16 pixels, which Settings → Apps shows beside the product's name). Both are drawn here as character
grids, so that the checked-in files can be made again and changed in one place.

    tools/resource-images/make_resource_images.py [OUTPUT_DIR]   (default: src/res)
"""
import os
import struct
import sys

# The About picture, 48 by 48: a green mountain in a pale sky with a band of mist ("qinglan").
ABOUT_SIZE = 48
SKY = (0xE8, 0xF1, 0xFA)
FAR = (0x7F, 0xB8, 0x8C)
NEAR = (0x2E, 0x7D, 0x4F)
MIST = (0xF7, 0xFA, 0xFC)
SUN = (0xF2, 0xB1, 0x3C)


def about_pixel(x, y):
    if (x - 36) ** 2 + (y - 11) ** 2 <= 25:
        return SUN
    if 30 <= y <= 32 and (x + y) % 7 != 0:
        return MIST
    if y >= 18 + abs(x - 14) * 1.1:
        return NEAR
    if y >= 14 + abs(x - 30) * 0.8:
        return FAR
    return SKY


def about_bitmap():
    row_bytes = (ABOUT_SIZE * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(ABOUT_SIZE)):  # bottom-up rows
        row = bytearray()
        for x in range(ABOUT_SIZE):
            r, g, b = about_pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, ABOUT_SIZE, ABOUT_SIZE, 1, 24, 0, len(pixels), 2835,
                       2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


# The hand cursor, 32 by 32: '.' transparent, 'X' black outline, 'o' white. The finger tip's top
# edge holds the hot spot (13, 1).
HAND = """
................................
............XXXX................
...........XooooX...............
...........XooooX...............
...........XooooX...............
...........XooooX...............
...........XooooXXXX............
...........XooooXoooXXX.........
...........XooooXoooXooXX.......
...........XooooXoooXooXoX......
.......XXX.XooooXoooXooXooX.....
......XoooXXoooooooooooooooX....
......XooooXoooooooooooooooX....
.......XoooXoooooooooooooooX....
.......XooooooooooooooooooX.....
........XoooooooooooooooooX.....
........XoooooooooooooooooX.....
.........XooooooooooooooooX.....
.........XoooooooooooooooX......
..........XooooooooooooooX......
..........XoooooooooooooX.......
...........XooooooooooooX.......
...........XooooooooooooX.......
...........XXXXXXXXXXXXXX.......
................................
................................
................................
................................
................................
................................
................................
................................
"""
HOT_SPOT = (13, 1)


def mask_rows(grid, bit_for):
    data = bytearray()
    for line in reversed(grid):  # bottom-up rows, 4 bytes each
        value = 0
        for x, cell in enumerate(line):
            if bit_for(cell):
                value |= 1 << (31 - x)
        data += struct.pack(">I", value)
    return data


def hand_cursor():
    grid = HAND.strip().splitlines()
    assert len(grid) == 32 and all(len(line) == 32 for line in grid)
    assert grid[HOT_SPOT[1]][HOT_SPOT[0]] == "X"
    xor = mask_rows(grid, lambda c: c == "o")
    and_mask = mask_rows(grid, lambda c: c == ".")
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(and_mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0))
    image = info + palette + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def icon_image(size):
    """A 32-bit icon image of the About picture, scaled to size by nearest pixel, fully opaque."""
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for x in range(size):
            r, g, b = about_pixel(x * ABOUT_SIZE // size, y * ABOUT_SIZE // size)
            pixels += bytes((b, g, r, 0xFF))
    and_mask = b"\0" * (((size + 31) // 32) * 4 * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                       len(pixels) + len(and_mask), 0, 0, 0, 0)
    return info + pixels + and_mask


def product_icon():
    images = [icon_image(32), icon_image(16)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip((32, 16), images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "res")
    with open(os.path.join(out, "about.bmp"), "wb") as f:
        f.write(about_bitmap())
    with open(os.path.join(out, "hand.cur"), "wb") as f:
        f.write(hand_cursor())
    with open(os.path.join(out, "zelk.ico"), "wb") as f:
        f.write(product_icon())


if __name__ == "__main__":
    main()
