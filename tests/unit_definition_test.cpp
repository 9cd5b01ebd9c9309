#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/UnitDefinition.h"

namespace {

// Keeps the live profile's upgrades untouched across tests.
class UnitDefinitionTest : public testing::Test {
protected:
    void SetUp() override {
        std::memcpy(&m_saved, &g_CurrentProfile, sizeof m_saved);
        for (auto& u : g_CurrentProfile.m_aRobotUpgrade) u = {0, 0};
        m_link.Menu(1);
    }
    void TearDown() override { std::memcpy(&g_CurrentProfile, &m_saved, sizeof m_saved); }

    static UnitDefinition Unit(int id) {
        UnitDefinition u{};
        GetUnitDefinition(u, id);
        return u;
    }
    static void Upgrade(int id, int level) { g_CurrentProfile.m_aRobotUpgrade[id].m_iLevel = level; }

    harness::ScopedLink m_link;
    SaveProfile m_saved;
};

}  // namespace

TEST_F(UnitDefinitionTest, TablesKeepTheirCheckedValues) {
    EXPECT_EQ(harness::UnitTableFingerprint(), 0x7132b93031a93343ull);
    for (int id : {-1, 40, 999, 1033}) EXPECT_EQ(GetUnitName(id), nullptr) << id;
}

TEST_F(UnitDefinitionTest, UnknownIdsKeepTheCallersFields) {
    for (int id : {-7, 40, 999, 1033}) {
        UnitDefinition u;
        std::memset(&u, 0x33, sizeof u);
        const UnitDefinition before = u;
        GetUnitDefinition(u, id);
        EXPECT_EQ(u.m_iType, id);
        EXPECT_EQ(u.m_iSide, id >= 1000 ? 1 : 0);
        EXPECT_EQ(u.m_bFlag, 1);
        for (int zero : {u.m_iSize, u.m_iHeartDecrease, u.m_iUpgradeLevel, u.m_iConcealment}) EXPECT_EQ(zero, 0);
        EXPECT_EQ(u.m_iMaxHp, before.m_iMaxHp);
        EXPECT_EQ(u.m_iWeapon, before.m_iWeapon);
    }
    // The animation lengths are the robot loader's; the lookup leaves them.
    UnitDefinition u{};
    u.m_aiUnitWork[2] = 41;
    GetUnitDefinition(u, 3);
    EXPECT_EQ(u.m_aiUnitWork[2], 41);
}

TEST_F(UnitDefinitionTest, MachinesToughenInLaterEpisodeBattles) {
    EXPECT_EQ(Unit(1000).m_iMaxHp, 100);  // on the stage map
    struct Row {
        int stage, id, hp;
    };
    for (Row r : {Row{1, 1000, 100}, Row{60, 1000, 150}, Row{60, 1002, 375}, Row{60, 1015, 690}, Row{60, 1029, 2875},
                  Row{60, 1028, 13799}, Row{120, 1000, 187}, Row{120, 1002, 468}, Row{120, 1015, 862},
                  Row{120, 1029, 3593}, Row{120, 1028, 17248},
                  // The smallest and the largest keep theirs.
                  Row{120, 1026, 10}, Row{120, 1032, 1}, Row{120, 1031, 40000},
                  // Mini-games count by the episode they sit in: 161 to 170 are episode 2.
                  Row{165, 1000, 150}, Row{160, 1000, 100},
                  // Robots never change.
                  Row{120, 3, 400}}) {
        m_link.Battle(r.stage);
        EXPECT_EQ(Unit(r.id).m_iMaxHp, r.hp) << r.id << " in stage " << r.stage;
    }
}

TEST_F(UnitDefinitionTest, PendingSwitchToTheBattleAlreadyCounts) {
    m_link.SwitchingToBattle(120);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 187);
    m_link.link.m_iPendingPage = 1;  // a switch to the menu does not
    EXPECT_EQ(Unit(1000).m_iMaxHp, 100);
}

TEST_F(UnitDefinitionTest, UpgradeResults) {
    const struct {
        int id;
        int hp, interval, recharge, cost, terrain;
    } cases[] = {
        {0, 60, 1000, 195, 10, 2},  // 300 * 0.65f rounds to 195 in single precision
        {3, 540, 1000, 500, 30, 2},
        {4, 40, 70, 375, 20, 1},
        {6, 1, 50, 1000, 10, 5},
        {11, 1, 100, 200, 15, 1},
        {18, 100, 75, 1000, 50, 2},
        {22, 70, 140, 1500, 40, 2},
        {23, 1, 50, 200, 5, 3},
        {34, 70, 650, 1000, 35, 2},
        {35, 70, 1000, 487, 20, 2},
        {37, 1, 20, 1949, 125, 5},
        // No effect of their own.
        {1, 100, 100, 500, 20, 2},
        {39, 1, 50, 0, 0, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "robot " << c.id);
        for (int level : {1, 3}) {
            Upgrade(c.id, level);
            UnitDefinition u = Unit(c.id);
            EXPECT_EQ(u.m_iUpgradeLevel, level);
            EXPECT_EQ(u.m_iMaxHp, c.hp);
            EXPECT_EQ(u.m_iActionInterval, c.interval);
            EXPECT_EQ(u.m_iRechargeTime, c.recharge);
            EXPECT_EQ(u.m_iEnergyCost, c.cost);
            EXPECT_EQ(u.m_iTerrain, c.terrain);
        }
        Upgrade(c.id, 0);
    }
    // One robot's level does not leak into another's, and Machines never read the profile.
    Upgrade(0, 1);
    EXPECT_EQ(Unit(35).m_iRechargeTime, 750);
    EXPECT_EQ(Unit(35).m_iUpgradeLevel, 0);
    EXPECT_EQ(Unit(1000).m_iUpgradeLevel, 0);
}
