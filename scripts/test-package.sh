#!/usr/bin/env bash
# test-package.sh [DIR]: makes the Debian package from the build in DIR (default build), unpacks
# it into a temporary root and checks it as a user's system would: the program runs from there,
# and the metadata, desktop entry, manual page, shell completion and the package itself pass
# the checks of their tools.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
cmake --build "$dir"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

echo "== Debian package =="
(cd "$dir" && cpack -G DEB -B "$PWD/package" >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/package/vigil_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no package at $deb" >&2; exit 1; }
dpkg-deb -f "$deb" Package Version Section Maintainer Depends
dpkg-deb -x "$deb" "$root"

echo "== The program from the unpacked package =="
usr="$root/usr"
"$usr/bin/vigil" --version | grep -qx "vigil $version"
python3 scripts/make-sample-wtmp.py "$root/wtmp"
TZ=UTC LC_ALL=C.UTF-8 "$usr/bin/vigil" --print "$root/wtmp" | head -n 4 > "$root/print.txt"
grep -qx '记录数:3' "$root/print.txt" || { cat "$root/print.txt"; echo "unexpected --print" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x${size}/apps/vigil.png" | grep -q "${size} x ${size}, 8-bit/color RGBA"
done

echo "== AppStream metadata and desktop entry =="
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
id=$(basename "$metainfo" .metainfo.xml)
appstreamcli validate --no-net --pedantic "$metainfo"
[ -f "$usr/share/applications/$id.desktop" ] || { echo "no desktop entry $id.desktop" >&2; exit 1; }
desktop-file-validate "$usr/share/applications/$id.desktop"
[ -s "$dir/share/screenshots/vigil-${version}-log.png" ]

echo "== Manual page =="
warnings=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man1/vigil.1.gz" 2>&1 >"$root/man.txt")
[ -z "$warnings" ] || { echo "$warnings" >&2; exit 1; }
# Every option --help names is described in the manual.
for option in $("$usr/bin/vigil" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" "$root/man.txt" || { echo "the manual lacks $option" >&2; exit 1; }
done

echo "== Bash completion =="
bash scripts/test-completion.sh "$usr/share/bash-completion/completions/vigil"

echo "== lintian =="
lintian --fail-on error "$deb"
echo "package: all passed ($deb)"
