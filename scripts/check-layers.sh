#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a source of a folder includes a header of a folder it may not use,
# or when a folder above platform/ calls the system's file functions itself.
# The folders form layers: platform <- core <- cad, controls <- views <- the
# higher libraries; a folder may include itself and the folders listed for it.
# platform/ has layers of its own: base <- io <- net, and base <- io <- gdi <-
# widgets <- services <- docview. imaging/ too: toolkit <- devices <-
# thumbcache <- widgets <- editor <- app. "platform" or "imaging" in a list
# allows all of its subfolders.
# Usage: check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

declare -A allowed=(
  [platform/base]=""
  [platform/io]="platform/base"
  [platform/net]="platform/base platform/io"
  [platform/gdi]="platform/base platform/io"
  [platform/widgets]="platform/base platform/io platform/gdi"
  [platform/services]="platform/base platform/io platform/gdi platform/widgets"
  [platform/docview]="platform/base platform/io platform/gdi platform/widgets platform/services"
  [core]="platform"
  [cad]="platform core"
  [controls]="platform core"
  [views]="platform core cad controls"
  [dialogs]="platform core cad controls views"
  [imaging/toolkit]="platform"
  [imaging/devices]="platform imaging/toolkit"
  [imaging/thumbcache]="platform imaging/toolkit imaging/devices"
  [imaging/widgets]="platform core controls imaging/toolkit imaging/devices imaging/thumbcache"
  [imaging/editor]="platform core controls imaging/toolkit imaging/devices imaging/thumbcache imaging/widgets"
  [imaging/app]="platform core controls imaging"
  [dbf]="platform core"
  [database]="platform core controls"
  [socket]="platform"
  [airfoil]="platform core cad controls views dialogs"
  [appdialogs]="platform core cad controls views dialogs airfoil"
)

# The layer of an include: platform/SUB and imaging/SUB for those folders'
# own, else the first folder of the path.
layer_of() {
  case $1 in
    */*_export.h) echo "$folder" ;; # generated beside the library, for its own headers
    platform/*/* | imaging/*/*) echo "${1%/*}" ;;
    *) echo "${1%%/*}" ;;
  esac
}

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    path=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"${rest#*:}")
    used=$(layer_of "$path")
    [ "$used" = "$folder" ] && continue
    case " ${allowed[$folder]} " in *" $used "*) continue ;; esac
    top=${used%%/*}
    [ "$top" != "$used" ] && case " ${allowed[$folder]} " in *" $top "*) continue ;; esac
    echo "${file#"$root"/}:$line: $folder/ may not include $used/" >&2
    status=1
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$root/$folder" \
             --include='*.h' --include='*.cpp' || true)
done

# File access above platform/ goes through platform/io, which handles links,
# races and errors once: no folder above it, the programs' included, opens,
# stats, renames or lists files with the system's or the standard library's
# calls.
calls='(^|[^A-Za-z0-9_])::(open|openat|creat|stat|lstat|fstat|fstatat|unlink|unlinkat|rename|renameat|mkdir|mkdirat|rmdir|opendir|fdopendir|readdir|access|faccessat|chmod|fchmod|ftruncate|truncate|link|symlink|readlink|utimensat|futimens)\(|(^|[^:.>A-Za-z_])fopen\(|(std::filesystem|fs)::(create_director|remove|rename|exists|is_directory|is_regular_file|is_symlink|status|symlink_status|directory_iterator|recursive_directory_iterator|file_size|last_write_time|copy|resize_file|permissions|space|canonical|weakly_canonical|read_symlink|equivalent)'
for folder in "${!allowed[@]}" tools apps installer; do
  case $folder in platform/*) continue ;; esac
  [ -d "$root/$folder" ] || continue
  while IFS= read -r hit; do
    echo "${hit#"$root"/}: $folder/ calls the system's file functions; use platform/io" >&2
    status=1
  done < <(grep -rnE "$calls" "$root/$folder" --include='*.h' --include='*.cpp' || true)
done
# The image application's document and views know each other only through
# the document (UpdateAllViews) and their application only as its context:
# none of them includes a view, the frame or the application.
for file in "$root"/imaging/app/CKivLeadAppDoc.* "$root"/imaging/app/CKivLeadAppView.* "$root"/imaging/app/CKivLeadThumbView.*; do
  [ -f "$file" ] || continue
  own=$(basename "${file%.*}")
  while IFS= read -r hit; do
    used=$(sed -E 's/.*"imaging\/app\/([^"]+)\.h".*/\1/' <<<"${hit#*:}")
    case $used in "$own" | CKivLeadAppDoc | KivLeadAppContext) continue ;; esac
    echo "${file#"$root"/}:${hit%%:*}: the document and views talk through the document, not by including $used" >&2
    status=1
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"imaging/app/' "$file" || true)
done
[ $status -eq 0 ] && echo "layers: no folder includes one above it, no file calls above platform/io"
exit $status
