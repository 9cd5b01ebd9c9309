#include "battle/effects/Effect_MeteorEnemy.h"

#include <cmath>

#include "battle/effects/AmbientArt.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "battle/model/SkyDrops.h"
#include "engine/VxSound.h"

using namespace ambient;

CEffect_MeteorEnemy::CEffect_MeteorEnemy(const CEffect_Meteor* meteor) {
    m_nPoolSize = 20;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    if (GetCurrentStageWorld() != 5) return;
    if (meteor) m_pMeteor = meteor->m_pPicture;
    m_pSfxStart = CreateSound("1003-1.ogg", "Resource\\Sound\\SFX\\Robot\\");
    m_pSfxLanding = CreateSound("W0004-2.ogg", "Resource\\Sound\\SFX\\Weapon\\");
}

// state[0]: flight frames; state[1]: 1 when no landing cell was found.
void CEffect_MeteorEnemy::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    CBattleModel* battle = m_pBattle;
    if (!battle) return;
    const int cell = DrawMeteorLandingCell(*battle);
    if (cell < 0) {
        r.state[1] = 1;
        return;
    }
    const FieldCell& t = battle->State().m_aFieldCells[cell];
    r.params[3] = t.m_fX;
    r.params[4] = t.m_fY;
    r.params[5] = t.m_fZ;
    r.params[0] = t.m_fX - 0.6f * W();
    r.params[1] = t.m_fY + 0.6f * H();
    r.params[2] = 0.0f;
    const float dx = r.params[3].f - r.params[0].f, dy = r.params[4].f - r.params[1].f;
    r.state[0] = int(std::sqrt(dx * dx + dy * dy)) / 10;
    RestartSound(m_pSfxStart);
}

void CEffect_MeteorEnemy::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    CBattleModel* battle = m_pBattle;
    if (r.state[1] == 1) {
        const int type = r.kind;
        Clear(index);
        if (battle) WalkInMeteorMachine(*battle, type);
        return;
    }
    const int flight = r.state[0];
    const float f = flight > 0 ? float(r.age) / float(flight) : 1.0f;
    if (m_pMeteor) {
        const float px = r.params[0].f * (1.0f - f) + r.params[3].f * f;
        const float py = r.params[1].f * (1.0f - f) + r.params[4].f * f;
        m_pMeteor->SaveState();
        m_pMeteor->ScaleSize2D(2.5f, 2.0f);
        m_pMeteor->SetPosition(px - 160.0f, py + 128.0f, 0.0f);
        m_pMeteor->SetRotationDegrees(0.0f, 0.0f, 45.0f);
        m_pMeteor->SetBlendMode(BLEND_ADD, m_pMeteor->m_iAlphaRef);
        m_pMeteor->RenderSRT();
        m_pMeteor->RestoreState();
    }
    if (r.age < flight) return;

    const int type = r.kind;
    const VxVec3 target{r.params[3].f, r.params[4].f, r.params[5].f};
    Clear(index);
    if (!battle) return;
    LandMeteorMachine(*battle, type, target);
    RestartSound(m_pSfxLanding);
}

bool CEffect_MeteorEnemy::IsIdle() const {
    for (int i = 0; i < m_nPoolSize; ++i)
        if (m_aInstances[i].life > 0) return false;
    return true;
}

void CueMeteorMachine(BattleScene& scene, int code) {
    if (scene.m_pEffectMeteorEnemy) scene.m_pEffectMeteorEnemy->Add(code);
}
