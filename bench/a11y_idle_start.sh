#!/usr/bin/env bash
# The window's start-up time and idle CPU, without an accessibility bus and with one.
# Start-up: from starting the program to its main window being mapped on a virtual X server
# (asked every 5 ms), mean of RUNS. Idle: CPU time (user + system, from /proc) that the
# shown window uses in 10 seconds with nothing happening but its clock and uptime ticks.
# Usage: bench/a11y_idle_start.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
vigil=$(realpath "${1:-build}/vigil")
runs=${2:-10}
work=$(mktemp -d)
xpid=""
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
python3 scripts/make-sample-wtmp.py "$work/wtmp"
source scripts/virtual-display.sh
start_virtual_display "$work/xvfb.log"
export GSETTINGS_BACKEND=memory

cat >"$work/measure.sh" <<'SH'
set -euo pipefail
vigil=$1 wtmp=$2 runs=$3 label=$4
ticks=$(getconf CLK_TCK)
# Waits until a window titled Vigil is mapped, asking the X server every 5 ms.
mapped() {
  while :; do
    for id in $(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"Vigil\":" { print $1 }'); do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return
    done
    sleep 0.005
  done
}
total=0
for _ in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$vigil" "$wtmp" 2>/dev/null &
  pid=$!
  mapped
  end=$(date +%s%N)
  total=$((total + (end - start) / 1000))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
echo "$label: start to mapped window $((total / runs / 1000)) ms (mean of $runs)"
"$vigil" "$wtmp" 2>/dev/null &
pid=$!
mapped
sleep 2
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
sleep 10
after=$(cpu)
echo "$label: idle CPU $(((after - before) * 1000 / ticks)) ms in 10 s"
kill "$pid"
wait "$pid" 2>/dev/null || true
SH

dbus-run-session -- bash "$work/measure.sh" "$vigil" "$work/wtmp" "$runs" "no accessibility bus"
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
  sleep 1
  bash "$0" "$1" "$2" "$3" "accessibility bus, no reader"
  kill %1
' "$work/measure.sh" "$vigil" "$work/wtmp" "$runs" 2>/dev/null
