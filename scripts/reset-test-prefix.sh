#!/usr/bin/env bash
# Puts the test machine build/wine/test-<xp|vista> back to its base machine's registry, so
# every run starts from the same state, and makes its windows unmanaged: no window manager
# runs on the test display, and Wine would wait two seconds for every closed top-level window.
set -euo pipefail
name=$1
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wine-prefix.sh" "test-$name"
export WINEPREFIX=$root/build/wine/test-$name WINEDEBUG=-all
wineserver -k 2>/dev/null || true
cp "$root/build/wine/$name"/*.reg "$WINEPREFIX/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
