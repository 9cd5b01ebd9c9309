#pragma once
// The hearts lost at the field edge (kind: how many).
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_HeartDecreased : public CVxEffect {
public:
    CEffect_HeartDecreased() {
        m_nPoolSize = 1;
        m_iDefaultLife = 600;
        Clear(0);
    }
    void OnFrame(int) override {}
};
