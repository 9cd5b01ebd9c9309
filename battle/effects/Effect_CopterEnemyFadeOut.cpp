#include "battle/effects/Effect_CopterEnemyFadeOut.h"

#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

void CEffect_CopterEnemyFadeOut::OnFrame(int index) {
    EffectInstance& e = m_aInstances[index];
    e.params[1].f += 5.0f;
    const int frame = g_pGameAppInstance ? int(g_pGameAppInstance->m_nFrame) : 0;
    CVxBillboard* rotor = g_pGameAppInstance
                              ? g_pGameAppInstance->m_apMineCopter[(frame / 5 + 10 * e.kind) % MINE_COPTER_FRAMES]
                              : nullptr;
    float halfHeight = 0.0f;
    if (rotor) {
        halfHeight = rotor->m_vSize.y * 0.5f;
        rotor->SaveState();
        rotor->SetPosition(e.params[0].f, e.params[1].f, e.params[2].f);
        rotor->RenderSRT();
        rotor->RestoreState();
    }
    // It has no time limit: it ends once it has left the top of the screen.
    if (e.params[1].f > halfHeight + float(g_iScreenHeight) * 0.5f) Clear(index);
}
