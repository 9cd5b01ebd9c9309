#pragma once
// What each stage is. Stages up to 150 are battles; 151 to 180 are mini-games,
// each of a kind (what the player does there) and, where it has rules of its
// own within that kind, a mode (the rule pass that runs it).

#include "content/StageKindAndMode.h"
#include "content/StageNumbering.h"

// Battle for every stage that is no mini-game, out-of-range numbers included.
StageKind KindOf(int stage);
MiniGameMode ModeOf(int stage);

// The stages whose paratroopers bring robots down from the sky.
bool HasParatroopers(int stage);
