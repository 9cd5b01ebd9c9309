#include "battle/effects/Effect_ItemTransToInterface.h"

#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_ItemAmount.h"
#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/ItemPicture.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameItem.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

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
    if (kind == ITEM_CAPSULE && battle) return CapsuleLandingPoint(*battle);
    return VxVec3{};
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
    if (battle) PayOutItem(*battle, kind, target);
    if (battle && battle->Scene().m_pEffectItemFadeDisappear)
        battle->Scene().m_pEffectItemFadeDisappear->Add(kind, at.x, at.y, at.z);
    Clear(index);
}

void CueItemToPanel(BattleScene& scene, int kind, float x, float y, float z) {
    if (scene.m_pEffectItemTransToInterface) scene.m_pEffectItemTransToInterface->Add(kind, x, y, z);
}
