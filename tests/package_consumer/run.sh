#!/usr/bin/env bash
# run.sh BUILD_DIR SOURCE_DIR C_COMPILER LIBDIR
# Installs the port library, libheron and libpelican into a temporary
# prefix, then builds and runs consumers with find_package and pkg-config.
set -euo pipefail
build=$1 src=$2 cc=$3 libdir=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

for dir in ports sdk/tspl sdk/cpcl; do
  cmake -DCMAKE_INSTALL_PREFIX="$prefix" -P "$build/$dir/cmake_install.cmake" >/dev/null
done

# CMake package configs.
cmake -S "$src" -B "$work/cmake" -G Ninja -DCMAKE_C_COMPILER="$cc" \
      -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/heron_consumer"
"$work/cmake/pelican_consumer"

# pkg-config files.
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
for lib in heron pelican; do
  # shellcheck disable=SC2046
  "$cc" -std=c99 -Wall -Werror -o "$work/$lib-pc" "$src/${lib}_consumer.c" \
        $(pkg-config --cflags --libs "$lib")
  LD_LIBRARY_PATH=$(pkg-config --variable=libdir "$lib") "$work/$lib-pc"
done
