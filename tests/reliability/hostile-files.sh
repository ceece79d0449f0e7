#!/usr/bin/env bash
# The real program with hostile optional files beside it, each placed as
# HAND-M.CUR and as x/o.cjs in a program folder of its own (the binary is
# hard-linked there, or copied, so that its own folder is that one), and with
# a settings file of random bytes and a settings place that cannot be
# written. Each time: the window maps within the time allowed, exactly the
# reports the start-up defines come up ("Application Error" boxes), the
# program does not hang or crash, and it ends cleanly on a close request.
#   hostile-files.sh METRIVO CLOSEREQUEST DATA_FOLDER
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$1" "$2"
data=$3
E2E_LIMIT=${HOSTILE_WINDOW_SECONDS:-2}
e2e_x_server

# Makes the entry NAME (relative) of KIND in FOLDER.
make_entry() {
    local folder=$1 name=$2 kind=$3 path="$1/$2"
    mkdir -p "$(dirname "$path")"
    case $kind in
        folder) mkdir "$path" ;;
        fifo) mkfifo "$path" ;;
        socket)
            # A bound socket whose owner has gone: the entry stays.
            perl -MIO::Socket::UNIX -e \
                'IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0]) or exit 1' "$path"
            [ -S "$path" ] || return 1 ;;
        zero) ln -s /dev/zero "$path" ;;
        loop) ln -s "$(basename "$path").2" "$path.1"; ln -s "$(basename "$path").1" "$path.2"
              ln -s "$(basename "$path").1" "$path" ;;
        empty) : >"$path" ;;
        truncated-cursor) head -c 100 "$data/HAND-M.CUR" >"$path" ;;
        truncated-skin) head -c 500 "$data/skins/slate/o.cjs" >"$path" ;;
        huge) truncate -s 200M "$path" ;;
        random) head -c 4096 /dev/urandom >"$path" ;;
        skin) cp "$data/skins/slate/o.cjs" "$path" ;;
        cursor) cp "$data/HAND-M.CUR" "$path" ;;
    esac
}

n=0
results=()
# KIND  REPORTS-AS-CURSOR  REPORTS-AS-SKIN. A link loop has no modification
# time, so the cursor is not even tried; everything else that exists and is
# not a cursor is "Invalid picture". An unusable skin is simply not applied.
while read -r kind as_cursor as_skin; do
    for place in cursor skin; do
        n=$((n + 1))
        program=$(e2e_program_copy "$n")
        folder=$(dirname "$program")
        if [ "$place" = cursor ]; then
            name=HAND-M.CUR; expected=$as_cursor
            [ "$kind" = truncated ] && k=truncated-cursor || k=$kind
            [ "$kind" = other ] && k=skin
        else
            name=x/o.cjs; expected=$as_skin
            [ "$kind" = truncated ] && k=truncated-skin || k=$kind
            [ "$kind" = other ] && k=cursor
        fi
        make_entry "$folder" "$name" "$k" || { echo "SKIP: cannot make a $kind here"; continue; }
        e2e_run_program "$program" "$expected" "$kind as $name"
        results+=("$kind as $name: window after ${elapsed} ms, $reports report(s)")
        echo "${results[-1]}"
        rm -rf "$folder"
    done
done <<'CASES'
folder 1 0
fifo 1 0
socket 1 0
zero 1 0
loop 0 0
empty 1 0
truncated 1 0
huge 1 0
random 1 0
other 1 0
CASES

# Skins that reach outside themselves, and a cursor larger than it says. Each
# start: the window within the time allowed, no report; then what the case
# looks at.
here=$(cd "$(dirname "$0")" && pwd)
png() { perl "$here/make-png.pl" "$@"; }
peak_kb() { sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$METRIVO_PID/status"; }
# SKIN-NAME SHEET: a program folder with x/o.cjs holding SHEET; sets program
# and folder.
skin_folder() {
    n=$((n + 1))
    program=$(e2e_program_copy "$n")
    folder=$(dirname "$program")
    mkdir -p "$folder/x"
    printf '%s\n' "$2" >"$folder/x/o.cjs"
    export XDG_CONFIG_HOME="$E2E_WORK/config$n"
}
note() {
    results+=("$1: window after ${elapsed} ms${2:+, $2}")
    echo "${results[-1]}"
}

mkfifo "$E2E_WORK/fifo"
skin_folder fifo "QWidget { background-image: url($E2E_WORK/fifo); color: #123456; }"
e2e_run_program "$program" 0 "skin image that is a FIFO elsewhere"
note "skin image that is a FIFO elsewhere"

mkdir -p "$E2E_WORK/cwd"
mkfifo "$E2E_WORK/cwd/bg.png"
skin_folder relative "QWidget { background-image: url(bg.png); }"
e2e_run_program "$program" 0 "skin image name that is a FIFO in the current folder" "$E2E_WORK/cwd"
note "skin image name that is a FIFO in the current folder"

# modest_peak WHAT: the program started from the skin's folder (so that an
# image is found even where names are taken from the current folder) stays
# below 400 MB up to its first frame, and closes.
modest_peak() {
    e2e_start_counting "$program" "$1" "$folder/x"
    e2e_await_first_frame
    peak=$(peak_kb)
    [ "$peak" -lt 400000 ] || fail "$1: ${peak} kB"
    e2e_close "$window" 5 "$1"
    note "$1" "peak ${peak} kB"
}

skin_folder big "QWidget { background-image: url(big.png); }"
png 2000 2000 >"$folder/x/big.png"
modest_peak "skin image of 2000 by 2000 pixels"

# A GIF of 35 bytes whose logical screen is 2800 by 2800 pixels and whose one
# frame is one pixel: Qt's reader reports the frame, its decoder allocates the
# screen, for every widget (31 MB, over Qt's pixmap cache).
skin_folder gif "* { background-image: url(big0.gif); }"
png --gif 2800 2800 >"$folder/x/big0.gif"
modest_peak "skin GIF whose screen is larger than its frame"

skin_folder sizes "QWidget#Form1 { min-width: 100000px; min-height: 100000px; }
QComboBox { min-width: 16000000px; }"
e2e_start_counting "$program" "skin sizes beyond the window"
size=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: *//p')
[ "$size" = 536x331 ] || fail "skin sizes beyond the window: the window is $size"
e2e_close "$window" 5 "skin sizes beyond the window"
note "skin sizes beyond the window" "$size"

# Lengths in em: Qt takes an em as the font's height, so at the largest font
# a skin may set one em is past the cap. The unit list's popup keeps a size
# within it.
skin_folder em "QComboBox QAbstractItemView { font-size: 1024px; min-width: 1em; min-height: 1em; }"
e2e_start_counting "$program" "skin lengths in em"
e2e_await_first_frame
xdotool mousemove --window "$window" $(e2e_centre cboFromCurrency) click 1
popup=""
popup_shown() {
    popup=$(xdotool search --onlyvisible --pid "$METRIVO_PID" --name '^Metrivo$' 2>/dev/null |
        grep -vx "$window" | head -1 || true)
    [ -n "$popup" ]
}
e2e_until 5 "skin lengths in em: the list's popup" popup_shown
size=$(xdotool getwindowgeometry "$popup" | sed -n 's/.*Geometry: *//p')
[ "${size%x*}" -le 1024 ] && [ "${size#*x}" -le 1024 ] || fail "skin lengths in em: the popup is $size"
xdotool key Escape
e2e_close "$window" 5 "skin lengths in em"
note "skin lengths in em" "popup $size"

# Negative lengths and a font of no size: Qt would say so for every control.
skin_folder negative "QWidget { min-width: -1px; max-height: -1px; padding: -1px; }
QLabel, QGroupBox { font-size: 0px; }"
e2e_run_program "$program" 0 "skin negative lengths"
said=$(grep -c 'Negative sizes\|size <= 0' "$E2E_WORK/stderr.txt" || true)
[ "$said" = 0 ] || fail "skin negative lengths: $said lines from Qt"
note "skin negative lengths" "no line from Qt"

# Properties that set behaviour: a list's selection and the amount box's
# length. The lists keep their first units, "12345" converts whole.
skin_folder behaviour "QComboBox { qproperty-currentIndex: 7; }
QLineEdit#Text1 { qproperty-maxLength: 2; }"
e2e_start_counting "$program" "skin properties that set behaviour"
e2e_await_first_frame
e2e_focus "$window"
xdotool key --delay 60 Tab Tab       # the target list, then the amount box
xdotool type --delay 60 "12345"
xdotool key --delay 60 Return        # Start Converting: centimeter to centimeter
# Copy Results To Clipboard, until the copy has come.
copied=""
result_copied() { copied=$(e2e_result "$window"); [ -n "$copied" ]; }
e2e_until 5 "skin properties that set behaviour: the result" result_copied
e2e_close "$window" 5 "skin properties that set behaviour"
[ "$copied" = 12345 ] || fail "skin properties that set behaviour: the result is '$copied'"
for key in cboFromCurrency cboToCurrency; do
    grep -qx "$key=0" "$XDG_CONFIG_HOME/Orvandel.ini" ||
        fail "skin properties that set behaviour: $key is $(grep "^$key=" "$XDG_CONFIG_HOME/Orvandel.ini")"
done
note "skin properties that set behaviour" "12345 converts whole, lists unchanged"

skin_folder hover ""
for i in $(seq 1 29000); do echo "QWidget:hover { color: #$((i % 4096 + 4096)); }"; done >"$folder/x/o.cjs"
e2e_run_program "$program" 0 "skin of 1 MB of hover rules"
note "skin of 1 MB of hover rules" "$(($(wc -c <"$folder/x/o.cjs") / 1024)) KiB not used"

# A cursor whose one entry says 32 pixels and holds a PNG of 2048: "Invalid
# picture", and the pointer over the buttons stays the program's own.
n=$((n + 1))
program=$(e2e_program_copy "$n")
folder=$(dirname "$program")
png --cursor 32 2048 2048 >"$folder/HAND-M.CUR"
e2e_start_counting "$program" "cursor holding a 2048-pixel image"
[ "$reports" = 1 ] || fail "cursor holding a 2048-pixel image: $reports reports"
# Over the copy button, its left end, the results frame above the box, and
# the button again.
read -r button_x button_y <<<"$(e2e_centre PushButton1)"
read -r _ results_top _ _ <<<"$(e2e_rect Text2)"
for spot in "$button_x $button_y" "$(($(e2e_rect PushButton1 | cut -d' ' -f1) + 76)) $button_y" \
    "$button_x $((results_top - 4))" "$button_x $button_y"; do
    # shellcheck disable=SC2086
    xdotool mousemove --sync --window "$window" $spot
done
# A conversion copied after the moves: the window has handled them all.
e2e_focus "$window"
xdotool key Return
result_copied() { [ "$(e2e_result "$window")" = 1 ]; }
e2e_until 5 "cursor holding a 2048-pixel image: the window after the moves" result_copied
kill -0 "$METRIVO_PID" 2>/dev/null || fail "cursor holding a 2048-pixel image: the program ended"
e2e_close "$window" 5 "cursor holding a 2048-pixel image"
note "cursor holding a 2048-pixel image" "one report, pointer over the buttons"

export XDG_CONFIG_HOME="$E2E_WORK/config"
# Settings of random bytes: the window opens with whatever reports they give,
# and the file is kept aside before the program writes to it.
program=$(e2e_program_copy settings)
mkdir -p "$XDG_CONFIG_HOME"
head -c 8192 /dev/urandom >"$XDG_CONFIG_HOME/Orvandel.ini"
cp "$XDG_CONFIG_HOME/Orvandel.ini" "$E2E_WORK/random.ini"
e2e_run_program "$program" any "random settings"
cmp -s "$E2E_WORK/random.ini" "$XDG_CONFIG_HOME/Orvandel.ini.damaged" ||
    fail "random settings: not kept as Orvandel.ini.damaged"
# Every byte stays, and our section follows with the line ending the file
# began with, which may be a lone carriage return.
cmp -s -n "$(wc -c <"$E2E_WORK/random.ini")" "$E2E_WORK/random.ini" "$XDG_CONFIG_HOME/Orvandel.ini" ||
    fail "random settings: its bytes changed"
tr '\r' '\n' <"$XDG_CONFIG_HOME/Orvandel.ini" | grep -qx '\[Metrivo\]' ||
    fail "random settings: not written again"
results+=("random settings: window after ${elapsed} ms, $reports report(s), kept aside")
echo "${results[-1]}"

# Settings that cannot be written: no report, one warning on standard error.
echo x >"$E2E_WORK/plain"
export XDG_CONFIG_HOME="$E2E_WORK/plain/config"
e2e_run_program "$program" 0 "unwritable settings"
warnings=$(grep -c 'cannot save settings' "$E2E_WORK/stderr.txt" || true)
[ "$warnings" = 1 ] || fail "unwritable settings: $warnings warnings"
results+=("unwritable settings: window after ${elapsed} ms, one warning")
echo "${results[-1]}"

# The copies of a skin's images, in a temporary folder of the test's own:
# nothing is left after a display that goes away; after a kill -9, the next
# start removes what the killed run left, but never the copies of a run that
# still lives.
export TMPDIR="$E2E_WORK/tmp" XDG_CONFIG_HOME="$E2E_WORK/config-copies"
mkdir -p "$TMPDIR"
skin_folder copies "QWidget { background-image: url(small.png); }"
png 4 4 >"$folder/x/small.png"
copies() { ls -A "$TMPDIR"; }
copies_count() { [ "$(copies | wc -l)" = "$1" ]; }
e2e_x_server
e2e_start_counting "$program" "skin copies, display lost"
e2e_await_first_frame
copies_count 1 || fail "skin copies: no copy made ($(copies))"
kill "$E2E_XVFB_PID"
e2e_wait_end 1 "skin copies, display lost"
copies_count 0 || fail "skin copies: left after the display went away: $(copies)"
note "skin copies after a lost display" "none left"

e2e_x_server
e2e_start_counting "$program" "skin copies, killed"
e2e_await_first_frame
left=$(copies)
kill -KILL "$METRIVO_PID"
wait "$METRIVO_PID" 2>/dev/null || true
METRIVO_PID=""
[ -d "$TMPDIR/$left" ] || fail "skin copies: the killed run left none to remove"
rm -f "$XDG_CONFIG_HOME/Orvandel.ini"
e2e_start_counting "$program" "skin copies, the next start"
e2e_await_first_frame
e2e_until 5 "skin copies: what the killed run left" test ! -e "$TMPDIR/$left"
live=$(copies)
first=$METRIVO_PID
first_window=$window
rm -f "$XDG_CONFIG_HOME/Orvandel.ini"
e2e_start_counting "$program" "skin copies, a second run"
e2e_await_first_frame
[ -d "$TMPDIR/$live" ] || fail "skin copies: a live run's copies were removed"
copies_count 2 || fail "skin copies: $(copies)"
e2e_close "$window" 5 "skin copies, a second run"
METRIVO_PID=$first
e2e_close "$first_window" 5 "skin copies, the next start"
copies_count 0 || fail "skin copies: left after a close: $(copies)"
unset TMPDIR
note "skin copies after a kill -9" "removed at the next start, a live run's kept"

echo "PASS: ${#results[@]} hostile starts, each window up within $((E2E_LIMIT * E2E_PATIENCE))s with the reports defined"
