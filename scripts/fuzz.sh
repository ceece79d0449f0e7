#!/usr/bin/env bash
# Builds the libFuzzer targets in a clang build folder (one of their own,
# optimised, unless the folder is configured already: `make test` passes its
# sanitizer build) and runs each for a number of seconds, as many at once as
# there are processors (JOBS), starting from the committed seeds in
# fuzz/corpus/.
#   scripts/fuzz.sh [SECONDS] [BUILD_FOLDER] [TARGET...]  (defaults: 600, build-fuzz, all)
# With FUZZ_RUNS=N a target also stops after N executions, whichever comes
# first: `FUZZ_RUNS=10000000 nice -n 19 scripts/fuzz.sh 3600` is the long run.
# New corpus entries go to BUILD_FOLDER/corpus/<target>, crash inputs to
# BUILD_FOLDER/artifacts/. Prints one line per target with its executions and
# fails when any target found a crash, a leak or a time-out.
set -euo pipefail
seconds=${1:-600}
build=${2:-build-fuzz}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DMETRIVO_FUZZ=ON -DMETRIVO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target fuzzers -j "${JOBS:-$(nproc)}"

targets=(fuzz_amount fuzz_numbertext fuzz_batchline fuzz_settingvalue fuzz_cursorfile fuzz_skin
         fuzz_skinfilter fuzz_initext)
[ $# -gt 2 ] && targets=("${@:3}")
runs=()
[ -n "${FUZZ_RUNS:-}" ] && runs=(-runs="$FUZZ_RUNS")
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts" "$build/logs"
# run_target TARGET: one target's run; its result line goes to its .result file.
run_target() {
    local t=$1 corpus="$build/corpus/$1" leaks=1 log="$build/logs/$1.log" result executed took
    mkdir -p "$corpus"
    # Qt keeps caches of its own until exit; the leak check would only see those.
    case $t in fuzz_cursorfile|fuzz_skin) leaks=0 ;; esac
    if "$build/fuzz/$t" "$corpus" "fuzz/corpus/$t" -max_total_time="$seconds" \
        "${runs[@]}" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -detect_leaks=$leaks \
        -artifact_prefix="$build/artifacts/$t-" -print_final_stats=1 >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
    fi
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    echo "$t: ${executed:-?} executions in ${took:-$seconds}s, corpus $(ls "$corpus" | wc -l) entries: $result" \
        >"$build/logs/$t.result"
}

# As many targets at once as there are processors.
jobs=${JOBS:-$(nproc)}
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    run_target "$t" &
done
wait

status=0
passed=0
failed=0
for t in "${targets[@]}"; do
    cat "$build/logs/$t.result"
    if grep -q ': ok$' "$build/logs/$t.result"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        status=1
        tail -40 "$build/logs/$t.log"
    fi
done
echo "fuzz: $passed passed, $failed failed"
exit $status
