#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian packages end to end: made by scripts/make-packages.sh in a tree
# of their own, checked by lintian (nothing but what the packages' own
# overrides keep), unpacked into a scratch root where the consumer project
# builds against the -dev package and the programs run without run paths,
# and every library a program or library loads comes from a package its
# package declares. Usage: package_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
mkdir -p "$work"
build="$work/build"
fail() { echo "FAIL: $*" >&2; exit 1; }

if ! bash "$source_dir/scripts/make-packages.sh" "$build" >"$work/make.log" 2>&1; then
  tail -40 "$work/make.log"
  fail "make-packages.sh failed"
fi
version=$(sed -n 's/^project(Vandrel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
major=${version%%.*}
packages=(libvandrel$major libvandrel-dev vandrel vandrel-thumbnailer vandrel-studio vandrel-imaging)
debs=()
for p in "${packages[@]}"; do
  deb="$build/packages/${p}_${version}-1_amd64.deb"
  [ -f "$deb" ] || fail "no package $p"
  debs+=("$deb")
  # No maintainer scripts: dpkg's triggers do their work.
  if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -qE 'postinst|postrm|preinst|prerm'; then
    fail "$p has maintainer scripts"
  fi
done
[ "$(ls "$build"/packages/*.deb | wc -l)" -eq ${#packages[@]} ] || fail "other packages were made: $(ls "$build/packages")"

# Errors and warnings fail; what the packages keep is in their lintian overrides
# (overridden tags would count as failures with --show-overrides).
lintian --fail-on error,warning --tag-display-limit 0 "${debs[@]}" >"$work/lintian.txt" 2>&1 \
  || { cat "$work/lintian.txt"; fail "lintian"; }
grep -E '^[EW]:' "$work/lintian.txt" && fail "lintian errors or warnings"

root="$work/root"
rm -rf "$root" "$work/each"
mkdir -p "$root" "$work/each"
for deb in "${debs[@]}"; do
  name=$(dpkg-deb -f "$deb" Package)
  dpkg-deb -x "$deb" "$root"
  dpkg-deb -x "$deb" "$work/each/$name"
done
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libs="$root/usr/lib/$multiarch"
export LD_LIBRARY_PATH="$libs"

# The programs, and the halves they hand work to, run from the unpacked tree.
out=$("$root/usr/bin/vandrel" --version) || fail "vandrel --version"
[ "$out" = "vandrel $version" ] || fail "vandrel --version printed '$out'"
slide="$root/usr/share/vandrel/samples/slides/HOUSE.SLD"
"$root/usr/bin/vandrel" slide info --json "$slide" | grep -q '"result":0' || fail "vandrel slide info"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/vandrel" slide render "$slide" -o "$work/house.png" \
  || fail "vandrel slide render (the full program in libexec)"
"$root/usr/bin/vandrel-thumbnailer" -s 64 "$slide" "$work/thumb.png" || fail "vandrel-thumbnailer"
grep -q "Exec=/usr/bin/vandrel-thumbnailer " "$root/usr/share/thumbnailers/vandrel.thumbnailer" \
  || fail "the thumbnailer entry does not name /usr/bin/vandrel-thumbnailer"
for f in "$root"/usr/share/man/man1/*.1.gz; do
  man -l "$f" >/dev/null 2>&1 || fail "man page $f"
done
[ -f "$root/usr/share/man/man1/vandrel.1.gz" ] || fail "vandrel(1) is not packaged"

# A host project builds against the -dev package alone, with CMake and with pkg-config.
cmake -S "$source_dir/tests/install/consumer" -B "$work/consumer" -G Ninja "-DCMAKE_PREFIX_PATH=$root/usr" \
  "-DVANDREL_HEADERS=$root/usr/include/vandrel" >"$work/consumer.log" 2>&1 \
  && cmake --build "$work/consumer" >>"$work/consumer.log" 2>&1 \
  || { cat "$work/consumer.log"; fail "the consumer does not build against the -dev package"; }
out=$("$work/consumer/consumer") || fail "the consumer does not run"
[ "$out" = "36" ] || fail "the consumer printed '$out'"
flags=$(PKG_CONFIG_PATH="$libs/pkgconfig" pkg-config --cflags --libs vandrel-kivcore vandrel-kivctrl) \
  || fail "pkg-config"
# shellcheck disable=SC2086
c++ -std=c++20 "$source_dir/tests/install/consumer/pkgconfig_main.cpp" -o "$work/pc_host" $flags \
  || fail "the pkg-config host does not build"
[ "$("$work/pc_host")" = "255" ] || fail "the pkg-config host"

# Every shared library an ELF file of a package links to directly is ours or
# comes from a package that package (or libvandrel, which it depends on)
# declares; what those libraries load in turn, their packages declare.
declared() { # the package names a .deb depends on, without versions or alternatives' bars
  dpkg-deb -f "$1" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | grep -v '^$'
}
lib_deps=$(declared "${debs[0]}")
for deb in "${debs[@]}"; do
  name=$(dpkg-deb -f "$deb" Package)
  allowed=$(declared "$deb")
  if grep -qx "libvandrel$major" <<<"$allowed"; then allowed="$allowed"$'\n'"$lib_deps"; fi
  while IFS= read -r elf; do
    resolved=$(ldd "$elf")
    while IFS= read -r needed; do
      case "$needed" in ld-linux*) continue ;; esac # the loader, libc6's
      lib=$(awk -v n="$needed" '$1 == n && $2 == "=>" { print $3 }' <<<"$resolved")
      case "$lib" in /*) ;; *) fail "$elf needs $needed, which is not found" ;; esac
      case "$lib" in "$root"/*) continue ;; esac
      owner=$(dpkg -S "$lib" 2>/dev/null || dpkg -S "$(realpath "$lib")" 2>/dev/null) \
        || fail "$elf loads $lib, which no package holds"
      owner=${owner%%:*}
      grep -qx "$owner" <<<"$allowed" || fail "$name: ${elf#"$work/each/$name"} loads $lib of $owner, which $name does not declare"
    done < <(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  done < <(find "$work/each/$name" -type f -exec file {} + | sed -n 's/: *ELF .*//p')
done
echo "6 packages: lintian clean, consumer built, programs run, dependencies declared"
