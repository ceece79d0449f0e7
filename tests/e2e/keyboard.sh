#!/usr/bin/env bash
# The window from the keyboard: type-ahead in a closed unit list across the
# spaces of the names, Return on a focused push button, and choosing the
# category that shows as selected after a stored category the window does
# not have.
#   keyboard.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
e2e_x_server


# --- Type-ahead: category, typed text, the index the source list must hold.
typeahead_cases=(
    "1|degree R|2"          # degree Rankine, not a new search at the space
    "1|degree re|3"         # degree Reaumur, in any letter case
    "1|DEGREE F|1"          # degree Fahrenheit
    "1|kel|4"               # kelvin
    "5|square k|12"         # square kiloimeter
    "5|square f|1"          # square foot
    "5|quarter s|5"         # quarter section
    "4|megagram (m|12"      # megagram (metric ton) (tonne)
    "4|lb, l|10"            # lb, lbs
)
for row in "${typeahead_cases[@]}"; do
    IFS='|' read -r category typed expected <<<"$row"
    e2e_settings "UnitType=$category"
    e2e_start
    window=$(e2e_wait_main)
    xdotool type --delay 60 "$typed"
    e2e_settle "$window"
    e2e_await_setting cboFromCurrency "$expected"
    e2e_close "$window"
done

# Return then converts: "degree R" picks degree Rankine, 1 of it in Celsius.
e2e_settings UnitType=1
e2e_start
window=$(e2e_wait_main)
xdotool type --delay 60 "degree R"
e2e_keys Return
result=$(e2e_result "$window")
[ "$result" = "-272.594444444444" ] || fail "1 degree Rankine in Celsius gave '$result'"
e2e_close "$window"

# --- Return on the focused push buttons: the source list, the target list,
# the amount, "Start Converting", the results, "Copy Results To Clipboard".
rm -f "$SETTINGS"
e2e_start
window=$(e2e_wait_main)
e2e_keys Tab Tab
e2e_type 2.5
e2e_keys Tab Return
printf '' | xclip -selection clipboard -i >/dev/null 2>&1 || true
e2e_keys Tab Tab Return
copied=$(e2e_clipboard)
[ "$copied" = "2.5" ] || fail "Return on the two buttons: the clipboard holds '$copied', expected '2.5'"
e2e_close "$window"

# --- A stored category of 7: the lists open empty under "Length"; choosing
# "Length" fills them.
e2e_settings UnitType=7
e2e_start
e2e_expect_report "Subscript out of range" Form_Load 144
e2e_expect_report "Subscript out of range" Form_Load 146
e2e_expect_report "Invalid property value" Form_Load 148
e2e_expect_report "Invalid property value" Form_Load 150
window=$(e2e_wait_main)
e2e_click_on "$window" optUnits_0
e2e_no_box
e2e_click_on "$window" PushButton2
e2e_no_box
result=$(e2e_result "$window")
[ "$result" = "1" ] || fail "after choosing Length again the conversion gave '$result'"
e2e_close "$window"
e2e_expect_setting UnitType 0 "after choosing Length"
echo "PASS: type-ahead across spaces, Return on buttons, the selected category chosen again"
