#!/usr/bin/env bash
# Creates the Wine prefix build/wine/<name> once: a "machine" for running and testing the
# program. xp = 32-bit Windows XP; vista = 64-bit Windows Vista. test-xp/test-vista are copies
# of them that the tests may change at will.
# Usage: scripts/wine-prefix.sh xp|vista|test-xp|test-vista
set -euo pipefail
name=$1
root=$(cd "$(dirname "$0")/.." && pwd)
wine_dir=$root/build/wine
prefix=$wine_dir/$name
[ -f "$prefix/.ready" ] && exit 0

base=${name#test-}
case $base in
  xp) arch=win32 version=winxp ;;
  vista) arch=win64 version=vista ;;
  *) echo "unknown prefix $name" >&2; exit 2 ;;
esac

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$name" != "$base" ]; then
  "$0" "$base"
  rm -rf "$prefix"
  WINEPREFIX=$wine_dir/$base wineserver -w 2>/dev/null || true
  cp -a "$wine_dir/$base" "$prefix"
  touch "$prefix/.ready"
  exit 0
fi

echo "Creating the Wine prefix $name ($arch, $version) ..."
rm -rf "$prefix"
mkdir -p "$wine_dir"
export WINEPREFIX=$prefix WINEARCH=$arch
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
wine regedit /S "$(winepath -w "$root/scripts/seed-machine.reg" 2>/dev/null)" >/dev/null 2>&1
wineserver -w
touch "$prefix/.ready"
