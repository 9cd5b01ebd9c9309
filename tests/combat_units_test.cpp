// Combat on a battle page with a stage's grid but no loaded art: the
// collector, range and shields, kill and achievement counters, the item
// drop's frequencies and the Destroyers' death.
#include <cmath>
#include <cstring>
#include <map>

#include "battle/effects/Effect_CardFull.h"
#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/Targeting.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "platform/Random.h"
#include "tests/Harness.h"

namespace {

class CombatTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Make();
        page = BattlePageOf(m_App.get());
        ASSERT_NE(page, nullptr);
        UseStage(12);
        page->m_iBattleState = BATTLE_PLAYING;
        page->LoadEffects();
        VxSrand(11);
        g_iNextRobotSerial = g_iNextBulletSerial = g_iNextItemSerial = 0;
        std::memset(g_CurrentProfile.m_aiAchievementProgress, 0, sizeof g_CurrentProfile.m_aiAchievementProgress);
    }
    void TearDown() override {
        page->ReleaseEffects();
        GameAppTest::TearDown();
    }
    void UseStage(int stage) {
        m_App->m_iCurrentStage = stage;
        std::memset(page->m_aFieldCells, 0, sizeof page->m_aFieldCells);
        int groundRow = 4;
        page->m_StageDefinition = StageDefinition{};
        GetStageDefinition(stage, 0, page->m_StageDefinition);
        BuildFieldGrid(stage, page->m_aFieldCells, page->m_StageDefinition.m_iGroundRow, &groundRow);
    }
    // A unit placed at a point, its reference point there.
    CCom_GameRobot& Add(int type, float x, float y, int slot = 0) {
        CCom_GameRobot r;
        GetUnitDefinition(r.m_Unit, type);
        r.m_iUnitSlot = slot;
        const int lengths[UNIT_WORK_ACTS] = {20, 20, 200, 20, 0, 0};
        std::memcpy(r.m_Unit.m_aiUnitWork, lengths, sizeof lengths);
        GetWeaponDefinition(r.m_Weapon, r.m_Unit.m_iWeapon);
        r.m_iHp = r.m_Unit.m_iMaxHp;
        r.m_vPosition = r.m_vLastPosition = r.m_vHome = VxVec3{x, y, 0.0f};
        r.m_vCell = page->FindNearestCell(x, y, 0.0f);
        r.m_iState = r.IsMachine() ? ROBOT_MOVE : ROBOT_IDLE;
        page->m_lstRobots.push_back(r);
        return page->m_lstRobots.back();
    }
    CCom_GameBullet& Fire(int kind, float x, float y, int target = -1, int owner = -1, int graphic = 0) {
        page->FireBullet(kind, graphic, x, y, 0.0f, target, owner);
        return page->m_lstBullets.back();
    }

    CPageGame* page = nullptr;
};

// ---- Bullets by kind ----

TEST_F(CombatTest, TheCollectorFetchesEachEnergyOrPartsItemInReachAndNothingElse) {
    page->m_aHandDefs[3].m_iUpgradeLevel = 1;
    const struct {
        int kind;
        float x, y;
        bool fetched;
    } items[] = {
        {0, 100, 0, true}, {5, -200, 150, true}, {8, 10, 10, false}, {1, 3 * 85.5f, 0, false}, {2, 0, 243, false}};
    for (const auto& it : items) page->DropItem(it.kind, it.x, it.y, 0.0f, -1, false);
    page->FireBullet(27, 3, 0.0f, 0.0f, 0.0f, -1, -1);
    std::vector<int> fetched;
    for (const CCom_GameBullet& b : page->m_lstBullets) fetched.push_back(b.m_iTargetSerial);
    std::vector<int> expected;
    int serial = 0;
    for (const auto& it : items) {
        if (it.fetched) expected.push_back(serial);
        ++serial;
    }
    EXPECT_EQ(fetched, expected);
    page->m_lstBullets.clear();
    page->m_lstItems.clear();
    page->FireBullet(27, 3, 0.0f, 0.0f, 0.0f, -1, -1);
    EXPECT_TRUE(page->m_lstBullets.empty());
}

// ---- Hit rules ----

TEST_F(CombatTest, RangeIsStrictAndShieldsOverflowIntoHp) {
    CCom_GameRobot& gunner = Add(1, 300.0f, 28.0f);
    const float range = float(gunner.m_Weapon.m_iRange);
    struct {
        float dx;
        bool inside;
    } ranges[] = {{range, false}, {range - 0.01f, true}, {range + 1.0f, false}};
    for (const auto& c : ranges) {
        CCom_GameRobot& m = Add(1000, 300.0f - c.dx, 28.0f);
        EXPECT_EQ(IsWithinRange(gunner, m, gunner.m_vLastPosition), c.inside) << c.dx;
        page->m_lstRobots.pop_back();
    }
    struct {
        int shieldHp, hit, shieldAfter, unitLoss;
    } shields[] = {{5, 8, -3, 3}, {5, 5, 0, 0}, {10, 4, 6, 0}};
    for (const auto& c : shields) {
        CCom_GameRobot& unit = Add(1, 100.0f, -53.0f);
        CCom_GameRobot& shield = Add(27, 100.0f, -53.0f);
        shield.m_iHp = c.shieldHp;
        unit.m_iShieldSerial = shield.m_iSerial;
        const int before = unit.m_iHp;
        unit.TakeDamage(c.hit);
        EXPECT_EQ(shield.m_iHp, c.shieldAfter);
        EXPECT_EQ(before - unit.m_iHp, c.unitLoss);
        EXPECT_EQ(unit.m_iShieldSerial == NO_SERIAL, c.shieldAfter <= 0);
    }
}

// ---- Kills and achievements ----

TEST_F(CombatTest, OnlyTheKillingStrikeCountsAndExplosionsKeepTheirBest) {
    CCom_GameRobot& m = Add(1000, -100.0f, 28.0f);
    m.m_iHp = 1;
    for (int i = 0; i < 3; ++i) {
        CCom_GameBullet& b = Fire(3, -100.0f, 28.0f, m.m_iSerial);
        b.TestHits(false);
    }
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[18], 1);

    auto explode = [&](int machines) {
        for (int i = 0; i < machines; ++i) Add(1000, float(-200 + 10 * i), 28.0f).m_iHp = 1;
        CCom_GameBullet& blast = Fire(11, -150.0f, 28.0f);
        blast.m_rcHitArea = BulletHitArea{true, -900.0f, 900.0f, 900.0f, -900.0f};
        blast.TestHits(true);
        page->m_lstRobots.clear();
    };
    explode(5);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[30], 5);
    explode(3);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[30], 5);
}

TEST_F(CombatTest, ItemDropsFollowTheLuckBoosterAndTheMachinesWorth) {
    // Shares of 4000 seeded rolls: drops at all, and the sizes of those drops.
    struct Case {
        int stage, type, luck;
        double dropShare;
        int maxSize;
    } cases[] = {{12, 1000, 0, 101.0 / 200.0, 0}, {12, 1000, 8, 101.0 / 152.0, 0}, {112, 1020, 0, 101.0 / 200.0, 3}};
    for (const Case& c : cases) {
        UseStage(c.stage);
        g_CurrentProfile.m_iLuckBooster = c.luck;
        VxSrand(1234);
        std::map<int, int> sizes;
        const int rolls = 4000;
        for (int i = 0; i < rolls; ++i) {
            page->m_lstItems.clear();
            CCom_GameRobot& m = Add(c.type, 0.0f, 28.0f);
            m.RollItemDrop();
            page->m_lstRobots.pop_back();
            if (!page->m_lstItems.empty()) ++sizes[page->m_lstItems.back().m_iItemKind % 4];
        }
        int drops = 0, biggest = 0;
        for (const auto& s : sizes) {
            drops += s.second;
            biggest = std::max(biggest, s.first);
        }
        EXPECT_NEAR(double(drops) / rolls, c.dropShare, 0.03) << c.type << " luck " << c.luck;
        EXPECT_EQ(biggest, c.maxSize) << c.type;
        if (c.maxSize == 3) {
            EXPECT_GT(sizes[0], 8 * sizes[1]) << "size 0 up to r = 90 of 101";
        }
    }
    g_CurrentProfile.m_iLuckBooster = 0;
}

// ---- The Destroyers ----

TEST_F(CombatTest, ADestroyerBeatenWhileEnteringRunsItsDeathSequenceToTheEnd) {
    UseStage(160);
    CCom_GameRobot& boss = Add(1028, -250.0f, 30.0f);
    CCom_GameRobot& escort = Add(1000, -100.0f, 28.0f);
    page->m_pEffectDestroyerHand->Add(0, 9.0f, 1.0f);
    ASSERT_EQ(boss.m_iBossTimer, 0);
    boss.m_iHp = 0;
    int frames = 0;
    while (!boss.m_bExpired && frames < 3000) {
        ++m_App->m_nFrame;
        boss.Render();
        ++frames;
    }
    EXPECT_TRUE(boss.m_bExpired);
    EXPECT_GT(boss.m_iBossTimer, 1600);
    EXPECT_EQ(escort.m_iState, ROBOT_DYING);
    EXPECT_FALSE(page->m_StageDefinition.m_bEnemySchedule);
    EXPECT_LE(page->m_pEffectDestroyerHand->m_aInstances[0].life, 0) << "both hands stop";
}

}  // namespace
