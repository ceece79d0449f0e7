#!/usr/bin/env bash
# The real program on a real X server: pick units by keyboard, convert with
# Return, copy with a mouse click, read the X clipboard with xclip while the
# program runs, close through the window manager's close request, and check
# what the settings file holds afterwards.
set -euo pipefail
metrivo=$1
closerequest=$2

if [ -z "${DISPLAY:-}" ]; then
    echo "SKIP: no X display (run under scripts/with-display.sh)"
    exit 0
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

fail() { echo "FAIL: $*"; exit 1; }

"$metrivo" >"$work/out.txt" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^Metrivo$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the window did not map"
xdotool windowfocus --sync "$window" 2>/dev/null || true
# The window manager's ping: answered once the window has handled its input.
settle() { "$(dirname "$closerequest")/pingwindow" "$window" 5000 || fail "the window did not answer"; }
settle

# The focus starts in the source list (Length, "centimeter"). Typing a letter
# jumps to the matching unit; Tab moves on as the tab order says.
xdotool type --delay 60 "ki"        # kilometer
xdotool key --delay 60 Tab
xdotool type --delay 60 "me"        # meter
xdotool key --delay 60 Tab          # the amount box, its text selected
xdotool type --delay 60 "2.5"
xdotool key --delay 60 Return       # Start Converting
settle

# "Copy Results To Clipboard": the middle of the button, in window coordinates.
# shellcheck source=/dev/null
. "$(cd "$(dirname "$metrivo")/.." && pwd)/tests/layout.sh"
read -r left top width height <<<"$layout_PushButton1"
xdotool mousemove --window "$window" $((left + width / 2)) $((top + height / 2)) click 1
settle
copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
[ "$copied" = "2500" ] || fail "clipboard holds '$copied', expected '2500'"

"$closerequest" "$window"
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after the close request"
wait "$pid" || fail "the program exited with status $?"
pid=""

ini="$XDG_CONFIG_HOME/Orvandel.ini"
[ -f "$ini" ] || fail "no settings file written"
expect() {
    grep -qx "$1=$2" "$ini" || { cat "$ini"; fail "expected $1=$2 in $ini"; }
}
expect UnitType 0
expect LastFrom0 3
expect LastTo0 6
expect cboFromCurrency 3
expect cboToCurrency 6
expect LastTo5 0
grep -qx '\[Metrivo\]' "$ini" || fail "no [Metrivo] section"
echo "PASS: converted 2.5 kilometer to 2500 meter, copied it, closed and saved"
