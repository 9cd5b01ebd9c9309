#include "battle/effects/ItemPicture.h"

#include "battle/model/BattleModel.h"
#include "battle/model/BattleView.h"
#include "battle/units/GameItem.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "game/GameApplication.h"

CVxBillboard* ItemPicture(int kind, const CBattleModel* battle, const BattleView* view) {
    CGameApplication* app = g_pGameAppInstance;
    if (IsEnergyItem(kind) || IsPartsItem(kind)) return app ? app->m_apBbdItem[kind] : nullptr;
    if (kind == ITEM_CAPSULE) {
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
    if (kind == ITEM_PRODUCED) return view ? view->UnlockPicture() : nullptr;
    return nullptr;
}
