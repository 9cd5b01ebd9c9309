#include "battle/effects/Effect_ItemTransToInterface.h"

#include "battle/effects/Effect_ItemAmount.h"
#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/ItemPicture.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/units/GameItem.h"
#include "engine/VxBillboard.h"

void CEffect_ItemTransToInterface::Tick() {
    const CBattleModel* battle = m_pBattle;
    if (!battle) return;
    BattleScene& scene = battle->Scene();
    for (const ItemFlight& f : battle->State().m_aItemFlights) {
        if (!f.shown) continue;
        if (f.shownAge == 1 && f.kind < ITEM_CAPSULE && scene.m_pEffectItemAmount)
            scene.m_pEffectItemAmount->Add(f.kind, f.from.x, f.from.y, f.from.z);
        if (CVxBillboard* picture = ItemPicture(f.kind, battle, m_pView)) {
            picture->SaveState();
            picture->SetPosition(f.at.x, f.at.y, f.at.z);
            picture->RenderSRT();
            picture->RestoreState();
        }
        if (f.arrived && scene.m_pEffectItemFadeDisappear)
            scene.m_pEffectItemFadeDisappear->Add(f.kind, f.at.x, f.at.y, f.at.z);
    }
}
