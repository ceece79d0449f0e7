# bash completion for metrivo-convert                      -*- shell-script -*-
#
# Completes options, category names, and unit names: those of the category
# given with -c/--category, else those the unit already typed (the FROM
# operand) converts into, else every unit. The names come from the program
# itself (--names, --names-of); names with spaces, commas or brackets are
# quoted as the shell needs them. "--category=Weight" is one option, however
# bash splits its words at "=".

# Whether a (possibly shortened) long option, or -c, takes a category.
_metrivo_convert_takes_category() {
    case $1 in
        -c | --c | --ca | --cat | --cate | --categ | --catego | --categor | --category) return 0 ;;
    esac
    return 1
}

_metrivo_convert_takes_separator() {
    case $1 in
        --d | --de | --dec | --deci | --decim | --decima | --decimal | --decimal-*) return 0 ;;
    esac
    return 1
}

_metrivo_convert() {
    local command=${COMP_WORDS[0]}
    local categories="Length Temperature Speed Volume Weight Area"
    COMPREPLY=()

    # The words as the program gets them: "--option" "=" "value" is one word.
    local -a words=()
    local i word joined=0
    for ((i = 1; i <= COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == "=" && ${#words[@]} -gt 0 && ${words[-1]} == --* && ${words[-1]} != *=* ]]; then
            words[-1]+="="
            joined=1
        elif ((joined)); then
            words[-1]+=$word
            joined=0
        else
            words+=("$word")
        fi
    done
    local cur=${words[-1]:-}

    # The value of an option being typed: after "--option=" or "-c ".
    local option="" value=$cur
    if [[ $cur == --*=* ]]; then
        option=${cur%%=*}
        value=${cur#*=}
    elif ((${#words[@]} > 1)); then
        option=${words[-2]}
        [[ $option == --*=* ]] && option=""
    fi
    if _metrivo_convert_takes_category "$option"; then
        mapfile -t COMPREPLY < <(compgen -W "$categories" -- "$value")
        return 0
    fi
    if _metrivo_convert_takes_separator "$option" && [[ $option != *=* ]]; then
        mapfile -t COMPREPLY < <(compgen -W ". ," -- "$value")
        return 0
    fi
    case $option in
        --l | --li | --lis | --list | --names)
            [[ $cur == --*=* ]] && return 0
            mapfile -t COMPREPLY < <(compgen -W "$categories" -- "$value")
            return 0
            ;;
    esac

    # Operands so far, the category given, and whether a mode takes no units.
    local -a operands=()
    local category="" ended=0 n=$((${#words[@]} - 1))
    for ((i = 0; i < n; i++)); do
        word=${words[i]}
        if ((ended)); then
            operands+=("$word")
            continue
        fi
        if _metrivo_convert_takes_category "$word"; then
            category=${words[i + 1]:-}
            ((i++))
            continue
        fi
        case $word in
            --) ended=1 ;;
            --c*=*) category=${word#*=} ;;
            -c?*) category=${word#-c} ;;
            --d*=*) ;;
            --d*) ((i++)) ;;
            --b* | --h* | --v* | -h | --l* | --n*) return 0 ;;
            -[a-zA-Z]* | --*) ;;
            *) operands+=("$word") ;;
        esac
    done

    if [[ $cur == -[a-zA-Z-]* ]] && ((!ended)); then
        mapfile -t COMPREPLY < <(compgen -W "-c --category --decimal-separator --batch --list --names --names-of --help --version" -- "$cur")
        return 0
    fi

    # The amount is not completed; FROM and TO are unit names.
    local count=${#operands[@]}
    ((count == 1 || count == 2)) || return 0

    # What has been typed of the name, without its opening quote; a name typed
    # before is taken as the program gets it, quotes and backslashes removed
    # (never evaluated, so nothing typed is run).
    local quote="" typed=$cur
    if [[ $cur == \"* || $cur == \'* ]]; then
        quote=${cur:0:1}
        typed=${cur:1}
    else
        typed=${cur//\\/}
    fi
    local from=${operands[1]:-}
    from=${from//\\/}
    from=${from//\"/}
    from=${from//\'/}

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
            "$command" --names "$category" 2>/dev/null
        elif ((count == 2)); then
            "$command" --names-of "$from" 2>/dev/null
        else
            "$command" --names 2>/dev/null | sort -u
        fi
    )
    return 0
}

complete -F _metrivo_convert metrivo-convert
