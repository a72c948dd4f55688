#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: runs a Windows program under wine in Vigil's private
# prefix (WINEPREFIX, set by scripts/test-windows.sh), quietly. Exits with the program's status.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix made by scripts/test-windows.sh}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
