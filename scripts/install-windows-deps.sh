#!/usr/bin/env bash
# Installs what cross-building Vigil for Windows, testing it under wine and packing it need: the
# mingw-w64 toolchain (windres, strip, objdump), wine, GoogleTest's sources, the fonts the
# Windows tests draw with, and zip.
# Quiet and quick when everything is already present.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 googletest cmake ninja-build
  zip
  fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
