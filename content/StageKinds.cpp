#include "content/StageKinds.h"

#include "content/MiniGameTable.h"

// A mini-game's kind and mode stand in its row (MiniGameTable.cpp).
StageKind KindOf(int stage) { return MiniGameRowOf(stage).kind; }

MiniGameMode ModeOf(int stage) { return MiniGameRowOf(stage).mode; }

bool HasParatroopers(int stage) {
    return ModeOf(stage) == MiniGameMode::BombRun || KindOf(stage) == StageKind::ConveyorCatch;
}
