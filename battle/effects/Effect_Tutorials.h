#pragma once
// The board of the tutorial of the first two battles: the step on show in a
// dark box with its lines, an arrow at what it speaks of and, on click steps,
// "Click to continue...". Which step shows and how far it has faded is kept
// by the steps it is shown (battle/model/TutorialSteps.h: the battle's, or
// the test page's own); this only draws them, and sounds a step's click.
#include <cstdint>

#include "battle/effects/BattleReader.h"
#include "battle/model/TutorialSteps.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;

constexpr int TUTORIAL_TEXT_SLOT = 0;
constexpr int TUTORIAL_HINT_SLOT = 1;

// One step's box and lines, top line first; lines counts 0 to 4.
struct TutorialStepText {
    float boxY, boxWidth, boxHeight;
    int lines;
    struct {
        float y;
        const char* text;
    } line[4];
};
// The step's script, or null outside 0 to 16.
const TutorialStepText* GetTutorialStepText(int step);

class CEffect_Tutorials : public CVxEffect, public BattleReader {
public:
    CEffect_Tutorials();
    // The steps to draw, from now on.
    void ShowSteps(const TutorialSteps* steps) { m_pSteps = steps; }
    // Draws the frame the steps' last Advance moved on from, once they have begun.
    void Tick() override;
    void OnFrame(int) override {}

    // Where the current step's arrows stand (b: the bob), answered as a count
    // (0 to 5) of points; flipped arrows point up.
    static int ArrowPoints(int step, const CBattleModel* battle, float b, VxVec3 (&out)[5], bool& flipped);

    CVxBillboard* m_pBox = nullptr;        // owned; the how-to-play overlay borrows it
    CVxBillboard* m_pArrow = nullptr;      // the application's
    CVxBillboard* m_pGuideLine = nullptr;  // owned
    int m_iDrawnStep = -1;
    uint8_t m_bTextDrawn = 0;
    uint8_t m_bHintDrawn = 0;

private:
    void DrawText(int step, float boxAlpha, float textAlpha) const;
    void DrawHint(float boxAlpha, float textAlpha) const;
    void DrawArrows(int step) const;

    const TutorialSteps* m_pSteps = nullptr;
    bool m_bStartSeen = false;
};
