#!/usr/bin/env bash
# Builds every libFuzzer target with clang (build-fuzz/, address and undefined
# behaviour sanitizers) and runs each fuzz_* for 60 seconds (FUZZ_SECONDS) on
# a seed corpus that its seeds_* program writes at run time, FUZZ_JOBS targets
# at a time (half the cores by default). A target's extra libFuzzer flags
# (such as -max_len) come from tests/fuzz/<target>.flags when it exists.
# Skipped when clang is not installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang is not installed; skipped"
  exit 0
fi
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-$(( ($(nproc) + 1) / 2 ))}
dir="$top/build-fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVEX_FUZZ=ON -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$dir" --target fuzz_all --parallel "${BUILD_JOBS:-$(nproc)}"

# One target: seeds, run, a line of figures or the fault's log.
run_one() {
  local target=$1 name corpus seeds flags=()
  name=$(basename "$target")
  corpus="$dir/corpus/${name#fuzz_}"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  seeds="$dir/bin/seeds_${name#fuzz_}"
  if [ -x "$seeds" ]; then "$seeds" "$corpus" >/dev/null; fi
  if [ -f "$top/tests/fuzz/$name.flags" ]; then read -r -a flags <"$top/tests/fuzz/$name.flags"; fi
  if "$target" -max_total_time="$seconds" -print_final_stats=1 "${flags[@]}" -artifact_prefix="$dir/$name-" \
      "$corpus" >"$dir/$name.log" 2>&1; then
    echo "== $name ($seconds s): $(grep -E '^stat::number_of_executed_units' "$dir/$name.log" || true)"
  else
    echo "== $name found a fault:"
    tail -n 60 "$dir/$name.log"
    return 1
  fi
}
export -f run_one
export dir top seconds

shopt -s nullglob
targets=()
for target in "$dir"/bin/fuzz_*; do [ -x "$target" ] && targets+=("$target"); done
[ ${#targets[@]} -eq 0 ] && exit 0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}
