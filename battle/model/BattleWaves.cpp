#include "battle/model/BattleWaves.h"

#include <algorithm>

#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/model/TutorialRules.h"
#include "content/StageNumbering.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "engine/VxSound.h"

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

void SendMachine(CBattleModel& model, int type) {
    if (type > 0) model.CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, true);
}

}  // namespace

int PickStreamEnemy(CBattleModel& model) {
    StageDefinition& def = RuleState(model).m_StageDefinition;
    int& cursor = RuleState(model).m_iStreamCursor;
    if (def.m_iStreamWeightTotal <= 0) return 0;
    int sum = 0;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
        sum = int(float(sum) + def.m_afStreamWeight[i]);
        if (cursor >= sum) continue;
        if (cursor == def.m_iStreamWeightTotal - 1) {
            StepWeights(def, def.m_afStreamWeight, def.m_afStreamWeightStep, def.m_iStreamWeightTotal);
            cursor = 0;
        } else {
            cursor = (cursor + 1) % def.m_iStreamWeightTotal;
        }
        if (RuleState(model).m_aEnemyDefs[i].m_iType != MachineId::Rocket)
            return RuleState(model).m_aEnemyDefs[i].m_iType;
    }
    cursor = def.m_iStreamWeightTotal > 0 ? (cursor + 1) % def.m_iStreamWeightTotal : 0;
    return RuleState(model).m_aEnemyDefs[0].m_iType;
}

int PickBatchEnemy(CBattleModel& model) {
    const StageDefinition& def = RuleState(model).m_StageDefinition;
    int& cursor = RuleState(model).m_iBatchCursor;
    if (def.m_iWaveWeightTotal <= 0) return 0;
    int sum = 0;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
        sum = int(float(sum) + def.m_afWaveWeight[i]);
        if (cursor >= sum) continue;
        cursor = (cursor + 1) % def.m_iWaveWeightTotal;
        if (RuleState(model).m_aEnemyDefs[i].m_iType != MachineId::Rocket)
            return RuleState(model).m_aEnemyDefs[i].m_iType;
    }
    cursor = (cursor + 1) % def.m_iWaveWeightTotal;
    return RuleState(model).m_aEnemyDefs[0].m_iType;
}

void UpdateSpawnWeights(CBattleModel& model) {
    StageDefinition& def = RuleState(model).m_StageDefinition;
    def.m_iWaveSize = std::min(def.m_iWaveSize + def.m_iWaveSizeStep, def.m_iWaveSizeCap);
    StepWeights(def, def.m_afWaveWeight, def.m_afWaveWeightStep, def.m_iWaveWeightTotal);
}

void UpdateEnemySpawner(CBattleModel& model) {
    const int R = RuleState(model).m_iTimeLeft, T = RuleState(model).m_iStageFrames;
    if (R <= 0) return;
    StageDefinition& def = RuleState(model).m_StageDefinition;
    const int elapsed = (T - R) / 60;
    if (TutorialHoldsMachines(model)) return;

    if (elapsed >= def.m_iStreamStart && def.m_iStreamInterval > 0) {
        const int d = T - 60 * def.m_iStreamStart - R;
        if (d % (60 * def.m_iStreamInterval) == 0) SendMachine(model, PickStreamEnemy(model));
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
    const int stage = model.StageNumber();
    if (last && stage > 30) n += GetStageEpisode(stage);
    for (int i = 0; i < n; ++i) SendMachine(model, PickBatchEnemy(model));
    if (last) {
        // The final wave brings every type the stage has not sent yet.
        for (int i = 0; i < STAGE_ENEMY_RECORDS; ++i) {
            const int type = RuleState(model).m_aEnemyDefs[i].m_iType;
            if (type != 0 && type != MachineId::Rocket && RuleState(model).m_aiEnemyCalls[i] == 0)
                model.CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, true);
        }
    }
    UpdateSpawnWeights(model);
    CueWaveBanner(model.Scene(), last);
    RestartSound(model.Scene().m_pSfxTextWave);
}
