#!/usr/bin/env bash
# compare-builds.sh NATIVE_DRIVER OTHER_DRIVER [RUNNER...]
# Runs the conversion table through the native driver and through another
# build of the same core (RUNNER, for example qemu-aarch64, runs it), and
# requires identical catalogue factors and identical results.
set -euo pipefail
native=$1
other=$2
shift 2
runner=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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
echo "$lines conversions and 73 factors identical ($(($(date +%s) - start)) s)"
