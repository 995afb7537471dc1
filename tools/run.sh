#!/usr/bin/env bash
# Installs what is needed, builds Quorvane and starts the planetarium.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${JOBS:-2}"
# The default database, planet images, help and demo settings beside the program (once; cached).
tools/make_default_data.sh build ||
  echo "Could not build the default data; Quorvane starts with what is there."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display to show Quorvane's window on (neither DISPLAY nor WAYLAND_DISPLAY"
  echo "is set). Start it on a desktop, or under a virtual display: xvfb-run build/quorvane"
  exit 0
fi
exec build/quorvane
