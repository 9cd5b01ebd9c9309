
#include "tests/Harness.h"

using harness::CountingButton;
using harness::FakePage;
using harness::Harness;

namespace {

CountingButton* Add(CVxPage& page, int tag, int status = BUTTON_NORMAL) {
    auto* b = new CountingButton(tag);
    b->m_iStatus = status;
    page.m_pResourceManager->m_lstButtons.push_back(b);
    return b;
}

struct PageFixture {
    PageFixture() : page(h.AddPage("a")) { h.Start(); }
    Harness h;
    FakePage& page;
};

}  // namespace

TEST(Page, ButtonsWaitTenInputStepsAfterASubScreenChange) {
    PageFixture f;
    CountingButton* b = Add(f.page, 1);
    f.page.SetSubScreen(1);
    EXPECT_EQ(f.page.m_iSubScreen, 1);
    EXPECT_EQ(f.page.m_iPrevSubScreen, 0);
    for (int i = 0; i < 10; ++i) f.page.HandleInput();
    EXPECT_EQ(b->driven, 0);
    EXPECT_EQ(f.page.Count("Input:1"), 10);  // the sub-screen's own handler keeps running
    f.page.HandleInput();
    EXPECT_EQ(b->driven, 1);
}

TEST(Page, BlockedChangeTakesEffectOnTheSixthInputStep) {
    PageFixture f;
    f.h.app.BlockSubScreenChanges();
    f.page.SetSubScreen(7);
    for (int i = 0; i < 5; ++i) f.page.HandleInput();
    EXPECT_EQ(f.page.m_iSubScreen, 0);
    f.page.HandleInput();
    EXPECT_EQ(f.page.m_iSubScreen, 7);
    EXPECT_EQ(f.page.Count("Input:0"), 6);
}

TEST(Page, SetSubScreenRearmsButtonsButLeavesDisabledOnes) {
    PageFixture f;
    CountingButton* pressed = Add(f.page, 2, BUTTON_PRESS);
    CountingButton* disabled = Add(f.page, 2, BUTTON_DISABLE);
    CountingButton* everywhere = Add(f.page, -1, BUTTON_OVER);
    CountingButton* other = Add(f.page, 3, BUTTON_OVER);
    f.page.SetSubScreen(2);
    EXPECT_EQ(pressed->m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(disabled->m_iStatus, BUTTON_DISABLE);
    EXPECT_EQ(everywhere->m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(other->m_iStatus, BUTTON_OVER);
    everywhere->m_iStatus = BUTTON_PRESS;
    f.page.SetSubScreen(5);
    EXPECT_EQ(everywhere->m_iStatus, BUTTON_NORMAL);
}

TEST(Page, OutOfRangeSubScreenCallsNoHandler) {
    PageFixture f;
    f.h.pageLog.clear();
    for (int n : {20, -1}) {
        f.page.m_iSubScreen = n;
        f.page.Update();
        f.page.Render();
        f.page.RenderOverlay();
        f.page.HandleInput();
    }
    EXPECT_TRUE(f.h.pageLog.empty());
}

TEST(Page, ReleaseWithoutAManagerStillCallsEveryReleaseHandler) {
    Harness h;
    FakePage& page = h.AddPage("a");
    page.HandleInput();  // not initialised: no input at all
    EXPECT_EQ(page.Count("Input:0"), 0);
    EXPECT_EQ(page.AddButton(0), nullptr);
    page.ReleaseSubScreens();
    for (int k = 0; k < NUM_SUBSCREENS; ++k) EXPECT_EQ(page.Count("ReleaseScreen:" + std::to_string(k)), 1);
}
