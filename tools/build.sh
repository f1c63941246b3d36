#!/usr/bin/env bash
# Configures and builds one build type: "release" (build/), "debug"
# (build-debug/, with AddressSanitizer and UndefinedBehaviorSanitizer) or
# "tsan" (build-tsan/, with ThreadSanitizer: only the code with threads, the
# world map and the platform layer, and their tests).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
targets=()
case "$kind" in
  release) dir="$top/build"; flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  debug)   dir="$top/build-debug"; flags=(-DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF) ;;
  tsan)    dir="$top/build-tsan"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_TSAN=ON -DORVEX_BENCH=OFF)
           targets=(--target test_platform test_worldmap) ;;
  *) echo "usage: $0 [release|debug|tsan]" >&2; exit 2 ;;
esac
cmake -S "$top" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "${BUILD_JOBS:-$(nproc)}" "${targets[@]}"
