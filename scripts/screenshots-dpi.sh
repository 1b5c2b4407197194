#!/usr/bin/env bash
# The screenshots of screenshots.sh again at 120 and 144 dots per inch, on a display large
# enough for the scaled windows; they land in build/screenshots/dpi120 and dpi144.
set -euo pipefail
unset DISPLAY
XVFB_SCREEN=1600x1200x24 source "$(dirname "$0")/wine-session.sh"
source scripts/screenshot-run.sh
tests=build/$(run_tree)/tests/ui_tests.exe
for dpi in 120 144; do
  out=$root/build/screenshots/dpi$dpi
  rm -rf "$out"
  mkdir -p "$out"
  for windows in xp vista; do
    prefix=$(scripts/dpi-prefix.sh "$windows" "$dpi")
    shoot "$out" "$tests" "$prefix"
  done
done
echo "Screenshots at 120 and 144 DPI in $root/build/screenshots/dpi120 and dpi144"
