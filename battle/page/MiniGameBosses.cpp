// Mini-games against one big Machine (156, 163, 166, 171, 174): the rules run
// in the model (MiniGameBossRules.h); a won stage enters the reward state.
#include "battle/model/MiniGameBossRules.h"
#include "battle/page/PageGame.h"

void CPageGame::UpdateBossDuel() {
    if (StepBossDuel(*this)) SetBattleState(*this, BATTLE_REWARD);
}

void CPageGame::UpdateFloatingBoss() { StepFloatingBoss(*this); }

void CPageGame::UpdateBombRun() {
    if (StepBombRun(*this)) SetBattleState(*this, BATTLE_REWARD);
}
