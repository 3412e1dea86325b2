#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, when they are missing.
# Usage: scripts/install-deps.sh run|test|package [BUILD_DIR]
#   run      compiler, CMake, freeglut, GL and X11 headers: what the program needs
#   test     and GoogleTest, Google Benchmark, clang, Xvfb and the tools of the window tests
#   package  and what CPack needs to find the package's dependencies
# Uses apt-get as root, or through sudo. Its output goes to BUILD_DIR/packages.log.
# BUILD_DIR/packages.state lists which of the packages of all three sets are
# installed; it is rewritten only when that changes (by this script or by hand),
# and the Makefile then configures again, since CMake remembers what it did not
# find. It reads nothing from standard input, which may hold the answers to the
# program's dialogue.
set -euo pipefail

what=${1:-run}
build=${2:-build}

run_packages=(build-essential cmake freeglut3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev)
# Unit tests and the benchmark; a second compiler; an X server, key presses, the
# window system's view of the window, a terminal, and the scripts' interpreter.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang xvfb xdotool x11-utils tmux python3)
# CPack's search for the libraries the program links.
package_packages=(file)
case "$what" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  *) echo "usage: $0 run|test|package [BUILD_DIR]" >&2; exit 2 ;;
esac

record_state() {
  local state
  state=$(dpkg-query -W -f='${Package} ${Status}\n' \
            "${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" 2>/dev/null | sort || true)
  if [ ! -f "$build/packages.state" ] || [ "$(cat "$build/packages.state")" != "$state" ]; then
    mkdir -p "$build"
    printf '%s\n' "$state" > "$build/packages.state"
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  record_state
  exit 0
fi

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
record_state
