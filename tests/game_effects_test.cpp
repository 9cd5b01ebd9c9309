// Screen fades, the page transition, the click mark, the exit box, the
// loading bar and the focus hooks of the game application.
#include "battle/effects/Effect_Summary.h"
#include "battle/page/PageGame.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "frontend/PageMenu.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameSaveData.h"
#include "game/LoadingBar.h"
#include "engine/framework/RenderTargets.h"
#include "platform/host/RecordingDevice.h"
#include "tests/GameAppSupport.h"

namespace {

// Records every record it is given.
class RecordingEffect : public CVxEffect {
public:
    RecordingEffect() {
        m_nPoolSize = 4;
        m_iDefaultLife = 10;
    }
    void OnFrame(int) override {}
    void OnStart(int index) override { started.push_back(m_aInstances[index]); }
    std::vector<EffectInstance> started;
};

class EffectsTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        {
            // One profile in use, so that saves write the live profile.
            CGameSaveData save;
            ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
            ASSERT_EQ(save.CreateProfile("Tester"), CVxSaveData::SAVE_OK);
            ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
        }
        Start();
        m_App->LoadSharedResources();
        ASSERT_NE(m_App->m_pEffectBlackScreen, nullptr);
        g_fScreenDim = 1.0f;
    }
    void TearDown() override {
        g_fScreenDim = 1.0f;
        GameAppTest::TearDown();
    }
    // Makes page as if the switch to it had finished.
    void Enter(int page) {
        m_App->m_iCurrentPage = page;
        m_App->m_bSwitchPending = false;
    }
};

// ---- Loading bar ----

TEST(LoadingBar, FillFollowsItsThreeSegments) {
    EXPECT_FLOAT_EQ(LoadingBarFill(0.0f), 0.04f);
    EXPECT_FLOAT_EQ(LoadingBarFill(0.05f), 0.3655f);
    EXPECT_NEAR(LoadingBarFill(0.1f), 0.691f, 1e-6);
    EXPECT_NEAR(LoadingBarFill(0.5f), 0.76075f, 1e-6);
    EXPECT_NEAR(LoadingBarFill(0.9f), 0.8305f, 1e-6);
    EXPECT_NEAR(LoadingBarFill(0.95f), 0.90025f, 1e-5);
    EXPECT_NEAR(LoadingBarFill(1.0f), 0.97f, 1e-6);
    // Continuous across the joints, and never shrinking.
    float previous = 0.0f;
    for (int i = 0; i <= 300; ++i) {
        float b = LoadingBarFill(float(i) / 300.0f);
        EXPECT_GE(b, previous - 1e-6f) << i;
        previous = b;
    }
}

TEST_F(EffectsTest, LoadingScreenLeavingTheLogoHoldsTheSwitchUntilTheBarIsFull) {
    CGameApplication& app = *m_App;
    app.m_iOldPage = 0;
    app.m_bPageReady = false;
    app.m_bHoldSwitch = true;
    const uint32_t t0 = m_Host.clock.Milliseconds();
    for (int i = 0; i < 5; ++i) app.DrawLoadingScreen();
    EXPECT_EQ(app.m_iLoadingProgress, 5);
    EXPECT_EQ(m_Host.clock.Milliseconds() - t0, 5u * 500u) << "each frame gives the loader 500 ms";
    EXPECT_TRUE(app.m_bHoldSwitch);

    app.m_bPageReady = true;
    std::vector<int> progress;
    int frames = 0;
    while (app.m_bHoldSwitch && frames < 100) {
        app.DrawLoadingScreen();
        progress.push_back(app.m_iLoadingProgress);
        ++frames;
    }
    // 5 -> 15 -> 25 -> 35 (then in the middle) -> 85 ... -> 285 -> 295 -> 300, full on the next frame.
    EXPECT_EQ(progress, (std::vector<int>{15, 25, 35, 85, 135, 185, 235, 285, 295, 300, 300}));
    EXPECT_FALSE(app.m_bHoldSwitch);
    EXPECT_EQ(m_Host.clock.Milliseconds() - t0, 5u * 500u) << "no sleeping once the page is ready";
}

TEST_F(EffectsTest, LoadingScreenBeforeTheLoaderIsDoneNeverReachesFull) {
    CGameApplication& app = *m_App;
    app.m_iOldPage = 0;
    app.m_bPageReady = false;
    app.m_bHoldSwitch = true;
    app.m_iLoadingProgress = 400;
    app.DrawLoadingScreen();
    EXPECT_TRUE(app.m_bHoldSwitch) << "the fraction is capped at 0.9 until the page is ready";
}

TEST_F(EffectsTest, LoadingScreenForOtherSwitchesOnlySleeps) {
    CGameApplication& app = *m_App;
    app.m_iOldPage = 1;
    const uint32_t t0 = m_Host.clock.Milliseconds();
    app.DrawLoadingScreen();
    EXPECT_EQ(m_Host.clock.Milliseconds() - t0, 1000u);
    EXPECT_EQ(app.m_iLoadingProgress, 0);
}

// ---- Black screen ----

TEST_F(EffectsTest, PlainFadeDimsTo65PercentFromItsFourteenthFrameAndHolds) {
    CEffect_BlackScreen& fade = *m_App->m_pEffectBlackScreen;
    ASSERT_EQ(fade.Add(0), 0);
    std::vector<float> dims;
    for (int frame = 0; frame < 40; ++frame) {
        fade.UpdateScreenDim();
        dims.push_back(g_fScreenDim);
        fade.Tick();
    }
    for (int frame = 0; frame < 14; ++frame) {
        EXPECT_FLOAT_EQ(dims[frame], 1.0f - 0.35f * float(frame + 1) / 15.0f) << frame;
        EXPECT_GT(dims[frame], 0.65f) << frame;
    }
    for (int frame = 14; frame < 40; ++frame) EXPECT_FLOAT_EQ(dims[frame], 0.65f) << frame;
    EXPECT_GT(fade.m_aInstances[0].life, 0) << "a plain fade stays until it is replaced";
    fade.Tick();
    EXPECT_FLOAT_EQ(g_fScreenDim, 1.0f) << "what is drawn after the fade's tick is at full brightness";
}

TEST_F(EffectsTest, BrighteningRecordEndsItselfAndRestoresFullBrightness) {
    CEffect_BlackScreen& fade = *m_App->m_pEffectBlackScreen;
    ASSERT_EQ(fade.Add(1), 0);
    std::vector<float> dims;
    for (int frame = 0; frame < 20; ++frame) {
        fade.UpdateScreenDim();
        dims.push_back(g_fScreenDim);
        fade.Tick();
    }
    EXPECT_FLOAT_EQ(dims[0], 0.65f);
    EXPECT_FLOAT_EQ(dims[15], 1.0f);
    EXPECT_LE(fade.m_aInstances[0].life, 0);
    // Without a live record the dim is left as it is.
    g_fScreenDim = 0.3f;
    fade.UpdateScreenDim();
    EXPECT_FLOAT_EQ(g_fScreenDim, 0.3f);
}

TEST_F(EffectsTest, SubScreenFadeChangesTheBattleSubScreenExactlyAtBlack) {
    CPageGame& page = BattlePage();
    CVxButton hidden(-1);
    hidden.SetPosition(10.0f, 20.0f, 0.0f);
    page.m_pButtonAllScreens = &hidden;
    Enter(3);
    for (int round = 0; round < 2; ++round) {
        const int from = page.m_iSubScreen;
        CEffect_BlackScreen& fade = *m_App->m_pEffectBlackScreen;
        fade.m_bSubScreenSwitch = true;
        ASSERT_EQ(fade.Add(0), 0);
        int switchedAt = -1;
        std::vector<float> dims;
        for (int frame = 0; frame < 40; ++frame) {
            fade.UpdateScreenDim();
            dims.push_back(g_fScreenDim);
            fade.Tick();
            if (switchedAt < 0 && page.m_iSubScreen != from) switchedAt = frame;
        }
        ASSERT_EQ(switchedAt, 15) << "round " << round;
        EXPECT_FLOAT_EQ(dims[13], 1.0f - 14.0f / 15.0f);
        EXPECT_FLOAT_EQ(dims[14], 0.0f);
        EXPECT_FLOAT_EQ(dims[15], 0.0f) << "the change happens on a black frame";
        // Then it brightens over fifteen frames and the flag goes.
        for (int frame = 16; frame < 30; ++frame) EXPECT_GT(dims[frame], dims[frame - 1]) << frame;
        EXPECT_FLOAT_EQ(dims[31], 1.0f);
        EXPECT_FALSE(fade.m_bSubScreenSwitch);
        EXPECT_EQ(page.m_iSubScreen, 1 - from);
    }
    EXPECT_FLOAT_EQ(hidden.m_vPosition.x, 9999.0f) << "leaving the encyclopedia moves the all-screens button away";
    page.m_pButtonAllScreens = nullptr;
}

// ---- Page transition ----

TEST_F(EffectsTest, TransitionCode61SwitchesToMenuSubScreen6OnItsLastFrame) {
    Enter(0);
    CEffect_SwitchPage& change = *m_App->m_pEffectSwitchPage;
    ASSERT_EQ(change.Add(61), 0);
    for (int frame = 0; frame < 14; ++frame) {
        change.Tick();
        EXPECT_FALSE(m_App->m_bSwitchPending) << frame;
    }
    change.Tick();
    EXPECT_TRUE(m_App->m_bSwitchPending);
    EXPECT_EQ(m_App->m_iNewPage, 1);
    EXPECT_EQ(m_App->m_iNewSubScreen, 6);
    EXPECT_LE(change.m_aInstances[0].life, 0);
}

TEST_F(EffectsTest, TransitionOfKindMinusOneNeverSwitches) {
    Enter(1);
    m_App->m_pResourceManager->m_bSoundsPaused = true;
    CEffect_SwitchPage& change = *m_App->m_pEffectSwitchPage;
    ASSERT_EQ(change.Add(-1), 0);
    for (int frame = 0; frame < 60; ++frame) change.Tick();
    EXPECT_FALSE(m_App->m_bSwitchPending);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    m_App->m_pResourceManager->m_bSoundsPaused = false;
}

TEST_F(EffectsTest, LeavingTheBattleTakesTheStageChosenOnTheSummary) {
    CEffect_Summary summary;
    summary.m_iNextStage = 42;
    BattlePage().m_pEffectSummary = &summary;
    m_App->m_iCurrentStage = 7;

    Enter(3);
    m_App->m_pEffectSwitchPage->Add(3);
    for (int frame = 0; frame < 15; ++frame) m_App->m_pEffectSwitchPage->Tick();
    EXPECT_EQ(m_App->m_iCurrentStage, 42);
    EXPECT_EQ(m_App->m_iNewPage, 3);
    EXPECT_EQ(m_App->m_iNewSubScreen, 0);
    EXPECT_FALSE(m_App->m_bReturnToMenu);

    // To the menu: the stage stays, the menu is told to restore its map.
    Enter(3);
    summary.m_iNextStage = 43;
    m_App->m_pEffectSwitchPage->Add(11);
    for (int frame = 0; frame < 15; ++frame) m_App->m_pEffectSwitchPage->Tick();
    EXPECT_EQ(m_App->m_iCurrentStage, 42);
    EXPECT_TRUE(m_App->m_bReturnToMenu);
    EXPECT_EQ(m_App->m_iNewPage, 1);
    EXPECT_EQ(m_App->m_iNewSubScreen, 1);
    BattlePage().m_pEffectSummary = nullptr;
}

TEST_F(EffectsTest, TransitionFadesThePageMusicWithTheCover) {
    CVxSound music;
    MenuPage().m_pMusic = &music;
    Enter(1);
    m_App->m_pResourceManager->m_bSoundsPaused = false;
    m_App->m_pEffectSwitchPage->Add(3);
    std::vector<float> factors;
    for (int frame = 0; frame < 15; ++frame) {
        m_App->m_pEffectSwitchPage->Tick();
        factors.push_back(music.m_fVolumeFactor);
    }
    EXPECT_FLOAT_EQ(factors.front(), 1.0f);
    EXPECT_FLOAT_EQ(factors[5], 10.0f / 15.0f);
    EXPECT_FLOAT_EQ(factors.back(), 1.0f / 15.0f);
    MenuPage().m_pMusic = nullptr;
}

// ---- Click mark ----

TEST_F(EffectsTest, ClickMarkOfKind3LeavesACardFullMarkOfKind2AtItsPoint) {
    RecordingEffect cardFull;
    BattlePage().m_pEffectCardFull = &cardFull;
    CEffect_Touch& touch = *m_App->m_pEffectTouch;
    ASSERT_EQ(touch.Add(3, 12.0f, -34.0f, 0.5f), 0);
    for (int frame = 0; frame < 14; ++frame) touch.Tick();
    EXPECT_TRUE(cardFull.started.empty());
    touch.Tick();
    ASSERT_EQ(cardFull.started.size(), 1u);
    EXPECT_EQ(cardFull.started[0].kind, 2);
    EXPECT_FLOAT_EQ(cardFull.started[0].params[0].f, 12.0f);
    EXPECT_FLOAT_EQ(cardFull.started[0].params[1].f, -34.0f);
    EXPECT_FLOAT_EQ(cardFull.started[0].params[2].f, 0.5f);

    // A plain click (kind 0, by point) leaves nothing.
    ASSERT_EQ(touch.AddAtPoint(1.0f, 2.0f, 3.0f), 0);
    EXPECT_EQ(touch.m_aInstances[0].kind, 0);
    EXPECT_FLOAT_EQ(touch.m_aInstances[0].params[1].f, 2.0f);
    EXPECT_EQ(touch.AddAtPoint(5.0f, 5.0f, 0.0f), -1) << "one record at a time";
    for (int frame = 0; frame < 20; ++frame) touch.Tick();
    EXPECT_EQ(cardFull.started.size(), 1u);
    BattlePage().m_pEffectCardFull = nullptr;
}

// ---- Exit box ----

TEST_F(EffectsTest, ExitBoxEscapeCancelsAndGivesTheStillBack) {
    Enter(2);
    CEffect_Exit& box = *m_App->m_pEffectExit;
    ASSERT_EQ(box.Add(0), 0);
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_TRUE(box.m_bOwnsStill);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "sounds pause except on the menu";
    box.HandleClick();
    EXPECT_TRUE(box.IsOpen()) << "no key, no click: the box waits";
    PressKey(VK_ESCAPE_KEY);
    box.HandleClick();
    EXPECT_FALSE(box.IsOpen());
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_FALSE(m_App->m_bCaptureStill);
    EXPECT_FALSE(m_App->m_bShowStill);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ESCAPE_KEY], 0u) << "the key is used up";
}

TEST_F(EffectsTest, ExitBoxEnterConfirmsSavesAndAsksToQuit) {
    Enter(2);
    g_CurrentProfile.m_iMetalParts = 777;
    m_App->m_pEffectExit->Add(0);
    PressKey(VK_RETURN_KEY);
    m_App->m_pEffectExit->HandleClick();
    EXPECT_TRUE(g_bQuitRequested);
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 777) << "the profile is saved before quitting";
}

TEST_F(EffectsTest, ExitBoxOnTheMenuHoldsMenuInputAfterCancel) {
    Enter(1);
    m_App->m_pEffectExit->Add(0);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused) << "the menu keeps its music";
    PressKey(VK_ESCAPE_KEY);
    m_App->m_pEffectExit->HandleClick();
    EXPECT_EQ(MenuPage().m_iInputHoldOff, 5);
}

TEST_F(EffectsTest, ExitBoxOverAStillOfAnotherBoxLeavesTheStillAlone) {
    Enter(3);
    m_App->m_bShowStill = true;
    m_App->m_pEffectMsgBox->Add(9);
    m_App->m_pResourceManager->m_bSoundsPaused = true;
    CEffect_Exit& box = *m_App->m_pEffectExit;
    box.Add(0);
    EXPECT_FALSE(box.m_bOwnsStill);
    PressKey(VK_ESCAPE_KEY);
    box.HandleClick();
    EXPECT_TRUE(m_App->m_bShowStill) << "the message box keeps its still";
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "a message box is open on the battle page";
}

TEST_F(EffectsTest, ConfirmingFromAWonSummaryAdvancesThenSaves) {
    CEffect_Summary summary;
    summary.Start(0, 1);
    BattlePage().m_pEffectSummary = &summary;
    Enter(3);
    m_App->m_iCurrentStage = 5;
    g_CurrentProfile.m_iFurthestStage = 5;
    m_App->m_pEffectExit->Add(0);
    PressKey(VK_RETURN_KEY);
    m_App->m_pEffectExit->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 151);
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 12), 151) << "saved after advancing";
    BattlePage().m_pEffectSummary = nullptr;
}

TEST_F(EffectsTest, ConfirmingKeepsTheStageWhenTheSummaryWasLostOrAlreadyAnswered) {
    CEffect_Summary summary;
    BattlePage().m_pEffectSummary = &summary;
    Enter(3);
    m_App->m_iCurrentStage = 5;
    g_CurrentProfile.m_iFurthestStage = 5;
    for (int variant = 0; variant < 3; ++variant) {
        summary.Start(0, variant == 0 ? 0 : 1);  // lost, then won
        summary.m_iBoardState = variant == 1 ? 1 : 0;
        if (variant == 2) m_App->m_pEffectSwitchPage->Add(11);  // already leaving
        m_App->m_pEffectExit->Clear(0);
        m_App->m_pEffectExit->Add(0);
        PressKey(VK_RETURN_KEY);
        m_App->m_pEffectExit->HandleClick();
        EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 5) << variant;
    }
    BattlePage().m_pEffectSummary = nullptr;
}

TEST(ExitBoxText, BodyDiffersOnTheBattlePage) {
    EXPECT_STREQ(ExitBoxBody(true), "   Progress in this level will be lost.\n\t\t\tDo you want to exit?");
    EXPECT_STREQ(ExitBoxBody(false), "\t\t\tDo you want to exit?");
}

// ---- Overlays and focus ----

TEST_F(EffectsTest, OverlaysFreezeBehindTheExitBoxButTheFadeGoesOn) {
    Enter(2);
    m_App->m_pEffectBlackScreen->Add(0);
    m_App->m_pEffectTouch->AddAtPoint(0, 0, 0);
    m_App->m_pEffectSwitchPage->Add(-1);
    m_App->m_pEffectExit->Add(0);
    m_App->UpdateOverlays();
    m_App->UpdateOverlays();
    EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].age, 2);
    EXPECT_EQ(m_App->m_pEffectTouch->m_aInstances[0].age, 0);
    EXPECT_EQ(m_App->m_pEffectSwitchPage->m_aInstances[0].age, 0);
    EXPECT_EQ(m_App->m_pEffectExit->m_aInstances[0].age, 2);
    m_App->m_pEffectExit->Clear(0);
    m_App->UpdateOverlays();
    EXPECT_EQ(m_App->m_pEffectTouch->m_aInstances[0].age, 1);
    EXPECT_EQ(m_App->m_pEffectSwitchPage->m_aInstances[0].age, 1);
}

TEST_F(EffectsTest, LosingFocusMidBattleOpensThePauseBoxAtOnceAndKeepsSoundsPaused) {
    Enter(3);
    BattlePage().m_iBattleState = BATTLE_PLAYING;
    BattlePage().m_iCarriedCard = 4;
    m_App->OnDeactivate();
    CEffect_MsgBox& box = *m_App->m_pEffectMsgBox;
    EXPECT_TRUE(box.IsOpen());
    EXPECT_EQ(box.m_aInstances[0].kind, MSGBOX_PAUSE);
    EXPECT_EQ(box.m_aInstances[0].age, 60) << "shown fully open";
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_EQ(BattlePage().m_iCarriedCard, -1);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    EXPECT_FALSE(m_App->m_pSndMsgBox->IsPlaying()) << "no opening sound is heard";

    m_App->OnActivate();
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "the Pause box keeps the battle quiet";
    EXPECT_TRUE(m_App->m_bCaptureStill) << "the still is captured again";
    EXPECT_FALSE(m_App->m_bShowStill);

    // Losing focus again with the box open only pauses the sounds.
    box.m_aInstances[0].age = 100;
    m_App->OnDeactivate();
    EXPECT_EQ(box.m_aInstances[0].age, 100);
    // While it slides out, it opens again at once.
    box.m_bSwitching = true;
    box.m_iShownKind = -1;
    m_App->m_bShowStill = true;
    m_App->OnDeactivate();
    EXPECT_EQ(box.m_aInstances[0].age, 60);
}

TEST_F(EffectsTest, LosingFocusBeforePlayDefersThePauseAndRegainingItForgetsThat) {
    Enter(3);
    BattlePage().m_iBattleState = BATTLE_BEGIN;
    m_App->OnDeactivate();
    EXPECT_TRUE(m_App->m_pEffectMsgBox->m_bPauseDeferred);
    EXPECT_FALSE(m_App->m_pEffectMsgBox->IsOpen());
    m_App->OnActivate();
    EXPECT_FALSE(m_App->m_pEffectMsgBox->m_bPauseDeferred);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
}

TEST_F(EffectsTest, RegainingFocusMakesBoxesDrawTheirPicturesAgain) {
    Enter(1);
    m_App->m_pEffectMsgBox->m_bPictureCached = true;
    m_App->m_pEffectExit->m_bPictureReady = true;
    m_App->m_pEffectNewAchievement->m_bPictureCached = true;
    m_App->m_pEffectBlackScreen->Add(0);
    m_App->m_bShowStill = true;
    m_App->OnActivate();
    EXPECT_FALSE(m_App->m_pEffectMsgBox->m_bPictureCached);
    EXPECT_FALSE(m_App->m_pEffectExit->m_bPictureReady);
    EXPECT_FALSE(m_App->m_pEffectNewAchievement->m_bPictureCached);
    EXPECT_LE(m_App->m_pEffectBlackScreen->m_aInstances[0].life, 0);
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_FALSE(m_App->m_bShowStill);
}

TEST_F(EffectsTest, ResettingTheAchievementBoardNeverLeavesInputLocked) {
    CEffect_NewAchievement& board = *m_App->m_pEffectNewAchievement;
    board.Start(0, 3);
    board.m_bShowing = true;
    board.m_lstPending = {4, 5};
    board.ResetBoard();
    EXPECT_FALSE(board.m_bShowing);
    EXPECT_TRUE(board.m_lstPending.empty());
    EXPECT_LE(board.m_aInstances[0].life, 0);
}

TEST_F(EffectsTest, SharedResourcesLoadOnceWithoutAMissingFile) {
    CGameApplication& app = *m_App;
    EXPECT_EQ(m_Host.boxes.Count(), 0u) << (m_Host.boxes.Count() ? m_Host.boxes.Boxes()[0].text : "");
    for (int id = 0; id < ROBOT_TYPES; ++id) EXPECT_NE(app.m_apBbdCard[id], nullptr) << id;
    for (int n = 0; n < ITEM_PICTURES; ++n) EXPECT_EQ(app.m_apBbdItem[n] == nullptr, n == 8) << n;
    for (const CustomType& set : app.m_aButtonSets)
        for (CVxBillboard* state : set.m_apState) EXPECT_NE(state, nullptr);
    EXPECT_NE(app.m_pFontStandard, nullptr);
    EXPECT_NE(app.m_pNumStageBig, nullptr);
    EXPECT_FLOAT_EQ(app.m_apBbdMsgHeader[7]->m_vSize.x, 512.0f);
    EXPECT_FLOAT_EQ(app.m_apBbdMsgHeader[7]->m_vSize.y, 64.0f);
    EXPECT_FLOAT_EQ(app.m_pBbdLoadingFrame->m_vSize.y, app.m_pBbdLoading->m_vSize.y * 0.125f);
    const size_t objects = app.m_pResourceManager->m_lstObjects.size();
    CEffect_BlackScreen* fade = app.m_pEffectBlackScreen;
    app.LoadSharedResources();
    EXPECT_EQ(app.m_pResourceManager->m_lstObjects.size(), objects);
    EXPECT_EQ(app.m_pEffectBlackScreen, fade);
}

TEST_F(EffectsTest, ReleasingStartupResourcesLetsTheSheetAndSplashesGo) {
    CGameApplication& app = *m_App;
    ASSERT_NE(app.m_pBbdLoading, nullptr);
    CVxSound* click = app.m_pSndBtnClick;
    app.ReleaseStartupResources();
    EXPECT_EQ(app.m_pBbdLoading, nullptr);
    EXPECT_EQ(app.m_pBbdLoadingFrame, nullptr);
    EXPECT_EQ(app.m_pTexLoading, nullptr);
    EXPECT_EQ(app.m_apBbdSplash[0], nullptr);
    EXPECT_EQ(app.m_pSndBtnClick, click) << "the two start-up sounds stay";
    app.ReleaseStartupResources();  // a second call finds nothing left
}

TEST_F(EffectsTest, ExitBoxDrawsItsPanelIntoItsSlotOncePerOpening) {
    host::RecordingDevice device(800, 600);
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    m_App->m_pDevice = &device;
    Enter(2);
    device.BeginScene();
    auto countDraws = [&device](bool intoSlot) {
        size_t n = 0;
        for (const host::DrawRecord& d : device.draws) {
            if (intoSlot && d.target == g_apRenderSurface[EXIT_BOX_SLOT]) ++n;
            if (!intoSlot && d.state.texture == g_apRenderTexture[EXIT_BOX_SLOT]) ++n;
        }
        return n;
    };
    CEffect_Exit& box = *m_App->m_pEffectExit;
    for (int opening = 0; opening < 2; ++opening) {
        device.draws.clear();
        box.Clear(0);
        box.Add(0);
        for (int frame = 0; frame < 3; ++frame) box.Tick();
        EXPECT_GT(countDraws(true), 2u) << "panel, band and text go into the slot";
        device.draws.clear();
        box.Tick();
        EXPECT_EQ(countDraws(true), 0u) << "drawn once per opening";
        EXPECT_EQ(countDraws(false), 1u) << "shown from the slot every frame";
        for (const host::DrawRecord& d : device.draws) {
            if (d.state.texture != g_apRenderTexture[EXIT_BOX_SLOT]) continue;
            // The whole screen, at its centre.
            EXPECT_FLOAT_EQ(d.state.world[0], float(g_iScreenWidth));
            EXPECT_FLOAT_EQ(d.state.world[5], float(g_iScreenHeight));
            EXPECT_FLOAT_EQ(d.state.world[12], 0.0f);
        }
    }
    device.EndScene();
    // Everything uploaded to this device goes before it.
    Shutdown();
    ReleaseRenderTargets();
}

TEST_F(EffectsTest, SuspendAndResumeActLikeLosingAndRegainingFocus) {
    Enter(2);
    m_App->OnSystemSuspend();
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    m_App->OnSystemResume();
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
}

TEST_F(EffectsTest, HooksLeaveThePagesAloneWhileASwitchIsUnderWay) {
    Enter(3);
    BattlePage().m_iBattleState = BATTLE_PLAYING;
    m_App->m_bSwitchPending = true;
    m_App->OnDeactivate();
    EXPECT_FALSE(m_App->m_pEffectMsgBox->IsOpen()) << "no Pause box for a page being left";
    EXPECT_FALSE(m_App->m_bCaptureStill);
    m_App->m_bSwitchPending = false;
}

TEST_F(EffectsTest, OverStillTheBattleHowToPopUpsTickUnlessTheExitBoxIsOpen) {
    RecordingEffect howTo, howToMini;
    BattlePage().m_pEffectHowToPlay = &howTo;
    BattlePage().m_pEffectHowToMiniGame = &howToMini;
    howTo.Add(0);
    howToMini.Add(0);
    Enter(3);
    m_App->m_iCurrentStage = 12;
    m_App->UpdateOverlays();
    EXPECT_EQ(howTo.m_aInstances[0].age, 1);
    EXPECT_EQ(howToMini.m_aInstances[0].age, 0) << "the mini-game help only on mini-game stages";
    m_App->m_iCurrentStage = 151;
    m_App->UpdateOverlays();
    EXPECT_EQ(howToMini.m_aInstances[0].age, 1);
    m_App->m_pEffectExit->Add(0);
    m_App->UpdateOverlays();
    EXPECT_EQ(howTo.m_aInstances[0].age, 2);
    EXPECT_EQ(howToMini.m_aInstances[0].age, 1);
    BattlePage().m_pEffectHowToPlay = nullptr;
    BattlePage().m_pEffectHowToMiniGame = nullptr;
}

}  // namespace

// ---- Placement of what the effects draw ----
TEST_F(EffectsTest, EffectsDrawTheirPicturesWhereAndAsLargeAsTheyPlaceThem) {
    host::RecordingDevice device;
    m_App->m_pDevice = &device;
    CVxBillboard* ring = m_App->m_pBbdTouch;
    ASSERT_NE(ring, nullptr);
    const float width = ring->m_vSize.x;
    ASSERT_GT(width, 0.0f);

    ASSERT_EQ(m_App->m_pEffectTouch->AddAtPoint(12.0f, -34.0f, 0.0f), 0);
    for (int frame = 0; frame < 8; ++frame) m_App->m_pEffectTouch->Tick();
    ASSERT_FALSE(device.draws.empty());
    const host::Matrix& world = device.draws.back().state.world;
    // Row-vector matrices: translation in the last row, scale on the diagonal.
    EXPECT_FLOAT_EQ(world[12], 12.0f);
    EXPECT_FLOAT_EQ(world[13], -34.0f);
    EXPECT_GT(world[0], 0.0f) << "the ring grows from nothing, but is never drawn unscaled";
    EXPECT_LT(world[0], width);

    // The page transition's cover spans one and a half screens at the centre.
    device.draws.clear();
    ASSERT_GE(m_App->m_pEffectSwitchPage->Add(-1), 0);
    m_App->m_pEffectSwitchPage->Tick();
    ASSERT_FALSE(device.draws.empty());
    const host::Matrix& cover = device.draws.front().state.world;
    EXPECT_FLOAT_EQ(cover[0], 1.5f * float(g_iScreenWidth));
    EXPECT_FLOAT_EQ(cover[5], 1.5f * float(g_iScreenHeight));
    EXPECT_FLOAT_EQ(cover[12], 0.0f);
    Shutdown();  // the textures go back to the device while it still exists
}
