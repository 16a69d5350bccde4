#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and runs each for [seconds] (default 300) over
# a copy of its seed corpus in the build folder; prints each target's executions and findings.
# Inputs that break a property are kept in $PENLET_BUILD/fuzz/findings/<target>/. Non-zero on a
# finding.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds=${1:-300}
out=$PENLET_BUILD/fuzz

cmake -S "$PENLET_ROOT/tests/fuzz" -B "$out" -DCMAKE_CXX_COMPILER=clang++ \
  -DPENLET_WERROR="${PENLET_WERROR:-OFF}" >/dev/null
cmake --build "$out" -j 2 >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }

status=0
for source in "$PENLET_ROOT"/tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  corpus=$out/corpus/$name
  findings=$out/findings/$name
  mkdir -p "$corpus" "$findings"
  cp -r "$PENLET_ROOT/tests/fuzz/corpus/$name/." "$corpus/"
  # A target's dictionary, when it has one, names tokens that mutations alone seldom make.
  dict=()
  [ -f "$PENLET_ROOT/tests/fuzz/$name.dict" ] && dict=(-dict="$PENLET_ROOT/tests/fuzz/$name.dict")
  run_log=$out/$name.log
  if "$out/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${dict[@]}" "$corpus" >"$run_log" 2>&1; then
    found=none
  else
    found="$(grep -m1 -E 'property failed|ERROR:|runtime error' "$run_log" || echo 'a crash')"
    found="$found; input: $(sed -n 's/.*Test unit written to //p' "$run_log")"
    status=1
  fi
  executions=$(grep -o 'number_of_executed_units: *[0-9]*' "$run_log" | grep -o '[0-9]*$' ||
    grep -o '^#[0-9]*' "$run_log" | tail -1 | tr -d '#')
  printf '%-16s %10s executions in %ss, findings: %s\n' "$name" "${executions:-?}" "$seconds" \
    "$found"
done
exit $status
