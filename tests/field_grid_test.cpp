
#include <set>

#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"

using namespace harness;

namespace {

std::string Layout(int stage) {
    int kinds[FIELD_CELLS];
    for (int& k : kinds) k = 0;
    GetFieldCellKinds(kinds, stage);
    std::string out;
    for (int i = 0; i < FIELD_CELLS; ++i) {
        if (i && i % FIELD_COLUMNS == 0) out += '/';
        out += char('0' + kinds[i]);
    }
    return out;
}

struct Field {
    FieldCell cells[FIELD_CELLS];
    int groundRow = 4;
    FieldCell& At(int column, int row) { return cells[column * FIELD_ROWS + row]; }
};

Field Build(int stage, int definitionGroundRow = -1) {
    Field f;
    std::memset(f.cells, 0, sizeof f.cells);
    BuildFieldGrid(stage, f.cells, definitionGroundRow, &f.groundRow);
    return f;
}

Field BuildAsBattle(int stage) {
    StageDefinition def{};
    GetStageDefinition(stage, 1, def);
    return Build(stage, def.m_iGroundRow);
}

int Area(int stage) { return ((stage - 1) % 50) / 10 + 1; }

}  // namespace

TEST(FieldLayouts, TablesKeepTheirCheckedValues) {
    EXPECT_EQ(FieldGridFingerprint(), 0x1a761f153f927797ull);
    // A few layouts spelled out, so a slip shows where it is.
    EXPECT_EQ(Layout(41), "1111111111/1111111111/5511111521/1555555222/3333333333");
    EXPECT_EQ(Layout(121), "4444444444/4444444444/4444442422/4442424442/4424444444");
    EXPECT_EQ(Layout(176), "4444424242/4444242442/4442424442/4424244442/4242444242");
}

TEST(FieldLayouts, EveryLayoutFollowsItsAreaRules) {
    for (int stage = 1; stage <= 180; ++stage) {
        const std::string l = Layout(stage);
        ASSERT_EQ(l.find_first_not_of("12345/"), std::string::npos) << stage;
        const std::string top = l.substr(0, 10), bottom = l.substr(44, 10), upper = l.substr(0, 43);
        if (stage > 150) {
            EXPECT_EQ(l.find('5'), std::string::npos) << stage;
            continue;
        }
        EXPECT_NE(l.find_first_of("25"), std::string::npos) << stage << ": somewhere to build";
        const int area = Area(stage);
        if (area != 5) {
            EXPECT_EQ(l.find('5'), std::string::npos) << stage;
        }
        if (area <= 2) {
            EXPECT_EQ(l.find_first_of("34"), std::string::npos) << stage;
            EXPECT_EQ(top + bottom, "11111111112222222222") << stage;
        } else if (area == 3) {
            EXPECT_EQ(l.find_first_of("13"), std::string::npos) << stage;
            EXPECT_EQ(top, "4444444444") << stage;
        } else {
            EXPECT_EQ(bottom, "3333333333") << stage;
            EXPECT_EQ(upper.find_first_of("34"), std::string::npos) << stage;
        }
    }
}

TEST(FieldLayouts, SharedLayoutsAndDistinctCount) {
    std::set<std::string> distinct;
    for (int stage = 1; stage <= 180; ++stage) distinct.insert(Layout(stage));
    EXPECT_EQ(distinct.size(), 169u);
    for (int s : {154, 163, 167}) EXPECT_EQ(Layout(s), Layout(1));
    EXPECT_EQ(Layout(88), Layout(34));
    EXPECT_EQ(Layout(175), Layout(151));
    EXPECT_EQ(Layout(166), Layout(156));
    EXPECT_EQ(Layout(177), Layout(157));
    for (int s : {170, 171, 174, 180}) EXPECT_EQ(Layout(s), Layout(160));
}

TEST(FieldLayouts, TablesWriteOnlyTheirOwnRange) {
    int kinds[FIELD_CELLS];
    for (int& k : kinds) k = 9;
    GetFieldCellKinds1To50(kinds, 51);
    GetFieldCellKinds51To100(kinds, 101);
    GetFieldCellKinds101To150(kinds, 151);
    GetFieldCellKinds151To180(kinds, 150);
    for (int k : kinds) EXPECT_EQ(k, 9);
}

TEST(FieldGrid, CentresAndIndexing) {
    Field f = Build(11);
    const float ys[5] = {189.625f, 108.875f, 28.125f, -52.625f, -133.375f};
    for (int c = 0; c < FIELD_COLUMNS; ++c)
        for (int r = 0; r < FIELD_ROWS; ++r) {
            EXPECT_EQ(f.At(c, r).m_fX, float(-384.25 + 85.5 * c));
            EXPECT_EQ(f.At(c, r).m_fY, ys[r]);
            EXPECT_EQ(f.At(c, r).m_fZ, 0.0f);
        }
    // Stage 11, row 3 = 2221111222: index = column * 5 + row, row 0 at the top.
    EXPECT_EQ(f.cells[3].m_iStageKind, CELL_GROUND);
    EXPECT_EQ(f.cells[18].m_iStageKind, CELL_AIR);
    EXPECT_EQ(f.cells[48].m_iStageKind, CELL_GROUND);
    EXPECT_EQ(f.cells[0].m_iStageKind, CELL_AIR);
    EXPECT_EQ(f.cells[4].m_iKind, CELL_GROUND);
}

TEST(FieldGrid, FirstStageHasOneGroundLine) {
    Field f = Build(1);
    for (int c = 0; c < FIELD_COLUMNS; ++c)
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const FieldCell& cell = f.At(c, r);
            if (r == 4) {
                EXPECT_EQ(cell.m_fEdgeShape, 1.0f);
                EXPECT_EQ(cell.m_fEdgeSet, 0.0f);
                EXPECT_EQ(cell.m_iKindAbove, CELL_AIR);
            } else {
                EXPECT_EQ(cell.m_fEdgeShape, -1.0f);
                EXPECT_EQ(cell.m_fEdgeSet, -1.0f);
                EXPECT_EQ(cell.m_iKindAbove, CELL_AIR);
            }
            EXPECT_EQ(cell.m_iSpikeFree, 1);
        }
    EXPECT_EQ(f.groundRow, 4);
}

TEST(FieldGrid, LedgeEndsAndUndersides) {
    Field f = Build(3);  // row 2 ground in columns 5 to 9
    EXPECT_EQ(f.At(5, 2).m_fEdgeShape, 0.0f);
    for (int c = 6; c <= 9; ++c) EXPECT_EQ(f.At(c, 2).m_fEdgeShape, 1.0f) << c;
    for (int c = 5; c <= 9; ++c) EXPECT_EQ(f.At(c, 2).m_fEdgeSet, 0.0f) << c;
    EXPECT_EQ(f.At(5, 3).m_fEdgeShape, 0.0f);
    for (int c = 6; c <= 9; ++c) EXPECT_EQ(f.At(c, 3).m_fEdgeShape, 1.0f) << c;
    for (int c = 5; c <= 9; ++c) EXPECT_EQ(f.At(c, 3).m_fEdgeSet, 1.0f) << c;
    EXPECT_EQ(f.At(4, 3).m_fEdgeShape, -1.0f);
    // The ground row below the ledge has air above it.
    EXPECT_EQ(f.At(7, 4).m_iKindAbove, CELL_AIR);
    EXPECT_EQ(f.At(7, 2).m_iKindAbove, CELL_AIR);
}

TEST(FieldGrid, SpikedGroundInTheLastArea) {
    Field f = BuildAsBattle(41);
    const std::set<std::pair<int, int>> spiked = {{0, 2}, {1, 2}, {7, 2}, {1, 3}, {2, 3}, {3, 3},
                                                  {4, 3}, {5, 3}, {6, 3}};
    for (int c = 0; c < FIELD_COLUMNS; ++c)
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const FieldCell& cell = f.At(c, r);
            EXPECT_NE(cell.m_iStageKind, CELL_SPIKED);
            if (spiked.count({c, r})) {
                EXPECT_EQ(cell.m_iStageKind, CELL_GROUND) << c << "," << r;
                EXPECT_EQ(cell.m_iKind, CELL_GROUND);
                EXPECT_EQ(cell.m_iSpikeFree, 0) << c << "," << r;
            } else {
                EXPECT_EQ(cell.m_iSpikeFree, 1) << c << "," << r;
            }
        }
    // Water lies at or above row 4, so the water row takes the underwater sets.
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        EXPECT_EQ(f.At(c, 4).m_iStageKind, CELL_WATER_SURFACE);
        EXPECT_EQ(f.At(c, 4).m_fEdgeSet, 3.0f) << c;
    }
    EXPECT_EQ(f.At(8, 2).m_fEdgeSet, 0.0f);
    // The stage gives its own ground row, so the terrain walk does not run.
    Field h = Build(150, 3);
    h.groundRow = 1;
    BuildFieldGrid(150, h.cells, 3, &h.groundRow);
    EXPECT_EQ(h.groundRow, 1);
    // Spikes are marked in the ordinary stages only.
    for (const FieldCell& cell : Build(160).cells) EXPECT_EQ(cell.m_iSpikeFree, 1);
}

TEST(FieldGrid, UnderwaterStaircase) {
    Field f = Build(71);
    int ground = 0;
    for (const FieldCell& cell : f.cells) {
        if (cell.m_iStageKind != CELL_GROUND) {
            EXPECT_EQ(cell.m_iKindAbove, cell.m_iStageKind);
            continue;
        }
        EXPECT_EQ(cell.m_iKindAbove, CELL_UNDERWATER);
        ++ground;
    }
    EXPECT_EQ(ground, 10);
}

TEST(FieldGrid, GroundRowFromTheTerrain) {
    // All air: no tile anywhere, nothing to walk, the line stays on row 4.
    Field f = Build(160);
    for (const FieldCell& cell : f.cells) EXPECT_EQ(cell.m_fEdgeShape, -1.0f);
    EXPECT_EQ(f.groundRow, 4);
    // An earlier battle's row does not linger.
    f.groundRow = 1;
    BuildFieldGrid(160, f.cells, -1, &f.groundRow);
    EXPECT_EQ(f.groundRow, 4);

    EXPECT_EQ(Build(120).groundRow, 3);      // rows 3 and 4 full: the topmost
    EXPECT_EQ(Build(175).groundRow, 1);      // the layout of 151, without its row
    EXPECT_EQ(Build(8).groundRow, 4);        // the walk from row 3 drops once
    EXPECT_EQ(BuildAsBattle(151).groundRow, 4);  // 151 brings its own row 3
    StageDefinition def{};
    GetStageDefinition(151, 1, def);
    EXPECT_EQ(def.m_iGroundRow, 3);
    EXPECT_EQ(Build(11).groundRow, 4);
    EXPECT_EQ(Build(169).groundRow, 2);
}

TEST(FieldGrid, CorrectionsAreWrittenLast) {
    struct Want { int stage, column, row; float shape, set; };
    for (Want w : {Want{9, 7, 2, 2, 0}, Want{9, 8, 3, 1, 1}, Want{78, 6, 4, 3, 1}, Want{110, 8, 3, 2, 0},
                   Want{116, 9, 3, 1, 1}, Want{176, 4, 4, 3, 1}, Want{176, 6, 2, 3, 1}, Want{178, 7, 3, 0, 0}}) {
        Field f = BuildAsBattle(w.stage);
        EXPECT_EQ(f.At(w.column, w.row).m_fEdgeShape, w.shape) << w.stage << " " << w.column << "," << w.row;
        EXPECT_EQ(f.At(w.column, w.row).m_fEdgeSet, w.set) << w.stage << " " << w.column << "," << w.row;
    }
}

TEST(FieldGrid, BuildsThroughTheLink) {
    ScopedLink link;
    StageDefinition def{};
    GetStageDefinition(120, 1, def);
    link.link.m_pStage = &def;
    link.link.m_iFieldGroundRow = 0;
    FieldCell cells[FIELD_CELLS] = {};
    BuildFieldGrid(120, cells);
    EXPECT_EQ(link.link.m_iFieldGroundRow, 3);
    def.m_iGroundRow = 2;
    link.link.m_iFieldGroundRow = 0;
    BuildFieldGrid(120, cells);
    EXPECT_EQ(link.link.m_iFieldGroundRow, 0);  // the stage's own row is used instead
}

TEST(FieldGrid, EveryEndTileOfAGroundLedgeSitsAtItsEnd) {
    // Corrections included: an end piece inside a ledge would draw a gap in it.
    for (int stage = 1; stage <= 180; ++stage) {
        Field f = BuildAsBattle(stage);
        auto ground = [&](int c, int r) { return c < 0 || c >= FIELD_COLUMNS || f.At(c, r).m_iStageKind == CELL_GROUND; };
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const FieldCell& cell = f.At(c, r);
                if (cell.m_iStageKind != CELL_GROUND || cell.m_fEdgeShape == 1.0f) continue;
                const bool openLeft = cell.m_fEdgeShape == 0.0f || cell.m_fEdgeShape == 3.0f;
                const bool openRight = cell.m_fEdgeShape == 2.0f || cell.m_fEdgeShape == 3.0f;
                if (openLeft) {
                    EXPECT_FALSE(ground(c - 1, r)) << "stage " << stage << " cell " << c << "," << r;
                }
                if (openRight) {
                    EXPECT_FALSE(ground(c + 1, r)) << "stage " << stage << " cell " << c << "," << r;
                }
            }
    }
}
