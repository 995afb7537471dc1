#!/usr/bin/env bash
# Fails when a file outside platform/ (and its tests) includes Qt, operating-system or outside
# library headers: everything above the platform layer talks to it through its plain calls.
set -u
top=${1:-.}
cd "$top" || exit 2
found=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>"]*|termios\.h|unistd\.h|sys/[a-z_]+\.h|fcntl\.h|jpeglib\.h|tiffio\.h|gif_lib\.h|baseclient\.h|basedevice\.h|indi[a-z]*\.h)[>"]' \
  astro objects chart app telescope tests bench fuzz 2>/dev/null \
  | grep -v "^tests/platform/" || true)
if [ -n "$found" ]; then
  echo "Qt or system headers outside platform/:"
  echo "$found"
  exit 1
fi
echo "include boundary holds"
