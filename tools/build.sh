#!/usr/bin/env bash
# Configures and builds one build type: "release" (build/), "debug"
# (build-debug/, with AddressSanitizer and UndefinedBehaviorSanitizer) or
# "tsan" (build-tsan/, with ThreadSanitizer): every target, or only the
# targets named after the build type; "tsan" builds by default only the code
# with threads, the platform layer and the world map, with their tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
defaults=()
case "$kind" in
  release) dir="$top/build"; flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  debug)   dir="$top/build-debug"; flags=(-DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF) ;;
  tsan)    dir="$top/build-tsan"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_TSAN=ON -DORVEX_BENCH=OFF)
           defaults=(test_platform test_worldmap) ;;
  *) echo "usage: $0 [release|debug|tsan] [TARGET...]" >&2; exit 2 ;;
esac
shift $(( $# > 0 ? 1 : 0 ))
if [ $# -eq 0 ] && [ ${#defaults[@]} -gt 0 ]; then set -- "${defaults[@]}"; fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S "$top" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "${BUILD_JOBS:-$(nproc)}" "${targets[@]}"
