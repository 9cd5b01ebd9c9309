#pragma once
// The amount an item brought, rising from where it was.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_ItemAmount : public CVxEffect {
public:
    CEffect_ItemAmount() {
        m_nPoolSize = 20;
        m_iDefaultLife = 45;
        Clear(0);
    }
    void OnFrame(int) override {}
};
