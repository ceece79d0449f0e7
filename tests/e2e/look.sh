#!/usr/bin/env bash
# How the window looks, from screenshots of the real program: the frames
# white inside, every text readable (WCAG AA, 4.5:1 against its own
# background) in a light and in a dark desktop colour scheme, and the focus
# visible from the first frame.
#   look.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
e2e_x_server

# Rectangles in window pixels (x y w h), from the window's layout.
frames=("8 8 520 69" "8 234 520 90" "144 81 384 54" "8 140 520 54" "8 82 128 54")
options=("24 28 73 17" "160 28 97 17" "312 28 57 17" "24 51 65 17" "160 51 73 17" "312 51 81 17")
from_list="160 101 351 23"
to_list="24 160 487 23"
amount="24 102 95 23"
results="24 254 487 25"
copy_button="24 286 487 27"
start_button="8 201 520 27"

inside() {  # x y w h inset -> the rectangle shrunk by inset on every side
    echo "$(($1 + $5)) $(($2 + $5)) $(($3 - 2 * $5)) $(($4 - 2 * $5))"
}
grown() {
    echo "$(($1 - $5)) $(($2 - $5)) $(($3 + 2 * $5)) $(($4 + 2 * $5))"
}

# The inside of every frame below its caption is pure white, but for the
# controls it holds.
check_white_frames() {
    local shot=$1 frame x y w h children
    for frame in "${frames[@]}"; do
        read -r x y w h <<<"$frame"
        children=()
        for child in "${options[@]}" "$from_list" "$to_list" "$amount" "$results" "$copy_button"; do
            read -r -a rect <<<"$(grown $child 3)"
            children+=("${rect[@]}")
        done
        # The caption's band is 18 px; the border and its corners 3 px.
        e2e_pixels white "$shot" $((x + 3)) $((y + 21)) $((w - 6)) $((h - 24)) "${children[@]}" >"$E2E_WORK/white.txt" ||
            fail "frame at $frame is not white inside: $(cat "$E2E_WORK/white.txt")"
    done
}

# Every text against its own background.
check_contrast() {
    local scheme=$1 shot=$2 name rect ratio
    local -A texts=(
        [caption_categories]="8 8 160 17" [caption_amount]="8 82 110 17"
        [caption_from]="144 81 60 17" [caption_to]="8 140 40 17" [caption_results]="8 234 70 17"
        [option_length]="${options[0]}" [option_temperature]="${options[1]}"
        [option_speed]="${options[2]}" [option_volume]="${options[3]}"
        [option_weight]="${options[4]}" [option_area]="${options[5]}"
        [from_list]="$(inside $from_list 3)" [to_list]="$(inside $to_list 3)"
        [amount]="$(inside $amount 3)" [results]="$(inside $results 3)"
        [start_button]="$(inside $start_button 3)" [copy_button]="$(inside $copy_button 3)"
    )
    for name in "${!texts[@]}"; do
        rect=${texts[$name]}
        ratio=$(e2e_pixels contrast "$shot" $rect 4.5) ||
            fail "$scheme scheme: $name has contrast $ratio, below 4.5:1"
    done
}

# Starts the window, converts "1.00" so that Results holds text, and takes a
# screenshot.
shoot() {
    local shot=$1
    e2e_start
    window=$(e2e_wait_main)
    e2e_keys Return
    sleep 0.3
    e2e_shot "$shot" "$window"
    e2e_close "$window"
}

# --- The focus shows from the start: the source list loses its mark when Tab
# moves the focus on.
e2e_start
window=$(e2e_wait_main)
e2e_shot "$E2E_WORK/first.png" "$window"
e2e_keys Tab
e2e_shot "$E2E_WORK/tabbed.png" "$window"
e2e_pixels differ "$E2E_WORK/first.png" "$E2E_WORK/tabbed.png" $(grown $from_list 2) >/dev/null ||
    fail "no focus shows on the source list before Tab is pressed"
e2e_close "$window"

# --- The desktop's light scheme (Qt's own colours).
shoot "$E2E_WORK/light.png"
check_white_frames "$E2E_WORK/light.png"
check_contrast light "$E2E_WORK/light.png"

# --- A dark scheme, through qt6ct as a desktop sets it.
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF
[ -f /usr/share/qt6ct/colors/darker.conf ] || fail "qt6ct's darker colour scheme is not installed"
export QT_QPA_PLATFORMTHEME=qt6ct
shoot "$E2E_WORK/dark.png"
button=$(e2e_pixels contrast "$E2E_WORK/dark.png" $(inside $start_button 3) 1)
red=$(sed -n 's/.*background=(\([0-9]*\),.*/\1/p' <<<"$button")
[ "${red:-255}" -lt 128 ] || fail "the dark scheme did not reach the window: the buttons are $button"
check_white_frames "$E2E_WORK/dark.png"
check_contrast dark "$E2E_WORK/dark.png"
echo "PASS: white frames, readable text in light and dark schemes, focus shown"
