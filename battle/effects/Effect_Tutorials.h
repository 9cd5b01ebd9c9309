#pragma once
// The tutorial steps of the first two stages.
// Until its steps are drawn, a requested step is shown and closed at once,
// so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Tutorials : public CVxEffect {
public:
    CEffect_Tutorials() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    // The step on show (-1 none) and the step asked for next.
    int m_iStep = -1;
    int m_iRequestedStep = -1;
    // 1 while the shown step fades out; the fade timer counts up from 0.
    int m_iFadeState = 1;
    float m_fFade = 30.0f;
    bool m_bClockHeld = false;

    // Nothing when step is already asked for; while a step shows only the
    // next one is taken.
    void RequestStep(int step) {
        if (m_iRequestedStep == step) return;
        if (m_iStep >= 0 && step != m_iStep + 1) return;
        m_iRequestedStep = step;
        m_iStep = step;
    }
    // Step 5 at once, without the order test (the test page).
    void ShowStepFive() {
        m_iRequestedStep = 5;
        m_iStep = 5;
    }
    void HandleClick() {}
    // The shown step was closed.
    bool IsStepDismissed() const { return m_iFadeState == 1 && m_fFade >= 30.0f; }
    // No step shows.
    bool IsIdle() const { return m_iFadeState == 0 && m_fFade == 0.0f; }
};
