# Shell helpers for tests that drive the real program's window on an X server.
# Sourced by a test script that has set:
#   metrivo       the program built
#   closerequest  the helper that sends the window manager's close request
#   limit         seconds the window may take to come up (reports not counted)
# Gives: work (a scratch folder beside the program, removed at the end),
# fail, new_folder, start_program, close_program and run_program.

if [ -z "${DISPLAY:-}" ]; then
    echo "SKIP: no X display (run under scripts/with-display.sh)"
    exit 0
fi

# Beside the build's own binaries, so that a hard link works.
work=$(cd "$(mktemp -d -p "$(dirname "$metrivo")" hostile.XXXXXX)" && pwd)
pid=""
holder=""
mounts=()
harness_cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    [ -n "$holder" ] && kill "$holder" 2>/dev/null || true
    local m
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || true; done
    rm -rf "$work"
}
trap harness_cleanup EXIT
# Qt says so on standard error when there is none.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; exit 1; }

# An X server resets when its last client leaves, and refuses connections
# meanwhile; one client that waits for a window that never comes keeps it up
# between the runs.
xdotool search --sync --name '^no window has this name [0-9a-f]{32}$' >/dev/null 2>&1 &
holder=$!

# Only this run's windows: a shared display may show others.
visible() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1 || true; }

# A program folder of its own: the binary hard-linked (or copied) into it.
new_folder() {
    local folder="$work/prog$1"
    mkdir -p "$folder"
    ln "$metrivo" "$folder/metrivo" 2>/dev/null || cp "$metrivo" "$folder/metrivo"
    echo "$folder"
}

# start_program FOLDER WHAT [CWD]: starts FOLDER/metrivo (after the words in
# the array `launcher`, if any) and follows it until its window is up,
# closing and counting the "Application Error" boxes on the way.
# Sets: pid, window, reports, elapsed (ms until the window).
launcher=()
start_program() {
    local folder=$1 what=$2 cwd=${3:-$work}
    : >"$work/err.txt"
    (cd "$cwd" && exec "${launcher[@]}" "$folder/metrivo") >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    local start now box deadline
    window=""
    start=$(date +%s%N)
    deadline=$((start + limit * 1000000000))
    reports=0
    while :; do
        window=$(visible '^Metrivo$')
        [ -n "$window" ] && break
        box=$(visible '^Application Error$')
        if [ -n "$box" ]; then
            reports=$((reports + 1))
            [ "$reports" -le 20 ] || fail "$what: more than 20 reports"
            "$closerequest" "$box"
            # Waiting on the user does not count against the start-up.
            for _ in $(seq 1 50); do
                [ "$(visible '^Application Error$')" = "$box" ] || break
                sleep 0.02
            done
            now=$(date +%s%N)
            deadline=$((now + limit * 1000000000))
            continue
        fi
        kill -0 "$pid" 2>/dev/null || { cat "$work/err.txt"; fail "$what: the program ended during start-up"; }
        now=$(date +%s%N)
        [ "$now" -lt "$deadline" ] || fail "$what: no window within ${limit}s"
        sleep 0.02
    done
    elapsed=$((($(date +%s%N) - start) / 1000000))
}

# close_program WHAT [SECONDS]: the close request, then the program must end
# cleanly within SECONDS (default 5). Sets closed (ms until it ended).
close_program() {
    local what=$1 seconds=${2:-5} start
    start=$(date +%s%N)
    "$closerequest" "$window"
    while kill -0 "$pid" 2>/dev/null; do
        [ $(($(date +%s%N) - start)) -lt $((seconds * 1000000000)) ] ||
            fail "$what: the program did not end within ${seconds}s of the close request"
        sleep 0.01
    done
    closed=$((($(date +%s%N) - start) / 1000000))
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" = 0 ] || { cat "$work/err.txt"; fail "$what: exit status $status"; }
}

# run_program FOLDER EXPECTED WHAT [CWD]: start, exactly EXPECTED reports
# ("any" for any number) and none over the open window, then a clean close.
run_program() {
    local folder=$1 expected=$2 what=$3 cwd=${4:-$work}
    start_program "$folder" "$what" "$cwd"
    sleep 0.2
    [ -z "$(visible '^Application Error$')" ] || fail "$what: a report over the open window"
    if [ "$expected" != any ] && [ "$reports" != "$expected" ]; then
        fail "$what: $reports reports, expected $expected"
    fi
    close_program "$what"
}
