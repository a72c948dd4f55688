#!/usr/bin/env bash
# test-windows.sh [DIR]: cross-builds Vigil for Windows into DIR (default build-win) and runs
# the Windows tests under wine: every test program, vigil.exe --print on a log file, the live
# System log (wine's is empty), --screenshot drawn with GDI text and compared with the Linux
# one when build/vigil exists, and the real window on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-windows-deps.sh
dir=${1:-build-win}
started=$(date +%s)

echo "== Windows: cross-build =="
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVIGIL_BENCH=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$dir"

# A private prefix inside the build folder, quiet, without the .NET and browser installers,
# in a fixed zone and locale so the expected texts below hold on every machine (a UTF-8 one:
# wine keeps file names in the locale's character set).
export WINEPREFIX="$PWD/$dir/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=UTC LANG=C.UTF-8 LC_ALL=
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.vigil-ready" ]; then
  echo "== Windows: wine prefix =="
  ok=0
  for attempt in 1 2 3; do
    if timeout 300 wineboot -i >/dev/null 2>&1 && timeout 120 wineserver -w; then
      ok=1
      break
    fi
    echo "wineboot failed (attempt $attempt), retrying"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  done
  [ "$ok" = 1 ] || { echo "wine prefix could not be made" >&2; exit 1; }
  # A program that crashes prints its trace and ends, instead of waiting on a dialog.
  timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 \
    /f >/dev/null 2>&1
  timeout 120 wineserver -w
  touch "$WINEPREFIX/.vigil-ready"
fi

# As on a Chinese Windows: characters a Latin face lacks come from a linked CJK face. Set on
# every run: wine rewrites its own default links for some faces (Tahoma) when it updates them.
link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "Arial" "Verdana" "MS Sans Serif" "Microsoft Sans Serif" "Tahoma" \
  "Times New Roman" "Courier New" "Segoe UI"; do
  timeout 60 wine reg add "$link" /v "$face" /t REG_MULTI_SZ \
    /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
done
timeout 120 wineserver -w

echo "== Windows: test programs under wine =="
# On a virtual X server: the window host's tests make real windows.
xvfb-run -a -s "-screen 0 1280x800x24" ctest --test-dir "$dir" --output-on-failure --timeout 300
# Offsets of past moments in a zone with daylight saving (the zone is read at start-up).
wineserver -k 2>/dev/null || true
TZ=Europe/Berlin timeout 300 scripts/wine-run.sh "$dir/win32_tests.exe" --gtest_filter='WinClock.*' \
  --gtest_brief=1
wineserver -k 2>/dev/null || true

vigil="$dir/vigil.exe"
run() { timeout 120 scripts/wine-run.sh "$@"; }

echo "== Windows: vigil.exe --print =="
python3 scripts/make-sample-wtmp.py "$work/wtmp"
run "$vigil" --print "$work/wtmp" | tr -d '\r' > "$work/print.txt"
cat > "$work/expected.txt" <<'TEXT'
0	3/2/2024 9:00:00 AM				正常,运行中...
1	3/1/2024 8:00:00 PM			bob	非正常关机
0	3/1/2024 8:00:00 AM	3/1/2024 5:30:00 PM	9 时30 分	alice	正常关机
记录数:3
天数:2
总计:9小时
平均:3(小时/次)
TEXT
# The rows and the four summary lines; figures the report adds after them are tested on Linux.
head -n 7 "$work/print.txt" | diff -u "$work/expected.txt" -
# A file that is no log is refused with status 2.
head -c 1000 /dev/zero | tr '\0' '#' > "$work/text"
status=0
run "$vigil" --print "$work/text" > /dev/null 2>&1 || status=$?
[ "$status" = 2 ] || { echo "vigil.exe --print on a text file: status $status, not 2" >&2; exit 1; }

echo "== Windows: vigil.exe --help =="
# It names the log Windows keeps, not the Linux one.
run "$vigil" --help | tr -d '\r' > "$work/help.txt"
grep -q "from its System event log" "$work/help.txt"
if grep -q "/var/log" "$work/help.txt"; then
  echo "vigil.exe --help names a Linux log" >&2
  exit 1
fi

echo "== Windows: the live System log =="
# Wine's event log holds no records: the history is empty, not an error.
run "$vigil" --print | tr -d '\r' > "$work/live.txt"
head -n 4 "$work/live.txt" | diff -u <(printf '记录数:0\n天数:0\n总计:0小时\n平均:0(小时/次)\n') -

echo "== Windows: vigil.exe --screenshot =="
for page in log chart; do
  run "$vigil" --screenshot "$work/win-$page.png" --page "$page" "$work/wtmp"
  if [ -x build/vigil ]; then
    build/vigil --screenshot "$work/linux-$page.png" --page "$page" "$work/wtmp"
    python3 scripts/compare-screenshots.py "$work/linux-$page.png" "$work/win-$page.png"
  fi
done

echo "== Windows: the window on a virtual X server =="
# A wine server still running from the runs above was started without a display; a window
# program joining it cannot show its window, so it is ended first.
wineserver -k 2>/dev/null || true
cat > "$work/window.sh" <<'SCRIPT'
set -u
timeout 120 scripts/wine-run.sh "$1" "$2" &
pid=$!
sleep 10
kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "vigil.exe ended early with status $?" >&2; exit 1; }
# Closing the main window (as its close button does) ends the program normally. On a busy
# machine the window may not be up yet when the first close is sent, so it is sent again until
# the program has ended.
for _ in $(seq 1 30); do
  timeout 60 wine taskkill /im vigil.exe >/dev/null 2>&1
  sleep 2
  kill -0 "$pid" 2>/dev/null || break
done
wait "$pid"
SCRIPT
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/window.sh" "$vigil" "$work/wtmp"

echo "windows: all passed in $(( $(date +%s) - started )) s"
