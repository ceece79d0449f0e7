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

# Window rectangles (x y w h) of the controls.
declare -A controls=(
    [from_list]="160 101 351 23" [to_list]="24 160 487 23" [amount]="24 102 95 23"
    [results]="24 254 487 25" [copy_button]="24 286 487 27" [start_button]="8 201 520 27"
    [option_length]="24 28 73 17" [option_temperature]="160 28 97 17" [option_speed]="312 28 57 17"
    [option_volume]="24 51 65 17" [option_weight]="160 51 73 17" [option_area]="312 51 81 17"
)
# The arrows: the last 22 px of each list; the circles: an option's first 16 px.
declare -A marks=(
    [from_arrow]="489 103 20 19" [to_arrow]="489 162 20 19"
    [length_circle]="24 28 16 17" [area_circle]="312 51 16 17"
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
    sleep 0.3
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
