#!/usr/bin/env bash
# The screenshots of screenshots.sh again at 120 and 144 dots per inch, on a display large
# enough for the scaled windows; they land in build/screenshots/dpi120 and dpi144.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
export WINEDEBUG=-all
unset DISPLAY
XVFB_SCREEN=1600x1200x24 source scripts/xvfb.sh
tests=build/$(run_tree)/tests/ui_tests.exe
for dpi in 120 144; do
  out=$root/build/screenshots/dpi$dpi
  rm -rf "$out"
  mkdir -p "$out"
  for windows in xp vista; do
    WINEPREFIX=$(scripts/dpi-prefix.sh "$windows" "$dpi")
    export WINEPREFIX
    TRIMMWERK_SCREENSHOTS=$(winepath -w "$out") wine "$tests" --gtest_filter='Screenshots.*' \
      >"$out/$windows.log" 2>&1 || { cat "$out/$windows.log"; exit 1; }
    rm -f "$out/$windows.log"
    wineserver -k 2>/dev/null || true
  done
  for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png"
    rm -f "$bmp"
  done
done
echo "Screenshots at 120 and 144 DPI in $root/build/screenshots/dpi120 and dpi144"
