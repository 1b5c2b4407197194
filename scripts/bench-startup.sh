#!/usr/bin/env bash
# Start-up of the program against the floor, an empty window of the same size: the launcher
# starts each in turn and times process creation until its titled window is shown and idle.
# Usage (inside bench.sh, WINEPREFIX and DISPLAY set): scripts/bench-startup.sh TREE RUNS
set -euo pipefail
tree=$1
runs=$2
dir=build/$tree
exe=$dir/src/ui/trimmwerk.exe
# The program's window is found by its title, which names the version the tree was built with.
version=$(sed -n 's/^#define TW_VERSION "\(.*\)"$/\1/p' "$dir/generated/system/version.h")
[ -n "$version" ] || { echo "bench: no version in $dir/generated/system/version.h" >&2; exit 1; }
wine "$dir/tests/startup_launcher.exe" "$runs" "Tavo Trimmwerk $version" "$(winepath -w "$exe")" \
  "Leeres Fenster" "$(winepath -w "$dir/tests/empty_window.exe")"
echo "  exe size: $(stat -c %s "$exe") bytes ($tree)"
