#!/usr/bin/env bash
# Checks the direction of every #include between the source folders, and that only the platform
# layer includes Qt or operating-system headers.
#
# The layers, bottom to top; each may include only itself and the layers under it:
#   platform < astro < objects < chart < telescope < settings < app, qv
# app/ (the window program) and qv/ (the command-line companion) share nothing but the layers
# under them. generated/ holds headers the build makes from resources/ (the string numbers): plain
# declarations every layer may include. tests/X may include what X may, and the tests of its own
# and lower layers; tests/support is for every test. bench/ and fuzz/ are programs over every
# layer; bench/ also drives the simulated devices of the tests and splits catalogs as
# tools/catalog does. tools/catalog
# and tools/database build on the object database; tools/images is a converter of its own, the
# one tool that calls Qt itself (as do the platform's tests).
# Prints every folder-to-folder edge with its count; fails on an include against the direction.
set -u
top=${1:-.}
cd "$top" || exit 2

# Each line of grep is "file:#include "path"": awk keeps the folder of each and judges the edge.
report=$(grep -rE '^\s*#\s*include\s*"' --include='*.h' --include='*.cpp' \
           platform astro objects chart telescope settings app qv tests bench fuzz tools 2>/dev/null |
  awk '
  BEGIN {
    split("platform astro objects chart telescope settings app qv programs", names, " ")
    for (i = 1; i <= 9; ++i) rank[names[i]] = i
    rank["qv"] = rank["app"]
  }
  function folder(path,  parts) {
    split(path, parts, "/")
    return (parts[1] == "tests" || parts[1] == "tools") ? parts[1] "/" parts[2] : parts[1]
  }
  function layer(f) {
    if (f == "tests/tools" || f == "bench" || f == "fuzz") return "programs"
    if (f == "tools/catalog" || f == "tools/database") return "objects"
    if (f ~ /^tests\//) return substr(f, 7)
    return f
  }
  function allowed(from, to,  a, b) {
    if (from == to || to == "generated") return 1
    if (to == "tests/support") return from ~ /^tests\//
    if (from == "tests/support" || from == "tools/images") return 0
    if (from == "tests/tools" && to ~ /^tools\//) return 1
    if (from == "bench" && to == "tools/catalog") return 1  # catalogs split as the converter does
    if (to ~ /^tools\//) return 0
    if (to ~ /^tests\//) {
      if (from == "bench") return 1  # benchmarks drive the simulated devices of the tests
      if (from !~ /^tests\//) return 0
      to = substr(to, 7)
    }
    a = layer(from); b = layer(to)
    if (a == b) return 1
    if (!(a in rank) || !(b in rank)) return 0
    return rank[b] < rank[a] || (a == "programs" && b != "programs")
  }
  {
    file = substr($0, 1, index($0, ":") - 1)
    if (!match($0, /"[^"]+"/)) next
    target = substr($0, RSTART + 1, RLENGTH - 2)
    if (index(target, "/") == 0) next  # beside the including file
    from = folder(file); to = folder(target)
    if (from == to) next
    edges[from " -> " to]++
    if (!allowed(from, to)) print "against the direction: " file " includes " target
  }
  END { for (e in edges) print "  " e " (" edges[e] ")" }')
status=0
if grep -q '^against' <<<"$report"; then
  grep '^against' <<<"$report"
  status=1
fi

found=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>"]*|termios\.h|unistd\.h|sys/[a-z_]+\.h|fcntl\.h|jpeglib\.h|tiffio\.h|gif_lib\.h|baseclient\.h|basedevice\.h|indi[a-z]*\.h)[>"]' \
  astro objects chart telescope settings app qv tests bench fuzz tools 2>/dev/null \
  | grep -v -e '^tests/platform/' -e '^tools/images/' || true)
if [ -n "$found" ]; then
  echo "Qt or system headers outside platform/:"
  echo "$found"
  status=1
fi

grep '^  ' <<<"$report" | sort
[ $status -eq 0 ] && echo "every include follows the layers: no edge goes up, so none closes a cycle"
exit $status
