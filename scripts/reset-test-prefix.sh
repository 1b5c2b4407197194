#!/usr/bin/env bash
# Puts the test machine of a Windows version (xp or vista; the Wine mode picks the prefix) back
# to its base machine's registry, so every run starts from the same state, and makes its
# windows unmanaged: no window manager runs on the test display, and Wine would wait two
# seconds for every closed top-level window. Prints the test prefix's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-mode.sh" >/dev/null
machine=$(wine_prefix_name "$1")
"$root/scripts/wine-prefix.sh" "test-$machine" >&2
export WINEPREFIX=$root/build/wine/test-$machine WINEDEBUG=-all
wineserver -k 2>/dev/null || true
cp "$root/build/wine/$machine"/*.reg "$WINEPREFIX/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
echo "$WINEPREFIX"
