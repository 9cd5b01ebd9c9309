#pragma once
// A borrowed picture swells and fades out where something has just changed:
// the battle HUD pulses a counter with it, the menu its unlock bursts. Each
// owner keeps its own object; the pictures stay its owner's.
#include "engine/VxEffect.h"

class CVxBillboard;

constexpr int PULSE_POOL = 10;
constexpr int PULSE_FRAMES = 30;

class CEffect_ScaleAndDiffuseOut : public CVxEffect {
public:
    CEffect_ScaleAndDiffuseOut();

    // Starts a pulse of the picture at (x, y, z) growing from scale s0 to s1;
    // the record index, or -1 (nothing happens) when all ten are running.
    int Spawn(CVxBillboard* picture, float x, float y, float z, float s0, float s1);
    // Any pulse still running.
    bool IsBusy() const;

    void OnFrame(int index) override;

private:
    struct Pulse {
        float startScale = 1.0f;
        float endScale = 1.0f;
        CVxBillboard* picture = nullptr;  // not owned
        int duration = PULSE_FRAMES;
    };
    Pulse m_aPulse[PULSE_POOL];
};
