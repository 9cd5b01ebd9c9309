// Every stage's grid is pinned by the fingerprint; what is left here is what
// the fingerprint does not see: the table ranges, a stale ground row and the link.
#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"

TEST(FieldLayouts, TablesKeepTheirCheckedValues) { EXPECT_EQ(harness::FieldGridFingerprint(), 0xebdabedddaae7c4bull); }

TEST(FieldLayouts, TablesWriteOnlyTheirOwnRange) {
    int kinds[FIELD_CELLS];
    for (int& k : kinds) k = 9;
    GetFieldCellKinds1To50(kinds, 51);
    GetFieldCellKinds51To100(kinds, 101);
    GetFieldCellKinds101To150(kinds, 151);
    GetFieldCellKinds151To180(kinds, 150);
    for (int k : kinds) EXPECT_EQ(k, 9);
}

TEST(FieldGrid, GroundRowNeitherLingersNorOverridesTheStages) {
    FieldCell cells[FIELD_CELLS] = {};
    // An earlier battle's row does not linger when the terrain is all air.
    int row = 1;
    BuildFieldGrid(160, cells, -1, &row);
    EXPECT_EQ(row, 4);
    // The stage gives its own ground row, so the terrain walk does not run.
    row = 1;
    BuildFieldGrid(150, cells, 3, &row);
    EXPECT_EQ(row, 1);
}

TEST(FieldGrid, BuildsThroughTheLink) {
    harness::ScopedLink link;
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
