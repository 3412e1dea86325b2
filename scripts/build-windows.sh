#!/usr/bin/env bash
# Cross-builds build-windows/gearmesh.exe (and the gear and console libraries'
# unit tests, build-windows/tests/gear_tests.exe and console_tests.exe) with
# mingw-w64. freeglut, from Debian's
# source package, and GoogleTest, from /usr/src/googletest, are built static once
# into build-windows/deps and reused while that folder exists.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-windows"
deps="$out/deps"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs=${JOBS:-2}

bash "$root/scripts/install-deps.sh" windows

# Builds and installs one static library into $deps: buildDep NAME SOURCE [cmake args]
buildDep() {
  local name=$1 src=$2
  shift 2
  local log="$out/$name-build.log"
  echo "Cross-building $name (once; kept in $deps; log in $log)"
  if ! { cmake -S "$src" -B "$out/$name-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
           -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" "$@" &&
         cmake --build "$out/$name-build" -j "$jobs" &&
         cmake --install "$out/$name-build"; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    exit 1
  fi
  rm -rf "$out/$name-build"
}

if [ ! -f "$deps/lib/cmake/FreeGLUT/FreeGLUTConfig.cmake" ]; then
  rm -rf "$out/freeglut-src"
  mkdir -p "$out/freeglut-src"
  (cd "$out/freeglut-src" && apt-get -o DPkg::Lock::Timeout=600 source -qq freeglut)
  buildDep freeglut "$(echo "$out"/freeglut-src/freeglut-*/)" \
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_GLES=OFF
  rm -rf "$out/freeglut-src"
fi
if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
  buildDep googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
fi

[ -f "$out/CMakeCache.txt" ] || cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DGEARMESH_BENCHMARKS=OFF \
  -DFreeGLUT_DIR="$deps/lib/cmake/FreeGLUT" -DGTest_DIR="$deps/lib/cmake/GTest"
cmake --build "$out" -j "$jobs"
