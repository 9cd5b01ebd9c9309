#pragma once
// The numbered steps of the tutorial of the first two battles (0 to 16), one
// at a time: which step shows, the one asked for next, its fade in and out,
// and how long it has been up. A step is only ever followed by the next
// number, and a new step waits for the old one to fade out. The battle keeps
// one and moves it a frame at a time (TutorialRules.h); the test page keeps
// its own. The board only draws what this holds.
constexpr int TUTORIAL_STEPS = 17;
constexpr float TUTORIAL_FADE_END = 30.0f;
// A click step goes with a click once it has been up longer than this.
constexpr int TUTORIAL_CLICK_AGE = 60;

// Steps that wait for something the player does in the battle rather than a
// click: 0, 1, 3, 7, 10, 13 and 15. False outside 0 to 16.
bool IsTutorialEventStep(int step);
// Steps 0 to 16 that a click takes away.
bool IsTutorialClickStep(int step);

// What one frame showed, as it began: the step, the share of its box and
// text (1 fully shown), whether it was fading in or out, and how long it had
// been up (-1 while it faded out).
struct TutorialFrame {
    int step = -1;
    float alpha = 1.0f;
    bool fadingIn = false;
    bool fadingOut = false;
    int readFrames = -1;
};

class TutorialSteps {
public:
    // Asks for a step: ignored when it is the one already asked for, or when
    // a step shows and this is not the next one.
    void RequestStep(int step);
    // The test page's step 5, with a pause of 100 frames after any step before it.
    void ShowStepFive();
    // A click would take the step on show away now: it is a click step, up
    // (not fading out) for more than TUTORIAL_CLICK_AGE frames.
    bool TakesClick() const;
    // The step starts to fade out.
    void ClickAway();
    // One frame: the fade moves on, and once the old step is out (and any
    // pause is over) the step asked for comes in.
    void Advance();

    bool Started() const { return m_bStarted; }
    int Step() const { return m_iStep; }
    int RequestedStep() const { return m_iRequestedStep; }
    // Frames since the last request.
    int Age() const { return m_iAge; }
    float Fade() const { return m_fFade; }  // 0 fully shown, 30 hidden
    bool FadingOut() const { return m_iFadeState == 1; }
    // The step on show has faded out completely.
    bool IsStepDismissed() const { return m_iFadeState == 1 && m_fFade >= TUTORIAL_FADE_END; }
    // The fade flag is 0 and the fade exactly 0: the step is fully shown.
    bool IsIdle() const { return m_iFadeState == 0 && m_fFade == 0.0f; }
    // The frames the step has been up while it is not fading out, else -1.
    int ShownFrames() const { return m_iFadeState == 0 ? m_iAge : -1; }
    // The frame the last Advance moved on from.
    const TutorialFrame& LastFrame() const { return m_LastFrame; }

    // Plain record, as the battle's others: the rules above keep it consistent.
    bool m_bStarted = false;  // a step has been asked for since the battle began
    int m_iAge = 0;
    float m_fFade = 0.0f;
    int m_iFadeState = 0;  // 0 showing or fading in, 1 fading out
    int m_iStep = -1;
    int m_iRequestedStep = -1;
    int m_iHoldFrames = 0;  // frames to wait, once faded out, before the next step
    TutorialFrame m_LastFrame;

private:
    void StartRequest();
};
