# bash completion for qovctl                                 -*- shell-script -*-

_qovctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="read write verify version learn ports defaults doctor"
    local options="--help --version --programmer --port --device --self-powered
        --force-power --debug-log --verbose --simulate --quiet"
    COMPREPLY=()

    # The value of an option that takes one.
    case $prev in
        --programmer)
            COMPREPLY=($(compgen -W "serial usb" -- "$cur"))
            return
            ;;
        --device)
            local IFS=$'\n'
            COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}"))
            compopt -o filenames 2>/dev/null
            return
            ;;
        --debug-log | -o | --output)
            local IFS=$'\n'
            COMPREPLY=($(compgen -f -- "$cur"))
            compopt -o filenames 2>/dev/null
            return
            ;;
        --port | --count | --timeout)
            return
            ;;
    esac

    # The command: the first word that is neither an option nor an option's value.
    local i command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --programmer | --port | --device | --debug-log | -o | --output | --count | --timeout)
                ((i++))
                ;;
            -*) ;;
            *)
                command=${COMP_WORDS[i]}
                break
                ;;
        esac
    done

    case $command in
        read | defaults) options+=" --json -o --output" ;;
        write) options+=" --defaults --json" ;;
        verify | version | ports | doctor) options+=" --json" ;;
        learn) options+=" --count --timeout --json" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        "")
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            ;;
        write | verify)
            # A settings profile, or a folder on the way to one.
            local IFS=$'\n'
            COMPREPLY=($(compgen -f -X '!*.json' -- "$cur") $(compgen -d -- "$cur"))
            compopt -o filenames 2>/dev/null
            ;;
    esac
}
complete -F _qovctl qovctl
