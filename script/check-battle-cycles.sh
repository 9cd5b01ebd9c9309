#!/usr/bin/env bash
# Keeps the battle's parts in one direction: page over model, units and effects.
# Fails when
#  - the includes between battle/ components go round in a circle, unless every
#    component in the circle is in battle/model/ or battle/units/ (the model and
#    its units are one tight group);
#  - a unit or an effect includes the page's header battle/page/PageGame.h;
#  - code outside the model, its units and the test tooling includes
#    battle/model/BattleRules.h, the rules' way to change a battle's state;
#  - battle/, game/ or frontend/ compares a unit id as a bare number (1001-1032)
#    instead of by its name from content/UnitIds.h;
#  - battle/ compares a robot's id (1-39) as a number, or a table in content/
#    lists one in a robot column, instead of by its RobotId:: name;
#  - battle/ casts a number into a field-effect kind, weapon id or bullet motion,
#    or compares a field-effect record's own kind with or switches it on a
#    number (elsewhere their types make the compiler refuse a bare number);
#  - battle/ compares a stage with a number or has a case label of a mini-game
#    (151-180), instead of asking the stage's kind, mode or row in content/;
#    the few rules that name one stage of their own are listed below.
# A component is a header and the .cpp of the same name. A .cpp without a header
# of its own counts with the headers whose classes it defines members of (the
# split parts of a large class), or stands alone when it defines none.
# Usage: check-battle-cycles.sh [root]
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

fail=0
files=$(find battle -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | LC_ALL=C sort)

if [ -n "$files" ]; then
    # Plain POSIX awk: Debian's default awk is mawk.
    cycles=$(printf '%s\n' "$files" | xargs awk '
        function strip(p) { sub(/\.(cpp|h)$/, "", p); return p }
        FNR == 1 {
            nfile++
            file[nfile] = FILENAME
            base = strip(FILENAME)
            if (!(base in seen)) { seen[base] = 1; node[++nnode] = base }
            if (FILENAME ~ /\.h$/) hasHeader[base] = 1
        }
        /^[ \t]*#[ \t]*include[ \t]*"battle\// {
            t = $0
            sub(/^[^"]*"/, "", t)
            sub(/".*$/, "", t)
            ninc[FILENAME]++
            inc[FILENAME, ninc[FILENAME]] = t
            incLine[FILENAME, ninc[FILENAME]] = FNR
            next
        }
        # A class or struct a header defines, not one it only declares.
        FILENAME ~ /\.h$/ && /^[ \t]*(class|struct)[ \t]+[A-Za-z_]/ &&
        !/^[ \t]*(class|struct)[ \t]+[A-Za-z_][A-Za-z_0-9]*[ \t]*;/ {
            s = $0
            sub(/^[ \t]*(class|struct)[ \t]+/, "", s)
            match(s, /^[A-Za-z_][A-Za-z_0-9]*/)
            declaredIn[substr(s, 1, RLENGTH)] = strip(FILENAME)
            next
        }
        # A member defined outside its class: "Type CName::Member(" at the margin
        # (what follows the parenthesis is a body or arguments, not a name).
        FILENAME ~ /\.cpp$/ && /^[A-Za-z_~]/ {
            s = $0
            sub(/\(.*/, "", s)
            while (match(s, /[A-Za-z_][A-Za-z_0-9]*::/)) {
                defines[FILENAME, substr(s, RSTART, RLENGTH - 2)] = 1
                s = substr(s, RSTART + RLENGTH)
            }
        }
        function addEdge(a, b, where) {
            if (a == b || ((a, b) in edge)) return
            edge[a, b] = where
            nout[a]++
            out[a, nout[a]] = b
        }
        function strong(v,   i, w) {
            low[v] = order[v] = ++counter
            stack[++sp] = v
            onStack[v] = 1
            for (i = 1; i <= nout[v]; i++) {
                w = out[v, i]
                if (!(w in order)) {
                    strong(w)
                    if (low[w] < low[v]) low[v] = low[w]
                } else if (onStack[w] && order[w] < low[v]) low[v] = order[w]
            }
            if (low[v] == order[v]) {
                ncomp++
                do {
                    w = stack[sp--]
                    onStack[w] = 0
                    comp[w] = ncomp
                    size[ncomp]++
                } while (w != v)
            }
        }
        END {
            for (k in defines) {
                split(k, part, SUBSEP)
                if ((part[2] in declaredIn) && !hasHeader[strip(part[1])]) {
                    owns[part[1]] = owns[part[1]] " " declaredIn[part[2]]
                }
            }
            for (i = 1; i <= nfile; i++) {
                f = file[i]
                n = split(owns[f], owner, " ")
                if (n == 0) { n = 1; owner[1] = strip(f) }
                for (j = 1; j <= ninc[f]; j++) {
                    t = strip(inc[f, j])
                    if (!(t in seen)) continue
                    # One file that defines several classes holds them together:
                    # its includes of their own headers join no two of them.
                    if (index(" " owns[f] " ", " " t " ")) continue
                    for (o = 1; o <= n; o++) addEdge(owner[o], t, f ":" incLine[f, j])
                }
            }
            for (i = 1; i <= nnode; i++) if (!(node[i] in order)) strong(node[i])
            for (c = 1; c <= ncomp; c++) {
                if (size[c] < 2) continue
                allowed = 1
                list = ""
                for (i = 1; i <= nnode; i++) {
                    v = node[i]
                    if (comp[v] != c) continue
                    list = list "\n  " v
                    if (v !~ /^battle\/(model|units)\//) allowed = 0
                }
                if (allowed) continue
                printf "include cycle through %d components:%s\n  by the includes:\n", size[c], list
                for (i = 1; i <= nnode; i++) {
                    v = node[i]
                    if (comp[v] != c) continue
                    for (j = 1; j <= nout[v]; j++) {
                        w = out[v, j]
                        if (comp[w] == c) printf "    %s -> %s (%s)\n", v, w, edge[v, w]
                    }
                }
            }
        }')
    if [ -n "$cycles" ]; then
        echo "$cycles"
        fail=1
    fi
fi

# Units and effects see the battle through the model and its view, not the page.
page=$(find battle/units battle/effects -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | LC_ALL=C sort |
    xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"battle/page/PageGame\.h"')
if [ -n "$page" ]; then
    echo "units and effects that include the page:"
    echo "$page"
    fail=1
fi

# Only the rules change a battle's state: the page and the effects read it.
rules=$(find . -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sed 's|^\./||' |
    grep -vE '^(battle/model|battle/units|tools|tests|bench)/' | LC_ALL=C sort |
    xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"battle/model/BattleRules\.h"')
if [ -n "$rules" ]; then
    echo "code outside the rules that includes their access to the state:"
    echo "$rules"
    fail=1
fi

# Unit ids by name: a bare 1001-1032 next to a comparison is an id in disguise.
dirs=()
for d in battle game frontend; do [ -d "$d" ] && dirs+=("$d"); done
if [ ${#dirs[@]} -gt 0 ]; then
    ids=$(grep -rnE '(==|!=|case)[[:space:]]*10(0[1-9]|[12][0-9]|3[0-2])\b' "${dirs[@]}")
    if [ -n "$ids" ]; then
        echo "unit ids compared as numbers (use the names in content/UnitIds.h):"
        echo "$ids"
        fail=1
    fi
fi

# Robot ids by name too. A robot's id is a small number, so the check looks at
# what is compared: a unit's type (Type(), m_iType, or a name type, card or
# robot) beside == or != and 1-39 (0 reads as "none"), a case label 1-39 in a
# switch on one, and a card asked for by number (FindHandCard(23)); in the
# field effects' files `type` is the effect's kind. In content/, a table's
# robot columns (.card, .cards, .reels, .runLast, the robot of a StageRobot row)
# hold names, not numbers, and so do a mini-game row's Machine columns (the
# duel boss's .type, .destroyer, the pace's .spared; -1 reads as "none").
fieldEffectFiles='battle/page/PageGameFieldEffects.cpp battle/model/FieldEffectRules.cpp'
robots=$(find battle content -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | LC_ALL=C sort |
    xargs -r awk -v exempt="$fieldEffectFiles" '
    BEGIN {
        n = split(exempt, e, " ")
        for (i = 1; i <= n; i++) kindFile[e[i]] = 1
        id = "([1-9]|[12][0-9]|3[0-9])"
        strongType = "(Type\\(\\)|m_iType)"
        weakType = "(^|[^A-Za-z_0-9.>])(p\\.)?(type|card|robot)"
    }
    FNR == 1 { inSwitch = 0; inColumn = 0; inTable = 0 }
    function report(tag) { print tag " " FILENAME ":" FNR ": " $0 }
    {
        code = $0
        sub(/\/\/.*$/, "", code)
        unit = strongType
        switchOn = "switch[ \t]*\\(.*" strongType
        if (!(FILENAME in kindFile)) {
            unit = "(" strongType "|" weakType ")"
            switchOn = "(" switchOn "|switch[ \t]*.*" weakType ")"
        }
    }
    FILENAME ~ /^battle\// {
        if (code ~ (unit "[ \t]*[!=]=[ \t]*" id "([^0-9.]|$)") ||
            code ~ ("FindHandCard\\([ \t]*" id "[ \t]*\\)")) { report("robot"); next }
        if (code ~ switchOn) {
            inSwitch = 1
            match($0, /^[ \t]*/)
            indent = substr($0, 1, RLENGTH)
            next
        }
        if (inSwitch && $0 ~ ("^" indent "}")) inSwitch = 0
        if (inSwitch && code ~ ("case[ \t]+" id "[ \t]*:")) report("robot")
        next
    }
    # content/: a robot column, possibly over several lines, up to its end.
    {
        t = code
        while (t != "") {
            if (!inColumn) {
                if (!match(t, /\.(cards|reels|card|runLast|type|destroyer|spared)[ \t]*=[^=]/)) break
                inColumn = 1
                column = substr(t, RSTART, RLENGTH) ~ /^\.(type|destroyer|spared)/ ? "machine" : "robot"
                depth = 0
                t = substr(t, RSTART + RLENGTH - 1)
            }
            value = t
            rest = ""
            for (i = 1; i <= length(t); i++) {
                ch = substr(t, i, 1)
                if (ch == "{") depth++
                else if (ch == "}" && depth > 0) depth--
                else if ((ch == "," || ch == "}") && depth == 0) depth = -1
                if (depth == -1 || (ch == "}" && depth == 0)) {
                    value = substr(t, 1, i)
                    rest = substr(t, i + 1)
                    inColumn = 0
                    break
                }
            }
            if (value ~ /(^|[^A-Za-z_0-9:.-])[0-9]+/) { report(column); break }
            t = rest
        }
        if (code ~ /^[ \t]*(static[ \t]+)?const[ \t]+StageRobot[ \t]/) inTable = 1
        if (inTable && code ~ /\{[ \t]*[0-9]+[ \t]*,[ \t]*[0-9]+[ \t]*\}/) report("robot")
        if (inTable && code ~ /};/) inTable = 0
    }')
robotLines=$(printf '%s\n' "$robots" | sed -n 's/^robot //p')
if [ -n "$robotLines" ]; then
    echo "robot ids compared or listed as numbers (use the names in content/UnitIds.h):"
    echo "$robotLines"
    fail=1
fi
machineLines=$(printf '%s\n' "$robots" | sed -n 's/^machine //p')
if [ -n "$machineLines" ]; then
    echo "Machine ids listed as numbers in a mini-game row (use the names in content/UnitIds.h):"
    echo "$machineLines"
    fail=1
fi

# Field-effect kinds, weapon ids and bullet motions are types of their own
# (content/FieldEffectTypes.h, content/WeaponIds.h, content/WeaponDefinition.h),
# so the compiler refuses a bare number where one is meant: an argument
# (AddFieldEffect(source, 19, ...), FireBullet(22, ...)), a comparison
# (m_Weapon.m_iId == 26, motion == 8) or a case label in a switch on one. What
# it lets through is looked for here: a number made into one by a cast
# (FieldEffectType(19), WeaponId{26}, static_cast<BulletMotion>(8),
# (WeaponId)26), and a field-effect record's own kind, a plain number of the
# engine's record, compared with or switched on a number in a file that names
# the record (FieldEffect; read it with FieldEffectKind).
if [ -d battle ]; then
    recordFiles=$(find battle -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort |
        xargs -r grep -lE '(^|[^A-Za-z_0-9])FieldEffect([^A-Za-z_0-9(]|$)')
    named=$(find battle -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort |
        xargs -r awk -v recordFiles="$recordFiles" '
        BEGIN {
            n = split(recordFiles, e, /[ \n]+/)
            for (i = 1; i <= n; i++) recordFile[e[i]] = 1
            num = "-?[0-9]+"
            end = "([^0-9.]|$)"
            types["FieldEffectType"] = "effect"
            types["WeaponId"] = "weapon"
            types["BulletMotion"] = "motion"
        }
        FNR == 1 { inSwitch = 0 }
        function report(tag) { print tag " " FILENAME ":" FNR ": " $0 }
        {
            code = $0
            sub(/\/\/.*$/, "", code)
            for (t in types) {
                if (code ~ ("(^|[^A-Za-z_0-9:])" t "[ \t]*[({][ \t]*" num "[ \t]*[)}]") ||
                    code ~ ("static_cast[ \t]*<[ \t]*" t "[ \t]*>[ \t]*\\([ \t]*" num "[ \t]*\\)") ||
                    code ~ ("\\([ \t]*" t "[ \t]*\\)[ \t]*" num end)) { report(types[t]); next }
            }
            if (!(FILENAME in recordFile)) next
            if (code ~ ("\\.kind[ \t]*[!=]=[ \t]*" num end) ||
                code ~ ("(^|[^A-Za-z_0-9.])" num "[ \t]*[!=]=[ \t]*[A-Za-z_0-9.>()-]*\\.kind([^A-Za-z_0-9]|$)")) {
                report("effect")
                next
            }
            if (code ~ /switch[ \t]*\(.*\.kind[ \t]*\)/) {
                inSwitch = 1
                match($0, /^[ \t]*/)
                indent = substr($0, 1, RLENGTH)
                next
            }
            if (inSwitch && $0 ~ ("^" indent "}")) inSwitch = 0
            if (inSwitch && code ~ ("case[ \t]+" num "[ \t]*:")) report("effect")
        }')
    for what in effect weapon motion; do
        found=$(printf '%s\n' "$named" | sed -n "s/^$what //p")
        [ -n "$found" ] || continue
        case $what in
        effect) echo "field-effect kinds as numbers (use the names in content/FieldEffectTypes.h):" ;;
        weapon) echo "weapon ids as numbers (use the names in content/WeaponIds.h):" ;;
        motion) echo "bullet motions as numbers (use the names in content/WeaponDefinition.h):" ;;
        esac
        echo "$found"
        fail=1
    done
fi

# Stages by what they are: a rule that names its stage's number stands in
# this list (file, then the numbers it may name), or asks content/.
stageRules='battle/page/PageGameStates.cpp 8 10 12 13 21 41 51
battle/model/BattleModel.cpp 1 2
battle/model/TutorialRules.cpp 2
battle/effects/Effect_Summary.cpp 1
battle/effects/Effect_Unlocked.cpp 2 4
battle/model/BattleStates.cpp 160 170 180
battle/units/GameRobotFrame.cpp 156'
if [ -d battle ]; then
    stages=$(find battle -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort |
        xargs -r awk -v rules="$stageRules" '
        BEGIN {
            n = split(rules, line, "\n")
            for (i = 1; i <= n; i++) {
                m = split(line[i], w, " ")
                for (j = 2; j <= m; j++) allowed[w[1], w[j]] = 1
            }
        }
        function report(number) {
            if ((FILENAME, number) in allowed) return 0
            print FILENAME ":" FNR ": " $0
            return 1
        }
        {
            code = $0
            sub(/\/\/.*$/, "", code)
            t = code
            while (match(t, /case[ \t]+1(5[1-9]|[67][0-9]|80)[ \t]*:/)) {
                s = substr(t, RSTART, RLENGTH)
                t = substr(t, RSTART + RLENGTH)
                gsub(/[^0-9]/, "", s)
                if (report(s)) next
            }
            # A name that ends in stage, or StageNumber(), beside == or != and a number.
            t = code
            while (match(t, /[Ss]tage(Number)?(\(\))?[ \t]*[!=]=[ \t]*[0-9]+|[0-9]+[ \t]*[!=]=[ \t]*[A-Za-z_.>()-]*[Ss]tage(Number)?(\(\))?/)) {
                s = substr(t, RSTART, RLENGTH)
                before = RSTART > 1 ? substr(t, RSTART - 1, 1) : ""
                t = substr(t, RSTART + RLENGTH)
                if (s ~ /^[0-9]/) {
                    # m_iStageFrames == 0 holds no stage: the name must end there.
                    if (t ~ /^[A-Za-z_0-9]/ || before ~ /[A-Za-z_0-9]/) continue
                    sub(/[^0-9].*$/, "", s)
                } else {
                    if (t ~ /^[0-9]/) continue
                    sub(/^.*[^0-9]/, "", s)
                }
                if (report(s)) next
            }
        }')
    if [ -n "$stages" ]; then
        echo "stages compared as numbers (ask content/StageKinds.h or the mini-game row):"
        echo "$stages"
        fail=1
    fi
fi

[ $fail -eq 0 ] && echo "battle include graph ok"
exit $fail
