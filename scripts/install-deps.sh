#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Vigil needs.
# Quiet and quick when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev libsqlite3-dev libsystemd-dev
  sqlite3 systemd-journal-remote
  libgtest-dev libgmock-dev libbenchmark-dev
  libatk1.0-dev libatk-bridge2.0-dev at-spi2-core dbus-daemon python3-pyatspi
  fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth x11-utils x11-apps xdotool util-linux hyperfine faketime
  python3 dpkg-dev file lintian appstream desktop-file-utils man-db groff-base gzip
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
