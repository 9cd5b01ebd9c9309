#pragma once
// One Machine slot of a stage mix as the tables write it:
// type, wave weight, wave step, stream weight, stream step.
#include "content/StageDefinition.h"

struct MixSlot {
    int type;
    float wave;
    float waveStep;
    float stream;
    float streamStep;
};

using StageMix = MixSlot[STAGE_ENEMY_SLOTS];

// Writes all eight slots of every row; slots the mix leaves out are empty.
inline void StoreMix(StageDefinition& record, const StageMix& mix) {
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
        record.m_aiEnemyType[i] = mix[i].type;
        record.m_afWaveWeight[i] = mix[i].wave;
        record.m_afWaveWeightStep[i] = mix[i].waveStep;
        record.m_afStreamWeight[i] = mix[i].stream;
        record.m_afStreamWeightStep[i] = mix[i].streamStep;
    }
}
