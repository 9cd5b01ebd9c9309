// The new-Machine and new-robot boards on the battle page.

#include "content/StageDefinition.h"
#include "content/UnlockTables.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "content/StageNumbering.h"
#include "tests/Harness.h"

class DiscoveryBoardTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        battle->m_iSubScreen = 0;
        ok = MakeBattleOkButton();
        ok->m_bVisible = false;
        battle->m_pEffectNewEnemy = &enemies;
        battle->m_pEffectNewRobot = &robots;
        enemies.SeeBattle(battle);
        robots.SeeBattle(battle);
    }
    void TearDown() override {
        if (m_App) {
            battle->m_pBtnOK = nullptr;
            battle->m_pEffectNewEnemy = nullptr;
            battle->m_pEffectNewRobot = nullptr;
            battle->m_lstNewEnemies.clear();
            battle->m_itNewEnemy = battle->m_lstNewEnemies.end();
            battle->m_mapNewRobots.clear();
            battle->m_itNewRobot = battle->m_mapNewRobots.end();
        }
        delete ok;
        PopupTest::TearDown();
    }

    CVxBillboard* Picture(const char* name) {
        return m_App->m_pResourceManager->CreateBillboard(name, "Resource\\InfoPicture\\", nullptr);
    }
    void Queue(int typeId, int variant) {
        battle->m_lstNewEnemies.push_back({Picture("Bbd_RobotPic1000.png"), nullptr, typeId, variant});
        battle->m_itNewEnemy = battle->m_lstNewEnemies.begin();
    }
    // The Machine types a stage lists, in its order.
    static std::vector<int> StageMachines(int stage) {
        StageDefinition def{};
        GetStageDefinition(stage, def);
        std::vector<int> out;
        for (int t : def.m_aiEnemyType)
            if (t >= 1000 && t <= 1031) out.push_back(t);
        return out;
    }
    static bool Met(int type) { return g_CurrentProfile.m_aEnemySeen[type - 1000].met != 0; }
    void CloseWithEnter(CVxEffect* board) {
        ReleaseKey(VK_ENTER);
        if (board == &enemies) enemies.HandleClick();
        else robots.HandleClick();
    }

    CVxButton* ok = nullptr;
    CEffect_NewEnemy enemies;
    CEffect_NewRobot robots;
};

TEST_F(DiscoveryBoardTest, MachinesAreMetOnlyAfterTheLastBoardHasGone) {
    m_App->m_iCurrentStage = 2;
    const std::vector<int> types = StageMachines(2);
    ASSERT_FALSE(types.empty());
    for (int t : types) g_CurrentProfile.m_aEnemySeen[t - 1000].met = 0;
    Queue(types[0], 0);
    Queue(types.back(), 0);
    battle->m_itNewEnemy = battle->m_lstNewEnemies.begin();

    enemies.Start(0, 0);
    for (int board = 0; board < 2; ++board) {
        Tick(&enemies);
        EXPECT_EQ(enemies.m_vBoardPos.y, 675.0f);
        Tick(&enemies, 26);
        EXPECT_EQ(enemies.m_vBoardPos.y, 40.0f);
        CloseWithEnter(&enemies);
        EXPECT_EQ(enemies.m_aInstances[0].kind, 1);
        for (int t : types) EXPECT_FALSE(Met(t)) << "board " << board;
        Tick(&enemies, 27);  // out at 25 a frame, beyond 675
    }
    EXPECT_TRUE(battle->m_itNewEnemy == battle->m_lstNewEnemies.end());
    EXPECT_LE(enemies.m_aInstances[0].life, 0);
    for (int t : types) EXPECT_TRUE(Met(t)) << t;
}

TEST_F(DiscoveryBoardTest, TheMachineBoardTakesClicksOnlyAtItsRestHeight) {
    Queue(1003, 0);
    enemies.Start(0, 0);
    Tick(&enemies, 10);
    CloseWithEnter(&enemies);
    EXPECT_EQ(enemies.m_aInstances[0].kind, 0);
    EXPECT_NE(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u) << "not used up while sliding";
    Tick(&enemies, 17);
    ClickOn(ok, [&] { enemies.HandleClick(); });
    ASSERT_EQ(enemies.m_aInstances[0].kind, 1);
    // The first frame of the slide-out still stands at the rest height: a close
    // there starts the slide-out over, with its click sound.
    Tick(&enemies);
    ASSERT_EQ(enemies.m_vBoardPos.y, 40.0f);
    Silence(m_App->m_pSndBtnClick);
    CloseWithEnter(&enemies);
    EXPECT_EQ(enemies.m_aInstances[0].kind, 1);
    EXPECT_EQ(enemies.m_aInstances[0].age, 0);
    EXPECT_EQ(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u);
    EXPECT_TRUE(Playing(m_App->m_pSndBtnClick));
    // One frame further up it takes nothing.
    Tick(&enemies, 2);
    CloseWithEnter(&enemies);
    EXPECT_EQ(enemies.m_aInstances[0].age, 2);
    EXPECT_NE(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u);
}

TEST_F(DiscoveryBoardTest, ThePlainHeavySmasherLastBringsTheLifePointTipOverAStill) {
    Queue(TIP_MACHINE_TYPE, 0);
    enemies.Start(0, 0);
    Tick(&enemies, 27);
    CloseWithEnter(&enemies);
    Tick(&enemies, 27);
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_TIP_LIFE_DAMAGE);
    EXPECT_TRUE(m_App->m_bCaptureStill);
    EXPECT_FALSE(m_App->m_bShowStill);
}

TEST_F(DiscoveryBoardTest, NoStillIsTakenWhenTheTipCannotOpen) {
    box->Add(MSGBOX_PAUSE);
    m_App->m_bCaptureStill = false;
    Queue(TIP_MACHINE_TYPE, 0);
    enemies.Start(0, 0);
    Tick(&enemies, 27);
    CloseWithEnter(&enemies);
    Tick(&enemies, 27);
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_PAUSE);
    EXPECT_FALSE(m_App->m_bCaptureStill);
}

TEST_F(DiscoveryBoardTest, TheRobotIsUnlockedOnlyWhenItsBoardHasGone) {
    m_App->m_iCurrentStage = 1;
    const int robot = GetRobotUnlockedByStage(NextStageId(1));
    ASSERT_GE(robot, 0);
    g_CurrentProfile.m_abRobotUnlocked[robot] = 0;
    battle->m_mapNewRobots[robot] = Picture("Bbd_RobotPic0000.png");
    battle->m_itNewRobot = battle->m_mapNewRobots.begin();

    Silence(m_App->m_pSndMsgBox);
    robots.Start(0, 0);
    Tick(&robots);
    EXPECT_FALSE(Playing(m_App->m_pSndMsgBox)) << "this board opens silently";
    EXPECT_GT(m_App->m_pEffectBlackScreen->m_aInstances[0].life, 0);
    Tick(&robots, 10);
    CloseWithEnter(&robots);
    EXPECT_EQ(robots.m_aInstances[0].kind, 0);
    Tick(&robots, 16);
    EXPECT_EQ(robots.m_vBoardPos.y, 40.0f);
    Silence(m_App->m_pSndBtnClick);
    CloseWithEnter(&robots);
    EXPECT_EQ(robots.m_aInstances[0].kind, 1);
    EXPECT_TRUE(Playing(m_App->m_pSndBtnClick));
    EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].kind, 0) << "the scene stays dim";
    Tick(&robots, 26);
    EXPECT_EQ(g_CurrentProfile.m_abRobotUnlocked[robot], 0);
    Tick(&robots);
    EXPECT_LE(robots.m_aInstances[0].life, 0);
    EXPECT_TRUE(battle->m_itNewRobot == battle->m_mapNewRobots.end());
    EXPECT_EQ(g_CurrentProfile.m_abRobotUnlocked[robot], 1);
}

TEST_F(DiscoveryBoardTest, ComingBackToTheWindowRedrawsTheBoardsContent) {
    enemies.m_bBoardRendered = true;
    robots.m_bBoardRendered = true;
    m_App->OnActivate();
    EXPECT_FALSE(enemies.m_bBoardRendered);
    EXPECT_FALSE(robots.m_bBoardRendered);
}
