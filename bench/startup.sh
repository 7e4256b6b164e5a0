#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up of the command-line tools beside ImageMagick's `convert -version`
# and `sqlite3 --version`: wall time per call over RUNS calls (200 unless
# set), the shared objects each loads, and our time over convert's.
#   [VANDREL_SAMPLES=FOLDER] bench/startup.sh BUILD_DIR
set -eu
build=${1:?build folder}
runs=${RUNS:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A small table and a slide, written here so the script needs no samples.
printf '\003\176\014\010\001\000\000\000\101\000\012\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000NAME\000\000\000\000\000\000\000C\000\000\000\000\011\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\015 Ann      \032' > "$work/small.dbf"
# A drawing of release 2000 without a preview section: what dwg info reads.
{ printf 'AC1015'; head -c 122 /dev/zero; } > "$work/small.dwg"
convert_bin=$(command -v convert-im6.q16 || command -v convert)

# Milliseconds per call of the command line in "$@".
per_call() {
  start=$(date +%s%N)
  i=0
  while [ "$i" -lt "$runs" ]; do
    "$@" > /dev/null 2>&1 || true
    i=$((i + 1))
  done
  end=$(date +%s%N)
  echo "$(( (end - start) / runs / 1000 ))"
}

# Shared objects the loader opens for the command line in "$@".
objects() {
  LD_DEBUG=files "$@" 2>&1 >/dev/null | grep -c 'needed by' || true
}

peer=$(per_call "$convert_bin" -version)
printf '%-44s %9s %8s %9s\n' "command" "us/call" "objects" "÷convert"
row() {
  label=$1
  shift
  us=$(per_call "$@")
  printf '%-44s %9d %8d %9s\n' "$label" "$us" "$(objects "$@")" "$(awk "BEGIN{printf \"%.2f\", $us/$peer}")"
}
printf '%-44s %9d %8s %9s\n' "convert -version" "$peer" "-" "1.00"
command -v sqlite3 > /dev/null && row "sqlite3 --version" sqlite3 --version
row "vandrel --version" "$build/bin/vandrel" --version
row "vandrel dbf info small.dbf" "$build/bin/vandrel" dbf info "$work/small.dbf"
row "vandrel calc 1+2" "$build/bin/vandrel" calc 1+2
row "vandrel dwg info small.dwg" "$build/bin/vandrel" dwg info "$work/small.dwg"
row "vandrel image edit --list (full program)" "$build/bin/vandrel" image edit --list
# A slide of one diagonal line, 1000 x 800, for the thumbnailer.
printf 'AutoCAD Slide\r\n\032\000V\002\350\003\040\003\000\000\000\000\002\000\064\022\000\000\000\000\350\003\040\003\000\374' > "$work/small.sld"
row "vandrel-thumbnailer -s 256 small.sld" "$build/bin/vandrel-thumbnailer" -s 256 "$work/small.sld" "$work/t.png"
# And on the first slide of the sample folder, when there is one.
sld=$(ls "${VANDREL_SAMPLES:-/nonexistent}"/sld/*.sld 2>/dev/null | head -n 1 || true)
if [ -n "$sld" ]; then
  row "vandrel-thumbnailer -s 256 (a sample slide)" "$build/bin/vandrel-thumbnailer" -s 256 "$sld" "$work/t.png"
fi
