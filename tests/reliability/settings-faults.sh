#!/usr/bin/env bash
# Faults while the settings are written, driven through settingsdriver (the
# main window offscreen with the real settings store):
#   settings-faults.sh DRIVER kill [KILLS]   SIGKILL at random moments while the
#                                            lists change; after every kill the
#                                            file parses and holds every value
#                                            whose write had returned
#   settings-faults.sh DRIVER concurrent [N] two instances, N changes each
#   settings-faults.sh DRIVER unwritable     a folder or file that cannot be
#                                            written: all changes made, one warning
set -euo pipefail
driver=$1
mode=$2
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# Qt says so on standard error when there is none.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
ini="$XDG_CONFIG_HOME/Orvandel.ini"
fail() { echo "FAIL: $*"; exit 1; }

declare -A expected   # KEY -> value the file must hold
declare -A inflight   # KEY -> value of a write that had begun but not returned

# Reads a driver's output: what had returned and what was in flight.
follow() {
    local what key value
    while read -r what key value rest; do
        [ -n "$key" ] && [ -n "$value" ] && [ -z "${rest:-}" ] || continue
        case $what in
            begin) inflight[$key]=$value ;;
            done) expected[$key]=$value; unset "inflight[$key]" ;;
        esac
    done <"$1"
}

# The file parses, nothing was set aside, and every key holds its value.
check_file() {
    "$driver" dump >"$work/dump.txt" 2>"$work/dump.err" || fail "dump failed: $(cat "$work/dump.err")"
    grep -qx 'status 0' "$work/dump.txt" || { cat "$ini"; fail "$1: the settings file does not parse"; }
    grep -qx 'damaged 0' "$work/dump.txt" || fail "$1: the settings file is damaged"
    local key found
    for key in "${!expected[@]}"; do
        found=$(sed -n "s/^found $key //p" "$work/dump.txt")
        if [ "$found" != "${expected[$key]}" ]; then
            [ -n "${inflight[$key]:-}" ] && [ "$found" = "${inflight[$key]}" ] ||
                fail "$1: $key holds '$found', expected '${expected[$key]}'${inflight[$key]:+ or '${inflight[$key]}'}"
        fi
        expected[$key]=$found
    done
    inflight=()
    ls "$XDG_CONFIG_HOME" | grep -q damaged && fail "$1: a copy of a damaged file was made"
    return 0
}

case $mode in
kill)
    kills=${3:-200}
    midwrite=0
    writes=0
    for i in $(seq 1 "$kills"); do
        # Emptied here: the background start opens its output only later.
        : >"$work/out.txt"
        "$driver" both 1000000 "$i" >>"$work/out.txt" 2>"$work/err.txt" &
        pid=$!
        started=$(date +%s%N)
        why=timeout
        for _ in $(seq 1 1500); do
            grep -q '^done' "$work/out.txt" 2>/dev/null && { why=written; break; }
            kill -0 "$pid" 2>/dev/null || { why="driver gone"; break; }
            sleep 0.01
        done
        sleep "0.0$((RANDOM % 10))$((RANDOM % 10))"
        kill -KILL "$pid" 2>/dev/null || true
        status=0
        wait "$pid" 2>/dev/null || status=$?
        pid=""
        [ "$status" = 137 ] || fail "run $i: the driver ended by itself (status $status): $(cat "$work/err.txt")"
        grep -q '^done' "$work/out.txt" ||
            fail "run $i: no write returned after $((($(date +%s%N) - started) / 1000000)) ms ($why): $(cat "$work/out.txt" "$work/err.txt"; ls -la "$XDG_CONFIG_HOME")"
        writes=$((writes + $(grep -c '^done' "$work/out.txt")))
        [ "$(tail -1 "$work/out.txt" | cut -d' ' -f1)" = begin ] && midwrite=$((midwrite + 1))
        follow "$work/out.txt"
        check_file "kill $i"
    done
    echo "PASS: $kills kills ($midwrite during a write, $writes writes returned), nothing lost"
    ;;
concurrent)
    changes=${3:-500}
    {
        echo '[Metrivo]'
        for n in 0 1 2 3 4 5; do echo "LastFrom$n=$((n + 10))"; echo "LastTo$n=$((n + 20))"; done
        echo 'UnitType=3'
    } >"$ini"
    for n in 0 1 2 3 4 5; do expected[LastFrom$n]=$((n + 10)); expected[LastTo$n]=$((n + 20)); done
    expected[UnitType]=3
    "$driver" from "$changes" 11 >"$work/a.txt" 2>"$work/a.err" &
    a=$!
    "$driver" to "$changes" 12 >"$work/b.txt" 2>"$work/b.err" &
    b=$!
    wait "$a" || fail "instance A failed: $(cat "$work/a.err")"
    wait "$b" || fail "instance B failed: $(cat "$work/b.err")"
    [ "$(grep -c '^done cboFromCurrency' "$work/a.txt")" = "$changes" ] || fail "A made too few changes"
    [ "$(grep -c '^done cboToCurrency' "$work/b.txt")" = "$changes" ] || fail "B made too few changes"
    follow "$work/a.txt"
    follow "$work/b.txt"
    check_file "two instances"
    echo "PASS: two instances, $changes changes each, every key kept"
    ;;
unwritable)
    runs=0
    for case in folder-under-a-file file-is-a-folder readonly-folder; do
        export XDG_CONFIG_HOME="$work/$case/config"
        case $case in
            folder-under-a-file) mkdir -p "$work/$case"; echo x >"$work/$case/config" ;;
            file-is-a-folder) mkdir -p "$XDG_CONFIG_HOME/Orvandel.ini" ;;
            readonly-folder)
                # Permissions do not stop root.
                [ "$(id -u)" -eq 0 ] && continue
                mkdir -p "$XDG_CONFIG_HOME"; chmod 0500 "$XDG_CONFIG_HOME" ;;
        esac
        "$driver" both 20 7 >"$work/out.txt" 2>"$work/err.txt" || fail "$case: the driver failed"
        [ "$(grep -c '^done' "$work/out.txt")" = 20 ] || fail "$case: not every change was made"
        grep -q '^report' "$work/out.txt" && fail "$case: an error report was shown"
        warnings=$(grep -c 'cannot save settings' "$work/err.txt" || true)
        [ "$warnings" = 1 ] || { cat "$work/err.txt"; fail "$case: $warnings warnings, expected one"; }
        [ "$(wc -l <"$work/err.txt")" = 1 ] || { cat "$work/err.txt"; fail "$case: more on standard error"; }
        runs=$((runs + 1))
    done
    echo "PASS: $runs unwritable settings places, every change made, one warning each"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
