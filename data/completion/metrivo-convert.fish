# fish completion for metrivo-convert: options, category names, and the unit
# names of the category given with -c/--category, else those the unit already
# typed converts into, else every unit. The names come from the program
# itself (--names, --names-of).

function __metrivo_convert_operands --description 'operands typed so far and the category given'
    set -l tokens (commandline -opc)
    set -e tokens[1]
    set -l category
    set -l operands
    set -l skip ''
    set -l ended 0
    for token in $tokens
        if test -n "$skip"
            test "$skip" = category; and set category $token
            set skip ''
            continue
        end
        if test $ended -eq 0
            switch $token
                case --
                    set ended 1
                    continue
                case '--c*=*'
                    set category (string split -m1 -f2 = -- $token)
                    continue
                case -c '--c*'
                    set skip category
                    continue
                case '-c?*'
                    set category (string sub -s 3 -- $token)
                    continue
                case '--d*=*'
                    continue
                case '--d*'
                    set skip separator
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
    set -l command (commandline -opc)[1]
    set -l info (__metrivo_convert_operands)
    set -l category (string replace -r '^category\t' '' -- $info[1])
    set -l operands (string replace -r '^operand\t' '' -- $info[2..-1])
    if test -n "$category"
        $command --names $category 2>/dev/null
    else if test (count $operands) -eq 2
        $command --names-of $operands[2] 2>/dev/null
    else
        $command --names 2>/dev/null | sort -u
    end
end

complete -c metrivo-convert -f
complete -c metrivo-convert -s c -l category -x -a 'Length Temperature Speed Volume Weight Area' -d 'Category to convert in'
complete -c metrivo-convert -l decimal-separator -x -a '. ,' -d 'Decimal separator of the result'
complete -c metrivo-convert -l batch -d 'Convert tab-separated lines from files or standard input'
complete -c metrivo-convert -l list -d 'List categories, units and symbols'
complete -c metrivo-convert -l names -d 'Print the unit names'
complete -c metrivo-convert -l names-of -x -d 'Print the names of the units a unit converts into'
complete -c metrivo-convert -s h -l help -d 'Show help'
complete -c metrivo-convert -l version -d 'Show the version'
complete -c metrivo-convert -n __metrivo_convert_wants_unit -a '(__metrivo_convert_units)'
