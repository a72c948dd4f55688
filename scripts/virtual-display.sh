# virtual-display.sh, sourced: start_virtual_display LOG starts Xvfb on a display number of its
# own choosing (so parallel runs do not meet), its messages in LOG; exports DISPLAY and sets
# xpid for the caller's clean-up.
start_virtual_display() {
  exec 3<> <(:)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 2>"$1" &
  xpid=$!
  read -r -t 30 display <&3 || { echo "Xvfb did not start (see $1)" >&2; exit 1; }
  export DISPLAY=":$display"
}
