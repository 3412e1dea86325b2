#!/usr/bin/env bash
# Proves the README's commands and the package on fresh Debian 12 machines.
#
# Builds a minimal Debian 12 root with debootstrap (plus git and make), unpacks it
# three times in a temporary folder and, in each, from a git clone of this
# repository's committed HEAD:
#   root 1: make run (the dialogue answered through a pipe), then make test
#   root 2: make test, then make run
#   root 3: apt-get install ./gearmesh_*.deb (built here with make package), then
#           /usr/bin/gearmesh
# Each "run" stage must open the program's window on an Xvfb started here (the
# roots share this machine's network namespace, so they reach its abstract X
# socket); the window is found by its title with xdotool and closed with ESC.
# Every mount is undone on exit. Needs root, debootstrap, Xvfb and xdotool, and
# about 2 GB in the temporary folder. Takes about 14 minutes on 2 cores.
#
# Usage: sudo scripts/fresh-machine-check.sh [--base TARBALL]
#   --base TARBALL   reuse a tarball of a debootstrapped root (made with
#                    FMC_KEEP_BASE=TARBALL on an earlier run) instead of debootstrapping
# Environment: FMC_MIRROR (default http://deb.debian.org/debian),
#              FMC_TMP (default /var/tmp), FMC_KEEP_BASE (save the base tarball there).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Every root gets this commit, whatever is committed while the check runs.
commit=$(git -C "$repo" rev-parse HEAD)
mirror=${FMC_MIRROR:-http://deb.debian.org/debian}
base_tarball=""
if [ "${1:-}" = "--base" ]; then
  base_tarball=$(realpath "$2")
fi
[ "$(id -u)" -eq 0 ] || { echo "run it as root (it uses debootstrap, mount and chroot)" >&2; exit 2; }
for tool in debootstrap Xvfb xdotool git; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install debootstrap xvfb xdotool git" >&2; exit 2; }
done

work=$(mktemp -d "${FMC_TMP:-/var/tmp}/gearmesh-fresh.XXXXXX")
xvfb_pid=""
failed=0
results=()

cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  local m
  # Innermost first; a lazy unmount when something still holds a mount busy.
  for m in $(findmnt -rn -o TARGET | grep -F "$work/" | sort -r); do
    umount -R "$m" 2>/dev/null || umount -Rl "$m" 2>/dev/null || true
  done
  if findmnt -rn -o TARGET | grep -qF "$work/"; then
    echo "WARNING: still mounted under $work; left in place:" >&2
    findmnt -rn -o TARGET | grep -F "$work/" >&2
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now() { date +%s; }
say() { printf '%s %s\n' "$(date +%H:%M:%S)" "$*"; }
record() {  # record STAGE STATUS SECONDS [NOTE]
  local line
  line=$(printf '%-42s %-4s %5d s  %s' "$1" "$2" "$3" "${4:-}")
  results+=("$line")
  say "$line"
  [ "$2" = PASS ] || failed=1
}

# [SECTION] The base root
make_base() {
  local t0
  t0=$(now)
  if [ -n "$base_tarball" ]; then
    record "base root (reused $base_tarball)" PASS 0
    return
  fi
  say "debootstrap bookworm (minbase, git, make) from $mirror"
  if debootstrap --variant=minbase --include=git,make,ca-certificates bookworm \
       "$work/base" "$mirror" > "$work/debootstrap.log" 2>&1; then
    base_tarball="$work/base.tar"
    tar -C "$work/base" -cf "$base_tarball" .
    rm -rf "$work/base"
    [ -n "${FMC_KEEP_BASE:-}" ] && cp "$base_tarball" "$FMC_KEEP_BASE"
    record "debootstrap of the base root" PASS $(( $(now) - t0 ))
  else
    tail -n 20 "$work/debootstrap.log"
    record "debootstrap of the base root" FAIL $(( $(now) - t0 ))
    exit 1
  fi
}

# A fresh root NAME from the base, with /proc, /sys and /dev, and the repository
# cloned into /root/gearmesh.
new_root() {
  local r="$work/$1"
  mkdir -p "$r"
  tar -C "$r" -xf "$base_tarball"
  cp /etc/resolv.conf "$r/etc/resolv.conf"
  mount -t proc proc "$r/proc"
  mount -t sysfs sysfs "$r/sys"
  mount --rbind /dev "$r/dev"
  mount --make-rslave "$r/dev"
  git clone -q "$repo" "$r/root/gearmesh"
  git -C "$r/root/gearmesh" checkout -q "$commit"
  echo "$r"
}

# Ends whatever still runs inside root R (a server a test left behind), by pid.
kill_in_root() {  # kill_in_root R
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$1" ] && kill "${p#/proc/}" 2>/dev/null
  done
  return 0
}

end_root() {
  local r="$work/$1"
  kill_in_root "$r"
  sleep 1
  umount -R "$r/dev" "$r/sys" "$r/proc" 2>/dev/null || umount -Rl "$r/dev" "$r/sys" "$r/proc" || true
  rm -rf "$r"
}

# Runs a command in root R as root would on a fresh machine, output to LOG.
in_root() {  # in_root R LOG COMMAND
  chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb DISPLAY="$display" /bin/bash -c "$3" > "$2" 2>&1
}

# [SECTION] The X server the window stages use
start_xvfb() {
  local fifo="$work/xvfb.fd"
  # -noreset: xdotool's short connections would otherwise reset the server
  # each time, and a program connecting during a reset would fail.
  Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp -noreset 3> "$fifo" > "$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local i
  for i in $(seq 100); do
    [ -s "$fifo" ] && break
    sleep 0.1
  done
  display=":$(head -n1 "$fifo")"
  [ "$display" != ":" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
  say "Xvfb on $display"
}

# Starts COMMAND in root R with the dialogue "20 20 / 0 0" on a pipe, waits up to
# LIMIT seconds for the window, closes it with ESC and expects status 0.
# Prints what happened; returns non-zero on failure.
window_stage() {  # window_stage R LOG COMMAND LIMIT
  local r=$1 log=$2 command=$3 limit=$4
  in_root "$r" "$log" "printf '20 20\n0 0\n' | ( $command )" &
  local pid=$! t0 window=""
  t0=$(now)
  while [ $(( $(now) - t0 )) -lt "$limit" ] && kill -0 "$pid" 2>/dev/null; do
    window=$(DISPLAY=$display xdotool search --name '転位歯車のかみ合い' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 1
  done
  if [ -z "$window" ]; then
    kill_in_root "$r"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "no window; the last lines of $log:"
    tail -n 15 "$log"
    return 1
  fi
  sleep 2  # the first frames
  DISPLAY=$display xdotool windowfocus --sync "$window" key --clearmodifiers Escape
  local status=0
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "window opened, but ESC ended it with status $status; the last lines of $log:"
    tail -n 15 "$log"
    return 1
  fi
  grep -q 'かみ合い圧力角' "$log" || { echo "the report is missing from $log"; return 1; }
  echo "window $window opened; ESC closed it with status 0"
}

# Download size the first package step of root R needed, from its apt log.
downloaded() {  # downloaded R
  grep -ho 'Need to get [^ ]* [kMG]B' "$1"/root/gearmesh/build/packages.log 2>/dev/null | head -n1 || true
}

run_stage() {  # run_stage ROOT_NAME STAGE_NAME
  local r="$work/$1" t0 note
  t0=$(now)
  if note=$(window_stage "$r" "$work/$1-$2.log" "cd /root/gearmesh && make run" 1800); then
    record "$1: make run" PASS $(( $(now) - t0 )) "$(echo "$note" | tail -n1)"
  else
    echo "$note"
    record "$1: make run" FAIL $(( $(now) - t0 ))
  fi
}

test_stage() {  # test_stage ROOT_NAME STAGE_NAME
  local r="$work/$1" t0 log="$work/$1-$2.log"
  t0=$(now)
  # As from a text console: no display; the window tests start their own.
  if display="" in_root "$r" "$log" "cd /root/gearmesh && make test"; then
    record "$1: make test" PASS $(( $(now) - t0 )) "$(grep -o '[0-9]*% tests passed.*' "$log" | tail -n1)"
  else
    tail -n 30 "$log"
    record "$1: make test" FAIL $(( $(now) - t0 ))
  fi
}

# [SECTION] The three orders
start_all=$(now)
say "checking commit $(git -C "$repo" log -1 --format='%h %s' "$commit")"
make_base
start_xvfb

say "root 1: make run, then make test"
new_root root1 > /dev/null
run_stage root1 run
size1=$(downloaded "$work/root1")
test_stage root1 test
end_root root1

say "root 2: make test, then make run"
new_root root2 > /dev/null
test_stage root2 test
size2=$(downloaded "$work/root2")
run_stage root2 run
end_root root2

say "root 3: the package"
t0=$(now)
git clone -q "$repo" "$work/src"
git -C "$work/src" checkout -q "$commit"
if make -C "$work/src" package BUILD_DIR="$work/src/build" > "$work/package.log" 2>&1; then
  deb=$(ls "$work"/src/build/gearmesh_*.deb)
  record "host: make package" PASS $(( $(now) - t0 )) "$(basename "$deb")"
  new_root root3 > /dev/null
  cp "$deb" "$work/root3/root/"
  t0=$(now)
  if in_root "$work/root3" "$work/root3-install.log" \
       "apt-get -o DPkg::Lock::Timeout=600 update && apt-get -o DPkg::Lock::Timeout=600 install -y /root/$(basename "$deb")" \
     && grep -q '^Terminal=true' "$work/root3/usr/share/applications/gearmesh.desktop"; then
    record "root3: apt-get install ./$(basename "$deb")" PASS $(( $(now) - t0 )) \
      "$(grep -o 'Need to get [^ ]* [kMG]B' "$work/root3-install.log" | head -n1)"
    t0=$(now)
    if note=$(window_stage "$work/root3" "$work/root3-run.log" /usr/bin/gearmesh 120); then
      record "root3: /usr/bin/gearmesh" PASS $(( $(now) - t0 )) "$note"
    else
      echo "$note"
      record "root3: /usr/bin/gearmesh" FAIL $(( $(now) - t0 ))
    fi
  else
    tail -n 20 "$work/root3-install.log"
    record "root3: apt-get install ./$(basename "$deb")" FAIL $(( $(now) - t0 ))
  fi
  end_root root3
else
  tail -n 20 "$work/package.log"
  record "host: make package" FAIL $(( $(now) - t0 ))
fi

echo
echo "Results (commit ${commit:0:7}):"
printf '  %s\n' "${results[@]}"
echo "  first package step downloaded: root 1 (make run) ${size1:-?}; root 2 (make test) ${size2:-?}"
echo "  total $(( $(now) - start_all )) s"
[ "$failed" -eq 0 ] && echo "ALL PASSED" || echo "SOME STAGES FAILED"
exit "$failed"
