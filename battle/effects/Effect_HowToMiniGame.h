#pragma once
// The instructions board of a mini-game, shown over a still.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxApplicationPlatform.h"
#include "engine/VxEffect.h"

class CEffect_HowToMiniGame : public CVxEffect {
public:
    CEffect_HowToMiniGame() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override {
        Clear(index);
        // A help board closing takes the still it was shown over with it.
        if (auto* app = dynamic_cast<CVxApplicationPlatform*>(g_pApp)) {
            app->m_bCaptureStill = false;
            app->m_bShowStill = false;
        }
    }
    void HandleClick() {}
};
