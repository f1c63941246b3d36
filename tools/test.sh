#!/usr/bin/env bash
# Installs what is missing, builds the Release and the sanitizer build, and
# runs every test of both (GUI tests under a virtual X server); then the
# tests of the code with threads (the platform layer and the world map)
# under ThreadSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
"$top/tools/format-check.sh"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
for kind in release debug tsan; do
  "$top/tools/build.sh" "$kind"
done
status=0
for dir in build build-debug; do
  echo "== tests in $dir"
  xvfb-run -a ctest --test-dir "$top/$dir" --output-on-failure --parallel "${BUILD_JOBS:-$(nproc)}" --timeout 600 || status=1
done
# Only the tests that run threads: the sound layer's SDL device and the world
# map's workers.
echo "== ThreadSanitizer tests in build-tsan"
"$top/build-tsan/bin/test_platform" --gtest_brief=1 --gtest_filter='Sound.*:SdlSound.*' || status=1
"$top/build-tsan/bin/test_worldmap" --gtest_brief=1 --gtest_filter='Threads.*:MusicAndSteps.*' || status=1
if [ -x "$top/tools/fuzz.sh" ]; then "$top/tools/fuzz.sh" || status=1; fi
exit $status
