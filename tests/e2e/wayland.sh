#!/usr/bin/env bash
# The window on a Wayland session (a headless sway), native through Qt's
# Wayland plugin, behaves as on X11: the hand pointer over the push buttons
# and the arrow elsewhere, the report box as a window of its own, the
# settings stored on close; and at 125 % and 150 % it opens at its logical
# size with readable text.
#   wayland.sh METRIVO CLOSEREQUEST WAYLANDPOINTER
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$1" "$2"
pointer_tool=$3
[ -x "$pointer_tool" ] || fail "no pointer helper at $pointer_tool"

# The window's client rectangle in the layout, from the compositor.
window_rect() {
    e2e_swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if node.get("app_id") == "metrivo" and node.get("name") == sys.argv[1]:
        r, w = node["rect"], node["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])
        break' "${1:-Metrivo}"
}

# wait_window TITLE: waits until the window is there and has settled where
# the compositor puts it (the same place twice in a row), and prints it.
wait_window() {
    local rect="" last=""
    for _ in $(seq 1 100); do
        rect=$(window_rect "$1")
        [ -n "$rect" ] && [ "$rect" = "$last" ] && { echo "$rect"; return 0; }
        last=$rect
        kill -0 "$METRIVO_PID" 2>/dev/null || fail "the program ended while waiting for '$1'"
        sleep 0.2
    done
    fail "no window '$1' on the compositor"
}

# The pointer's shape at a point of the window: a screenshot with the pointer
# there, and one with the pointer moved away to the screen's corner.
pointer_at() {
    local x=$1 y=$2 shape
    "$pointer_tool" "$x" "$y" 1280 1024 0.8 || fail "the pointer could not be moved"
    grim -c -t png "$E2E_WORK/shown.png"
    "$pointer_tool" 1 1 1280 1024 0.5 || fail "the pointer could not be moved"
    grim -c -t png "$E2E_WORK/plain.png"
    shape=$(e2e_pixels pointer "$E2E_WORK/plain.png" "$E2E_WORK/shown.png" "$x" "$y") ||
        fail "no pointer drawn at $x,$y"
    echo "${shape%% *}"
}

e2e_wayland 1
# A pointer device from the start, as a desktop has one.
"$pointer_tool" 1 1 1280 1024 600 &
E2E_PIDS+=("$!")

# --- The pointer: a hand over the buttons with the cursor file beside the
# program, the arrow over a frame, and the arrow everywhere without the file.
for variant in with without; do
    folder=$(dirname "$(e2e_program_copy "cursor-$variant")")
    [ "$variant" = with ] && cp "$(dirname "$METRIVO")/HAND-M.CUR" "$folder/"
    rm -f "$SETTINGS"
    e2e_start "$folder/metrivo"
    read -r x y _ _ <<<"$(wait_window Metrivo)"
    sleep 0.5
    declare "button_$variant=$(pointer_at $((x + 268)) $((y + 214)))"
    declare "frame_$variant=$(pointer_at $((x + 268)) $((y + 135)))"
    e2e_swaymsg '[app_id="metrivo"] kill' >/dev/null
    e2e_wait_end 0 "closing the window ($variant cursor file)"
done
# Each place compared with itself, so the same background lies under both.
[ "$button_with" != "$button_without" ] || fail "the pointer over Start Converting is the arrow"
[ "$frame_with" = "$frame_without" ] || fail "the pointer over a frame is not the arrow"

# --- A report box of the load, as a window of its own; Return closes it.
folder=$(dirname "$(e2e_program_copy damaged-cursor)")
printf 'not a cursor' >"$folder/HAND-M.CUR"
e2e_start "$folder/metrivo"
wait_window "Application Error" >/dev/null
wtype -k Return
wait_window Metrivo >/dev/null
[ -z "$(window_rect "Application Error")" ] || fail "the report box stayed open"

# --- Keys and the settings: Weight, "pound" to "kilogram" by type-ahead,
# Return converts; the compositor's close stores the conversion.
e2e_swaymsg '[app_id="metrivo"] kill' >/dev/null
e2e_wait_end 0 "closing after the report"
e2e_settings UnitType=4
e2e_start
wait_window Metrivo >/dev/null
sleep 0.5
wtype pound
wtype -k Tab
wtype kilogram
wtype -k Return
# The conversion has run once its choices are stored.
e2e_await_setting LastTo4 9
e2e_swaymsg '[app_id="metrivo"] kill' >/dev/null
e2e_wait_end 0 "the compositor's close"
e2e_expect_setting LastFrom4 16 "Wayland"
e2e_expect_setting LastTo4 9 "Wayland"
e2e_expect_setting UnitType 4 "Wayland"

# --- Fractional scales: the window keeps its logical size, and its text stays
# readable once the compositor has scaled Qt's whole-number rendering down.
for scale in 1.25 1.5; do
    kill "${E2E_PIDS[@]}" 2>/dev/null || true
    E2E_PIDS=()
    e2e_wayland "$scale"
    e2e_start
    read -r x y w h <<<"$(wait_window Metrivo)"
    [ "$w" = 536 ] && [ "$h" = 331 ] || fail "at $scale the window is ${w}x$h, not 536x331"
    sleep 0.7
    grim -t png "$E2E_WORK/scale.png"
    physical() { /usr/bin/python3 -c "print(round($1 * $scale))"; }
    # "Start Converting", and the categories' caption.
    ratio=$(e2e_pixels contrast "$E2E_WORK/scale.png" "$(physical $((x + 200)))" "$(physical $((y + 204)))" \
        "$(physical 136)" "$(physical 20)" 4.5) || fail "at $scale the button's text has contrast $ratio"
    ratio=$(e2e_pixels contrast "$E2E_WORK/scale.png" "$(physical $((x + 8)))" "$(physical $((y + 8)))" \
        "$(physical 150)" "$(physical 16)" 4.5) || fail "at $scale the caption has contrast $ratio"
    e2e_swaymsg '[app_id="metrivo"] kill' >/dev/null
    e2e_wait_end 0 "closing at $scale"
done
echo "PASS: native on Wayland: pointer, report box, keys and settings, fractional scales"
