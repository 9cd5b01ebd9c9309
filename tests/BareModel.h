#pragma once
// A battle with no page: the model over an empty scene, which tests of the
// battle's rules set up by hand.
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"

// Hands the model the context a host would: the stage, the difficulty and the
// profile of g_CurrentProfile, and the clock (none: it stands at 0).
inline void PlayStage(CBattleModel& model, int stage, const BattleClock* clock = nullptr) {
    model.TakeContext(BattleContext{stage, g_CurrentProfile.m_iDifficulty, &g_CurrentProfile, clock});
}

struct BareModel {
    BattleScene scene;
    // The player it plays for: its own, so what an earlier test left in the
    // live profile changes nothing here, and what it pays stays here.
    SaveProfile profile{};
    CBattleModel model{scene};

    BareModel() { model.TakeContext(BattleContext{1, profile.m_iDifficulty, &profile, nullptr}); }

    // Every cell of one kind, 80 wide and 75 high, column 0 row 0 at the origin.
    void LayField(int kind) {
        for (int i = 0; i < FIELD_CELLS; ++i) {
            FieldCell& c = RuleState(model).m_aFieldCells[i];
            c.m_iKind = c.m_iStageKind = kind;
            c.m_fX = float(i / FIELD_ROWS) * 80.0f;
            c.m_fY = float(i % FIELD_ROWS) * 75.0f;
        }
    }
    // A live unit at the point: a Blocker Bot of the player's, or a Giant.
    CCom_GameRobot& Stand(float x, float y, int role = ROLE_GUARD, bool machine = false) {
        CCom_GameRobot r(model);
        r.m_Unit.m_iType = machine ? MachineId::Giant : RobotId::BlockerBot;
        r.m_Unit.m_iSide = machine ? 1 : 0;
        r.m_Unit.m_iRole = role;
        r.m_iHp = 10;
        r.m_vPosition = r.m_vLastPosition = VxVec3{x, y, 0.0f};
        RuleState(model).m_lstRobots.push_back(r);
        return RuleState(model).m_lstRobots.back();
    }
};
