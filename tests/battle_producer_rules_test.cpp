// More of the battle's finer unit rules, each row named after the rule it
// pins: the producers' rolls and the Energy Booster, the melee rule's cell
// ahead, the snowball's height, the mini-games' starting charge and their
// open-ended overtime. Played on real stage runs from a seed.
#include "tests/UnitRulesTest.h"

namespace {

// ---- Producers ----

// A producer rolls 0-99: below L + 1 it makes the large item, below 4L + 51
// the middle one, else the small one (the Mama Factory: below int(L / 2 + 1),
// below 3L + 10 + that); the small energy is the middle one in the first 3000
// frames. Papa Fusor and Mama Factory make the next size up, the factories
// metal parts.
TEST_F(UnitRulesTest, AProducersRollPicksItsItemByItsAdvanceLevel) {
    CPageGame& page = Playing(12, {0});
    const struct Row {
        const char* rule;
        int type, level, roll;
        bool early;  // within the stage's first 3000 frames
        int kind;
    } rows[] = {
        {"Fusor: 0 makes the large", RobotId::FusorBot, 0, 0, false, 2},
        {"Fusor: 1 the middle", RobotId::FusorBot, 0, 1, false, 1},
        {"Fusor: 50 still the middle", RobotId::FusorBot, 0, 50, false, 1},
        {"Fusor: 51 the small", RobotId::FusorBot, 0, 51, false, 0},
        {"Fusor: 51 early the middle", RobotId::FusorBot, 0, 51, true, 1},
        {"Fusor level 2: 2 the large", RobotId::FusorBot, 2, 2, false, 2},
        {"Fusor level 2: 3 the middle", RobotId::FusorBot, 2, 3, false, 1},
        {"Fusor level 2: 58 the middle", RobotId::FusorBot, 2, 58, false, 1},
        {"Fusor level 2: 59 the small", RobotId::FusorBot, 2, 59, false, 0},
        {"Papa Fusor: 51 one size up", RobotId::PapaFusor, 0, 51, false, 1},
        {"Factory: 51 the small parts", 34, 0, 51, false, 4},
        {"Mama Factory level 2: 1 the large", RobotId::MamaFactory, 2, 1, false, 7},
        {"Mama Factory level 2: 2 the middle", RobotId::MamaFactory, 2, 2, false, 6},
        {"Mama Factory level 2: 17 the middle", RobotId::MamaFactory, 2, 17, false, 6},
        {"Mama Factory level 2: 18 the small", RobotId::MamaFactory, 2, 18, false, 5},
    };
    const SaveProfile saved = g_CurrentProfile;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstItems.clear();
        g_CurrentProfile.m_iAdvanceFusion = g_CurrentProfile.m_iAdvanceProduction = row.level;
        RuleState(page.m_Battle).m_iTimeLeft = RuleState(page.m_Battle).m_iStageFrames - (row.early ? 2999 : 3000);
        CCom_GameRobot& producer = Stand(row.type, -200.0f, 0.0f);
        uint32_t seed = 1;  // the first draw after it gives the roll
        while ((((seed * 214013u + 2531011u) >> 16) & 0x7FFF) % 100 != uint32_t(row.roll)) ++seed;
        VxSrand(seed);
        producer.ProduceItems(page.m_Battle);
        ASSERT_EQ(page.m_Battle.State().m_lstItems.size(), 1u);
        EXPECT_EQ(page.m_Battle.State().m_lstItems.back().m_iItemKind, row.kind);
    }
    g_CurrentProfile = saved;
}

// The Energy Booster speeds a Fusor Bot up: at level 0 its interval is
// 0.8 of its card's, at level 1 0.9, beyond that as the card has it.
TEST_F(UnitRulesTest, TheEnergyBoosterSetsAFusorBotsInterval) {
    CPageGame& page = Playing(12, {0});
    const int card = page.m_Battle.State().m_aHandDefs[0].m_iActionInterval;
    ASSERT_GT(card, 0);
    const struct Row {
        int booster;
        double factor;
    } rows[] = {{0, 0.8}, {1, 0.9}, {2, 1.0}};
    const int saved = g_CurrentProfile.m_iEnergyBooster;
    for (const Row& row : rows) {
        RuleState(page.m_Battle).m_lstRobots.clear();
        g_CurrentProfile.m_iEnergyBooster = row.booster;
        const CCom_GameRobot& fusor = Build(0, CellWhere(false));
        EXPECT_EQ(fusor.m_Unit.m_iActionInterval, int(card * row.factor)) << "booster " << row.booster;
    }
    g_CurrentProfile.m_iEnergyBooster = saved;
}

// ---- Melee, snowball ----

TEST_F(UnitRulesTest, AGroundMachinesBlowReadsTheCellAheadByItsStageKind) {
    CPageGame& page = Playing(12, {1});
    const int column = 4, row = 2;
    const int ahead = (column + 1) * FIELD_ROWS + row;
    const struct Row {
        const char* rule;
        int stageKind, currentKind;
        bool robotAhead;
        bool strikes;
    } rows[] = {
        {"ground ahead: strikes", CELL_GROUND, CELL_GROUND, false, true},
        {"water made ground by a platform does not carry the blow", CELL_WATER_SURFACE, CELL_GROUND, false, false},
        {"ground whose current kind changed still carries it", CELL_GROUND, CELL_WATER_SURFACE, false, true},
        {"off ground: only a robot standing ahead", CELL_WATER_SURFACE, CELL_WATER_SURFACE, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        FieldCell& cell = RuleState(page.m_Battle).m_aFieldCells[ahead];
        cell.m_iStageKind = r.stageKind;
        cell.m_iKind = r.currentKind;
        const FieldCell& own = page.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
        CCom_GameRobot& smasher = Stand(1021, own.m_fX, own.m_fY);
        smasher.m_iActionTimer = smasher.m_Unit.m_iActionInterval - 1;
        const int smasherSerial = smasher.m_iSerial;
        // Within reach but judged two cells on (its cell last settled there).
        CCom_GameRobot& target = Stand(1, own.m_fX + 60.0f, own.m_fY);
        target.m_vCell = VxVec3{float(column + 2), float(row), 0.0f};
        const int targetSerial = target.m_iSerial;
        if (r.robotAhead) Stand(3, cell.m_fX, cell.m_fY);
        CCom_GameRobot& m = *FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, smasherSerial);
        ScanFrameFor(m);
        m.UpdateAttack(page.m_Battle);
        EXPECT_EQ(m.m_iTargetSerial == targetSerial, r.strikes);
    }
}

TEST(SnowballHeight, ShrinksByHalfMinusItsHitsLeftShareTimesPointFour) {
    const struct Row {
        const char* rule;
        int hitsLeft, hits;
        float height;
    } rows[] = {
        {"fresh: 0.1 of its height gone", 10, 10, 0.9f},
        {"half spent", 5, 10, 0.7f},
        {"spent: half gone", 0, 10, 0.5f},
        {"a weapon of no hits counts as spent", 3, 0, 0.5f},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(CCom_GameBullet::SnowballHeight(r.hitsLeft, r.hits), r.height, 1e-5f) << r.rule;
}

// ---- Mini-game charge and overtime ----

TEST_F(UnitRulesTest, OnlyTheSlotMachineGamesDealChargedCards) {
    const struct Row {
        const char* rule;
        int stage;
        bool charged;
    } rows[] = {
        {"172 (energy goal) starts uncharged", 172, false},  {"175 starts uncharged", 175, false},
        {"177 (paratroopers) starts uncharged", 177, false}, {"159 (slot machine) starts charged", 159, true},
        {"176 (slot machine) starts charged", 176, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.rule);
        Begin(r.stage, 1, 5);
        // The first frame the hand is dealt and the loader is done.
        for (int i = 0; i < 20000 && (run->State() < BATTLE_LOADING || g_bLoaderRunning); ++i) run->Step();
        const CPageGame& page = run->Battle();
        int dealt = 0, full = 0;
        for (int s = 0; s < page.m_Battle.State().m_nHandSlots && s < DECK_SLOTS; ++s) {
            if (page.m_Battle.State().m_aHand[s].m_iCard < 0) continue;
            ++dealt;
            full += page.m_Battle.State().m_aHand[s].m_iCharge >= page.m_Battle.State().m_aHandDefs[s].m_iRechargeTime;
        }
        ASSERT_GT(dealt, 0);
        EXPECT_EQ(full, r.charged ? dealt : 0);
        run.reset();
    }
}

TEST_F(UnitRulesTest, AMiniGameWonByBeatingTheMachinesWaitsInOvertimeForTheLastOne) {
    CPageGame& page = Playing(153, {1});
    // One Machine stands off the field where nothing reaches it.
    CCom_GameRobot& last = Stand(1021, -600.0f, page.m_Battle.State().m_aFieldCells[2].m_fY);
    last.m_Unit.m_fSpeed = 0.0f;
    Stand(3, page.m_Battle.State().m_aFieldCells[8 * FIELD_ROWS + 2].m_fX,
          page.m_Battle.State().m_aFieldCells[8 * FIELD_ROWS + 2].m_fY);
    RuleState(page.m_Battle).m_iTimeLeft = 0;
    const int life = page.m_Battle.State().m_iLife;
    for (int i = 0; i < 5000 && run->State() == BATTLE_PLAYING; ++i) run->Step();
    EXPECT_EQ(run->State(), BATTLE_PLAYING);
    EXPECT_EQ(page.m_Battle.State().m_iLife, life);
    EXPECT_GE(page.m_Battle.State().m_iOvertimeFrames, 5000);
}

}  // namespace
