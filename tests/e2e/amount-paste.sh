#!/usr/bin/env bash
# A long paste into the amount box reads as metrivo-convert reads the same
# text: "1", 40,000 spaces and "0" is 10 in both. A paste one character past
# the box's mebibyte keeps the mebibyte, and the window answers at once (it
# was busy for a minute cutting it).
#   amount-paste.sh METRIVO CLOSEREQUEST METRIVO_CONVERT
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$1" "$2"
convert_tool=$3
e2e_x_server

amount="1$(printf '%40000s' '')0"
tool=$("$convert_tool" -c Length -- "$amount" centimeter centimeter)
[ "$tool" = 10 ] || fail "metrivo-convert reads the text as '$tool'"

e2e_start
window=$(e2e_wait_main)
printf '%s' "$amount" | xclip -selection clipboard -i >/dev/null 2>&1
e2e_keys Tab Tab ctrl+v Return
result=$(e2e_result "$window")
[ "$result" = "$tool" ] || fail "the window reads the paste as '$result', the tool as '$tool'"

# "2", 1,048,575 spaces and "5": the box keeps "2" and the spaces. A click in
# the box selects what it holds, which the paste replaces.
printf '2%1048575s5' '' | xclip -selection clipboard -i >/dev/null 2>&1
e2e_click "$window" 60 113
e2e_keys ctrl+v Return
# The copy is tried again while the window lays out its mebibyte: the
# clipboard may still be the test's own at the first click.
result_is_2() { [ "$(e2e_result "$window")" = 2 ]; }
e2e_until 10 "a paste of 1,048,577 characters: the result" result_is_2
long=2
e2e_close "$window"
echo "PASS: a paste of 40,002 characters reads as $result in the window and the tool; one of 1,048,577 as $long"
