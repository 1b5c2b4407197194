#!/usr/bin/env bash
# Configures and builds the three trees: host (core and native tests), mingw-i686 (the
# release exe) and mingw-x86_64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc)}
configure() {
  local dir=build/$1
  shift
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
configure host
configure mingw-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
configure mingw-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
for tree in host mingw-i686 mingw-x86_64; do
  ninja -C "build/$tree" -j "$jobs" --quiet
done
