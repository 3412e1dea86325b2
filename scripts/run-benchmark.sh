#!/usr/bin/env bash
# Runs the frame benchmark in a real GL context: Mesa's software renderer on a
# private Xvfb display. Usage: scripts/run-benchmark.sh [build-dir] [benchmark flags]
set -euo pipefail
build=${1:-build}
shift || true
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1024x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=$display LIBGL_ALWAYS_SOFTWARE=1 "$build/bench/frame_benchmark" "$@"
