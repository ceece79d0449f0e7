#!/usr/bin/env bash
# compare-builds.sh NATIVE_DRIVER OTHER_DRIVER CONVERSIONS [RUNNER...]
# Runs the shared conversions (CONVERSIONS) through another build of the same
# core (RUNNER, for example qemu-aarch64, runs it) and requires their exact
# results; then runs a large conversion table through the native driver and
# the other build and requires identical catalogue factors and identical
# results.
set -euo pipefail
native=$1
other=$2
golden=$3
shift 3
runner=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grep -v '^#' "$golden" >"$work/golden.tsv"
cut -f1-4 "$work/golden.tsv" | "${runner[@]}" "$other" | cut -f1 >"$work/golden.out"
if ! cut -f5 "$work/golden.tsv" | diff - "$work/golden.out" >"$work/golden.diff"; then
    echo "FAIL: the shared conversions differ (expected, got):"
    cat "$work/golden.diff"
    exit 1
fi

"$native" table >"$work/table.tsv"
"$native" factors >"$work/native.factors"
"${runner[@]}" "$other" factors >"$work/other.factors"
if ! cmp -s "$work/native.factors" "$work/other.factors"; then
    echo "FAIL: catalogue factors differ:"
    diff "$work/native.factors" "$work/other.factors" | head -20
    exit 1
fi

start=$(date +%s)
"$native" <"$work/table.tsv" >"$work/native.out"
"${runner[@]}" "$other" <"$work/table.tsv" >"$work/other.out"
lines=$(wc -l <"$work/table.tsv")
if [ "$(wc -l <"$work/other.out")" -ne "$lines" ]; then
    echo "FAIL: $(wc -l <"$work/other.out") results for $lines conversions"
    exit 1
fi
if ! cmp -s "$work/native.out" "$work/other.out"; then
    differing=$(paste "$work/table.tsv" "$work/native.out" "$work/other.out" |
        awk -F'\t' '$6 != $8 || $7 != $9' | tee "$work/diff" | wc -l)
    echo "FAIL: $differing of $lines conversions differ (conversion, native, other):"
    head -20 "$work/diff"
    exit 1
fi
echo "$(wc -l <"$work/golden.tsv") shared conversions exact; $lines conversions and" \
    "$(wc -l <"$work/native.factors") factors identical ($(($(date +%s) - start)) s)"
