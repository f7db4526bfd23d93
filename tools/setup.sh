#!/usr/bin/env bash
# Installs what the builds and tests need and cross-builds libpng for the Windows build.
# Idempotent: quick when everything is already in place.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
packages=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine64 xvfb xauth
  clang libclang-rt-14-dev
  dpkg-dev xz-utils
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
apt_updated=no
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -q
  apt_updated=yes
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libpng has no mingw package: build Debian's own source for the Windows build.
deps="$root/build/windows-deps"
if [ ! -f "$deps/lib/libpng.a" ]; then
  src_list=/etc/apt/sources.list.d/zarvotone-deb-src.sources
  if [ ! -f "$src_list" ]; then
    cat > "$src_list" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt_updated=no
  fi
  [ "$apt_updated" = yes ] || apt-get update -q
  work="$root/build/libpng-src"
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -q libpng1.6)
  # dpkg-source applies Debian's own patches (security fixes) to the upstream sources.
  (cd "$work" && dpkg-source --no-check -x libpng1.6_*.dsc libpng >/dev/null)
  cmake -S "$work/libpng" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$deps" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_EXECUTABLES=ON -DCMAKE_CROSSCOMPILING_EMULATOR= >/dev/null
  cmake --build "$work/build" -j"$(nproc)" >/dev/null
  cmake --install "$work/build" >/dev/null
  echo "setup: libpng cross-built into $deps"
fi
