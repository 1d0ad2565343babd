#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, once.
# Debian packages come from apt; libjpeg-turbo, minizip and GoogleTest are
# cross-built for mingw-w64 from Debian's sources into a cache outside the
# repository, keyed by their versions. A second run finds everything in place.
set -euo pipefail

JPEG_VERSION="1:2.1.5-2"
ZLIB_VERSION="1:1.2.13.dfsg-1"
RECIPE=3 # bump when the way the cache is built changes
KEY="jpeg-${JPEG_VERSION#*:}_zlib-${ZLIB_VERSION#*:}_r${RECIPE}"
CACHE_ROOT="${ZANDOR3D_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zandor3d}"
PREFIX="$CACHE_ROOT/mingw-$KEY"

PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev googletest
  libjpeg62-turbo-dev zlib1g-dev libminizip-dev libgl1-mesa-dev libglu1-mesa-dev libx11-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-utils imagemagick nasm dpkg-dev python3 nsis
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils)

log() { echo "setup: $*" >&2; }

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# A private apt configuration whose source list is the system's own with
# Types: deb-src, so `apt-get source` works without naming any host here.
fetch_sources() {
  local work="$1"
  local apt="$work/apt"
  mkdir -p "$apt/lists/partial" "$apt/parts"
  : > "$apt/sources.list"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$apt/parts/src.sources"
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$apt/sources.list"
  fi
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists")
  apt-get "${opts[@]}" update -qq
  (cd "$work" && apt-get "${opts[@]}" source --download-only -qq \
      "libjpeg-turbo=$JPEG_VERSION" "zlib=$ZLIB_VERSION")
  (cd "$work" && for d in *.dsc; do dpkg-source -q -x "$d"; done) >/dev/null
}

build_jpeg() {
  local src; src=$(ls -d "$1"/libjpeg-turbo-*/ | head -n1)
  cmake -S "$src" -B "$1/jpeg-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DWITH_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
  cmake --build "$1/jpeg-build" >/dev/null
  cmake --install "$1/jpeg-build" >/dev/null
}

build_minizip() {
  local src; src=$(ls -d "$1"/zlib-*/ | head -n1)/contrib/minizip
  mkdir -p "$1/minizip-build" "$PREFIX/include/minizip" "$PREFIX/lib"
  for f in unzip ioapi; do
    x86_64-w64-mingw32-gcc -O2 -c "$src/$f.c" -o "$1/minizip-build/$f.o"
  done
  x86_64-w64-mingw32-ar rcs "$PREFIX/lib/libminizip.a" "$1/minizip-build/unzip.o" "$1/minizip-build/ioapi.o"
  cp "$src/unzip.h" "$src/ioapi.h" "$PREFIX/include/minizip/"
}

build_gtest() {
  cmake -S /usr/src/googletest -B "$1/gtest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$1/gtest-build" >/dev/null
  cmake --install "$1/gtest-build" >/dev/null
}

build_cache() {
  [ -f "$PREFIX/.complete" ] && return 0
  log "cross-building libjpeg-turbo, minizip and GoogleTest into $PREFIX"
  local work; work=$(mktemp -d)
  rm -rf "$PREFIX"
  fetch_sources "$work"
  build_jpeg "$work"
  build_minizip "$work"
  build_gtest "$work"
  rm -rf "$work"
  touch "$PREFIX/.complete"
}

REPO=$(cd "$(dirname "$0")/.." && pwd)
install_packages
build_cache
echo "$PREFIX"
