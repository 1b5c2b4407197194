#!/usr/bin/env bash
# Runs every test: native, then the Windows test executables under Wine in the XP and the
# Vista test prefix (their registries reset to the base machine first), the UI tests on a
# display.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEDEBUG=-all
source scripts/xvfb.sh
for name in xp vista; do
  scripts/reset-test-prefix.sh "$name" || exit 1
done
status=0
for tree in host mingw-i686 mingw-x86_64; do
  echo "== $tree"
  (cd "build/$tree" && ctest --output-on-failure --timeout 600) || status=1
done
for name in xp vista; do WINEPREFIX=$root/build/wine/test-$name wineserver -k 2>/dev/null; done
exit $status
