#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source, build and script file of the project names its licence in
# its first comment. Prints the files that do not; fails when there are any.
#   scripts/check-licence.sh SOURCE_DIR
set -euo pipefail
root=${1:?source folder}
cd "$root"
missing=$(find . \( -path './build*' -o -path './.git' -o -path './tests/data' -o -path './fuzz/corpus' \
  -o -path './samples' \) -prune -o \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name '*.py' -o -name CMakeLists.txt \) \
  -type f -print | sort | while read -r f; do
    head -n 3 "$f" | grep -q 'SPDX-License-Identifier: MIT' || echo "$f"
  done)
if [ -n "$missing" ]; then
  echo "no SPDX-License-Identifier line at the top of:"
  echo "$missing"
  exit 1
fi
