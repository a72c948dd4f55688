#!/usr/bin/env bash
# test-x11.sh [VIGIL]: the real window on a virtual X server, driven as a user would with
# xdotool: refresh after the log grew, switch to the chart page, open and close the about box,
# close the window with the exit button. After each step a screenshot of the X display is
# read at places whose colours the window's description fixes. Fails on a wrong colour, on
# any X error the program reports, or when the program does not end with status 0.
# The tools here ask about windows by id; one that has just closed makes them print a
# BadWindow error of their own, so their errors are not the program's.
set -euo pipefail
cd "$(dirname "$0")/.."
vigil=$(realpath "${1:-build/vigil}")
work=$(mktemp -d)
xpid=""
vpid=""
cleanup() {
  [ -n "$vpid" ] && kill "$vpid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

python3 scripts/make-sample-wtmp.py "$work/wtmp"

source scripts/virtual-display.sh
start_virtual_display "$work/xvfb.log"


# Repeats a check until it holds: the program answers input in its own time.
attempts() {
  local what=$1
  shift
  for _ in $(seq 1 100); do
    if "$@" 2>/dev/null; then return 0; fi
    sleep 0.2
  done
  echo "test-x11: $what" >&2
  "$@" || true
  [ -s "$work/vigil.err" ] && cat "$work/vigil.err" >&2
  exit 1
}

# The shown window of that exact title (xwininfo reads the UTF-8 titles the program sets).
window_of() {
  local id
  for id in $(xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name { print $1 }'); do
    # A window closing meanwhile is gone by now; asking about it is an X error of the asker.
    if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return
    fi
  done
}
shown() { [ -n "$(window_of "$1")" ]; }
gone() { [ -z "$(window_of "$1")" ]; }
# The window's client origin on the screen, as "X Y".
origin_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                           END { print x, y }'
}

# pixels_are OX OY x,y=COLOUR ...: each client point of the window at OX, OY has the colour
# COLOUR, which is RRGGBB or one of the words green (a green bar) and orange.
pixels_are() {
  local ox=$1 oy=$2
  shift 2
  xwd -root -silent >"$work/screen.xwd"
  python3 - "$work/screen.xwd" "$ox" "$oy" "$@" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
h = struct.unpack(">25I", data[:100])
header, order, bpp, stride, ncolors = h[0], h[7], h[11], h[12], h[19]
masks = h[14:17]
pixels = header + ncolors * 12
assert bpp in (24, 32), "a true-colour screen, not %s" % (h,)
size = bpp // 8
def colour(x, y):
    at = pixels + y * stride + x * size
    v = int.from_bytes(data[at:at + size], "little" if order == 0 else "big")
    out = []
    for m in masks:
        shift = (m & -m).bit_length() - 1
        out.append((v & m) >> shift)
    return out
ox, oy = int(sys.argv[2]), int(sys.argv[3])
bad = []
for item in sys.argv[4:]:
    where, want = item.split("=")
    x, y = (int(v) for v in where.split(","))
    r, g, b = colour(ox + x, oy + y)
    if want == "green":
        ok = g > 120 and g > r + 60 and g > b + 60
    elif want == "orange":
        ok = r > 200 and 80 < g < r - 40 and b < 60
    else:
        ok = (r, g, b) == tuple(bytes.fromhex(want))
    if not ok:
        bad.append("%s at %s is %02x%02x%02x" % (want, where, r, g, b))
if bad:
    print("; ".join(bad), file=sys.stderr)
    sys.exit(1)
PY
}

click() {
  xdotool mousemove --sync "$1" "$2" click 1
}

answering() { xwininfo -root >/dev/null 2>&1; }
attempts "the X server does not answer" answering
"$vigil" "$work/wtmp" 2>"$work/vigil.err" &
vpid=$!
attempts "the main window did not appear" shown Vigil
main=$(window_of Vigil)
read -r mx my < <(origin_of "$main")

# The log page: the tab strip, the selected tab's outline, the list header and three rows.
attempts "the log page is not drawn" pixels_are "$mx" "$my" \
  600,70=e3e3e3 5,61=a0a0a0 100,133=f0f0f0 10,149=green 10,166=orange 10,183=green \
  10,200=ffffff

# The log grows by a boot without a shutdown before it: the refresh button shows a fourth
# row, and the session before it now ended abnormally.
python3 - "$work/wtmp" <<'PY'
import calendar, struct, sys
b = bytearray(384)
struct.pack_into("<h", b, 0, 2)
struct.pack_into("<i", b, 4, 100)
b[8:9] = b"~"
b[44:50] = b"reboot"
struct.pack_into("<i", b, 340, calendar.timegm((2024, 3, 3, 9, 0, 0)))
open(sys.argv[1], "ab").write(bytes(b))
PY
click $((mx + 44)) $((my + 30))
attempts "the refresh did not show the new session" pixels_are "$mx" "$my" \
  10,149=green 10,166=orange 10,183=orange 10,200=green

# The chart page: its tab is selected, the first bar is red, the list is gone.
click $((mx + 65)) $((my + 72))
attempts "the chart page did not show" pixels_are "$mx" "$my" \
  5,61=e3e3e3 150,300=ff0000 100,133=ffffff 600,70=e3e3e3

# The about box: white, with its close button framed in dark blue; the button closes it.
click $((mx + 149)) $((my + 30))
attempts "the about box did not open" shown 关于
about=$(window_of 关于)
read -r ax ay < <(origin_of "$about")
attempts "the about box is not drawn" pixels_are "$ax" "$ay" 5,5=ffffff 289,323=003c74
click $((ax + 332)) $((ay + 323))
attempts "the about box did not close" gone 关于

# The exit button ends the program normally.
click $((mx + 439)) $((my + 30))
for _ in $(seq 1 100); do
  kill -0 "$vpid" 2>/dev/null || break
  sleep 0.2
done
status=0
wait "$vpid" || status=$?
vpid=""
if [ "$status" -ne 0 ] || grep -qE 'X Error|Bad[A-Z][a-z]+' "$work/vigil.err"; then
  echo "test-x11: the program ended with status $status" >&2
  cat "$work/vigil.err" >&2
  exit 1
fi
echo "x11: window, refresh, chart page, about box and exit passed"
