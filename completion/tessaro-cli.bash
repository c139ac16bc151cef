# bash completion for tessaro-cli                          -*- shell-script -*-
#
# The commands, their options and their arguments are read from the usage
# lines of `tessaro-cli --help`, so a new command or option is completed
# without a change here. Only the kinds of file each placeholder stands for
# are named below.

# The file extensions (for _filedir) a placeholder of the usage lines takes;
# any other placeholder takes any file.
_tessaro_cli_extensions()
{
    case $1 in
        FILE | IN | A | B) echo 'bup|mdx|img|ima' ;; # MDB backup file, archive or a disk image holding one
        IMAGE*) echo 'img|ima' ;;
        *.csv) echo 'csv' ;;
        STYFILE) echo 'b*' ;; # flash-style backup files: STY*.b*
        *) echo '' ;;
    esac
}

# Completes the alternatives of one placeholder such as "factory|default|STYFILE":
# the lower-case words as they stand, upper-case ones as files.
_tessaro_cli_argument()
{
    local alternative words=()
    local -a alternatives
    IFS='|' read -ra alternatives <<<"$1"
    for alternative in "${alternatives[@]}"; do
        if [[ $alternative =~ ^[a-z0-9]+$ ]]; then
            words+=("$alternative")
        else
            _filedir "$(_tessaro_cli_extensions "$alternative")"
        fi
    done
    ((${#words[@]})) && COMPREPLY+=($(compgen -W "${words[*]}" -- "$cur"))
    return 0
}

_tessaro_cli()
{
    local cur prev words cword
    _init_completion || return

    local help line
    help=$("$1" --help 2>/dev/null) || return

    # "  tessaro-cli report FILE [--tabs] [--flash factory|default|STYFILE] ..."
    local -A usage=()
    local global_options=''
    while IFS= read -r line; do
        if [[ $line =~ ^\ +tessaro-cli\ ([a-z][a-z0-9-]*)(.*)$ ]]; then
            usage[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
        elif [[ $line =~ ^\ +tessaro-cli\ [A-Z]+\ \.\.\.\ (--[a-z0-9-]+) ]]; then
            global_options+=" ${BASH_REMATCH[1]}" # taken after any command
        fi
    done <<<"$help"

    local command='' i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "${!usage[*]} --help --version" -- "$cur"))
        return
    fi
    [[ -v usage[$command] ]] || return

    # The options of the command with what each takes, and its positional placeholders.
    # A word is "[-o OUT]", "[--tabs]" or a placeholder such as "FILE".
    local word='^[[:space:]]*(\[(-[^] ]+)( ([^]]+))?\]|([^][:space:]]+))(.*)$'
    local spec=${usage[$command]}
    local -A takes=()
    local options=$global_options positionals=()
    while [[ $spec =~ $word ]]; do
        if [[ ${BASH_REMATCH[2]} ]]; then
            options+=" ${BASH_REMATCH[2]}"
            takes[${BASH_REMATCH[2]}]=${BASH_REMATCH[4]}
        else
            positionals+=("${BASH_REMATCH[5]}")
        fi
        spec=${BASH_REMATCH[6]}
    done

    if [[ $prev == -* && ${takes[$prev]-} ]]; then
        _tessaro_cli_argument "${takes[$prev]}"
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # Which positional argument this is: words after the command that are
    # neither options nor what an option takes.
    local n=0
    for ((i = i + 1; i < cword; i++)); do
        if [[ ${words[i]} == -* ]]; then
            [[ ${takes[${words[i]}]-} ]] && ((i++))
        else
            ((n++))
        fi
    done
    ((n < ${#positionals[@]})) && _tessaro_cli_argument "${positionals[n]}"
    return 0
} &&
    complete -F _tessaro_cli tessaro-cli

# ex: filetype=sh
