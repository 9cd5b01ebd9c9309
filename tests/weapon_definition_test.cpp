#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/FieldGrid.h"
#include "content/WeaponDefinition.h"

namespace {

WeaponDefinition Weapon(int id) {
    WeaponDefinition w{};
    GetWeaponDefinition(w, WeaponId(id));
    return w;
}

int CountReach(int id) {
    WeaponReachMask mask;
    std::memset(mask, 0x7F, sizeof mask);
    GetWeaponReachMask(WeaponId(id), mask);
    int n = 0;
    for (auto& row : mask)
        for (int v : row) {
            EXPECT_TRUE(v == 0 || v == 2) << "weapon " << id;
            n += v == 2;
        }
    return n;
}

}  // namespace

TEST(WeaponDefinition, TablesKeepTheirCheckedValues) {
    harness::ScopedLink link;
    link.Menu(100);
    EXPECT_EQ(harness::WeaponTableFingerprint(), 0xedd5981087fb648cull);
}

TEST(WeaponDefinition, UnknownIdsTouchOnlyIdAreaAndMarker) {
    for (int id : {-1, 31, 999, 1016, 1018, 5000}) {
        WeaponDefinition w;
        std::memset(&w, 0x5A, sizeof w);
        WeaponDefinition before = w;
        GetWeaponDefinition(w, WeaponId(id));
        EXPECT_EQ(int(w.m_iId), id);
        EXPECT_EQ(w.m_fAreaWidth, 0.0f);
        EXPECT_EQ(w.m_fAreaHeight, 0.0f);
        EXPECT_EQ(w.m_fAreaDepth, 0.0f);
        EXPECT_EQ(w.m_bMarker, 0);
        EXPECT_EQ(w.m_iDamage, before.m_iDamage);
        EXPECT_EQ(w.m_iRange, before.m_iRange);
        EXPECT_EQ(w.m_iSize, before.m_iSize);
        EXPECT_EQ(w.m_iLifetime, before.m_iLifetime);
    }
}

TEST(WeaponDefinition, MachineDamageGrowsInLaterEpisodeBattles) {
    harness::ScopedLink link;
    link.Battle(51);
    struct Row {
        int id, damage;
    };
    for (Row r : {Row{1000, 32}, Row{1010, 1300}, Row{1008, 3}, Row{1003, 22}})
        EXPECT_EQ(Weapon(r.id).m_iDamage, r.damage) << r.id;
    link.Battle(150);
    EXPECT_EQ(Weapon(1002).m_iDamage, 32);
    // Tinkerling weapons never change.
    EXPECT_EQ(Weapon(0).m_iDamage, 20);
    EXPECT_EQ(Weapon(22).m_iDamage, 1500);
}

TEST(WeaponDefinition, TableDamageHoldsOutsideLaterEpisodeBattles) {
    harness::ScopedLink link;
    for (int stage : {1, 50, 151, 170, 180}) {
        link.Battle(stage);
        EXPECT_EQ(Weapon(1000).m_iDamage, 25) << stage;
        EXPECT_EQ(Weapon(1008).m_iDamage, 2) << stage;
    }
    link.Menu(100);
    EXPECT_EQ(Weapon(1000).m_iDamage, 25);
    // A switch that has not reached the battle page yet does not count.
    link.SwitchingToBattle(100);
    EXPECT_EQ(Weapon(1000).m_iDamage, 25);
    EXPECT_EQ(Weapon(1010).m_iDamage, 1000);
}

TEST(WeaponReachMask, OnlyTheOwnCellOutsideThePatterns) {
    for (int id : {5, 28, 1000, -3}) EXPECT_EQ(CountReach(id), 1) << id;
    EXPECT_EQ(CountReach(13), REACH_ROWS * REACH_COLUMNS);
}

// The reach a carried card shows over the field: the Bubble Bot's goes
// straight up its own column, the Sniper Bot's down the diagonal ahead of it,
// and no cell else.
TEST(WeaponReachMask, TheBubbleReachesStraightUpAndTheSniperDownTheDiagonalAhead) {
    struct Cell {
        int ahead, below;  // columns toward the Machines, lanes down
    };
    const struct Row {
        const char* rule;
        int weapon;
        std::vector<Cell> cells;
    } rows[] = {
        {"the Bubble Bot: its own cell and the four lanes above", 10, {{0, 0}, {0, -1}, {0, -2}, {0, -3}, {0, -4}}},
        {"the Sniper Bot: its own cell and four steps down and ahead", 24, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        WeaponReachMask expected = {};
        for (const Cell& c : row.cells) expected[9 - c.ahead][4 + c.below] = 2;
        WeaponReachMask mask;
        std::memset(mask, 0x7F, sizeof mask);
        GetWeaponReachMask(WeaponId(row.weapon), mask);
        for (int r = 0; r < REACH_ROWS; ++r)
            for (int c = 0; c < REACH_COLUMNS; ++c)
                EXPECT_EQ(mask[r][c], expected[r][c]) << (9 - r) << " ahead, " << (c - 4) << " down";
    }
}

namespace {

FieldCell g_cells[FIELD_CELLS];

std::vector<int> Marked(const uint8_t* mask) {
    std::vector<int> out;
    for (int i = 0; i < FIELD_CELLS; ++i)
        if (mask[i]) out.push_back(i);
    return out;
}

void Build(int stage) {
    std::memset(g_cells, 0, sizeof g_cells);
    int row = 4;
    BuildFieldGrid(stage, g_cells, -1, &row);
}

}  // namespace

TEST(MarkDescentPath, FallsThroughAirAndStepsLeftOnGroundAndWater) {
    uint8_t mask[FIELD_CELLS];
    Build(160);  // all air: down to row 4 and off the field
    std::memset(mask, 9, sizeof mask);
    MarkDescentPath(g_cells, 3.0f, 0.0f, mask, false);
    EXPECT_EQ(Marked(mask), (std::vector<int>{15, 16, 17, 18, 19}));

    Build(1);  // ground along row 4: at column 0 the next step leaves the field
    MarkDescentPath(g_cells, 0.0f, 1.0f, mask, false);
    EXPECT_EQ(Marked(mask), (std::vector<int>{1, 2, 3, 4}));
    // Columns and rows are truncated; the left neighbour is marked too.
    MarkDescentPath(g_cells, 2.9f, 0.5f, mask, true);
    EXPECT_EQ(Marked(mask), (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));

    Build(157);  // water surface along row 4
    MarkDescentPath(g_cells, 5.0f, 2.0f, mask, false);
    EXPECT_EQ(Marked(mask), (std::vector<int>{4, 9, 14, 19, 24, 27, 28, 29}));
}

TEST(MarkDescentPath, StartsOffTheFieldMarkNothing) {
    Build(1);
    uint8_t mask[FIELD_CELLS];
    std::memset(mask, 1, sizeof mask);
    MarkDescentPath(g_cells, -1.0f, 0.0f, mask, true);
    EXPECT_TRUE(Marked(mask).empty());
    std::memset(mask, 1, sizeof mask);
    MarkDescentPath(g_cells, 3.0f, 5.0f, mask, true);
    EXPECT_TRUE(Marked(mask).empty());
    std::memset(mask, 1, sizeof mask);
    MarkDescentPath(g_cells, 12.0f, 0.0f, mask, true);
    EXPECT_TRUE(Marked(mask).empty());
}

TEST(MarkDescentPath, ReadsTheBattleFieldThroughTheLink) {
    harness::ScopedLink link;
    Build(160);
    link.link.m_pCells = g_cells;
    uint8_t mask[FIELD_CELLS];
    MarkDescentPath(9.0f, 2.0f, 0, mask, false);
    EXPECT_EQ(Marked(mask), (std::vector<int>{47, 48, 49}));
    link.link.m_pCells = nullptr;
    MarkDescentPath(9.0f, 2.0f, 0, mask, false);
    EXPECT_TRUE(Marked(mask).empty());
}
