
#include <map>
#include <set>

#include "tests/Harness.h"
#include "content/StageDefinition.h"

using namespace harness;

namespace {

StageDefinition Mix(int stage, int difficulty = 1) {
    StageDefinition s{};
    GetStageDefinition(stage, difficulty, s);
    return s;
}

struct Slot {
    int type;
    float w[4];
};

std::vector<Slot> Slots(const StageDefinition& s) {
    std::vector<Slot> out;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i)
        out.push_back({s.m_aiEnemyType[i],
                       {s.m_afWaveWeight[i], s.m_afWaveWeightStep[i], s.m_afStreamWeight[i],
                        s.m_afStreamWeightStep[i]}});
    return out;
}

bool Used(const Slot& slot) {
    return slot.type != 0 || slot.w[0] != 0 || slot.w[1] != 0 || slot.w[2] != 0 || slot.w[3] != 0;
}

bool SameMix(const StageDefinition& a, const StageDefinition& b) {
    return std::memcmp(a.m_aiEnemyType, b.m_aiEnemyType, sizeof a.m_aiEnemyType) == 0 &&
           std::memcmp(a.m_afWaveWeight, b.m_afWaveWeight, sizeof a.m_afWaveWeight) == 0 &&
           std::memcmp(a.m_afWaveWeightStep, b.m_afWaveWeightStep, sizeof a.m_afWaveWeightStep) == 0 &&
           std::memcmp(a.m_afStreamWeight, b.m_afStreamWeight, sizeof a.m_afStreamWeight) == 0 &&
           std::memcmp(a.m_afStreamWeightStep, b.m_afStreamWeightStep, sizeof a.m_afStreamWeightStep) == 0;
}

bool HasType(const StageDefinition& s, int type) {
    return std::find(s.m_aiEnemyType, s.m_aiEnemyType + STAGE_ENEMY_SLOTS, type) !=
           s.m_aiEnemyType + STAGE_ENEMY_SLOTS;
}

std::set<int> Range(int a, int b) {
    std::set<int> out;
    for (int t = a; t <= b; ++t) out.insert(t);
    return out;
}

std::set<int> Join(std::initializer_list<std::set<int>> parts) {
    std::set<int> out;
    for (const auto& p : parts) out.insert(p.begin(), p.end());
    return out;
}

// The Machine types each area of each episode may use.
std::set<int> AreaTypes(int stage) {
    const int episode = (stage - 1) / 50 + 1;
    const int area = ((stage - 1) % 50) / 10 + 1;
    if (episode == 1) {
        switch (area) {
        case 1: return Range(1000, 1005);
        case 2: return Join({Range(1000, 1010), {1032}});
        case 3: return Join({{1002}, Range(1004, 1008), Range(1010, 1015), {1032}});
        case 4: return Join({{1001, 1003, 1009}, Range(1016, 1020), {1032}});
        default:
            return Join({{1002, 1003, 1006, 1007, 1009, 1014, 1016, 1018}, Range(1021, 1025), {1032}});
        }
    }
    switch (area) {
    case 1: return Join({Range(1000, 1005), {1025}});
    case 2: return Join({Range(1001, 1004), Range(1006, 1010), {1025, 1032}});
    case 3: return {1011, 1012, 1013, 1015, 1025, 1027, 1030, 1032};
    case 4:
        if (episode == 2) return Join({{1014}, Range(1016, 1020), {1024, 1030, 1032}});
        return Join({{1001, 1003, 1014}, Range(1016, 1020), {1024, 1030, 1032}});
    default: return Join({{1002, 1007, 1016}, Range(1021, 1024), {1029, 1030, 1032}});
    }
}

// The stage in which a Machine type first comes.
int Introduction(int type) {
    switch (type) {
    case 1000: return 1;
    case 1001: return 2;
    case 1002: return 3;
    case 1032: return 19;
    case 1030: return 71;
    case 1027: return 78;
    case 1029: return 98;
    default: return 5 + 2 * (type - 1003);  // 1003 in stage 5 ... 1025 in stage 49
    }
}

bool AllowedWeight(float w) {
    static const float kAllowed[] = {0.0f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f,
                                     0.5f, 0.6f, 0.7f, 0.75f, 0.8f, 1.0f, 1.2f, 1.5f,
                                     2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 10.0f};
    return std::find(std::begin(kAllowed), std::end(kAllowed), w) != std::end(kAllowed);
}

}  // namespace

// The whole table is held by the stage fingerprint; these rows show the
// unusual slots.
TEST(StageMix, EmptyAndRepeatedSlots) {
    // 151: the empty second slot gains wave weight, so later waves send fewer.
    StageDefinition s = Mix(151);
    EXPECT_EQ(s.m_aiEnemyType[1], 0);
    EXPECT_EQ(s.m_afWaveWeightStep[1], 1.0f);
    EXPECT_EQ(s.m_afWaveWeight[0], 10.0f);
    // 177: three wave picks in four land on empty slots.
    s = Mix(177);
    EXPECT_EQ(s.m_aiEnemyType[1] + s.m_aiEnemyType[2], 0);
    EXPECT_EQ(s.m_afWaveWeight[1], 2.0f);
    EXPECT_EQ(s.m_iWaveWeightTotal, 4);
    // 160 holds type 1003 twice, each slot with its own weights.
    s = Mix(160);
    EXPECT_EQ(s.m_aiEnemyType[1], 1003);
    EXPECT_EQ(s.m_aiEnemyType[3], 1003);
    EXPECT_EQ(s.m_afWaveWeight[1], 5.0f);
    EXPECT_EQ(s.m_afWaveWeight[3], 0.0f);
    EXPECT_EQ(s.m_aiEnemyType[7], 1028);
    // 154 has one mix per difficulty.
    EXPECT_EQ(Mix(154, 0).m_afWaveWeightStep[1], 0.8f);
    EXPECT_EQ(Mix(154, 2).m_afWaveWeight[0], 3.0f);
    EXPECT_EQ(Mix(154, 2).m_aiEnemyType[2], 1002);
}

TEST(StageMix, EveryStageFollowsTheSlotRules) {
    for (int stage = 1; stage <= 180; ++stage) {
        for (int d = 0; d < 3; ++d) {
            SCOPED_TRACE(testing::Message() << "stage " << stage << " difficulty " << d);
            auto slots = Slots(Mix(stage, d));
            ASSERT_TRUE(Used(slots[0]));
            bool ended = false;
            for (const Slot& slot : slots) {
                if (!Used(slot)) ended = true;
                else EXPECT_FALSE(ended) << "used slots start at slot 0 without gaps";
                EXPECT_TRUE(slot.type == 0 || (slot.type >= 1000 && slot.type <= 1032)) << slot.type;
                EXPECT_NE(slot.type, 1026);
                if (slot.type == 1028) {
                    EXPECT_TRUE(stage == 160 || stage == 170 || stage == 171);
                }
                if (slot.type == 1031) {
                    EXPECT_EQ(stage, 180);
                }
                if (slot.type == 1028 || slot.type == 1031) {
                    for (float w : slot.w) EXPECT_EQ(w, 0.0f);
                }
                for (float w : slot.w) EXPECT_TRUE(AllowedWeight(w)) << w;
            }
        }
    }
}

TEST(StageMix, TypesStayInTheirAreaAndNeverComeEarly) {
    for (int stage = 1; stage <= 150; ++stage) {
        SCOPED_TRACE(testing::Message() << "stage " << stage);
        StageDefinition s = Mix(stage);
        const std::set<int> allowed = AreaTypes(stage);
        for (int type : s.m_aiEnemyType) {
            if (type == 0) continue;
            EXPECT_TRUE(allowed.count(type)) << type;
            EXPECT_LE(Introduction(type), stage) << type;
        }
    }
    // The first episode brings each new type in its stage of introduction.
    for (int type = 1000; type <= 1025; ++type) EXPECT_TRUE(HasType(Mix(Introduction(type)), type)) << type;
    EXPECT_TRUE(HasType(Mix(19), 1032));
    EXPECT_TRUE(HasType(Mix(19), 1010));
    for (int stage = 1; stage < 19; ++stage) EXPECT_FALSE(HasType(Mix(stage), 1032)) << stage;
    EXPECT_TRUE(HasType(Mix(71), 1030));
    EXPECT_TRUE(HasType(Mix(78), 1027));
    EXPECT_TRUE(HasType(Mix(98), 1029));
    // From stage 4 on, even stages of the first episode bring nothing new.
    for (int stage = 4; stage <= 50; stage += 2) {
        for (int type : Mix(stage).m_aiEnemyType) {
            if (type == 0) continue;
            EXPECT_LT(Introduction(type), stage) << "stage " << stage << " type " << type;
        }
    }
}

TEST(StageMix, RepeatedMixes) {
    for (auto [stage, source] : std::vector<std::pair<int, int>>{{58, 57}, {67, 66}, {85, 84}, {108, 107}, {117, 116}})
        EXPECT_TRUE(SameMix(Mix(stage), Mix(source))) << stage;
    int repeats = 0;
    for (int stage = 101; stage <= 150; ++stage) {
        const bool listed = (stage <= 108) || (stage >= 110 && stage <= 120) || (stage >= 128 && stage <= 130) ||
                            (stage >= 139 && stage <= 141) || stage >= 148;
        const bool same = SameMix(Mix(stage), Mix(stage - 50));
        EXPECT_EQ(same, listed) << stage;
        repeats += same;
    }
    EXPECT_EQ(repeats, 28);
}

TEST(StageMix, VariantStagesHoldTheirType) {
    const std::map<int, int> variants = {{51, 1000}, {52, 1000}, {54, 1002}, {56, 1004}, {58, 1005}, {61, 1006},
                                         {64, 1007}, {66, 1008}, {68, 1010}, {82, 1014}, {85, 1018}, {88, 1024},
                                         {91, 1021}, {93, 1022}, {96, 1023}, {101, 1000}};
    for (auto [stage, type] : variants) EXPECT_TRUE(HasType(Mix(stage), type)) << stage;
}

TEST(StageMix, StageMixesDifferOnlyWhereListed) {
    for (int stage = 1; stage <= 180; ++stage) {
        const bool perDifficulty = stage == 153 || stage == 154;
        EXPECT_EQ(!SameMix(Mix(stage, 0), Mix(stage, 2)), perDifficulty) << stage;
    }
}

TEST(StageMix, TitanJoinsTheWaveCycleAfterTwoWaves) {
    StageDefinition s = Mix(147);
    EXPECT_EQ(s.m_aiEnemyType[6], 1029);
    EXPECT_EQ(s.m_afWaveWeight[6], 0.5f);
    EXPECT_EQ(s.m_afWaveWeightStep[6], 0.25f);
    EXPECT_EQ(s.m_iWaveWeightTotal, 3);
}

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
