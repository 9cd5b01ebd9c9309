// The enemy waves' picks on a bare model: each rotation walks the stage's
// weights in turn without chance, and a wave steps the next one's size and
// weights. When the waves are sent is held on a loaded page
// (wave_scheduler_test.cpp, combat_units_test.cpp).
#include <gtest/gtest.h>

#include <vector>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleWaves.h"
#include "content/UnitIds.h"

namespace battle_waves_test {

using MachineId::AirScout, MachineId::Giant, MachineId::KillerWhale, MachineId::Rocket, MachineId::Smasher;

namespace {

struct Weights {
    std::vector<int> types;  // records 0..
    std::vector<float> weights;
    std::vector<float> steps;
};

struct BareWaves {
    BattleScene scene;
    CBattleModel model{scene};
    // Fills both rotations' rows with the same weights.
    explicit BareWaves(const Weights& w) {
        StageDefinition& d = RuleState(model).m_StageDefinition;
        int total = 0;
        for (size_t i = 0; i < w.types.size(); ++i) {
            d.m_aiEnemyType[i] = RuleState(model).m_aEnemyDefs[i].m_iType = w.types[i];
            d.m_afStreamWeight[i] = d.m_afWaveWeight[i] = w.weights[i];
            d.m_afStreamWeightStep[i] = d.m_afWaveWeightStep[i] = w.steps[i];
            total += int(w.weights[i]);
        }
        d.m_iStreamWeightTotal = d.m_iWaveWeightTotal = total;
    }
};

struct PickCase {
    const char* rule;
    bool stream;  // the single-Machine stream, else the waves
    Weights weights;
    std::vector<int> picks;
    float lastWeightAfter;  // of record 1
    int totalAfter;
};

}  // namespace

TEST(BattleWaves, EachRotationGivesATypeAsManyTurnsAsItWeighsAndNeverARocket) {
    const PickCase cases[] = {
        {"a wave gives each type as many turns as it weighs",
         false,
         {{Smasher, AirScout}, {2, 1}, {0, 1}},
         {Smasher, Smasher, AirScout, Smasher, Smasher, AirScout},
         1.0f,
         3},
        {"a wave's weights do not step while it picks",
         false,
         {{Smasher, AirScout}, {1, 1}, {0, 1}},
         {Smasher, AirScout, Smasher, AirScout, Smasher},
         1.0f,
         2},
        {"a Rocket's turn passes to the record after it",
         false,
         {{Rocket, Smasher}, {1, 1}, {0, 0}},
         {Smasher, Smasher, Smasher},
         1.0f,
         2},
        {"a stage without weights sends nothing", false, {{Smasher}, {0}, {1}}, {0, 0}, 0.0f, 0},
        {"the stream steps its weights each time it wraps round",
         true,
         {{Smasher, AirScout}, {1, 1}, {0, 1}},
         {Smasher, AirScout, Smasher, AirScout, AirScout, Smasher},
         3.0f,
         4},
        {"a heavy type's stream weight never passes 1",
         true,
         {{Smasher, Giant}, {1, 1}, {0, 1}},
         {Smasher, Giant, Smasher, Giant, Smasher, Giant},
         1.0f,
         2},
        {"a Rocket never comes out of the stream",
         true,
         {{Rocket, Smasher}, {1, 1}, {0, 0}},
         {Smasher, Smasher},
         1.0f,
         2},
    };
    for (const PickCase& c : cases) {
        BareWaves bare(c.weights);
        std::vector<int> picks;
        for (size_t i = 0; i < c.picks.size(); ++i)
            picks.push_back(c.stream ? PickStreamEnemy(bare.model) : PickBatchEnemy(bare.model));
        EXPECT_EQ(picks, c.picks) << c.rule;
        const StageDefinition& d = bare.model.State().m_StageDefinition;
        EXPECT_FLOAT_EQ(c.stream ? d.m_afStreamWeight[1] : d.m_afWaveWeight[1], c.lastWeightAfter) << c.rule;
        EXPECT_EQ(c.stream ? d.m_iStreamWeightTotal : d.m_iWaveWeightTotal, c.totalAfter) << c.rule;
    }
}

TEST(BattleWaves, AWaveGrowsTheNextUpToItsCapAndStepsItsWeightsHeavyTypesAtOne) {
    const struct {
        const char* rule;
        int size, step, cap;
        int sizeAfter;
        Weights weights;
        float weightAfter;  // of record 1
        int totalAfter;
    } cases[] = {
        {"the next wave is a step larger", 2, 1, 5, 3, {{Smasher, AirScout}, {1, 1}, {0, 2}}, 3.0f, 4},
        {"a wave at its cap grows no more", 5, 1, 5, 5, {{Smasher, AirScout}, {1, 1}, {1, 0}}, 1.0f, 3},
        {"a step past the cap stops at it", 4, 3, 5, 5, {{Smasher, AirScout}, {1, 0}, {0, 1}}, 1.0f, 2},
        {"a heavy type's wave weight never passes 1", 1, 0, 9, 1, {{Smasher, KillerWhale}, {1, 1}, {1, 1}}, 1.0f, 3},
    };
    for (const auto& c : cases) {
        BareWaves bare(c.weights);
        StageDefinition& d = RuleState(bare.model).m_StageDefinition;
        d.m_iWaveSize = c.size;
        d.m_iWaveSizeStep = c.step;
        d.m_iWaveSizeCap = c.cap;
        UpdateSpawnWeights(bare.model);
        EXPECT_EQ(d.m_iWaveSize, c.sizeAfter) << c.rule;
        EXPECT_FLOAT_EQ(d.m_afWaveWeight[1], c.weightAfter) << c.rule;
        EXPECT_EQ(d.m_iWaveWeightTotal, c.totalAfter) << c.rule;
        EXPECT_FLOAT_EQ(d.m_afStreamWeight[1], c.weights.weights[1]) << c.rule << ": the stream keeps its weights";
    }
}

}  // namespace battle_waves_test
