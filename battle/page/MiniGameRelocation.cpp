// Mini-games in which the player picks robots up and sets them on other cells
// (153, 158, 160, 170, 172, 173, 180): the mouse picks and drops here, the
// rules run in the model (RelocationRules.h).
#include "battle/model/RelocationRules.h"
#include "battle/model/BattleRoad.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "engine/InputRecord.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

void CPageGame::HandleRelocateInput() {
    const int stage = CurrentStage();
    if (!g_pApp || !IsRelocationStage(stage)) return;
    InputRecord& in = g_pApp->m_aInput[0];
    const VxVec3 at = CursorPoint();

    if (m_Battle.State().m_iCarriedCard == -1) {
        if (!(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return;
        const CCom_GameRobot* r = RelocatableRobotAt(m_Battle, at);
        if (!r) return;
        if (RelocationCoolingDown(m_Battle, *r)) {
            if (g_pGameAppInstance) RestartSound(g_pGameAppInstance->m_pSndError);
            return;
        }
        for (VxVec3& p : g_avPositionTrail) p = VxVec3{-10000.0f, -10000.0f, 0.0f};
        ApplyCommand(LiftRobot{r->m_iSerial});
        return;
    }
    // A card from the hand is placed by the battle input; only a picked robot is ours.
    if (m_Battle.State().m_iRelocatingRobot == -1 || !(in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED)) return;
    in.m_aiKey[MOUSE_LEFT] = 0;
    in.m_aiRepeat[MOUSE_LEFT] = 0;

    // The robot is held where the pointer is; a cell that will not take it says why.
    HoldCarriedCardAt(at);
    PlacementVerdict why;
    m_Battle.HeldCardCell(&why);
    ShowPlacementRefusal(why);
    ApplyCommand(DropRobot{});
}
