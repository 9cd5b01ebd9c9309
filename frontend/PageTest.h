#pragma once
// Page 4, for the developers: the tutorial guide picture full screen with
// tutorial step 5 over it, a sample of every letter and digit of the game
// font, and the cursor's coordinates. No menu leads here; a right click loads
// the page afresh, a left click lets the shown step fade out.
#include "engine/VxPage.h"

class CVxBillboard;

// The battle's tutorial effect as the page uses it; the battle lies beside
// the front end, so the program's start-up hands in how to make one.
class CTestPageTutorial {
public:
    virtual ~CTestPageTutorial() = default;
    virtual void ShowStepFive() = 0;
    // The shown step fades out (from the start of its fade).
    virtual void Dismiss() = 0;
    virtual void Tick() = 0;
};
using TestPageTutorialMaker = CTestPageTutorial* (*)();

// The sample: five lines of letters and digits, 144 characters in all.
extern const char* const kTestPageFontSample;

// The guide picture fills a camera that is as much wider than the screen as
// the page was first laid out for (900 x 600 on 800 x 600).
constexpr float TEST_PAGE_CAMERA_WIDTH = 990.0f;
constexpr float TEST_PAGE_CAMERA_HEIGHT = 640.0f;

class CPageTest : public CVxPage {
public:
    explicit CPageTest(TestPageTutorialMaker makeTutorial = nullptr) : m_pfnMakeTutorial(makeTutorial) {}
    ~CPageTest() override;

    int Load() override;
    // Release: the tutorial goes, the page's pictures stay with its manager.
    int Unload() override;
    int Update() override;
    int Render() override;
    int HandleInput() override;
    // The page keeps its manager between loads.
    void DropResourceManager() override {}

    TestPageTutorialMaker m_pfnMakeTutorial = nullptr;
    CTestPageTutorial* m_pTutorial = nullptr;  // owned: the tutorial effect
    CVxBillboard* m_pGuidePicture = nullptr;   // owned by the page's manager
};
