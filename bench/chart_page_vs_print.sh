#!/usr/bin/env bash
# The window over a long log against the text report of the same log: wall time of
# `vigil --screenshot --page chart` (and of the list page) next to `vigil --print`, then the
# peak memory of each, for a generated file of SESSIONS sessions.
# Usage: bench/chart_page_vs_print.sh [BUILD_DIR] [SESSIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sessions=${2:-100000}
file=$(mktemp /tmp/vigil-sessions-XXXXXX)
shot=$(mktemp /tmp/vigil-shot-XXXXXX.png)
trap 'rm -f "$file" "$shot"' EXIT
python3 scripts/make-sample-wtmp.py "$file" "$sessions"
hyperfine --warmup 2 --min-runs 5 -N \
  "$build/vigil --print $file" \
  "$build/vigil --screenshot $shot --page chart $file" \
  "$build/vigil --screenshot $shot $file"
for command in "$build/vigil --print $file" \
  "$build/vigil --screenshot $shot --page chart $file" \
  "$build/vigil --screenshot $shot $file"; do
  /usr/bin/time -f "%M kB peak resident: $command" $command >/dev/null
done
