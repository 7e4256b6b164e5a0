#!/usr/bin/env bash
# Fails when a source of a folder includes a header of a folder it may not use.
# The folders form layers: platform <- core <- cad, controls <- views <- the
# higher libraries; a folder may include itself and the folders listed for it.
# Usage: check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

declare -A allowed=(
  [platform]=""
  [core]="platform"
  [cad]="platform core"
  [controls]="platform core"
  [views]="platform core cad controls"
  [dialogs]="platform core cad controls views"
  [imaging]="platform core controls"
  [dbf]="platform core"
  [database]="platform core controls"
  [socket]="platform"
  [airfoil]="platform core cad controls views dialogs"
  [appdialogs]="platform core cad controls views dialogs airfoil"
)

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    used=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"${rest#*:}")
    [ "$used" = "$folder" ] && continue
    case " ${allowed[$folder]} " in *" $used "*) continue ;; esac
    echo "${file#"$root"/}:$line: $folder/ may not include $used/" >&2
    status=1
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$root/$folder" \
             --include='*.h' --include='*.cpp' || true)
done
[ $status -eq 0 ] && echo "layers: no folder includes one above it"
exit $status
