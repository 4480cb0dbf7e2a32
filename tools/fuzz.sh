#!/usr/bin/env bash
# Builds the libFuzzer targets of the text libraries with clang in out/fuzz
# and runs each for FUZZ_SECONDS seconds (default 60). FUZZ_TARGETS picks some
# of them (default: all). Each target starts from its committed seeds
# (fuzz/corpus/<name>/) and its dictionary (fuzz/<name>.dict); what it finds
# new is kept in out/fuzz/corpus/<name>/ for the next run, and an input that
# fails lands in out/fuzz/artifacts/. Non-zero when a target fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/out/fuzz"
jobs=${JOBS:-2}
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-"ini_document variable_table record_fields path_text"}

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSETUP_FUZZ=ON -DSETUP_TESTS=OFF >/dev/null
fi
for target in $targets; do
  cmake --build "$build" --target "${target}_fuzzer" -j "$jobs"
done

mkdir -p "$build/artifacts"
failed=()
for target in $targets; do
  echo "fuzz: $target for ${seconds} s"
  mkdir -p "$build/corpus/$target"
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
      -dict="$top/fuzz/$target.dict" -artifact_prefix="$build/artifacts/$target-" \
      -print_final_stats=1 "$build/corpus/$target" "$top/fuzz/corpus/$target" \
      >"$build/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$build/$target.log"
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/$target.log" | tr '\n' ' '
  echo
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (inputs in out/fuzz/artifacts, logs in out/fuzz)" >&2
  exit 1
fi
echo "fuzz: no failure"
