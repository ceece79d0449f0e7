#!/usr/bin/env bash
# Every test can be picked by its name: the CTest tests with `ctest -R`, the
# cases of the GoogleTest programs with their --gtest_filter. No name holds
# printed parameter values (byte dumps that change from run to run) and no
# table's cases are only numbered.
#   check-test-names.sh BUILD_DIR
set -euo pipefail
names=$(ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p')
[ -n "$names" ] || { echo "FAIL: no tests listed in $1"; exit 1; }
for program in "$1"/tests/*_tests; do
    [ -x "$program" ] || continue
    cases=$("$program" --gtest_list_tests | awk '
        /^[^ ]/ { suite = $1; next }
        /^  / { print suite $1 }')
    [ -n "$cases" ] || { echo "FAIL: $program lists no cases"; exit 1; }
    names+=$'\n'"$cases"
done
status=0
if dumped=$(grep -E 'GetParam\(\)|-byte object <' <<<"$names"); then
    echo "FAIL: names with printed values:"
    echo "$dumped" | head -20
    status=1
fi
# Tables whose case names are exactly 0, 1, ... n-1.
numbered=$(awk '
    /\// {
        prefix = $0; sub(/\/[^\/]*$/, "", prefix)
        suffix = $0; sub(/.*\//, "", suffix)
        count[prefix]++
        if (suffix !~ /^[0-9]+$/) named[prefix] = 1
        else if (suffix + 0 > max[prefix]) max[prefix] = suffix + 0
    }
    END {
        for (p in count) if (!(p in named) && max[p] == count[p] - 1) print p " (" count[p] " cases)"
    }' <<<"$names")
if [ -n "$numbered" ]; then
    echo "FAIL: tables whose cases are only numbered:"
    echo "$numbered"
    status=1
fi
[ "$status" = 0 ] && echo "PASS: $(wc -l <<<"$names") test names, every case named"
exit "$status"
