// Seeded stages won by a fixed deck: the battle's own card records are placed
// on the field as a player's placement would place them (the hand's unit
// record, its art slot, Place at the cell), and the Machines then fight them.
#include <cinttypes>
#include <cstdio>

#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "tests/StageRunSupport.h"

namespace {

// One robot per terrain: ground Gunner and Blocker, air Copter, water-surface
// Mariner, underwater Diver.
const std::vector<int> kDeck = {1, 3, 4, 21, 15};

// Places the hand's card robot at a cell, as the placement operation does.
CCom_GameRobot* PlaceCard(CPageGame& page, int robot, int column, int row) {
    const int slot = page.FindHandCard(robot);
    if (slot < 0) return nullptr;
    const FieldCell& cell = page.m_aFieldCells[column * FIELD_ROWS + row];
    CCom_GameRobot temp;
    temp.m_Unit = page.m_aHandDefs[slot];
    temp.m_iUnitSlot = slot;
    temp.Place(cell.m_fX, cell.m_fY, cell.m_fZ);
    page.m_lstRobots.push_back(temp);
    return &page.m_lstRobots.back();
}

// The defence: the eight right columns, each free cell with the card of its
// kind (Blockers in front of the Gunners on ground). The player refills the
// cells the Machines empty every few seconds.
int PlaceDefence(CPageGame& page) {
    int placed = 0;
    for (int column = 2; column < FIELD_COLUMNS; ++column)
        for (int row = 0; row < FIELD_ROWS; ++row) {
            int robot = -1;
            switch (page.m_aFieldCells[column * FIELD_ROWS + row].m_iKind) {
            case CELL_GROUND: robot = column == 2 ? 3 : 1; break;
            case CELL_AIR: robot = 4; break;
            case CELL_WATER_SURFACE: robot = 21; break;
            case CELL_UNDERWATER: robot = 15; break;
            default: break;
            }
            bool taken = false;
            for (const CCom_GameRobot& r : page.m_lstRobots)
                taken = taken || (!r.IsMachine() && r.m_iHp > 0 && int(r.m_vCell.x) == column && int(r.m_vCell.y) == row);
            if (robot >= 0 && !taken && PlaceCard(page, robot, column, row)) ++placed;
        }
    return placed;
}

struct WinCase {
    int stage;
    int difficulty;
    bool fights;  // stage 1's tutorial holds its Machines back until it is clicked on
};

const WinCase kWins[] = {{1, 0, false}, {1, 2, false}, {10, 0, true}, {10, 2, true},  {25, 0, true},  {25, 2, true},
                         {50, 0, true}, {50, 2, true}, {99, 0, true}, {99, 2, true}, {150, 0, true}, {150, 2, true}};

class DefendedStage : public StageRunTest, public ::testing::WithParamInterface<WinCase> {};

TEST_P(DefendedStage, AFixedDeckWinsWithItsGoldenChecksumAndKills) {
    const WinCase c = GetParam();
    Begin(c.stage, c.difficulty, 4321, kDeck);
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 20000));
    CPageGame& page = run->Battle();
    ASSERT_GT(PlaceDefence(page), 10);
    for (int frame = 1; run->State() == BATTLE_PLAYING && frame < 60000; ++frame) {
        run->Step();
        if (frame % 180 == 0) PlaceDefence(page);
    }
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.outcome, "won");
    EXPECT_EQ(r.notFound, 0);
    if (c.fights) {
        EXPECT_GT(r.kills, 0);
        EXPECT_GT(page.m_aiStageStats[0], 0) << "shots fired";
    }
    char value[96];
    std::snprintf(value, sizeof value, "%d:%d:%016" PRIx64, r.frame, r.kills, r.checksum);
    golden::ExpectStageValue("defended" + std::to_string(c.stage) + "_d" + std::to_string(c.difficulty), value);
}

INSTANTIATE_TEST_SUITE_P(FixedDeck, DefendedStage, ::testing::ValuesIn(kWins),
                         [](const ::testing::TestParamInfo<WinCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + "Difficulty" +
                                    std::to_string(info.param.difficulty);
                         });

}  // namespace
