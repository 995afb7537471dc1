#!/usr/bin/env bash
# Installs what is needed, builds everything twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) with warnings as errors, and runs every test in both builds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/setup.sh

jobs=${JOBS:-2}
run_build() {  # run_build <dir> <cmake options...>
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DQV_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 600
}

run_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$top/tools/lsan.supp \
  run_build build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BENCH=OFF
echo "All tests passed."
