#!/usr/bin/env bash
# Builds the libFuzzer targets in their own clang tree (build/fuzz) and runs each in turn for
# FUZZ_SECONDS (default 60) on a working copy of its committed corpus, build/fuzz/corpus/<target>:
# what the fuzzer adds stays there, out of git, and the next run goes on from it. Prints per
# target its executions, coverage (cov: edges, ft: features) and corpus size; a crash or a
# broken property is kept as build/fuzz/crashes/<target>/crash-* and fails the script.
# FUZZ_TARGETS narrows it down to some targets; FUZZ_FLAGS adds libFuzzer flags, e.g.
# "-fork=1 -ignore_crashes=1" to go on after a crash. `fuzz.sh seeds` rewrites the committed
# seed files instead (tests/fuzz/make_seeds.cpp, built in the host tree).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets=${FUZZ_TARGETS:-backup_restore reg_roundtrip import_overlay}
seconds=${FUZZ_SECONDS:-60}

if [ "${1:-}" = seeds ]; then
  [ -f build/host/build.ninja ] || cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  ninja -C build/host --quiet fuzz_seeds
  build/host/tests/fuzz_seeds tests/fuzz
  exit 0
fi

if [ ! -f build/fuzz/build.ninja ]; then
  cmake --no-warn-unused-cli -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTRIMMWERK_FUZZ=ON >/dev/null
fi
ninja -C build/fuzz --quiet $(printf 'fuzz_%s ' $targets)

status=0
for target in $targets; do
  corpus=build/fuzz/corpus/$target crashes=build/fuzz/crashes/$target log=build/fuzz/$target.log
  mkdir -p "$corpus" "$crashes"
  cp tests/fuzz/corpus/"$target"/* "$corpus/"
  found=$(ls "$crashes" | wc -l)
  echo "== $target: $seconds s"
  # shellcheck disable=SC2086 # FUZZ_FLAGS holds several flags
  if ! "build/fuzz/tests/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" ${FUZZ_FLAGS:-} "$corpus" >"$log" 2>&1; then
    status=1
    grep -E 'property broken|ERROR: |SUMMARY: |Test unit written' "$log" || tail -n 20 "$log"
  fi
  # The last status line: "#123456 DONE cov: 812 ft: 2345 corp: 95/12Kb ..." (with -fork:
  # "#123456: cov: ... corp: 95 ...").
  last=$(grep -E '^#[0-9]+:?[[:space:]].*cov: ' "$log" | tail -n 1 || true)
  field() { echo "$last" | sed -n "s/.* $1: \([^ ]*\).*/\1/p" | grep . || echo "?"; }
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "executions $(echo "$last" | sed -n 's/^#\([0-9]*\).*/\1/p' | grep . || echo "?")${speed:+ ($speed/s)}," \
    "cov $(field cov), ft $(field ft), corpus $(field corp) ($(ls "$corpus" | wc -l) files," \
    "$(du -sk --apparent-size "$corpus" | cut -f1) KB on disk); log $log"
  new=$(($(ls "$crashes" | wc -l) - found))
  if [ "$new" -gt 0 ]; then
    echo "$new new crash files in $crashes (replay one: build/host/tests/replay_$target <file>)"
    status=1
  fi
done
exit $status
