# bash completion for metrivo-convert                      -*- shell-script -*-
#
# Completes options, category names, and unit names: those of the category
# given with -c/--category, else those of the category of the unit already
# typed (the FROM operand), else every unit. Names with spaces or commas
# ("lb, lbs") are quoted as the shell needs them.

# The catalogue as "category<TAB>name<TAB>symbol, symbol" lines.
_metrivo_convert_catalogue() {
    "$1" --list 2>/dev/null | awk '
        /^[0-9]/ { category = $1; next }
        /^  / {
            line = substr($0, 3); name = line; symbols = ""
            if (match(line, /   *[^ ]/)) { name = substr(line, 1, RSTART - 1); symbols = substr(line, RSTART + RLENGTH - 1) }
            printf "%s\t%s\t%s\n", category, name, symbols
        }'
}

# The category number that holds the unit typed as $2, by name or symbol.
_metrivo_convert_category_of() {
    _metrivo_convert_catalogue "$1" | awk -F'\t' -v unit="$2" '
        { n = split($3, symbols, ", "); for (i = 1; i <= n; i++) if (symbols[i] == unit) { print $1; exit } }
        $2 == unit { print $1; exit }'
}

_metrivo_convert() {
    local command=${COMP_WORDS[0]}
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    local categories="Length Temperature Speed Volume Weight Area"
    case $prev in
        -c | --category | --c | --ca | --cat | --cate | --categ | --catego | --categor)
            mapfile -t COMPREPLY < <(compgen -W "$categories" -- "$cur")
            return 0
            ;;
        --decimal-separator | --d | --de | --dec | --deci | --decim | --decima | --decimal | --decimal-*)
            mapfile -t COMPREPLY < <(compgen -W ". ," -- "$cur")
            return 0
            ;;
        --list | --li | --lis)
            mapfile -t COMPREPLY < <(compgen -W "$categories" -- "$cur")
            return 0
            ;;
    esac

    # Operands so far, the category given, and whether a mode takes no units.
    local -a operands=()
    local category="" i word ended=0
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((ended)); then
            operands+=("$word")
            continue
        fi
        case $word in
            --) ended=1 ;;
            -c | --category | --c | --ca | --cat | --cate | --categ | --catego | --categor)
                category=${COMP_WORDS[i + 1]}
                ((i++))
                ;;
            --category=* | --c*=*) category=${word#*=} ;;
            -c?*) category=${word#-c} ;;
            --decimal-separator | --d | --de | --dec | --deci | --decim | --decima | --decimal | --decimal-*)
                [[ $word == *=* ]] || ((i++))
                ;;
            --batch | --b* | --help | --h* | --version | --v* | -h) return 0 ;;
            --list | --l*) return 0 ;;
            -[a-zA-Z]* | --*) ;;
            *) operands+=("$word") ;;
        esac
    done

    if [[ $cur == -[a-zA-Z-]* ]] && ((!ended)); then
        mapfile -t COMPREPLY < <(compgen -W "-c --category --decimal-separator --batch --list --help --version" -- "$cur")
        return 0
    fi

    # The amount is not completed; FROM and TO are unit names.
    local count=${#operands[@]}
    ((count == 1 || count == 2)) || return 0
    if [[ -z $category && $count == 2 ]]; then
        # The typed unit as the program gets it: quotes and backslashes removed
        # (never evaluated, so nothing typed is run).
        local from=${operands[1]}
        from=${from//\\/}
        from=${from//\"/}
        from=${from//\'/}
        category=$(_metrivo_convert_category_of "$command" "$from")
    fi

    # What has been typed of the name, without its opening quote.
    local quote="" typed=$cur
    if [[ $cur == \"* || $cur == \'* ]]; then
        quote=${cur:0:1}
        typed=${cur:1}
    else
        typed=${cur//\\/}
    fi

    local name
    while IFS= read -r name; do
        [[ -n $name && $name == "$typed"* ]] || continue
        if [[ -n $quote ]]; then
            COMPREPLY+=("$quote$name$quote")
        else
            COMPREPLY+=("$(printf '%q' "$name")")
        fi
    done < <(
        if [[ -n $category ]]; then
            "$command" --list "$category" 2>/dev/null
        else
            "$command" --list 2>/dev/null
        fi | awk '/^  / { line = substr($0, 3); sub(/   *[^ ].*$/, "", line); print line }'
    )
    return 0
}

complete -F _metrivo_convert metrivo-convert
