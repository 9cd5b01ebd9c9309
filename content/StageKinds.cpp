#include "content/StageKinds.h"

#include "content/MiniGameTable.h"
#include "content/StageNumbering.h"

bool IsMiniGameStage(int stage) { return stage >= FIRST_MINI_GAME_STAGE; }

// A mini-game's kind and mode stand in its row (MiniGameTable.cpp).
StageKind KindOf(int stage) { return MiniGameRowOf(stage).kind; }

MiniGameMode ModeOf(int stage) { return MiniGameRowOf(stage).mode; }

bool HasParatroopers(int stage) {
    return ModeOf(stage) == MiniGameMode::BombRun || KindOf(stage) == StageKind::ConveyorCatch;
}
