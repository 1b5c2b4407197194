#!/usr/bin/env bash
# PNG pictures of the program's windows for people to look at: every page of both layouts,
# the explanation panel open and closed (also with the overview text and with a long text
# scrolled to its end), the information window and a message box, taken on
# the XP and the Vista test machine, and the progress window halfway through an apply run. They
# land in build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
export WINEDEBUG=-all
source scripts/xvfb.sh
out=$root/build/screenshots
rm -rf "$out"
mkdir -p "$out"
tests=build/$(run_tree)/tests/ui_tests.exe
for windows in xp vista; do
  WINEPREFIX=$(scripts/reset-test-prefix.sh "$windows")
  export WINEPREFIX
  echo "Screenshots of $tests on $(basename "$WINEPREFIX")"
  TRIMMWERK_SCREENSHOTS=$(winepath -w "$out") wine "$tests" --gtest_filter='Screenshots.*' \
    >"$out/$windows.log" 2>&1 || { cat "$out/$windows.log"; exit 1; }
  rm -f "$out/$windows.log"
  wineserver -k 2>/dev/null || true
done
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
echo "Screenshots in $out:"
ls "$out"
scripts/screenshots-dpi.sh
