#pragma once
// The "miss" mark where a shot missed.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_TextMiss : public CVxEffect {
public:
    CEffect_TextMiss() {
        m_nPoolSize = 20;
        m_iDefaultLife = 80;
        Clear(0);
    }
    void OnFrame(int) override {}
};
