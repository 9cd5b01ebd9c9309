#pragma once
// Meteors streaking across the sky of the fifth world.
#include "battle/model/AmbientDraws.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Meteor : public CVxEffect {
public:
    CEffect_Meteor();
    // A meteor from the point, with the numbers the battle rolled for it.
    int AddRolled(float x, float y, float z, const MeteorRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    struct Streak {
        float speed, brightness;
        int stretch, direction;
    };
    CVxBillboard* m_pPicture = nullptr;  // also the falling Machines' meteor
    Streak m_aStreaks[AMBIENT_METEORS] = {};
    MeteorRoll m_Roll;  // the one starting
};
