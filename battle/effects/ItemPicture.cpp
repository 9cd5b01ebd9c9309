#include "battle/effects/ItemPicture.h"

#include "battle/model/BattleModel.h"
#include "battle/model/BattleView.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "game/GameApplication.h"

CVxBillboard* ItemPicture(int kind, const CBattleModel* battle, const BattleView* view) {
    CGameApplication* app = g_pGameAppInstance;
    if (kind >= 0 && kind <= 7) return app ? app->m_apBbdItem[kind] : nullptr;
    if (kind == 8) {
        const int stage = CurrentStage();
        const MiniGameMode mode = ModeOf(stage);
        const int slot = mode == MiniGameMode::CapsuleSupply            ? 0
                         : mode == MiniGameMode::ShotCapsule            ? 1
                         : mode == MiniGameMode::SequenceGame && battle ? battle->FindHandCard(RobotId::BuoyerBot)
                                                                        : -1;
        if (!battle || !app || slot < 0) return nullptr;
        const int card = battle->State().m_aHand[slot].m_iCard;
        return card >= 0 && card < ROBOT_TYPES ? app->m_apBbdCard[card] : nullptr;
    }
    if (kind == 12) return view ? view->UnlockPicture() : nullptr;
    return nullptr;
}
