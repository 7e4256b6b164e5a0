#!/usr/bin/env bash
# The main job on the bundled samples: runs the vandrel tool over samples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
vandrel="${1:-$root/build/bin/vandrel}"

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
