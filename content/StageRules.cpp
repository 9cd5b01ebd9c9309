#include "content/StageRules.h"

#include "content/UnitIds.h"

bool IsEpisodeFinalBossStage(int stage) { return stage == 160 || stage == 170 || stage == 180; }

int StageBossType(int stage) {
    if (stage == 180) return MachineId::DestroyerZero;
    if (stage == 160 || stage == 170 || stage == 171) return MachineId::Destroyer;
    return 0;
}

bool IsSlotMachineStage(int stage) {
    return stage == 159 || stage == 165 || stage == 169 || stage == 176 || stage == 178;
}

bool StageKeepsCardCharge(int stage) { return IsSlotMachineStage(stage) || stage == 175; }

bool IsWhaleDuelStage(int stage) { return stage == 156 || stage == 166 || stage == 174; }

bool IsChargeShotStage(int stage) { return stage == 164 || stage == 179; }

bool IsBaseDuelStage(int stage) { return IsEpisodeFinalBossStage(stage) || stage == 174; }

bool IsJumpStage(int stage) { return stage == 157 || stage == 167; }
