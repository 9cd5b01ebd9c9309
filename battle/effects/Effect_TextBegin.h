#pragma once
// The count-down caption before play begins.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_TextBegin : public CVxEffect {
public:
    CEffect_TextBegin() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int) override {}
};
