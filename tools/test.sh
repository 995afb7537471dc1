#!/usr/bin/env bash
# Installs what is needed, builds everything twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) with warnings as errors, and runs every test in both builds. The
# default data is built beside the plain build first, so the tests of the default database run
# in both (they skip when it could not be built, for example without a network).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/setup.sh

jobs=${JOBS:-2}
build() {  # build <dir> <cmake options...>; build/ as tools/run.sh left it, so only the rest is built
  tools/configure.sh "$@"
  cmake --build "$1" -j "$jobs"
}
run_tests() {  # run_tests <dir> [ctest options...]
  local dir=$1
  shift
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 600 "$@"
}

build build
tools/make_default_data.sh build || echo "The default data could not be built: its tests skip."
run_tests build
build build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$top/tools/lsan.supp \
  run_tests build-asan -E '^(source_format|include_boundary)$'  # checks of the sources: no code runs
echo "All tests passed."
