#!/usr/bin/env bash
# Which mode scripts/wine-mode.sh picks, with stand-ins for the 32-bit Wine loader: one that the
# kernel refuses as a 64-bit-only kernel refuses a 32-bit program, a missing one, a working one.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An ELF file of a machine type no kernel runs: execve fails with ENOEXEC.
refused=$work/wine32-refused
cp /bin/true "$refused"
printf '\xff\xff' | dd of="$refused" bs=1 seek=18 conv=notrunc status=none
chmod +x "$refused"
working=$work/wine32-working
printf '#!/bin/sh\necho wine-8.0\n' >"$working"
chmod +x "$working"

passed=0 failed=0
# check <case> <loader> <ONLY_64BIT> <expected TRIMMWERK_ONLY_64BIT> <text the mode line holds>
check() {
  local out
  out=$(env -u TRIMMWERK_MODE_LINE -u TRIMMWERK_ONLY_64BIT ONLY_64BIT="$3" \
    TRIMMWERK_WINE32="$2" bash -c 'source "$1"/scripts/wine-mode.sh >"$2" &&
      echo "mode=$TRIMMWERK_ONLY_64BIT tree=$(run_tree) xp=$(wine_prefix_name xp)"' _ \
    "$root" "$work/line")
  local line
  line=$(cat "$work/line")
  if [[ "$out" == "mode=$4 "* ]] && [[ "$line" == *"$5"* ]] &&
    [ "$(echo "$line" | wc -l)" = 1 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED $1: got '$out', mode line '$line'"
  fi
}
check "refused loader" "$refused" 0 1 "cannot run 32-bit programs"
check "refused loader names the cause" "$refused" 0 1 "Exec format error"
check "missing loader" "$work/none" 0 1 "no 32-bit Wine loader"
check "working loader" "$working" 0 0 "This machine runs 32-bit programs"
check "forced" "$working" 1 1 "ONLY_64BIT=1 forces"

# trees <case> <loader> <pattern of the tree, the machines and WINELOADER>
trees() {
  local out
  out=$(env -u TRIMMWERK_MODE_LINE TRIMMWERK_WINE32="$2" ONLY_64BIT=0 bash -c \
    'source "$1"/scripts/wine-mode.sh >/dev/null; echo "$(run_tree) $(wine_prefix_name xp) $(wine_prefix_name vista) $WINELOADER"' _ "$root")
  # shellcheck disable=SC2053 # $3 is a pattern
  if [[ "$out" == $3 ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED $1: $out"
  fi
}
trees "64-bit-only machines and tree" "$refused" "mingw-x86_64 xp-win64 vista-win64 /usr/lib/wine/wine64"
trees "both-mode machines and tree" "$working" "mingw-i686 xp-win32 vista-win64 *"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
