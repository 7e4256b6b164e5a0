#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages into BUILD/packages (default build-deb): a tree
# of its own with the prefix /usr, no run paths, Debian's hardening flags and
# no tests, then CPack. Usage: scripts/make-packages.sh [BUILD]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build-deb}
cd "$source_dir"

if [ ! -f "$build/build.ninja" ]; then
  # The flags Debian builds its packages with, every hardening included
  # (immediate binding too); their -g is left out, as the packages are
  # stripped anyway. CMake reads no CPPFLAGS: they join the rest.
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  CFLAGS="${CFLAGS/-g /} $CPPFLAGS"
  CXXFLAGS="${CXXFLAGS/-g /} $CPPFLAGS"
  export CFLAGS CXXFLAGS LDFLAGS
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DVANDREL_DEB=ON -DVANDREL_BUILD_TESTS=OFF -DVANDREL_BUILD_BENCH=OFF
fi
cmake --build "$build"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB)
ls "$build"/packages/*.deb
