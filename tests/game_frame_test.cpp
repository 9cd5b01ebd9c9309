// The game application's overlays, focus and power hooks, and its shared
// resources, on a started application.
#include "battle/model/BattleRules.h"
#include "game/Effect_Exit.h"
#include "game/Effect_Touch.h"
#include "tests/Harness.h"

namespace {

class GameFrameTest : public PopupTest {
protected:
    void Enter(int page) {
        m_App->m_iCurrentPage = page;
        m_App->m_bSwitchPending = false;
    }
};

}  // namespace

TEST_F(GameFrameTest, OverlaysFreezeBehindTheExitBoxButTheFadeGoesOn) {
    Enter(2);
    m_App->m_pEffectBlackScreen->Clear(0);
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

TEST_F(GameFrameTest, OverStillTheBattleHowToPopUpsTickUnlessTheExitBoxIsOpen) {
    howToPlay.Add(0);
    howToMiniGame.Add(0);
    Enter(BATTLE_PAGE_INDEX);
    m_App->m_iCurrentStage = 12;
    m_App->UpdateOverlays();
    EXPECT_EQ(howToPlay.m_aInstances[0].age, 1);
    EXPECT_EQ(howToMiniGame.m_aInstances[0].age, 0) << "the mini-game help only on mini-game stages";
    m_App->m_iCurrentStage = 151;
    m_App->UpdateOverlays();
    EXPECT_EQ(howToMiniGame.m_aInstances[0].age, 1);
    m_App->m_pEffectExit->Add(0);
    m_App->UpdateOverlays();
    EXPECT_EQ(howToPlay.m_aInstances[0].age, 2);
    EXPECT_EQ(howToMiniGame.m_aInstances[0].age, 1);
}

TEST_F(GameFrameTest, LosingFocusMidBattleOpensThePauseBoxAtOnceAndKeepsSoundsPaused) {
    Enter(BATTLE_PAGE_INDEX);
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_PLAYING;
    RuleState(battle->m_Battle).m_iCarriedCard = 4;
    Silence(m_App->m_pSndMsgBox);
    m_App->OnDeactivate();
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_PAUSE);
    EXPECT_EQ(box->m_aInstances[0].age, 60) << "shown fully open";
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_EQ(battle->m_Battle.State().m_iCarriedCard, -1);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    EXPECT_FALSE(Playing(m_App->m_pSndMsgBox)) << "no opening sound is heard";

    m_App->OnActivate();
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "the Pause box keeps the battle quiet";
    EXPECT_TRUE(m_App->m_bCaptureStill) << "the still is captured again";
    EXPECT_FALSE(m_App->m_bShowStill);

    // Losing focus again with the box open only pauses the sounds.
    box->m_aInstances[0].age = 100;
    m_App->OnDeactivate();
    EXPECT_EQ(box->m_aInstances[0].age, 100);
    // While it slides out, it opens again at once.
    box->m_bSwitching = true;
    box->m_iShownKind = -1;
    m_App->m_bShowStill = true;
    m_App->OnDeactivate();
    EXPECT_EQ(box->m_aInstances[0].age, 60);
}

TEST_F(GameFrameTest, LosingFocusBeforePlayOrDuringASwitchOpensNoPause) {
    Enter(BATTLE_PAGE_INDEX);
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_BEGIN;
    m_App->OnDeactivate();
    EXPECT_TRUE(box->m_bPauseDeferred);
    EXPECT_FALSE(box->IsOpen());
    m_App->OnActivate();
    EXPECT_FALSE(box->m_bPauseDeferred);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);

    // A page being left gets neither a Pause box nor a still.
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_PLAYING;
    m_App->m_bSwitchPending = true;
    m_App->OnDeactivate();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_FALSE(m_App->m_bCaptureStill);
    m_App->m_bSwitchPending = false;
}

TEST_F(GameFrameTest, RegainingFocusMakesBoxesDrawTheirPicturesAgain) {
    Enter(MENU_PAGE_INDEX);
    box->m_bPictureCached = true;
    m_App->m_pEffectExit->m_bPictureReady = true;
    m_App->m_pEffectNewAchievement->m_bPictureCached = true;
    m_App->m_pEffectBlackScreen->Add(0);
    m_App->m_bShowStill = true;
    m_App->OnActivate();
    EXPECT_FALSE(box->m_bPictureCached);
    EXPECT_FALSE(m_App->m_pEffectExit->m_bPictureReady);
    EXPECT_FALSE(m_App->m_pEffectNewAchievement->m_bPictureCached);
    EXPECT_LE(m_App->m_pEffectBlackScreen->m_aInstances[0].life, 0);
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_FALSE(m_App->m_bShowStill);

    // Suspend and resume act like losing and regaining focus.
    Enter(2);
    m_App->OnSystemSuspend();
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    m_App->OnSystemResume();
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
}
