#!/usr/bin/env bash
# Installs the Debian packages that building (and, with "test", testing) needs,
# when they are missing. Uses apt-get as root, or through sudo where it exists.
set -euo pipefail

# Everything the build compiles, the tests and the benchmark included.
packages=(build-essential cmake freeglut3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
          libgtest-dev libgmock-dev libbenchmark-dev)
# What running the suite needs besides: a second compiler, an X server, key presses,
# the window system's view of the window, a terminal, and the scripts' interpreter.
if [ "${1:-}" = "test" ]; then
  packages+=(clang xvfb xdotool x11-utils tmux python3)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
