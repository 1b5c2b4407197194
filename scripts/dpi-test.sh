#!/usr/bin/env bash
# Runs the window's DPI tests on a test machine whose screen has DPI dots per inch, on a display
# of its own that is large enough for the scaled window. The Wine mode comes from the tree
# (TRIMMWERK_ONLY_64BIT in the test's environment).
# Usage: scripts/dpi-test.sh xp|vista DPI UI_TESTS_EXE
set -euo pipefail
windows=$1
dpi=$2
exe=$3
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export ONLY_64BIT=${TRIMMWERK_ONLY_64BIT:-0}
unset TRIMMWERK_MODE_LINE
source scripts/wine-mode.sh >/dev/null
export WINEDEBUG=-all
unset DISPLAY
XVFB_SCREEN=1600x1200x24 source scripts/xvfb.sh
WINEPREFIX=$(scripts/dpi-prefix.sh "$windows" "$dpi")
export WINEPREFIX TRIMMWERK_WINDOWS=$windows
status=0
scripts/wine.sh "$exe" --gtest_filter='DpiScaling.*' || status=$?
wineserver -k 2>/dev/null || true
exit $status
