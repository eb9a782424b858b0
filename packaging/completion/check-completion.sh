#!/bin/bash
# Loads bash-completion and qovctl's bash completion and checks what it offers:
# every command and option that `qovctl --help` names, the --programmer values,
# COM numbers, serial devices (on a made-up /dev and on this machine's), profile
# files; also in the --option=value form.
# Usage: check-completion.sh QOVCTL COMPLETION_SCRIPT
set -u

qovctl=$1
script=$2
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

[ -x "$qovctl" ] || { echo "FAIL: $qovctl was not built" >&2; exit 1; }
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion ||
    { echo "FAIL: bash-completion is not installed (scripts/deps installs it)" >&2; exit 1; }
# shellcheck source=/dev/null
source "$script" || { echo "FAIL: $script does not load" >&2; exit 1; }
[[ $(complete -p qovctl) == *"-F _qovctl"* ]] || fail "complete -p qovctl: $(complete -p qovctl)"

# What the completion offers for the words of a line, the last one being completed.
# A word --option=value is broken up as bash does: "--option" "=" "value".
offers() {
    local w
    COMP_WORDS=(qovctl)
    for w in "$@"; do
        if [[ $w == --*=* ]]; then
            COMP_WORDS+=("${w%%=*}" =)
            [ -z "${w#*=}" ] || COMP_WORDS+=("${w#*=}")
        else
            COMP_WORDS+=("$w")
        fi
    done
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="qovctl $*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _qovctl qovctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}
expect() { # expect WANTED WORDS...: the offer is exactly WANTED (one per line)
    local wanted=$1 got
    shift
    got=$(offers "$@")
    [ "$got" = "$wanted" ] || fail "qovctl $* offers [${got//$'\n'/ }], not [${wanted//$'\n'/ }]"
}
has() { # has WORD WORDS...: WORD is among the offers
    local word=$1
    shift
    offers "$@" | grep -qxF -- "$word" || fail "qovctl $* does not offer $word"
}

help=$("$qovctl" --help) || fail "qovctl --help"
commands=$(printf '%s\n' "$help" | sed -n '/^Commands:/,/^$/p' | grep -oE '^  [a-z]+' | sort -u)
[ -n "$commands" ] || fail "no commands found in qovctl --help"
for c in $commands; do
    has "$c" ""
done
expect $'verify\nversion' ve
expect $'serial\nusb' --programmer ""
expect $'serial\nusb' --programmer=
expect usb --port 2 --programmer u
expect usb --programmer=u
expect $'verify\nversion' --programmer=usb ve
# COM numbers as the window's Com Port menu has them, 1 to 21.
expect $'2\n20\n21' --port 2
expect $'2\n20\n21' --port=2
has --simulate --debug-log log.txt --

# Every option of --help is offered somewhere: before the command or after its own.
for opt in $(printf '%s\n' "$help" | grep -oE '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+'); do
    found=
    for c in "" $commands; do
        if offers $c -- | grep -qxF -- "$opt"; then found=1; break; fi
    done
    [ -n "$found" ] || fail "$opt of qovctl --help is never offered"
done
has --json verify --
has --json doctor --
has --count learn --
has -o read -

# Serial devices, not the virtual consoles: this machine's /dev has tty1 and on.
if offers --device "" | grep -qE '^/dev/tty[0-9]'; then fail "--device offers virtual consoles"; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A made-up /dev, with a by-id link as udev makes them.
mkdir -p "$work/root/dev/serial/by-id"
touch "$work"/root/dev/{tty,tty1,tty63,console,ttyS0,ttyS1,ttyUSB0,ttyACM0}
ln -s ../../ttyUSB0 "$work/root/dev/serial/by-id/usb-Silicon_Labs_QOV_0001-if00-port0"
export QOV_COMPLETION_ROOT=$work/root
expect $'/dev/serial/by-id/usb-Silicon_Labs_QOV_0001-if00-port0\n/dev/ttyACM0\n/dev/ttyS0\n/dev/ttyS1\n/dev/ttyUSB0' \
    --device ""
expect /dev/ttyACM0 --device /dev/ttyA
expect /dev/ttyUSB0 --simulate --device=/dev/ttyU
unset QOV_COMPLETION_ROOT

# Profiles: *.json files and folders, nothing else.
mkdir -p "$work/profiles/saved"
touch "$work/profiles/board.json" "$work/profiles/notes.txt"
cd "$work/profiles" || exit 1
expect $'board.json\nsaved' write ""
expect board.json --simulate verify b
# --device takes any path outside /dev: a link made for qov-sim, say.
expect saved --device sa

[ $status = 0 ] && echo "bash completion: ok"
exit $status
