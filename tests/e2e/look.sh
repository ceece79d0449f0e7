#!/usr/bin/env bash
# How the window looks, from screenshots of the real program, in each of the
# desktop colour schemes below: the frames white inside, every text readable
# (WCAG AA, 4.5:1 against its own background, the amount also while it is
# selected), the amount box in the desktop's window colour, and the focus
# indicator of every control that takes the focus standing out 3:1 against
# what it is drawn on; the focus visible from the first frame.
#   look.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
e2e_x_server

# Rectangles in window pixels (x y w h), from the window's layout table.
frames=()
for n in 1 2 3 4 5; do frames+=("$(e2e_rect Frame$n)"); done
options=()
for n in 0 1 2 3 4 5; do options+=("$(e2e_rect optUnits_$n)"); done
from_list=$(e2e_rect cboFromCurrency)
to_list=$(e2e_rect cboToCurrency)
amount=$(e2e_rect Text1)
results=$(e2e_rect Text2)
copy_button=$(e2e_rect PushButton1)
start_button=$(e2e_rect PushButton2)
# The controls in the order Tab visits them from the source list on.
tab_order=(from_list to_list amount start_button results copy_button length)
length=${options[0]}

inside() {  # x y w h inset -> the rectangle shrunk by inset on every side
    echo "$(($1 + $5)) $(($2 + $5)) $(($3 - 2 * $5)) $(($4 - 2 * $5))"
}
grown() {
    echo "$(($1 - $5)) $(($2 - $5)) $(($3 + 2 * $5)) $(($4 + 2 * $5))"
}

FIGURES=$E2E_WORK/figures.txt
: >"$FIGURES"
# The checks of one scheme, run together: "LABEL COMMAND ARGS..." a line.
CHECKS=$E2E_WORK/checks.txt

# The inside of every frame below its caption is pure white, but for the
# controls it holds and the focus ring around one of them.
check_white_frames() {
    local shot=$1 frame x y w h children
    children=()
    for child in "${options[@]}" "$from_list" "$to_list" "$amount" "$results" "$copy_button"; do
        read -r -a rect <<<"$(grown $child 3)"
        children+=("${rect[@]}")
    done
    for frame in "${frames[@]}"; do
        read -r x y w h <<<"$frame"
        # The caption's band is 18 px; the border and its corners 3 px.
        echo "white_frame_at_${x}_$y white $shot $((x + 3)) $((y + 21)) $((w - 6)) $((h - 24)) ${children[*]}"
    done >>"$CHECKS"
}

# Every text against its own background, 4.5:1.
check_texts() {
    local shot=$1 name
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
    for name in $(printf '%s\n' "${!texts[@]}" | sort); do
        echo "$name contrast $shot ${texts[$name]} 4.5"
    done >>"$CHECKS"
}

# The focus indicator of each control: its screenshot with the focus on it
# against the next one, where the focus has moved on.
check_focus() {
    local scheme=$1 i name next
    for i in "${!tab_order[@]}"; do
        name=${tab_order[$i]}
        next=$(((i + 1) % ${#tab_order[@]}))
        echo "focus_$name focus $E2E_WORK/$scheme-$next.png $E2E_WORK/$scheme-$i.png ${!name}"
    done >>"$CHECKS"
}

# use_scheme NAME: the desktop's colour scheme for the windows started next.
# GTK, which Qt's GTK platform theme loads, leaves memory of its own to the
# end of the process: no leak check there (the same code is checked in the
# other schemes).
asan_options=${ASAN_OPTIONS:-}
use_scheme() {
    unset QT_QPA_PLATFORMTHEME GTK_THEME
    export ASAN_OPTIONS=$asan_options
    [[ $1 == adwaita* ]] && export ASAN_OPTIONS="${asan_options:+$asan_options:}detect_leaks=0"
    case $1 in
        light) ;;
        darker | high-contrast)
            mkdir -p "$XDG_CONFIG_HOME/qt6ct"
            printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' \
                "$([ "$1" = darker ] && echo /usr/share/qt6ct/colors/darker.conf || echo "$E2E_WORK/high-contrast.conf")" \
                >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
            export QT_QPA_PLATFORMTHEME=qt6ct
            ;;
        adwaita) export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita ;;
        adwaita-dark) export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark ;;
    esac
}
[ -f /usr/share/qt6ct/colors/darker.conf ] || fail "qt6ct's darker colour scheme is not installed"
[ -f /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqgtk3.so ] ||
    [ -n "$(find /usr/lib -path '*qt6/plugins/platformthemes/libqgtk3.so' 2>/dev/null)" ] ||
    fail "Qt's GTK platform theme (qt6-gtk-platformtheme) is not installed"
# White on black, a cyan selection: the roles in QPalette's order.
hc="#ffffffff, #ff000000, #ffffffff, #ff808080, #ffffffff, #ff808080, #ffffffff, #ffffffff, #ffffffff, #ff000000, #ff000000, #ffffffff, #ff1aebff, #ff000000, #ffffff00, #ff00ff00, #ff000000, #ffffffff, #ff000000, #ffffffff, #ffc0c0c0"
printf '[ColorScheme]\nactive_colors=%s\ndisabled_colors=%s\ninactive_colors=%s\n' "$hc" "$hc" "$hc" \
    >"$E2E_WORK/high-contrast.conf"

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

# --- Each scheme: the window after a conversion, once with the focus on each
# control in turn. The amount box keeps the desktop's window colour.
schemes=("light|255, 255, 255" "darker|61, 61, 61" "adwaita|255, 255, 255"
    "adwaita-dark|36, 36, 36" "high-contrast|0, 0, 0")
for row in "${schemes[@]}"; do
    scheme=${row%%|*}
    use_scheme "$scheme"
    e2e_start
    window=$(e2e_wait_main)
    e2e_keys Return
    for i in "${!tab_order[@]}"; do
        e2e_shot "$E2E_WORK/$scheme-$i.png" "$window"
        e2e_keys Tab
    done
    e2e_close "$window"

    shot=$E2E_WORK/$scheme-0.png
    base=$(e2e_pixels contrast "$shot" $(inside $amount 3) 1)
    [[ $base == *"background=(${row#*|})" ]] ||
        fail "$scheme: the amount box is not in the desktop's window colour (${row#*|}): $base"
    : >"$CHECKS"
    check_white_frames "$shot"
    check_texts "$shot"
    # Tabbed into, the amount is selected: "1.00" on the selection.
    echo "amount_selected contrast $E2E_WORK/$scheme-2.png 28 108 20 12 4.5" >>"$CHECKS"
    check_focus "$scheme"
    e2e_pixels each <"$CHECKS" >"$E2E_WORK/checked.txt" || true
    grep -v '^white_frame' "$E2E_WORK/checked.txt" | sed "s/^/$scheme /" >>"$FIGURES"
    ! grep -q ' FAIL ' "$E2E_WORK/checked.txt" ||
        fail "$scheme: $(grep ' FAIL ' "$E2E_WORK/checked.txt" | paste -sd';')"
done
echo "Contrast (text against its background; focus: pixels changing 3:1 or more):"
cat "$FIGURES"
echo "PASS: white frames, readable text and visible focus in ${#schemes[@]} colour schemes, focus shown from the start"
