// The developers' test page: a right click loads it afresh, a left click
// lets the tutorial step fade out, and a reload keeps one guide picture.
#include <gtest/gtest.h>

#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "frontend/PageTest.h"
#include "tests/Harness.h"

namespace {

struct TutorialCalls {
    int made = 0, stepFive = 0, dismissed = 0, ticks = 0;
};
TutorialCalls g_Calls;

class CountingTutorial : public CTestPageTutorial {
public:
    void ShowStepFive() override { ++g_Calls.stepFive; }
    void Dismiss() override { ++g_Calls.dismissed; }
    void Tick() override { ++g_Calls.ticks; }
};

CTestPageTutorial* MakeCountingTutorial() {
    ++g_Calls.made;
    return new CountingTutorial();
}

class TestPageTest : public GameAppTest {};

TEST_F(TestPageTest, RightClickReloadsLeftClickDismissesAndTheGuideIsMadeOnce) {
    g_Calls = {};
    CGameApplication& app = Start();
    app.LoadSharedResources();
    auto* page = dynamic_cast<CPageTest*>(app.m_pPageTest);
    ASSERT_NE(page, nullptr);
    page->m_pfnMakeTutorial = MakeCountingTutorial;
    ASSERT_EQ(page->CreateResourceManager(), 0);
    page->Load();
    app.m_iCurrentPage = TEST_PAGE_INDEX;
    EXPECT_EQ(g_Calls.made, 1);
    EXPECT_EQ(g_Calls.stepFive, 1) << "step 5 shows at once";
    ASSERT_NE(page->m_pGuidePicture, nullptr);
    page->Render();
    EXPECT_EQ(g_Calls.ticks, 1);
    EXPECT_EQ(page->m_pGuidePicture->m_vSize.x, TEST_PAGE_CAMERA_WIDTH) << "the guide fills the page's camera";

    InputRecord& in = app.m_aInput[0];
    in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
    page->HandleInput();
    EXPECT_EQ(g_Calls.dismissed, 1);
    EXPECT_EQ(in.m_aiKey[MOUSE_LEFT], 0u) << "the release is used up";
    in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
    page->HandleInput();
    EXPECT_EQ(g_Calls.dismissed, 2) << "a step already fading starts its fade again";
    EXPECT_FALSE(app.m_bSwitchPending);

    in.m_aiKey[MOUSE_RIGHT] = KEY_RELEASED;
    page->HandleInput();
    EXPECT_TRUE(app.m_bSwitchPending);
    EXPECT_EQ(app.m_iNewPage, TEST_PAGE_INDEX) << "the page loads itself again";
    EXPECT_EQ(in.m_aiKey[MOUSE_RIGHT], 0u);

    // The switch: release, then load into the manager the page kept.
    const size_t pictures = page->m_pResourceManager->m_lstObjects.size();
    CVxBillboard* guide = page->m_pGuidePicture;
    page->Unload();
    page->DropResourceManager();
    ASSERT_NE(page->m_pResourceManager, nullptr) << "the page keeps its manager";
    page->Load();
    EXPECT_EQ(g_Calls.made, 2);
    EXPECT_EQ(g_Calls.stepFive, 2);
    EXPECT_EQ(page->m_pGuidePicture, guide);
    EXPECT_EQ(page->m_pResourceManager->m_lstObjects.size(), pictures) << "no second guide picture";
    page->Unload();
    EXPECT_EQ(page->m_pTutorial, nullptr);
    app.m_bSwitchPending = false;
}

}  // namespace

namespace {

// The page as the game builds it, with the battle's own tutorial: it loads
// from the pack without a missing file and runs its frames.
TEST_F(TestPageTest, TheGamesOwnTestPageLoadsFromThePackAndRuns) {
    CGameApplication& app = Start();
    app.SwitchPage(TEST_PAGE_INDEX, 0);
    app.Tick();
    ASSERT_FALSE(app.m_bSwitchPending);
    ASSERT_EQ(int(app.m_iCurrentPage), TEST_PAGE_INDEX);
    auto* page = dynamic_cast<CPageTest*>(app.m_pPageTest);
    ASSERT_NE(page->m_pTutorial, nullptr);
    for (int i = 0; i < 90; ++i) {
        app.Tick();
        app.ProcessInput();
        app.Frame();
        if (i == 40) app.m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
    }
    EXPECT_EQ(m_Host.boxes.Count(), 0u) << (m_Host.boxes.Count() ? m_Host.boxes.Boxes().front().text : "");
    EXPECT_NE(page->m_pGuidePicture, nullptr);
}

}  // namespace
