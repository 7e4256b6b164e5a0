#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The main job on the bundled samples: runs the vandrel tool over samples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
vandrel="${1:-$root/build/bin/vandrel}"
out="${2:-$root/build/samples-out}"
mkdir -p "$out"

echo "== vandrel calc over samples/calc/expressions.txt"
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  expr="${line%% | *}"
  args=(calc)
  if [[ "$line" == *" | "* ]]; then
    for p in ${line#* | }; do args+=(-p "$p"); done
  fi
  args+=(-- "$expr")
  printf '%-28s = ' "$line"
  "$vandrel" "${args[@]}"
done < "$root/samples/calc/expressions.txt"

echo
echo "== vandrel slb list over samples/slides/DEMO.SLB"
"$vandrel" slb list "$root/samples/slides/DEMO.SLB" --long

echo
echo "== vandrel slide render: the sample slides and library members to PNG and SVG in $out"
refs=("$root/samples/slides/HOUSE.SLD" "$root/samples/slides/WHEEL.SLD")
while IFS= read -r name; do refs+=("$root/samples/slides/DEMO($name)"); done \
  < <("$vandrel" slb list "$root/samples/slides/DEMO.SLB")
for ref in "${refs[@]}"; do
  base=$(basename "$ref"); base=${base//[()]/_}; base=${base%.SLD}
  "$vandrel" slide render "$ref" -o "$out/$base.png"
  "$vandrel" slide render "$ref" -o "$out/$base.svg"
  echo "$ref -> $out/$base.png, $base.svg"
done
