#include "content/StageRules.h"

#include "content/StageNumbering.h"

bool IsEpisodeFinalBossStage(int stage) { return ModeOf(stage) == MiniGameMode::FinalBoss; }

bool IsRelocationStage(int stage) { return KindOf(stage) == StageKind::Relocation; }

bool IsSlotMachineStage(int stage) { return KindOf(stage) == StageKind::SlotMachine; }

bool StageKeepsCardCharge(int stage) { return IsSlotMachineStage(stage) || KindOf(stage) == StageKind::FastMachines; }

bool IsWhaleDuelStage(int stage) {
    return ModeOf(stage) == MiniGameMode::BossDuel || ModeOf(stage) == MiniGameMode::BaseDuel;
}

bool IsChargeShotStage(int stage) { return KindOf(stage) == StageKind::ChargeShot; }

bool IsBaseDuelStage(int stage) { return IsEpisodeFinalBossStage(stage) || ModeOf(stage) == MiniGameMode::BaseDuel; }

bool IsJumpStage(int stage) { return KindOf(stage) == StageKind::Jumping; }

StageWeather WeatherOf(int stage) {
    if (GetStageEpisode(stage) != 3) return StageWeather::None;
    switch (GetStageWorld(stage)) {
    case 1: return StageWeather::AcidRain;
    case 2: return StageWeather::Earthquake;
    case 3: return StageWeather::Whirlpools;
    case 4: return StageWeather::JetStreams;
    default: return StageWeather::None;
    }
}
