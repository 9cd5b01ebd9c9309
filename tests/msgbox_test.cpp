// The message box on a started game application: slide, keys, sliders,
// switches between kinds, the warning queue and the answers.
#include <gtest/gtest.h>

#include "game/GameSaveData.h"
#include "content/SaveProfile.h"
#include "platform/SoundVolumes.h"
#include "tests/PopupTestSupport.h"

using MsgBoxTest = PopupTest;

TEST_F(MsgBoxTest, SlidesDownTwentyATickAndTakesInputOnlyAtRest) {
    ASSERT_EQ(box->Add(0), 0);
    EXPECT_EQ(box->Add(1), -1);  // one box at a time
    TickBox();
    EXPECT_EQ(box->SlideY(), 560.0f);
    TickBox();
    EXPECT_EQ(box->SlideY(), 540.0f);

    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 0);
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ENTER], uint32_t(KEY_RELEASED));  // not used up

    TickBox(26);
    EXPECT_EQ(box->SlideY(), 20.0f);
    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 0);
    TickBox();
    EXPECT_EQ(box->SlideY(), 0.0f);
    TickBox(5);
    EXPECT_EQ(box->SlideY(), 0.0f);

    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 1);
    EXPECT_EQ(box->m_iShownKind, -1);
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u);

    // Rising 20 a tick; gone once above 560.
    TickBox(28);
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->SlideY(), 540.0f);
    TickBox(2);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(box->m_iLastClosedKind, 0);
}

TEST_F(MsgBoxTest, EscapeAnswersOkWhenAloneAndCancelBesideIt) {
    // OK only: Escape is OK.
    OpenAtRest(18);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_abHintShown[0], 1);
    EXPECT_EQ(box->m_bSwitching, 1);
    FinishSlide();
    ASSERT_FALSE(box->IsOpen());

    // OK and Cancel: Escape cancels, Enter confirms.
    menu.m_iSubScreen = MENU_LABORATORY;
    g_CurrentProfile.m_iFurthestStage = 1;
    OpenAtRest(5);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    EXPECT_EQ(menu.labBuys, 0);
    EXPECT_EQ(box->m_bSwitching, 1);
    FinishSlide();
    OpenAtRest(5);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(menu.labBuys, 1);
}

TEST_F(MsgBoxTest, OptionsSlidersCoverTheWholeRangeAndOnlyTheEffectKnobClicks) {
    OpenAtRest(12);
    CVxButton* music = box->m_apSliderKnob[0];
    ASSERT_LT(music->m_vPosition.x, 1000.0f);

    PressOn(music);
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, 0);
    HoldMouse();
    CursorAt(-2000.0f, 70.0f);
    box->HandleClick();
    EXPECT_EQ(box->m_aiSliderValue[0], 0);
    EXPECT_EQ(g_iMusicVolume, -10000);
    CursorAt(2000.0f, 70.0f);
    box->HandleClick();
    EXPECT_EQ(box->m_aiSliderValue[0], 100);
    EXPECT_EQ(g_iMusicVolume, 0);
    EXPECT_EQ(g_iEffectVolume, DEFAULT_EFFECT_VOLUME);  // the other slider keeps its place

    Silence(m_App->m_pSndBtnClick);
    ReleaseMouse();
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, -1);
    EXPECT_FALSE(Playing(m_App->m_pSndBtnClick));

    TickBox();  // knobs move to their new places
    CVxButton* effect = box->m_apSliderKnob[1];
    PressOn(effect);
    box->HandleClick();
    ASSERT_EQ(box->m_iGrabbedSlider, 1);
    HoldMouse();
    CursorAt(-2000.0f, -20.0f);
    box->HandleClick();
    EXPECT_EQ(g_iEffectVolume, -10000);
    ReleaseMouse();
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, -1);
    EXPECT_TRUE(Playing(m_App->m_pSndBtnClick));
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_RELEASED, 0u);
}

TEST_F(MsgBoxTest, ADragLetGoOutsideTheWindowReleasesTheKnob) {
    OpenAtRest(12);
    PressOn(box->m_apSliderKnob[0]);
    box->HandleClick();
    ASSERT_EQ(box->m_iGrabbedSlider, 0);
    // The release happened outside: the button is simply no longer held.
    m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = 0;
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, -1);
}

TEST_F(MsgBoxTest, KnobsLeaveTheScreenWhenAnotherKindShows) {
    OpenAtRest(12);
    const VxVec3 knob = box->m_apSliderKnob[0]->m_vPosition;
    ReleaseKey(VK_ENTER);
    box->HandleClick();  // OK on the menu closes
    FinishSlide();
    OpenAtRest(0);
    EXPECT_EQ(box->m_apSliderKnob[0]->m_vPosition.x, MSGBOX_OFF_SCREEN);
    EXPECT_EQ(box->m_apSliderKnob[1]->m_vPosition.x, MSGBOX_OFF_SCREEN);
    // A press where the knob stood grabs nothing.
    CursorAt(knob.x, knob.y);
    m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, -1);
}

TEST_F(MsgBoxTest, ReopeningSkipsTheOpeningSoundWhileCloseAndOpenPlaysIt) {
    CVxSound* open = m_App->m_pSndMsgBox;
    ASSERT_NE(open, nullptr);
    box->Add(9);
    EXPECT_TRUE(Playing(open));
    TickBox(29);
    Silence(open);
    PressOn(box->m_pBtnOption);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, 12);
    FinishSlide();
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, 12);
    EXPECT_EQ(box->m_bSwitching, 0);
    TickBox(29);
    EXPECT_EQ(box->SlideY(), 0.0f);
    EXPECT_FALSE(Playing(open));

    ReleaseKey(VK_ENTER);
    box->HandleClick();
    FinishSlide();
    ASSERT_FALSE(box->IsOpen());
    EXPECT_EQ(box->m_iLastClosedKind, 12);
    box->Add(0);
    EXPECT_TRUE(Playing(open));
}

TEST_F(MsgBoxTest, BuyingWhatOpensTheNextAreaSwitchesToNewMapUnlock) {
    g_CurrentProfile.m_iFurthestStage = 11;  // first episode, second area
    g_CurrentProfile.m_nCardSlots = 4;
    menu.m_iSubScreen = MENU_LABORATORY;
    menu.labPurchase = [] {
        g_CurrentProfile.m_nCardSlots = 5;
        g_CurrentProfile.m_iLifeBooster = 1;
        g_CurrentProfile.m_iEnergyBooster = 1;
    };
    OpenAtRest(5);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, 14);
    FinishSlide();
    EXPECT_EQ(box->m_aInstances[0].kind, 14);
    TickBox(29);

    // A purchase after the area was already open just closes.
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    FinishSlide();
    OpenAtRest(5);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, -1);
}

TEST_F(MsgBoxTest, TwoWarningsConfirmedStartTheLoader) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    box->m_lstPendingWarnings = {42};
    OpenAtRest(41);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, 42);
    EXPECT_TRUE(box->m_lstPendingWarnings.empty());
    FinishSlide();
    EXPECT_EQ(box->m_aInstances[0].kind, 42);
    TickBox(29);
    EXPECT_EQ(battle->m_iCardChoiceStep, 0);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(battle->m_iCardChoiceStep, 2);
}

TEST_F(MsgBoxTest, CancelOnAWarningEmptiesTheQueueAndStaysInTheSelection) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    box->m_lstPendingWarnings = {42, 45};
    OpenAtRest(41);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(box->m_lstPendingWarnings.empty());
    EXPECT_EQ(battle->m_iCardChoiceStep, 0);
}

TEST_F(MsgBoxTest, TooEasyConfirmedRaisesTheDifficultyAndSaysSo) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = 10;
    m_App->m_bShowStill = true;
    summary.m_iSwitchCode = 61;
    g_CurrentProfile.m_iDifficulty = 1;
    OpenAtRest(28);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, 2);
    EXPECT_EQ(g_CurrentProfile.m_abHintShown[5], 1);
    EXPECT_TRUE(g_bLeavingBattle);
    EXPECT_EQ(box->m_iShownKind, 30);
    FinishSlide();
    EXPECT_EQ(box->m_aInstances[0].kind, 30);
    TickBox(29);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(m_App->m_pEffectSwitchPage->m_aInstances[0].kind, 61);
    EXPECT_GT(m_App->m_pEffectSwitchPage->m_aInstances[0].life, 0);
}

TEST_F(MsgBoxTest, DifficultyStaysInsideItsRange) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = 10;
    m_App->m_bShowStill = true;
    g_CurrentProfile.m_iDifficulty = DIFFICULTY_HARD;
    OpenAtRest(28);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, DIFFICULTY_HARD);
    FinishSlide();
    box->Clear(0);
    g_CurrentProfile.m_iDifficulty = DIFFICULTY_EASY;
    OpenAtRest(29);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, DIFFICULTY_EASY);
    EXPECT_EQ(g_CurrentProfile.m_abHintShown[4], 1);
}

TEST_F(MsgBoxTest, TooEasyDeclinedIsNotAskedAgainAndLeavesByTheBoardsMove) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = 10;
    m_App->m_bShowStill = true;
    summary.m_iSwitchCode = 3;
    g_CurrentProfile.m_iDifficulty = 1;
    m_App->m_pEffectNewAchievement->Announce(4);
    m_App->m_pEffectNewAchievement->Announce(5);
    OpenAtRest(28);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, 1);
    EXPECT_EQ(g_CurrentProfile.m_abHintShown[5], 1);
    EXPECT_EQ(m_App->m_pEffectSwitchPage->m_aInstances[0].kind, 3);
    EXPECT_FALSE(m_App->m_pEffectNewAchievement->IsRecordAlive());
    EXPECT_TRUE(m_App->m_pEffectNewAchievement->m_lstPending.empty());
    // The box stays, ignoring input, until the switch's last frame drops it.
    EXPECT_TRUE(box->IsOpen());
    m_App->m_pEffectSwitchPage->m_aInstances[0].life = 1;
    TickBox();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(box->m_iLastClosedKind, 28);
}

TEST_F(MsgBoxTest, ExitToMenuCancelDependsOnWhetherPlayHasBegun) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    m_App->PauseAllSounds();
    ASSERT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    OpenAtRest(4);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, -1);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
    FinishSlide();

    battle->m_iBattleState = BATTLE_PLAYING;
    m_App->m_bShowStill = true;
    OpenAtRest(4);
    ReleaseKey(VK_ESC);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_PAUSE);
}

TEST_F(MsgBoxTest, NoInputDuringPlayUntilTheStillIsShown) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = BATTLE_PLAYING;
    OpenAtRest(9);
    PressOn(box->m_pBtnRestart);
    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 0);
    m_App->m_bShowStill = true;
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_RESTART_LEVEL);
}

TEST_F(MsgBoxTest, HelpOpensTheRightHowToAndIsDisabledOnTheFirstStage) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = 10;
    m_App->m_iCurrentStage = 1;
    g_CurrentProfile.m_iFurthestStage = 1;
    OpenAtRest(9);
    EXPECT_EQ(box->m_pBtnHelp->m_iStatus, BUTTON_DISABLE);
    PressOn(box->m_pBtnHelp);
    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 0);
    // The Pause box closes through Resume; Help comes back afterwards.
    PressOn(box->m_pBtnResume);
    box->HandleClick();
    FinishSlide();
    EXPECT_EQ(box->m_pBtnHelp->m_iStatus, BUTTON_NORMAL);

    m_App->m_iCurrentStage = 7;
    g_CurrentProfile.m_abRobotUnlocked[39] = 1;
    OpenAtRest(9);
    PressOn(box->m_pBtnHelp);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_HELP);
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(box->m_iLastClosedKind, MSGBOX_PAUSE);
    EXPECT_GT(howToPlay.m_aInstances[0].life, 0);
    EXPECT_EQ(howToPlay.m_aInstances[0].kind, 1);

    m_App->m_iCurrentStage = 165;
    OpenAtRest(9);
    PressOn(box->m_pBtnHelp);
    box->HandleClick();
    FinishSlide();
    EXPECT_GT(howToMiniGame.m_aInstances[0].life, 0);
}

TEST_F(MsgBoxTest, OptionsOkGoesBackToPauseInBattleAndClosesOnTheMenu) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iBattleState = 10;
    OpenAtRest(12);
    ReleaseKey(VK_ESC);  // only OK is shown, so Escape is OK
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_PAUSE);
}

TEST_F(MsgBoxTest, EveryOkSavesBeforeItActs) {
    ASSERT_EQ(m_App->m_pSaveData->CreateProfile("Ann"), int(CVxSaveData::SAVE_OK));
    OpenAtRest(18);
    g_CurrentProfile.m_iMetalParts = 777;
    const int current = m_App->m_pSaveData->Header().m_iCurrentProfile;
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    g_aStoredProfiles[current].m_iMetalParts = 0;
    CGameSaveData reread;
    ASSERT_EQ(reread.Load(), int(CVxSaveData::SAVE_OK));
    EXPECT_EQ(g_aStoredProfiles[current].m_iMetalParts, 777);
    // The tip's own flag was set after the save; the next save takes it.
    EXPECT_EQ(g_aStoredProfiles[current].m_abHintShown[0], 0);
}

TEST_F(MsgBoxTest, ContinueMovesTheMenuToTheFurthestStage) {
    g_CurrentProfile.m_iFurthestStage = 23;  // first episode, third area
    menu.m_iChangeDirection = 0;
    OpenAtRest(11);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_TRUE(box->m_bContinueAnswered);
    EXPECT_EQ(m_App->m_iNewArea, 3);
    EXPECT_EQ(menu.mapSteps, 2);
    EXPECT_EQ(menu.m_iMapScroll, -1);
    FinishSlide();
    EXPECT_EQ(menu.m_iChangeState, 1);
    EXPECT_EQ(menu.m_iNextScreen, MENU_STAGE_MAP);
    EXPECT_EQ(menu.m_iChangeDirection, -1);
    EXPECT_EQ(menu.m_iChangeCountdown, 15);

    // With the area open the stage is played at once.
    g_CurrentProfile.m_iFurthestStage = 3;
    OpenAtRest(11);
    ReleaseKey(VK_ENTER);
    box->HandleClick();
    EXPECT_EQ(m_App->m_iCurrentStage, 3);
    EXPECT_EQ(m_App->m_iMenuReturnScreen, MENU_MISSION);
    EXPECT_EQ(m_App->m_pEffectSwitchPage->m_aInstances[0].kind, 3);
}
