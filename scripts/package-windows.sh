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

# What was packed, read back from the zip: the two files, no debugging sections left, the
# version resource in both languages, the icon and the manifest.
check=$(mktemp -d)
trap 'rm -rf "$stage" "$check"' EXIT
unzip -q "$zip" -d "$check"
[ "$(cd "$check" && ls | sort | tr '\n' ' ')" = "README.txt vigil.exe " ]
exe="$check/vigil.exe"
if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
  echo "vigil.exe in the zip still has debugging sections" >&2
  exit 1
fi
python3 scripts/exe-version.py "$exe" | tee "$check/version.txt"
for line in "040904b0 ProductVersion $version" "080404b0 ProductVersion $version" \
  "040904b0 ProductName Vigil" "080404b0 FileDescription Vigil 开机/关机日志"; do
  grep -qx "$line" "$check/version.txt" || { echo "version resource lacks: $line" >&2; exit 1; }
done
# Resource types: 14 the icon group (the file's icon), 24 the manifest.
resources=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n '/Resource Directory section/,$p')
for type in 0x00000e 0x000018; do
  grep -q "^0[0-9a-f]*   Entry: ID: $type," <<<"$resources" || { echo "no resource of type $type" >&2; exit 1; }
done
grep -aq '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">false</dpiAware>' "$exe"
echo "$zip"
