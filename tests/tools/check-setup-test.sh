#!/usr/bin/env bash
# tools/check-setup against small package lists: what is missing is named with its package, and a
# program of the toolchain file that no line provides is caught. Prints each fault and exits 1.
#   tests/tools/check-setup-test.sh <source folder>
set -u
top=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0

# expect <name> <list text> <exit code> <text the report must hold>...
expect() {
    local name=$1 text=$2 code=$3
    shift 3
    printf '%s\n' "$text" > "$work/list"
    local out rc
    out=$("$top/tools/check-setup" "$work/list" 2>&1)
    rc=$?
    if [ "$rc" != "$code" ]; then
        echo "FAILED $name: exit $rc, expected $code; said: $out"
        faults=$((faults + 1))
    fi
    for want in "$@"; do
        if [[ "$out" != *"$want"* ]]; then
            echo "FAILED $name: the report lacks \"$want\"; said: $out"
            faults=$((faults + 1))
        fi
    done
}

full=$(cat "$top/tools/packages")
expect "the project's own list" "$full" 0
expect "a missing command" "$full
deb korvel-test-pkg  korvel-no-such-command" 1 \
    "the command korvel-no-such-command is missing: it comes from the Debian package korvel-test-pkg"
expect "a missing file" "$full
deb korvel-test-pkg  /nonexistent/korvel/file" 1 \
    "/nonexistent/korvel/file is missing: it comes from the Debian package korvel-test-pkg"
expect "an unfetched source package" "$full
src korvel-test-src" 1 "the source of korvel-test-src is missing"
expect "a toolchain program that no line provides" "$(grep -v windres <<< "$full")" 1 \
    "calls i686-w64-mingw32-windres (i686), which no line of tools/packages provides" \
    "calls x86_64-w64-mingw32-windres (x86_64), which no line of tools/packages provides"
expect "a line that names nothing" "$full
deb korvel-test-pkg" 1 "the line of korvel-test-pkg names nothing"

[ "$faults" = 0 ] && echo "check-setup: every case passed"
exit $((faults > 0))
