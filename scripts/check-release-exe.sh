#!/usr/bin/env bash
# Usage: check-release-exe.sh <exe> <source folder>
# Fails when the exe could differ between two builds of the same source: a link time in the PE
# header, or the source folder or $HOME in any string (ANSI or UTF-16). Library paths of the
# compiler's own packages are fine: they are the same on every machine.
set -euo pipefail
exe=$1
source_dir=$2
fail=0

pe=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
stamp=$(od -An -t u4 -j $((pe + 8)) -N 4 "$exe" | tr -d ' ')
if [ "$stamp" != 0 ]; then
  echo "$exe: the PE header carries a link time ($stamp)" >&2
  fail=1
fi

texts=$(
  strings -a -e s "$exe"
  strings -a -e l "$exe"
)
paths=("$source_dir")
# A home of "/" would match every path.
[ -n "${HOME:-}" ] && [ "$HOME" != / ] && paths+=("$HOME")
for path in "${paths[@]}"; do
  if grep -qF -- "$path" <<<"$texts"; then
    echo "$exe: holds the path $path:" >&2
    grep -F -- "$path" <<<"$texts" | head -n 5 >&2
    fail=1
  fi
done
exit $fail
