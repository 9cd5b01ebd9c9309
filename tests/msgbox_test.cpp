// The message box on a started game application: sliders, switches between
// kinds, the warning queue and the answers.

#include "battle/model/BattleRules.h"
#include "game/Effect_Exit.h"
#include "tests/Harness.h"

using MsgBoxTest = PopupTest;

TEST_F(MsgBoxTest, OptionsSlidersCoverTheWholeRangeAndOnlyTheEffectKnobClicks) {
    OpenAtRest(MSGBOX_OPTIONS);
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
    OpenAtRest(MSGBOX_OPTIONS);
    PressOn(box->m_apSliderKnob[0]);
    box->HandleClick();
    ASSERT_EQ(box->m_iGrabbedSlider, 0);
    // The release happened outside: the button is simply no longer held.
    m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = 0;
    box->HandleClick();
    EXPECT_EQ(box->m_iGrabbedSlider, -1);
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
    OpenAtRest(MSGBOX_BUY_UPGRADE);
    Answer(VK_ENTER);
    EXPECT_EQ(box->m_iShownKind, MSGBOX_NEW_MAP_UNLOCK);
    FinishSlide();
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_NEW_MAP_UNLOCK);
    TickBox(29);

    // A purchase after the area was already open just closes.
    Answer(VK_ENTER);
    FinishSlide();
    OpenAtRest(MSGBOX_BUY_UPGRADE);
    Answer(VK_ENTER);
    EXPECT_EQ(box->m_iShownKind, -1);
}

// Enter (OK) or Escape (OK when alone, else Cancel) on each kind where it is
// opened, the battle after play with its still shown: what the box shows next
// (-1 closes; kStays: it stays for the page switch it started), the tip flag
// set, the difficulty (from 1) and the page-switch code started (-1 none).
TEST_F(MsgBoxTest, AnswerTable) {
    constexpr int kStays = -2, M = MENU_PAGE_INDEX, B = BATTLE_PAGE_INDEX, OK = VK_ENTER, ESC = VK_ESC;
    const struct {
        MsgBoxKind kind;
        int page, key, next, hint, difficulty, code;
    } rows[] = {
        {MSGBOX_DUPLICATE_NAME, M, ESC, -1, -1, 1, -1},
        {MSGBOX_DELETE_PROFILE, M, ESC, -1, -1, 1, -1},
        {MSGBOX_RESTART_LEVEL, B, OK, kStays, -1, 1, 3},
        {MSGBOX_RESTART_LEVEL, B, ESC, MSGBOX_PAUSE, -1, 1, -1},
        {MSGBOX_EXIT_TO_MENU, B, OK, kStays, -1, 1, 11},
        {MSGBOX_EXIT_TO_MENU, B, ESC, MSGBOX_PAUSE, -1, 1, -1},
        {MSGBOX_OPTIONS, M, ESC, -1, -1, 1, -1},
        {MSGBOX_OPTIONS, B, ESC, MSGBOX_PAUSE, -1, 1, -1},
        {MSGBOX_TIP_STAGE_RESULTS, B, OK, -1, -1, 1, -1},
        {MSGBOX_ROBOT_SELECTION, B, ESC, -1, 0, 1, -1},
        {MSGBOX_TIP_CLEAR_RECALL, B, OK, -1, 1, 1, -1},
        {MSGBOX_TIP_CARD_PAGES, B, OK, -1, 2, 1, -1},
        {MSGBOX_TIP_SCROLL_WHEEL, M, OK, -1, 3, 1, -1},
        {MSGBOX_TIP_MINI_CAPSULE, B, OK, -1, 6, 1, -1},
        {MSGBOX_TIP_UNDERWATER, B, OK, -1, 7, 1, -1},
        {MSGBOX_TIP_METAL_SPIKES, B, OK, -1, -1, 1, -1},
        {MSGBOX_GO_TO_LABORATORY, B, OK, kStays, -1, 1, 51},
        {MSGBOX_GO_TO_LABORATORY, B, ESC, kStays, -1, 1, 61},
        {MSGBOX_GO_TO_UPGRADE_LAB, B, OK, kStays, -1, 1, 121},
        {MSGBOX_TOO_EASY, B, OK, MSGBOX_DIFFICULTY_CHANGED, 5, 2, -1},
        {MSGBOX_TOO_EASY, B, ESC, kStays, 5, 1, 61},
        {MSGBOX_TOO_HARD, B, OK, MSGBOX_DIFFICULTY_CHANGED, 4, 0, -1},
        {MSGBOX_TOO_HARD, B, ESC, kStays, 4, 1, 61},
        {MSGBOX_DIFFICULTY_CHANGED, B, OK, kStays, -1, 1, 61},
        {MSGBOX_WARNING_ENERGY, B, OK, -1, -1, 1, -1},
        {MSGBOX_WARNING_AIR_PLATFORM, B, ESC, -1, -1, 1, -1},
    };
    summary.m_iSwitchCode = 61;
    for (const auto& r : rows) {
        const std::string at = std::to_string(r.kind) + (r.key == OK ? " OK" : " Escape");
        box->Clear(0);
        m_App->m_pEffectSwitchPage->Clear(0);
        g_CurrentProfile = SaveProfile{};
        g_CurrentProfile.m_iDifficulty = 1;
        m_App->m_iCurrentPage = r.page;
        m_App->m_iMenuReturnScreen = 1;
        m_App->m_iNewArea = -1;
        RuleState(battle->m_Battle).m_iBattleState = 10;
        m_App->m_bShowStill = true;
        OpenAtRest(r.kind);
        Answer(r.key);
        if (r.next == kStays) {
            EXPECT_TRUE(box->IsOpen() && !box->m_bSwitching) << at;
        } else {
            EXPECT_TRUE(box->m_bSwitching) << at;
            EXPECT_EQ(box->m_iShownKind, r.next) << at;
        }
        for (int h = 0; h < 8; ++h)
            EXPECT_EQ(g_CurrentProfile.m_abHintShown[h], h == r.hint ? 1 : 0) << at << " hint " << h;
        EXPECT_EQ(g_CurrentProfile.m_iDifficulty, r.difficulty) << at;
        const EffectInstance& change = m_App->m_pEffectSwitchPage->m_aInstances[0];
        EXPECT_EQ(change.life > 0 ? change.kind : -1, r.code) << at;
    }
}

TEST_F(MsgBoxTest, TwoWarningsConfirmedStartTheLoader) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    box->m_lstPendingWarnings = {MSGBOX_WARNING_ANTI_MOLE};
    OpenAtRest(MSGBOX_WARNING_ENERGY);
    Answer(VK_ENTER);
    EXPECT_EQ(box->m_iShownKind, MSGBOX_WARNING_ANTI_MOLE);
    EXPECT_TRUE(box->m_lstPendingWarnings.empty());
    FinishSlide();
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_WARNING_ANTI_MOLE);
    TickBox(29);
    EXPECT_EQ(battle->m_iCardChoiceStep, 0);
    Answer(VK_ENTER);
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(battle->m_iCardChoiceStep, 2);
}

TEST_F(MsgBoxTest, CancelOnAWarningEmptiesTheQueueAndStaysInTheSelection) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    box->m_lstPendingWarnings = {MSGBOX_WARNING_ANTI_MOLE, MSGBOX_WARNING_MORTAR_BASE};
    OpenAtRest(MSGBOX_WARNING_ENERGY);
    Answer(VK_ESC);
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(box->m_lstPendingWarnings.empty());
    EXPECT_EQ(battle->m_iCardChoiceStep, 0);
}

TEST_F(MsgBoxTest, DifficultyStaysInsideItsRange) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    RuleState(battle->m_Battle).m_iBattleState = 10;
    m_App->m_bShowStill = true;
    g_CurrentProfile.m_iDifficulty = DIFFICULTY_HARD;
    OpenAtRest(MSGBOX_TOO_EASY);
    Answer(VK_ENTER);
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, DIFFICULTY_HARD);
    FinishSlide();
    box->Clear(0);
    g_CurrentProfile.m_iDifficulty = DIFFICULTY_EASY;
    OpenAtRest(MSGBOX_TOO_HARD);
    Answer(VK_ENTER);
    EXPECT_EQ(g_CurrentProfile.m_iDifficulty, DIFFICULTY_EASY);
    EXPECT_EQ(g_CurrentProfile.m_abHintShown[4], 1);
}

TEST_F(MsgBoxTest, TooEasyDeclinedIsNotAskedAgainAndLeavesByTheBoardsMove) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    RuleState(battle->m_Battle).m_iBattleState = 10;
    m_App->m_bShowStill = true;
    summary.m_iSwitchCode = 3;
    g_CurrentProfile.m_iDifficulty = 1;
    m_App->m_pEffectNewAchievement->Announce(4);
    m_App->m_pEffectNewAchievement->Announce(5);
    OpenAtRest(MSGBOX_TOO_EASY);
    Answer(VK_ESC);
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
    EXPECT_EQ(box->m_iLastClosedKind, MSGBOX_TOO_EASY);
}

TEST_F(MsgBoxTest, ExitToMenuCancelledBeforePlayClosesAndResumesTheSounds) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    m_App->PauseAllSounds();
    ASSERT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused);
    OpenAtRest(MSGBOX_EXIT_TO_MENU);
    Answer(VK_ESC);
    EXPECT_EQ(box->m_iShownKind, -1);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
    FinishSlide();
}

TEST_F(MsgBoxTest, NoInputDuringPlayUntilTheStillIsShown) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_PLAYING;
    OpenAtRest(MSGBOX_PAUSE);
    PressOn(box->m_pBtnRestart);
    box->HandleClick();
    EXPECT_EQ(box->m_bSwitching, 0);
    m_App->m_bShowStill = true;
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_RESTART_LEVEL);
}

TEST_F(MsgBoxTest, HelpOpensTheRightHowToAndIsDisabledOnTheFirstStage) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    RuleState(battle->m_Battle).m_iBattleState = 10;
    m_App->m_iCurrentStage = 1;
    g_CurrentProfile.m_iFurthestStage = 1;
    OpenAtRest(MSGBOX_PAUSE);
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
    OpenAtRest(MSGBOX_PAUSE);
    PressOn(box->m_pBtnHelp);
    box->HandleClick();
    EXPECT_EQ(box->m_iShownKind, MSGBOX_HELP);
    FinishSlide();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(box->m_iLastClosedKind, MSGBOX_PAUSE);
    EXPECT_GT(howToPlay.m_aInstances[0].life, 0);
    EXPECT_EQ(howToPlay.m_aInstances[0].kind, 1);

    m_App->m_iCurrentStage = 165;
    OpenAtRest(MSGBOX_PAUSE);
    PressOn(box->m_pBtnHelp);
    box->HandleClick();
    FinishSlide();
    EXPECT_GT(howToMiniGame.m_aInstances[0].life, 0);
}

TEST_F(MsgBoxTest, EveryOkSavesBeforeItActs) {
    ASSERT_EQ(m_App->m_pSaveData->CreateProfile("Ann"), int(CVxSaveData::SAVE_OK));
    OpenAtRest(MSGBOX_ROBOT_SELECTION);
    g_CurrentProfile.m_iMetalParts = 777;
    const int current = m_App->m_pSaveData->Header().m_iCurrentProfile;
    Answer(VK_ENTER);
    g_aStoredProfiles[current].m_iMetalParts = 0;
    CGameSaveData reread;
    ASSERT_EQ(reread.Load(), int(CVxSaveData::SAVE_OK));
    EXPECT_EQ(g_aStoredProfiles[current].m_iMetalParts, 777);
    // The tip's own flag was set after the save; the next save takes it.
    EXPECT_EQ(g_aStoredProfiles[current].m_abHintShown[0], 0);
}

// Every button of the box, tapped (down and up within one frame) and clicked
// (down, held, up over three frames) from the same start: the tap answers as
// the click does, and only once (a switch answered twice would flip back).
TEST_F(MsgBoxTest, ATapWithinOneFrameAnswersEveryButtonAsAHeldClickDoesOnce) {
    constexpr int M = MENU_PAGE_INDEX, B = BATTLE_PAGE_INDEX;
    const struct {
        const char* button;
        int kind, page;
        CVxButton* CEffect_MsgBox::*member;
        int knob;      // a slider knob, -1 none
        float offset;  // where on it the tap falls, right of its centre
    } rows[] = {
        {"OK", MSGBOX_DUPLICATE_NAME, M, &CEffect_MsgBox::m_pBtnOK, -1, 0.0f},
        {"OK of two", MSGBOX_DELETE_PROFILE, M, &CEffect_MsgBox::m_pBtnOK, -1, 0.0f},
        {"Cancel", MSGBOX_DELETE_PROFILE, M, &CEffect_MsgBox::m_pBtnCancel, -1, 0.0f},
        {"Restart", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnRestart, -1, 0.0f},
        {"Resume", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnResume, -1, 0.0f},
        {"Menu", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnMenu, -1, 0.0f},
        {"Option", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnOption, -1, 0.0f},
        {"Help", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnHelp, -1, 0.0f},
        {"Exit", MSGBOX_PAUSE, B, &CEffect_MsgBox::m_pBtnExit, -1, 0.0f},
        {"the sound switch", MSGBOX_OPTIONS, M, &CEffect_MsgBox::m_pBtnSoundOn, -1, 0.0f},
        {"the screen switch", MSGBOX_OPTIONS, M, &CEffect_MsgBox::m_pBtnFullScreenOff, -1, 0.0f},
        {"the options' OK", MSGBOX_OPTIONS, M, &CEffect_MsgBox::m_pBtnOK, -1, 0.0f},
        {"the music knob", MSGBOX_OPTIONS, M, nullptr, 0, 12.0f},
        {"the effect knob", MSGBOX_OPTIONS, M, nullptr, 1, -12.0f},
    };
    struct Outcome {
        bool open, switching, exitBox, clickSound;
        int shown, muted, windowed, music, effect;
        bool operator==(const Outcome& o) const {
            return open == o.open && switching == o.switching && exitBox == o.exitBox && clickSound == o.clickSound &&
                   shown == o.shown && muted == o.muted && windowed == o.windowed && music == o.music &&
                   effect == o.effect;
        }
    };
    SaveFileHeader& header = m_App->m_pSaveData->Header();
    const auto outcome = [&] {
        return Outcome{box->IsOpen(),
                       box->m_bSwitching != 0,
                       m_App->m_pEffectExit->IsOpen(),
                       Playing(m_App->m_pSndBtnClick),
                       box->m_iShownKind,
                       header.m_bMuted,
                       header.m_bWindowed,
                       box->m_aiSliderValue[0],
                       box->m_aiSliderValue[1]};
    };
    for (const auto& r : rows) {
        Outcome seen[2];
        for (int tap = 0; tap < 2; ++tap) {
            box->Clear(0);
            m_App->m_pEffectExit->Clear(0);
            header.m_bMuted = 0;
            m_App->UnmuteAllSounds();
            header.m_bWindowed = 1;
            g_iMusicVolume = -5000;
            g_iEffectVolume = -5000;
            m_App->m_iCurrentPage = r.page;
            m_App->m_iCurrentStage = 7;
            RuleState(battle->m_Battle).m_iBattleState = 10;
            m_App->m_bShowStill = true;
            OpenAtRest(r.kind);
            CVxButton* on = r.member ? box->*r.member : box->m_apSliderKnob[r.knob];
            uint32_t& left = m_App->m_aInput[0].m_aiKey[MOUSE_LEFT];
            // The player looks a moment first: an earlier click's cooldown runs out.
            CursorAt(-400.0f, 300.0f);
            left = 0;
            for (int frame = 0; frame < BUTTON_CLICK_COOLDOWN; ++frame) box->HandleClick();
            Silence(m_App->m_pSndBtnClick);
            const Outcome before = outcome();
            CursorAt(on->m_vPosition.x + r.offset, on->m_vPosition.y);
            if (tap) {
                left = KEY_PRESSED | KEY_RELEASED;
                box->HandleClick();
                for (int frame = 0; frame < 2; ++frame) {
                    left = 0;
                    box->HandleClick();
                }
            } else {
                left = KEY_PRESSED | KEY_HELD;
                box->HandleClick();
                left = KEY_HELD;
                box->HandleClick();
                left = KEY_RELEASED;
                box->HandleClick();
            }
            seen[tap] = outcome();
            EXPECT_FALSE(seen[tap] == before) << r.button << (tap ? " tapped" : " clicked") << ": no answer";
        }
        EXPECT_TRUE(seen[1] == seen[0]) << r.button << ": a tap answers otherwise than a click";
    }
}
