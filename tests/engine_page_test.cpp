
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

// The page's own pass draws and runs, once a frame, each button of the shown
// sub-screen or tagged -1 that it sees; one taken out of it (m_bVisible
// cleared, as a screen that runs its own buttons does) it leaves alone.
TEST(Page, ItsPassDrawsAndRunsEachButtonItSeesOnceAFrame) {
    PageFixture f;
    f.page.SetSubScreen(1);
    const struct {
        int tag;
        bool seen;
        int perFrame;
    } rows[] = {{1, true, 1}, {-1, true, 1}, {2, true, 0}, {1, false, 0}, {-1, false, 0}};
    std::vector<CountingButton*> buttons;
    for (const auto& r : rows) {
        buttons.push_back(Add(f.page, r.tag));
        buttons.back()->m_bVisible = r.seen;
    }
    f.h.Steps(20);  // past the start's input hold and the sub-screen change's
    std::vector<std::pair<int, int>> before;
    for (const CountingButton* b : buttons) before.emplace_back(b->drawn, b->driven);
    f.h.Steps(5);
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->drawn - before[i].first, 5 * rows[i].perFrame) << "row " << i;
        EXPECT_EQ(buttons[i]->driven - before[i].second, 5 * rows[i].perFrame) << "row " << i;
    }

    // A faced button made with AddButton takes a click once: the release
    // starts its full cooldown.
    CVxBillboard face(nullptr, nullptr, nullptr);
    CVxButton* made = f.page.AddButton(1);
    ASSERT_NE(made, nullptr);
    CVxButton::SetStateTextures(made, &face, &face, &face, &face);
    made->SetPosition(0.0f, 0.0f, 0.0f);
    f.h.Step();
    f.h.Click(f.h.app.m_iScreenWidth / 2, f.h.app.m_iScreenHeight / 2);
    f.h.Step();
    f.h.Send(host::WM_LBUTTONUP);
    f.h.Step();
    EXPECT_EQ(made->m_iClickCooldown, BUTTON_CLICK_COOLDOWN);
    EXPECT_TRUE(made->TakeClick());
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
