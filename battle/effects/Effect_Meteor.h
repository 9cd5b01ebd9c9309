#pragma once
// Meteors streaking across the sky of the fifth world.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Meteor : public CVxEffect {
public:
    CEffect_Meteor();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    struct Streak {
        float speed, brightness;
        int stretch, direction;
    };
    CVxBillboard* m_pPicture = nullptr;  // also the falling Machines' meteor
    Streak m_aStreaks[10] = {};
};
