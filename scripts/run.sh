#!/usr/bin/env bash
# Starts trimmwerk.exe under Wine in the XP prefix (WINDOWS=vista: the Vista prefix). Without a
# display it runs on Xvfb, saves a screenshot under build/ and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
windows=${WINDOWS:-xp}
scripts/wine-prefix.sh "$windows"
export WINEPREFIX=$root/build/wine/$windows WINEDEBUG=-all
exe=build/mingw-i686/src/ui/trimmwerk.exe
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
