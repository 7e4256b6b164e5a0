#!/bin/sh
# SPDX-License-Identifier: MIT
# Cold thumbnail cache: `vandrel thumbs` beside vipsthumbnail on the same
# photos, both making 160x120 JPEGs, one job each. The photos (12, 16 and 24
# megapixel JPEGs, PHOTOS of them, 200 unless set) are made with ImageMagick
# once and kept in WORK between runs.
#   bench/thumbs_cold.sh BUILD_DIR [WORK]
set -eu
build=${1:?build folder}
work=${2:-${TMPDIR:-/tmp}/vandrel-bench-photos}
count=${PHOTOS:-200}
vandrel="$build/bin/vandrel"
mkdir -p "$work/photos"
# Three distinct pictures, copied: decoding costs the same for each copy.
for size in 4000x3000 4896x3264 6000x4000; do
  [ -f "$work/base-$size.jpg" ] || convert -size "$size" plasma:fractal -blur 0x1 -quality 92 "$work/base-$size.jpg"
done
i=0
while [ "$i" -lt "$count" ]; do
  case $((i % 3)) in 0) size=4000x3000 ;; 1) size=4896x3264 ;; *) size=6000x4000 ;; esac
  name=$(printf '%s/photos/photo%04d.jpg' "$work" "$i")
  [ -f "$name" ] || cp "$work/base-$size.jpg" "$name"
  i=$((i + 1))
done
# Exactly count photos in the folder.
ls "$work/photos" | sed -n "$((count + 1)),\$p" | while read -r extra; do rm -f "$work/photos/$extra"; done

rm -rf "$work/cache" "$work/vips"
mkdir -p "$work/vips"
sync
start=$(date +%s.%N)
"$vandrel" thumbs "$work/photos" --cache "$work/cache" --jobs 1 > /dev/null
mid=$(date +%s.%N)
vipsthumbnail "$work"/photos/*.jpg -s 160x120 -o "$work/vips/%s.jpg[Q=76]"
end=$(date +%s.%N)
warm_start=$(date +%s.%N)
"$vandrel" thumbs "$work/photos" --cache "$work/cache" > /dev/null
warm_end=$(date +%s.%N)
echo "$count photos"
echo "vandrel thumbs (cold, 1 job): $(echo "$mid - $start" | bc) s"
echo "vipsthumbnail (1 process):    $(echo "$end - $mid" | bc) s"
echo "vandrel thumbs (warm):        $(echo "$warm_end - $warm_start" | bc) s"
