#!/usr/bin/env bash
# manual-page.sh MANUAL_PAGE METRIVO_CONVERT
# The generated manual page as man shows it: written in groff's escapes only,
# so the C locale of a minimal system shows every symbol readably and a UTF-8
# locale shows the characters themselves; its tables hold every unit.
set -uo pipefail
page=$1
exe=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

LC_ALL=C grep -n -P '[^\x00-\x7F]' "$page" && fail "the page holds bytes outside ASCII"
show() { LC_ALL=$1 MANWIDTH=200 man -l "$page" 2>/dev/null | col -b; }
c=$(show C)
utf8=$(show C.UTF-8)
[ -n "$c" ] && [ -n "$utf8" ] || fail "man shows nothing"

# The C locale: the micro sign, degree sign and powers are named, never lost.
for wanted in '<micro>in, uin' '<degree>C' 'm^2' 'Reaumur'; do
    grep -qF -- "$wanted" <<<"$c" || fail "C locale: no '$wanted'"
done
for unwanted in 'uin, uin' '?C' 'R?aumur'; do
    grep -qF -- "$unwanted" <<<"$c" && fail "C locale: '$unwanted' shown"
done
# A UTF-8 locale: the characters themselves.
for wanted in 'µin, uin' '°C' 'Réaumur' 'km²' 'cm³'; do
    grep -qF -- "$wanted" <<<"$utf8" || fail "C.UTF-8: no '$wanted'"
done
# Every unit the program knows is in the tables, and the count is the program's.
while IFS= read -r name; do
    grep -qF -- "$name" <<<"$utf8" || fail "no row for '$name'"
done < <("$exe" --names)
grep -qF "Units are the $("$exe" --names | wc -l) of the window's lists" <<<"$utf8" ||
    fail "the page does not give the program's unit count"

[ "$failures" -eq 0 ] || { echo "$failures manual page check(s) failed"; exit 1; }
echo "the manual page reads right in C and C.UTF-8 and lists every unit"
