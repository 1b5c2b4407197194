#!/usr/bin/env bash
# Configures and builds the three trees: host (core and native tests), mingw-i686 (the
# release exe) and mingw-x86_64. The Wine mode decides which Windows-side tests the MinGW trees
# register; a tree configured for the other mode is configured again.
# BUILD_TREES and BUILD_TARGET narrow it down (scripts/dist.sh: only the two exes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
jobs=${JOBS:-$(nproc)}
only64=OFF
[ "$TRIMMWERK_ONLY_64BIT" = 1 ] && only64=ON
configure() {
  local dir=build/$1
  shift
  if [ ! -f "$dir/build.ninja" ] ||
    ! grep -qx "TRIMMWERK_ONLY_64BIT:BOOL=$only64" "$dir/CMakeCache.txt"; then
    cmake --no-warn-unused-cli -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIMMWERK_ONLY_64BIT=$only64 \
      "$@" >/dev/null
  fi
}
for tree in ${BUILD_TREES:-host mingw-i686 mingw-x86_64}; do
  case $tree in
    host) configure host ;;
    mingw-*) configure "$tree" -DCMAKE_TOOLCHAIN_FILE="cmake/$tree.cmake" ;;
  esac
  ninja -C "build/$tree" -j "$jobs" --quiet ${BUILD_TARGET:+"$BUILD_TARGET"}
done
