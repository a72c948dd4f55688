#!/usr/bin/env bash
# Installs what Vigil needs, builds it and runs every test: once plainly, once under
# AddressSanitizer + UndefinedBehaviorSanitizer, once cross-built for Windows under wine, and
# the fuzzers for a bounded time; makes and checks the Debian package and the Windows zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

echo "== Portable code names no system header =="
bash scripts/check-portable.sh

echo "== Build and test =="
bash scripts/build.sh build
echo "== No include circle through the axis, its scale or the value list =="
python3 scripts/include-circles.py build
ctest --test-dir build --output-on-failure -j "$jobs" | tee "$logs/plain.txt"

echo "== Every page draws exactly as the reference commit's program does =="
bash scripts/same-pixels.sh build

echo "== Debian package =="
bash scripts/test-package.sh build

echo "== The window on a virtual X server, driven by xdotool =="
bash scripts/test-x11.sh build/vigil

echo "== The window through AT-SPI, as a screen reader reads it =="
bash scripts/test-atspi.sh build/vigil

echo "== Build and test with AddressSanitizer + UndefinedBehaviorSanitizer =="
bash scripts/build.sh build-asan -DVIGIL_SANITIZE=ON -DVIGIL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee "$logs/asan.txt"

echo "== Windows: cross-build, then test under wine =="
bash scripts/test-windows.sh build-win | tee "$logs/windows.txt"
bash scripts/package-windows.sh build-win

if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzz =="
  bash scripts/fuzz.sh
fi

# Every ctest run passed (set -e and pipefail stop at a failure); say so once at the end.
total=$(cat "$logs"/*.txt | awk '/tests failed out of/ { n += $NF } END { print n + 0 }')
echo "tests: ${total} passed, 0 failed"
