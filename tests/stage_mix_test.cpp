// The mixes themselves are pinned by the stage fingerprint; each filler must
// leave stages outside its own range alone.
#include "tests/Harness.h"
#include "content/StageDefinition.h"

TEST(StageMix, FillersWriteOnlyTheirOwnRange) {
    StageDefinition s{};
    FillStageEnemies1To50(51, s);
    FillStageEnemies51To100(50, s);
    FillStageEnemies51To100(101, s);
    FillStageEnemies101To150(100, s);
    FillStageEnemies151To180(150, 1, s);
    FillStageEnemies151To180(181, 1, s);
    StageDefinition zero{};
    EXPECT_EQ(std::memcmp(&s, &zero, sizeof s), 0);
    FillStageEnemies1To50(41, s);
    EXPECT_EQ(s.m_iGroundRow, 4);
    EXPECT_EQ(s.m_aiEnemyType[0], 1002);
}
