#pragma once
// The won (kind 1) or lost (kind 0) caption.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_TextEnd : public CVxEffect {
public:
    CEffect_TextEnd() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int) override {}
};
