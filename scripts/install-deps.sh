#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs every Debian package the build, the tests, the fuzzers and the
# benchmarks need. Safe to run again: apt-get runs only when something is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config
  clang libclang-rt-14-dev
  # libraries
  qt6-base-dev qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools libqt6svg6 libqt6sql6-sqlite libqt6sql6-psql nettle-dev libmagick++-dev libtiff-dev libsane-dev
  libuchardet-dev libpq-dev zlib1g-dev
  # services and peers the tests start or compare with
  postgresql shared-mime-info imagemagick xvfb xauth sane-utils
  # tests, benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libshp-dev libtiff-tools libvips-tools python3-ezdxf
  # the man page and completion (made by a Python script at build time), their tests, and the
  # desktop entry and software-centre data tests
  python3 groff-base bash-completion desktop-file-utils appstream
  # the Debian packages (make package) and their checks
  dpkg-dev fakeroot file lintian
  # the offscreen Qt platform needs fonts to measure text
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
