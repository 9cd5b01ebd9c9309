#!/usr/bin/env bash
# Runs check-test-names.sh on small made-up test folders and expects its
# verdict on each: pass, or a failure for a namespace opened where it reaches
# the next files (opens), a macro left defined (macro), or files that do not
# build as one unit (unit). A folder is the rows of one case, each row a file
# and its lines (\n between).
# Usage: check-test-names-test.sh compiler
set -u
compiler=${1:-c++}
check=$(cd "$(dirname "$0")" && pwd)/check-test-names.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# case | expected verdict | file | its lines
cases='names of their own|pass|tests/a_test.cpp|namespace {\nint kCount = 1;\n}  // namespace\nint CountA() { return kCount; }
names of their own|pass|tests/b_test.cpp|namespace {\nint kTotal = 2;\n}  // namespace\nint CountB() { return kTotal; }
one name in two files|unit|tests/a_test.cpp|namespace {\nint kCount = 1;\n}  // namespace
one name in two files|unit|tests/b_test.cpp|namespace {\nint kCount = 2;\n}  // namespace
a shared header serves both|pass|tests/Shared.h|#pragma once\ninline int kCount = 1;
a shared header serves both|pass|tests/a_test.cpp|#include "Shared.h"\nint CountA() { return kCount; }
a shared header serves both|pass|tests/b_test.cpp|#include "Shared.h"\nint CountB() { return kCount; }
a file hides a header name a later file uses|unit|tests/Shared.h|#pragma once\nstruct Play {};
a file hides a header name a later file uses|unit|tests/a_test.cpp|namespace {\nstruct Play {};\n}  // namespace
a file hides a header name a later file uses|unit|tests/b_test.cpp|#include "Shared.h"\nPlay b;
an earlier file uses the header name (the reverse order finds it)|unit|tests/Shared.h|#pragma once\nstruct Play {};
an earlier file uses the header name (the reverse order finds it)|unit|tests/a_test.cpp|#include "Shared.h"\nPlay a;
an earlier file uses the header name (the reverse order finds it)|unit|tests/b_test.cpp|namespace {\nstruct Play {};\n}  // namespace
window tests clash with the others|unit|tests/a_test.cpp|namespace {\nint kFrames = 1;\n}  // namespace
window tests clash with the others|unit|tests/gl/b_test.cpp|namespace {\nint kFrames = 2;\n}  // namespace
a namespace opened at the top level|opens|tests/a_test.cpp|namespace std {}\nusing namespace std;
a namespace opened in the unnamed namespace|opens|tests/a_test.cpp|namespace {\nusing namespace std;\n}  // namespace
a test header that opens one|opens|tests/Shared.h|#pragma once\nusing namespace std;
a test header that opens one|opens|tests/a_test.cpp|namespace std {}\n#include "Shared.h"
a namespace opened in the file'"'"'s own|pass|tests/a_test.cpp|#include <string>\nnamespace a_test {\nusing namespace std;\nnamespace {\nstring Name() { return "a"; }\n}  // namespace\n}  // namespace a_test
a namespace opened in a function|pass|tests/a_test.cpp|#include <string>\nint Size() {\n    using namespace std;\n    return int(string("a").size());\n}
std literals open anywhere|pass|tests/a_test.cpp|#include <chrono>\nusing namespace std::chrono_literals;\nauto kWait = 10ms;
a macro left defined|macro|tests/a_test.cpp|#define COUNT 3\nint kCount = COUNT;
a macro undefined again|pass|tests/a_test.cpp|#define COUNT 3\nint kCount = COUNT;\n#undef COUNT
the files with Xlib come last|pass|tests/gl/a_test.cpp|#include <X11/Xlib.h>\nBool Opened() { return True; }
the files with Xlib come last|pass|tests/z_test.cpp|enum class Mode { None, Some };\nMode kMode = Mode::None;'

names=$(printf '%s\n' "$cases" | cut -d'|' -f1 | awk '!seen[$0]++')
bad=0
while IFS= read -r name; do
    rm -rf "${tmp:?}"/*
    want=""
    while IFS='|' read -r c verdict file lines; do
        [ "$c" = "$name" ] || continue
        want=$verdict
        mkdir -p "$tmp/$(dirname "$file")"
        printf '%b\n' "$lines" >>"$tmp/$file"
    done <<<"$cases"
    out=$(bash "$check" "$tmp" "$compiler" -std=c++17 2>&1)
    status=$?
    got=pass
    if [ $status -ne 0 ]; then
        # The message says which rule failed; an error of the check itself is none.
        got=other
        case $out in
        "a namespace opened where"*) got=opens ;;
        "a macro that reaches"*) got=macro ;;
        "the test files do not build as one unit"*) got=unit ;;
        esac
    fi
    if [ "$got" != "$want" ]; then
        echo "$name: expected $want, got $got"
        printf '%s\n' "$out" | sed 's/^/  /'
        bad=1
    fi
done <<<"$names"
[ $bad -eq 0 ] && echo "test name check verdicts ok"
exit $bad
