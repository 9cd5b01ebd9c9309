#include "content/StageRules.h"

#include "content/UnitIds.h"

bool IsEpisodeFinalBossStage(int stage) { return ModeOf(stage) == MiniGameMode::FinalBoss; }

int StageBossType(int stage) {
    if (stage == 180) return MachineId::DestroyerZero;
    if (stage == 160 || stage == 170 || stage == 171) return MachineId::Destroyer;
    return 0;
}

bool IsSlotMachineStage(int stage) { return KindOf(stage) == StageKind::SlotMachine; }

bool StageKeepsCardCharge(int stage) { return IsSlotMachineStage(stage) || KindOf(stage) == StageKind::FastMachines; }

bool IsWhaleDuelStage(int stage) {
    return ModeOf(stage) == MiniGameMode::BossDuel || ModeOf(stage) == MiniGameMode::BaseDuel;
}

bool IsChargeShotStage(int stage) { return KindOf(stage) == StageKind::ChargeShot; }

bool IsBaseDuelStage(int stage) { return IsEpisodeFinalBossStage(stage) || ModeOf(stage) == MiniGameMode::BaseDuel; }

bool IsJumpStage(int stage) { return KindOf(stage) == StageKind::Jumping; }

bool RelocationHasCooldown(int stage) { return stage == 153 || stage == 158 || IsEpisodeFinalBossStage(stage); }

bool MachinesArriveByMeteor(int stage) { return stage == 169; }
