#include "content/StageNumbering.h"

#include "content/GameLink.h"
#include "content/SaveProfile.h"
#include "content/StageRules.h"

bool IsMiniGameStage(int stage) { return stage >= FIRST_MINI_GAME_STAGE; }

int OrdinaryStageOf(int stage) { return IsMiniGameStage(stage) ? 5 * (stage - 150) : stage; }

int GetStagePosition(int stage) { return OrdinaryStageOf(stage) - 1; }

int GetStageEpisode(int stage) { return GetStagePosition(stage) / 50 + 1; }

int GetStageWorld(int stage) { return GetStagePosition(stage) % 50 / 10 + 1; }

int GetStageInEpisode(int stage) { return GetStagePosition(stage) % 50 + 1; }

int NextStageId(int stage) {
    if (IsMiniGameStage(stage)) return 5 * stage - 749;
    if (stage % 5 == 0) return 150 + stage / 5;
    return stage + 1;
}

bool IsEpisodeFinalStage() { return IsEpisodeFinalBossStage(GetContentLink().CurrentStage()); }

int GetStagePlayOrder(int stage) {
    if (stage < 1 || stage > LAST_STAGE) return -1;
    // Each group of five ordinary stages is followed by its mini-game.
    if (IsMiniGameStage(stage)) return 6 * (stage - 150) - 1;
    return (stage - 1) + (stage - 1) / 5;
}

void AdvanceFurthestStage(int stage) {
    const int furthest = g_CurrentProfile.m_iFurthestStage;
    if (furthest == LAST_STAGE) return;
    // Compared by place in the order of play. Stepping both ids along the
    // order instead goes wrong once a step passes 180 and wraps to 151: a
    // replayed mini-game would then pull a player at stage 150 back to it.
    if (GetStagePlayOrder(stage) > GetStagePlayOrder(furthest)) g_CurrentProfile.m_iFurthestStage = stage;
}
