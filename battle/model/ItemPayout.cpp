#include "battle/model/ItemPayout.h"

#include <algorithm>

#include "battle/model/BattleRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"

namespace {

VxVec3 CellCentre(const CBattleModel& battle, int column, int row) {
    const int index = std::clamp(column, 0, FIELD_COLUMNS - 1) * FIELD_ROWS + std::clamp(row, 0, FIELD_ROWS - 1);
    const FieldCell& c = RuleState(battle).m_aFieldCells[index];
    return VxVec3{c.m_fX, c.m_fY, c.m_fZ};
}

void Credit(CBattleModel& battle, int kind) {
    const int amount = ItemCredit(kind);
    if (IsEnergyItem(kind)) {
        RuleState(battle).m_iEnergy += amount;
    } else if (IsPartsItem(kind)) {
        SaveProfile& p = battle.Profile();
        p.m_iMetalParts = p.m_iMetalParts >= METAL_PARTS_CAP - amount ? METAL_PARTS_CAP : p.m_iMetalParts + amount;
        RuleState(battle).m_iPartsCollected += amount;
        UpdateAchievementProgress(battle.Profile(), 3, amount);
        UpdateAchievementProgress(battle.Profile(), 33, RuleState(battle).m_iPartsCollected);
    }
    RuleState(battle).m_iEnergy = std::min(RuleState(battle).m_iEnergy, ENERGY_CAP);
}

}  // namespace

int ItemCredit(int kind) {
    static const int kCredit[ITEM_CAPSULE] = {5, 10, 20, 40, 10, 50, 250, 1000};
    return IsEnergyItem(kind) || IsPartsItem(kind) ? kCredit[kind] : 0;
}

VxVec3 CapsuleLandingPoint(const CBattleModel& battle) {
    switch (ModeOf(battle.StageNumber())) {
    case MiniGameMode::CapsuleSupply: {
        int copters = 0;
        const CCom_GameRobot* first = nullptr;
        for (const CCom_GameRobot& r : RuleState(battle).m_lstRobots)
            if (r.Type() == RobotId::CopterBot) {
                if (!first) first = &r;
                ++copters;
            }
        if (copters == 0) return CellCentre(battle, 9, 2);
        // Ten copters or more would run past the first column.
        VxVec3 t = CellCentre(battle, std::max(9 - copters, 0), 2);
        t.y = first->m_vPosition.y;
        return t;
    }
    case MiniGameMode::ShotCapsule:
        if (RuleState(battle).m_apMiniGameRobots[0]) return RuleState(battle).m_apMiniGameRobots[0]->m_vPosition;
        return VxVec3{};
    case MiniGameMode::SequenceGame:
        for (int column = 9; column >= 5; --column) {
            bool held = false;
            for (const CCom_GameRobot& r : RuleState(battle).m_lstRobots) {
                if (r.Type() != RobotId::BuoyerBot) continue;
                const VxVec3 home = battle.FindNearestCell(r.m_vHome.x, r.m_vHome.y, r.m_vHome.z);
                if (int(home.x) == column && int(home.y) == 4) {
                    held = true;
                    break;
                }
            }
            if (!held) return CellCentre(battle, column, 4);
        }
        return VxVec3{};
    default: return VxVec3{};
    }
}

void PayOutItem(CBattleModel& battle, int kind, const VxVec3& landing) {
    Credit(battle, kind);
    if (kind != ITEM_CAPSULE) return;
    // A capsule that arrives brings its robot onto the field.
    const int stage = battle.StageNumber();
    const MiniGameMode mode = ModeOf(stage);
    const int slot = mode == MiniGameMode::CapsuleSupply  ? 0
                     : mode == MiniGameMode::ShotCapsule  ? 1
                     : mode == MiniGameMode::SequenceGame ? battle.FindHandCard(RobotId::BuoyerBot)
                                                          : -1;
    if (slot < 0) return;
    CCom_GameRobot* robot = battle.SpawnMiniGameRobot(slot, landing.x, landing.y, landing.z);
    if (robot && mode == MiniGameMode::SequenceGame) robot->m_iHp = 10000;
}
