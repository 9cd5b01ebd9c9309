#include "battle/model/TutorialSteps.h"

#include <algorithm>

bool IsTutorialEventStep(int step) {
    switch (step) {
    case 0:
    case 1:
    case 3:
    case 7:
    case 10:
    case 13:
    case 15: return true;
    default: return false;
    }
}

bool IsTutorialClickStep(int step) { return step >= 0 && step < TUTORIAL_STEPS && !IsTutorialEventStep(step); }

void TutorialSteps::StartRequest() {
    if (!m_bStarted) {
        // The first step comes in at once, from hidden.
        m_bStarted = true;
        m_fFade = TUTORIAL_FADE_END;
        m_iStep = m_iRequestedStep;
        m_iRequestedStep = -1;
        m_iFadeState = 0;
    } else if (m_iFadeState == 0) {
        m_iFadeState = 1;
        m_fFade = 0.0f;
    }
}

void TutorialSteps::RequestStep(int step) {
    if (step == m_iRequestedStep) return;
    if (m_iStep != -1 && step != m_iStep + 1) return;
    m_iRequestedStep = step;
    m_iHoldFrames = 0;
    m_iAge = 0;
    StartRequest();
}

void TutorialSteps::ShowStepFive() {
    m_iRequestedStep = 5;
    m_iHoldFrames = 100;
    m_iAge = 0;
    StartRequest();
}

bool TutorialSteps::TakesClick() const {
    return m_bStarted && m_iFadeState == 0 && m_iAge > TUTORIAL_CLICK_AGE && IsTutorialClickStep(m_iStep);
}

void TutorialSteps::ClickAway() {
    m_fFade = 0.0f;
    m_iFadeState = 1;
}

void TutorialSteps::Advance() {
    if (!m_bStarted) return;
    // Two points a frame: 15 frames in and 15 out.
    TutorialFrame& f = m_LastFrame;
    f.step = m_iStep;
    f.fadingIn = m_iFadeState == 0 && m_fFade > 0.0f;
    f.fadingOut = m_iFadeState == 1;
    f.alpha = 1.0f;
    if (m_iFadeState == 0) {
        if (m_fFade > 0.0f) {
            f.alpha = 1.0f - m_fFade / TUTORIAL_FADE_END;
            m_fFade -= 2.0f;
        } else {
            m_fFade = 0.0f;
        }
    } else {
        f.alpha = 1.0f - m_fFade / TUTORIAL_FADE_END;
        m_fFade += 2.0f;
        if (m_fFade >= TUTORIAL_FADE_END && m_iHoldFrames == 0 && m_iRequestedStep != -1) {
            m_iStep = m_iRequestedStep;
            m_fFade = TUTORIAL_FADE_END;
            m_iRequestedStep = -1;
            m_iFadeState = 0;
        }
    }
    f.alpha = std::min(1.0f, std::max(0.0f, f.alpha));
    f.readFrames = m_iFadeState == 0 ? m_iAge : -1;
    if (m_iFadeState == 1 && m_fFade >= TUTORIAL_FADE_END && m_iHoldFrames > 0) --m_iHoldFrames;
    ++m_iAge;
}
