#!/usr/bin/env bash
# Creates the Wine prefix build/wine/<machine> once: a "machine" for running and testing the
# program. The name carries the Windows version and the prefix's architecture, so the two Wine
# modes never share a prefix: xp-win32, xp-win64, vista-win64. test-<machine> is a copy that
# the tests may change at will.
# Usage: scripts/wine-prefix.sh [test-]<xp|vista>-<win32|win64>
set -euo pipefail
name=$1
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-mode.sh" >/dev/null
wine_dir=$root/build/wine
prefix=$wine_dir/$name
[ -f "$prefix/.ready" ] && exit 0

base=${name#test-}
case $base in
  xp-win32 | xp-win64) version=winxp ;;
  vista-win64) version=vista ;;
  *) echo "unknown Wine machine $name" >&2; exit 2 ;;
esac
arch=${base#*-}
if [ "$arch" = win32 ] && [ "$TRIMMWERK_ONLY_64BIT" = 1 ]; then
  echo "The machine $name needs 32-bit Wine, which the 64-bit-only mode does not run." >&2
  exit 2
fi

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
log=$wine_dir/$name.log
# Each step says what failed instead of ending the script without a word.
step() {
  if ! "$@" >>"$log" 2>&1; then
    echo "Creating the Wine prefix $name failed at: $*" >&2
    tail -n 5 "$log" >&2
    exit 2
  fi
}
: >"$log"
step wineboot -i
step wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f
seed=$(winepath -w "$root/scripts/seed-machine.reg" 2>>"$log")
step wine regedit /S "$seed"
wineserver -w
rm -f "$log"
touch "$prefix/.ready"
