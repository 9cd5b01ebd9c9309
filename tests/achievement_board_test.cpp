// The new-achievement board: queue order, slide, closing and reset.

#include "battle/model/BattleRules.h"
#include "tests/Harness.h"

namespace {

std::string PictureName(const CVxBillboard* b) {
    if (!b) return "";
    if (b->m_pszName) return b->m_pszName;
    if (b->m_pTexture && b->m_pTexture->m_pszName) return b->m_pTexture->m_pszName;
    return "";
}

}  // namespace

class AchievementBoardTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        board = m_App->m_pEffectNewAchievement;
        ASSERT_NE(board, nullptr);
    }
    // Runs the slide-in to its rest place.
    void Arrive() { Tick(board, 27); }
    void CloseWithEnter() {
        ReleaseKey(VK_ENTER);
        board->HandleClick();
    }
    CEffect_NewAchievement* board = nullptr;
};

TEST_F(AchievementBoardTest, TheGameLinkAnnouncesOnThisBoard) {
    EXPECT_EQ(GetContentLink().AchievementBoard(), static_cast<CAchievementNotice*>(board));
}

TEST_F(AchievementBoardTest, ThreeInOneFrameAreShownOneAfterAnotherInOrder) {
    board->Announce(3);
    board->Announce(7);
    board->Announce(1);
    EXPECT_EQ(board->m_aInstances[0].kind, 3);
    EXPECT_EQ(PictureName(board->m_pPicture), "Bbd_Achv_04.png");
    ASSERT_EQ(board->m_lstPending.size(), 2u);

    const int expected[] = {3, 7, 1};
    for (int n = 0; n < 3; ++n) {
        Silence(m_App->m_pSndGotAchv);
        Tick(board);
        EXPECT_EQ(board->m_aInstances[0].kind, expected[n]);
        EXPECT_EQ(PictureName(board->m_pPicture), AchievementPictureName(expected[n]));
        EXPECT_TRUE(Playing(m_App->m_pSndGotAchv)) << n;  // each board brings its jingle
        EXPECT_TRUE(board->m_bShowing);
        // Enter during the slide-in does nothing and is not used up.
        CloseWithEnter();
        EXPECT_EQ(board->m_bClosing, 0);
        EXPECT_NE(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u);
        Tick(board, 25);
        EXPECT_EQ(board->m_vSlideOffset.y, 50.0f);
        CloseWithEnter();
        EXPECT_EQ(board->m_bClosing, 0);
        Tick(board);
        EXPECT_EQ(board->m_vSlideOffset.y, 40.0f);
        CloseWithEnter();
        EXPECT_EQ(board->m_bClosing, 1);
        EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u);
        Tick(board, 27);  // out at 25 a tick, beyond 675
    }
    EXPECT_FALSE(board->IsRecordAlive());
    EXPECT_FALSE(board->m_bShowing);
    EXPECT_EQ(board->m_pPicture, nullptr);
}

TEST_F(AchievementBoardTest, ClosingAfterPlayKeepsTheScreenDim) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    RuleState(battle->m_Battle).m_iBattleState = 10;
    board->Announce(0);
    Arrive();
    const EffectInstance& dim = m_App->m_pEffectBlackScreen->m_aInstances[0];
    ASSERT_GT(dim.life, 0);
    ASSERT_EQ(dim.kind, 0);
    CloseWithEnter();
    EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].kind, 0);

    // During play the close lifts the dimming.
    Tick(board, 27);
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_PLAYING;
    board->Announce(1);
    Arrive();
    CloseWithEnter();
    EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].kind, 1);
}

TEST_F(AchievementBoardTest, ResetDropsTheBoardThePictureAndTheQueue) {
    board->Announce(2);
    board->Announce(5);
    Tick(board, 3);
    board->ResetBoard();
    EXPECT_FALSE(board->IsRecordAlive());
    EXPECT_EQ(board->m_pPicture, nullptr);
    EXPECT_TRUE(board->m_lstPending.empty());
    EXPECT_FALSE(board->m_bShowing);
    // The next announcement starts afresh.
    board->Announce(9);
    EXPECT_EQ(board->m_aInstances[0].kind, 9);
    EXPECT_TRUE(board->m_lstPending.empty());
}

TEST_F(AchievementBoardTest, AClickIsTakenOnlyOnceTheBoardHasArrived) {
    board->Announce(0);
    Tick(board, 5);
    ClickOn(board->m_pBtnOK, [&] { board->HandleClick(); });
    EXPECT_EQ(board->m_bClosing, 0);
    Tick(board, 22);
    ClickOn(board->m_pBtnOK, [&] { board->HandleClick(); });
    EXPECT_EQ(board->m_bClosing, 1);
}
