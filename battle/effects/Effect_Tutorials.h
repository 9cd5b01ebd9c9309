#pragma once
// The scripted tutorial of the first two battles: one numbered step at a
// time (0 to 16), a dark box with its lines, an arrow at what it speaks of
// and, on click steps, "Click to continue...". A step is only ever followed
// by the next number; a new step waits for the old one to fade out. What a
// step does to the battle (the clock it holds, its click) is the battle's
// rule (battle/model/TutorialRules.h), applied at the board's frame.
#include "battle/effects/BattleActor.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CBattleModel;
class CVxBillboard;

constexpr int TUTORIAL_STEPS = 17;
constexpr float TUTORIAL_FADE_END = 30.0f;
constexpr int TUTORIAL_TEXT_SLOT = 0;
constexpr int TUTORIAL_HINT_SLOT = 1;

// Steps that wait for something the player does in the battle rather than a
// click: 0, 1, 3, 7, 10, 13 and 15. False outside 0 to 16.
bool IsTutorialEventStep(int step);

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

class CEffect_Tutorials : public CVxEffect, public BattleActor {
public:
    CEffect_Tutorials();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    // Asks for a step: ignored when it is the one already asked for, or when
    // a step shows and this is not the next one.
    void RequestStep(int step);
    // The click-to-continue handler of the battle's input.
    void HandleClick();
    // The step on show has faded out completely.
    bool IsStepDismissed() const { return m_iFadeState == 1 && m_fFade >= TUTORIAL_FADE_END; }
    // The fade flag is 0 and the fade timer exactly 0: the step is fully shown.
    bool IsIdle() const { return m_iFadeState == 0 && m_fFade == 0.0f; }
    // The test page's step 5, with a pause of 100 frames after any step before it.
    void ShowStepFive();

    // Where the current step's arrows stand (b: the bob), answered as a count
    // (0 to 5) of points; flipped arrows point up.
    int ArrowPoints(const CBattleModel* battle, float b, VxVec3 (&out)[5], bool& flipped) const;

    CVxBillboard* m_pBox = nullptr;        // owned; the how-to-play overlay borrows it
    CVxBillboard* m_pArrow = nullptr;      // the application's
    CVxBillboard* m_pGuideLine = nullptr;  // owned
    float m_fFade = 0.0f;                  // 0 fully shown, 30 hidden
    int m_iFadeState = 0;                  // 0 showing or fading in, 1 fading out
    int m_iDrawnStep = -1;
    int m_iStep = -1;
    int m_iRequestedStep = -1;
    int m_iHoldFrames = 0;
    uint8_t m_bTextDrawn = 0;
    uint8_t m_bHintDrawn = 0;

private:
    void StartRequest();
    void DrawText(int step, float boxAlpha, float textAlpha) const;
    void DrawHint(float boxAlpha, float textAlpha) const;
    void DrawArrows(const CBattleModel* battle) const;
};
