#!/usr/bin/env bash
# test-completion.sh FILE: loads vigil's bash completion from FILE and checks what it offers for
# options, their fixed values and file names.
set -euo pipefail
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch wtmp shot.png notes.txt
mkdir journal

compopt() { :; }  # only valid while bash itself completes
failed=0
# expect WORDS... = OFFERED...: completes the last word of WORDS.
expect() {
  local words=() offered
  while [ "$1" != "=" ]; do words+=("$1"); shift; done
  shift
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  _vigil
  offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort -u | tr '\n' ' ')
  if [ "$offered" != "$(printf '%s\n' "$@" | sort -u | tr '\n' ' ')" ]; then
    echo "completing '${words[*]}': got '$offered', wanted '$*'" >&2
    failed=1
  fi
}

expect vigil --f = --format
expect vigil --s = --since --source --screenshot
expect vigil --print --format "" = tsv csv json
expect vigil --print --format j = json
expect vigil --screenshot a.png --page "" = log chart about
expect vigil --source "" = journal wtmpdb wtmp
expect vigil --source wtmp = wtmp wtmpdb
expect vigil --since "" =
expect vigil --screenshot "" = shot.png journal
expect vigil --print "" = wtmp shot.png notes.txt journal
expect vigil --print j = journal
expect vigil -- --p =
expect vigil -- w = wtmp
[ "$failed" = 0 ] && echo "completion: all passed"
exit "$failed"
