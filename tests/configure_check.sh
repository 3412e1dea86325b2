#!/usr/bin/env bash
# The Makefile's configure step against stand-ins of cmake, dpkg-query, apt-get
# and sudo: a new build folder is configured; an unchanged one is not configured
# again; after the package step has installed something it is configured again.
# Usage: tests/configure_check.sh SOURCE_DIR
set -euo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
# cmake records each configure; dpkg-query knows no package (set "installed" to
# pretend all are); apt-get and sudo do nothing.
cat > "$tmp/bin/cmake" <<STUB
#!/bin/sh
echo configure >> "$tmp/cmake.calls"
STUB
cat > "$tmp/bin/dpkg-query" <<STUB
#!/bin/sh
[ -f "$tmp/installed" ] && printf 'install ok installed'
exit 0
STUB
printf '#!/bin/sh\nexit 0\n' > "$tmp/bin/apt-get"
printf '#!/bin/sh\n[ "$1" = -v ] && exit 0\nexec "$@"\n' > "$tmp/bin/sudo"
chmod +x "$tmp/bin/"*
export PATH="$tmp/bin:$PATH"
build="$tmp/build"

configures() {  # how many times cmake has configured so far
  [ -f "$tmp/cmake.calls" ] && wc -l < "$tmp/cmake.calls" || echo 0
}
expect() {  # expect WHAT COUNT
  local n; n=$(configures)
  if [ "$n" -ne "$2" ]; then
    echo "FAIL $1: cmake configured $n times, expected $2"
    exit 1
  fi
  echo "ok   $1"
}

touch "$tmp/installed"
make -s -C "$src" configure BUILD_DIR="$build" >/dev/null
expect "a new build folder is configured" 1
make -s -C "$src" deps configure BUILD_DIR="$build" >/dev/null
expect "nothing installed: the folder is not configured again" 1
rm "$tmp/installed"
sleep 1  # file times of one second on some file systems
make -s -C "$src" test-deps BUILD_DIR="$build" >/dev/null
make -s -C "$src" configure BUILD_DIR="$build" >/dev/null
expect "packages installed: the folder is configured again" 2
grep -q "apt-get" "$build/packages.log" && echo "ok   the package step keeps its output in packages.log" \
  || { echo "FAIL packages.log does not hold the package step's output"; exit 1; }
make -s -C "$src" configure BUILD_DIR="$build" >/dev/null
expect "and not once more after that" 2
