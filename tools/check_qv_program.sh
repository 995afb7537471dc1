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

# expect CODE WHAT ARGS...: runs qv with ARGS, keeping its output in $work/out and $work/err.
expect() {
  local want=$1 what=$2
  shift 2
  "$qv" "$@" >"$work/out" 2>"$work/err"
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

expect 1 "qv chart with a bad size" chart --database "$db" --size 2x1 --out "$work/bad.png"
check "no file after a bad size" test ! -e "$work/bad.png"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the qv program failed"
  exit 1
fi
echo "the qv program keeps its exit codes and outputs"
