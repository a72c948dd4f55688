#!/usr/bin/env bash
# Times `vigil --print FILE` against `last -x -f FILE` on the same generated login accounting
# file, in one hyperfine run, then gives the peak memory of each.
# Usage: bench/print_vs_last.sh [BUILD_DIR] [RECORDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
records=${2:-1000000}
file=$(mktemp /tmp/vigil-wtmp-XXXXXX)
trap 'rm -f "$file"' EXIT
"$build/history_bench" --write-wtmp "$file" "$records"
hyperfine --warmup 2 --min-runs 5 -N \
  "$build/vigil --print $file" \
  "last -x -f $file"
for command in "$build/vigil --print $file" "last -x -f $file"; do
  /usr/bin/time -f "%M kB peak resident: $command" $command >/dev/null
done
