#!/usr/bin/env bash
# Builds the platform-neutral text logic and its tests with g++ and the address
# and undefined-behaviour sanitizers, and runs them. The build folder is
# out/native unless SETUP_NATIVE_BUILD names another. Extra arguments go to CTest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$(cd "$top" && realpath -m "${SETUP_NATIVE_BUILD:-out/native}")"
jobs=${JOBS:-2}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
