#include "battle/effects/Effect_MeteorEnemy.h"

#include "battle/effects/AmbientArt.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/model/BattleModel.h"
#include "battle/model/SceneCues.h"
#include "battle/model/SkyDrops.h"
#include "engine/VxSound.h"

using namespace ambient;

CEffect_MeteorEnemy::CEffect_MeteorEnemy(const CEffect_Meteor* meteor) {
    if (GetCurrentStageWorld() != 5) return;
    if (meteor) m_pMeteor = meteor->m_pPicture;
    m_pSfxStart = CreateSound("1003-1.ogg", "Resource\\Sound\\SFX\\Robot\\");
    m_pSfxLanding = CreateSound("W0004-2.ogg", "Resource\\Sound\\SFX\\Weapon\\");
}

void CEffect_MeteorEnemy::Tick() {
    const CBattleModel* battle = m_pBattle;
    if (!battle || !m_pMeteor) return;
    for (const MeteorFlight& m : battle->State().m_aMeteorFlights) {
        if (!m.live || m.nowhere) continue;
        const float f = m.frames > 0 ? float(m.age) / float(m.frames) : 1.0f;
        const float px = m.from.x * (1.0f - f) + m.to.x * f;
        const float py = m.from.y * (1.0f - f) + m.to.y * f;
        m_pMeteor->SaveState();
        m_pMeteor->ScaleSize2D(2.5f, 2.0f);
        m_pMeteor->SetPosition(px - 160.0f, py + 128.0f, 0.0f);
        m_pMeteor->SetRotationDegrees(0.0f, 0.0f, 45.0f);
        m_pMeteor->SetBlendMode(BLEND_ADD, m_pMeteor->m_iAlphaRef);
        m_pMeteor->RenderSRT();
        m_pMeteor->RestoreState();
    }
}

void CueMeteorFalls(BattleScene& scene) {
    if (scene.m_pEffectMeteorEnemy) RestartSound(scene.m_pEffectMeteorEnemy->m_pSfxStart);
}

void CueMeteorLands(BattleScene& scene) {
    if (scene.m_pEffectMeteorEnemy) RestartSound(scene.m_pEffectMeteorEnemy->m_pSfxLanding);
}
