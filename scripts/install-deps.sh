#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, when they are missing.
# Usage: scripts/install-deps.sh run|test|package [BUILD_DIR]
#   run      compiler, CMake, freeglut, GL and X11 headers: what the program needs
#   test     and GoogleTest, Google Benchmark, clang, Xvfb and the tools of the window tests
#   package  and what CPack needs to find the package's dependencies
# Uses apt-get as root, or through sudo. Its output goes to BUILD_DIR/packages.log;
# when it has installed something it touches BUILD_DIR/packages.stamp, which tells
# the Makefile to configure again (CMake remembers what it did not find). It reads
# nothing from standard input, which may hold the answers to the program's dialogue.
set -euo pipefail

what=${1:-run}
build=${2:-build}

packages=(build-essential cmake freeglut3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev)
case "$what" in
  run) ;;
  # Unit tests and the benchmark; a second compiler; an X server, key presses, the
  # window system's view of the window, a terminal, and the scripts' interpreter.
  test) packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang xvfb xdotool x11-utils tmux python3) ;;
  package) packages+=(file) ;;
  *) echo "usage: $0 run|test|package [BUILD_DIR]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
  # Asks for the password, if sudo wants one, on a line of its own.
  echo "Missing Debian packages: ${missing[*]}; installing them with sudo"
  sudo -v
else
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run make again:" >&2
  echo "  su -c 'apt-get install -y ${missing[*]}'" >&2
  exit 1
fi

mkdir -p "$build"
log="$build/packages.log"
printf 'Installing %d Debian packages (%s), log in %s ... ' "${#missing[@]}" "${missing[*]}" "$log"
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
{
  echo "== $(date) apt-get install ${missing[*]}"
  "${apt[@]}" update && "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
} </dev/null >>"$log" 2>&1 || {
  echo "failed"
  tail -n 15 "$log"
  echo "The whole output is in $log"
  exit 1
}
echo "done"
touch "$build/packages.stamp"
