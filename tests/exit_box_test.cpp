// The exit box of a started game application: answers, the still, the
// sounds and the save.
#include "game/Effect_Exit.h"
#include "game/Effect_NewAchievement.h"
#include "tests/Harness.h"

namespace {

class ExitBoxTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        // One profile in use, so that saves write the live profile.
        ASSERT_EQ(m_App->m_pSaveData->CreateProfile("Tester"), int(CVxSaveData::SAVE_OK));
        exitBox = m_App->m_pEffectExit;
    }
    void Enter(int page) {
        m_App->m_iCurrentPage = page;
        m_App->m_bSwitchPending = false;
    }
    void Press(int key) {
        PressKey(key);
        exitBox->HandleClick();
    }
    CEffect_Exit* exitBox = nullptr;
};

}  // namespace

TEST(ExitBoxText, BodyDiffersOnTheBattlePage) {
    EXPECT_STREQ(ExitBoxBody(true), "   Progress in this level will be lost.\n\t\t\tDo you want to exit?");
    EXPECT_STREQ(ExitBoxBody(false), "\t\t\tDo you want to exit?");
}

TEST_F(ExitBoxTest, EscapeCancelsAndGivesTheStillBack) {
    Enter(2);
    ASSERT_EQ(exitBox->Add(0), 0);
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_TRUE(exitBox->m_bOwnsStill);
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "sounds pause except on the menu";
    exitBox->HandleClick();
    EXPECT_TRUE(exitBox->IsOpen()) << "no key, no click: the box waits";
    Press(VK_ESCAPE_KEY);
    EXPECT_FALSE(exitBox->IsOpen());
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_FALSE(m_App->m_bCaptureStill);
    EXPECT_FALSE(m_App->m_bShowStill);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ESCAPE_KEY], 0u) << "the key is used up";

    // On the menu the music goes on, and the menu's input waits after a cancel.
    Enter(MENU_PAGE_INDEX);
    exitBox->Add(0);
    EXPECT_FALSE(m_App->m_pResourceManager->m_bSoundsPaused);
    Press(VK_ESCAPE_KEY);
    EXPECT_EQ(menu.m_iInputHoldOff, 5);
}

TEST_F(ExitBoxTest, EnterConfirmsSavesAndAsksToQuit) {
    Enter(2);
    g_CurrentProfile.m_iMetalParts = 777;
    exitBox->Add(0);
    Press(VK_RETURN_KEY);
    EXPECT_TRUE(g_bQuitRequested);
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 777) << "the profile is saved before quitting";
}

TEST_F(ExitBoxTest, OverAStillOfAnotherBoxLeavesTheStillAlone) {
    Enter(BATTLE_PAGE_INDEX);
    m_App->m_bShowStill = true;
    box->Add(MSGBOX_PAUSE);
    m_App->m_pResourceManager->m_bSoundsPaused = true;
    exitBox->Add(0);
    EXPECT_FALSE(exitBox->m_bOwnsStill);
    Press(VK_ESCAPE_KEY);
    EXPECT_TRUE(m_App->m_bShowStill) << "the message box keeps its still";
    EXPECT_TRUE(m_App->m_pResourceManager->m_bSoundsPaused) << "a message box is open on the battle page";
}

// Confirming on a battle whose summary was won moves the furthest stage on
// before saving; lost, already answered or already leaving, it stays.
TEST_F(ExitBoxTest, ConfirmingAdvancesOnlyFromAWonUnansweredSummary) {
    Enter(BATTLE_PAGE_INDEX);
    m_App->m_iCurrentStage = 5;
    const struct {
        int result;
        bool answered, leaving;
        int furthest;
    } cases[] = {{0, false, false, 5}, {1, true, false, 5}, {1, false, true, 5}, {1, false, false, 151}};
    for (const auto& c : cases) {
        g_CurrentProfile.m_iFurthestStage = 5;
        summary.Start(0, c.result);
        summary.m_iBoardState = c.answered ? 1 : 0;
        m_App->m_pEffectSwitchPage->Clear(0);
        if (c.leaving) m_App->m_pEffectSwitchPage->Add(11);
        exitBox->Clear(0);
        exitBox->Add(0);
        Press(VK_RETURN_KEY);
        EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, c.furthest) << c.result << c.answered << c.leaving;
    }
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 12), 151) << "saved after advancing";
}

// Clicks where the buttons are drawn: only the box on top takes them, the exit
// box over a message box, a message box or the achievement board over the page.
TEST_F(ExitBoxTest, OnlyTheBoxOnTopTakesAClick) {
    Enter(2);
    CEffect_NewAchievement* board = m_App->m_pEffectNewAchievement;
    enum Under { NOTHING, MESSAGE_BOX, ACHIEVEMENT_BOARD };
    const struct {
        const char* rule;
        Under under;
        bool exit;  // the exit box open on top, and answering the click
        CVxButton* clicked;
        bool taken;
        bool tap = false;  // press and release within one frame
    } rows[] = {
        {"the page's button with nothing open", NOTHING, false, nullptr, true},
        {"the exit box's Cancel", NOTHING, true, exitBox->m_pButtonCancel, true},
        {"the exit box's OK over a message box", MESSAGE_BOX, true, exitBox->m_pButtonOk, true},
        {"a message box's OK under the exit box", MESSAGE_BOX, true, box->m_pBtnOK, false},
        {"the page's button under a message box", MESSAGE_BOX, false, nullptr, false},
        {"the page's button under the achievement board", ACHIEVEMENT_BOARD, false, nullptr, false},
        {"the exit box's Cancel tapped", NOTHING, true, exitBox->m_pButtonCancel, true, true},
        {"the exit box's OK tapped", NOTHING, true, exitBox->m_pButtonOk, true, true},
        {"a message box's OK tapped under the exit box", MESSAGE_BOX, true, box->m_pBtnOK, false, true},
    };
    for (const auto& r : rows) {
        g_bQuitRequested = false;
        box->Clear(0);
        exitBox->Clear(0);
        board->ResetBoard();
        std::unique_ptr<CVxButton> pageButton(MakeBattleOkButton());
        pageButton->SetPosition(0.0f, -60.0f, 0.0f);
        pageButton->Render();
        if (r.under == MESSAGE_BOX) OpenAtRest(MSGBOX_DUPLICATE_NAME);
        if (r.under == ACHIEVEMENT_BOARD) {
            board->Announce(0);
            Tick(board, 27);
        }
        if (r.exit) {
            exitBox->Add(0);
            Tick(exitBox);
        }
        CVxButton* clicked = r.clicked ? r.clicked : pageButton.get();
        const bool exitsOwn = clicked == exitBox->m_pButtonOk || clicked == exitBox->m_pButtonCancel;
        const auto handle = [&] {
            if (r.exit) exitBox->HandleClick();
            if (!exitsOwn) clicked->ProcessInput();
        };
        if (r.tap) {
            CursorOn(clicked);
            m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_RELEASED;
            handle();
        } else {
            ClickOn(clicked, handle);
        }
        EXPECT_EQ(clicked->m_iClickCooldown == BUTTON_CLICK_COOLDOWN, r.taken) << r.rule;
        EXPECT_EQ(g_bQuitRequested, clicked == exitBox->m_pButtonOk) << r.rule;
        EXPECT_EQ(exitBox->IsOpen(), r.exit && clicked != exitBox->m_pButtonCancel) << r.rule;
    }
}
