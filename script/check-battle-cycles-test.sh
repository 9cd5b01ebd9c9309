#!/usr/bin/env bash
# Runs check-battle-cycles.sh on small made-up trees and expects its verdict on
# each: pass, or a failure for a circle of includes (cycle), a unit or effect
# that includes the page (page), code outside the rules that includes their
# access to the state (rules), a unit id compared as a number (id), a robot
# compared or listed as a number (robot), a Machine listed as a number in a
# mini-game row (machine), a stage compared as a number (stage), or a number
# cast into a field-effect kind (effect), weapon id (weapon) or bullet motion
# (motion), or a field-effect record's own kind compared as a number (effect).
# A tree is the rows of one case, each row a file and its lines (\n between).
set -u
check=$(cd "$(dirname "$0")" && pwd)/check-battle-cycles.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# case | expected verdict | file | its lines
cases='page over units|pass|battle/page/PageGame.h|#include "battle/units/GameRobot.h"
page over units|pass|battle/page/PageGame.cpp|#include "battle/page/PageGame.h"\n#include "battle/units/GameRobot.h"
page over units|pass|battle/units/GameRobot.cpp|#include "battle/units/GameRobot.h"
page over units|pass|battle/units/GameRobot.h|class CGameRobot {};
page and unit in a circle|cycle|battle/page/Hud.h|#include "battle/units/GameRobot.h"
page and unit in a circle|cycle|battle/units/GameRobot.h|class CGameRobot {};
page and unit in a circle|cycle|battle/units/GameRobot.cpp|#include "battle/page/Hud.h"
three effects in a circle|cycle|battle/effects/A.h|#include "battle/effects/B.h"
three effects in a circle|cycle|battle/effects/B.cpp|#include "battle/effects/C.h"
three effects in a circle|cycle|battle/effects/B.h|class CB;
three effects in a circle|cycle|battle/effects/C.h|#include "battle/effects/A.h"
model and units may circle|pass|battle/model/BattleModel.h|#include "battle/units/GameRobot.h"
model and units may circle|pass|battle/units/GameRobot.h|class CGameRobot {};
model and units may circle|pass|battle/units/GameRobot.cpp|#include "battle/model/BattleModel.h"
model and page may not|cycle|battle/model/BattleModel.h|#include "battle/page/Hud.h"
model and page may not|cycle|battle/page/Hud.cpp|#include "battle/model/BattleModel.h"
model and page may not|cycle|battle/page/Hud.h|class CHud {};
a split part closes the circle|cycle|battle/units/GameRobot.h|class CGameRobot {\n};
a split part closes the circle|cycle|battle/units/GameRobotDraw.cpp|#include "battle/page/Hud.h"\n#include "battle/units/GameRobot.h"\nvoid CGameRobot::Draw() {}
a split part closes the circle|cycle|battle/page/Hud.h|#include "battle/units/GameRobot.h"
a file of free functions stands alone|pass|battle/units/GameRobot.h|class CGameRobot {\n};
a file of free functions stands alone|pass|battle/units/GameRobotDraw.cpp|#include "battle/page/Hud.h"\n#include "battle/units/GameRobot.h"\nvoid Draw(CGameRobot&) {}
a file of free functions stands alone|pass|battle/page/Hud.h|#include "battle/units/GameRobot.h"
a declared class is not defined there|pass|battle/units/GameRobot.h|class CGameRobot {};
a declared class is not defined there|pass|battle/units/Targeting.h|class CGameRobot;
a declared class is not defined there|pass|battle/units/GameRobotDraw.cpp|#include "battle/page/Hud.h"\nvoid CGameRobot::Draw() {}
a declared class is not defined there|pass|battle/page/Hud.h|#include "battle/units/Targeting.h"
a call at the margin defines nothing|pass|battle/units/GameRobot.h|class CGameRobot {};
a call at the margin defines nothing|pass|battle/page/Tally.cpp|#include "battle/page/Hud.h"\nint Tally() { return CGameRobot::Alive(); }
a call at the margin defines nothing|pass|battle/page/Hud.h|#include "battle/units/GameRobot.h"
one file for two classes joins no circle|pass|battle/effects/TextA.h|class CTextA {};
one file for two classes joins no circle|pass|battle/effects/TextB.h|class CTextB {};
one file for two classes joins no circle|pass|battle/effects/Texts.cpp|#include "battle/effects/TextA.h"\n#include "battle/effects/TextB.h"\nCTextA::CTextA() {}\nCTextB::CTextB() {}
a file includes its own header|pass|battle/effects/A.cpp|#include "battle/effects/A.h"
a file includes its own header|pass|battle/effects/A.h|class CA {};
a unit includes the page|page|battle/units/GameRobot.cpp|#include "battle/page/PageGame.h"
a unit includes the page|page|battle/page/PageGame.h|class CPageGame {};
an effect includes the page|page|battle/effects/Effect_Fish.cpp|  #  include "battle/page/PageGame.h"
an effect includes the page|page|battle/page/PageGame.h|class CPageGame {};
the page includes itself|pass|battle/page/PageGameHand.cpp|#include "battle/page/PageGame.h"
the page includes itself|pass|battle/page/PageGame.h|class CPageGame {};
the rules and their tests change the state|pass|battle/model/BattleRoad.cpp|#include "battle/model/BattleRules.h"
the rules and their tests change the state|pass|battle/units/GameRobot.cpp|#include "battle/model/BattleRules.h"
the rules and their tests change the state|pass|tests/road_test.cpp|#include "battle/model/BattleRules.h"
the rules and their tests change the state|pass|tools/stagerun/ModelRun.cpp|#include "battle/model/BattleRules.h"
the page only reads the state|rules|battle/page/PageGameHud.cpp|#include "battle/model/BattleRules.h"
an effect only reads the state|rules|battle/effects/Effect_Fish.cpp|  # include "battle/model/BattleRules.h"
the game only reads the state|rules|game/GameApplication.cpp|#include "battle/model/BattleRules.h"
a unit id as a number in game|id|game/Rules.cpp|bool Boss(int t) { return t == 1028; }
a unit id as a number in frontend|id|frontend/Menu.cpp|switch (t) {\ncase 1001: break;\n}
a unit id as a number in battle|id|battle/units/GameRobot.cpp|if (type != 1032) return;
the first and last Machine ids|id|battle/units/GameRobot.cpp|if (type ==1001 || type == 1032) return;
numbers that are no unit ids|pass|battle/units/GameRobot.cpp|if (type == 1033 || type == 1000 || type == 10010 || hp == 100) return;
numbers that are no unit ids|pass|game/Rules.cpp|if (type == MachineId::Gunner) return;
a unit id outside the checked folders|pass|content/Units.cpp|if (type == 1005) return;
a robot compared as a number|robot|battle/units/GameRobotDraw.cpp|if (!p.machine && p.type == 27) return;
a robot as a case of a unit type|robot|battle/units/GameRobotAbilities.cpp|    switch (Type()) {\n    case RobotId::FusorBot: break;\n    case 34: break;\n    }
a card asked for by number|robot|battle/model/Rules.cpp|int s = model.FindHandCard(23);
robots by name and other numbers|pass|battle/units/GameRobot.cpp|if (type == RobotId::HammerBot || type == 0 || hp == 27) return;\nswitch (Type()) {\ncase RobotId::MiniMine: break;\n}\nswitch (state) {\ncase 3: break;\n}
the field effect type is no robot|pass|battle/model/FieldEffectRules.cpp|int life = type == 21 ? 600 : 35;
a mini-game hand by numbers|robot|content/MiniGameTable.cpp|{.stage = 158, .hand = {.cards = {19, 22}, .slots = 2}},
a reel with a number on its second line|robot|content/MiniGameTable.cpp|{.reels = {R::MiniMine,\n           14}},
a run-last card by number|robot|content/MiniGameTable.cpp|{.hand = {.cards = {R::DiverBot}, .slots = 1, .runLast = 15}},
robot columns by name|pass|content/MiniGameTable.cpp|{.hand = {.cards = {R::FusorBot}, .slots = 1, .runLast = R::FusorBot}, .capsules = {.bands = {20, 70}, .tail = 10}},\n{.start = {{.column = 8, .row = 1, .card = R::DShotgunner}}, .fieldOf = 160},
a robot unlocked by number|robot|content/UnlockTables.cpp|const StageRobot kRobotByStage[] = {\n    {2, R::CannonBot}, {4, 3},\n};
a mini-game chosen by its number|stage|battle/model/Rules.cpp|switch (stage) {\ncase 171: break;\n}
the last mini-game by its number|stage|battle/units/Robot.cpp|switch (s) {\n    case 180 : break;\n}
a stage compared as a number|stage|battle/units/Robot.cpp|if (model.StageNumber() == 156) return;
a number before the stage|stage|battle/page/Hud.cpp|if (12 != m_iStage) return;
a battle stage compared as a number|stage|battle/page/Hud.cpp|bool Hint(int stage) { return stage == 8; }
names that only begin with stage hold none|pass|battle/model/Rules.cpp|if (m_iStageFrames == 0 && stage > 150 && x == 171 && 3 == m_iStageFrames) return;
other case labels|pass|battle/model/Rules.cpp|switch (frames) {\ncase 150: case 181: break;\n}
a comment may name a stage|pass|battle/model/Rules.cpp|int f(); // case 171: and stage == 3 are words here
a listed rule names its own stage|pass|battle/model/BattleStates.cpp|if (stage == 160) Pay(6);
a listed file names no other stage|stage|battle/model/BattleStates.cpp|if (stage == 161) Pay(6);
a stage outside battle|pass|content/StageRules.cpp|switch (stage) {\ncase 171: return stage == 3;\n}
a duel boss by number|machine|content/MiniGameTable.cpp|{.stage = 158, .boss = {.type = 1011}},
a Destroyer by number|machine|content/MiniGameTable.cpp|{.stage = 170,\n .destroyer = 1028},
Machine columns by name|pass|content/MiniGameTable.cpp|{.pace = {.speed = 0.7f, .spared = -1, .machineInterval = 1.5},\n .boss = {.type = MachineId::Giant, .interval = 0.5, .hp = 1.5}, .destroyer = MachineId::Destroyer},
a field effect made from a number|effect|battle/units/GameRobot.cpp|model.AddFieldEffect(m_iUnitSlot + 1000, FieldEffectType(17), x, y, z);
a record kind compared as a number|effect|battle/page/PageGameFieldEffects.cpp|void DrawKind(const FieldEffect& fx) {\n    if (fx.kind == 29) return;\n}
a number before a record kind|effect|battle/model/Acting.cpp|bool Falls(const std::list<FieldEffect>& records) { return 21 != records.front().kind; }
a hit type cast from a number|effect|battle/units/GameBullet.cpp|    case WeaponId::SpiderWeb: m_Weapon.m_iHitEffectArg = static_cast<FieldEffectType>(8); break;
a record kind as a case|effect|battle/model/FieldEffectRules.cpp|void ActOnBattle(CBattleModel& model, const FieldEffect& record) {\n    switch (record.kind) {\n    case 32: break;\n    }\n}
field effects by name|pass|battle/model/FieldEffectRules.cpp|model.AddFieldEffect(7, FIELD_EFFECT_BLAST, x, y, 0.0f);\nbool Shows(const FieldEffect& record) { return FieldEffectKind(record) != FIELD_EFFECT_SHOT_STREAKS || record.age >= 10; }\nswitch (FieldEffectKind(record)) {\ncase FIELD_EFFECT_SHOT_RING: break;\n}\nswitch (age) {\ncase 29: break;\n}
the record kind read as its type|pass|battle/model/BattleTypes.h|inline FieldEffectType FieldEffectKind(const FieldEffect& record) { return FieldEffectType(record.kind); }
another effect record names no field effect|pass|battle/effects/Effect_Banners.cpp|const bool won = m_aInstances[index].kind == 1;\nswitch (r.kind) {\ncase 2: break;\n}
a weapon made from a number|weapon|battle/model/Boss.cpp|model.FireBullet(WeaponId(22), slot, x, y, z, -1, serial);
a weapon braced from a number|weapon|battle/model/Spawns.cpp|GetWeaponDefinition(collector, WeaponId{27});
a weapon cast the old way|weapon|battle/units/Targeting.cpp|if (b.m_Weapon.m_iId == (WeaponId)26 || b.m_Weapon.m_iId == WeaponId::BomberBlast) return;
a weapon cast into a case|weapon|battle/units/GameBulletLook.cpp|    switch (m_iBulletKind) {\n    case WeaponId::Storm: break;\n    case static_cast<WeaponId>(12): break;\n    }
weapons by name and other numbers|pass|battle/units/GameBullet.h|WeaponId m_iBulletKind{};\nif (m_Unit.m_iWeapon == WeaponId::Snowball || m_iWeaponLevel == 2 || weapon == WeaponId(row.weapon)) return;\nmodel.FireBullet(WeaponId::AtomicBlast, slot, x, y, z, -1, serial);\nreturn Digits(int(weapon), 4) + std::to_string(31);
a motion cast from a number|motion|battle/units/Targeting.cpp|} else if (motion == BulletMotion{8}) {
a motion cast into a case|motion|battle/units/GameBullet.cpp|    switch (m_Weapon.m_iMotion) {\n    case static_cast< BulletMotion >( 0 ): break;\n    }
motions by name|pass|battle/units/GameBullet.cpp|if (m_Weapon.m_iMotion == MOTION_AT_RANGE) return;\nswitch (m_Weapon.m_iMotion) {\ncase MOTION_RAY: break;\n}'

bad=0
names=$(printf '%s\n' "$cases" | cut -d'|' -f1 | awk '!seen[$0]++')
while IFS= read -r name; do
    rm -rf "${tmp:?}"/*
    want=""
    while IFS='|' read -r c verdict file lines; do
        [ "$c" = "$name" ] || continue
        want=$verdict
        mkdir -p "$tmp/$(dirname "$file")"
        printf '%b\n' "$lines" >>"$tmp/$file"
    done <<<"$cases"
    out=$(bash "$check" "$tmp" 2>&1)
    status=$?
    got=pass
    if [ $status -ne 0 ]; then
        # The message says which rule failed; an error of the check itself is none.
        got=other
        case $out in
        "include cycle"*) got=cycle ;;
        "units and effects that include the page"*) got=page ;;
        "unit ids compared as numbers"*) got=id ;;
        "robot ids compared or listed"*) got=robot ;;
        "Machine ids listed as numbers"*) got=machine ;;
        "field-effect kinds as numbers"*) got=effect ;;
        "weapon ids as numbers"*) got=weapon ;;
        "bullet motions as numbers"*) got=motion ;;
        "code outside the rules"*) got=rules ;;
        "stages compared as numbers"*) got=stage ;;
        esac
    fi
    if [ "$got" != "$want" ]; then
        echo "$name: expected $want, got $got"
        printf '%s\n' "$out" | sed 's/^/  /'
        bad=1
    fi
done <<<"$names"
[ $bad -eq 0 ] && echo "battle graph check verdicts ok"
exit $bad
