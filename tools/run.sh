#!/usr/bin/env bash
# Installs what is needed, builds Quorvane and starts the planetarium.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/setup.sh
# The programs and the data tools only; tools/test.sh builds the rest in the same folder.
tools/configure.sh build
cmake --build build -j "${JOBS:-2}" --target programs
# The default database, planet images, help and demo settings beside the program (once; cached).
if ! tools/make_default_data.sh build; then
  if [ ! -f build/Database/Index.qvd ]; then
    echo "tools/run.sh: without its default data Quorvane has no database to start with; do what" >&2
    echo "the message above says and run tools/run.sh again." >&2
    exit 1
  fi
  echo "tools/run.sh: the default data could not be brought up to date (above); Quorvane starts" >&2
  echo "with the database it has." >&2
fi

# Without a display the window cannot open: qv draws the chart it would start with instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  chart=build/quorvane-default-chart.png
  echo "There is no display to show Quorvane's window on (neither DISPLAY nor WAYLAND_DISPLAY"
  echo "is set). Start it on a desktop, or under a virtual display: xvfb-run build/quorvane"
  echo "Meanwhile qv draws the chart Quorvane starts with, for the present time:"
  if build/qv chart --out "$chart"; then
    echo "  $top/$chart"
  else
    echo "qv could not draw the chart (its message is above)."
    exit 1
  fi
  exit 0
fi
exec build/quorvane
