#!/usr/bin/env bash
# Timings under Wine on the XP and the Vista test machine (their registries reset to the base
# machine first): start-up until the main window holds the loaded settings (median of several
# process starts), a whole apply run with scripted answers and the reload alone (medians of
# several runs), and the load and apply sequences on the in-memory registry. In milliseconds.
# BENCH_RUNS sets the number of starts and runs (default 7).
set -euo pipefail
source "$(dirname "$0")/wine-session.sh"
runs=${BENCH_RUNS:-7}
trees_xp=mingw-i686 trees_vista="mingw-i686 mingw-x86_64"
if [ "$TRIMMWERK_ONLY_64BIT" = 1 ]; then
  trees_xp=mingw-x86_64 trees_vista=mingw-x86_64
fi
for tree in $trees_vista; do
  ninja -C "build/$tree" --quiet trimmwerk_bench startup_launcher empty_window
done
for windows in xp vista; do
  WINEPREFIX=$(scripts/reset-test-prefix.sh "$windows")
  export WINEPREFIX
  trees=$trees_xp
  [ "$windows" = vista ] && trees=$trees_vista
  for tree in $trees; do
    echo "== $windows ($(basename "$WINEPREFIX")), $tree"
    wine "build/$tree/tests/trimmwerk_bench.exe" "$runs"
    scripts/bench-startup.sh "$tree" "$runs"
  done
  wineserver -k 2>/dev/null || true
done
