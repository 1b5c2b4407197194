# Sourced by the scripts that run the program under Wine on a display (tests, screenshots,
# timings): works from the checkout's top folder (root), in the Wine mode of wine-mode.sh, with
# Wine's debug output off, on a display of xvfb.sh (XVFB_SCREEN sizes a new one).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
export WINEDEBUG=-all
source scripts/xvfb.sh
