#pragma once
// The small notice of an achievement reached during play.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_NewAchievementInGame : public CVxEffect {
public:
    CEffect_NewAchievementInGame() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
