#!/bin/sh
# Every manual page passes mandoc's lint without a single message (a style
# message too: an unterminated quote shows in the rendered page), and is dated
# the day of the release.
# Usage: lint-manpages.sh MAN_DIR RELEASE_DATE
set -eu

man=$1
date=$2
command -v mandoc >/dev/null 2>&1 || { echo "skipped: mandoc is not installed (scripts/deps installs it)"; exit 77; }
status=0
count=0
for page in "$man"/*.[1-9]; do
    count=$((count + 1))
    report=$(mandoc -T lint "$page" 2>&1) || true
    if [ -n "$report" ]; then
        printf '%s\n' "$report" >&2
        echo "FAIL: mandoc -T lint reports the above on $page" >&2
        status=1
    fi
    th=$(sed -n 's/^\.TH  *[^ ]*  *[^ ]*  *"\([^"]*\)".*/\1/p' "$page")
    if [ "$th" != "$date" ]; then
        echo "FAIL: $page is dated \"$th\", the release $date" >&2
        status=1
    fi
done
[ "$count" -gt 0 ] || { echo "FAIL: no manual page in $man" >&2; exit 1; }
[ "$status" -ne 0 ] || echo "ok: $count manual page(s) lint clean, dated $date"
exit $status
