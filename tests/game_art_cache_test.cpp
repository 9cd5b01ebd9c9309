// The robot and Machine art caches over the generated pack: scores, eviction,
// reloads after upgrades and what the battle page borrows.
#include <initializer_list>

#include "tests/Harness.h"

namespace {

class ArtCacheTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Start();
    }

    void Hand(std::initializer_list<int> cards) {
        HandSlot hand[HAND_SLOT_COUNT];
        int i = 0;
        for (int c : cards) hand[i++].m_iCard = c;
        m_App->LoadPlayerRobotResources(hand, BattlePage().m_aHandArt);
    }
    int SlotOf(int id) const {
        for (int s = 0; s < ROBOT_CACHE_SLOTS; ++s)
            if (m_App->m_aRobotCache[s].m_iId == id) return s;
        return -1;
    }
    int Score(int id) const { return m_App->m_aiRobotScore[id]; }
};

TEST_F(ArtCacheTest, ElevenRobotsFillEverySlotAndLendTheirArt) {
    Hand({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    for (int id = 0; id <= 10; ++id) {
        EXPECT_EQ(SlotOf(id), id);
        EXPECT_EQ(Score(id), 3) << id;
    }
    const RobotArt& art = m_App->m_aRobotCache[1].m_Art;
    const RobotArt& lent = BattlePage().m_aHandArt[1];
    EXPECT_EQ(lent.m_Unit.m_iType, 1);
    EXPECT_EQ(lent.m_apAct[0][0], art.m_apAct[0][0]) << "the page borrows the cached pictures";
    EXPECT_NE(lent.m_apAct[0][0], nullptr);
    EXPECT_EQ(m_Host.boxes.Count(), 0u) << "missing sounds and pictures are skipped silently";
}

TEST_F(ArtCacheTest, ATwelfthRobotEvictsTheLowestScoredOneNotInTheHand) {
    Hand({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    Hand({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 20});
    EXPECT_EQ(SlotOf(10), -1);
    EXPECT_EQ(SlotOf(20), 10);
    EXPECT_EQ(Score(10), 2);
    EXPECT_EQ(Score(0), 4);
    EXPECT_EQ(Score(20), 3);

    // Not in the next hand: 8 and 9 (score 4 - 1 = 3) and 20 (3 - 1 = 2).
    Hand({0, 1, 2, 3, 4, 5, 6, 7, 21, 22, 23});
    EXPECT_EQ(SlotOf(21), 10) << "20 had the lowest score";
    EXPECT_EQ(SlotOf(22), 8) << "on equal scores the first slot goes";
    EXPECT_EQ(SlotOf(23), 9);
    EXPECT_EQ(Score(0), 5);
    EXPECT_EQ(Score(20), 2);

    // Scores never leave 0..5.
    for (int round = 0; round < 4; ++round) Hand({0, 1, 2, 3, 4, 5, 6, 7, 21, 22, 23});
    EXPECT_EQ(Score(0), 5);
    EXPECT_EQ(Score(10), 0);
}

TEST_F(ArtCacheTest, WithNoSlotToEvictTheCardKeepsItsRecordButNoArt) {
    Hand({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    EXPECT_EQ(SlotOf(11), -1);
    const RobotArt& lent = BattlePage().m_aHandArt[11];
    EXPECT_EQ(lent.m_Unit.m_iType, 11);
    EXPECT_EQ(lent.m_apAct[0][0], nullptr);
    EXPECT_EQ(lent.m_pWeapon, nullptr);
    for (int id = 0; id <= 10; ++id) EXPECT_EQ(SlotOf(id), id) << "nothing in the hand is thrown out";
}

TEST_F(ArtCacheTest, AnUpgradeSinceLoadingReloadsTheArt) {
    g_CurrentProfile.m_aRobotUpgrade[6].m_iLevel = 0;
    Hand({6});
    EXPECT_EQ(m_App->m_aRobotCache[0].m_Art.m_Unit.m_iUpgradeLevel, 0);

    g_CurrentProfile.m_aRobotUpgrade[6].m_iLevel = 1;
    Hand({6});
    EXPECT_EQ(SlotOf(6), 0);
    EXPECT_EQ(m_App->m_aRobotCache[0].m_Art.m_Unit.m_iUpgradeLevel, 1);
    EXPECT_EQ(Score(6), 3) << "a reload scores like a new load";

    m_App->ReleaseRobotResources(0);
    EXPECT_EQ(m_App->m_aRobotCache[0].m_iId, -1);
}

TEST_F(ArtCacheTest, NewFlagsClearOnlyForOrdinaryStages) {
    g_CurrentProfile.m_abRobotNew[3] = 1;
    g_CurrentProfile.m_abRobotNew[4] = 1;
    m_App->m_iCurrentStage = 151;
    Hand({3});
    EXPECT_EQ(g_CurrentProfile.m_abRobotNew[3], 1);
    m_App->m_iCurrentStage = 150;
    Hand({3});
    EXPECT_EQ(g_CurrentProfile.m_abRobotNew[3], 0);
    EXPECT_EQ(g_CurrentProfile.m_abRobotNew[4], 1) << "only robots in the hand";
}

TEST_F(ArtCacheTest, MachinesAreCachedAndKeepTheirActLengthsWhenRefilled) {
    UnitDefinition records[ENEMY_RECORD_COUNT] = {};
    for (int i = 0; i < ENEMY_RECORD_COUNT; ++i) records[i].m_iType = i < 3 ? 1000 + i : 0;
    m_App->LoadEnemyRobotResources(records, BattlePage().m_aEnemyArt);
    EXPECT_EQ(m_App->m_aEnemyCache[0].m_iId, 1000);
    EXPECT_EQ(m_App->m_aEnemyCache[2].m_iId, 1002);
    EXPECT_EQ(m_App->m_aEnemyCache[3].m_iId, -1);
    EXPECT_EQ(m_App->m_aiEnemyScore[0], 3);
    const RobotArt& art = m_App->m_aEnemyCache[1].m_Art;
    EXPECT_EQ(art.m_Unit.m_aiUnitWork[2], 210);  // six dying pictures and 180 frames
    CVxBillboard* frame = art.m_apAct[0][0];

    m_App->LoadEnemyRobotResources(records, BattlePage().m_aEnemyArt);
    EXPECT_EQ(art.m_apAct[0][0], frame) << "nothing is loaded twice";
    EXPECT_EQ(art.m_Unit.m_aiUnitWork[2], 210);
    EXPECT_EQ(art.m_Unit.m_iType, 1001);
    EXPECT_EQ(m_App->m_aiEnemyScore[1], 4);
    EXPECT_EQ(BattlePage().m_aEnemyArt[1].m_apAct[0][0], frame);
    for (CVxSound* s : art.m_apSound) {
        if (s) {
            EXPECT_EQ(s->m_iLevel, -3500);
        }
    }
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
}

TEST_F(ArtCacheTest, TheArtGoesOnlyToTheRecordsTheCallerGives) {
    HandSlot hand[HAND_SLOT_COUNT];
    hand[2].m_iCard = 5;
    UnitDefinition machines[ENEMY_RECORD_COUNT] = {};
    machines[3].m_iType = 1004;
    const RobotArt pageHand = BattlePage().m_aHandArt[2], pageEnemy = BattlePage().m_aEnemyArt[3];
    const struct { bool own; } rows[] = {{true}, {false}};
    for (const auto& r : rows) {
        RobotArt handArt[HAND_SLOT_COUNT] = {}, enemyArt[ENEMY_RECORD_COUNT] = {};
        m_App->LoadPlayerRobotResources(hand, r.own ? handArt : nullptr);
        m_App->LoadEnemyRobotResources(machines, r.own ? enemyArt : nullptr);
        EXPECT_NE(SlotOf(5), -1) << "the cache loads either way";
        EXPECT_EQ(m_App->m_aEnemyCache[0].m_iId, 1004);
        EXPECT_EQ(handArt[2].m_apAct[0][0] != nullptr, r.own);
        EXPECT_EQ(handArt[2].m_Unit.m_iType, r.own ? 5 : 0);
        EXPECT_EQ(enemyArt[3].m_apAct[0][0] != nullptr, r.own);
        EXPECT_EQ(enemyArt[3].m_Unit.m_iType, r.own ? 1004 : 0);
        EXPECT_EQ(handArt[1].m_Unit.m_iType, 0) << "slots without a card stay as they were";
        EXPECT_EQ(BattlePage().m_aHandArt[2].m_apAct[0][0], pageHand.m_apAct[0][0]) << "the page is not written";
        EXPECT_EQ(BattlePage().m_aEnemyArt[3].m_apAct[0][0], pageEnemy.m_apAct[0][0]);
    }
}

TEST_F(ArtCacheTest, EveryRobotAndMachineFindsItsArtInThePack) {
    for (int first = 0; first < ROBOT_TYPES; first += ROBOT_CACHE_SLOTS) {
        HandSlot hand[HAND_SLOT_COUNT];
        for (int i = 0; i < ROBOT_CACHE_SLOTS && first + i < ROBOT_TYPES; ++i) hand[i].m_iCard = first + i;
        m_App->LoadPlayerRobotResources(hand, BattlePage().m_aHandArt);
        for (int i = 0; i < ROBOT_CACHE_SLOTS && first + i < ROBOT_TYPES; ++i) {
            const RobotArt& art = BattlePage().m_aHandArt[i];
            EXPECT_NE(art.m_apAct[0][0], nullptr) << first + i;
            EXPECT_EQ(art.m_pWeapon != nullptr, art.m_Unit.m_iWeapon != WeaponId::None) << first + i;
            EXPECT_NE(art.m_apSound[0], nullptr) << first + i;
        }
    }
    for (int first = FIRST_MACHINE_TYPE; first <= LAST_MACHINE_TYPE; first += ENEMY_RECORD_COUNT) {
        UnitDefinition records[ENEMY_RECORD_COUNT] = {};
        for (int i = 0; i < ENEMY_RECORD_COUNT && first + i <= LAST_MACHINE_TYPE; ++i) records[i].m_iType = first + i;
        m_App->LoadEnemyRobotResources(records, BattlePage().m_aEnemyArt);
        for (int i = 0; i < ENEMY_RECORD_COUNT && first + i <= LAST_MACHINE_TYPE; ++i) {
            EXPECT_NE(BattlePage().m_aEnemyArt[i].m_apAct[0][0], nullptr) << first + i;
            EXPECT_NE(BattlePage().m_aEnemyArt[i].m_apSound[0], nullptr) << first + i;
        }
    }
    for (const auto& box : m_Host.boxes.Boxes()) ADD_FAILURE() << box.caption << ": " << box.text;
}

}  // namespace
