// The enemy wave scheduler: a single-Machine stream and a wave stream out of
// the stage record, each picking types by a weighted rotation without
// chance, and the final wave. CallEnemyRobot is how every Machine enters.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_MeteorEnemy.h"
#include "battle/effects/Effect_TextWave.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "platform/Random.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "platform/host/MessageBox.h"

namespace {

// One step of a weight row: the four heavy types never weigh more than 1.
void StepWeights(const StageDefinition& def, float* weights, const float* steps, int& total) {
    total = 0;
    for (int j = 0; j < STAGE_ENEMY_SLOTS; ++j) {
        weights[j] = weights[j] + steps[j];
        const int type = def.m_aiEnemyType[j];
        if (weights[j] > 1.0f && UnitHas(type, UNIT_HEAVY)) weights[j] = 1.0f;
        total = int(float(total) + weights[j]);
    }
}

}  // namespace

int CPageGame::PickStreamEnemy() {
    StageDefinition& def = m_StageDefinition;
    if (def.m_iStreamWeightTotal <= 0) return 0;
    int sum = 0;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
        sum = int(float(sum) + def.m_afStreamWeight[i]);
        if (m_iStreamCursor >= sum) continue;
        if (m_iStreamCursor == def.m_iStreamWeightTotal - 1) {
            StepWeights(def, def.m_afStreamWeight, def.m_afStreamWeightStep, def.m_iStreamWeightTotal);
            m_iStreamCursor = 0;
        } else {
            m_iStreamCursor = (m_iStreamCursor + 1) % def.m_iStreamWeightTotal;
        }
        if (m_aEnemyDefs[i].m_iType != MachineId::Rocket) return m_aEnemyDefs[i].m_iType;
    }
    m_iStreamCursor = def.m_iStreamWeightTotal > 0 ? (m_iStreamCursor + 1) % def.m_iStreamWeightTotal : 0;
    return m_aEnemyDefs[0].m_iType;
}

int CPageGame::PickBatchEnemy() {
    const StageDefinition& def = m_StageDefinition;
    if (def.m_iWaveWeightTotal <= 0) return 0;
    int sum = 0;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
        sum = int(float(sum) + def.m_afWaveWeight[i]);
        if (m_iBatchCursor >= sum) continue;
        m_iBatchCursor = (m_iBatchCursor + 1) % def.m_iWaveWeightTotal;
        if (m_aEnemyDefs[i].m_iType != MachineId::Rocket) return m_aEnemyDefs[i].m_iType;
    }
    m_iBatchCursor = (m_iBatchCursor + 1) % def.m_iWaveWeightTotal;
    return m_aEnemyDefs[0].m_iType;
}

void CPageGame::UpdateSpawnWeights() {
    StageDefinition& def = m_StageDefinition;
    def.m_iWaveSize = std::min(def.m_iWaveSize + def.m_iWaveSizeStep, def.m_iWaveSizeCap);
    StepWeights(def, def.m_afWaveWeight, def.m_afWaveWeightStep, def.m_iWaveWeightTotal);
}

void CPageGame::UpdateEnemySpawner() {
    const int R = m_iTimeLeft, T = m_iStageFrames;
    if (R <= 0) return;
    StageDefinition& def = m_StageDefinition;
    const int elapsed = (T - R) / 60;

    if (IsFirstTutorialActive() && m_pEffectTutorials) {
        const CEffect_Tutorials& t = *m_pEffectTutorials;
        if (t.m_iStep < 8 || t.m_iStep == 10) return;
        if (t.IsIdle()) return;
    }

    if (elapsed >= def.m_iStreamStart && def.m_iStreamInterval > 0) {
        const int d = T - 60 * def.m_iStreamStart - R;
        if (d % (60 * def.m_iStreamInterval) == 0) {
            const int type = PickStreamEnemy();
            if (type > 0) CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, true);
        }
    }

    if (elapsed < def.m_iWaveStart || def.m_iWaveInterval <= 0) return;
    const int d = T - 60 * def.m_iWaveStart - R;
    const int interval = 60 * def.m_iWaveInterval;
    const bool last = R == 1;
    if (!(d % interval == 0 || (last && def.m_bFinalWave))) return;
    if (!last && double(R) < 0.35 * double(interval)) return;

    int n = def.m_iWaveSize;
    if (d > 0 && def.m_iExtraEnemies > 0) {
        --def.m_iExtraEnemies;
        ++n;
    }
    const int stage = CurrentStage();
    if (last && stage > 30) n += GetStageEpisode(stage);
    for (int i = 0; i < n; ++i) {
        const int type = PickBatchEnemy();
        if (type > 0) CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, true);
    }
    if (last) {
        for (int i = 0; i < STAGE_ENEMY_RECORDS; ++i) {
            const int type = m_aEnemyDefs[i].m_iType;
            if (type != 0 && type != MachineId::Rocket && m_aiEnemyCalls[i] == 0)
                CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, true);
        }
    }
    UpdateSpawnWeights();
    if (m_pEffectTextWave) m_pEffectTextWave->Add(last ? 1 : 0);
    RestartSound(m_pSfxTextWave);
}
