#!/usr/bin/env bash
# Builds every libFuzzer target with clang (build-fuzz/, address and undefined
# behaviour sanitizers) and runs each fuzz_* for 60 seconds (FUZZ_SECONDS) on
# a seed corpus that its seeds_* program writes at run time. Skipped when
# clang is not installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang is not installed; skipped"
  exit 0
fi
seconds=${FUZZ_SECONDS:-60}
dir="$top/build-fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVEX_FUZZ=ON -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$dir" --target fuzz_all --parallel "$(nproc)"

status=0
shopt -s nullglob
for target in "$dir"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$dir/corpus/${name#fuzz_}"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  seeds="$dir/bin/seeds_${name#fuzz_}"
  if [ -x "$seeds" ]; then "$seeds" "$corpus"; fi
  echo "== $name for $seconds s"
  if "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/$name-" "$corpus" \
      >"$dir/$name.log" 2>&1; then
    grep -E "^stat::number_of_executed_units" "$dir/$name.log" || true
  else
    echo "$name found a fault:"
    tail -n 60 "$dir/$name.log"
    status=1
  fi
done
exit $status
