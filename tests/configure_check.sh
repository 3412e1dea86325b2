#!/usr/bin/env bash
# The Makefile's configure step against stand-ins of cmake, dpkg-query, apt-get
# and sudo: a new build folder is configured; it is not configured again while the
# installed packages stay the same, and is once they have changed, whether the
# package step or somebody else installed them.
# Usage: tests/configure_check.sh SOURCE_DIR
set -euo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
# cmake records each configure; dpkg-query knows no package until the file
# "installed" exists, then all; apt-get and sudo do nothing.
cat > "$tmp/bin/cmake" <<STUB
#!/bin/sh
echo configure >> "$tmp/cmake.calls"
STUB
cat > "$tmp/bin/dpkg-query" <<STUB
#!/bin/sh
[ -f "$tmp/installed" ] && echo "install ok installed \$*"
exit 0
STUB
printf '#!/bin/sh\necho "apt-get ran: $*"\n' > "$tmp/bin/apt-get"
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

shown=$(make -s -C "$src" deps configure BUILD_DIR="$build")
expect "a new build folder is configured" 1
if grep -q "apt-get ran: .* install -y" "$build/packages.log" && ! grep -q "apt-get ran" <<<"$shown" \
   && grep -q "packages.log" <<<"$shown"; then
  echo "ok   apt-get's output goes to packages.log, and the screen names the log"
else
  echo "FAIL apt-get's output: on screen \"$shown\""
  exit 1
fi
make -s -C "$src" deps configure BUILD_DIR="$build" >/dev/null
expect "the same packages: the folder is not configured again" 1
sleep 1  # file times of one second on some file systems
touch "$tmp/installed"
make -s -C "$src" test-deps configure BUILD_DIR="$build" >/dev/null
expect "packages installed since: the folder is configured again" 2
make -s -C "$src" test-deps configure BUILD_DIR="$build" >/dev/null
expect "and not once more after that" 2
