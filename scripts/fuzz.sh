#!/usr/bin/env bash
# Builds the libFuzzer targets in their own clang tree (build/fuzz) and runs each in turn for
# FUZZ_SECONDS (default 60) on a working copy of its committed corpus, build/fuzz/corpus/<target>:
# what the fuzzer adds stays there, out of git, and the next run goes on from it. Prints per
# target its executions, coverage (cov: edges, ft: features) and corpus size; a crash or a
# broken property is kept as build/fuzz/crashes/<target>/crash-* and fails the script.
# FUZZ_TARGETS narrows it down to some targets. `fuzz.sh seeds` rewrites the committed seed files
# instead (tests/fuzz/make_seeds.cpp, built in the host tree).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets=${FUZZ_TARGETS:-backup_restore reg_roundtrip}
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
  for seed in tests/fuzz/corpus/"$target"/*; do
    [ -e "$corpus/${seed##*/}" ] || cp "$seed" "$corpus/"
  done
  echo "== $target: $seconds s"
  if ! "build/fuzz/tests/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" >"$log" 2>&1; then
    status=1
    grep -E 'property broken|ERROR: |SUMMARY: |Test unit written' "$log" || tail -n 20 "$log"
  fi
  # The last status line: "#123456 DONE cov: 812 ft: 2345 corp: 95/12Kb ...".
  last=$(grep -E '^#[0-9]+[[:space:]].*cov: ' "$log" | tail -n 1 || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "executions ${runs:-?} (${speed:-?}/s), cov $(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')," \
    "ft $(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')," \
    "corpus $(echo "$last" | sed -n 's/.* corp: \([^ ]*\).*/\1/p') (entries/size)," \
    "$(ls "$corpus" | wc -l) files in $corpus; log $log"
done
exit $status
