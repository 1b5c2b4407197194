#!/usr/bin/env bash
# Makes the test machine build/wine/test-<machine>-dpi<DPI> of a Windows version (xp or vista;
# the Wine mode picks the machine): the base machine's registry with the screen set to DPI dots
# per inch (LogPixels), reset on every call like the other test machines. Prints its path.
# Usage: scripts/dpi-prefix.sh xp|vista DPI
set -euo pipefail
windows=$1
dpi=$2
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-mode.sh" >/dev/null
base=$(wine_prefix_name "$windows")
"$root/scripts/wine-prefix.sh" "$base" >&2
prefix=$root/build/wine/test-$base-dpi$dpi
export WINEDEBUG=-all
if [ ! -f "$prefix/.ready" ]; then
  WINEPREFIX=$root/build/wine/$base wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
  cp -a "$root/build/wine/$base" "$prefix"
fi
export WINEPREFIX=$prefix
wineserver -k 2>/dev/null || true
cp "$root/build/wine/$base"/*.reg "$WINEPREFIX/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.ready"
echo "$prefix"
