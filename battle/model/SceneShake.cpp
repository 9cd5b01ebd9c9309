#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"

void CueScreenShake(BattleScene& scene, float amplitude) { scene.m_fShakeCue = amplitude; }

bool TakeScreenShake(BattleScene& scene, float& amplitude) {
    if (scene.m_fShakeCue < 0.0f) return false;
    amplitude = scene.m_fShakeCue;
    scene.m_fShakeCue = -1.0f;
    return true;
}
