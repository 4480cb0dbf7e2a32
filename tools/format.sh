#!/usr/bin/env bash
# Formats every C++ source and header of the project (setup/, vantra/,
# uninstall/, tests/, bench/) in place with the committed .clang-format.
# Installs clang-format first when it is missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if ! command -v clang-format >/dev/null; then
  echo "format: installing clang-format"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    clang-format >/dev/null
fi

cd "$top"
find setup vantra uninstall tests bench -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 clang-format -i --style=file
echo "format: done"
