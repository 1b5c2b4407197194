#!/usr/bin/env bash
# Fails when an exe imports a DLL or a function that is not on the list of imports checked
# against Windows XP SP2 (scripts/xp-imports.txt). A new import must be checked by hand before
# it goes on the list.
# Usage: check-imports.sh <objdump> <exe> <list>
set -euo pipefail
objdump=$1 exe=$2 list=$3
imports=$("$objdump" -p "$exe" |
  awk '/DLL Name:/{dll=tolower($3); next} dll && /^\t[0-9a-f]+\t/ {print dll"!"$NF}' | sort -u)
[ -n "$imports" ] || { echo "no imports found in $exe" >&2; exit 1; }
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$list" | sort -u))
if [ -n "$unknown" ]; then
  echo "$exe imports functions not known to exist on Windows XP SP2:" >&2
  echo "$unknown" >&2
  exit 1
fi
echo "$(echo "$imports" | wc -l) imports, all on the XP list"
