#!/usr/bin/env bash
# Runs every test of the x86_64 build under wine64. Extra arguments go to CTest
# (for example -R IniDocument). SETUP_BUILD names another x86_64 build folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$(cd "$top" && realpath -m "${SETUP_BUILD:-out/win64}")"
. "$top/tools/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start "$build"
ctest --test-dir "$build" --output-on-failure -j "${JOBS:-2}" "$@"
