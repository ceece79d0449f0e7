#!/usr/bin/env bash
# The window in the user's regional settings, as the C library has them: a
# German user copies a result ("0,3937008"), pastes it into the amount box and
# converts it back to 1; an Egyptian user, whose C library writes ".", reads
# "0.3937008" as printf and awk around the program would.
#   locale.sh METRIVO CLOSEREQUEST LOCALES
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$1" "$2"
export LOCPATH=$3
e2e_x_server

# convert_in LOCALE: one cm in inches, copied with the window's button, then
# that text pasted back and converted from inches to centimeters.
convert_in() {
    e2e_settings UnitType=0 LastFrom0=0 LastTo0=2
    LC_ALL=$1 e2e_start
    local window there back
    window=$(e2e_wait_main)
    e2e_keys Tab Tab
    e2e_type 1
    e2e_keys Return
    there=$(e2e_result "$window")
    # The other way: inch to centimeter, the copied text as the amount.
    # From the copy button back to the From list.
    e2e_keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
    e2e_type inch
    e2e_keys Tab
    e2e_type centimeter
    e2e_keys Tab ctrl+v Return
    back=$(e2e_result "$window")
    e2e_close "$window"
    echo "$there $back"
}

got=$(convert_in de_DE.UTF-8)
[ "$got" = "0,3937008 1" ] || fail "de_DE: 1 cm is '${got% *}' in inches, and that back in cm '${got#* }'; expected '0,3937008 1'"
got=$(convert_in ar_EG.UTF-8)
[ "$got" = "0.3937008 1" ] || fail "ar_EG: '$got', expected '0.3937008 1'"
echo "PASS: the window writes and reads back the decimal separator of the C library's locale"
