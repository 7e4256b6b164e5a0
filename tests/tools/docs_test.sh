#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The man page names every command and option, and the bash completion
# offers every option, of the vandrel in BIN_DIR; groff finds nothing wrong.
#   docs_test.sh BIN_DIR DOC_DIR
set -euo pipefail
bin=$1/vandrel
doc=$2
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
fail=0
out=$(groff -T utf8 -man -ww -z "$doc/vandrel.1" "$doc/vandrel-thumbnailer.1" 2>&1) || fail=1
[ -z "$out" ] || { echo "groff: $out"; fail=1; }
commands=$("$bin" --help | sed -n '/^Commands:/,/^$/p' | awk 'NF > 1 && $1 != "Commands:" {print $1}')
[ -n "$commands" ] || { echo "no commands in vandrel --help"; exit 1; }
# The completion, as an interactive shell loads it.
source /usr/share/bash-completion/bash_completion
source "$doc/vandrel.bash"
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vandrel vandrel "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}"
}
top=$(complete_words vandrel "")
for c in $commands; do
  grep -q "^\.SS $c\$" "$doc/vandrel.1" || { echo "vandrel.1 has no section for $c"; fail=1; }
  grep -qx "$c" <<< "$top" || { echo "completion does not offer the command $c"; fail=1; }
  offered=$(complete_words vandrel "$c" -)
  for o in $("$bin" "$c" --help | sed -n '/^Options:/,/^$/p' | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | tr -d ' ,'); do
    grep -qx -- "$o" <<< "$offered" || { echo "completion of $c does not offer $o"; fail=1; }
    grep -qF -- "$(sed 's/-/\\-/g' <<< "$o")" "$doc/vandrel.1" || { echo "vandrel.1 does not name $o of $c"; fail=1; }
  done
done
exit $fail
