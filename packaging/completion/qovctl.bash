# bash completion for qovctl                                 -*- shell-script -*-

# The serial devices a programmer can be: by-id names first (they survive
# replugging), then USB, ACM and on-board serial ports; never the virtual
# consoles. QOV_COMPLETION_ROOT stands in for / in the tests.
_qovctl_devices()
{
    local root=${QOV_COMPLETION_ROOT-} d
    for d in "$root"/dev/serial/by-id/* "$root"/dev/ttyUSB* "$root"/dev/ttyACM* "$root"/dev/ttyS*; do
        [[ -e $d || -L $d ]] && printf '%s\n' "${d#"$root"}"
    done
}

_qovctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash breaks "--port=3" into "--port" "=" "3": complete the value alike.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
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
            if [[ /dev/ == "$cur"* || $cur == /dev/* ]]; then
                COMPREPLY=($(compgen -W "$(_qovctl_devices)" -- "$cur"))
            fi
            # Any other path (a link made for qov-sim, say) is a file name.
            ((${#COMPREPLY[@]})) || COMPREPLY=($(compgen -f -- "$cur"))
            compopt -o filenames 2>/dev/null
            return
            ;;
        --debug-log | -o | --output)
            local IFS=$'\n'
            COMPREPLY=($(compgen -f -- "$cur"))
            compopt -o filenames 2>/dev/null
            return
            ;;
        --port)
            # The COM numbers the window's Com Port menu offers.
            COMPREPLY=($(compgen -W "$(echo {1..21})" -- "$cur"))
            return
            ;;
        --count | --timeout)
            return
            ;;
    esac

    # The command: the first word that is neither an option nor an option's value.
    local i command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        [[ ${COMP_WORDS[i + 1]} == = ]] && ((i += 2)) && continue # --option=value
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
