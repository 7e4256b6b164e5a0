#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times ImageMagick's convert, run as a process, on the operations that
# bench_imaging measures, for orientation beside its figures. Each run reads
# the photo and discards the result (null:); the first line is reading alone.
# Usage: convert_orientation.sh PHOTO.jpg
set -euo pipefail
photo="$1"
run() {
  local name="$1"
  shift
  local start end
  start=$(date +%s%N)
  convert "$photo" "$@" null:
  end=$(date +%s%N)
  printf '%-12s %6d ms\n' "$name" $(((end - start) / 1000000))
}
run load
run rotate90 -rotate 90
run rotate30 -background black -rotate 30
run resize -resize '3000x2000!'
run sharpen -sharpen 0x1.25
run median -median 3
run emboss -emboss 0x1
run hue -modulate 100,100,111.1
run contrast -brightness-contrast 0x20
run grayscale -colorspace Gray -depth 8
run invert -negate
