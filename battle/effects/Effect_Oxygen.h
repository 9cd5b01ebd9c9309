#pragma once
// Oxygen bubbles rising in the water of the third world.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Oxygen : public CVxEffect {
public:
    CEffect_Oxygen();
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
};
