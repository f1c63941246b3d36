#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the layout of .clang-format.
# With --fix, rewrites the files in place instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mode=(--dry-run --Werror)
if [ "${1:-}" = "--fix" ]; then mode=(-i); fi
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format "${mode[@]}"
