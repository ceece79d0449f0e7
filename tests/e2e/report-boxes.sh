#!/usr/bin/env bash
# Errors while the window is in use: a report box, and the program goes on.
# What the window manager sees of the boxes and the window: their titles.
#   report-boxes.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
e2e_x_server

# --- A remembered unit the list does not have, met by a click and by keys.
e2e_settings UnitType=2 LastFrom2=50
e2e_start
e2e_expect_report "Invalid property value" Form_Load 144
e2e_expect_report "Invalid property value" Form_Load 146
window=$(e2e_wait_main)
e2e_click_on "$window" optUnits_4
e2e_no_box
e2e_click_on "$window" optUnits_2
e2e_expect_report "Invalid property value" optUnits_Click 0
kill -0 "$METRIVO_PID" || fail "the program ended after the click on Speed"
# The lists of Speed stay unselected; the window still converts elsewhere.
e2e_click_on "$window" optUnits_4
e2e_no_box
# From Weight, the arrow keys move the choice up to Temperature and right to
# Speed.
e2e_focus "$window"
e2e_keys Up Right
e2e_expect_report "Invalid property value" optUnits_Click 0
kill -0 "$METRIVO_PID" || fail "the program ended after choosing Speed with the keys"
e2e_close "$window"
e2e_expect_setting UnitType 2 "after the failed choices"

# --- Titles: a box of the load before its caption is set (a damaged hand
# pointer beside a copy of the program), one of a press after, the window.
folder=$(dirname "$(e2e_program_copy damaged-cursor)")
printf 'not a cursor' >"$folder/HAND-M.CUR"
rm -f "$SETTINGS"
e2e_start "$folder/metrivo"
box=$(e2e_wait_window '^Application Error')
title=$(xprop -id "$box" _NET_WM_NAME)
[ "$title" = '_NET_WM_NAME(UTF8_STRING) = "Application Error"' ] || fail "load box: $title"
e2e_expect_report "Invalid picture" Form_Load 106
window=$(e2e_wait_main)
title=$(xprop -id "$window" _NET_WM_NAME)
[ "$title" = '_NET_WM_NAME(UTF8_STRING) = "Metrivo"' ] || fail "main window: $title"
# The desktop lists the program by its class.
xprop -id "$window" WM_CLASS | grep -q '"Metrivo"$' || fail "class: $(xprop -id "$window" WM_CLASS)"
# "1E39" meter to meter: Overflow at line 124.
e2e_keys Tab Tab
e2e_type 1E39
e2e_keys Return
box=$(e2e_wait_window '^Application Error')
title=$(xprop -id "$box" _NET_WM_NAME)
[ "$title" = '_NET_WM_NAME(UTF8_STRING) = "Application Error"' ] || fail "press box: $title"
e2e_expect_report Overflow PushButton2_Click 124
e2e_close "$window"
echo "PASS: reports over the window, the program goes on; titles as the desktop shows them"
