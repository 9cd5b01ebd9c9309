#include <gtest/gtest.h>

#include "Harness.h"
#include "engine/VxSound.h"

using harness::CountingButton;
using harness::FakePage;
using harness::Harness;

namespace {

CountingButton* Add(CVxPage& page, int tag) {
    auto* b = new CountingButton(tag);
    page.m_pResourceManager->m_lstButtons.push_back(b);
    return b;
}

// A drawable that counts its own destruction.
class Tracked : public CVxObject {
public:
    explicit Tracked(int* deaths) : m_deaths(deaths) {}
    ~Tracked() override { ++*m_deaths; }
    int* m_deaths;
};

class TrackedResource : public CVxResource {
public:
    explicit TrackedResource(int* deaths) : m_deaths(deaths) {}
    ~TrackedResource() override { ++*m_deaths; }
    int* m_deaths;
};

class TrackedSound : public CVxSound {
public:
    explicit TrackedSound(int* deaths) : m_deaths(deaths) {}
    ~TrackedSound() override { ++*m_deaths; }
    int* m_deaths;
};

}  // namespace

TEST(Page, ButtonsWaitTenInputStepsAfterASubScreenChange) {
    Harness h;
    FakePage& page = h.AddPage("a");
    h.Start();
    CountingButton* b = Add(page, 1);
    page.SetSubScreen(1);
    EXPECT_EQ(page.m_iSubScreen, 1);
    EXPECT_EQ(page.m_iPrevSubScreen, 0);
    for (int i = 0; i < 10; ++i) page.HandleInput();
    EXPECT_EQ(b->driven, 0);
    EXPECT_EQ(page.Count("Input:1"), 10);  // the sub-screen's own handler keeps running
    page.HandleInput();
    EXPECT_EQ(b->driven, 1);
    EXPECT_EQ(page.Count("Input:1"), 11);
}

TEST(Page, BlockedChangeTakesEffectOnTheSixthInputStep) {
    Harness h;
    FakePage& page = h.AddPage("a");
    h.Start();
    h.app.BlockSubScreenChanges();
    page.SetSubScreen(7);
    EXPECT_EQ(page.m_iSubScreen, 0);
    EXPECT_EQ(page.m_iNextSubScreen, 7);
    for (int i = 0; i < 5; ++i) page.HandleInput();
    EXPECT_EQ(page.m_iSubScreen, 0);
    page.HandleInput();
    EXPECT_EQ(page.m_iSubScreen, 7);
    EXPECT_EQ(page.Count("Input:0"), 6);
}

TEST(Page, NoInputBeforeTheApplicationIsInitialised) {
    Harness h;
    FakePage& page = h.AddPage("a");
    page.HandleInput();
    EXPECT_EQ(page.Count("Input:0"), 0);
}

TEST(Page, SetSubScreenRearmsButtonsButLeavesDisabledOnes) {
    Harness h;
    FakePage& page = h.AddPage("a");
    h.Start();
    CountingButton* pressed = Add(page, 2);
    CountingButton* disabled = Add(page, 2);
    CountingButton* everywhere = Add(page, -1);
    CountingButton* other = Add(page, 3);
    pressed->m_iStatus = BUTTON_PRESS;
    disabled->m_iStatus = BUTTON_DISABLE;
    everywhere->m_iStatus = BUTTON_OVER;
    other->m_iStatus = BUTTON_OVER;
    page.SetSubScreen(2);
    EXPECT_EQ(pressed->m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(disabled->m_iStatus, BUTTON_DISABLE);
    EXPECT_EQ(everywhere->m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(other->m_iStatus, BUTTON_OVER);
    everywhere->m_iStatus = BUTTON_PRESS;
    page.SetSubScreen(5);
    EXPECT_EQ(everywhere->m_iStatus, BUTTON_NORMAL);
}

TEST(Page, OnlyVisibleButtonsOfTheSubScreenAreDrawnAndDriven) {
    Harness h;
    FakePage& page = h.AddPage("a");
    h.Start();
    CountingButton* mine = Add(page, 0);
    CountingButton* everywhere = Add(page, -1);
    CountingButton* hidden = Add(page, 0);
    CountingButton* other = Add(page, 1);
    hidden->m_bVisible = false;
    page.m_pResourceManager->m_lstButtons.push_back(nullptr);  // nulls are skipped
    h.Steps(11);  // the eleventh frame passes input to the page
    EXPECT_EQ(mine->drawn, 11);
    EXPECT_EQ(everywhere->drawn, 11);
    EXPECT_EQ(hidden->drawn, 0);
    EXPECT_EQ(other->drawn, 0);
    EXPECT_EQ(mine->driven, 1);
    EXPECT_EQ(everywhere->driven, 1);
    EXPECT_EQ(hidden->driven, 0);
    EXPECT_EQ(other->driven, 0);
}

TEST(Page, OutOfRangeSubScreenCallsNoHandler) {
    Harness h;
    FakePage& page = h.AddPage("a");
    h.Start();
    h.pageLog.clear();
    page.m_iSubScreen = 20;
    page.Update();
    page.Render();
    page.RenderOverlay();
    page.HandleInput();
    page.m_iSubScreen = -1;
    page.Update();
    EXPECT_TRUE(h.pageLog.empty());
}

TEST(Page, ReleaseWithoutAManagerStillCallsEveryReleaseHandler) {
    Harness h;
    FakePage& page = h.AddPage("a");
    ASSERT_EQ(page.m_pResourceManager, nullptr);
    page.ReleaseSubScreens();
    for (int k = 0; k < NUM_SUBSCREENS; ++k) EXPECT_EQ(page.Count("ReleaseScreen:" + std::to_string(k)), 1);
}

TEST(Page, AddButtonGivesTheManagersOwnerAndNeedsAManager) {
    Harness h;
    h.AddPage("a");
    FakePage& second = h.AddPage("b");
    EXPECT_EQ(second.AddButton(0), nullptr);
    ASSERT_EQ(second.CreateResourceManager(), 0);
    EXPECT_EQ(second.CreateResourceManager(), 0);  // keeps the one it has
    CVxButton* b = second.AddButton(4);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->m_iOwnerId, 1);
    EXPECT_EQ(b->m_iSubScreenTag, 4);
    EXPECT_EQ(b->m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(b->m_iKind, OBJECT_KIND_BUTTON);
    EXPECT_FLOAT_EQ(b->m_vPosition.x, 10000.0f);
    EXPECT_EQ(b->m_iHitHalfWidth, 50);
    ASSERT_EQ(second.m_pResourceManager->m_lstButtons.size(), 1u);
    EXPECT_EQ(second.m_pResourceManager->m_lstButtons[0], b);
}

TEST(Page, LoadingClearsTheDelayAndMarksTheRelease) {
    Harness h;
    FakePage& page = h.AddPage("a");
    page.SetSubScreen(3);
    EXPECT_EQ(page.m_nSubScreenDelay, 10);
    page.LoadSubScreens();
    EXPECT_EQ(page.m_nSubScreenDelay, 0);
    EXPECT_TRUE(page.m_bLoaded);
    EXPECT_EQ(page.Count("LoadScreen:19"), 1);
}

TEST(ResourceManager, DeletesEverythingItHoldsOnce) {
    int deaths = 0;
    {
        auto* rm = new CVxResourceManager();
        EXPECT_EQ(rm->m_iOwnerId, OWNER_UNSET);
        rm->m_lstObjects.push_back(new Tracked(&deaths));
        rm->m_lstObjects.push_back(nullptr);
        rm->m_lstTextures.push_back(nullptr);
        rm->m_lstSounds.push_back(new TrackedSound(&deaths));
        rm->m_lstButtons.push_back(new CVxButton(-1));
        rm->m_lstFonts.push_back(nullptr);
        rm->m_lstFonts.push_back(new Tracked(&deaths));
        rm->m_lstExtra.push_back(new Tracked(&deaths));
        delete rm;
    }
    EXPECT_EQ(deaths, 4);
}

TEST(ResourceManager, LeavingAPageDeletesWhatItLoaded) {
    Harness h;
    FakePage& a = h.AddPage("a");
    h.AddPage("b");
    h.Start();
    int deaths = 0;
    a.m_pResourceManager->m_lstObjects.push_back(new Tracked(&deaths));
    h.app.SwitchPage(1, 0);
    h.Step();
    EXPECT_EQ(deaths, 1);
}
