#!/usr/bin/env bash
# typed-requests.sh METRIVO_CONVERT LOCALES BATCH_INPUT
# Requests typed the way people write them, through the real metrivo-convert:
# names, symbols and starts of names, amounts, the locale's separator (from
# the locales built in LOCALES), batch input from files and from Windows
# tools. Each request: the exit status, standard output exactly, and
# standard error against a pattern.
set -uo pipefail
exe=$1
export LOCPATH=$2
batch_input=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect NAME STATUS STDOUT STDERR_PATTERN ARGS...: run in the locale $LOCALE
# (C when unset), with standard input from $INPUT (nothing when unset). An
# empty pattern wants an empty standard error.
expect() {
    local name=$1 status=$2 out=$3 pattern=$4
    shift 4
    local rc=0
    LC_ALL=${LOCALE:-C} "$exe" "$@" <"${INPUT:-/dev/null}" >"$work/out" 2>"$work/err" || rc=$?
    local got
    got=$(cat "$work/out"; echo x)
    got=${got%x}
    [ "$rc" -eq "$status" ] || fail "$name: exit status $rc, expected $status ($(cat "$work/err"))"
    [ "$got" = "$out" ] || fail "$name: standard output '$got', expected '$out'"
    if [ -z "$pattern" ]; then
        [ -s "$work/err" ] && fail "$name: standard error '$(cat "$work/err")'"
    else
        [ "$(wc -l <"$work/err")" -eq "$(printf '%s\n' "$pattern" | wc -l)" ] ||
            fail "$name: standard error has $(wc -l <"$work/err") lines: $(cat "$work/err")"
        grep -Eq -- "$pattern" "$work/err" || fail "$name: standard error '$(cat "$work/err")' does not match '$pattern'"
    fi
}

# --- a word names a unit only if it names exactly one --------------------------
expect ton_is_ambiguous 1 "" \
    '^metrivo-convert: ambiguous Weight unit "ton": could be .*"short ton \(US\)".*"ton \(long, UK\)"$' 1 ton kg
expect one_letter_from 1 "" '^metrivo-convert: unknown Weight unit "s" ' 1 s kg
expect one_letter_to 1 "" '^metrivo-convert: unknown Weight unit "s" ' 1 kg s
expect hundredweight_is_ambiguous 1 "" '^metrivo-convert: ambiguous Weight unit "hundred": could be ' 1 hundred kg
expect start_of_three_letters 0 $'2500\n' "" -c Weight 2.5 kilogr g

# --- names people type ------------------------------------------------------------
expect plural_miles 0 $'1.609344\n' "" 1 miles km
expect plural_pounds 0 $'1.133981\n' "" 2.5 pounds kg
expect plural_inches 0 $'2.54\n' "" 1 inches cm
expect plural_meters 0 $'3.28084\n' "" 1 meters ft
expect plural_gallons 0 $'3.785412\n' "" 1 gallons liters
expect plural_knots 0 $'1.852\n' "" 1 knots km/h
expect british_metre 0 $'3.28084\n' "" 1 metre ft
expect british_litre 0 $'999.9999\n' "" 1 litre millilitre
expect british_kilometre 0 $'1000\n' "" 1 kilometre m
expect milliliter 0 $'0.001\n' "" 1 milliliter l
expect square_meter_symbol 0 $'10.76392\n' "" 1 "sq m" "sq ft"
expect greek_mu 0 $'1\n' "" 1 "μg" "µg"
expect celsius_and_fahrenheit_signs 0 $'33.8\n' "" 1 ℃ ℉
expect superscript_km 0 $'1000000\n' "" 1 km² m²
expect superscript_cm3 0 $'1\n' "" 1 cm³ ml
expect superscript_ft_in 0 $'144.0133\n' "" 1 ft² in²
expect caret_powers 0 $'35.31467\n' "" 1 m^3 ft^3
expect caret_square 0 $'10.76392\n' "" 1 m^2 ft^2

# --- an amount that is not a number -----------------------------------------------
expect letters 1 "" '^metrivo-convert: amount "abc" is not a number$' abc m ft
expect c_hexadecimal 1 "" '^metrivo-convert: amount "0x10" is not a number$' 0x10 m ft
expect infinity 1 "" '^metrivo-convert: amount "inf" is not a number$' inf m ft
expect comma_in_english 1 "" '^metrivo-convert: amount "1,5" is not a number \(the decimal separator is "."\)$' 1,5 m ft
expect spaces_between_digits 0 $'1000\n' "" " 1 000 " m m
expect hexadecimal 0 $'16\n' "" "&H10" m m
expect octal 0 $'15\n' "" "&O17" m m
expect exponent_and_sign 0 $'-1500\n' "" -1.5e3 m m
expect hexadecimal_beyond_32_bits 1 "" '^metrivo-convert: amount out of range: "&H100000000" is beyond &HFFFFFFFF$' "&H100000000" m m
expect temperature_limit_says_why 1 "" 'is beyond ±1\.79769313486231E\+308 \(temperatures are held to 15 digits\)$' 1.5E308 Re K

# --- the locale's decimal separator, as the C library has it ----------------------
LOCALE=de_DE.UTF-8 expect german_writes_comma 0 $'0,3937008\n' "" 1 cm in
LOCALE=de_DE.UTF-8 expect german_reads_its_comma 0 $'1\n' "" 0,3937008 in cm
LOCALE=de_DE.UTF-8 expect german_two_commas 1 "" 'amount "1,5,6" is not a number$' 1,5,6 m m
LOCALE=de_DE.UTF-8 expect german_point_still_reads 0 $'150\n' "" 1.5 m cm
# The round trip of the report: the output of one run is the amount of the next.
inches=$(LC_ALL=de_DE.UTF-8 "$exe" 1 in cm)
LOCALE=de_DE.UTF-8 expect german_round_trip 0 $'1\n' "" "$inches" cm in
for locale in ar_EG ar_SA fa_IR ckb_IQ en_US; do
    LOCALE=$locale.UTF-8 expect "separator_of_$locale" 0 $'0.3937008\n' "" 1 cm in
done
LOCALE=xx_NOWHERE.UTF-8 expect unknown_locale_is_c 0 $'0.3937008\n' "" 1 cm in

# --- exit status, standard output and standard error ------------------------------
expect category_option 0 $'1.133981\n' "" -c Weight 2.5 pound kilogram
expect unit_of_another_category 1 "" '^metrivo-convert: unknown Weight unit "mile"' -c Weight 1 mile km
expect below_absolute_zero 1 $'Below Absolute Zero\n' '^metrivo-convert: "-500" degree Fahrenheit is below absolute zero$' -500 F K
expect bad_option 2 "" '^metrivo-convert: unknown option "--frobnicate"$'$'\n''^Try ' --frobnicate

# --- batches ------------------------------------------------------------------------
INPUT=$batch_input expect batch_from_input 1 $'1.133981\n\n37.777777777778\n' \
    '^metrivo-convert: line 2: expected 4 tab-separated fields' --batch
INPUT=/dev/null expect batch_empty 0 "" "" --batch
printf '\xef\xbb\xbfLength\t1\tin\tcm\r\nWeight\t2.5\tlb\tkg\r\n' >"$work/windows.tsv"
INPUT=$work/windows.tsv expect batch_byte_order_mark 0 $'2.54\n1.133981\n' "" --batch
printf 'Length\t1\tin\xe2\x80\x8b\tcm\n' >"$work/invisible.tsv"
INPUT=$work/invisible.tsv expect batch_invisible_character_shown 1 $'\n' \
    '^metrivo-convert: line 1: unknown Length unit "in\\u200b"' --batch
printf 'Length\t1\tin\tcm\n' >"$work/one.tsv"
INPUT=$work/one.tsv expect batch_files_and_input 1 $'2.54\n2.54\n' \
    '^metrivo-convert: cannot read ".*/missing.tsv": No such file or directory$' \
    --batch "$work/one.tsv" - "$work/missing.tsv"
printf 'Length\t1\tin\tcm\nLength\t1\tparsec\tcm\n' >"$work/bad.tsv"
expect batch_file_lines_named 1 $'2.54\n\n' "^metrivo-convert: .*/bad.tsv: line 2: unknown Length unit \"parsec\"" \
    --batch "$work/bad.tsv"

[ "$failures" -eq 0 ] || { echo "$failures request(s) failed"; exit 1; }
echo "every request answered as expected"
