#!/usr/bin/env bash
# The portable-code check refuses system headers outside platform/ and app/ and every include
# through a parent folder, and passes a tree without either.
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-portable.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0

# Each case: the verdict expected, a file, the one line it holds, and what the case is.
cases=(
  'pass|src/graphics/Canvas.cpp|#include "graphics/Canvas.h"|an include from the include root'
  'pass|src/platform/linux/Clock.cpp|#include <unistd.h>|a system header in a platform library'
  'pass|src/app/Platform.cpp|#include <windows.h>|a system header in the program'
  'pass|src/graphics/Dots.cpp|#include "graphics/a..b.h"|dots inside a file name'
  'fail|src/framework/Form.cpp|#include <unistd.h>|a system header in a portable library'
  'fail|src/widgets/WsButton.cpp|#include "../framework/Keys.h"|a parent-relative include in src'
  'fail|src/chart/ChartAxis.h|  #  include "chart/../framework/Keys.h"|a parent folder mid-path'
  'fail|tests/framework/KeysTest.cpp|#include <../src/framework/Keys.h>|one in tests'
  'fail|bench/text_bench.cpp|#include "..\graphics\Canvas.h"|one with backslashes in bench'
  'fail|fuzz/wtmp_fuzz.cpp|#include "../../src/eventlog/WtmpFile.h"|one in fuzz'
  'fail|tools/draw-icons.cpp|#include "../src/app/Artwork.h"|one in tools'
)
for c in "${cases[@]}"; do
  IFS='|' read -r expected file line what <<<"$c"
  # A tree holding only this file with its one line.
  rm -rf "${root:?}"/*
  mkdir -p "$root/$(dirname "$file")"
  printf '%s\n' "$line" >"$root/$file"
  if out=$(bash "$check" "$root" 2>&1); then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then
    echo "FAIL: $what: expected $expected, got $got"
    echo "$out"
    failures=$((failures + 1))
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "check-portable: every case behaves"
