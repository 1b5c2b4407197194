#!/usr/bin/env bash
# Runs every test: native, then the Windows test executables under Wine on the XP and the
# Vista test machine (their registries reset to the base machine first), the UI tests on a
# display. Which exe runs on which machine follows the Wine mode; each test's name says it
# (ui_tests-i686@xp-win32).
set -uo pipefail
source "$(dirname "$0")/wine-session.sh"
prefixes=()
for windows in xp vista; do
  prefixes+=("$(scripts/reset-test-prefix.sh "$windows")") || exit 1
done
status=0
for tree in host mingw-i686 mingw-x86_64; do
  echo "== $tree"
  if [ "$tree" = mingw-i686 ] && [ "$TRIMMWERK_ONLY_64BIT" = 1 ]; then
    echo "64-bit-only mode: the 32-bit release is built and its imports are checked, not run."
  fi
  (cd "build/$tree" && ctest --output-on-failure --timeout 600) || status=1
done
for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null; done
exit $status
