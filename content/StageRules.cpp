#include "content/StageRules.h"

bool IsEpisodeFinalBossStage(int stage) { return ModeOf(stage) == MiniGameMode::FinalBoss; }

bool IsSlotMachineStage(int stage) { return KindOf(stage) == StageKind::SlotMachine; }

bool StageKeepsCardCharge(int stage) { return IsSlotMachineStage(stage) || KindOf(stage) == StageKind::FastMachines; }

bool IsWhaleDuelStage(int stage) {
    return ModeOf(stage) == MiniGameMode::BossDuel || ModeOf(stage) == MiniGameMode::BaseDuel;
}

bool IsChargeShotStage(int stage) { return KindOf(stage) == StageKind::ChargeShot; }

bool IsBaseDuelStage(int stage) { return IsEpisodeFinalBossStage(stage) || ModeOf(stage) == MiniGameMode::BaseDuel; }

bool IsJumpStage(int stage) { return KindOf(stage) == StageKind::Jumping; }
