#!/usr/bin/env bash
# Installs everything the build needs on a fresh Debian machine and cross-builds
# the third-party libraries into the build tree. Safe to run again: each step
# checks whether its work is already done.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CLASTOR_BUILD:-$here/build}
tp=${CLASTOR_THIRD_PARTY_DIR:-$build/third_party}

mkdir -p "$tp"

packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils
          imagemagick fonts-wine googletest libz-mingw-w64-dev cmake make dpkg-dev xdotool
          python3-ezdxf python3-openpyxl cups printer-driver-cups-pdf poppler-utils)

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "sudo"; fi; }
SUDO=$(need_root)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source packages come from the same archives as the machine's binary packages:
# derive deb-src entries from the existing apt sources instead of naming a mirror.
add_deb_src() {
  local out=/etc/apt/sources.list.d/clastor-src.sources
  [ -f "$out" ] && return 0
  local tmp; tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -n '/^Types:/ s/^Types:.*/Types: deb-src/p; /^Types:/!p' "$f" >> "$tmp"
    echo >> "$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$tmp.list" || true
    [ -s "$tmp.list" ] && $SUDO cp "$tmp.list" /etc/apt/sources.list.d/clastor-src.list
  fi
  [ -s "$tmp" ] && $SUDO cp "$tmp" "$out"
  rm -f "$tmp" "$tmp.list"
  updated=0
}

updated=1
if ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1 || ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
  add_deb_src
fi
if [ ${#missing[@]} -gt 0 ] || [ "$updated" = 0 ]; then
  echo "setup: installing ${missing[*]:-source package lists}"
  $SUDO apt-get update -q
  [ ${#missing[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cross=x86_64-w64-mingw32
prefix=$tp/install
mkdir -p "$prefix"

fetch_source() { # name -> directory of the unpacked source
  local name=$1 dir=$tp/src/$1
  if [ ! -d "$dir" ]; then
    mkdir -p "$tp/src/tmp-$name"
    (cd "$tp/src/tmp-$name" && apt-get source -q --download-only "$name" >/dev/null \
       && dpkg-source --no-check -x ./*.dsc unpacked >/dev/null)
    mv "$tp/src/tmp-$name/unpacked" "$dir"
    rm -rf "$tp/src/tmp-$name"
  fi
  echo "$dir"
}

toolchain=$here/cmake/mingw-w64.cmake

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  src=$(fetch_source libjpeg-turbo)
  echo "setup: building libjpeg (6b API) for $cross"
  cmake -S "$src" -B "$tp/build-jpeg" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF >/dev/null
  cmake --build "$tp/build-jpeg" -j"$(nproc)" >/dev/null
  cmake --install "$tp/build-jpeg" >/dev/null
fi

if [ ! -f "$prefix/lib/libxlsxwriter.a" ]; then
  src=$(fetch_source libxlsxwriter)
  echo "setup: building libxlsxwriter for $cross"
  cmake -S "$src" -B "$tp/build-xlsx" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_STATIC_MSVC_RUNTIME=OFF \
    >/dev/null
  cmake --build "$tp/build-xlsx" -j"$(nproc)" >/dev/null
  cmake --install "$tp/build-xlsx" >/dev/null
fi

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  echo "setup: building GoogleTest for $cross"
  cmake -S /usr/src/googletest -B "$tp/build-gtest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF \
    -DBUILD_GMOCK=OFF >/dev/null
  cmake --build "$tp/build-gtest" -j"$(nproc)" >/dev/null
  cmake --install "$tp/build-gtest" >/dev/null
fi
echo "setup: ready ($prefix)"
