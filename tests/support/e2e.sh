# Shared steps of the tests that drive the real program from outside as a
# user does (tests/e2e, tests/reliability): a private X server or Wayland
# compositor, real key presses and clicks (xdotool), what the window manager
# sees (xprop, xwininfo), screenshots (ImageMagick), the real clipboard
# (xclip), the report boxes, copies of the program with files beside them,
# and the settings file on disk.
#
# Source it from a test script with `set -euo pipefail`:
#   . "$(dirname "$0")/../support/e2e.sh"
#   e2e_init "$@"          # METRIVO [CLOSEREQUEST] as the first arguments
# Every helper fails the test with a message through `fail`.

E2E_SUPPORT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Every wait below is for a condition and ends as soon as it holds; the
# seconds a step names are how long a quiet machine may take at most. On a
# machine busy with other tests and builds each waits E2E_PATIENCE times as
# long (4 by default) before the test fails.
E2E_PATIENCE=${E2E_PATIENCE:-4}

# e2e_deadline SECONDS: the clock (in nanoseconds) SECONDS of patience from now.
e2e_deadline() {
    echo $(($(date +%s%N) + $1 * E2E_PATIENCE * 1000000000))
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${E2E_WORK:-}" ] && [ -s "$E2E_WORK/stderr.txt" ]; then
        echo "--- the program's standard error:" >&2
        tail -20 "$E2E_WORK/stderr.txt" >&2
    fi
    exit 1
}

# e2e_session_bus SCRIPT ARGS...: runs the test script again in a private
# D-Bus session of its own (dbus-run-session), unless it already runs in one.
# Call it before e2e_init, with "$0" "$@".
e2e_session_bus() {
    [ -n "${E2E_SESSION_BUS:-}" ] && return 0
    command -v dbus-run-session >/dev/null || fail "dbus-run-session is not installed"
    export E2E_SESSION_BUS=1
    exec dbus-run-session -- "$@"
}

# e2e_atspi_bus: the accessibility bus in the test's session, as a desktop
# starts it for assistive technologies. Start it once the test's own display
# is up (or, on Wayland, none is set): the launcher writes the bus's address
# on the X display it finds, where a test beside this one would read it.
e2e_atspi_bus() {
    [ -x /usr/libexec/at-spi-bus-launcher ] || fail "the AT-SPI bus launcher is not installed"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    E2E_PIDS+=("$!")
}

# e2e_init METRIVO [CLOSEREQUEST]: a scratch folder with an empty settings
# folder, removed with everything started here when the test ends.
e2e_init() {
    METRIVO=$1
    CLOSEREQUEST=${2:-}
    # The window manager's ping, beside the close request.
    E2E_PING=""
    [ -n "$CLOSEREQUEST" ] && E2E_PING="$(dirname "$CLOSEREQUEST")/pingwindow"
    [ -x "$METRIVO" ] || fail "no program at $METRIVO"
    # The window's layout, beside the build's other tests.
    E2E_LAYOUT="$(cd "$(dirname "$METRIVO")/.." && pwd)/tests/layout.sh"
    # shellcheck source=/dev/null
    [ -f "$E2E_LAYOUT" ] && . "$E2E_LAYOUT"
    E2E_WORK=$(mktemp -d)
    # Copies of the program go beside it, where a hard link works.
    E2E_PROGRAMS="$(cd "$(dirname "$METRIVO")" && pwd)/e2e-programs.$$"
    # What a program run as another user needs, where every user can reach
    # it: the checkout may lie in a folder only its owner can enter (root's
    # home is 0700).
    E2E_SHARED=$(mktemp -d)
    chmod 0755 "$E2E_SHARED"
    E2E_PIDS=()
    E2E_MOUNTS=()
    E2E_LAUNCHER=()
    METRIVO_PID=""
    export XDG_CONFIG_HOME="$E2E_WORK/config"
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -p "$XDG_CONFIG_HOME"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    SETTINGS="$XDG_CONFIG_HOME/Orvandel.ini"
    # The desktop theme of whoever runs the tests must not reach the window.
    unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    export QT_QPA_PLATFORM=xcb
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    local pid mount
    [ -n "${METRIVO_PID:-}" ] && kill -KILL "$METRIVO_PID" 2>/dev/null || true
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    for mount in "${E2E_MOUNTS[@]}"; do umount "$mount" 2>/dev/null || true; done
    rm -rf "$E2E_WORK" "$E2E_PROGRAMS" "$E2E_SHARED"
}

# e2e_program_copy NAME: a program folder of its own for files placed beside
# the program, holding the program hard-linked (or copied); prints the
# program's path in it.
e2e_program_copy() {
    local folder="$E2E_PROGRAMS/$1"
    mkdir -p "$folder"
    ln "$METRIVO" "$folder/metrivo" 2>/dev/null || cp "$METRIVO" "$folder/metrivo"
    echo "$folder/metrivo"
}

# e2e_shared_program_copy NAME: a copy of the program in a folder of its own
# that every user can reach and read, for a program run as another user;
# prints the program's path.
e2e_shared_program_copy() {
    local folder="$E2E_SHARED/$1"
    mkdir -m 0755 "$folder"
    cp "$METRIVO" "$folder/metrivo"
    chmod 0755 "$folder/metrivo"
    echo "$folder/metrivo"
}

# e2e_x_server [openbox]: a private Xvfb of 1280x1024 for this test alone, so
# tests can run side by side; with "openbox", a window manager on it too.
e2e_x_server() {
    local ready pid
    # A new file each time: a second server must not be taken for the first,
    # whose number an old file still holds.
    ready=$(mktemp "$E2E_WORK/display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" >/dev/null 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    E2E_XVFB_PID=$pid
    for _ in $(seq 1 200); do
        [ -s "$ready" ] && break
        kill -0 "$pid" 2>/dev/null || fail "Xvfb did not start"
        sleep 0.05
    done
    [ -s "$ready" ] || fail "Xvfb reported no display"
    export DISPLAY=":$(head -1 "$ready" | tr -d '[:space:]')"
    if [ "${1:-}" = openbox ]; then
        command -v openbox >/dev/null || fail "openbox is not installed"
        openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 &
        E2E_PIDS+=("$!")
        for _ in $(seq 1 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            sleep 0.05
        done
        fail "openbox did not start"
    fi
}

# e2e_wayland [SCALE]: a private headless Wayland compositor (sway) for this
# test, its output 1280x1024 at SCALE (1 by default). wlroots refuses to run
# as root, so it runs as nobody in a runtime folder of its own; the program,
# as root, can still connect. A virtual keyboard is kept from the start, so
# the window has a keyboard when later key presses (wtype) arrive.
e2e_wayland() {
    local scale=${1:-1} run tool
    for tool in sway wtype wl-paste setpriv; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    chmod o+x "$E2E_WORK"
    run=$(mktemp -d -p "$E2E_WORK" wayland.XXXXXX)
    chown nobody "$run"
    printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x1024 scale %s\n' "$scale" >"$run/sway.conf"
    chmod 0644 "$run/sway.conf"
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -i XDG_RUNTIME_DIR="$run" HOME="$run" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway -c "$run/sway.conf" >"$E2E_WORK/sway.log" 2>&1 &
    E2E_PIDS+=("$!")
    for _ in $(seq 1 100); do
        [ -S "$run/wayland-1" ] && break
        sleep 0.05
    done
    [ -S "$run/wayland-1" ] || fail "sway did not start: $(tail -3 "$E2E_WORK/sway.log")"
    export WAYLAND_DISPLAY="$run/wayland-1" QT_QPA_PLATFORM=wayland
    # Qt's Wayland platform plugin leaves its protocol objects, its clipboard
    # data and its activation requests to the end of the process; a leak check
    # there would only see those. The same code is leak-checked on X11.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    unset DISPLAY
    E2E_SWAY_IPC=$(ls "$run"/sway-ipc.*.sock 2>/dev/null | head -1)
    wtype -s 600000 -k Shift_L >/dev/null 2>&1 &
    E2E_PIDS+=("$!")
    sleep 0.3
}

# e2e_swaymsg ARGS...: a command to the test's compositor.
e2e_swaymsg() {
    swaymsg -s "$E2E_SWAY_IPC" "$@"
}

# e2e_settings KEY=VALUE...: a settings file holding these keys.
e2e_settings() {
    {
        echo '[Metrivo]'
        printf '%s\n' "$@"
    } >"$SETTINGS"
}

# e2e_setting KEY: the value stored in the settings file, or nothing.
e2e_setting() {
    [ -f "$SETTINGS" ] || return 0
    sed -n "s/^$1=//p" "$SETTINGS" | tail -1
}

# e2e_expect_setting KEY VALUE [WHAT]
e2e_expect_setting() {
    local got
    got=$(e2e_setting "$1")
    [ "$got" = "$2" ] || { cat "$SETTINGS" >&2 2>/dev/null || true; fail "${3:-settings}: $1 is '$got', expected '$2'"; }
}

# e2e_await_setting KEY VALUE [SECONDS]: waits (5 s by default) until the
# settings file holds that value; a choice is stored a moment after it is
# made.
e2e_await_setting() {
    local deadline
    deadline=$(e2e_deadline "${3:-5}")
    until [ "$(e2e_setting "$1")" = "$2" ]; do
        [ "$(date +%s%N)" -lt "$deadline" ] || e2e_expect_setting "$1" "$2" "waiting"
        sleep 0.05
    done
}

# e2e_until SECONDS WHAT COMMAND...: waits until COMMAND succeeds, and fails
# the test with WHAT when it has not within SECONDS.
e2e_until() {
    local seconds=$1 what=$2 deadline
    deadline=$(e2e_deadline "$seconds")
    shift 2
    until "$@"; do
        [ "$(date +%s%N)" -lt "$deadline" ] || fail "$what: not within $((seconds * E2E_PATIENCE))s"
        sleep 0.02
    done
}

# e2e_await_first_frame [SECONDS]: waits (5 s by default) until the window
# has drawn its first frame, which is when the program stores the list
# selections its load restored (XDG_CONFIG_HOME must be writable).
e2e_await_first_frame() {
    e2e_until "${1:-5}" "the first frame" grep -qs '^cboFromCurrency=' "$XDG_CONFIG_HOME/Orvandel.ini"
}

# e2e_start [PROGRAM] [ARGS...]: starts the program (by default METRIVO),
# after the words in the array E2E_LAUNCHER, if any.
e2e_start() {
    local program=${1:-$METRIVO}
    [ $# -gt 0 ] && shift
    "${E2E_LAUNCHER[@]}" "$program" "$@" >"$E2E_WORK/stdout.txt" 2>"$E2E_WORK/stderr.txt" &
    METRIVO_PID=$!
}

# e2e_start_counting PROGRAM WHAT [CWD]: starts PROGRAM from CWD (the
# scratch folder by default) and follows it until its main window is up,
# closing the report boxes on the way with the close request and counting
# them. The window must come within E2E_LIMIT seconds (2 by default); time
# spent with a box open does not count. Sets window, reports and elapsed (ms
# until the window).
e2e_start_counting() {
    local program=$1 what=$2 cwd=${3:-$E2E_WORK} limit=${E2E_LIMIT:-2} here=$PWD start now box
    local deadline
    cd "$cwd"
    e2e_start "$program"
    cd "$here"
    window=""
    reports=0
    start=$(date +%s%N)
    deadline=$(e2e_deadline "$limit")
    while :; do
        window=$(e2e_find '^Metrivo$')
        [ -n "$window" ] && break
        box=$(e2e_find '^Application Error$')
        if [ -n "$box" ]; then
            reports=$((reports + 1))
            [ "$reports" -le 20 ] || fail "$what: more than 20 reports"
            "$CLOSEREQUEST" "$box"
            for _ in $(seq 1 50); do
                [ "$(e2e_find '^Application Error$')" = "$box" ] || break
                sleep 0.02
            done
            now=$(date +%s%N)
            deadline=$(e2e_deadline "$limit")
            continue
        fi
        kill -0 "$METRIVO_PID" 2>/dev/null || fail "$what: the program ended during start-up"
        now=$(date +%s%N)
        [ "$now" -lt "$deadline" ] || fail "$what: no window within $((limit * E2E_PATIENCE))s"
        sleep 0.02
    done
    elapsed=$((($(date +%s%N) - start) / 1000000))
}

# e2e_run_program PROGRAM EXPECTED WHAT [CWD]: e2e_start_counting with
# exactly EXPECTED reports ("any" for any number) and none over the open
# window, then a clean close.
e2e_run_program() {
    local program=$1 expected=$2 what=$3
    e2e_start_counting "$program" "$what" "${4:-$E2E_WORK}"
    e2e_settle "$window"
    [ -z "$(e2e_find '^Application Error$')" ] || fail "$what: a report over the open window"
    if [ "$expected" != any ] && [ "$reports" != "$expected" ]; then
        fail "$what: $reports reports, expected $expected"
    fi
    e2e_close "$window" 5 "$what"
}

# e2e_find TITLE_REGEX: the visible window of the program with that title.
e2e_find() {
    xdotool search --all --onlyvisible --pid "$METRIVO_PID" --name "$1" 2>/dev/null | head -1 || true
}

# e2e_wait_window TITLE_REGEX [SECONDS]: waits for that window and prints its id.
e2e_wait_window() {
    local window="" tries=$(( ${2:-10} * 20 ))
    for _ in $(seq 1 "$tries"); do
        window=$(e2e_find "$1")
        [ -n "$window" ] && { echo "$window"; return 0; }
        kill -0 "$METRIVO_PID" 2>/dev/null || fail "the program ended while waiting for '$1'"
        sleep 0.05
    done
    fail "no window '$1' within ${2:-10}s"
}

# e2e_wait_main: waits for the main window, focuses it, prints its id.
e2e_wait_main() {
    local window
    window=$(e2e_wait_window '^Metrivo$')
    e2e_focus "$window"
    echo "$window"
}

e2e_focus() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
    e2e_settle "$1"
}

# e2e_settle [WINDOW]: waits until the program has handled the input sent to
# it so far, by the window manager's ping (the focused window by default);
# fails when it does not answer within 5 s.
e2e_settle() {
    local window=${1:-}
    if [ -z "$E2E_PING" ] || [ -z "${DISPLAY:-}" ]; then
        sleep 0.2  # no X display to ask: a user's pause
        return 0
    fi
    [ -n "$window" ] || window=$(xdotool getwindowfocus 2>/dev/null || true)
    [ -n "$window" ] || return 0
    "$E2E_PING" "$window" 5000 >/dev/null 2>&1 || {
        # A window that went away with its input has no answer to give.
        timeout 2 xwininfo -id "$window" >/dev/null 2>&1 || return 0
        fail "the window did not take its input within 5 s"
    }
}

# e2e_box_text: waits for an error report box, copies its text with Ctrl+C as
# a user can, closes it with Return, and prints the report's first two lines
# joined by " / " ("Overflow / in ....PushButton2_Click at line 124"). An
# empty text means the box could not be copied from.
e2e_box_text() {
    local box text=""
    box=$(e2e_wait_window '^Application Error$')
    e2e_focus "$box"
    printf '' | xclip -selection clipboard -i >/dev/null 2>&1 || true
    for _ in 1 2 3 4 5; do
        xdotool key --clearmodifiers ctrl+c
        e2e_settle "$box"
        text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
        [ -n "$text" ] && break
    done
    xdotool key Return
    for _ in $(seq 1 100); do
        timeout 2 xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break
        sleep 0.05
    done
    printf '%s\n' "$text" | sed -n '1,2p' | paste -sd'|' | sed 's/|/ \/ /'
}

# e2e_expect_box EXPECTED: the next report box shows that text (as printed by
# e2e_box_text).
e2e_expect_box() {
    local got
    got=$(e2e_box_text)
    [ "$got" = "$1" ] || fail "report box reads '$got', expected '$1'"
}

# e2e_expect_report DESCRIPTION PROCEDURE LABEL: the next report box names
# that failure, the procedure and the step's line label.
e2e_expect_report() {
    e2e_expect_box "$1 / in MetrivoProj2021/08/31.Form1.$2 at line $3"
}

# e2e_no_box: the input handled so far has brought up no report box.
e2e_no_box() {
    e2e_settle
    [ -z "$(e2e_find '^Application Error$')" ] || fail "an unexpected report box: $(e2e_box_text)"
}

# e2e_rect NAME: a control's place in the window, "LEFT TOP WIDTH HEIGHT"
# in pixels, from the window's layout table ("Frame1", "optUnits_4",
# "PushButton2"...; "window" for the window).
e2e_rect() {
    local var="layout_$1"
    [ -n "${!var:-}" ] || fail "no control $1 in the layout ($E2E_LAYOUT)"
    echo "${!var}"
}

# e2e_centre NAME: "X Y", the middle of a control in the window.
e2e_centre() {
    local left top width height
    read -r left top width height <<<"$(e2e_rect "$1")"
    echo "$((left + width / 2)) $((top + height / 2))"
}

# e2e_click_on WINDOW NAME: a left click in the middle of a control.
e2e_click_on() {
    local x y
    read -r x y <<<"$(e2e_centre "$2")"
    e2e_click "$1" "$x" "$y"
}

# e2e_click WINDOW X Y: a left click at window coordinates.
e2e_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    e2e_settle "$1"
}

# e2e_keys KEY...: key presses to the focused window.
e2e_keys() {
    xdotool key --delay 50 "$@"
    e2e_settle
}

e2e_type() {
    xdotool type --delay 50 "$1"
    e2e_settle
}

# e2e_clipboard: the text on the clipboard.
e2e_clipboard() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}

# e2e_result WINDOW: the results box's text, by pressing "Copy Results To
# Clipboard" as a user does.
e2e_result() {
    printf '' | xclip -selection clipboard -i >/dev/null 2>&1 || true
    e2e_click_on "$1" PushButton1
    e2e_clipboard
}

# e2e_close WINDOW [SECONDS] [WHAT]: the window manager's close request; the
# program must end with status 0 within SECONDS (5 by default). Sets closed
# (ms from the request to the end).
e2e_close() {
    local start
    [ -n "$CLOSEREQUEST" ] || fail "no close request helper given"
    start=$(date +%s%N)
    "$CLOSEREQUEST" "$1"
    e2e_wait_end 0 "${3:-the close request}" "${2:-5}"
    closed=$((($(date +%s%N) - start) / 1000000))
}

# e2e_wait_end STATUS WHAT [SECONDS]: the program ends within SECONDS (5 by
# default), with that status.
e2e_wait_end() {
    local status=0 deadline
    deadline=$(e2e_deadline "${3:-5}")
    while kill -0 "$METRIVO_PID" 2>/dev/null; do
        if [ "$(date +%s%N)" -ge "$deadline" ]; then
            # Where it waits, when a debugger is at hand.
            if command -v gdb >/dev/null; then
                gdb -p "$METRIVO_PID" -batch -ex 'thread apply all bt 25' 2>&1 |
                    grep -E '^#|^Thread' | cut -c1-200 >&2 || true
            fi
            fail "$2: the program did not end within $((${3:-5} * E2E_PATIENCE))s"
        fi
        sleep 0.01
    done
    wait "$METRIVO_PID" || status=$?
    METRIVO_PID=""
    [ "$status" = "$1" ] || fail "$2: exit status $status, expected $1"
}

# e2e_shot FILE [WINDOW]: a screenshot of the window's client area as PNG.
e2e_shot() {
    import -window "${2:-root}" "$1" 2>/dev/null || fail "no screenshot (ImageMagick's import)"
}

# e2e_pixels ARGS...: the screenshot checks of pixels.py.
e2e_pixels() {
    /usr/bin/python3 "$E2E_SUPPORT/pixels.py" "$@"
}
