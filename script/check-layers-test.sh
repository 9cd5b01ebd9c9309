#!/usr/bin/env bash
# Runs check-layers.sh on one-file trees and expects its verdict on each.
set -u
check=$(cd "$(dirname "$0")" && pwd)/check-layers.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# expected verdict | file | the line it holds
cases='fail|engine/A.cpp|#include "game/GameApplication.h"
fail|content/A.h|#include "battle/page/PageGame.h"
fail|frontend/A.cpp|  #  include "battle/page/PageGame.h"
fail|battle/effects/A.cpp|#include "frontend/PageMenu.h"
fail|engine/A.cpp|#include "engine/framework/RenderTargets.h"
fail|platform/A.cpp|#include <unistd.h>
fail|game/A.cpp|#include <sys/stat.h>
fail|engine/A.cpp|#include <SDL.h>
fail|main/A.cpp|#include <epoxy/gl.h>
pass|platform/host/A.cpp|#include <unistd.h>
pass|game/A.cpp|#include "engine/VxPage.h"
pass|engine/framework/A.cpp|#include "engine/VxPage.h"
pass|main/A.cpp|#include "battle/page/PageGame.h"
pass|battle/units/A.cpp|#include "battle/page/PageGame.h"'

bad=0
while IFS='|' read -r want file line; do
    rm -rf "${tmp:?}"/*
    mkdir -p "$tmp/$(dirname "$file")"
    printf '%s\n' "$line" >"$tmp/$file"
    if bash "$check" "$tmp" >/dev/null; then got=pass; else got=fail; fi
    if [ "$got" != "$want" ]; then
        echo "$file with '$line': expected $want, got $got"
        bad=1
    fi
done <<<"$cases"
[ $bad -eq 0 ] && echo "layer check verdicts ok"
exit $bad
