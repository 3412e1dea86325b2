#!/usr/bin/env bash
# Makes docs/view1.png .. docs/view5.png, the five views of gearmesh, by running
# the built program in a private X server (Xvfb) and reading its window back.
# Usage: scripts/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
if [ ! -x "$build/gearmesh" ]; then
  echo "no program at $build/gearmesh: build it first (make build)" >&2
  exit 1
fi
PYTHONDONTWRITEBYTECODE=1 exec python3 -B "$root/tests/e2e/make_pictures.py" "$build/gearmesh" "$root/docs"
