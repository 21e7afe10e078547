#!/usr/bin/env python3
"""Checks the skin pictures under data/zelk/skip: they are exactly what the generator makes, they
are BMP files that LoadImageA reads, and every rectangle the windows copy or write on is where the
windows expect it. Prints one summary line (after any failures); exits 0 or 1.

    /usr/bin/python3 tools/skin-pictures/check_skin_pictures.py REPO_ROOT
"""
import os
import struct
import subprocess
import sys
import tempfile

SKIP_DIR = os.path.join("data", "zelk", "skip")
GENERATOR = os.path.join("tools", "skin-pictures", "make_skin_pictures.py")
REGENERATE = "/usr/bin/python3 %s %s" % (GENERATOR, SKIP_DIR)

# Width, Height, CodeX, CodeY, CandX, CandY, CandLimit, ButtonsX, ButtonsY, Vertical, AssocX;
# skin 3 has a second candidate row 23 pixels below the first.
SKINS = {
    1: (189, 214, 74, 3, 7, 28, 160, 65, 191, 1, 164),
    2: (426, 49, 75, 3, 7, 28, 390, 301, 3, 0, 142),
    3: (600, 71, 15, 3, 7, 25, 570, 474, 3, 0, 454),
    4: (184, 54, 7, 4, 7, 30, 160, 60, 4, 0, 60),
    5: (800, 28, 30, 4, 90, 7, 560, 672, 4, 0, 2),
    6: (643, 28, 30, 4, 90, 7, 415, 513, 4, 0, 2),
}
SIZES = {"skip0c.bmp": (184, 192), "skip0cg.bmp": (566, 26), "skip0fy.bmp": (51, 25),
         "skip0lx.bmp": (16, 16), "skip0s.bmp": (58, 26), "skips.bmp": (158, 88),
         "skipsz.bmp": (20, 40)}
SIZES.update({"skip%d.bmp" % n: s[:2] for n, s in SKINS.items()})
SIZES.update({"skipc%d.bmp" % n: (140, 40) for n in SKINS})
BAR_BUTTONS = [(3, 20, True), (23, 66, False), (96, 20, True), (116, 20, True), (136, 20, True)]
SHEET_COLUMNS = [(0, 21)] + [(x, 20) for x in range(20, 140, 20)]
TEXT_LUMINANCE = 170  # no pixel under black text may be darker than this
SKIN_DISTANCE = 24  # least distance between the mean colours of two skins' button sheets


def read_bmp(path):
    """Pixels of a 24-bit uncompressed bottom-up BMP as rows of (r, g, b), top row first."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("not a BMP file")
    size, offset = struct.unpack_from("<I4xI", data, 2)
    info, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if (info, planes, bits, compression) != (40, 1, 24, 0) or height <= 0 or size != len(data):
        raise ValueError("not a 24-bit uncompressed bottom-up BMP with a BITMAPINFOHEADER")
    stride = (width * 3 + 3) & ~3
    if offset + stride * height > len(data):
        raise ValueError("pixel data cut short")
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        line = data[start:start + width * 3]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, width * 3, 3)])
    return rows


def region(rows, x, y, w, h):
    return [row[x:x + w] for row in rows[y:y + h]]


def luminance(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


def darkest(rows, box):
    return min(luminance(p) for line in region(rows, *box) for p in line)


def mean(rows, box=None):
    pixels = [p for line in (region(rows, *box) if box else rows) for p in line]
    return tuple(sum(p[i] for p in pixels) / len(pixels) for i in range(3))


def text_areas(skin):
    """Where the status window writes black text on skin: the code and every candidate row."""
    _, _, code_x, code_y, cand_x, cand_y, limit, _, _, vertical, _ = SKINS[skin]
    areas = [(code_x, code_y, 48, 16)]
    if vertical:
        return areas + [(cand_x, cand_y, limit, 160)]
    return areas + [(cand_x, cand_y + 23 * r, limit, 16) for r in range(2 if skin == 3 else 1)]


def check_pictures(pics, check):
    c, cg, fy, s = pics["skip0c.bmp"], pics["skip0cg.bmp"], pics["skip0fy.bmp"], pics["skips.bmp"]
    for name, rows, box in [("skip0c", c, (6, 22, 171, 160)), ("skip0cg", cg, (30, 5, 446, 16)),
                            ("skip0s", pics["skip0s.bmp"], (5, 4, 48, 16))]:
        check(darkest(rows, box) >= TEXT_LUMINANCE, "%s: text area %s too dark" % (name, box))
    check(all(len(set(row[177:183])) == 1 for row in c[22:182]),
          "skip0c: x 177..182 is not plain margin beside the text lines")
    for k in range(4):
        up, down = (12 * k, 0, 12, 12), (13 * k, 13, 12, 12)
        check(region(fy, *up) != region(fy, *down) and
              sum(mean(fy, down)) < sum(mean(fy, up)), "skip0fy: button %d not pressed" % (k + 1))
    check(len({str(region(fy, 12 * k, 0, 12, 12)) for k in range(4)}) == 4,
          "skip0fy: paging buttons look alike")
    check(len({p for row in pics["skip0lx.bmp"] for p in row}) > 2, "skip0lx: no mark")
    for x, w, hover in BAR_BUTTONS:
        band = [region(s, x, 22 * b, w, 22) for b in range(4)]
        check(band[0] != band[2], "skips: button at x %d same off and on" % x)
        if hover:
            check(band[1] != band[0] and band[3] != band[2], "skips: no hover at x %d" % x)
    check(all(len(set(row[89:96])) == 1 for row in s[:22]), "skips: x 89..95 is not plain bar")
    check(region(pics["skipsz.bmp"], 0, 0, 20, 20) != region(pics["skipsz.bmp"], 0, 20, 20, 20),
          "skipsz: hover same as normal")
    for n, lay in SKINS.items():
        back, sheet = pics["skip%d.bmp" % n], pics["skipc%d.bmp" % n]
        for box in text_areas(n):
            check(darkest(back, box) >= TEXT_LUMINANCE, "skip%d: text area %s too dark" % (n, box))
        for x, w in SHEET_COLUMNS:
            check(region(sheet, x, 0, w, 20) != region(sheet, x, 20, w, 20),
                  "skipc%d: column %d same off and on" % (n, x))
        # The cells' corners are chrome, so the buttons sit seamlessly on the background.
        bx, by = lay[7], lay[8]
        check(all(sheet[0][20 * i + 20] == back[by][bx + 20 * i] for i in range(6)),
              "skipc%d: button corners differ from skip%d under them" % (n, n))
    # Chrome and accent set a skin apart; its text fields are light in every skin.
    colours = {n: mean(pics["skipc%d.bmp" % n]) for n in SKINS}
    for a in SKINS:
        for b in range(a + 1, len(SKINS) + 1):
            distance = sum((colours[a][i] - colours[b][i]) ** 2 for i in range(3)) ** 0.5
            check(distance >= SKIN_DISTANCE, "skins %d and %d look alike" % (a, b))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_skin_pictures.py REPO_ROOT")
    root = sys.argv[1]
    failures, count = [], [0]

    def check(ok, what):
        count[0] += 1
        if not ok:
            failures.append(what)

    with tempfile.TemporaryDirectory() as tmp:
        made = subprocess.run([sys.executable, os.path.join(root, GENERATOR), tmp],
                              capture_output=True, text=True)
        check(made.returncode == 0, "generator failed: %s" % made.stderr.strip()[-300:])
        pics = {}
        for name, size in sorted(SIZES.items()):
            path = os.path.join(root, SKIP_DIR, name)
            if not os.path.exists(path):
                check(False, "%s missing" % name)
                continue
            with open(path, "rb") as f:
                stored = f.read()
            fresh = os.path.join(tmp, name)
            same = os.path.exists(fresh) and open(fresh, "rb").read() == stored
            check(same, "%s differs from the generator's; run %s" % (name, REGENERATE))
            try:
                rows = read_bmp(path)
            except ValueError as e:
                check(False, "%s: %s" % (name, e))
                continue
            check((len(rows[0]), len(rows)) == size, "%s: size is not %dx%d" % ((name,) + size))
            pics[name] = rows
    if len(pics) == len(SIZES) and all((len(p[0]), len(p)) == SIZES[n] for n, p in pics.items()):
        check_pictures(pics, check)
    for what in failures:
        print("FAIL: " + what)
    if failures:
        print("skin pictures: %d of %d checks failed" % (len(failures), count[0]))
        return 1
    print("skin pictures: all %d checks passed on %d files" % (count[0], len(SIZES)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
