#include "content/StageKinds.h"

#include <iterator>

namespace {

struct StageKindRow {
    StageKind kind;
    MiniGameMode mode;
};

constexpr int kFirstMiniGame = 151;

using K = StageKind;
using M = MiniGameMode;

// One row a mini-game, 151 first.
// clang-format off
constexpr StageKindRow kMiniGames[] = {
    /* 151 */ {K::AdvanceRounds, M::None},
    /* 152 */ {K::AimedShooting, M::None},
    /* 153 */ {K::Relocation,    M::None},
    /* 154 */ {K::Steering,      M::CapsuleSupply},
    /* 155 */ {K::Steering,      M::BothSides},
    /* 156 */ {K::Steering,      M::BossDuel},
    /* 157 */ {K::Jumping,       M::Swim},
    /* 158 */ {K::Relocation,    M::SequenceGame},
    /* 159 */ {K::SlotMachine,   M::None},
    /* 160 */ {K::Relocation,    M::FinalBoss},
    /* 161 */ {K::CapsuleRain,   M::None},
    /* 162 */ {K::AimedShooting, M::ShotCapsule},
    /* 163 */ {K::Steering,      M::FloatingBoss},
    /* 164 */ {K::ChargeShot,    M::None},
    /* 165 */ {K::SlotMachine,   M::None},
    /* 166 */ {K::Steering,      M::BossDuel},
    /* 167 */ {K::Jumping,       M::Climb},
    /* 168 */ {K::ClickZapping,  M::None},
    /* 169 */ {K::SlotMachine,   M::None},
    /* 170 */ {K::Relocation,    M::FinalBoss},
    /* 171 */ {K::Steering,      M::BombRun},
    /* 172 */ {K::Relocation,    M::EnergyGoal},
    /* 173 */ {K::Relocation,    M::None},
    /* 174 */ {K::Steering,      M::BaseDuel},
    /* 175 */ {K::FastMachines,  M::None},
    /* 176 */ {K::SlotMachine,   M::None},
    /* 177 */ {K::ConveyorCatch, M::None},
    /* 178 */ {K::SlotMachine,   M::None},
    /* 179 */ {K::ChargeShot,    M::None},
    /* 180 */ {K::Relocation,    M::FinalBoss},
};
// clang-format on

const StageKindRow* RowOf(int stage) {
    const int i = stage - kFirstMiniGame;
    if (i < 0 || i >= int(std::size(kMiniGames))) return nullptr;
    return &kMiniGames[i];
}

}  // namespace

bool IsMiniGameStage(int stage) { return stage >= kFirstMiniGame; }

StageKind KindOf(int stage) {
    const StageKindRow* row = RowOf(stage);
    return row ? row->kind : StageKind::Battle;
}

MiniGameMode ModeOf(int stage) {
    const StageKindRow* row = RowOf(stage);
    return row ? row->mode : MiniGameMode::None;
}

bool HasParatroopers(int stage) {
    return ModeOf(stage) == MiniGameMode::BombRun || KindOf(stage) == StageKind::ConveyorCatch;
}
