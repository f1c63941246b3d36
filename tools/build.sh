#!/usr/bin/env bash
# Configures and builds one build type: "release" (build/) or "debug"
# (build-debug/, with AddressSanitizer and UndefinedBehaviorSanitizer): every
# target, or only the targets named after the build type.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
case "$kind" in
  release) dir="$top/build"; flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  debug)   dir="$top/build-debug"; flags=(-DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF) ;;
  *) echo "usage: $0 [release|debug] [TARGET...]" >&2; exit 2 ;;
esac
shift $(( $# > 0 ? 1 : 0 ))
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S "$top" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "${BUILD_JOBS:-$(nproc)}" "${targets[@]}"
