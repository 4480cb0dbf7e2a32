#!/usr/bin/env bash
# Runs every benchmark program of the x86_64 build under wine64. Each prints
# its figures as lines 'name value unit'.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/out/win64"
. "$top/tools/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start "$build/bench"
mkdir -p "$build/bench/work"
for program in "$build"/bench/*_bench.exe; do
  (cd "$build/bench/work" && "$WINE" "$program" </dev/null 2>/dev/null | tr -d '\r')
done
