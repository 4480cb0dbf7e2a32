#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and fetches
# the zlib source package that minizip is built from. Idempotent: quick when all
# is already there.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
srcdir="$top/out/deps"

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  mingw-w64-x86-64-dev mingw-w64-i686-dev
  libz-mingw-w64-dev
  googletest cmake make g++ python3
  zip p7zip-full libarchive-tools
  clang libclang-rt-14-dev
  wine wine64
  xvfb xauth x11-apps imagemagick
  fonts-wqy-microhei
  dpkg-dev bzip2
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

need_src=0
[ -f "$srcdir/zlib/contrib/minizip/unzip.c" ] || need_src=1

if [ ${#missing[@]} -gt 0 ] || [ $need_src -eq 1 ]; then
  # Debian's zlib source package carries minizip; apt needs a deb-src entry for it.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ \
     && ! grep -qs '^deb-src' /etc/apt/sources.list 2>/dev/null; then
    as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  as_root apt-get update -qq
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ $need_src -eq 1 ]; then
  echo "deps: fetching the zlib source package (minizip)"
  rm -rf "$srcdir/download" "$srcdir/zlib"
  mkdir -p "$srcdir/download"
  (cd "$srcdir/download" && apt-get source --download-only -qq zlib >/dev/null)
  tarball=$(ls "$srcdir"/download/zlib_*.orig.tar.* | head -n 1)
  mkdir -p "$srcdir/zlib"
  tar -xf "$tarball" -C "$srcdir/zlib" --strip-components=1
  rm -rf "$srcdir/download"
fi
echo "deps: ready"
