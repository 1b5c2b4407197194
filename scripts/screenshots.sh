#!/usr/bin/env bash
# PNG pictures of the program's windows for people to look at: every page of both layouts,
# the explanation panel open and closed (also with the overview text and with a long text
# scrolled to its end), the information window and a message box, taken on
# the XP and the Vista test machine, and the progress window halfway through an apply run. They
# land in build/screenshots/.
set -euo pipefail
source "$(dirname "$0")/wine-session.sh"
out=$root/build/screenshots
rm -rf "$out"
mkdir -p "$out"
source scripts/screenshot-run.sh
tests=build/$(run_tree)/tests/ui_tests.exe
for windows in xp vista; do
  prefix=$(scripts/reset-test-prefix.sh "$windows")
  shoot "$out" "$tests" "$prefix"
done
echo "Screenshots in $out:"
ls "$out"
scripts/screenshots-dpi.sh
