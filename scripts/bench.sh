#!/usr/bin/env bash
# Timings under Wine on the XP and the Vista test machine (their registries reset to the base
# machine first): start-up until the main window holds the loaded settings (median of several
# process starts), a whole apply run with scripted answers and the reload alone (medians of
# several runs), and the load and apply sequences on the in-memory registry. In milliseconds.
# BENCH_RUNS sets the number of starts and runs (default 7).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEDEBUG=-all
source scripts/xvfb.sh
runs=${BENCH_RUNS:-7}
for tree in mingw-i686 mingw-x86_64; do
  ninja -C "build/$tree" --quiet trimmwerk_bench startup_launcher empty_window
done
for windows in xp vista; do
  scripts/reset-test-prefix.sh "$windows"
  export WINEPREFIX=$root/build/wine/test-$windows
  trees=mingw-i686
  [ "$windows" = vista ] && trees="mingw-i686 mingw-x86_64"
  for tree in $trees; do
    echo "== $windows, $tree"
    wine "build/$tree/tests/trimmwerk_bench.exe" "$runs"
    scripts/bench-startup.sh "$tree" "$runs"
  done
  wineserver -k 2>/dev/null || true
done
