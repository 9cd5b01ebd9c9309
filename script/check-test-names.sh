#!/usr/bin/env bash
# Keeps each test file's names its own, so that any test file builds in one
# unit with any other (csq_tests builds its files in batches). Fails when
#  - a test file or test header opens a namespace (`using namespace`) at its
#    top level or in its unnamed namespace, where it reaches the files after
#    it in a unit; in a function or a namespace named after the file it stays
#    the file's own (std's literal suffixes, which no test names, may open
#    anywhere);
#  - a test file defines a macro it does not undefine again;
#  - given a compiler, every test file (tests/*.cpp, tests/gl/*.cpp) as one
#    unit does not compile: in name order and again in reverse, so that each
#    pair of files meets in both orders. The files that include Xlib come last
#    both times, as its macros (None, True, Status, ...) would break the
#    game's own headers after them.
# Usage: check-test-names.sh root [compiler and its arguments...]
set -u
root=$1
shift
cd "$root" || exit 2

fail=0
files=$(ls tests/*.cpp tests/gl/*.cpp 2>/dev/null | LC_ALL=C sort)
[ -n "$files" ] || { echo "no test files under $root/tests"; exit 2; }
headers=$(ls tests/*.h tests/gl/*.h 2>/dev/null | LC_ALL=C sort)

# Namespace scope is column 0 (the house layout indents no namespace).
opens=$(printf '%s\n' "$files" "$headers" | grep . | xargs awk '
    FNR == 1 { depth = 0; named = 0 }
    # A namespace opened and closed on one line holds nothing after it.
    /^namespace[ \t]*([A-Za-z_][A-Za-z_0-9:]*)?[ \t]*\{.*\}/ { next }
    /^namespace[ \t]+[A-Za-z_][A-Za-z_0-9:]*[ \t]*\{/ { kind[++depth] = 1; named++; next }
    /^namespace[ \t]*\{/ { kind[++depth] = 0; next }
    /^\}[ \t]*\/\/[ \t]*namespace/ { if (depth > 0) named -= kind[depth--]; next }
    /^using[ \t]+namespace[ \t]/ {
        if (named == 0 && $0 !~ /^using[ \t]+namespace[ \t]+std(::[a-z_]+)?::[a-z_]*literals[ \t]*;/)
            printf "%s:%d: %s\n", FILENAME, FNR, $0
    }')
if [ -n "$opens" ]; then
    echo "a namespace opened where it reaches the next test files (put it in a function or a namespace named after the file):"
    echo "$opens"
    fail=1
fi

macros=$(printf '%s\n' "$files" | xargs awk '
    function report(f) { for (m in defined) printf "%s: #define %s\n", f, m; delete defined }
    FNR == 1 && NR > 1 { report(last) }
    { last = FILENAME }
    /^[ \t]*#[ \t]*define[ \t]/ { m = $0; sub(/^[ \t]*#[ \t]*define[ \t]+/, "", m); sub(/[^A-Za-z_0-9].*$/, "", m); defined[m] = 1 }
    /^[ \t]*#[ \t]*undef[ \t]/ { m = $0; sub(/^[ \t]*#[ \t]*undef[ \t]+/, "", m); sub(/[^A-Za-z_0-9].*$/, "", m); delete defined[m] }
    END { report(last) }')
if [ -n "$macros" ]; then
    echo "a macro that reaches the next test files (#undef it at the end of the file):"
    echo "$macros"
    fail=1
fi

if [ $# -gt 0 ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    xlib=$(printf '%s\n' "$files" | xargs grep -lE '#[[:space:]]*include[[:space:]]*[<"](X11/|tests/gl/XClient\.h|XClient\.h)' |
        LC_ALL=C sort)
    rest=$(printf '%s\n' "$files" | grep -vxF -e "${xlib:-/}")
    # unit FILES: a unit that includes them, one a line, in that order.
    unit() { sed "s|.*|#include \"$PWD/&\"|"; }
    printf '%s\n' "$rest" "$xlib" | grep . | unit >"$tmp/forward.cpp"
    { printf '%s\n' "$rest" | tac; printf '%s\n' "$xlib" | tac; } | grep . | unit >"$tmp/reverse.cpp"
    for order in forward reverse; do
        "$@" -fsyntax-only -x c++ "$tmp/$order.cpp" >"$tmp/$order.log" 2>&1 &
        echo $! >"$tmp/$order.pid"
    done
    for order in forward reverse; do
        if ! wait "$(cat "$tmp/$order.pid")"; then
            echo "the test files do not build as one unit in $order name order:"
            grep -E 'error|note: previous|note: candidates' "$tmp/$order.log" | head -40
            fail=1
        fi
    done
fi

[ $fail -eq 0 ] && echo "test file names ok"
exit $fail
