// The exit box of a started game application: answers, the still, the
// sounds and the save.
#include "game/Effect_Exit.h"
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
