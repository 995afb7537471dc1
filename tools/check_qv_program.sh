#!/usr/bin/env bash
# Runs the qv program as a script would: its exit codes (0 done, 1 a user error, 2 a file error),
# results on standard output and messages on standard error, and a chart file in a new database.
# Usage: tools/check_qv_program.sh QV_PROGRAM SOURCE_DIR
set -u
qv=$1
top=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect CODE WHAT ARGS...: runs qv with ARGS, keeping its output in $work/out and $work/err; a run
# that has not ended in two minutes hangs (exit code 124).
expect() {
  local want=$1 what=$2
  shift 2
  timeout 120 "$qv" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $what: exit code $got, not $want"
    sed 's/^/  stderr: /' "$work/err"
    failures=$((failures + 1))
  fi
}
# check WHAT CONDITION...: a failure unless the condition holds.
check() {
  local what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

expect 0 "qv --help" --help
check "the usage goes to standard output" grep -q "qv ephemeris" "$work/out"
check "nothing on standard error after --help" test ! -s "$work/err"

expect 1 "qv without a command"
check "the usage goes to standard error" grep -q "Usage:" "$work/err"
check "nothing on standard output without a command" test ! -s "$work/out"

expect 2 "qv db without a database" db --database "$work/none"
check "the missing index is named" grep -q "none/Index.qvd" "$work/err"

"$qv" --help >/dev/full 2>/dev/null
code=$?
check "a full disk is a file error (exit code $code)" test "$code" -eq 2

db="$work/db"
expect 0 "qv import --create" import --create --database "$db" "$top/resources/catalog/SolarSystem.txt"
check "the import is reported on standard output" grep -q "SolarSystem.qvd (50 objects)" "$work/out"

expect 1 "qv info of an unknown object" info --database "$db" --object Vulcan
check "the unknown name is on standard error" grep -q '"Vulcan"' "$work/err"
check "no info lines for an unknown object" test ! -s "$work/out"

expect 0 "qv info of Mars" info --database "$db" --object Mars --jd 2460370.5
check "fifteen info lines for Mars" test "$(wc -l <"$work/out")" -eq 15

expect 0 "qv approach" approach --database "$db" --object Jupiter --object Saturn \
  --start 2020/11/01 --end 2021/01/31 --step 1
check "the great conjunction of 2020 on December 21" grep -q "^2020/12/21 ..:..:..	0\.10" "$work/out"

expect 0 "qv chart" chart --database "$db" --jd 2460370.5 --size 200x100 --out "$work/chart.png"
check "the chart is a PNG" test "$(head -c 4 "$work/chart.png" | tail -c 3)" = "PNG"

expect 0 "qv animate" animate --database "$db" --jd 2460615.5 --step 2 --frames 4 --trail Mars \
  --size 200x100 --out "$work/mars.gif"
check "the animation is a GIF89a" test "$(head -c 6 "$work/mars.gif")" = "GIF89a"
check "the animation loops" grep -q "NETSCAPE2.0" "$work/mars.gif"

printf '<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n<Settings>\r\nShowRADecGrid=1\r\nGridRAInterval=0\r\nGridDecInterval=-15\r\n</Settings>\r\n</QuorvaneSettingsFile>\r\n' >"$work/zero.qvs"
expect 0 "qv chart with grid intervals out of range" chart --database "$db" \
  --settings "$work/zero.qvs" --jd 2460370.5 --size 400x300 --out "$work/grid.png"
check "each interval out of range is named with its line" \
  grep -q 'line 5: GridRAInterval=0 is outside' "$work/err"
check "the second interval too" grep -q 'line 6: GridDecInterval=-15 is outside' "$work/err"
check "the chart is drawn with the default grid" test -s "$work/grid.png"

expect 1 "qv chart with a bad size" chart --database "$db" --size 2x1 --out "$work/bad.png"
check "no file after a bad size" test ! -e "$work/bad.png"

# ---- Outputs: only a regular file (or a new name) is replaced ------------------------------------
chart=(chart --database "$db" --jd 2460370.5 --size 120x80)
ephemeris=(ephemeris --database "$db" --object Mars --start "2024/3/1 0:0:0" --end "2024/3/2" --step 1)
"$qv" "${chart[@]}" --out - >"$work/stdout.png" 2>"$work/err"
check "--out - writes the chart to standard output" test "$(head -c 4 "$work/stdout.png" | tail -c 3)" = "PNG"
mkfifo "$work/pipe.png"
timeout 20 cat "$work/pipe.png" >"$work/piped.png" &
reader=$!
expect 0 "qv chart into a pipe" "${chart[@]}" --out "$work/pipe.png"
wait $reader
check "the pipe stays a pipe" test -p "$work/pipe.png"
check "the chart came through the pipe" test "$(head -c 4 "$work/piped.png" | tail -c 3)" = "PNG"
expect 2 "qv chart into a pipe that nobody reads" "${chart[@]}" --out "$work/pipe.png"
check "an unread pipe is named as such" grep -q "a pipe that no program reads" "$work/err"
ln -s /proc/self/fd/1 "$work/link.png"
"$qv" "${chart[@]}" --out "$work/link.png" >"$work/linked.png" 2>"$work/err"
check "a link to standard output stays a link" test -L "$work/link.png"
check "the chart came through the link" test "$(head -c 4 "$work/linked.png" | tail -c 3)" = "PNG"
# A device of the test's own (never the system's /dev/null, which a fault would replace), where
# devices can be made.
if mknod -m 666 "$work/null" c 1 3 2>/dev/null; then
  expect 0 "qv ephemeris into a device" "${ephemeris[@]}" --out "$work/null"
  check "the device stays a device" test -c "$work/null"
fi
expect 0 "qv ephemeris to -" "${ephemeris[@]}" --out -
check "the table went to standard output" grep -q "Ephemeris for: Mars" "$work/out"
"$qv" find Mars --database "$db" >/dev/full 2>"$work/err"
code=$?
check "a full standard output is a file error (exit code $code)" test "$code" -eq 2
check "a full standard output is said" grep -q "can't write to standard output: No space" "$work/err"

# ---- Imports ------------------------------------------------------------------------------------
star() { printf 'S1\t\t%s\t+10 00\t\t\t5\t\t\t\t\t%s\n' "$1" "$2"; }
mkdir "$work/in"
star "01 00" Evil >"$work/in/..:..:evil.txt"
expect 1 "qv import of a name with \":\"" import --database "$db" "$work/in/..:..:evil.txt"
check "the name is refused as leading outside" grep -q "leads outside the database folder" "$work/err"
check "nothing written outside the database" test -z "$(find "$work" -name 'evil.qvd')"
{ star "02 00" First; printf '#%01048576d' 0; star "03 00" Tail; star "04 00" Last; } >"$work/long.txt"
expect 0 "qv import --keep-going of a 1 MB line" import --database "$db" --keep-going "$work/long.txt"
check "the long line is one bad line" grep -q "Line 2 of the file \"long.txt\" gives no object: it is longer than 1,023" "$work/err"
check "no piece of it became an object" grep -q "into long.qvd (2 objects)" "$work/out"
awk 'BEGIN { for (k = 1; k <= 16001; ++k) printf "S1\t\t%02d 00\t+10 00\t\t\t6\t\t\t\t\tStar %d\n", k % 24, k }' >"$work/big.txt"
expect 0 "qv import of 16,001 objects" import --database "$db" "$work/big.txt"
check "the objects past 16,000 go on in a numbered file" grep -q "into big.qvd (16000 objects) and big1.qvd (1 objects)" "$work/out"

# ---- Files that cannot be read stay in the index, and the run says so ----------------------------
index=$(md5sum <"$db/Index.qvd")
mv "$db/SolarSystem.qvd" "$work/"
expect 2 "qv find with a file missing" find Mars --database "$db"
check "the missing file is named" grep -q "SolarSystem.qvd" "$work/err"
check "reading leaves the index as it was" test "$(md5sum <"$db/Index.qvd")" = "$index"
mv "$work/SolarSystem.qvd" "$db/"
expect 0 "qv find with the file back" find Mars --database "$db"
touch "$db/.SolarSystem.qvd.999999999.0.tmp"
expect 0 "qv db" db --database "$db"
check "a temporary of a writer that died goes" test ! -e "$db/.SolarSystem.qvd.999999999.0.tmp"

# ---- Two writers at once: neither loses the other's file (50 runs) --------------------------------
star "05 00" Alpha >"$work/alpha.txt"
star "06 00" Beta >"$work/beta.txt"
lost=0
for run in $(seq 50); do
  rm -rf "$work/race" && cp -r "$db" "$work/race"
  "$qv" import --database "$work/race" "$work/alpha.txt" >/dev/null 2>&1 &
  a=$!
  "$qv" import --database "$work/race" "$work/beta.txt" >/dev/null 2>&1 &
  b=$!
  "$qv" find Mars --database "$work/race" >/dev/null 2>&1 &
  f=$!
  wait $a && wait $b && wait $f || { lost=$((lost + 1)); continue; }
  "$qv" db --database "$work/race" >"$work/out" 2>&1
  grep -q "alpha.qvd" "$work/out" && grep -q "beta.qvd" "$work/out" || lost=$((lost + 1))
done
check "two imports at once keep both files in 50 of 50 runs ($lost failed)" test "$lost" -eq 0

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the qv program failed"
  exit 1
fi
echo "the qv program keeps its exit codes and outputs"
