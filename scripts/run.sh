#!/usr/bin/env bash
# Installs what Vigil needs, builds it and starts it on the live log.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DVIGIL_TESTS=OFF -DVIGIL_BENCH=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop: run the window on a virtual X server instead.
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/vigil "$@"
fi
exec build/vigil "$@"
