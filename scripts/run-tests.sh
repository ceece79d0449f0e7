#!/usr/bin/env bash
# What `make test` runs, in both configured build folders: the release build
# and its tests, the sanitizer build and its tests, and a short run of every
# fuzz target (built in the sanitizer folder).
#
# The tests mostly wait (on X servers, compositors, buses, the screen reader),
# so the parts overlap: the sanitizer build runs at a lower priority beside
# the release build and then the release tests, which start as soon as their
# build is done; the sanitized tests and the fuzzing start when the sanitizer
# build is done. Each part's output goes to a log of its own, printed when
# everything has ended (a build's log only when it failed). Fails when any
# part failed. The sanitizers' options come from the caller's environment
# (the Makefile's SANITIZER_ENV).
#   run-tests.sh RELEASE_BUILD SANITIZER_BUILD FUZZ_SECONDS
set -uo pipefail
release=$1
sanitized=$2
fuzz_seconds=$3
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc)}
# Tests at once: one more than the processors, since most of a test is waiting.
tests_at_once=$((jobs + 1))
logs=$(mktemp -d "${TMPDIR:-/tmp}/metrivo-test.XXXXXX")
start=$(date +%s)

say() {
    printf '[%4d s] %s\n' $(($(date +%s) - start)) "$*"
}

# part NAME COMMAND...: runs the command, its output in NAME.log, its exit
# status in NAME.status.
part() {
    local name=$1 status=0
    shift
    say "$name: started"
    "$@" >"$logs/$name.log" 2>&1 || status=$?
    echo "$status" >"$logs/$name.status"
    if [ "$status" = 0 ]; then say "$name: passed"; else say "$name: FAILED (status $status)"; fi
}

# tests FOLDER: the folder's ctest run.
tests() {
    scripts/with-display.sh ctest --test-dir "$1" --output-on-failure -j "$tests_at_once"
}

(
    part sanitizer_build nice -n 15 cmake --build "$sanitized" -j "$jobs"
    [ "$(cat "$logs/sanitizer_build.status")" = 0 ] || exit 0
    part sanitizer_tests tests "$sanitized" &
    # Each target runs for its seconds however busy the processors are: at a
    # lower priority it takes only what the tests leave.
    part fuzz_smoke nice -n 15 scripts/fuzz.sh "$fuzz_seconds" "$sanitized"
    wait
) &
part release_build cmake --build "$release" -j "$jobs"
if [ "$(cat "$logs/release_build.status")" = 0 ]; then
    part release_tests tests "$release"
else
    echo 1 >"$logs/release_tests.status"
fi
wait

status=0
for name in release_build release_tests sanitizer_build sanitizer_tests fuzz_smoke; do
    [ -f "$logs/$name.status" ] || continue
    result=$(cat "$logs/$name.status")
    case $name in
        *_build) [ "$result" = 0 ] || { echo "=== $name"; cat "$logs/$name.log"; } ;;
        *) [ -f "$logs/$name.log" ] && { echo "=== $name"; cat "$logs/$name.log"; } ;;
    esac
    [ "$result" = 0 ] || status=1
done
[ -f "$logs/sanitizer_tests.status" ] || status=1
if [ "$status" = 0 ]; then
    rm -rf "$logs"
    say "all passed"
else
    say "FAILED (the logs are in $logs)"
fi
exit "$status"
