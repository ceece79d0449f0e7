#!/usr/bin/env bash
# The window's command line, where there may be no display at all: --help and
# --version answer and exit 0; without a display the program says so in one
# line and exits 1.
#   command-line.sh METRIVO
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

run() {
    status=0
    "$METRIVO" "$@" >"$E2E_WORK/out" 2>"$E2E_WORK/err" </dev/null || status=$?
}

run --help
[ "$status" = 0 ] || fail "--help: exit status $status"
head -1 "$E2E_WORK/out" | grep -q '^Usage: metrivo' || fail "--help: $(head -1 "$E2E_WORK/out")"
tail -1 "$E2E_WORK/out" | grep -q '^Report bugs to: ' || fail "--help ends: $(tail -1 "$E2E_WORK/out")"
[ ! -s "$E2E_WORK/err" ] || fail "--help wrote to standard error: $(cat "$E2E_WORK/err")"

run --version
[ "$status" = 0 ] || fail "--version: exit status $status"
head -1 "$E2E_WORK/out" | grep -Eq '^metrivo [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version: $(head -1 "$E2E_WORK/out")"
grep -q 'License' "$E2E_WORK/out" || fail "--version names no licence"

# An answer that cannot be written is a failure.
for option in --help --version; do
    status=0
    "$METRIVO" "$option" >/dev/full 2>/dev/null </dev/null || status=$?
    [ "$status" = 1 ] || fail "$option to a full disk: exit status $status"
done

# No display named anywhere.
run
[ "$status" = 1 ] || fail "no display: exit status $status"
[ "$(wc -l <"$E2E_WORK/err")" = 1 ] || fail "no display: $(cat "$E2E_WORK/err")"
grep -q '^metrivo: cannot open a window: no display' "$E2E_WORK/err" || fail "no display: $(cat "$E2E_WORK/err")"

# A display that is named but not there.
DISPLAY=:9999 run
[ "$status" = 1 ] || fail "unreachable display: exit status $status"
[ "$(wc -l <"$E2E_WORK/err")" = 1 ] || fail "unreachable display: $(cat "$E2E_WORK/err")"
grep -q '^metrivo: cannot open a window: could not connect to display :9999' "$E2E_WORK/err" ||
    fail "unreachable display: $(cat "$E2E_WORK/err")"
echo "PASS: --help, --version and a missing display, without a display"
