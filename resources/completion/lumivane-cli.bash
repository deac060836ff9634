# bash completion for lumivane-cli                      -*- shell-script -*-
#
# The commands, and each command's options, are read from the tool's own
# --help, so that what is added to the tool completes without a change
# here. The lists below serve when the tool cannot be run.

_lumivane_cli_fallback_commands="normalize bytes send serve"
_lumivane_cli_fallback_options="--scene --program --erase --reset --run --port --speed --osc --http --token"
_lumivane_cli_fallback_valued=" --scene --port --speed --osc --http --token "

# The commands: the first word of each line of the block after "Commands:"
# in "PROGRAM --help", up to the first empty line.
_lumivane_cli_commands()
{
    "$1" --help 2> /dev/null |
        awk '/^Commands:/ { on = 1; next } on && !NF { exit } on { print $1 }'
}

# The values an option takes.
_lumivane_cli_values()
{
    case $1 in
        --speed) compgen -W "standard high" -- "$2" ;;
        # Ttys by path; FTDI adapters ("Lumivane ... (n)") cannot be listed.
        --port) compgen -W "$(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*'
                               compgen -G '/dev/ttyS*')" -- "$2" ;;
    esac
}

_lumivane_cli()
{
    local program=${COMP_WORDS[0]} cword=$COMP_CWORD
    local cur=${COMP_WORDS[cword]} prev=${COMP_WORDS[cword - 1]}
    COMPREPLY=()

    # bash splits "--speed=high" at the "=".
    if [[ $cur == "=" && $prev == --* ]]; then
        mapfile -t COMPREPLY < <(_lumivane_cli_values "$prev" "")
        return
    elif [[ $prev == "=" ]] && ((cword > 2)); then
        mapfile -t COMPREPLY < <(_lumivane_cli_values "${COMP_WORDS[cword - 2]}" "$cur")
        return
    fi

    if ((cword == 1)); then
        local commands
        commands=$(_lumivane_cli_commands "$program")
        mapfile -t COMPREPLY < <(compgen -W "${commands:-$_lumivane_cli_fallback_commands} --help --version" -- "$cur")
        return
    fi

    # The command's options, from its usage; " --port PORT  ..." and
    # " --osc [ADDR:]PORT ..." lines name those that take a value.
    local help options='' valued=" " word
    help=$("$program" "${COMP_WORDS[1]}" --help 2> /dev/null)
    if [[ $help ]]; then
        while read -r word; do
            [[ " $options " == *" $word "* ]] || options+=" $word"
        done < <(grep -oE -- '--[a-z][a-z-]*' <<< "$help")
        valued+=$(sed -nE 's/^ +(--[a-z][a-z-]*) [][A-Z:]+ .*/\1/p' <<< "$help" | tr '\n' ' ')
    else
        options=$_lumivane_cli_fallback_options valued=$_lumivane_cli_fallback_valued
    fi

    # The words before this one: options, their values, "--", the file.
    local i file='' ended='' used=" "
    for ((i = 2; i < cword; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $ended ]]; then
            file=$word
        elif [[ $word == -- ]]; then
            ended=1
        elif [[ $word == --* || $word == -h ]]; then
            used+="$word "
            if [[ $valued == *" $word "* ]]; then
                [[ ${COMP_WORDS[i + 1]} == "=" ]] && ((i++))
                ((i++))
            fi
        elif [[ $word == "=" ]]; then
            ((i++))
        else
            file=$word
        fi
    done

    if [[ ! $ended && $valued == *" $prev "* ]]; then
        mapfile -t COMPREPLY < <(_lumivane_cli_values "$prev" "$cur")
    elif [[ $ended || ($cur != -* && ! $file) ]]; then
        # The scenario file: *.cfg files, and directories to find them in.
        compopt -o filenames 2> /dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.cfg' -- "$cur")
    else
        local left=()
        for word in $options --help; do
            [[ $used == *" $word "* ]] || left+=("$word")
        done
        mapfile -t COMPREPLY < <(compgen -W "${left[*]}" -- "$cur")
    fi
}

complete -F _lumivane_cli lumivane-cli
