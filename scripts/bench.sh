#!/usr/bin/env bash
# Runs Metrivo's benchmarks against a build folder configured with
# -DMETRIVO_BUILD_BENCH=ON (`make bench` uses build-bench/).
#
#   scripts/bench.sh [BUILD_DIR] [BENCHMARK...]
#
# Benchmarks: core (bench_core: one conversion text in, text out), batch
# (metrivo-convert --batch against GNU units -t on the same conversions),
# startup (bench_startup: time to the mapped window and memory of metrivo
# against the bare Qt window bench_floor) and press (bench_press: a "Start
# Converting" press in the real window on Qt's offscreen platform) and settings
# (bench_settings: the load's reads and the close's write of 1 to 100 MB files).
# Without names, all of them run. Environment: BENCH_LINES (default 1000000)
# and BENCH_UNITS_LINES (default 100000) set the batch sizes; BENCH_ROUNDS
# (default 5) how many interleaved rounds the batch comparison takes its best of.
set -euo pipefail
export LC_ALL=C

build=${1:-build-bench}
shift || true
bin="$build/bin"
lines=${BENCH_LINES:-1000000}
units_lines=${BENCH_UNITS_LINES:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ns() { date +%s%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
per_second() { awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { printf "%.0f", n / ((b - a) / 1e9) }'; }

# --- core: Google Benchmark cases, median of 10 repetitions -----------------
bench_core() {
    echo "== bench_core (median of 10 repetitions)"
    "$bin/bench_core" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
        --benchmark_min_time=0.2 2>&1 | grep -E '^(Benchmark|-+$|BM_.*_(median|stddev) )'
}

# --- batch: metrivo-convert --batch against GNU units -t ----------------------
# Two mixes of the same conversions, one row per conversion,
# "category|amount|from|to|units have|units want": as people write them
# (category names and symbols, as in the README), and with category numbers
# and the lists' full names. The amount grows by the line's round number so
# the lines are not all alike; the GNU units "have" text takes it in place of @.
conversions_symbols() {
    cat <<'MIX'
Length|1.00|mi|km|@ mile|km
Length|12|in|cm|@ inch|cm
Length|3|yd|m|@ yard|m
Temperature|100|F|C|tempF(@)|tempC
Temperature|-40|C|F|tempC(@)|tempF
Temperature|0|C|K|tempC(@)|K
Temperature|491.67|R|C|tempR(@)|tempC
Temperature|80|Re|C|tempreaumur(@)|tempC
Speed|100|km/h|mph|@ km/hr|mph
Speed|20|kn|km/h|@ knot|km/hr
Volume|2|gal|l|@ gallon|liter
Volume|1|fl oz|ml|@ floz|ml
Weight|2.5|lb|kg|@ pound|kg
Weight|16|oz|g|@ ounce|g
Area|3|ac|m²|@ acre|m^2
Area|1|sq mi|ha|@ mile^2|hectare
MIX
}

conversions_names() {
    cat <<'MIX'
0|1.00|mile|kilometer|@ mile|km
0|12|inch|centimeter|@ inch|cm
0|3|yard|meter|@ yard|m
1|100|degree Fahrenheit|degree Celsius|tempF(@)|tempC
1|-40|degree Celsius|degree Fahrenheit|tempC(@)|tempF
1|0|degree Celsius|kelvin|tempC(@)|K
1|491.67|degree Rankine|degree Celsius|tempR(@)|tempC
1|80|degree Reaumur|degree Celsius|tempreaumur(@)|tempC
2|100|kilometer/hour|mile/hour (mph)|@ km/hr|mph
2|20|knot|kilometer/hour|@ knot|km/hr
3|2|gallon|liter|@ gallon|liter
3|1|ounce|mililiter (cc)|@ floz|ml
4|2.5|pound|kilogram|@ pound|kg
4|16|ounce|gram|@ ounce|g
5|3|acre|square meter|@ acre|m^2
5|1|square mile|hectare|@ mile^2|hectare
MIX
}

generate() {  # generate MIX COUNT METRIVO_FILE UNITS_FILE
    "conversions_$1" | awk -F'|' -v count="$2" -v mfile="$3" -v ufile="$4" '
        BEGIN { n = 0 }
        { cat[n] = $1; amt[n] = $2; from[n] = $3; to[n] = $4; have[n] = $5; want[n] = $6; n++ }
        END {
            for (i = 0; i < count; i++) {
                k = i % n; a = amt[k] + int(i / n) % 100
                printf "%s\t%s\t%s\t%s\n", cat[k], a, from[k], to[k] > mfile
                h = have[k]; sub(/@/, a, h)
                printf "%s\n%s\n", h, want[k] > ufile
            }
        }'
}

# run_timed OUT_PREFIX COMMAND...: runs with standard input and output as
# given by the caller; writes "WALL_NS CPU_SECONDS" to OUT_PREFIX.time.
run_timed() {
    local prefix=$1
    shift
    local t0 t1
    t0=$(now_ns)
    /usr/bin/time -f '%U %S' -o "$prefix.cpu" "$@"
    t1=$(now_ns)
    echo "$((t1 - t0)) $(awk '{ printf "%.3f", $1 + $2 }' "$prefix.cpu")" >"$prefix.time"
}

bench_batch() {
    echo "== batch: metrivo-convert --batch against GNU units -t"
    command -v units >/dev/null || { echo "GNU units is not installed (Debian package units)"; return 1; }
    [ -x /usr/bin/time ] || { echo "/usr/bin/time is not installed (Debian package time)"; return 1; }
    local mix
    for mix in symbols names; do
        bench_batch_mix "$mix"
    done
}

# bench_batch_mix MIX: one mix, metrivo-convert against GNU units.
bench_batch_mix() {
    local mix=$1
    case $mix in
        symbols) echo "-- category names and symbols (Length 1 mi km)" ;;
        names) echo "-- category numbers and full names (0 1 mile kilometer)" ;;
    esac
    generate "$mix" "$lines" "$work/metrivo.tsv" /dev/null
    generate "$mix" "$units_lines" /dev/null "$work/units.txt"

    # Interleaved rounds; the fastest round of each counts, which is the
    # figure least disturbed by whatever else the machine is doing. CPU time
    # (user + system) is kept from the same round.
    local round mw=-1 mc uw=-1 uc wall cpu
    for round in $(seq 1 "${BENCH_ROUNDS:-5}"); do
        run_timed "$work/m" "$bin/metrivo-convert" --batch --decimal-separator . \
            <"$work/metrivo.tsv" >"$work/metrivo.out" 2>"$work/metrivo.err" || true
        [ "$(wc -l <"$work/metrivo.out")" -eq "$lines" ] || { echo "metrivo-convert: wrong line count"; return 1; }
        [ -s "$work/metrivo.err" ] && { echo "metrivo-convert: $(head -1 "$work/metrivo.err")"; return 1; }
        read -r wall cpu <"$work/m.time"
        if [ "$mw" -lt 0 ] || [ "$wall" -lt "$mw" ]; then mw=$wall mc=$cpu; fi

        run_timed "$work/u" units -t <"$work/units.txt" >"$work/units.out"
        [ "$(wc -l <"$work/units.out")" -eq "$units_lines" ] || { echo "units: wrong line count"; return 1; }
        read -r wall cpu <"$work/u.time"
        if [ "$uw" -lt 0 ] || [ "$wall" -lt "$uw" ]; then uw=$wall uc=$cpu; fi
    done

    /usr/bin/time -f '%M' -o "$work/rss" "$bin/metrivo-convert" --batch --decimal-separator . \
        <"$work/metrivo.tsv" >/dev/null 2>&1 || true
    local rss=", peak memory $(($(tail -1 "$work/rss") / 1024)) MiB"
    local mrate urate
    mrate=$(per_second "$lines" 0 "$mw")
    urate=$(per_second "$units_lines" 0 "$uw")
    printf 'metrivo-convert --batch: %9d lines       in %7s s = %9d conversions/s (CPU %s s)%s\n' \
        "$lines" "$(seconds 0 "$mw")" "$mrate" "$mc" "$rss"
    printf 'GNU units -t:            %9d conversions in %7s s = %9d conversions/s (CPU %s s)\n' \
        "$units_lines" "$(seconds 0 "$uw")" "$urate" "$uc"
    # The target is set on the mix people write; the other is for comparison.
    awk -v m="$mrate" -v u="$urate" -v ml="$lines" -v ul="$units_lines" -v mc="$mc" -v uc="$uc" \
        -v mix="$mix" 'BEGIN {
        r = m / u; verdict = (r >= 40) ? "met" : "NOT met"
        if (mix == "symbols") printf "ratio: %.1fx GNU units (target: at least 40x): %s\n", r, verdict
        else printf "ratio: %.1fx GNU units (no target on this mix)\n", r
        if (mc > 0 && uc > 0) printf "ratio of conversions per CPU second: %.1fx\n", (ml / mc) / (ul / uc) }'
    echo "first results, metrivo-convert | GNU units:"
    paste -d'|' <(head -16 "$work/metrivo.out") <(head -16 "$work/units.out") | sed 's/^/  /'
}

# --- startup: time to a mapped window and memory, against a bare Qt window ---
# bench_startup launches each program under X (a private Xvfb when DISPLAY is
# unset), with a fresh XDG_CONFIG_HOME in TMPDIR (default /tmp) each time.
# BENCH_STARTUP_RUNS (default 30) and BENCH_STARTUP_WARMUP (default 2) set the
# launches; BENCH_METRIVO the program measured (default BUILD_DIR/bin/metrivo)
# and BENCH_FLOOR the floor (default BUILD_DIR/bin/bench_floor; any program
# that maps a window, one built elsewhere included).
bench_startup() {
    local program=${BENCH_METRIVO:-$bin/metrivo} floor=${BENCH_FLOOR:-$bin/bench_floor}
    echo "== startup: time to mapped window and resident memory, against $(basename "$floor")"
    "$(dirname "$0")/with-display.sh" "$bin/bench_startup" \
        --runs "${BENCH_STARTUP_RUNS:-30}" --warmup "${BENCH_STARTUP_WARMUP:-2}" \
        "$program" "$floor"
}

# --- press: "Start Converting" in the real window, offscreen -----------------
bench_press() {
    echo "== bench_press: a \"Start Converting\" press to the Results text (median of 10 repetitions)"
    QT_QPA_PLATFORM=offscreen "$bin/bench_press" --benchmark_repetitions=10 \
        --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 \
        --benchmark_format=csv 2>/dev/null >"$work/press.csv" || { echo "bench_press failed"; return 1; }
    awk -F, '
        /_median"?,/ {
            name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
            t[name] = $3; unit[name] = $5; gsub(/"/, "", unit[name]); order[n++] = name
        }
        END {
            floor = t["BM_PressFloor"]
            for (i = 0; i < n; i++) {
                name = order[i]; ns = t[name]
                if (unit[name] == "us") ns *= 1000
                if (name == "BM_PressFloor") {
                    printf "%-28s %9.0f ns (a bare button setting a text)\n", name, ns
                    continue
                }
                verdict = (ns <= 50000) ? "met" : "NOT met"
                printf "%-28s %9.0f ns = %6.1fx the floor press; target at most 50 us: %s\n", \
                    name, ns, ns / floor, verdict
            }
        }' "$work/press.csv"
}

# --- settings: the load's reads and the close's write of large files ---------
# Targets: the close (13 keys, one replace) under 1 s at 10 MB, under 2 s at
# 100 MB. BENCH_SETTINGS_DIR picks the disk (default: the temporary folder).
bench_settings() {
    echo "== bench_settings (median of 5 repetitions; ms)"
    "$bin/bench_settings" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null >"$work/settings.csv"
    awk -F, '/_median"?,/ {
            gsub(/"/, "", $1); name = $1; sub(/_median$/, "", name); ms = $3
            split(name, part, "/"); mb = part[2]
            if (part[1] == "BM_Close" && mb >= 10) {
                target = (mb >= 100) ? 2000 : 1000
                printf "%-20s %9.1f ms; target under %d ms: %s\n", name, ms, target, \
                    (ms < target) ? "met" : "NOT met"
            } else {
                printf "%-20s %9.1f ms\n", name, ms
            }
        }' "$work/settings.csv"
}

# --- further benchmarks ------------------------------------------------------
# Add a function bench_NAME above and its NAME to this list; it runs after the
# others and can be picked by name on the command line.
benchmarks=(core batch startup press settings)

selected=("$@")
[ ${#selected[@]} -eq 0 ] && selected=("${benchmarks[@]}")
status=0
for name in "${selected[@]}"; do
    if ! declare -F "bench_$name" >/dev/null; then
        echo "unknown benchmark '$name' (known: ${benchmarks[*]})" >&2
        exit 2
    fi
    "bench_$name" || status=1
    echo
done
exit $status
