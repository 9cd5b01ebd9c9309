#include "content/StageDefinition.h"

#include "content/GameLink.h"
#include "content/MiniGameTable.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"

namespace {

int ClampDifficulty(int difficulty) {
    // A damaged profile must not leave the timing table unfilled (a zero wave
    // interval would never end the wave-time walk).
    return difficulty < 0 ? 0 : (difficulty > 2 ? 2 : difficulty);
}

void AppendWaveTime(StageDefinition& record, int t) {
    if (record.m_nWaveTimes < STAGE_WAVE_TIMES) record.m_aiWaveTime[record.m_nWaveTimes++] = t;
}

}  // namespace

int SumTruncatedWeights(const float* weights) {
    int total = 0;
    for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) total = int(double(total) + double(weights[i]));
    return total;
}

bool HasStageRecord(int stage) {
    if (stage < 1 || stage > LAST_STAGE) return false;
    return !IsMiniGameStage(stage) || MiniGameRowOf(stage).stage == stage;
}

void GetStageDefinition(int stage, int difficulty, StageDefinition& record) {
    const int d = ClampDifficulty(difficulty);

    // A mini-game takes the episode of the stage it follows, but its position
    // m comes from the raw stage number.
    const int episode = GetStageEpisode(stage);
    const int m = (stage - 1) % 50;

    record.m_bCardCharge = true;
    record.m_bRemoverCard = true;
    record.m_bAttacksAllowed = true;
    record.m_bEnemySchedule = true;
    record.m_bLifeInPlay = true;
    record.m_bEnergyInPlay = true;
    record.m_fItemFallSpeed = 10.0f;
    record.m_iBackground = -1;
    record.m_bEdgeTiles = true;
    record.m_iGroundRow = -1;
    record.m_bFinalWave = true;
    // No stage, mini-games included, showers energy or holds its loss rules.
    record.m_bEnergyShower = false;
    record.m_bRuleHold = false;
    record.m_iExtraEnemies = 0;

    if (stage <= 50) {
        const int length = (m + 24) * 5;
        record.m_iLength = length > 450 ? 450 : length;
    } else if (stage <= 150) {
        double length = 4.5 * m + 150.0;
        if (length > 450.0) length = 450.0;
        record.m_iLength = int(length);
    } else {
        record.m_iLength = 120;
    }

    const int mm = m < 40 ? m : 40;
    switch (d) {
    case 0:
        record.m_iStreamStart = int(55.0 - m * 0.05);
        record.m_iWaveStart = 120;
        record.m_iStreamInterval = 27;
        record.m_iWaveInterval = int(mm * 0.85 + 40.0);
        break;
    case 1:
        record.m_iStreamStart = int(50.0 - m * 0.05);
        record.m_iWaveStart = 115;
        record.m_iStreamInterval = 27;
        record.m_iWaveInterval = int(mm * 0.8 + 35.0);
        break;
    default:
        record.m_iStreamStart = int(45.0 - m * 0.05);
        record.m_iWaveStart = 105;
        record.m_iStreamInterval = 24;
        record.m_iWaveInterval = int(mm * 0.75 + 30.0);
        break;
    }

    record.m_iWaveSize = 2 + d + (m >= 25 ? 1 : 0);
    if (d == 0 && stage <= 9) record.m_iWaveSizeStep = 1;
    else if (d == 1 && stage <= 10) record.m_iWaveSizeStep = 1;
    else record.m_iWaveSizeStep = 2;
    record.m_iWaveSizeCap = d == 0 ? 11 : (d == 1 ? 15 : 20);

    record.m_iStreamInterval -= episode - 1;

    if (stage <= 50) FillStageEnemies1To50(stage, record);
    else if (stage <= 100) FillStageEnemies51To100(stage, record);
    else if (stage <= 150) FillStageEnemies101To150(stage, record);
    else FillStageEnemies151To180(stage, d, record);

    record.m_iWaveWeightTotal = SumTruncatedWeights(record.m_afWaveWeight);
    record.m_iStreamWeightTotal = SumTruncatedWeights(record.m_afStreamWeight);

    // Interval waves that would leave 0.35 of an interval or less before the end
    // are left off the list.
    record.m_nWaveTimes = 0;
    if (record.m_iWaveInterval > 0) {
        for (int t = record.m_iWaveStart; t < record.m_iLength; t += record.m_iWaveInterval) {
            if (0.35 * record.m_iWaveInterval < double(record.m_iLength - t)) AppendWaveTime(record, t);
        }
    }

    if (MiniGameRowOf(stage).clearsFinalWave) record.m_bFinalWave = false;
    if (record.m_bFinalWave) AppendWaveTime(record, record.m_iLength);

    record.m_iExtraEnemies = int((double(m % 25) / 25.0) * record.m_nWaveTimes);
}

void GetStageDefinition(int stage, StageDefinition& record) {
    GetStageDefinition(stage, g_CurrentProfile.m_iDifficulty, record);
}

void FillStageEnemies151To180(int stage, StageDefinition& record) {
    FillStageEnemies151To180(stage, ClampDifficulty(g_CurrentProfile.m_iDifficulty), record);
}

int GetStageWorldOf(const StageDefinition& record, int stage) {
    return record.m_iBackground != -1 ? record.m_iBackground / 100 : GetStageWorld(stage);
}

int GetCurrentStageWorld() {
    const CContentLink& link = GetContentLink();
    if (const StageDefinition* working = link.BattleStageDefinition())
        return GetStageWorldOf(*working, link.CurrentStage());
    return GetStageWorld(link.CurrentStage());
}
