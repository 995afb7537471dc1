#!/usr/bin/env bash
# Fails when a C++ source or header differs from what clang-format makes of it (.clang-format at
# the top). Generated tables turn the formatter off themselves.
set -u
top=${1:-.}
cd "$top" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is not installed (tools/setup.sh)"; exit 2; }
files=$(find astro objects chart app qv settings telescope platform tests bench fuzz tools \
          \( -name '*.cpp' -o -name '*.h' \) -not -path '*/catalog_fixture/*' 2>/dev/null | sort)
bad=()
# One formatter for all the files (starting one per file took most of the time); only when some
# differ, one per file to name them.
# shellcheck disable=SC2086
if ! clang-format --dry-run -Werror $files >/dev/null 2>&1; then
  for f in $files; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
fi
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run clang-format -i on them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "$(echo "$files" | wc -l) files formatted"
