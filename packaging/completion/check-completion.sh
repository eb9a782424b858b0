#!/bin/bash
# Loads qovctl's bash completion and checks what it offers: every command and
# option that `qovctl --help` names, the --programmer values, profile files.
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
source "$script" || { echo "FAIL: $script does not load" >&2; exit 1; }
[[ $(complete -p qovctl) == *"-F _qovctl"* ]] || fail "complete -p qovctl: $(complete -p qovctl)"

# What the completion offers for the words of a line, the last one being completed.
offers() {
    COMP_WORDS=(qovctl "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _qovctl
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
expect usb --port 2 --programmer u
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

# Profiles: *.json files and folders, nothing else.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/saved"
touch "$work/board.json" "$work/notes.txt"
cd "$work" || exit 1
expect $'board.json\nsaved' write ""
expect board.json --simulate verify b

[ $status = 0 ] && echo "bash completion: ok"
exit $status
