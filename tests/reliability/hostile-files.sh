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
metrivo=$1
closerequest=$2
data=$3
limit=${HOSTILE_WINDOW_SECONDS:-2}

if [ -z "${DISPLAY:-}" ]; then
    echo "SKIP: no X display (run under scripts/with-display.sh)"
    exit 0
fi

# Beside the build's own binaries, so that a hard link works.
work=$(mktemp -d -p "$(dirname "$metrivo")" hostile.XXXXXX)
pid=""
holder=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    [ -n "$holder" ] && kill "$holder" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
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

# Starts the program in FOLDER and follows it until its window is up.
# Sets: reports (boxes closed on the way), elapsed (ms until the window).
run_program() {
    local folder=$1 expected=$2 what=$3
    : >"$work/err.txt"
    "$folder/metrivo" >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    local start now window="" box deadline
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
    sleep 0.2
    [ -z "$(visible '^Application Error$')" ] || fail "$what: a report over the open window"
    if [ "$expected" != any ] && [ "$reports" != "$expected" ]; then
        fail "$what: $reports reports, expected $expected"
    fi
    "$closerequest" "$window"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "$what: the program did not end after the close request"
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" = 0 ] || { cat "$work/err.txt"; fail "$what: exit status $status"; }
}

new_folder() {
    local folder="$work/prog$1"
    mkdir -p "$folder"
    ln "$metrivo" "$folder/metrivo" 2>/dev/null || cp "$metrivo" "$folder/metrivo"
    echo "$folder"
}

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

export XDG_CONFIG_HOME="$work/config"
n=0
results=()
# KIND  REPORTS-AS-CURSOR  REPORTS-AS-SKIN. A link loop has no modification
# time, so the cursor is not even tried; everything else that exists and is
# not a cursor is "Invalid picture". An unusable skin is simply not applied.
while read -r kind as_cursor as_skin; do
    for place in cursor skin; do
        n=$((n + 1))
        folder=$(new_folder "$n")
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
        run_program "$folder" "$expected" "$kind as $name"
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

# Settings of random bytes: the window opens with whatever reports they give,
# and the file is kept aside before the program writes to it.
folder=$(new_folder settings)
mkdir -p "$XDG_CONFIG_HOME"
head -c 8192 /dev/urandom >"$XDG_CONFIG_HOME/Orvandel.ini"
cp "$XDG_CONFIG_HOME/Orvandel.ini" "$work/random.ini"
run_program "$folder" any "random settings"
cmp -s "$work/random.ini" "$XDG_CONFIG_HOME/Orvandel.ini.damaged" ||
    fail "random settings: not kept as Orvandel.ini.damaged"
grep -qx '\[Metrivo\]' "$XDG_CONFIG_HOME/Orvandel.ini" || fail "random settings: not written again"
results+=("random settings: window after ${elapsed} ms, $reports report(s), kept aside")
echo "${results[-1]}"

# Settings that cannot be written: no report, one warning on standard error.
echo x >"$work/plain"
export XDG_CONFIG_HOME="$work/plain/config"
run_program "$folder" 0 "unwritable settings"
warnings=$(grep -c 'cannot save settings' "$work/err.txt" || true)
[ "$warnings" = 1 ] || { cat "$work/err.txt"; fail "unwritable settings: $warnings warnings"; }
results+=("unwritable settings: window after ${elapsed} ms, one warning")
echo "${results[-1]}"

echo "PASS: ${#results[@]} hostile starts, each window up within ${limit}s with the reports defined"
