#pragma once
// The enemy waves: a single-Machine stream and a wave stream out of the stage
// record, each picking types by a weighted rotation without chance, and the
// final wave. The rotations' cursors are the model's m_iStreamCursor and
// m_iBatchCursor; the weights live in its stage record.
class CBattleModel;

// Sends the frame's stream Machine and wave, if one is due.
void UpdateEnemySpawner(CBattleModel& model);
// The next type of each rotation (0 when the stage weighs none).
int PickStreamEnemy(CBattleModel& model);
int PickBatchEnemy(CBattleModel& model);
// After a wave: the next wave is larger and its weights take a step.
void UpdateSpawnWeights(CBattleModel& model);
