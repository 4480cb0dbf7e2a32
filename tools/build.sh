#!/usr/bin/env bash
# Configures and builds the two Windows targets:
#   out/win32 - i686, the shipped programs
#   out/win64 - x86_64, the same programs and every test
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}

configure() {
  local dir=$1 toolchain=$2 tests=$3
  if [ ! -f "$top/$dir/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/$dir" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain" -DSETUP_TESTS="$tests" >/dev/null
  fi
}

configure out/win32 toolchain-i686.cmake OFF
configure out/win64 toolchain-x86_64.cmake ON
echo "build: out/win32 (i686)"
cmake --build "$top/out/win32" -j "$jobs"
for program in setup vantra uninstall; do
  if [ -f "$top/out/win32/$program.exe" ]; then
    echo "build: out/win32/$program.exe $(stat -c %s "$top/out/win32/$program.exe") bytes"
  fi
done
echo "build: out/win64 (x86_64, with tests)"
cmake --build "$top/out/win64" -j "$jobs"
