#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (everything instrumented, with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time. Any crash or sanitizer
# report fails the script. FUZZ_SECONDS sets the time per target (default 19: seven targets
# keep the whole run near two and a quarter minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-19}
dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DVIGIL_FUZZ=ON -DVIGIL_TESTS=OFF -DVIGIL_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
targets=()
for f in fuzz/*.cpp; do
  targets+=("$(basename "$f" .cpp)")
done
cmake --build "$dir" --target "${targets[@]}" -j "$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s =="
  # A journal file is preallocated to 8 MB; shorter inputs would all be cut-off files.
  extra=()
  [ "$t" = journal_fuzz ] && extra=(-max_len=8400000)
  status=0
  "$dir/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    "${extra[@]}" "$corpus" >"$dir/$t.log" 2>&1 || status=$?
  tail -n 12 "$dir/$t.log"
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $t failed (status $status); see $dir/$t.log" >&2
    exit 1
  fi
done
