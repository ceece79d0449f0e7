#!/usr/bin/env bash
# cli-faults.sh METRIVO_CONVERT
# Drives the real metrivo-convert where reading and writing fail, with lines
# over the cap and with control bytes in what it echoes. Each case must end
# with a non-zero status (or the expected output) and one message line.
set -uo pipefail
exe=$1
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect_io_failure NAME EXPECTED_TEXT -- shell command (reads $exe)
expect_io_failure() {
    local name=$1 text=$2
    shift 2
    local rc=0
    "$@" 2>"$work/err" || rc=$?
    if [ "$rc" -eq 0 ]; then fail "$name: exit status 0"; fi
    local lines
    lines=$(wc -l <"$work/err")
    [ "$lines" -eq 1 ] || fail "$name: $lines lines on standard error: $(cat "$work/err")"
    grep -q -- "^metrivo-convert: .*$text" "$work/err" ||
        fail "$name: message is '$(cat "$work/err")', expected '$text'"
}

line=$'Length\t1\tinch\tcentimeter'

# A full disk: every mode that writes.
expect_io_failure "convert >/dev/full" "No space left on device" sh -c "'$exe' 1 inch centimeter >/dev/full"
expect_io_failure "--list >/dev/full" "No space left on device" sh -c "'$exe' --list >/dev/full"
expect_io_failure "--help >/dev/full" "No space left on device" sh -c "'$exe' --help >/dev/full"
expect_io_failure "--version >/dev/full" "No space left on device" sh -c "'$exe' --version >/dev/full"
printf '%s\n' "$line" >"$work/one.tsv"
expect_io_failure "--batch >/dev/full" "No space left on device" sh -c "'$exe' --batch <'$work/one.tsv' >/dev/full"

# A closed standard output, and a folder as standard input.
expect_io_failure "--batch >&-" "Bad file descriptor" sh -c "'$exe' --batch <'$work/one.tsv' >&-"
expect_io_failure "convert >&-" "Bad file descriptor" sh -c "'$exe' 1 inch centimeter >&-"
expect_io_failure "--batch </" "Is a directory" sh -c "'$exe' --batch </ >'$work/out'"
[ -s "$work/out" ] && fail "--batch </ wrote output"

# The reader goes away while SIGPIPE is ignored: endless input must end, with
# one message, soon after the reader has gone.
start=$(date +%s)
rc=0
timeout 60 bash -c "trap '' PIPE; yes '$line' 2>/dev/null | '$exe' --batch 2>'$work/err' | head -n 1 >'$work/head'; exit \${PIPESTATUS[1]}" || rc=$?
[ "$rc" -eq 124 ] && fail "broken pipe with SIGPIPE ignored: still converting after 60 s"
[ "$rc" -eq 0 ] && fail "broken pipe with SIGPIPE ignored: exit status 0"
[ "$(cat "$work/head")" = "2.54" ] || fail "broken pipe: first line '$(cat "$work/head")'"
grep -qx 'metrivo-convert: cannot write standard output: Broken pipe' "$work/err" ||
    fail "broken pipe: message '$(cat "$work/err")'"
echo "broken pipe with SIGPIPE ignored: ended after $(($(date +%s) - start)) s with status $rc"

# A 200 MB line without a line break, then a good line: the long line gets its
# message and an empty result line, and memory stays small.
rc=0
{ head -c 200000000 /dev/zero | tr '\0' '9'; printf '\n%s\n' "$line"; } |
    /usr/bin/time -f '%M' -o "$work/rss" "$exe" --batch >"$work/out" 2>"$work/err" || rc=$?
[ "$rc" -eq 1 ] || fail "200 MB line: exit status $rc"
[ "$(cat "$work/out")" = $'\n2.54' ] || fail "200 MB line: output '$(head -c 100 "$work/out")'"
grep -qx 'metrivo-convert: line 1: line longer than 1048576 bytes' "$work/err" ||
    fail "200 MB line: message '$(head -c 300 "$work/err")'"
rss_kb=$(tail -n 1 "$work/rss")
echo "200 MB line: peak memory $((rss_kb / 1024)) MiB"
[ "$rss_kb" -lt 102400 ] || fail "200 MB line: peak memory $((rss_kb / 1024)) MiB"

# Control bytes in everything echoed: an option, unit names, a category, an
# amount. No C0 or C1 control, DEL or bidi control may reach the terminal.
check_clean() {
    local name=$1
    if LC_ALL=C grep -q -P '[\x00-\x09\x0b-\x1f\x7f]|\xc2[\x80-\x9f]|\xe2\x80[\xaa-\xae]|\xe2\x81[\xa6-\xa9]|[\x80-\x9f]' "$work/err"; then
        fail "$name: raw control bytes in: $(od -c "$work/err" | head -5)"
    fi
    [ -s "$work/err" ] || fail "$name: no message"
}
"$exe" $'--x\e]0;pwned\a' 2>"$work/err" >/dev/null; check_clean "option with OSC"
"$exe" 1 $'me\xe2\x80\xaeter' meter 2>"$work/err" >/dev/null; check_clean "unit with U+202E"
"$exe" 1 meter $'\xc2\x9b31mred' 2>"$work/err" >/dev/null; check_clean "unit with U+009B"
"$exe" 1 meter $'\x9b31mred' 2>"$work/err" >/dev/null; check_clean "unit with a raw 0x9B byte"
"$exe" -c $'Len\x7fgth' 1 m m 2>"$work/err" >/dev/null; check_clean "category with DEL"
"$exe" $'1e999\e[2J' m m 2>"$work/err" >/dev/null; check_clean "amount with CSI"
printf 'Len\x1bgth\t1\tm\tm\nLength\t1\tm\xe2\x81\xa6\tm\n' | "$exe" --batch 2>"$work/err" >/dev/null
check_clean "batch lines with ESC and U+2066"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all I/O and terminal checks passed"
