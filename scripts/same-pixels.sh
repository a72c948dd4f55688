#!/usr/bin/env bash
# same-pixels.sh [BUILD_DIR] [REFERENCE]: the window of BUILD_DIR/vigil must draw every page
# exactly as the reference commit's program does, pixel for pixel. Both run on this machine with
# the same fonts and a frozen clock (faketime), so any difference is a change of drawing.
# REFERENCE is the last commit whose window was checked by eye; move it forward in the same
# commit as a change that is meant to alter pixels.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
reference=${2:-5c076ab76dbe0fefc86c10d43efe583f7541ca88}
frozen="2024-03-04 12:00:00"

if ! git cat-file -e "$reference^{commit}" 2>/dev/null; then
  # A shallow clone has no history to build the reference from; say so rather than fail.
  echo "same-pixels: SKIPPED, reference commit $reference is not in this clone" >&2
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ref_build="${build}-reference"

# The reference program, built once per reference commit (the stamp says which).
if [ "$(cat "$ref_build/reference-commit" 2>/dev/null)" != "$reference" ]; then
  rm -rf "$ref_build"
  mkdir -p "$ref_build/src"
  git archive "$reference" | tar -x -C "$ref_build/src"
  cmake -S "$ref_build/src" -B "$ref_build/out" -G Ninja -DVIGIL_TESTS=OFF -DVIGIL_BENCH=OFF \
    >/dev/null
  cmake --build "$ref_build/out" --target vigil >/dev/null
  echo "$reference" > "$ref_build/reference-commit"
fi

python3 scripts/make-sample-wtmp.py "$work/sample.wtmp"
: > "$work/empty.wtmp"

failed=0
for log in sample empty; do
  for page in log chart stats about; do
    for side in reference current; do
      program="$build/vigil"
      [ "$side" = reference ] && program="$ref_build/out/vigil"
      faketime -f "$frozen" "$program" --screenshot "$work/$side.png" --page "$page" \
        "$work/$log.wtmp"
    done
    if python3 scripts/compare-screenshots.py "$work/reference.png" "$work/current.png" 1 \
      >/dev/null 2>"$work/why.txt"; then
      echo "same pixels: $log log, $page page"
    else
      echo "DIFFERENT PIXELS: $log log, $page page: $(cat "$work/why.txt")" >&2
      cp "$work/reference.png" "$build/same-pixels-$log-$page-reference.png"
      cp "$work/current.png" "$build/same-pixels-$log-$page-current.png"
      failed=1
    fi
  done
done
exit "$failed"
