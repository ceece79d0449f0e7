#!/usr/bin/env bash
# Every skin that ships with the program keeps every control recognisable:
# each control shows something on its own background, the unit lists keep
# their drop-down arrows, the options their circles, and every text stays
# readable.
#   skins.sh METRIVO CLOSEREQUEST SKINS_FOLDER
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$1" "$2"
skins=$3
e2e_x_server

# Window rectangles (x y w h) of the controls, from the window's layout table.
declare -A controls=(
    [from_list]="$(e2e_rect cboFromCurrency)" [to_list]="$(e2e_rect cboToCurrency)"
    [amount]="$(e2e_rect Text1)" [results]="$(e2e_rect Text2)"
    [copy_button]="$(e2e_rect PushButton1)" [start_button]="$(e2e_rect PushButton2)"
    [option_length]="$(e2e_rect optUnits_0)" [option_temperature]="$(e2e_rect optUnits_1)"
    [option_speed]="$(e2e_rect optUnits_2)" [option_volume]="$(e2e_rect optUnits_3)"
    [option_weight]="$(e2e_rect optUnits_4)" [option_area]="$(e2e_rect optUnits_5)"
)
# The arrows: the last 22 px of each list, 2 px in from top and bottom; the
# circles: an option's first 16 px.
arrow() {
    local l t w h
    read -r l t w h <<<"$(e2e_rect "$1")"
    echo "$((l + w - 22)) $((t + 2)) 20 $((h - 4))"
}
circle() {
    local l t w h
    read -r l t w h <<<"$(e2e_rect "$1")"
    echo "$l $t 16 $h"
}
declare -A marks=(
    [from_arrow]="$(arrow cboFromCurrency)" [to_arrow]="$(arrow cboToCurrency)"
    [length_circle]="$(circle optUnits_0)" [area_circle]="$(circle optUnits_5)"
)

folder=$(dirname "$(e2e_program_copy skinned)")
mkdir -p "$folder/x"
found=0
for skin in "$skins"/*/o.cjs; do
    name=$(basename "$(dirname "$skin")")
    found=$((found + 1))
    cp "$skin" "$folder/x/o.cjs"
    rm -f "$SETTINGS"
    e2e_start "$folder/metrivo"
    window=$(e2e_wait_main)
    e2e_keys Return           # Results shows "1"
    shot="$E2E_WORK/$name.png"
    e2e_shot "$shot" "$window"
    e2e_close "$window"
    for control in "${!controls[@]}"; do
        read -r x y w h <<<"${controls[$control]}"
        ratio=$(e2e_pixels contrast "$shot" $((x + 3)) $((y + 3)) $((w - 6)) $((h - 6)) 4.5) ||
            fail "skin $name: $control has contrast $ratio, below 4.5:1"
    done
    for mark in "${!marks[@]}"; do
        e2e_pixels marks "$shot" ${marks[$mark]} >"$E2E_WORK/marks.txt" ||
            fail "skin $name: no $mark ($(cat "$E2E_WORK/marks.txt"))"
    done
done
[ "$found" -gt 0 ] || fail "no skins in $skins"
echo "PASS: $found shipped skins keep every control recognisable"
