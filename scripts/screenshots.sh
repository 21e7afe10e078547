#!/bin/sh
# Writes PNG pictures of the input method's windows to build/screenshots/: the candidate panel
# with ten candidates, with a pressed paging button and with association candidates, the
# candidate bar, the long-candidate tip and the composition window, each also in the plain look
# drawn when the pictures are missing, the plain status bar in its states and every skin with
# candidates. They are painted by the Windows shell tests into memory
# bitmaps under Wine.
#
#   scripts/screenshots.sh [build folder]      (default build/win64, a mingw-w64 64-bit build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
case $build in /*) ;; *) build=$root/$build ;; esac
out=$root/build/screenshots
mkdir -p "$out"
rm -f "$out"/*.bmp

cmake --build "$build" --target zelk_shell_tests -j2
winepath='Z:'$(printf '%s' "$out" | tr '/' '\\')
ZELK_SCREENSHOT_DIR=$winepath "$root/cmake/wine-run.sh" "$build/wine-prefix" \
    "$build/bin/zelk_shell_tests.exe" \
    --gtest_filter='CandidatePaintTest.*:CompositionPaintTest.*:LongCandidateTipTest.*:StatusPaintTest.Screenshot*'

/usr/bin/python3 - "$out" <<'PY'
import pathlib, sys
from PIL import Image
folder = pathlib.Path(sys.argv[1])
for bmp in sorted(folder.glob("*.bmp")):
    png = bmp.with_suffix(".png")
    # Twice the size, pixel for pixel, so that the small windows can be looked at.
    with Image.open(bmp) as image:
        image.convert("RGB").resize((image.width * 2, image.height * 2), Image.NEAREST).save(png)
    bmp.unlink()
    print(png)
PY
