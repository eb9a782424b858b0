#!/usr/bin/env zsh
# Loads qovctl's zsh completion into an interactive zsh on a pseudo-terminal
# (compinit, as a user's shell does), presses Tab after a line and checks the
# matches offered and what ends up on the line: serial devices as full paths (on
# a made-up /dev and on this machine's), the --programmer values and COM numbers,
# also in the --option=value form.
# Usage: check-completion.zsh COMPLETION_DIR
emulate -L zsh
setopt no_unset pipe_fail
zmodload zsh/zpty zsh/datetime

dir=${1:A}
[[ -r $dir/_qovctl ]] || { print -u2 "FAIL: $dir/_qovctl is missing"; exit 1 }
work=$(mktemp -d)
trap 'zpty -d qov 2>/dev/null; rm -rf $work' EXIT
status_=0
fail() { print -u2 -r -- "FAIL: $*"; status_=1 }

# A made-up /dev, with a by-id link as udev makes them.
mkdir -p $work/root/dev/serial/by-id
touch $work/root/dev/{tty,tty1,tty63,console,ttyS0,ttyS1,ttyUSB0,ttyACM0}
ln -s ../../ttyUSB0 $work/root/dev/serial/by-id/usb-Silicon_Labs_QOV_0001-if00-port0

# Every match a completion function adds is also written to $work/matches; Tab
# completes and then writes the line to $work/line.
cat >$work/.zshrc <<EOF
PS1='> '
fpath=($dir \$fpath)
autoload -U compinit && compinit -u -D
compadd() {
    if (( \${@[(I)-[OAD]*]} == 0 )); then
        local -a found
        builtin compadd -O found "\$@"
        print -rl -- \$found >>$work/matches
    fi
    builtin compadd "\$@"
}
qov-tab() { zle complete-word; print -r -- "\$BUFFER" >$work/line.new; mv $work/line.new $work/line }
zle -N qov-tab
bindkey '^I' qov-tab
bindkey '^U' kill-whole-line
EOF
zpty qov "exec env ZDOTDIR=$work QOV_COMPLETION_ROOT=\${QOV_ROOT-} zsh -d -i"

# complete LINE: after Tab, $matches holds what was offered (sorted) and $line the line.
complete() {
    rm -f $work/matches $work/line
    zpty -w -n qov $'\C-u'"qovctl $1"$'\t'
    local start=$EPOCHREALTIME
    while [[ ! -e $work/line ]]; do
        (( EPOCHREALTIME - start < 30 )) || { fail "no answer to Tab after: qovctl $1"; return 1 }
        zpty -r -t qov out 2>/dev/null || sleep 0.05
    done
    line=$(<$work/line)
    matches=
    [[ ! -e $work/matches ]] || matches=$(LC_ALL=C sort -u $work/matches)
}
expect() { # expect WANTED LINE: the matches are exactly WANTED (one per line)
    complete $2 || return 0
    [[ $matches == $1 ]] || fail "qovctl $2 offers [${matches//$'\n'/ }], not [${1//$'\n'/ }]"
}

# This machine's /dev: serial devices, never the virtual consoles tty1 and on.
complete '--device '
if print -r -- $matches | grep -E '^/dev/tty[0-9]'; then fail "--device offers virtual consoles"; fi
expect $'serial\nusb' '--programmer '
expect usb '--programmer=u'
expect $'2\n20\n21' '--port 2'
expect $'2\n20\n21' '--port=2'
zpty -d qov

QOV_ROOT=$work/root
zpty qov "exec env ZDOTDIR=$work QOV_COMPLETION_ROOT=$QOV_ROOT zsh -d -i"
expect $'/dev/serial/by-id/usb-Silicon_Labs_QOV_0001-if00-port0\n/dev/ttyACM0\n/dev/ttyS0\n/dev/ttyS1\n/dev/ttyUSB0' \
    '--device '
# The whole path goes onto the line, in both forms.
complete '--device /dev/ttyA'
[[ $line == 'qovctl --device /dev/ttyACM0 ' ]] || fail "Tab after --device /dev/ttyA gives: $line"
complete '--device=/dev/ttyU'
[[ $line == 'qovctl --device=/dev/ttyUSB0 ' ]] || fail "Tab after --device=/dev/ttyU gives: $line"

(( status_ )) || print "zsh completion: ok"
exit $status_
