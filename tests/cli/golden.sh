#!/usr/bin/env bash
# golden.sh METRIVO_CONVERT CONVERSIONS
# The shared conversions through the real metrivo-convert, as a batch and one
# command at a time: every result exactly as the file has it.
set -uo pipefail
exe=$1
golden=$2
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -v '^#' "$golden" >"$work/golden.tsv"
cut -f1-4 "$work/golden.tsv" >"$work/in.tsv"
cut -f5 "$work/golden.tsv" >"$work/expected"

"$exe" --batch <"$work/in.tsv" >"$work/batch" 2>"$work/err"
diff "$work/expected" "$work/batch" >"$work/diff" || fail "batch results differ:"$'\n'"$(cat "$work/diff")"
# Below absolute zero is a result that is also reported, one line each.
[ "$(wc -l <"$work/err")" -eq "$(grep -c 'Below Absolute Zero' "$work/expected")" ] ||
    fail "batch messages: $(cat "$work/err")"

while IFS=$'\t' read -r category amount from to result; do
    got=$("$exe" -c "$category" -- "$amount" "$from" "$to" 2>/dev/null)
    [ "$got" = "$result" ] || fail "$category $amount $from -> $to: '$got', expected '$result'"
done <"$work/golden.tsv"

[ "$failures" -eq 0 ] || { echo "$failures golden check(s) failed"; exit 1; }
echo "$(wc -l <"$work/golden.tsv") conversions exact, as a batch and one at a time"
