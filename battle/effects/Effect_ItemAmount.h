#pragma once
// The amount an item brought: its label rises from where it was picked up
// and fades in its last fifth. Kind: the item's kind (0-7); parameters 0-2:
// the point.
#include "engine/VxEffect.h"

class CEffect_ItemAmount : public CVxEffect {
public:
    CEffect_ItemAmount() {
        m_nPoolSize = 20;
        m_iDefaultLife = 45;
        Clear(0);
    }
    void OnFrame(int index) override;
};
