#!/usr/bin/env bash
# The window opens centred on the screen as the user sees it: its outer
# frame, with a window manager (openbox) and without one.
#   placement.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"

# check_centred WHAT WINDOW: the frame's centre is the screen's within 1 px.
check_centred() {
    local what=$1 window=$2 x y w h left=0 right=0 top=0 bottom=0 extents screen_w screen_h
    eval "$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/x=\1/p; s/^ *Absolute upper-left Y: *\(-*[0-9]*\)/y=\1/p; s/^ *Width: *\([0-9]*\)/w=\1/p; s/^ *Height: *\([0-9]*\)/h=\1/p')"
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')
    if [ -n "$extents" ]; then IFS=, read -r left right top bottom <<<"$extents"; fi
    read -r screen_w screen_h < <(xwininfo -root | sed -n 's/^ *Width: *\([0-9]*\)/\1/p; s/^ *Height: *\([0-9]*\)/\1/p' | paste -sd' ')
    # Twice the centres, to stay in whole numbers.
    local dx=$(( (x - left) * 2 + w + left + right - screen_w ))
    local dy=$(( (y - top) * 2 + h + top + bottom - screen_h ))
    echo "$what: frame $((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top)) on ${screen_w}x${screen_h}"
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
        fail "$what: the frame's centre is off by $((dx / 2)),$((dy / 2)) px"
}

e2e_x_server
e2e_start
window=$(e2e_wait_main)
check_centred "no window manager" "$window"
# What the window manager gets as the window's icon: every size the program
# has, the largest a moment after the first frame.
sizes=""
for _ in $(seq 1 40); do
    sizes=$(xprop -len 2000000 -id "$window" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
    [[ $sizes == *"256 x 256"* ]] && break
    sleep 0.05
done
[ "$sizes" = "Icon (32 x 32) Icon (48 x 48) Icon (128 x 128) Icon (256 x 256) " ] ||
    fail "the window's icon has the sizes: $sizes"
e2e_close "$window"
kill "$E2E_XVFB_PID"

e2e_x_server openbox
e2e_start
window=$(e2e_wait_main)
for _ in $(seq 1 40); do
    xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = ' && break
    sleep 0.05
done
e2e_settle "$window"
check_centred "openbox" "$window"
e2e_close "$window"
echo "PASS: centred with and without a window manager; the icon in its four sizes"
