#!/usr/bin/env bash
# However the program ends, the settings file keeps what the user did: the
# close box, termination signals (a logout, a stopped user service, Ctrl+C),
# a kill -9 and a display that goes away.
#   endings.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
e2e_x_server

# Starts the window, chooses Weight and converts "pound" to "kilogram" by
# keys; the Weight lists hold "pound" at 16 and "kilogram" at 9. The last key,
# Return, is left to the caller.
choose_weight_units() {
    rm -f "$SETTINGS"
    e2e_start
    window=$(e2e_wait_main)
    e2e_click_on "$window" optUnits_4
    e2e_click_on "$window" cboFromCurrency   # the source list: it takes the focus
    e2e_keys Escape                  # a click opens the list; close it again
    e2e_type pound
    e2e_keys Tab
    e2e_type kilogram
}

convert_weight() {
    choose_weight_units
    e2e_keys Return
}

expect_weight_saved() {
    e2e_expect_setting UnitType 4 "$1"
    e2e_expect_setting LastFrom4 16 "$1"
    e2e_expect_setting LastTo4 9 "$1"
    e2e_expect_setting LastFrom0 0 "$1"
}

for signal in TERM HUP INT QUIT; do
    convert_weight
    kill -s "$signal" "$METRIVO_PID"
    e2e_wait_end 0 "SIG$signal"
    expect_weight_saved "SIG$signal"
done

# SIGKILL within a second of the conversion: the file already holds it.
convert_weight
e2e_await_setting LastFrom4 16 1
kill -KILL "$METRIVO_PID"
wait "$METRIVO_PID" 2>/dev/null || true
METRIVO_PID=""
expect_weight_saved "SIGKILL a second later"

# The display goes away at once after the conversion.
choose_weight_units
xdotool key Return
kill "$E2E_XVFB_PID"
e2e_wait_end 1 "the lost display"
expect_weight_saved "the lost display"
e2e_x_server

# A request to end while the load still shows a report ends the program at
# once and stores nothing: nothing was chosen yet in this run.
folder=$(dirname "$(e2e_program_copy damaged-cursor)")
printf 'not a cursor' >"$folder/HAND-M.CUR"
e2e_settings UnitType=3 LastFrom3=2 LastTo3=5
e2e_start "$folder/metrivo"
e2e_wait_window '^Application Error$' >/dev/null
kill -TERM "$METRIVO_PID"
e2e_wait_end 0 "SIGTERM during the load"
e2e_expect_setting UnitType 3 "SIGTERM during the load"
e2e_expect_setting LastFrom3 2 "SIGTERM during the load"
e2e_expect_setting LastTo3 5 "SIGTERM during the load"

# The close box, for comparison: the same keys.
convert_weight
e2e_close "$window"
expect_weight_saved "the close request"
echo "PASS: signals, kill -9, a lost display and a close all keep the conversion"
