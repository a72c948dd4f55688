#!/usr/bin/env bash
# The portable libraries name no operating-system or system-library header: only platform/
# and app/ may. (Wrong-way includes between libraries already fail to compile.)
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='#include <(unistd\.h|utmp\.h|fcntl\.h|sys/|time\.h|langinfo\.h|windows\.h|SDL|ft2build\.h|freetype/|fontconfig/|png\.h|pthread\.h|dlfcn\.h)'
if grep -rnE "$pattern" src --include='*.h' --include='*.cpp' | grep -vE '^src/(platform|app)/'; then
  echo "check-portable: the lines above include system headers outside platform/ and app/" >&2
  exit 1
fi
