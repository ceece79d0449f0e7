#!/usr/bin/env bash
# What a blind user hears: Debian's screen reader Orca, run as a user runs it,
# speaking through speech-dispatcher, whose output module appends each
# utterance to a transcript, in a private D-Bus session with the
# accessibility bus. The typical request is made by keyboard and each step
# must be heard with its words: the window opening on the source unit, the
# arrows, Home/End, PageUp/PageDown and type-ahead in a closed list (the
# hidden drop-down never taking the reader's focus), Tab, the amount, Return
# and "Start Converting" (the result said once, the focus staying where it
# is), the copy, a report box, "Below Absolute Zero". On x11 the window and
# Orca share one X server; on wayland the window is on a headless sway and
# Orca keeps an X display of its own, which it needs. Prints what Orca said at
# each step.
#   orca.sh x11|wayland METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_session_bus "$0" "$@"
mode=$1
shift
e2e_init "$@"
case $mode in
    x11 | wayland) ;;
    *) fail "mode '$mode' is neither x11 nor wayland" ;;
esac
for tool in orca speech-dispatcher; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

TRANSCRIPT=$E2E_WORK/transcript.txt
ORCA_LOG=$E2E_WORK/orca-debug.txt
WALK=$E2E_WORK/walk.txt
: >"$TRANSCRIPT"
: >"$WALK"

# --- speech-dispatcher with one output module, the transcript.
speech=$E2E_WORK/speech
mkdir -p "$speech/modules" "$speech/log"
cat >"$speech/speechd.conf" <<CONF
CommunicationMethod "unix_socket"
AudioOutputMethod "libao"
AddModule "transcript" "sd_generic" "transcript.conf"
DefaultModule transcript
LanguageDefaultModule "en" "transcript"
CONF
# The module runs the command with \$DATA replaced by the utterance, quotes
# escaped.
cat >"$speech/modules/transcript.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$TRANSCRIPT"
AddVoice "en" "MALE1" "default"
GenericLanguage "en" "en" "utf-8"
CONF
speech-dispatcher -s -t 0 -C "$speech" -S "$speech/socket" -L "$speech/log" \
    -m /usr/lib/speech-dispatcher-modules >/dev/null 2>&1 &
E2E_PIDS+=("$!")
for _ in $(seq 1 200); do
    [ -S "$speech/socket" ] && break
    sleep 0.05
done
[ -S "$speech/socket" ] || fail "speech-dispatcher did not start: $(tail -3 "$speech"/log/*.log 2>/dev/null)"
export SPEECHD_ADDRESS=unix_socket:$speech/socket

# --- Orca, on an X display of its own, with the accessibility bus. On x11
# the window is there too, with a window manager that gives the focus back to
# it after a report box.
if [ "$mode" = x11 ]; then e2e_x_server openbox; else e2e_x_server; fi
e2e_atspi_bus
export HOME=$E2E_WORK/home XDG_DATA_HOME=$E2E_WORK/data
mkdir -p "$HOME" "$XDG_DATA_HOME"
# Orca will not start while another Orca of the same user runs, so these
# tests take turns (two build folders' suites may run at once): under a lock,
# the other Orca is waited for, and ours is started and heard before the lock
# is let go.
exec 9>"${TMPDIR:-/tmp}/metrivo-orca-$(id -u).lock"
flock -w 300 9 || fail "another test held the Orca lock for 5 minutes"
for _ in $(seq 1 3000); do
    others=$(pgrep -u "$(id -u)" -x orca | paste -sd' ' || true)
    [ -n "$others" ] || break
    sleep 0.1
done
[ -z "$others" ] || fail "another Orca of this user runs (process $others): Orca refuses to start beside it"
orca --debug-file="$ORCA_LOG" >"$E2E_WORK/orca.txt" 2>&1 9>&- &
ORCA_PID=$!
E2E_PIDS+=("$ORCA_PID")

# The transcript's lines from line $1 on, as one line.
said_from() {
    tail -n +"$1" "$TRANSCRIPT" | tr '\n' ' ' | tr -s ' '
}

# heard STEP PHRASE...: waits (10 s of patience at most) until Orca has said, since the
# step began (at line $step_line), each phrase in this order.
step_line=1
heard() {
    local step=$1 deadline said rest phrase missing
    shift
    deadline=$(e2e_deadline 10)
    while :; do
        said=$(said_from "$step_line")
        rest=$said
        missing=""
        for phrase in "$@"; do
            if [[ $rest == *"$phrase"* ]]; then
                rest=${rest#*"$phrase"}
            else
                missing=$phrase
                break
            fi
        done
        [ -z "$missing" ] && break
        kill -0 "$ORCA_PID" 2>/dev/null || orca_fail "$step: Orca ended ($(cat "$E2E_WORK/orca.txt"))"
        [ "$(date +%s%N)" -lt "$deadline" ] || orca_fail "$step: Orca said '$said', without '$missing'"
        sleep 0.05
    done
    printf '%-34s %s\n' "$step:" "$said" >>"$WALK"
}

# step WHAT: what is said from now on belongs to this step.
step() {
    step_line=$(($(wc -l <"$TRANSCRIPT") + 1))
    step_name=$1
}

# not_heard STEP WORDS: what Orca said in the step so far does not hold them.
not_heard() {
    [[ $(said_from "$step_line") != *"$2"* ]] || orca_fail "$1: Orca said '$2': $(said_from "$step_line")"
}

# said_once STEP UTTERANCE: of all that Orca gave to speech since line
# $debug_line of its debug log (which speech-dispatcher's cancels do not
# shorten), UTTERANCE once.
said_once() {
    local count
    count=$(tail -n +"$debug_line" "$ORCA_LOG" | grep -cF "SPEECH OUTPUT: '$2'" || true)
    [ "$count" = 1 ] || orca_fail "$1: Orca gave '$2' to speech $count times"
}

orca_fail() {
    echo "--- what Orca said, step by step:" >&2
    cat "$WALK" >&2
    echo "--- the whole transcript:" >&2
    cat "$TRANSCRIPT" >&2
    echo "--- the end of Orca's debug log (events, focus, speech):" >&2
    grep -E "EVENT MANAGER: [a-z]+:|Changing locusOfFocus|SPEECH OUTPUT" "$ORCA_LOG" | tail -40 >&2 || true
    fail "$@"
}

heard "Orca starts" "Screen reader on"
exec 9>&-

# --- The window, and keys as the user presses them.
if [ "$mode" = wayland ]; then
    e2e_wayland
    press() {
        local key
        for key in "$@"; do
            case $key in
                shift+*) wtype -M shift -k "${key#shift+}" -m shift ;;
                *) wtype -k "$key" ;;
            esac
        done
    }
    type_text() { wtype -d 20 -- "$1"; }
    clipboard() { timeout 5 wl-paste --no-newline 2>/dev/null || true; }
else
    press() { xdotool key --delay 80 "$@"; }
    type_text() { xdotool type --delay 80 -- "$1"; }
    clipboard() { e2e_clipboard; }
fi

# Qt's AT-SPI bridge holds a copy of each key event until the screen reader
# has answered whether it takes the key, and never frees one whose widget
# went meanwhile: the release of the Return that closes a report box. A
# leak check would only see that; the same code is leak-checked without a
# reader answering keys (atspi.sh).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
e2e_settings UnitType=4 LastFrom4=16 LastTo4=9
step "window opens"
e2e_start
if [ "$mode" = x11 ]; then e2e_focus "$(e2e_wait_window '^Metrivo$')"; fi
heard "$step_name" "Metrivo" "frame" "From" "combo box" "pound"

# Each selection change in the closed source list says the new unit.
for row in "Down|short ton (US)" "Up|pound" "Home|centigram" "End|ton (long, UK)" \
    "Prior|short ton (US)" "Next|ton (long, UK)"; do
    step "${row%%|*} in From"
    press "${row%%|*}"
    heard "$step_name" "${row#*|}"
done

# Type-ahead: "m" finds megagram, "mi" microgram; the drop-down stays hidden
# and out of the reader's way.
step "type-ahead 'mi' in From"
type_text mi
heard "$step_name" "microgram"
not_heard "$step_name" "List"
if [ "$mode" = x11 ]; then
    # Orca's "where am I" (keypad Enter). Under Wayland Orca reads the keys
    # through its own X display, whose key codes are not the compositor's.
    step "where am I"
    press KP_Enter
    heard "$step_name" "From" "combo box" "microgram"
    not_heard "$step_name" "list item"
fi
for unit in milligram ounce pound; do
    step "Down in From"
    press Down
    heard "$step_name" "$unit"
done

step "Tab to To"
press Tab
heard "$step_name" "To" "combo box" "kilogram"
step "Down in To"
press Down
heard "$step_name" "lb, lbs"
step "Up in To"
press Up
heard "$step_name" "kilogram"

step "Tab to the amount"
press Tab
heard "$step_name" "Amount to convert" "text"

# The result is said once, and the focus stays in the amount box.
step "2.5 and Return"
debug_line=$(($(wc -l <"$ORCA_LOG") + 1))
type_text 2.5
press Return
heard "$step_name" "Results" "1.133981"
step "Tab to Start Converting"
press Tab
heard "$step_name" "Start Converting" "push button"
said_once "2.5 and Return" "notification Results."
not_heard "$step_name" "Amount"

step "Space on Start Converting"
debug_line=$(($(wc -l <"$ORCA_LOG") + 1))
press space
heard "$step_name" "Results" "1.133981"
step "Tab to Results"
press Tab
heard "$step_name" "Results" "read only" "1.133981"
said_once "Space on Start Converting" "notification Results."

step "Tab to the copy button"
press Tab
heard "$step_name" "Copy Results To Clipboard" "push button"
step "Space copies"
printf '' | xclip -selection clipboard -i >/dev/null 2>&1 || true
press space
for _ in $(seq 1 50); do
    [ "$(clipboard)" = 1.133981 ] && break
    sleep 0.1
done
[ "$(clipboard)" = 1.133981 ] || orca_fail "the copy button put '$(clipboard)' on the clipboard"
printf '%-34s %s\n' "$step_name:" "(the clipboard holds 1.133981)" >>"$WALK"

# A report box: an overflow, and the focus back in the amount box after it.
for control in "Results" "Start Converting" "Amount to convert"; do
    step "Shift+Tab to $control"
    press shift+Tab
    heard "$step_name" "$control"
done
step "1E39 and Return"
type_text 1E39
press Return
heard "$step_name" "Application Error" "Overflow" "PushButton2_Click at line 124"
step "Return closes the report"
press Return
heard "$step_name" "Amount to convert"
not_heard "$step_name" "Results"

# A temperature below absolute zero is said like any result.
step "Tab to the category"
press Tab Tab Tab Tab
heard "$step_name" "Weight" "radio button"
step "Up to Temperature"
press Up
heard "$step_name" "Temperature"
for control in "Copy Results To Clipboard" "Results" "Start Converting" "Amount to convert"; do
    step "Shift+Tab to $control"
    press shift+Tab
    heard "$step_name" "$control"
done
step "-500 and Return"
type_text -500
press Return
heard "$step_name" "Results" "Below Absolute Zero"

echo "What Orca said ($mode):"
cat "$WALK"
kill -TERM "$METRIVO_PID"
e2e_wait_end 0 "SIGTERM after the walk"
echo "PASS ($mode): Orca spoke every step of the request"
