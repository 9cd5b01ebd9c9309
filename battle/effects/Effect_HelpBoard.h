#pragma once
// A help board shown over a still; the how-to boards are kinds of it.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxApplicationPlatform.h"
#include "engine/VxEffect.h"

class CEffect_HelpBoard : public CVxEffect {
public:
    CEffect_HelpBoard() {
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
};
