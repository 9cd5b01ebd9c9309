#pragma once
// Mini-games against one big Machine: the duels of 156, 166 and 174, the
// floating boss of 163 and the bomb run of 171 against The Destroyer. Each
// answers true on the frame the player has won (the page then enters the
// reward state).
class CBattleModel;

bool StepBossDuel(CBattleModel& model);      // 156, 166, 174
void StepFloatingBoss(CBattleModel& model);  // 163
bool StepBombRun(CBattleModel& model);       // 171
