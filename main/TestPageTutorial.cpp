#include "main/TestPageTutorial.h"

#include <new>

#include "battle/effects/Effect_Tutorials.h"

namespace {

// No battle stands behind the test page: it keeps steps of its own.
class TutorialOnTestPage : public CTestPageTutorial {
public:
    TutorialOnTestPage() { m_Tutorial.ShowSteps(&m_Steps); }
    void ShowStepFive() override { m_Steps.ShowStepFive(); }
    void Dismiss() override { m_Steps.ClickAway(); }
    void Tick() override {
        m_Steps.Advance();
        m_Tutorial.Tick();
    }

private:
    TutorialSteps m_Steps;
    CEffect_Tutorials m_Tutorial;
};

}  // namespace

CTestPageTutorial* MakeTestPageTutorial() { return new (std::nothrow) TutorialOnTestPage(); }
