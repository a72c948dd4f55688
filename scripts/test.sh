#!/usr/bin/env bash
# Installs what Vigil needs, builds it and runs every test: once plainly, once under
# AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzzers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

echo "== Build and test =="
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build and test with AddressSanitizer + UndefinedBehaviorSanitizer =="
bash scripts/build.sh build-asan -DVIGIL_SANITIZE=ON -DVIGIL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzz =="
  bash scripts/fuzz.sh
fi
