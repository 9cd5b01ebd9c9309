// The battle's banners, the summary board and the choice of the page after a stage.
#include <gtest/gtest.h>

#include <vector>

#include "battle/effects/BannerTimeline.h"
#include "battle/effects/Effect_NewAchievementInGame.h"
#include "battle/units/RobotIconOffset.h"
#include "battle/effects/SummaryRules.h"
#include "battle/model/BattleRules.h"
#include "content/UnitDefinition.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "engine/PageIndices.h"
#include "engine/framework/RenderTargets.h"
#include "frontend/PageStory.h"
#include "game/MenuLink.h"
#include "platform/host/RecordingDevice.h"
#include "tests/Harness.h"

// ---- Banners ----

TEST(BannerTimeline, TheCountdownShowsFourPicturesEachWithItsSoundOnce) {
    std::vector<int> soundPictures, firstFrames;
    int last = -1;
    for (int e = 0; e < 180; ++e) {
        const CountdownLook c = CountdownAt(e, 180);
        if (c.picture != last) firstFrames.push_back(e);
        last = c.picture;
        if (c.sound) soundPictures.push_back(c.picture);
        EXPECT_GE(c.look.alpha, 0.0f);
        EXPECT_LE(c.look.scale, 1.5f);
    }
    EXPECT_EQ(soundPictures, (std::vector<int>{0, 1, 2, 3})) << "the last one is the start sound";
    EXPECT_EQ(firstFrames, (std::vector<int>{0, 45, 90, 135}));
}

// ---- Summary timing ----

TEST(SummaryTiming, NextIsOfferedOnlyAfterAWinNotStartedFromTheMiniGameList) {
    EXPECT_TRUE(SummaryNextOffered(true, MENU_MISSION));
    EXPECT_TRUE(SummaryNextOffered(true, MENU_STAGE_MAP));
    EXPECT_FALSE(SummaryNextOffered(true, MENU_MINIGAME));
    EXPECT_FALSE(SummaryNextOffered(false, MENU_MISSION));
}

// ---- Next page ----

TEST(NextPage, CodesForEveryWayOutOfAStage) {
    struct Case {
        const char* what;
        SummaryButton button;
        int stage, furthest, returnSub, mapToAnnounce, slots, boosters, episodesDone;
        int code, nextStage, returnSubAfter, mapAfter;
        bool endOfEpisode;
    } const cases[] = {
        {"replay keeps the stage", SUMMARY_REPLAY, 12, 20, MENU_MISSION, -1, 4, 0, 0, 3, 12, MENU_MISSION, -1, false},
        {"first win of 5 plays its mini-game", SUMMARY_NEXT, 5, 151, MENU_MISSION, -1, 4, 0, 0, 3, 151, MENU_MISSION,
         -1, false},
        {"a reached mini-game is skipped", SUMMARY_NEXT, 5, 20, MENU_MISSION, -1, 9, 9, 0, 3, 6, MENU_MISSION, -1,
         false},
        {"skipping into an unequipped area announces it", SUMMARY_NEXT, 10, 30, MENU_MISSION, -1, 4, 0, 0, 11, 11,
         MENU_STAGE_MAP, 2, false},
        {"an episode finished before ends at the episode choice", SUMMARY_NEXT, 50, 60, MENU_MISSION, -1, 9, 9, 1, 61,
         160, MENU_EPISODE, -1, true},
        {"a first end of episode plays the closing mini-game", SUMMARY_NEXT, 50, 160, MENU_MISSION, -1, 9, 9, 0, 3, 160,
         MENU_MISSION, -1, false},
        {"after the last stage of all the episode choice", SUMMARY_NEXT, 180, 180, MENU_MISSION, -1, 9, 9, 1, 61, 180,
         MENU_EPISODE, -1, true},
        {"menu goes back where the battle began", SUMMARY_MENU, 160, 51, MENU_MINIGAME, -1, 9, 9, 1, 71, 51,
         MENU_MINIGAME, -1, false},
        {"menu with a map to announce opens the map", SUMMARY_MENU, 10, 11, MENU_MISSION, 2, 4, 0, 0, 11, 152,
         MENU_STAGE_MAP, 2, false},
    };
    for (const Case& c : cases) {
        SaveProfile p{};
        p.m_iFurthestStage = c.furthest;
        p.m_nCardSlots = c.slots;
        p.m_iLifeBooster = p.m_iEnergyBooster = c.boosters;
        for (int e = 6; e <= 8; ++e) p.m_aiAchievementProgress[e] = c.episodesDone;
        NextPageFields f{c.returnSub, false, c.mapToAnnounce, false};
        const NextPageChoice choice = DecideNextPage(c.button, c.stage, p, f, false);
        EXPECT_EQ(choice.switchCode, c.code) << c.what;
        EXPECT_EQ(choice.nextStage, c.nextStage) << c.what;
        EXPECT_EQ(f.returnSubScreen, c.returnSubAfter) << c.what;
        EXPECT_EQ(f.mapToAnnounce, c.mapAfter) << c.what;
        EXPECT_EQ(f.endOfEpisodePending, c.endOfEpisode) << c.what;
        EXPECT_EQ(f.returnFromBattle, c.endOfEpisode) << c.what;
    }
}

TEST(NextPage, TheFirstFinishOfAnEpisodeLeadsToItsEnding) {
    struct Case {
        const char* rule;
        SummaryButton button;
        int stage;
        bool justFinished;
        int code, nextStage;
    } const cases[] = {
        {"menu after the first win of 160 shows the ending", SUMMARY_MENU, 160, true, ENDING_SWITCH_CODE, 51},
        {"next after the first win of 170 shows the ending", SUMMARY_NEXT, 170, true, ENDING_SWITCH_CODE, 101},
        {"next after the first win of 180 shows the ending", SUMMARY_NEXT, 180, true, ENDING_SWITCH_CODE, 151},
        {"replay stays a replay", SUMMARY_REPLAY, 160, true, 3, 160},
        {"a later win of 160 follows the usual menu rule", SUMMARY_MENU, 160, false, MENU_MISSION * 10 + 1, 51},
        {"a later win of 170 follows the usual next rule", SUMMARY_NEXT, 170, false, 3, 101},
    };
    for (const Case& c : cases) {
        SaveProfile p{};
        p.m_iFurthestStage = NextStageId(c.stage);
        p.m_nCardSlots = 9;
        p.m_iLifeBooster = p.m_iEnergyBooster = 9;
        for (int e = 6; e <= 8; ++e) p.m_aiAchievementProgress[e] = 1;
        NextPageFields f{MENU_MISSION, false, -1, false};
        const NextPageChoice choice = DecideNextPage(c.button, c.stage, p, f, c.justFinished);
        EXPECT_EQ(choice.switchCode, c.code) << c.rule;
        EXPECT_EQ(choice.nextStage, c.nextStage) << c.rule;
        EXPECT_FALSE(f.endOfEpisodePending) << c.rule;
    }
    EXPECT_EQ(ENDING_SWITCH_CODE, STORY_ENDING * 10 + STORY_PAGE_INDEX) << "the story page's ending";
    const int finales[][2] = {{150, 0}, {159, 0}, {160, 1}, {170, 2}, {180, 3}, {50, 0}, {100, 0}};
    for (const auto& f : finales) EXPECT_EQ(FinaleEpisode(f[0]), f[1]) << "stage " << f[0];
}

// ---- The board on the battle page ----

class SummaryBoardTest : public SlotPopupTest {
protected:
    void SetUp() override {
        SlotPopupTest::SetUp();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        battle->m_iSubScreen = 0;
        RuleState(battle->m_Battle).m_iBattleState = BATTLE_SUMMARY;
        m_App->m_iCurrentStage = 12;
        m_App->m_iMenuReturnScreen = MENU_MISSION;
        m_App->m_nEasyWinStreak = m_App->m_nLossStreak = 0;
        g_CurrentProfile.m_iFurthestStage = 20;
        summary.m_bLabUnlockedAtStart = g_CurrentProfile.m_abFeatureUnlocked[0] != 0;
        summary.m_bUpgradeLabUnlockedAtStart = g_CurrentProfile.m_abFeatureUnlocked[5] != 0;
    }
    void Open(bool won) {
        summary.Start(0, won ? 1 : 0);
        Tick(&summary, 28);
        ASSERT_EQ(summary.m_vPos.y, 0.0f);
    }
    // A whole click at a point of the board, handed to the board frame by frame.
    void ClickAt(float x, float y) {
        CursorAt(x, y);
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        summary.HandleClick();
        HoldMouse();
        summary.HandleClick();
        ReleaseMouse();
        summary.HandleClick();
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = 0;
    }
};

TEST_F(SummaryBoardTest, AWonStageGoesOnWithNextAndClicksWhileSlidingDoNothing) {
    summary.Start(0, 1);
    Tick(&summary, 5);
    ClickAt(0.0f, summary.m_vPos.y - 210.0f);
    EXPECT_EQ(summary.m_iBoardState, 0) << "still sliding";
    Tick(&summary, 23);
    ClickAt(0.0f, -210.0f);
    EXPECT_EQ(summary.m_iBoardState, 1);
    EXPECT_EQ(summary.m_iSwitchCode, 3);
    EXPECT_EQ(summary.m_iNextStage, 13);
}

TEST_F(SummaryBoardTest, TheFirstWinOfStageOneShowsTheResultsTipBeforeTheButtonsWork) {
    m_App->m_iCurrentStage = 1;
    g_CurrentProfile.m_iFurthestStage = 1;
    battle->m_bResultTipShown = false;
    Open(true);
    Tick(&summary, 100);  // age 128
    ClickAt(0.0f, -210.0f);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(summary.m_iBoardState, 0) << "the buttons are not looked at before the tip";
    Tick(&summary, 3);
    summary.HandleClick();
    ASSERT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_TIP_STAGE_RESULTS);
    EXPECT_TRUE(battle->m_bResultTipShown);
    box->Clear(0);
    ClickAt(0.0f, -210.0f);
    EXPECT_EQ(summary.m_iBoardState, 1);
    EXPECT_EQ(summary.m_iNextStage, 2);
    EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 2);
}

TEST_F(SummaryBoardTest, ARefusedPageSwitchIsAskedAgainUntilItIsTaken) {
    Open(true);
    ClickAt(-190.0f, -210.0f);
    ASSERT_EQ(summary.m_iBoardState, 1);
    EXPECT_EQ(summary.m_iSwitchCode, MENU_MISSION * 10 + 1);
    CEffect_SwitchPage& change = *m_App->m_pEffectSwitchPage;
    ASSERT_GE(change.Add(-1), 0);  // the one record is busy
    Tick(&summary, 30);
    EXPECT_GT(summary.m_vPos.y, 560.0f);
    EXPECT_FALSE(summary.m_bSwitchStarted);
    change.Clear(0);
    Tick(&summary);
    EXPECT_TRUE(summary.m_bSwitchStarted);
    EXPECT_EQ(change.m_aInstances[0].kind, MENU_MISSION * 10 + 1);
    EXPECT_GT(summary.m_aInstances[0].life, 0) << "the board lasts until the switch ends";
}

// ---- In-game achievement notice ----

class InGameNoticeTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        battle->m_pEffectNewAchievementInGame = &notice;
    }
    void TearDown() override {
        if (m_App) {
            battle->m_pEffectNewAchievementInGame = nullptr;
            m_App->m_pEffectNewAchievement->ResetBoard();
        }
        PopupTest::TearDown();
    }
    CEffect_NewAchievementInGame notice;
};

TEST_F(InGameNoticeTest, ThreeAchievementsInOneFrameFollowEachOtherEachFromAgeZero) {
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_PLAYING;
    AnnounceAchievement(4);
    AnnounceAchievement(9);
    AnnounceAchievement(17);
    // Frame by frame: which achievement shows, at which age.
    std::vector<std::pair<int, int>> starts;
    for (int frame = 0; frame < 600; ++frame) {
        const EffectInstance& r = notice.m_aInstances[0];
        if (r.life > 0 && r.age == 0) starts.push_back({frame, r.kind});
        notice.Tick();
    }
    // Each shows 180 frames; the frame after hands over to the next one.
    EXPECT_EQ(starts, (std::vector<std::pair<int, int>>{{0, 4}, {181, 9}, {362, 17}}));
    EXPECT_FALSE(notice.IsRecordAlive()) << "the last showing ends by its age";
    EXPECT_EQ(notice.m_pBoard, nullptr);
}

TEST_F(InGameNoticeTest, AnAchievementOutsidePlayDoesNotShowHere) {
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_REWARD;
    AnnounceAchievement(4);
    EXPECT_FALSE(notice.IsRecordAlive());
    EXPECT_TRUE(notice.m_lstPending.empty());
}

// ---- Robot icon offset ----
