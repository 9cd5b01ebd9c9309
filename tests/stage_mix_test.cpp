// The mixes themselves are pinned by the stage fingerprint; each filler must
// leave stages outside its own range alone, and each area sends its own set
// of Machines.
#include <set>

#include "tests/Harness.h"
#include "content/StageDefinition.h"

namespace {

// Machine types from..to, both included.
std::set<int> Types(std::initializer_list<std::pair<int, int>> runs) {
    std::set<int> out;
    for (const auto& [from, to] : runs)
        for (int t = from; t <= to; ++t) out.insert(t);
    return out;
}

}  // namespace

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

// An area keeps its theme: the Machines of its ten stages, taken together, are
// its set, no more and no fewer, in every episode that plays it.
TEST(StageMix, EachAreasStagesTogetherHoldExactlyItsMachines) {
    const struct Row {
        const char* rule;
        std::vector<int> firstStages;  // each of ten stages
        std::set<int> types;
    } rows[] = {
        {"area 1 of episode 1", {1}, Types({{1000, 1005}})},
        {"area 2 of episode 1", {11}, Types({{1000, 1010}, {1032, 1032}})},
        {"area 3 of episode 1", {21}, Types({{1002, 1002}, {1004, 1008}, {1010, 1015}, {1032, 1032}})},
        {"area 4 of episode 1", {31}, Types({{1001, 1001}, {1003, 1003}, {1009, 1009}, {1016, 1020}, {1032, 1032}})},
        {"area 5 of episode 1",
         {41},
         Types({{1002, 1003},
                {1006, 1007},
                {1009, 1009},
                {1014, 1014},
                {1016, 1016},
                {1018, 1018},
                {1021, 1025},
                {1032, 1032}})},
        {"area 1 of episodes 2 and 3", {51, 101}, Types({{1000, 1005}, {1025, 1025}})},
        {"area 2 of episodes 2 and 3", {61, 111}, Types({{1001, 1004}, {1006, 1010}, {1025, 1025}, {1032, 1032}})},
        {"area 3 of episodes 2 and 3",
         {71, 121},
         Types({{1011, 1013}, {1015, 1015}, {1025, 1025}, {1027, 1027}, {1030, 1030}, {1032, 1032}})},
        {"area 4 of episode 2", {81}, Types({{1014, 1014}, {1016, 1020}, {1024, 1024}, {1030, 1030}, {1032, 1032}})},
        {"area 4 of episode 3",
         {131},
         Types({{1001, 1001}, {1003, 1003}, {1014, 1014}, {1016, 1020}, {1024, 1024}, {1030, 1030}, {1032, 1032}})},
        {"area 5 of episodes 2 and 3",
         {91, 141},
         Types({{1002, 1002}, {1007, 1007}, {1016, 1016}, {1021, 1024}, {1029, 1030}, {1032, 1032}})},
    };
    for (const Row& row : rows)
        for (int first : row.firstStages) {
            std::set<int> met;
            for (int stage = first; stage < first + 10; ++stage) {
                StageDefinition s{};
                GetStageDefinition(stage, 1, s);
                for (int type : s.m_aiEnemyType)
                    if (type) met.insert(type);
            }
            EXPECT_EQ(met, row.types) << row.rule << ", stages " << first << "-" << first + 9;
        }
}
