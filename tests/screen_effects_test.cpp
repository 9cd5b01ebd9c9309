// The sub-screen fade, the page transition and the loading screen of a
// started game application.
#include "game/Effect_Touch.h"
#include "game/LoadingBar.h"
#include "engine/VxBillboard.h"
#include "tests/Harness.h"

namespace {

// Records every record it is given.
class StartLog : public CVxEffect {
public:
    StartLog() {
        m_nPoolSize = 4;
        m_iDefaultLife = 10;
    }
    void OnFrame(int) override {}
    void OnStart(int index) override { started.push_back(m_aInstances[index]); }
    std::vector<EffectInstance> started;
};

class ScreenEffectsTest : public PopupTest {
protected:
    void TearDown() override {
        g_fScreenDim = 1.0f;
        PopupTest::TearDown();
    }
    void Enter(int page) {
        m_App->m_iCurrentPage = page;
        m_App->m_bSwitchPending = false;
    }
    // The dim each frame sees while the fade runs, then ticks.
    std::vector<float> Dims(int frames, const std::function<void(int)>& each = nullptr) {
        std::vector<float> dims;
        for (int frame = 0; frame < frames; ++frame) {
            m_App->m_pEffectBlackScreen->UpdateScreenDim();
            dims.push_back(g_fScreenDim);
            m_App->m_pEffectBlackScreen->Tick();
            if (each) each(frame);
        }
        return dims;
    }
};

// Remembers where it was placed.
class PlacedBoard : public CVxBillboard {
public:
    PlacedBoard() : CVxBillboard(nullptr, nullptr, nullptr) {}
    void SetPosition(float x, float y, float z) override {
        CVxBillboard::SetPosition(x, y, z);
        placed.push_back(VxVec3{x, y, z});
    }
    std::vector<VxVec3> placed;
};

}  // namespace

TEST_F(ScreenEffectsTest, LoadingScreenLeavingTheLogoHoldsTheSwitchUntilTheBarIsFull) {
    CGameApplication& app = *m_App;
    app.m_iOldPage = 0;
    app.m_bPageReady = false;
    app.m_bHoldSwitch = true;
    const uint32_t t0 = m_Host.clock.Milliseconds();
    for (int i = 0; i < 5; ++i) app.DrawLoadingScreen();
    EXPECT_EQ(app.m_iLoadingProgress, 5);
    EXPECT_EQ(m_Host.clock.Milliseconds() - t0, 5u * 500u) << "each frame gives the loader 500 ms";
    app.m_iLoadingProgress = 400;
    app.DrawLoadingScreen();
    EXPECT_TRUE(app.m_bHoldSwitch) << "the fraction is capped at 0.9 until the page is ready";

    app.m_iLoadingProgress = 5;
    app.m_bPageReady = true;
    const uint32_t t1 = m_Host.clock.Milliseconds();
    std::vector<int> progress;
    while (app.m_bHoldSwitch && progress.size() < 100) {
        app.DrawLoadingScreen();
        progress.push_back(app.m_iLoadingProgress);
    }
    EXPECT_EQ(progress, (std::vector<int>{15, 25, 35, 85, 135, 185, 235, 285, 295, 300, 300}));
    EXPECT_EQ(m_Host.clock.Milliseconds(), t1) << "no sleeping once the page is ready";

    // Any other switch only gives the loader a second.
    app.m_iOldPage = 1;
    app.m_iLoadingProgress = 0;
    app.DrawLoadingScreen();
    EXPECT_EQ(m_Host.clock.Milliseconds() - t1, 1000u);
    EXPECT_EQ(app.m_iLoadingProgress, 0);
}

TEST_F(ScreenEffectsTest, SubScreenFadeChangesTheBattleSubScreenExactlyAtBlack) {
    CVxButton hidden(-1);
    hidden.SetPosition(10.0f, 20.0f, 0.0f);
    battle->m_pButtonAllScreens = &hidden;
    Enter(BATTLE_PAGE_INDEX);
    CEffect_BlackScreen& fade = *m_App->m_pEffectBlackScreen;
    for (int round = 0; round < 2; ++round) {
        const int from = battle->m_iSubScreen;
        fade.Clear(0);
        fade.m_bSubScreenSwitch = true;
        ASSERT_EQ(fade.Add(0), 0);
        int switchedAt = -1;
        const std::vector<float> dims = Dims(40, [&](int frame) {
            if (switchedAt < 0 && battle->m_iSubScreen != from) switchedAt = frame;
        });
        ASSERT_EQ(switchedAt, 15) << "round " << round;
        EXPECT_FLOAT_EQ(dims[13], 1.0f / 15.0f);
        EXPECT_FLOAT_EQ(dims[15], 0.0f) << "the change happens on a black frame";
        for (int frame = 16; frame < 30; ++frame) EXPECT_GT(dims[frame], dims[frame - 1]) << frame;
        EXPECT_FLOAT_EQ(dims[31], 1.0f);
        EXPECT_FALSE(fade.m_bSubScreenSwitch);
        EXPECT_EQ(battle->m_iSubScreen, 1 - from);
    }
    EXPECT_FLOAT_EQ(hidden.m_vPosition.x, 9999.0f) << "leaving the encyclopedia moves the all-screens button away";
    battle->m_pButtonAllScreens = nullptr;
}

// Each page-switch code on its last frame: the page and sub-screen asked for.
TEST_F(ScreenEffectsTest, TransitionCodesSwitchOnTheirLastFrame) {
    const struct {
        int from, code, page, subScreen, stage;
        bool returnToMenu;
    } cases[] = {
        {0, 61, 1, 6, 7, false},                  // the menu's episode screen
        {BATTLE_PAGE_INDEX, 3, 3, 0, 42, false},  // the battle again, on the summary's chosen stage
        {BATTLE_PAGE_INDEX, 11, 1, 1, 7, true},   // the menu's stage map, restored
    };
    for (const auto& c : cases) {
        Enter(c.from);
        m_App->m_iCurrentStage = 7;
        summary.m_iNextStage = 42;
        CEffect_SwitchPage& change = *m_App->m_pEffectSwitchPage;
        ASSERT_EQ(change.Add(c.code), 0);
        for (int frame = 0; frame < 14; ++frame) change.Tick();
        EXPECT_FALSE(m_App->m_bSwitchPending) << c.code;
        change.Tick();
        EXPECT_TRUE(m_App->m_bSwitchPending) << c.code;
        EXPECT_EQ(m_App->m_iNewPage, c.page) << c.code;
        EXPECT_EQ(m_App->m_iNewSubScreen, c.subScreen) << c.code;
        EXPECT_EQ(m_App->m_iCurrentStage, c.stage) << c.code;
        EXPECT_EQ(m_App->m_bReturnToMenu, c.returnToMenu) << c.code;
        EXPECT_LE(change.m_aInstances[0].life, 0);
        m_App->m_bReturnToMenu = false;
    }
    // Kind -1 only covers the screen.
    Enter(1);
    m_App->m_pResourceManager->m_bSoundsPaused = true;
    m_App->m_pEffectSwitchPage->Add(-1);
    for (int frame = 0; frame < 60; ++frame) m_App->m_pEffectSwitchPage->Tick();
    EXPECT_FALSE(m_App->m_bSwitchPending);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    m_App->m_pResourceManager->m_bSoundsPaused = false;
}

TEST_F(ScreenEffectsTest, TransitionFadesThePageMusicWithTheCover) {
    CVxSound music;
    menu.m_pMusic = &music;
    Enter(MENU_PAGE_INDEX);
    m_App->m_pEffectSwitchPage->Add(3);
    std::vector<float> factors;
    for (int frame = 0; frame < 15; ++frame) {
        m_App->m_pEffectSwitchPage->Tick();
        factors.push_back(music.m_fVolumeFactor);
    }
    EXPECT_FLOAT_EQ(factors.front(), 1.0f);
    EXPECT_FLOAT_EQ(factors[5], 10.0f / 15.0f);
    EXPECT_FLOAT_EQ(factors.back(), 1.0f / 15.0f);
    menu.m_pMusic = nullptr;
}

// The click mark's ring stands where the click was, whatever the spot.
TEST_F(ScreenEffectsTest, TheClickMarkStandsWhereTheClickWas) {
    const VxVec3 rows[] = {{100.0f, -50.0f, 0.0f}, {-300.0f, 220.0f, 0.0f}, {0.0f, 0.0f, 0.5f}};
    PlacedBoard ring;
    CVxBillboard* const kept = m_App->m_pBbdTouch;
    m_App->m_pBbdTouch = &ring;
    for (const VxVec3& r : rows) {
        CEffect_Touch& touch = *m_App->m_pEffectTouch;
        touch.Clear(0);
        ring.placed.clear();
        ASSERT_GE(touch.Add(0, r.x, r.y, r.z), 0);
        touch.Tick();
        ASSERT_FALSE(ring.placed.empty());
        EXPECT_FLOAT_EQ(ring.placed[0].x, r.x);
        EXPECT_FLOAT_EQ(ring.placed[0].y, r.y);
        EXPECT_FLOAT_EQ(ring.placed[0].z, r.z);
    }
    m_App->m_pBbdTouch = kept;
}
