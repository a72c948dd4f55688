#!/usr/bin/env bash
# check-portable.sh [ROOT]: the portable libraries name no operating-system or system-library
# header: only platform/ and app/ may. (Wrong-way includes between libraries already fail to
# compile.) No include anywhere climbs to a parent folder, which would reach around the include
# paths that keep the libraries apart.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
status=0
pattern='#include <(unistd\.h|utmp\.h|fcntl\.h|sys/|time\.h|langinfo\.h|windows\.h|SDL|ft2build\.h|freetype/|fontconfig/|png\.h|pthread\.h|dlfcn\.h)'
if grep -rnE "$pattern" src --include='*.h' --include='*.cpp' | grep -vE '^src/(platform|app)/'; then
  echo "check-portable: the lines above include system headers outside platform/ and app/" >&2
  status=1
fi
folders=()
for d in src tests bench fuzz tools; do [ -d "$d" ] && folders+=("$d"); done
if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]*[/\\])?\.\.[/\\]' \
    "${folders[@]}" --include='*.h' --include='*.cpp' --include='*.c'; then
  echo "check-portable: the lines above include through a parent folder; name the library's folder instead" >&2
  status=1
fi
exit $status
