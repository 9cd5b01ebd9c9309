#include "battle/effects/Effect_Spike.h"

#include "battle/effects/AmbientArt.h"
#include "engine/VxSound.h"

using namespace ambient;

int CEffect_Spike::AddRolled(float x, float y, float z, const SpikeRoll& roll) {
    m_Roll = roll;
    return AddAtPoint(x, y, z);
}

// state[0..4]: the five heights; state[5]: frames still held back.
void CEffect_Spike::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    if (m_pView)
        if (CVxSound* sound = m_pView->Drawn().m_pSfxSpike) {
            sound->Stop();
            sound->Play();
        }
    for (int j = 0; j < SPIKE_HEIGHTS; ++j) r.state[j] = m_Roll.heights[j];
    r.state[5] = m_Roll.hold;
}

void CEffect_Spike::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    if (r.state[5] > 0) {
        ++r.life;
        --r.state[5];
    }
    CVxBillboard* spike = g_pGameAppInstance ? g_pGameAppInstance->m_pBbdSpike : nullptr;
    if (!spike) return;
    const float t = float(SPIKE_LIFE - r.life);
    const float e = 1.0f - float(r.life) / float(SPIKE_LIFE);
    const float v = e < 0.75f ? 1.0f : (1.0f - e) * 4.0f;
    const float s = SinDeg(double(e) * 250.0);
    for (int j = 0; j < SPIKE_HEIGHTS; ++j) {
        const float d = j == 2 ? 1.0f : -float(j - 2);
        spike->SaveState();
        spike->SetDiffuse(1.0f, 1.0f, 1.0f, v);
        spike->SetRotationDegrees(0.0f, 0.0f, t * t * d);
        spike->SetPosition(r.params[0].f + float(j - 2) * 17.0f + e * float(j - 2) * 30.0f,
                           r.params[1].f + float(r.state[j] + 100) * s, r.params[2].f);
        spike->RenderSRT();
        spike->RestoreState();
    }
}
