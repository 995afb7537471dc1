#!/usr/bin/env bash
# Proves that the README's two commands work on a bare Debian 12: builds a minimal root with
# debootstrap (only git and ca-certificates added), clones the committed repository into it and
# runs the run command and then the test command there exactly as written, as root, printing each
# one's wall time and the test summary. Run it after changing tools/setup.sh, a find_package or
# pkg_check_modules line, or a tool the tests use. Needs root, debootstrap, about 15 GB and,
# on 2 cores, one to two hours.
#   tools/check_fresh_machine.sh [--keep] [--commit REV] [ROOT_DIR]
# ROOT_DIR (default /var/tmp/quorvane-fresh-root) must not exist yet; it is deleted at the end
# unless --keep is given. REV defaults to HEAD: what is committed, not the work tree, is checked.
# The logs of both commands stay in ROOT_DIR.logs/. Exits non-zero when either command fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

keep=false
commit=HEAD
root=/var/tmp/quorvane-fresh-root
while [ $# -gt 0 ]; do
  case $1 in
    --keep) keep=true ;;
    --commit) commit=$2; shift ;;
    -h | --help) sed -n '2,12p' "$0" | cut -c3-; exit 0 ;;
    -*) echo "unknown option $1 (see --help)" >&2; exit 2 ;;
    *) root=$1 ;;
  esac
  shift
done

say() { echo "check_fresh_machine: $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot and mount)"
command -v debootstrap >/dev/null || fail "debootstrap is not installed (apt-get install debootstrap)"
rev=$(git -C "$top" rev-parse --verify "$commit^{commit}") || fail "no commit $commit"
[ -e "$root" ] && fail "$root exists: remove it or name another folder"
root=$(mkdir -p "$root" && cd "$root" && pwd)
logs=$root.logs
mkdir -p "$logs"

# Whatever is mounted inside the root is unmounted on every exit, in reverse order, and processes
# still running inside it (a test's leftover server) are ended first so nothing stays busy.
mounted=()
cleanup() {
  local status=$? pid i
  set +e
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" ||
      say "could not unmount ${mounted[i]}" >&2
  done
  if [ -n "$(findmnt -rn -o TARGET | grep -F "$root/")" ]; then
    say "$root is left as it is: something is still mounted in it" >&2
  elif [ "$keep" = true ]; then
    say "the root stays in $root (nothing is mounted in it)"
  else
    rm -rf "$root"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_in_root() {  # mount_in_root <type> <dir inside root> [options]
  mkdir -p "$root/$2"
  mount -t "$1" ${3:+-o "$3"} "$1" "$root/$2"
  mounted+=("$root/$2")
}

# The host's package sources (files apt reads); debootstrap fetches from their first Debian archive.
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sources+=("$f")
done
[ ${#sources[@]} -gt 0 ] || fail "this machine has no package sources in /etc/apt"
mirror=$(grep -hoE '^(URIs:[[:space:]]*|deb[[:space:]]+(\[[^]]*\][[:space:]]+)?)[a-z]+://[^[:space:]]+/debian/?([[:space:]]|$)' \
  "${sources[@]}" |
  grep -oE '[a-z]+://[^[:space:]]+' | head -n1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

say "building a bare Debian 12 in $root from $mirror"
start=$SECONDS
debootstrap --variant=minbase --include=git,ca-certificates bookworm "$root" "$mirror" \
  >"$logs/debootstrap.log" 2>&1 || { tail -n 20 "$logs/debootstrap.log" >&2; fail "debootstrap"; }

rm -f "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*
for f in "${sources[@]}"; do cp "$f" "$root$f"; done
# Keyrings that the copied sources name and the new root lacks.
for key in $(grep -hoE '(Signed-By:[[:space:]]*|signed-by=)/[^][:space:]]+' "${sources[@]}" |
  grep -oE '/[^][:space:]]+'); do
  [ -f "$key" ] && [ ! -e "$root$key" ] && mkdir -p "$(dirname "$root$key")" && cp "$key" "$root$key"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp /etc/hosts "$root/etc/hosts"
if compgen -G "/usr/local/share/ca-certificates/*" >/dev/null; then
  cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >>"$logs/debootstrap.log" 2>&1
fi

mount_in_root proc proc
mount_in_root sysfs sys
mount_in_root devpts dev/pts newinstance,ptmxmode=0666
ln -sf pts/ptmx "$root/dev/ptmx"
mount_in_root tmpfs dev/shm mode=1777

git clone -q --no-hardlinks "$top" "$root/root/quorvane"
git -C "$root/root/quorvane" checkout -q --detach "$rev"
say "bare root ready in $((SECONDS - start)) s: $(chroot "$root" dpkg-query -f '.\n' -W | wc -l) packages; checking $(git -C "$top" log -1 --format='%h %s' "$rev")"

# in_root <log> <command>: runs the command in the clone as a new root login would, with a
# minimal environment (nothing of this machine's), and keeps its output in the log. It runs in
# the background so that a signal to this script is handled at once, not after the command.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/quorvane && $2" </dev/null >"$logs/$1" 2>&1 &
  wait $!
}

failed=()
run_command() {  # run_command <log> <command>
  local t=$SECONDS status=0
  in_root "$1" "$2" || status=$?
  local took=$((SECONDS - t))
  if [ $status -eq 0 ]; then
    say "$2: passed in $((took / 60)) min $((took % 60)) s"
  else
    say "$2: FAILED (exit $status) after $((took / 60)) min $((took % 60)) s; the end of $logs/$1:"
    tail -n 40 "$logs/$1" | sed 's/^/    /'
    failed+=("$2")
  fi
}

run_command run.log tools/run.sh
say "packages installed: $(chroot "$root" dpkg-query -f '.\n' -W | wc -l)"
run_command test.log tools/test.sh
say "test summary (plain build, then sanitizers):"
grep -E 'tests passed|tests failed|The following tests|\*\*\*(Failed|Timeout|Exception)|Not Run' \
  "$logs/test.log" | sed 's/^/    /' || say "  (no test ran)"
grep -hE '^\s+[0-9]+ - .*\((Failed|Timeout|Subprocess aborted|SEGFAULT|Not Run)\)' \
  "$logs/test.log" | sed 's/^/    /' || true

if [ ${#failed[@]} -gt 0 ]; then
  fail "${failed[*]} (logs in $logs)"
fi
say "passed: both commands work on a bare Debian 12 (logs in $logs)"
