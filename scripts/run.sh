#!/usr/bin/env bash
# Starts trimmwerk.exe under Wine on the XP machine (WINDOWS=vista: the Vista machine); the Wine
# mode picks the exe (the 32-bit release, or the 64-bit build where 32-bit programs cannot
# run). Without a display it runs on Xvfb, saves a screenshot under build/ and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
windows=${WINDOWS:-xp}
machine=$(wine_prefix_name "$windows")
scripts/wine-prefix.sh "$machine"
export WINEPREFIX=$root/build/wine/$machine WINEDEBUG=-all
exe=build/$(run_tree)/src/ui/trimmwerk.exe
echo "Starting $exe on $machine"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi
source scripts/xvfb.sh
wine "$exe" &
pid=$!
sleep "${RUN_SECONDS:-6}"
shot=$root/build/run-$windows.png
xwd -root -display "$DISPLAY" | convert xwd:- "$shot"
echo "No display: the program ran on Xvfb $DISPLAY; screenshot saved to $shot"
wineserver -k 2>/dev/null || true
wait $pid 2>/dev/null || true
