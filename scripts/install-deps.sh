#!/usr/bin/env bash
# Installs the Debian packages that building (and, with "test", testing) needs,
# when they are missing. Uses apt-get as root, or through sudo where it exists.
# "windows" adds the cross-build of gearmesh.exe and its checks under Wine, and a
# deb-src line for bookworm so that freeglut's source can be fetched.
set -euo pipefail

# Everything the build compiles, the tests and the benchmark included.
packages=(build-essential cmake freeglut3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
          libgtest-dev libgmock-dev libbenchmark-dev)
# What running the suite needs besides: a second compiler, an X server, key presses,
# the window system's view of the window, a terminal, and the scripts' interpreter.
if [ "${1:-}" = "test" ]; then
  packages+=(clang xvfb xdotool x11-utils tmux python3)
fi
# The cross compiler (posix threads, as GoogleTest wants), the source of freeglut
# and of GoogleTest, Wine with an X server to run the result, and zip.
if [ "${1:-}" = "windows" ]; then
  packages+=(cmake g++-mingw-w64-x86-64-posix dpkg-dev googletest wine wine64 xvfb xdotool
             x11-utils python3 zip)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# apt-get source needs a deb-src entry; a fresh Debian 12 may keep its entries in
# the deb822 file debian.sources, so both formats count.
src_missing=0
if [ "${1:-}" = "windows" ] &&
   ! grep -rqsE '^[[:space:]]*(deb-src[[:space:]].*bookworm|Types:.*deb-src)' \
     /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src_missing=1
fi
[ ${#missing[@]} -eq 0 ] && [ $src_missing -eq 0 ] && exit 0

[ ${#missing[@]} -eq 0 ] || echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Missing, and neither root nor sudo is available: ${missing[*]}" \
       "$([ $src_missing -eq 1 ] && echo "(and a deb-src entry for bookworm)")" >&2
  exit 1
fi
if [ $src_missing -eq 1 ]; then
  echo "Adding the bookworm source packages to apt (/etc/apt/sources.list.d/gearmesh-src.sources)"
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    "${sudo[@]}" tee /etc/apt/sources.list.d/gearmesh-src.sources >/dev/null
fi
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600)
"${sudo[@]}" "${apt[@]}" update -qq
[ ${#missing[@]} -eq 0 ] || "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
