#!/usr/bin/env bash
# Runs the window's DPI tests on a test machine whose screen has DPI dots per inch, on a display
# of its own that is large enough for the scaled window.
# Usage: scripts/dpi-test.sh xp|vista DPI UI_TESTS_EXE
set -euo pipefail
base=$1
dpi=$2
exe=$3
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEDEBUG=-all
unset DISPLAY
XVFB_SCREEN=1600x1200x24 source scripts/xvfb.sh
scripts/dpi-prefix.sh "$base" "$dpi"
export WINEPREFIX=$root/build/wine/test-$base-dpi$dpi TRIMMWERK_WINDOWS=$base
status=0
wine "$exe" --gtest_filter='DpiScaling.*' || status=$?
wineserver -k 2>/dev/null || true
exit $status
