#include "battle/effects/Effect_ItemTransToInterface.h"

#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_ItemAmount.h"
#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/ItemPicture.h"
#include "battle/model/BattleModel.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "content/Achievements.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"

namespace {

VxVec3 CellCentre(const CBattleModel& battle, int column, int row) {
    const int index = std::clamp(column, 0, FIELD_COLUMNS - 1) * FIELD_ROWS + std::clamp(row, 0, FIELD_ROWS - 1);
    const FieldCell& c = battle.m_aFieldCells[index];
    return VxVec3{c.m_fX, c.m_fY, c.m_fZ};
}

VxVec3 CapsuleTarget(const CBattleModel& battle) {
    switch (CurrentStage()) {
    case 154: {
        int copters = 0;
        const CCom_GameRobot* first = nullptr;
        for (const CCom_GameRobot& r : battle.m_lstRobots)
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
    case 162:
        if (battle.m_apMiniGameRobots[0]) return battle.m_apMiniGameRobots[0]->m_vPosition;
        return VxVec3{};
    case 158:
        for (int column = 9; column >= 5; --column) {
            bool held = false;
            for (const CCom_GameRobot& r : battle.m_lstRobots) {
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

}  // namespace

int ItemCredit(int kind) {
    static const int kCredit[8] = {5, 10, 20, 40, 10, 50, 250, 1000};
    return kind >= 0 && kind < 8 ? kCredit[kind] : 0;
}

int ItemFlightFrames(float fromX, float fromY, float toX, float toY) {
    const float dx = toX - fromX, dy = toY - fromY;
    return int(std::sqrt(dx * dx + dy * dy)) / 30;
}

VxVec3 CEffect_ItemTransToInterface::Target(int kind, const CBattleModel* battle) {
    CGameApplication* app = g_pGameAppInstance;
    if (kind >= 0 && kind <= 3) {
        if (app && app->m_apBbdInterface[2]) return app->m_apBbdInterface[2]->m_vPosition;
        return VxVec3{};
    }
    if (kind >= 4 && kind <= 7) {
        if (!app || !app->m_apBbdInterface[3]) return VxVec3{};
        const VxVec3 p = app->m_apBbdInterface[3]->m_vPosition;
        return VxVec3{p.x - 60.0f, p.y, 0.0f};
    }
    if (kind == 8 && battle) return CapsuleTarget(*battle);
    return VxVec3{};
}

void CEffect_ItemTransToInterface::Credit(int kind, CBattleModel* battle) {
    const int amount = ItemCredit(kind);
    if (kind >= 0 && kind <= 3) {
        if (battle) battle->m_iEnergy += amount;
    } else if (kind >= 4 && kind <= 7) {
        SaveProfile& p = g_CurrentProfile;
        p.m_iMetalParts = p.m_iMetalParts >= METAL_PARTS_CAP - amount ? METAL_PARTS_CAP : p.m_iMetalParts + amount;
        if (battle) battle->m_iPartsCollected += amount;
        UpdateAchievementProgress(3, amount);
        if (battle) UpdateAchievementProgress(33, battle->m_iPartsCollected);
    }
    if (battle) battle->m_iEnergy = std::min(battle->m_iEnergy, ENERGY_CAP);
}

void CEffect_ItemTransToInterface::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const int kind = r.kind;
    const VxVec3 start{r.params[0].f, r.params[1].f, r.params[2].f};
    CBattleModel* battle = m_pBattle;
    if (r.age == 1 && kind <= 7 && battle && battle->Scene().m_pEffectItemAmount)
        battle->Scene().m_pEffectItemAmount->Add(kind, start.x, start.y, start.z);
    const VxVec3 target = Target(kind, battle);
    const int frames = ItemFlightFrames(start.x, start.y, target.x, target.y);
    // A flight of no frames has arrived; a target that moves may be passed.
    const float f = frames > 0 ? std::min(float(r.age) / float(frames), 1.0f) : 1.0f;
    const VxVec3 at{start.x * (1.0f - f) + target.x * f, start.y * (1.0f - f) + target.y * f, 0.0f};
    if (CVxBillboard* picture = ItemPicture(kind, battle, m_pView)) {
        picture->SaveState();
        picture->SetPosition(at.x, at.y, at.z);
        picture->RenderSRT();
        picture->RestoreState();
    }
    if (r.age < frames) return;
    Credit(kind, battle);
    if (kind == ITEM_CAPSULE && battle) {
        // A capsule that arrives brings its robot onto the field.
        const int stage = CurrentStage();
        const int slot = stage == 154   ? 0
                         : stage == 162 ? 1
                         : stage == 158 ? battle->FindHandCard(RobotId::BuoyerBot)
                                        : -1;
        if (slot >= 0) {
            CCom_GameRobot* robot = battle->SpawnMiniGameRobot(slot, target.x, target.y, target.z);
            if (robot && stage == 158) robot->m_iHp = 10000;
        }
    }
    if (battle && battle->Scene().m_pEffectItemFadeDisappear)
        battle->Scene().m_pEffectItemFadeDisappear->Add(kind, at.x, at.y, at.z);
    Clear(index);
}

void CueItemToPanel(BattleScene& scene, int kind, float x, float y, float z) {
    if (scene.m_pEffectItemTransToInterface) scene.m_pEffectItemTransToInterface->Add(kind, x, y, z);
}
