

#include "tests/Harness.h"
#include "engine/VxString.h"

using harness::FakePage;
using harness::Harness;

namespace {

int IndexOf(const std::vector<std::string>& log, const std::string& e) {
    auto it = std::find(log.begin(), log.end(), e);
    return it == log.end() ? -1 : int(it - log.begin());
}

// Draws nothing; counts renders.
class CursorPicture : public CVxObject {
public:
    void Render() override { ++renders; }
    int renders = 0;
};

}  // namespace

TEST(PageTable, RegistersInOrderClosesGapsAndHoldsThirty) {
    Harness h;
    FakePage& a = h.AddPage("a");
    FakePage& b = h.AddPage("b");
    FakePage& c = h.AddPage("c");
    EXPECT_EQ(a.m_iIndex, 0);
    EXPECT_EQ(c.m_iIndex, 2);
    h.pages.erase(h.pages.begin());  // page a leaves
    EXPECT_EQ(h.app.m_nPages, 2);
    EXPECT_EQ(h.app.m_apPages[0], &b);
    EXPECT_EQ(h.app.m_apPages[2], nullptr);
    EXPECT_EQ(c.m_iIndex, 1);

    for (int i = 2; i < MAX_PAGES; ++i) h.AddPage("p" + std::to_string(i));
    FakePage& extra = h.AddPage("extra");
    EXPECT_EQ(h.app.m_nPages, MAX_PAGES);
    EXPECT_EQ(extra.m_iIndex, -1);
    h.pages.pop_back();  // an unregistered page leaves the table alone
    EXPECT_EQ(h.app.m_nPages, MAX_PAGES);
}

TEST(SwitchPage, OutOfRangeShowsTheErrorAndRecordsNothing) {
    Harness h;
    h.AddPage("a");
    h.AddPage("b");
    h.Start();
    h.app.SwitchPage(2, 0);
    h.app.SwitchPage(-1, 0);
    ASSERT_EQ(h.host.boxes.Count(), 2u);
    EXPECT_TRUE(h.host.boxes.Saw("SwitchPage() Error!!", "Array out of range"));
    EXPECT_EQ(h.host.boxes.Boxes()[0].type, unsigned(host::MB_OK));
    EXPECT_FALSE(h.app.m_bSwitchPending);
    EXPECT_EQ(h.app.m_iNewPage, -1);
}

TEST(SwitchPage, CarriesOutTheSwitchInOrder) {
    Harness h;
    FakePage& a = h.AddPage("a");
    FakePage& b = h.AddPage("b");
    h.Start();
    h.Steps(3);
    CursorPicture pic;
    h.app.m_aPointer[0].m_apCursor[3] = &pic;
    h.app.SwitchPage(1, 4);
    EXPECT_FALSE(h.app.m_bPageReady);
    EXPECT_EQ(h.app.m_iOldPage, 0);
    EXPECT_EQ(h.app.CurrentPage(), nullptr);  // hooks keep off the pages meanwhile
    h.pageLog.clear();
    g_fFrameGateTime = 0.5f;
    h.Step();

    EXPECT_EQ(h.switchesRun, 1);
    EXPECT_TRUE(h.app.m_bPageReady);
    EXPECT_EQ(h.app.m_iCurrentPage, 1);
    EXPECT_EQ(h.app.m_nFrame, 0);
    EXPECT_EQ(g_fFrameGateTime.load(), 0.0f);
    EXPECT_EQ(h.app.m_aPointer[0].m_apCursor[3], nullptr);
    EXPECT_EQ(a.m_pResourceManager, nullptr);
    EXPECT_EQ(a.m_iPrevSubScreen, -1);
    ASSERT_NE(b.m_pResourceManager, nullptr);
    EXPECT_EQ(b.m_pResourceManager->m_iOwnerId, 1);
    EXPECT_EQ(b.m_iSubScreen, 4);
    // Old page released before the new one loads; sub-screens in order.
    int unload = IndexOf(h.pageLog, "a:Unload");
    int release19 = IndexOf(h.pageLog, "a:ReleaseScreen:19");
    int load = IndexOf(h.pageLog, "b:Load");
    int load0 = IndexOf(h.pageLog, "b:LoadScreen:0");
    EXPECT_GE(unload, 0);
    EXPECT_LT(unload, release19);
    EXPECT_LT(release19, load);
    EXPECT_LT(load, load0);
    EXPECT_LT(load0, IndexOf(h.pageLog, "b:LoadScreen:19"));
    // The frame of the switch draws no page; the next one does.
    EXPECT_EQ(b.Count("Render:4"), 0);
    h.Step();
    EXPECT_EQ(b.Count("Render:4"), 1);
}

TEST(SwitchPage, LaterRequestBeforeTheWorkerStartsReplacesTheTarget) {
    Harness h;
    h.AddPage("a");
    FakePage& b = h.AddPage("b");
    FakePage& c = h.AddPage("c");
    h.Start();
    h.app.SwitchPage(1, 0);
    h.app.SwitchPage(2, 3);
    h.Step();
    EXPECT_EQ(h.app.m_iCurrentPage, 2);
    EXPECT_EQ(c.m_iSubScreen, 3);
    EXPECT_EQ(b.Count("Load"), 0);
}

TEST(SwitchPage, WorkerWithABadTargetReportsAndStaysOnTheOldPage) {
    Harness h;
    FakePage& a = h.AddPage("a");
    h.Start();
    h.app.m_iOldPage = 0;
    h.app.m_iNewPage = 5;
    h.app.m_bSwitchPending = true;
    h.Step();
    EXPECT_TRUE(h.host.boxes.Saw("DoSwitchPage() Error!!", "Array out of range"));
    EXPECT_EQ(h.app.m_iCurrentPage, 0);
    EXPECT_FALSE(h.app.m_bSwitchPending);
    EXPECT_NE(a.m_pResourceManager, nullptr);  // the old page was not released
}

TEST(Sounds, WrappersKeepOffThePageDuringASwitch) {
    Harness h;
    FakePage& a = h.AddPage("a");
    h.AddPage("b");
    h.Start();
    h.app.PauseAllSounds();
    EXPECT_TRUE(h.app.m_pResourceManager->m_bSoundsPaused);
    EXPECT_TRUE(a.m_pResourceManager->m_bSoundsPaused);
    h.app.ResumeAllSounds();
    EXPECT_FALSE(a.m_pResourceManager->m_bSoundsPaused);

    h.app.SwitchPage(1, 0);
    h.app.PauseAllSounds();
    EXPECT_TRUE(h.app.m_pResourceManager->m_bSoundsPaused);
    EXPECT_FALSE(a.m_pResourceManager->m_bSoundsPaused);
    h.app.ResumeAllSounds();

    h.app.MuteAllSounds();
    EXPECT_EQ(g_iMasterVolume, -10000);
    h.app.UnmuteAllSounds();
    EXPECT_FALSE(h.app.m_bMuted);
    EXPECT_EQ(g_iMasterVolume, 0);
}
