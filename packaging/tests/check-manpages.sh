#!/bin/sh
# Every option that a tool's --help names must be described in its manual page;
# each page names the other tools' pages under SEE ALSO; the environment
# variables that the code shared by qovctl and qovprog reads are described in
# both their pages.
# Usage: check-manpages.sh BUILD_DIR MAN_DIR
set -eu

build=$1
man=$2
status=0
# qovprog reads and may write its preferences: keep them away from the user's.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

for tool in qovctl qov-sim qovprog; do
    exe=$build/$tool
    page=$man/$tool.1
    [ -x "$exe" ] || { echo "FAIL: $exe was not built" >&2; exit 1; }
    [ -f "$page" ] || { echo "FAIL: $page is missing" >&2; exit 1; }

    # A program that opens its window instead of answering --help is stopped
    # and has no options to check.
    help=$(timeout 10 "$exe" --help 2>&1 </dev/null) || true
    # The page as plain text: "\-" is a hyphen, font changes are dropped.
    text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
    options=$(printf '%s\n' "$help" |
        grep -oE '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*' |
        sed -E 's/^[^-]*//' | LC_ALL=C sort -u)
    count=0
    for opt in $options; do
        count=$((count + 1))
        if ! printf '%s\n' "$text" | grep -qE -- "(^|[^A-Za-z0-9_-])$opt([^A-Za-z0-9_-]|\$)"; then
            echo "FAIL: $tool --help names $opt but $page does not" >&2
            status=1
        fi
    done
    echo "$tool: $count option(s) checked"

    see_also=$(printf '%s\n' "$text" | sed -n '/^\.SH SEE ALSO/,/^\.SH/p')
    for other in qovctl qov-sim qovprog; do
        [ "$other" = "$tool" ] && continue
        printf '%s\n' "$see_also" | grep -q "^\.BR $other (1)" ||
            { echo "FAIL: $page does not name $other(1) under SEE ALSO" >&2; status=1; }
    done
done

# The variables read outside the programs' own main files, by either front end.
src=$(dirname "$0")/../..
variables=$(cd "$src" && grep -rhoE --include='*.cpp' --exclude=main.cpp '"QOV_[A-Z_]+"' \
    app cli device settings codes learn | tr -d '"' | LC_ALL=C sort -u)
[ -n "$variables" ] || { echo "FAIL: no QOV_ variable found in the sources" >&2; status=1; }
for variable in $variables; do
    for tool in qovctl qovprog; do
        sed -n '/^\.SH ENVIRONMENT/,/^\.SH/p' "$man/$tool.1" | grep -qx ".B $variable" ||
            { echo "FAIL: $man/$tool.1 does not describe $variable under ENVIRONMENT" >&2; status=1; }
    done
done
exit $status
