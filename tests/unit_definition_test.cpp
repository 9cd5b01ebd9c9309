#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ContentReferenceRows.h"
#include "ContentTestSupport.h"
#include "content/UnitDefinition.h"
#include "game/SaveProfile.h"

using namespace content_test;

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

    ScopedLink m_link;
    SaveProfile m_saved;
};

std::string Unquote(const std::string& s) { return s.size() >= 2 ? s.substr(1, s.size() - 2) : s; }

}  // namespace

TEST_F(UnitDefinitionTest, EveryRowMatchesTheReferenceTable) {
    int robots = 0, machines = 0;
    for (const auto& r : TableRows(kUnitRows)) {
        const int id = std::stoi(r[0]);
        SCOPED_TRACE("unit " + r[0]);
        UnitDefinition u = Unit(id);
        ASSERT_NE(GetUnitName(id), nullptr);
        EXPECT_EQ(std::string(GetUnitName(id)), Unquote(r[1]));
        EXPECT_EQ(u.m_iType, id);
        EXPECT_EQ(u.m_iTerrain, int(Num(r[2])));
        EXPECT_EQ(u.m_iRole, int(Num(r[3])));
        EXPECT_EQ(u.m_iMaxHp, int(Num(r[4])));
        EXPECT_EQ(u.m_iActionInterval, int(Num(r[5])));
        EXPECT_EQ(u.m_iUpgradeLevel, 0);
        if (id < 1000) {
            ++robots;
            EXPECT_EQ(u.m_iSide, 0);
            EXPECT_EQ(u.m_iRechargeTime, int(Num(r[6])));
            EXPECT_EQ(u.m_iEnergyCost, int(Num(r[7])));
            EXPECT_EQ(u.m_iWeapon, int(Num(r[8])));
            EXPECT_EQ(u.m_fSpeed, 0.0f);
            EXPECT_EQ(u.m_iMoveMode, 0);
            EXPECT_EQ(u.m_iSize, 0);
            EXPECT_EQ(u.m_iHeartDecrease, 0);
            EXPECT_EQ(u.m_iConcealment, 0);
            EXPECT_EQ(u.m_bFlag, r[9] == "(flag 0)" ? 0 : 1);
        } else {
            ++machines;
            EXPECT_EQ(u.m_iSide, 1);
            EXPECT_EQ(u.m_fSpeed, float(Num(r[6])));
            EXPECT_EQ(u.m_iMoveMode, int(Num(r[7])));
            EXPECT_EQ(u.m_iWeapon, int(Num(r[8])));
            EXPECT_EQ(u.m_iSize, int(Num(r[9])));
            EXPECT_EQ(u.m_iHeartDecrease, int(Num(r[10])));
            const std::string other = r[11];
            EXPECT_EQ(u.m_iConcealment, other.empty() ? 0 : std::stoi(other.substr(other.find(' ') + 1)));
            EXPECT_EQ(u.m_iRechargeTime, 0);
            EXPECT_EQ(u.m_iEnergyCost, 0);
            EXPECT_EQ(u.m_bFlag, 1);
        }
    }
    EXPECT_EQ(robots, 40);
    EXPECT_EQ(machines, 33);
}

TEST_F(UnitDefinitionTest, NamesOutsideTheTablesAreNull) {
    EXPECT_EQ(GetUnitName(40), nullptr);
    EXPECT_EQ(GetUnitName(999), nullptr);
    EXPECT_EQ(GetUnitName(1033), nullptr);
    EXPECT_EQ(GetUnitName(-1), nullptr);
    EXPECT_STREQ(GetUnitName(0), "Fusor Bot");
    EXPECT_STREQ(GetUnitName(1032), "Rocket");
}

TEST_F(UnitDefinitionTest, UnknownIdsKeepTheCallersFields) {
    for (int id : {-7, 40, 999, 1033, 5000}) {
        UnitDefinition u;
        std::memset(&u, 0x33, sizeof u);
        const UnitDefinition before = u;
        GetUnitDefinition(u, id);
        EXPECT_EQ(u.m_iType, id);
        EXPECT_EQ(u.m_iSide, id >= 1000 ? 1 : 0);
        EXPECT_EQ(u.m_iConcealment, 0);
        EXPECT_EQ(u.m_bFlag, 1);
        EXPECT_EQ(u.m_iSize, 0);
        EXPECT_EQ(u.m_iHeartDecrease, 0);
        EXPECT_EQ(u.m_iUpgradeLevel, 0);
        EXPECT_EQ(u.m_iMaxHp, before.m_iMaxHp);
        EXPECT_EQ(u.m_iTerrain, before.m_iTerrain);
        EXPECT_EQ(u.m_iWeapon, before.m_iWeapon);
        EXPECT_EQ(u.m_iRechargeTime, before.m_iRechargeTime);
        EXPECT_EQ(std::memcmp(u.m_aiUnitWork, before.m_aiUnitWork, sizeof u.m_aiUnitWork), 0);
    }
    // The animation lengths are the robot loader's; the lookup leaves them.
    UnitDefinition u{};
    u.m_aiUnitWork[2] = 41;
    GetUnitDefinition(u, 3);
    EXPECT_EQ(u.m_aiUnitWork[2], 41);
}

TEST_F(UnitDefinitionTest, MachinesToughenInLaterEpisodeBattles) {
    EXPECT_EQ(Unit(1000).m_iMaxHp, 100);  // on the stage map
    m_link.Battle(1);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 100);  // episode 1
    m_link.Battle(60);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 150);
    EXPECT_EQ(Unit(1002).m_iMaxHp, 375);
    EXPECT_EQ(Unit(1015).m_iMaxHp, 690);
    EXPECT_EQ(Unit(1029).m_iMaxHp, 2875);
    EXPECT_EQ(Unit(1028).m_iMaxHp, 13799);
    m_link.Battle(120);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 187);
    EXPECT_EQ(Unit(1002).m_iMaxHp, 468);
    EXPECT_EQ(Unit(1015).m_iMaxHp, 862);
    EXPECT_EQ(Unit(1029).m_iMaxHp, 3593);
    EXPECT_EQ(Unit(1028).m_iMaxHp, 17248);
    // The smallest and the largest keep theirs.
    EXPECT_EQ(Unit(1026).m_iMaxHp, 10);
    EXPECT_EQ(Unit(1032).m_iMaxHp, 1);
    EXPECT_EQ(Unit(1031).m_iMaxHp, 40000);
    // Mini-games count by the episode they sit in: 161 to 170 are episode 2.
    m_link.Battle(165);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 150);
    m_link.Battle(160);
    EXPECT_EQ(Unit(1000).m_iMaxHp, 100);
    // Robots never change.
    m_link.Battle(120);
    EXPECT_EQ(Unit(3).m_iMaxHp, 400);
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
        {0, 60, 1000, 195, 10, 2},      // 300 * 0.65f rounds to 195 in single precision
        {3, 540, 1000, 500, 30, 2},
        {4, 40, 70, 375, 20, 1},
        {6, 1, 50, 1000, 10, 5},
        {9, 810, 30, 1000, 55, 2},
        {11, 1, 100, 200, 15, 1},
        {17, 1, 100, 200, 10, 4},
        {18, 100, 75, 1000, 50, 2},
        {21, 60, 55, 375, 20, 3},
        {22, 70, 140, 1500, 40, 2},
        {23, 1, 50, 200, 5, 3},
        {27, 540, 50, 2000, 30, 5},
        {29, 1, 50, 650, 25, 5},
        {31, 1, 50, 100, 5, 5},
        {34, 70, 650, 1000, 35, 2},
        {35, 70, 1000, 487, 20, 2},
        {36, 70, 650, 3500, 75, 2},
        {37, 1, 20, 1949, 125, 5},
        {38, 1, 20, 2925, 195, 5},
        // No effect of their own.
        {1, 100, 100, 500, 20, 2},
        {30, 100, 350, 2000, 75, 2},
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
}

TEST_F(UnitDefinitionTest, LevelZeroKeepsTheTableValues) {
    UnitDefinition u = Unit(0);
    EXPECT_EQ(u.m_iRechargeTime, 300);
    EXPECT_EQ(u.m_iUpgradeLevel, 0);
    Upgrade(0, 1);
    // Other robots' levels do not leak into this one.
    EXPECT_EQ(Unit(35).m_iRechargeTime, 750);
    // Machines never read the profile.
    EXPECT_EQ(Unit(1000).m_iUpgradeLevel, 0);
}
