#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, when they are missing.
# Usage: scripts/install-deps.sh run|test|package|windows|web|web-test [BUILD_DIR]
#   run      compiler, CMake, freeglut, GL and X11 headers, stb's PNG writer: what the
#            program needs
#   test     and GoogleTest, Google Benchmark, clang, Xvfb and the tools of the window tests
#   package  and what CPack needs to find the package's dependencies
#   windows  the cross compiler, the sources of freeglut and GoogleTest, stb's header-only
#            PNG writer, Wine and zip,
#            and a deb-src entry for bookworm so that freeglut's source can be fetched
#   web      CMake and emscripten (with its node.js): what the web page needs
#   web-test and chromium, Firefox ESR and npm, besides what the desktop program's tests need
# Uses apt-get as root, or through sudo. Its output goes to BUILD_DIR/packages.log.
# BUILD_DIR/packages.state lists which of the packages of all three sets are
# installed; it is rewritten only when that changes (by this script or by hand),
# and the Makefile then configures again, since CMake remembers what it did not
# find. It reads nothing from standard input, which may hold the answers to the
# program's dialogue.
set -euo pipefail

what=${1:-run}
build=${2:-build}

# libstb-dev: stb_image_write.h, header-only, which saves the window as a PNG.
run_packages=(build-essential cmake freeglut3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
              libstb-dev)
# Unit tests and the benchmark; a second compiler; an X server (and xvfb-run's
# xauth), key presses, the window system's view of the window, a terminal, and the
# scripts' interpreter with numpy; an SVG parser, plane geometry and an SVG renderer
# for the outlines' and the saved pictures' tests, with the fonts the saved SVG names
# (URW's metric twins of Helvetica and Times, and a Japanese one).
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang xvfb xauth xdotool x11-utils tmux
               python3 python3-numpy python3-svgelements python3-shapely librsvg2-bin
               fonts-urw-base35 fonts-droid-fallback)
# CPack's search for the libraries the program links.
package_packages=(file)
# The cross compiler (posix threads, as GoogleTest wants), the source of freeglut
# and of GoogleTest, stb's header, Wine with an X server to run the result, the
# Japanese locale's source (Wine takes the console's code page from the locale),
# and zip.
windows_packages=(cmake g++-mingw-w64-x86-64-posix dpkg-dev googletest libstb-dev wine wine64 xvfb
                  xdotool x11-utils python3 locales zip)
# emscripten and its node.js; the two browsers to drive (Firefox in Xvfb, which the
# desktop program's tests bring); npm for the test's puppeteer-core.
web_packages=(cmake emscripten libstb-dev)
web_test_packages=(emscripten libstb-dev chromium firefox-esr)
# NOTE: a node.js from outside Debian brings its own npm and conflicts with
# Debian's npm package, so npm is asked for only when the command is missing.
if ! command -v npm >/dev/null 2>&1; then
  web_test_packages+=(npm)
fi
case "$what" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  windows) packages=("${windows_packages[@]}") ;;
  web) packages=("${web_packages[@]}") ;;
  web-test) packages=("${run_packages[@]}" "${test_packages[@]}" "${web_test_packages[@]}") ;;
  *) echo "usage: $0 run|test|package|windows|web|web-test [BUILD_DIR]" >&2; exit 2 ;;
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
# apt-get source needs a deb-src entry; a fresh Debian 12 may keep its entries in
# the deb822 file debian.sources, so both formats count.
src_missing=0
if [ "$what" = windows ] &&
   ! grep -rqsE '^[[:space:]]*(deb-src[[:space:]].*bookworm|Types:.*deb-src)' \
     /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src_missing=1
fi
if [ ${#missing[@]} -eq 0 ] && [ $src_missing -eq 0 ]; then
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
  echo "Missing Debian packages: ${missing[*]}" \
       "$([ $src_missing -eq 1 ] && echo "(and a deb-src entry for bookworm)")" >&2
  echo "Install them as root, then run make again:" >&2
  echo "  su -c 'apt-get install -y ${missing[*]}'" >&2
  exit 1
fi

if [ $src_missing -eq 1 ]; then
  echo "Adding the bookworm source packages to apt (/etc/apt/sources.list.d/gearmesh-src.sources)"
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    "${sudo[@]}" tee /etc/apt/sources.list.d/gearmesh-src.sources >/dev/null
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
