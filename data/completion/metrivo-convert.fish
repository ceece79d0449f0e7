# fish completion for metrivo-convert: options, category names, and the unit
# names of the category given with -c/--category or of the unit already typed.

function __metrivo_convert_list --description 'metrivo-convert --list as category<TAB>name<TAB>symbols'
    set -l command (commandline -opc)[1]
    set -l category
    for line in ($command --list $argv 2>/dev/null)
        if string match -qr '^[0-9]' -- $line
            set category (string split -f1 ' ' -- $line)
            continue
        end
        set -l parts (string match -r '^  (.*?)(?:   +(.*))?$' -- $line)
        printf '%s\t%s\t%s\n' $category $parts[2] "$parts[3]"
    end
end

function __metrivo_convert_operands --description 'operands typed so far and the category given'
    set -l tokens (commandline -opc)
    set -e tokens[1]
    set -l category
    set -l operands
    set -l skip 0
    set -l ended 0
    for token in $tokens
        if test $skip -eq 1
            set category $token
            set skip 0
            continue
        end
        if test $ended -eq 0
            switch $token
                case --
                    set ended 1
                    continue
                case -c --category '--cat*'
                    set skip 1
                    continue
                case '--category=*' '--cat*=*'
                    set category (string split -m1 -f2 = -- $token)
                    continue
                case '-c?*'
                    set category (string sub -s 3 -- $token)
                    continue
                case '-[a-zA-Z]*' '--*'
                    continue
            end
        end
        set operands $operands $token
    end
    printf 'category\t%s\n' "$category"
    for o in $operands
        printf 'operand\t%s\n' $o
    end
end

function __metrivo_convert_wants_unit
    set -l count (__metrivo_convert_operands | string match -r '^operand' | count)
    test $count -eq 1 -o $count -eq 2
end

function __metrivo_convert_units
    set -l info (__metrivo_convert_operands)
    set -l category (string replace -r '^category\t' '' -- $info[1])
    set -l operands (string replace -r '^operand\t' '' -- $info[2..-1])
    if test -z "$category"; and test (count $operands) -eq 2
        for row in (__metrivo_convert_list)
            set -l fields (string split \t -- $row)
            if test "$fields[2]" = "$operands[2]"; or contains -- $operands[2] (string split ', ' -- $fields[3])
                set category $fields[1]
                break
            end
        end
    end
    for row in (__metrivo_convert_list $category)
        string split -f2 \t -- $row
    end
end

complete -c metrivo-convert -f
complete -c metrivo-convert -s c -l category -x -a 'Length Temperature Speed Volume Weight Area' -d 'Category to convert in'
complete -c metrivo-convert -l decimal-separator -x -a '. ,' -d 'Decimal separator of the result'
complete -c metrivo-convert -l batch -d 'Convert tab-separated lines from standard input'
complete -c metrivo-convert -l list -d 'List categories, units and symbols'
complete -c metrivo-convert -s h -l help -d 'Show help'
complete -c metrivo-convert -l version -d 'Show the version'
complete -c metrivo-convert -n __metrivo_convert_wants_unit -a '(__metrivo_convert_units)'
