#!/usr/bin/env python3
"""Draws the skin pictures of the input method's windows as 24-bit Windows BMP files:

    skip0c, skip0cg   candidate window backgrounds (vertical panel, horizontal bar)
    skip0fy           the four paging buttons and their pressed squares
    skip0lx           the association mark of the candidate window
    skip0s            the composition window background
    skips, skipsz     the plain status bar (four bands) and its word-making indicator
    skip1..skip6      the six skin backgrounds of the status window
    skipc1..skipc6    the six button sheets (off row, on row) of those skins

The windows copy fixed rectangles out of these files, so every picture keeps the places that the
windows read; only colours and glyphs may change. The output depends only on this file, Pillow
and FreeType, so the checked-in files can be made again byte for byte:

    /usr/bin/python3 tools/skin-pictures/make_skin_pictures.py data/zelk/skip
    /usr/bin/python3 tools/skin-pictures/make_skin_pictures.py OUTDIR --contact-sheet sheet.png
"""
import argparse
import os
import struct
from collections import namedtuple

from PIL import Image, ImageDraw, ImageFont

FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

Theme = namedtuple("Theme", "chrome edge field field_edge ink faint accent accent_edge on_ink "
                   "hover hover_edge")

# The plain windows (no skin): pale grey-blue chrome around white text fields, teal accents.
PLAIN = Theme(chrome=(0xEC, 0xF0, 0xF4), edge=(0x8E, 0x9B, 0xAB), field=(0xFF, 0xFF, 0xFF),
              field_edge=(0xC6, 0xCF, 0xDA), ink=(0x33, 0x41, 0x55), faint=(0xA9, 0xB4, 0xC2),
              accent=(0x2A, 0x7F, 0x74), accent_edge=(0x1C, 0x5C, 0x54),
              on_ink=(0xFF, 0xFF, 0xFF), hover=(0xD6, 0xEB, 0xE7), hover_edge=(0x7F, 0xB5, 0xAC))

# Skins 1 to 6: light, dark (dark chrome around light text fields), green, blue, amber, plum.
SKIN_THEMES = {
    1: Theme(chrome=(0xF4, 0xF3, 0xEF), edge=(0x9A, 0x97, 0x8E), field=(0xFF, 0xFF, 0xFF),
             field_edge=(0xD3, 0xD0, 0xC8), ink=(0x3B, 0x3A, 0x36), faint=(0xB5, 0xB2, 0xAA),
             accent=(0x4A, 0x5D, 0x78), accent_edge=(0x33, 0x42, 0x57),
             on_ink=(0xFF, 0xFF, 0xFF), hover=None, hover_edge=None),
    2: Theme(chrome=(0x2C, 0x30, 0x37), edge=(0x12, 0x14, 0x18), field=(0xF3, 0xF3, 0xEF),
             field_edge=(0x5A, 0x60, 0x6B), ink=(0xD9, 0xDE, 0xE6), faint=(0x6E, 0x75, 0x80),
             accent=(0xE3, 0x9B, 0x32), accent_edge=(0xF5, 0xC0, 0x6E),
             on_ink=(0x1D, 0x1F, 0x24), hover=None, hover_edge=None),
    3: Theme(chrome=(0xDC, 0xEC, 0xDE), edge=(0x6E, 0x9A, 0x78), field=(0xFA, 0xFD, 0xFA),
             field_edge=(0xAE, 0xCD, 0xB4), ink=(0x24, 0x4E, 0x31), faint=(0x9C, 0xBF, 0xA3),
             accent=(0x2E, 0x7D, 0x4F), accent_edge=(0x1F, 0x5A, 0x38),
             on_ink=(0xFF, 0xFF, 0xFF), hover=None, hover_edge=None),
    4: Theme(chrome=(0xDA, 0xE6, 0xF6), edge=(0x6A, 0x8C, 0xBD), field=(0xFA, 0xFC, 0xFF),
             field_edge=(0xA9, 0xC1, 0xE2), ink=(0x1F, 0x3C, 0x6B), faint=(0x9A, 0xB2, 0xD4),
             accent=(0x2F, 0x64, 0xB0), accent_edge=(0x1F, 0x46, 0x80),
             on_ink=(0xFF, 0xFF, 0xFF), hover=None, hover_edge=None),
    5: Theme(chrome=(0xF7, 0xE6, 0xC8), edge=(0xC0, 0x8A, 0x45), field=(0xFF, 0xFC, 0xF5),
             field_edge=(0xE3, 0xC2, 0x8E), ink=(0x6B, 0x3B, 0x0E), faint=(0xD2, 0xAE, 0x7C),
             accent=(0xC0, 0x66, 0x1E), accent_edge=(0x8E, 0x47, 0x10),
             on_ink=(0xFF, 0xFF, 0xFF), hover=None, hover_edge=None),
    6: Theme(chrome=(0xF0, 0xDE, 0xEA), edge=(0xA6, 0x6A, 0x90), field=(0xFF, 0xFA, 0xFD),
             field_edge=(0xDA, 0xB4, 0xCB), ink=(0x5C, 0x22, 0x47), faint=(0xC9, 0xA2, 0xBA),
             accent=(0x9B, 0x3B, 0x6E), accent_edge=(0x6E, 0x25, 0x4D),
             on_ink=(0xFF, 0xFF, 0xFF), hover=None, hover_edge=None),
}

# Width, Height, CodeX, CodeY, CandX, CandY, CandLimit, ButtonsX, ButtonsY, Vertical, AssocX of
# each skin, as the status window places things on it.
Layout = namedtuple("Layout", "width height code_x code_y cand_x cand_y cand_limit buttons_x "
                    "buttons_y vertical assoc_x")
SKIN_LAYOUTS = {
    1: Layout(189, 214, 74, 3, 7, 28, 160, 65, 191, 1, 164),
    2: Layout(426, 49, 75, 3, 7, 28, 390, 301, 3, 0, 142),
    3: Layout(600, 71, 15, 3, 7, 25, 570, 474, 3, 0, 454),
    4: Layout(184, 54, 7, 4, 7, 30, 160, 60, 4, 0, 60),
    5: Layout(800, 28, 30, 4, 90, 7, 560, 672, 4, 0, 2),
    6: Layout(643, 28, 30, 4, 90, 7, 415, 513, 4, 0, 2),
}
SECOND_ROW_SKIN = 3  # its candidates fill two rows, the second 23 pixels below the first
SECOND_ROW_OFFSET = 23
TEXT_HEIGHT = 16  # the interface font's cell height
CODE_WIDTH = 54  # six code keys of the interface font, with room to spare
CAND_OVERRUN = 16  # a row may end past CandLimit by the width of its "n:" prefix

# Glyphs drawn pixel by pixel, where a font would blur at this size.
FIRST_PAGE = ["X....X", "X...XX", "X..XXX", "X.XXXX", "X.XXXX", "X..XXX", "X...XX", "X....X"]
PREVIOUS_PAGE = ["...X", "..XX", ".XXX", "XXXX", "XXXX", ".XXX", "..XX", "...X"]
NEXT_PAGE = [row[::-1] for row in PREVIOUS_PAGE]
LAST_PAGE = [row[::-1] for row in FIRST_PAGE]
PAGING_GLYPHS = [FIRST_PAGE, PREVIOUS_PAGE, NEXT_PAGE, LAST_PAGE]
ASCII_PUNCTUATION = ["XXX.....XXX", "XXX.....XXX", "XXX.....XXX", "..X........", ".X.........",
                     "X.........."]
CHINESE_PUNCTUATION = [
    ".XX.......XXX.",
    "XXXX.....X...X",
    "XXXX.....X...X",
    ".XXX.....X...X",
    "..XX......XXX.",
    ".XX...........",
    "XX............",
]
KEYBOARD = [
    "XXXXXXXXXXXXX",
    "X...........X",
    "X.X.X.X.X.X.X",
    "X...........X",
    "X..X.X.X.X..X",
    "X...........X",
    "X..XXXXXXX..X",
    "X...........X",
    "XXXXXXXXXXXXX",
]

# Faces: ("text", string, font size) or ("art", grid). A button has an off face and an on face.
Button = namedtuple("Button", "x width off on hover")
BAR_BUTTONS = [
    Button(3, 20, ("text", "中", 14), ("text", "英", 14), True),
    Button(23, 66, ("text", "青岚形码", 13), ("text", "远山笔", 13), False),
    Button(96, 20, ("text", "半", 14), ("text", "全", 14), True),
    Button(116, 20, ("art", ASCII_PUNCTUATION), ("art", CHINESE_PUNCTUATION), True),
    Button(136, 20, ("art", KEYBOARD), ("art", KEYBOARD), True),
]
BAR_WIDTH, BAND_HEIGHT = 158, 22
WORD_MAKING = ("text", "造", 14)
ASSOCIATION = ("text", "联", 13)
SHEET_BUTTONS = [  # columns 20, 40, ... 120 of a skin's button sheet
    (("text", "GB", 9), ("text", "GBK", 9)),
    (WORD_MAKING, WORD_MAKING),
    (("text", "中", 14), ("text", "英", 14)),
    (("text", "半", 14), ("text", "全", 14)),
    (("art", ASCII_PUNCTUATION), ("art", CHINESE_PUNCTUATION)),
    (("art", KEYBOARD), ("art", KEYBOARD)),
]


def font(size):
    return ImageFont.truetype(FONT_PATH, size)


def draw_face(img, box, face, colour):
    """Draws a face with its ink centred in box (left, top, right, bottom, inclusive)."""
    left, top, right, bottom = box
    if face[0] == "art":
        grid = face[1]
        x0 = left + (right - left + 1 - len(grid[0])) // 2
        y0 = top + (bottom - top + 1 - len(grid)) // 2
        for dy, row in enumerate(grid):
            for dx, cell in enumerate(row):
                if cell == "X":
                    img.putpixel((x0 + dx, y0 + dy), colour)
        return
    _, text, size = face
    f = font(size)
    mask = Image.new("L", (size * (len(text) + 1), size * 2), 0)
    ImageDraw.Draw(mask).text((size // 2, size // 2), text, fill=255, font=f)
    ink = mask.crop(mask.getbbox())
    x0 = left + (right - left + 1 - ink.width) // 2
    y0 = top + (bottom - top + 1 - ink.height) // 2
    img.paste(Image.new("RGB", ink.size, colour), (x0, y0), ink)


def draw_button(img, x, y, width, height, face, theme, state):
    """A button face in a cell: "off" flat, "hover" tinted, "on" filled with the accent,
    "hover-on" the accent with a light rim. The outermost ring of the cell stays chrome so that
    neighbouring cells never touch."""
    d = ImageDraw.Draw(img)
    inner = (x + 1, y + 1, x + width - 2, y + height - 2)
    ink = theme.ink
    if state == "hover":
        d.rounded_rectangle(inner, 3, fill=theme.hover, outline=theme.hover_edge)
    elif state in ("on", "hover-on"):
        rim = theme.hover_edge if state == "hover-on" else theme.accent_edge
        d.rounded_rectangle(inner, 3, fill=theme.accent, outline=rim)
        if state == "hover-on":
            d.rounded_rectangle((inner[0] + 1, inner[1] + 1, inner[2] - 1, inner[3] - 1), 2,
                                outline=theme.hover)
        ink = theme.on_ink
    draw_face(img, inner, face, ink)


def framed(width, height, theme):
    """Chrome with a one-pixel rounded border: the body of every window."""
    img = Image.new("RGB", (width, height), theme.chrome)
    ImageDraw.Draw(img).rounded_rectangle((0, 0, width - 1, height - 1), 3, fill=theme.chrome,
                                          outline=theme.edge)
    return img


def draw_field(img, box, theme):
    """A light text field for black text, with a thin edge."""
    ImageDraw.Draw(img).rectangle(box, fill=theme.field, outline=theme.field_edge)


def association_mark(img, x, y, theme, on):
    """A 16 by 16 badge with 联; faint and hollow when no association list is shown."""
    d = ImageDraw.Draw(img)
    box = (x, y, x + 15, y + 15)
    if on:
        d.rounded_rectangle(box, 3, fill=theme.accent, outline=theme.accent_edge)
        draw_face(img, box, ASSOCIATION, theme.on_ink)
    else:
        d.rounded_rectangle(box, 3, fill=theme.chrome, outline=theme.faint)
        draw_face(img, box, ASSOCIATION, theme.faint)


# The plain windows.


def vertical_candidates():
    img = framed(184, 192, PLAIN)
    # Text runs from x 6 and is cut at x 177; the margin right of the field stays chrome.
    draw_field(img, (3, 20, 176, 188), PLAIN)
    return img


def horizontal_candidates():
    img = framed(566, 26, PLAIN)
    # The association mark sits left of the field, the paging strip (504..554) right of it.
    draw_field(img, (26, 2, 497, 23), PLAIN)
    return img


def paging_buttons():
    """Four buttons in one 48 by 12 strip, and each one's pressed square at (13(k-1), 13): the
    window puts that square one pixel further right per button, so the glyph is centred in the
    square itself and the press reads as a sunken, shifted button."""
    img = Image.new("RGB", (51, 25), PLAIN.chrome)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((0, 0, 47, 11), 2, fill=PLAIN.field, outline=PLAIN.field_edge)
    for k, glyph in enumerate(PAGING_GLYPHS):
        draw_face(img, (12 * k, 0, 12 * k + 11, 11), ("art", glyph), PLAIN.accent)
        square = (13 * k, 13, 13 * k + 11, 24)
        d.rectangle(square, fill=PLAIN.accent_edge, outline=PLAIN.ink)
        draw_face(img, square, ("art", glyph), PLAIN.on_ink)
    return img


def association_picture():
    img = Image.new("RGB", (16, 16), PLAIN.chrome)
    association_mark(img, 0, 0, PLAIN, True)
    return img


def composition_background():
    img = framed(58, 26, PLAIN)
    draw_field(img, (2, 2, 55, 23), PLAIN)
    return img


def status_bar():
    """Four bands of 22: normal (all off), hover over an off button, all on, hover over an on
    button. Band 0 is the whole background; the window copies single buttons from the others."""
    img = Image.new("RGB", (BAR_WIDTH, 4 * BAND_HEIGHT), PLAIN.chrome)
    for band, state in enumerate(["off", "hover", "on", "hover-on"]):
        top = band * BAND_HEIGHT
        img.paste(framed(BAR_WIDTH, BAND_HEIGHT, PLAIN), (0, top))
        for b in BAR_BUTTONS:
            face = b.on if state in ("on", "hover-on") else b.off
            # The code-set name is a label: the window never shows it hovered or highlighted.
            if not b.hover:
                draw_face(img, (b.x, top + 1, b.x + b.width - 1, top + 20), face, PLAIN.ink)
                continue
            draw_button(img, b.x, top + 1, b.width, 20, face, PLAIN, state)
    return img


def word_making_indicator():
    img = Image.new("RGB", (20, 40), PLAIN.chrome)
    draw_button(img, 0, 0, 20, 20, WORD_MAKING, PLAIN, "on")
    draw_button(img, 0, 20, 20, 20, WORD_MAKING, PLAIN, "hover-on")
    return img


# The skins.


def row_box(x0, x1, y):
    return [x0, y - 1, x1, y + TEXT_HEIGHT + 1]


def skin_fields(number):
    """The light fields under the typed code and the candidates, as (left, top, right, bottom).
    Fields on the same row share their top and bottom; none runs into the button row."""
    lay = SKIN_LAYOUTS[number]
    code = row_box(lay.code_x - 3, lay.code_x + CODE_WIDTH, lay.code_y)
    right = min(lay.width - 4, lay.cand_x + lay.cand_limit + CAND_OVERRUN)
    if lay.vertical:
        cand = [lay.cand_x - 3, lay.cand_y - 1, right, lay.cand_y + 10 * TEXT_HEIGHT + 1]
    else:
        cand = row_box(lay.cand_x - 3, right, lay.cand_y)
    rows = 2 if number == SECOND_ROW_SKIN else 1
    cand[3] += (rows - 1) * SECOND_ROW_OFFSET
    buttons = (lay.buttons_y, lay.buttons_y + 19)
    for box in (code, cand):
        if box[1] <= buttons[1] and box[3] >= buttons[0]:
            box[2] = min(box[2], lay.buttons_x - 3)
    if code[1] <= cand[3] and code[3] >= cand[1]:
        code[1] = cand[1] = min(code[1], cand[1])
        code[3] = cand[3] = max(code[3], cand[3])
    return [tuple(code), tuple(cand)]


def skin_background(number):
    layout, theme = SKIN_LAYOUTS[number], SKIN_THEMES[number]
    img = framed(layout.width, layout.height, theme)
    for box in skin_fields(number):
        draw_field(img, box, theme)
    return img


def button_sheet(number):
    """Row 0 off, row 20 on; the association mark is read 21 wide, so the GBK cell's first
    column is plain chrome, as is every cell's outer ring."""
    theme = SKIN_THEMES[number]
    img = Image.new("RGB", (140, 40), theme.chrome)
    for row, on in enumerate((False, True)):
        association_mark(img, 2, 20 * row + 2, theme, on)
        for column, faces in enumerate(SHEET_BUTTONS):
            x = 20 + 20 * column
            draw_button(img, x, 20 * row, 20, 20, faces[row], theme, "on" if on else "off")
    return img


def pictures():
    """All pictures as (file name, image), in a fixed order."""
    out = [
        ("skip0c.bmp", vertical_candidates()),
        ("skip0cg.bmp", horizontal_candidates()),
        ("skip0fy.bmp", paging_buttons()),
        ("skip0lx.bmp", association_picture()),
        ("skip0s.bmp", composition_background()),
        ("skips.bmp", status_bar()),
        ("skipsz.bmp", word_making_indicator()),
    ]
    out += [("skip%d.bmp" % n, skin_background(n)) for n in SKIN_LAYOUTS]
    out += [("skipc%d.bmp" % n, button_sheet(n)) for n in SKIN_LAYOUTS]
    return out


def bmp_bytes(img):
    """24-bit uncompressed BMP with a BITMAPINFOHEADER, rows bottom-up, as LoadImageA reads it."""
    width, height = img.size
    row_bytes = (width * 3 + 3) & ~3
    raw = img.convert("RGB").tobytes("raw", "BGR")
    pixels = bytearray()
    for y in reversed(range(height)):
        pixels += raw[y * width * 3:(y + 1) * width * 3]
        pixels += b"\0" * (row_bytes - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0,
                       0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


SAMPLE_WORDS = ["青岚", "形码", "输入法", "山", "远山笔", "岚", "清", "青", "晴", "情"]


def contact_sheet(items):
    """Every picture at twice its size with its name, then each window put together as it is
    shown, with sample text in black, for people to judge the look."""
    by_name = dict(items)
    shown = [(name, img) for name, img in items] + plain_mockups(by_name)
    shown += [("skin %d in use" % n, skin_mockup(n, by_name)) for n in SKIN_LAYOUTS]
    shown = [(name, img.resize((img.width * 2, img.height * 2), Image.NEAREST))
             for name, img in shown]
    width = max(img.width for _, img in shown) + 20
    height = sum(img.height + 28 for _, img in shown) + 10
    sheet = Image.new("RGB", (width, height), (0x80, 0x80, 0x80))
    d = ImageDraw.Draw(sheet)
    y = 6
    for name, img in shown:
        d.text((10, y), name, fill=(0xFF, 0xFF, 0xFF), font=font(14))
        sheet.paste(img, (10, y + 20))
        y += img.height + 28
    return sheet


def write_candidates(img, x, y, vertical, limit, gap, words):
    """Sample candidates in black, one per line or side by side until the row limit, at most a
    page of ten; returns how many were written."""
    d, f = ImageDraw.Draw(img), font(16)
    s = t = 0
    for k, word in enumerate(words[:10], 1):
        w = int(f.getlength(word))
        if not vertical and k > 1 and s + w >= limit:
            return k - 1
        d.text((x + s, y + t), "%d:%s" % (k % 10, word), fill=(0, 0, 0), font=f)
        t, s = (t + TEXT_HEIGHT, s) if vertical else (t, s + w + gap)
    return min(len(words), 10)


def paste_from(img, source, box, at):
    img.paste(source.crop((box[0], box[1], box[0] + box[2], box[1] + box[3])), at)


def plain_mockups(by_name):
    fy, bar = by_name["skip0fy.bmp"], by_name["skips.bmp"]
    panel = by_name["skip0c.bmp"].copy()
    paste_from(panel, fy, (0, 0, 48, 12), (128, 4))
    paste_from(panel, fy, (39, 13, 12, 12), (128 + 39, 4))
    paste_from(panel, by_name["skip0lx.bmp"], (0, 0, 16, 16), (2, 3))
    write_candidates(panel, 6, 22, True, 0, 0, SAMPLE_WORDS[:9] + ["很长的候选词会在右边被截断"])
    paste_from(panel, by_name["skip0c.bmp"], (177, 0, 7, 192), (177, 0))
    strip = by_name["skip0cg.bmp"].copy()
    paste_from(strip, by_name["skip0lx.bmp"], (0, 0, 16, 16), (3, 4))
    paste_from(strip, fy, (0, 0, 48, 12), (504, 6))
    paste_from(strip, fy, (13, 13, 12, 12), (504 + 13, 6))
    write_candidates(strip, 30, 5, False, 446, 27, SAMPLE_WORDS)
    comp = by_name["skip0s.bmp"].copy()
    ImageDraw.Draw(comp).text((5, 4), "qlxmab", fill=(0, 0, 0), font=font(16))
    english = bar.crop((0, 0, BAR_WIDTH, BAND_HEIGHT))
    paste_from(english, bar, (3, 44, 20, 22), (3, 0))
    paste_from(english, bar, (96, 22, 20, 22), (96, 0))
    making = bar.crop((0, 0, BAR_WIDTH, BAND_HEIGHT))
    paste_from(making, by_name["skipsz.bmp"], (0, 0, 20, 20), (3, 1))
    paste_from(making, bar, (23, 44, 66, 22), (23, 0))
    paste_from(making, bar, (116, 66, 20, 22), (116, 0))
    return [("candidate panel, last page pressed, association", panel),
            ("candidate bar, previous page pressed", strip), ("composition window", comp),
            ("status bar: English, pointer over half width", english),
            ("status bar: word making, second code set, pointer over Chinese punctuation", making)]


def skin_mockup(number, by_name):
    lay = SKIN_LAYOUTS[number]
    img = by_name["skip%d.bmp" % number].copy()
    buttons = by_name["skipc%d.bmp" % number]
    paste_from(img, buttons, (0, 20, 21, 20), (lay.assoc_x, lay.code_y))
    for i in range(6):
        paste_from(img, buttons, (20 + 20 * i, 20 * (i % 2), 20, 20),
                   (lay.buttons_x + 20 * i, lay.buttons_y))
    ImageDraw.Draw(img).text((lay.code_x, lay.code_y), "qlxm", fill=(0, 0, 0), font=font(16))
    words = SAMPLE_WORDS * 2
    for row in range(2 if number == SECOND_ROW_SKIN else 1):
        words = words[write_candidates(img, lay.cand_x, lay.cand_y + row * SECOND_ROW_OFFSET,
                                       lay.vertical, lay.cand_limit, 30, words):]
    return img


def main():
    parser = argparse.ArgumentParser(description="Draws the skin pictures as BMP files.")
    parser.add_argument("outdir")
    parser.add_argument("--contact-sheet", metavar="PATH")
    args = parser.parse_args()
    items = pictures()
    os.makedirs(args.outdir, exist_ok=True)
    for name, img in items:
        with open(os.path.join(args.outdir, name), "wb") as f:
            f.write(bmp_bytes(img))
    if args.contact_sheet:
        contact_sheet(items).save(args.contact_sheet)


if __name__ == "__main__":
    main()
