#!/usr/bin/env bash
# Configures a build folder as the run and test commands both build it, so that either reuses
# what the other compiled: Ninja, RelWithDebInfo, warnings as errors, and ccache when installed
# (a build folder made anew then compiles from the cache). Later options override these.
#   tools/configure.sh BUILD_DIR [cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_WERROR=ON \
  "${launcher[@]}" "$@" >/dev/null
