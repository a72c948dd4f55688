#!/usr/bin/env bash
# test-atspi.sh [VIGIL]: the window as a screen reader sees it. Under a virtual X server and a
# private D-Bus session with its own accessibility bus and AT-SPI registry, the program
# publishes its controls; tests/atspi/check_window.py reads them through pyatspi and works
# the refresh button and the chart tab through their actions.
set -euo pipefail
cd "$(dirname "$0")/.."
vigil=$(realpath "${1:-build/vigil}")
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
# No desktop settings service here: the bus launcher keeps its settings in memory.
export GSETTINGS_BACKEND=memory
unset AT_SPI_BUS_ADDRESS

dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$0/launcher.log" &
  launcher=$!
  for _ in $(seq 1 100); do
    owner=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | awk "/boolean/ {print \$2}")
    [ "$owner" = true ] && break
    sleep 0.1
  done
  "$1" "$0/wtmp" 2>"$0/vigil.err" &
  vpid=$!
  status=0
  # pyatspi is a Debian package: it comes with the Python of the system.
  /usr/bin/python3 tests/atspi/check_window.py "$0/wtmp" || status=$?
  kill "$vpid" "$launcher" 2>/dev/null || true
  wait "$vpid" 2>/dev/null || true
  if [ -s "$0/vigil.err" ]; then cat "$0/vigil.err" >&2; fi
  exit "$status"
' "$work" "$vigil"
