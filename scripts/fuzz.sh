#!/usr/bin/env bash
# Builds every fuzz target with clang 14 (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ (or $VARNEL_FUZZ_BUILD_DIR),
# writes their seed corpora and runs each for SECONDS (default 60), one after
# the other, growing build-fuzz/fuzz/corpus/TARGET. Prints the executions per
# target; fails when a target finds something (the input is kept under
# build-fuzz/fuzz/findings/).
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VARNEL_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_EACH="${1:-60}"

"$ROOT/scripts/install-fuzz-deps.sh"
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang-14 CXX=clang++-14 cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEL_FUZZ=ON -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_all

OUT="$BUILD/fuzz"
python3 "$ROOT/fuzz/make_seeds.py" "$OUT/seeds"
mkdir -p "$OUT/findings" "$OUT/logs"
failed=0
total=0
for program in "$OUT"/fuzz_*; do
  name="$(basename "$program")"
  name="${name#fuzz_}"
  args=(-max_total_time="$SECONDS_EACH" -print_final_stats=1 -artifact_prefix="$OUT/findings/$name-")
  [ -f "$ROOT/fuzz/dict/$name.dict" ] && args+=(-dict="$ROOT/fuzz/dict/$name.dict")
  [ -f "$ROOT/fuzz/$name.flags" ] && mapfile -t -O "${#args[@]}" args < "$ROOT/fuzz/$name.flags"
  mkdir -p "$OUT/corpus/$name"
  log="$OUT/logs/$name.log"
  status=0
  "$program" "${args[@]}" "$OUT/corpus/$name" "$OUT/seeds/$name" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  total=$((total + ${runs:-0}))
  if [ "$status" -ne 0 ]; then
    failed=1
    printf '%-20s FOUND SOMETHING after %s executions (log: %s)\n' "$name" "${runs:-?}" "$log"
    grep -m3 -E 'ERROR|SUMMARY|runtime error' "$log" || true
  else
    printf '%-20s %12s executions in %s s\n' "$name" "$runs" "$SECONDS_EACH"
  fi
done
printf '%-20s %12s executions\n' "all" "$total"
exit "$failed"
