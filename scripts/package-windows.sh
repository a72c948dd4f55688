#!/usr/bin/env bash
# package-windows.sh [DIR]: builds vigil.exe in the Windows build folder DIR (default build-win,
# configured with cmake/mingw-w64.cmake if it is not yet) and packs it, stripped, with a short
# README.txt in Chinese and English into DIR/vigil-<version>-windows-x64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win}
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVIGIL_BENCH=OFF >/dev/null
fi
cmake --build "$dir" --target vigil
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
home=$(sed -n 's/^VIGIL_HOME_PAGE:STRING=//p' "$dir/CMakeCache.txt")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

x86_64-w64-mingw32-strip -o "$stage/vigil.exe" "$dir/vigil.exe"
# Notepad on every Windows reads UTF-8 with its byte order mark and CRLF line ends.
{
  printf '\xef\xbb\xbf'
  sed -e "s|@VERSION@|$version|g" -e "s|@HOME_PAGE@|$home|g" -e 's/$/\r/' assets/windows/README.txt
} > "$stage/README.txt"

zip="$PWD/$dir/vigil-$version-windows-x64.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X -9 "$zip" vigil.exe README.txt)
echo "vigil.exe: $(stat -c %s "$dir/vigil.exe") bytes built, $(stat -c %s "$stage/vigil.exe") bytes stripped"
echo "$zip"
