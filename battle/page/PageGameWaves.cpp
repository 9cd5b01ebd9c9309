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

float DistanceXY(const VxVec3& a, float x, float y) {
    const float dx = a.x - x, dy = a.y - y;
    return std::sqrt(dx * dx + dy * dy);
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

CCom_GameRobot* CBattleModel::DropTimeBombs(CCom_GameRobot& temp, int slot) {
    CCom_GameRobot* first = nullptr;
    int placed = 0;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS && placed < 5; ++r) {
            const FieldCell& cell = m_aFieldCells[c * FIELD_ROWS + r];
            if (VxRand() % (10 + placed) != 0) continue;
            bool blocked = false;
            for (const CCom_GameRobot& other : m_lstRobots)
                if ((!other.IsMachine() || other.Type() == MachineId::TimeBomb) &&
                    DistanceXY(other.m_vLastPosition, cell.m_fX, cell.m_fY) < 42.75f) {
                    blocked = true;
                    break;
                }
            if (blocked) continue;
            temp.m_iSerial = g_iNextRobotSerial++;
            temp.Place(0.0f, 0.0f, 0.0f);
            if (placed == 0) RestartSound(Scene().m_apEnemySounds[slot][0]);
            ++placed;
            m_lstRobots.push_back(temp);
            CCom_GameRobot& bomb = m_lstRobots.back();
            bomb.m_vHome = {cell.m_fX, cell.m_fY, cell.m_fZ};
            bomb.m_vPosition = bomb.m_vHome;
            bomb.m_vCell = {float(c), float(r), 0.0f};
            bomb.m_iRow = r;
            bomb.m_vPosition.y += 500.0f;
            if (!first) first = &bomb;
        }
    }
    return first;
}

CCom_GameRobot* CBattleModel::DropCapsuleCages(CCom_GameRobot& temp) {
    const int stage = CurrentStage();
    const int limit = stage < 70 ? 2 : stage < 80 ? 3 : stage < 90 ? 4 : stage < 100 ? 5 : 2;
    CCom_GameRobot* first = nullptr;
    int placed = 0;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const int k = c * FIELD_ROWS + r;
            if (m_aiCageCooldown[k] > 0) {
                --m_aiCageCooldown[k];
                continue;
            }
            const FieldCell& cell = m_aFieldCells[k];
            bool occupied = false;
            for (const CCom_GameRobot& other : m_lstRobots) {
                if (other.m_Unit.m_iRole == ROLE_ONESHOT) continue;
                const bool counts = (!other.IsMachine() && other.m_iHp > 0) || other.Type() == MachineId::CapsuleCage;
                if (counts && DistanceXY(other.m_vHome, cell.m_fX, cell.m_fY) < 42.75f) {
                    occupied = true;
                    break;
                }
            }
            if (VxRand() % 2 != 0 || !occupied) continue;
            temp.m_iSerial = g_iNextRobotSerial++;
            temp.Place(0.0f, 0.0f, 0.0f);
            m_lstRobots.push_back(temp);
            CCom_GameRobot& cage = m_lstRobots.back();
            cage.m_vHome = {cell.m_fX, cell.m_fY, cell.m_fZ};
            cage.m_vPosition = cage.m_vHome;
            cage.m_vPosition.y += 500.0f;
            if (!first) first = &cage;
            ++placed;
            m_aiCageCooldown[k] = 3;
            if (placed >= limit) return first;
        }
    }
    return first;
}

CCom_GameRobot* CBattleModel::CallEnemyRobot(int code, float x, float y, float z, bool allowMeteor) {
    CCom_GameRobot temp;
    int slot = -1;
    for (int i = 0; i < STAGE_ENEMY_RECORDS && slot < 0; ++i)
        if (m_aEnemyDefs[i].m_iType == code && code != 0) slot = i;
    if (code == -1) host::ShowMessageBox("CallEnemyRobot with BLANK Code", "CallEnemyRobot() Error", host::MB_OK);
    // A code that is none of the stage's Machines makes nothing.
    if (slot < 0) return nullptr;
    temp.m_iUnitSlot = slot;
    const UnitDefinition& record = m_aEnemyDefs[slot];

    if (allowMeteor) {
        const int stage = CurrentStage();
        bool meteor = stage == 169;
        if (!meteor && stage <= 150 && GetStageEpisode(stage) == 3 && GetStageWorld(stage) == 5 &&
            record.m_iTerrain == TERRAIN_GROUND && record.m_iMaxHp < 1300)
            meteor = VxRand() % 2 == 0;
        if (meteor) {
            if (Scene().m_pEffectMeteorEnemy) Scene().m_pEffectMeteorEnemy->Add(code);
            return nullptr;
        }
    }

    temp.m_Unit = record;
    CCom_GameRobot* made = nullptr;
    if (code == MachineId::TimeBomb) {
        made = DropTimeBombs(temp, slot);
    } else if (code == MachineId::CapsuleCage) {
        made = DropCapsuleCages(temp);
    } else {
        temp.Place(0.0f, 0.0f, 0.0f);
        if (x != 0.0f) temp.m_vPosition = {x, y, z};
        m_lstRobots.push_back(temp);
        made = &m_lstRobots.back();
        CVxSound* arrival = Scene().m_apEnemySounds[slot][0];
        if (made->m_Unit.m_iMoveMode == MOVE_NONE && arrival) {
            if (!arrival->IsPlaying()) arrival->Play();
            else if (g_iNextRobotSerial % 3 == 0) RestartSound(arrival);
        }
    }
    ++m_aiEnemyCalls[slot];
    for (int i = 0; i < MINI_GAME_LINKS; ++i) {
        CCom_GameRobot** link = MiniGameLink(i);
        if (*link && (*link)->m_iHp <= 0) *link = nullptr;
    }
    return made;
}
