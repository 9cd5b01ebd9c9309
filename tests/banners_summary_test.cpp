// The battle's banners, the summary board and the choice of the page after a stage.
#include <gtest/gtest.h>

#include <string>
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

// Frame by frame over a 180-frame record: each countdown picture swells from
// 1.5 and fades in over its first 18 frames with its sound at the ninth; the
// miss mark shrinks from twice its size for 10 frames, stands 60 and fades 10;
// a stage-title element pops in its own 10-frame phase and fades over the last 20.
TEST(BannerTimeline, EachBannerLooksAsItsFrameSays) {
    struct Row {
        const char* banner;
        int elapsed;
        int picture;  // the countdown's; -1 for the others
        BannerLook look;
        bool sound;
    } const rows[] = {
        {"countdown", 0, 0, {true, 1.5f, 0.0f}, false},
        {"countdown", 9, 0, {true, 1.25f, 0.5f}, true},
        {"countdown", 17, 0, {true, 1.03f, 0.94f}, false},
        {"countdown", 18, 0, {true, 1.0f, 1.0f}, false},
        {"countdown", 44, 0, {true, 1.0f, 1.0f}, false},
        {"countdown", 45, 1, {true, 1.5f, 0.0f}, false},
        {"countdown", 54, 1, {true, 1.25f, 0.5f}, true},
        {"countdown", 144, 3, {true, 1.25f, 0.5f}, true},
        {"miss", 0, -1, {true, 2.0f, 1.0f}, false},
        {"miss", 9, -1, {true, 1.1f, 1.0f}, false},
        {"miss", 10, -1, {true, 1.0f, 1.0f}, false},
        {"miss", 69, -1, {true, 1.0f, 1.0f}, false},
        {"miss", 75, -1, {true, 1.0f, 0.5f}, false},
        {"miss", 79, -1, {true, 1.0f, 0.1f}, false},
        {"stage title, element 2", 19, -1, {false, 1.0f, 1.0f}, false},
        {"stage title, element 2", 20, -1, {true, 2.0f, 1.0f}, false},
        {"stage title, element 2", 29, -1, {true, 1.1f, 1.0f}, false},
        {"stage title, element 2", 30, -1, {true, 1.0f, 1.0f}, false},
        {"stage title, element 2", 159, -1, {true, 1.0f, 1.0f}, false},
        {"stage title, element 2", 170, -1, {true, 1.0f, 0.5f}, false},
    };
    for (const Row& r : rows) {
        BannerLook look;
        bool sound = false;
        if (r.picture >= 0) {
            const CountdownLook c = CountdownAt(r.elapsed, 180);
            EXPECT_EQ(c.picture, r.picture) << r.banner << " at " << r.elapsed;
            look = c.look;
            sound = c.sound;
        } else {
            look = std::string(r.banner) == "miss" ? MissLook(r.elapsed) : StageTitleLook(r.elapsed, 2);
        }
        EXPECT_EQ(look.drawn, r.look.drawn) << r.banner << " at " << r.elapsed;
        if (!look.drawn) continue;
        EXPECT_NEAR(look.scale, r.look.scale, 1e-5f) << r.banner << " at " << r.elapsed;
        EXPECT_NEAR(look.alpha, r.look.alpha, 1e-5f) << r.banner << " at " << r.elapsed;
        EXPECT_EQ(sound, r.sound) << r.banner << " at " << r.elapsed;
    }
}

// ---- Summary timing ----

TEST(SummaryTiming, NextIsOfferedOnlyAfterAWinNotStartedFromTheMiniGameList) {
    EXPECT_TRUE(SummaryNextOffered(true, MENU_MISSION));
    EXPECT_TRUE(SummaryNextOffered(true, MENU_STAGE_MAP));
    EXPECT_FALSE(SummaryNextOffered(true, MENU_MINIGAME));
    EXPECT_FALSE(SummaryNextOffered(false, MENU_MISSION));
}

// f frames after the board came to rest: the counters climb for 20 frames,
// the title shrinks from 1.5 to 1 from frame 21, and each star lands from
// twice its size over 15 frames, one every 15 from frame 36, with its sound
// at its first frame and its burst in the 15 frames after it landed.
TEST(SummaryTiming, TheCountTheTitleAndTheStarsFollowTheirFrames) {
    struct Row {
        int f;
        int shown;  // of a total of 40
        float title;
        float star0, star1;
        bool sound0, sound1, burst0;
    } const rows[] = {
        {0, 0, 0.0f, 0.0f, 0.0f, false, false, false},
        {1, 2, 0.0f, 0.0f, 0.0f, false, false, false},
        {10, 20, 0.0f, 0.0f, 0.0f, false, false, false},
        {19, 38, 0.0f, 0.0f, 0.0f, false, false, false},
        {20, 40, 0.0f, 0.0f, 0.0f, false, false, false},
        {21, 40, 1.5f - 0.5f / 15.0f, 0.0f, 0.0f, false, false, false},
        {28, 40, 1.5f - 0.5f * 8.0f / 15.0f, 0.0f, 0.0f, false, false, false},
        {35, 40, 1.0f, 0.0f, 0.0f, false, false, false},
        {36, 40, 1.0f, 2.0f - 1.0f / 15.0f, 0.0f, true, false, false},
        {37, 40, 1.0f, 2.0f - 2.0f / 15.0f, 0.0f, false, false, false},
        {50, 40, 1.0f, 1.0f, 0.0f, false, false, false},
        {51, 40, 1.0f, 1.0f, 2.0f - 1.0f / 15.0f, false, true, true},
        {64, 40, 1.0f, 1.0f, 2.0f - 14.0f / 15.0f, false, false, true},
        {65, 40, 1.0f, 1.0f, 1.0f, false, false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SummaryShownValue(40, r.f), r.shown) << "frame " << r.f;
        EXPECT_FLOAT_EQ(SummaryTitleScale(r.f), r.title) << "frame " << r.f;
        const SummaryStarLook first = SummaryStarAt(r.f, 0), second = SummaryStarAt(r.f, 1);
        EXPECT_FLOAT_EQ(first.starScale, r.star0) << "frame " << r.f;
        EXPECT_FLOAT_EQ(second.starScale, r.star1) << "frame " << r.f;
        EXPECT_EQ(first.sound, r.sound0) << "frame " << r.f;
        EXPECT_EQ(second.sound, r.sound1) << "frame " << r.f;
        EXPECT_EQ(first.burst, r.burst0) << "frame " << r.f;
        if (r.burst0) {
            EXPECT_FLOAT_EQ(first.burstScale, float(r.f - 35) / 15.0f) << "frame " << r.f;
            EXPECT_FLOAT_EQ(first.burstAlpha, 2.0f - float(r.f - 35) / 15.0f) << "frame " << r.f;
        }
    }
    EXPECT_TRUE(SummaryStarAt(66, 2).sound) << "the third star sounds at frame 66";
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

// What follows the board once it has left: a newly opened laboratory, then
// the difficulty offers after five easy wins or five losses, else the switch.
TEST_F(SummaryBoardTest, TheBoxThatFollowsTheLeavingBoard) {
    constexpr float kMenu = -190.0f, kReplay = 190.0f;
    struct Row {
        const char* rule;
        bool won, labOpened, upgradeLabOpened;
        int easyWins, losses;
        bool easyShown, hardShown;
        float button;
        int box;  // 0: the page switch starts
    } const rows[] = {
        {"the laboratory opened in this battle", true, true, false, 5, 0, false, false, kReplay,
         MSGBOX_GO_TO_LABORATORY},
        {"the upgrade lab opened in this battle", true, false, true, 5, 0, false, false, kReplay,
         MSGBOX_GO_TO_UPGRADE_LAB},
        {"five easy wins in a row", true, false, false, 5, 0, false, false, kReplay, MSGBOX_TOO_EASY},
        {"four easy wins are not enough", true, false, false, 4, 0, false, false, kReplay, 0},
        {"too easy is asked once", true, false, false, 5, 0, true, false, kReplay, 0},
        {"going to the menu asks nothing", true, false, false, 5, 5, false, false, kMenu, 0},
        {"five losses in a row", false, false, false, 0, 5, false, false, kReplay, MSGBOX_TOO_HARD},
        {"four losses are not enough", false, false, false, 0, 4, false, false, kReplay, 0},
        {"too hard is asked once", false, false, false, 0, 5, false, true, kReplay, 0},
    };
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        summary.m_bLabUnlockedAtStart = summary.m_bUpgradeLabUnlockedAtStart = true;
        if (r.labOpened) summary.m_bLabUnlockedAtStart = false;
        if (r.upgradeLabOpened) summary.m_bUpgradeLabUnlockedAtStart = false;
        p.m_abFeatureUnlocked[0] = p.m_abFeatureUnlocked[5] = 1;
        p.m_abHintShown[5] = r.easyShown ? 1 : 0;
        p.m_abHintShown[4] = r.hardShown ? 1 : 0;
        m_App->m_nEasyWinStreak = r.easyWins;
        m_App->m_nLossStreak = r.losses;
        Open(r.won);
        // The last row's click was taken and its button cools down.
        CursorAt(0.0f, 400.0f);
        for (int i = 0; i <= BUTTON_CLICK_COOLDOWN; ++i) {
            m_App->m_aPointer[0].m_iState = POINTER_FREE;
            summary.HandleClick();
        }
        m_App->m_aPointer[0].m_iState = POINTER_FREE;
        ClickAt(r.button, -210.0f);
        ASSERT_EQ(summary.m_iBoardState, 1) << r.rule;
        Tick(&summary, 30);
        EXPECT_EQ(box->IsOpen() ? box->m_aInstances[0].kind : 0, r.box) << r.rule;
        EXPECT_EQ(summary.m_bSwitchStarted, r.box == 0) << r.rule;
        box->Clear(0);
        summary.Clear(0);
        m_App->m_pEffectSwitchPage->Clear(0);
    }
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
