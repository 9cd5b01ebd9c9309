#include "main/TestPageTutorial.h"

#include <new>

#include "battle/effects/Effect_Tutorials.h"

namespace {

class TutorialOnTestPage : public CTestPageTutorial {
public:
    void ShowStepFive() override { m_Tutorial.ShowStepFive(); }
    void Dismiss() override {
        m_Tutorial.m_fFade = 0.0f;
        m_Tutorial.m_iFadeState = 1;
    }
    void Tick() override { m_Tutorial.Tick(); }

private:
    CEffect_Tutorials m_Tutorial;
};

}  // namespace

CTestPageTutorial* MakeTestPageTutorial() { return new (std::nothrow) TutorialOnTestPage(); }
