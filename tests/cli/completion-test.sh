#!/usr/bin/env bash
# completion-test.sh METRIVO_CONVERT COMPLETION_FOLDER
# The bash completion, sourced and called as bash calls it; the fish one
# through fish's own `complete -C`; the zsh one checked for syntax and its
# helpers run.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
folder=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- bash ---------------------------------------------------------------
# shellcheck source=/dev/null
source "$folder/metrivo-convert.bash"
[ "$(complete -p metrivo-convert 2>/dev/null)" = "complete -F _metrivo_convert metrivo-convert" ] ||
    fail "bash: no completion registered for metrivo-convert"

# expect_bash "WANTED REPLIES" WORD...: completes the last word.
expect_bash() {
    local wanted=$1
    shift
    COMP_WORDS=("$exe" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _metrivo_convert
    local got
    got=""
    [ ${#COMPREPLY[@]} -eq 0 ] || got=$(printf '%s|' "${COMPREPLY[@]}")
    [ "$got" = "$wanted" ] || fail "bash: metrivo-convert $*: got '$got', want '$wanted'"
}
expect_bash "kilogram|" -c Weight 2.5 kilo
expect_bash 'lb\,\ lbs|' -c Weight 2.5 lb,
expect_bash '"lb, lbs"|' -c Weight 2.5 '"lb'
expect_bash "kilometer|" 1 mile k          # the category of the unit typed
expect_bash "kilogram|" 1 oz kilo          # "oz" is the Weight ounce
expect_bash 'degree\ Fahrenheit|' 1 C 'degree\ F'
expect_bash "Temperature|" -c T
expect_bash "Weight|" --list W
expect_bash "--category|" --cat
expect_bash "--decimal-separator|" --dec
expect_bash "" --batch x                  # nothing after --batch
expect_bash "" 1 mile km x                 # three operands: done
# What is typed is never run.
marker=$(mktemp -u "${TMPDIR:-/tmp}/metrivo-completion.XXXXXX")
expect_bash "kilometer|kelvin|kilometer/hour|kilometer/second|knot|kilogram|" 1 "\$(touch $marker)" k
[ -e "$marker" ] && { fail "bash: a typed command substitution was run"; rm -f "$marker"; }

# --- fish ---------------------------------------------------------------
bin=$(dirname "$exe")
expect_fish() {
    local wanted=$1 line=$2 got
    got=$(PATH="$bin:$PATH" fish -c "source '$folder/metrivo-convert.fish'; complete -C '$line'" 2>&1 |
        cut -f1 | paste -sd'|')
    [ "$got" = "$wanted" ] || fail "fish: $line: got '$got', want '$wanted'"
}
expect_fish "kilogram" "metrivo-convert -c Weight 2.5 kilo"
expect_fish "lb, lbs" "metrivo-convert -c Weight 2.5 lb,"
expect_fish "kilometer" "metrivo-convert 1 mile k"
expect_fish "--category" "metrivo-convert --cat"

# --- zsh ----------------------------------------------------------------
zsh -n "$folder/_metrivo-convert" || fail "zsh: syntax"
got=$(zsh -f -c 'function _arguments { return 1 }; function _call_program { shift; eval "$@" }
    source "$1/_metrivo-convert"
    _metrivo_convert_category_of "$2" oz; print -n "$REPLY|"
    _metrivo_convert_units "$2" 4; print -n "${#reply}|${reply[11]}"' zsh "$folder" "$exe")
[ "$got" = "4|19|lb, lbs" ] || fail "zsh helpers: got '$got'"

if [ "$failures" -ne 0 ]; then
    echo "$failures completion check(s) failed"
    exit 1
fi
echo "completion checks passed"
