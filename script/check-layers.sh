#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer, or when code
# outside platform/host/ includes SDL, GL, epoxy or system headers.
# Layers, lowest first: platform/host, platform, engine (its framework/ above
# the rest of it), content, game, then battle and frontend side by side, main.
# Usage: check-layers.sh [root]
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

layered=(platform engine content game battle frontend main)
sources() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) 2>/dev/null | sort; }

fail=0
# An include points up when its layer ranks higher; battle and frontend sit
# side by side and do not see each other; engine/framework/ sits on the
# rest of engine/.
up=$(sources "${layered[@]}" | xargs -r awk '
    function rank(p) {
        if (p ~ /^platform\/host\//) return 0
        if (p ~ /^platform\//) return 10
        if (p ~ /^engine\/framework\//) return 25
        if (p ~ /^engine\//) return 20
        if (p ~ /^content\//) return 30
        if (p ~ /^game\//) return 40
        if (p ~ /^battle\//) return 50
        if (p ~ /^frontend\//) return 51
        if (p ~ /^main\//) return 60
        return -1
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        t = $0
        sub(/^[^"]*"/, "", t)
        sub(/".*$/, "", t)
        from = rank(FILENAME)
        to = rank(t)
        if (to < 0) next
        if (to > from || (from >= 50 && to >= 50 && from < 60 && to != from))
            printf "%s:%d: includes \"%s\" from a higher layer\n", FILENAME, FNR, t
    }')
if [ -n "$up" ]; then
    echo "$up"
    fail=1
fi

# The host's own headers: windowing, GL and the operating system.
sys='#[[:space:]]*include[[:space:]]*[<"](SDL|GL/|epoxy/|GLES|unistd\.h|sys/|fcntl\.h|dirent\.h|signal\.h|pthread\.h|dlfcn\.h|poll\.h|termios\.h|pwd\.h)'
hits=$(sources "${layered[@]}" | grep -v '^platform/host/' | xargs -r grep -nE "$sys")
gfx=$(sources tools | xargs -r grep -nE '#[[:space:]]*include[[:space:]]*[<"](SDL|GL/|epoxy/|GLES)')
if [ -n "$hits$gfx" ]; then
    echo "SDL, GL or system headers outside platform/host/:"
    [ -n "$hits" ] && echo "$hits"
    [ -n "$gfx" ] && echo "$gfx"
    fail=1
fi

[ $fail -eq 0 ] && echo "layers ok"
exit $fail
