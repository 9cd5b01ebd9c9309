#pragma once
// What the battle units read beside their model's state: its frame clock and
// the screen. Shared by the unit sources only.
#include <cmath>

#include "battle/effects/Effect_Spike.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "engine/VxSound.h"
#include "platform/Random.h"
#include "game/GameApplication.h"

namespace units {

// The battle's frame clock, which drives every periodic effect.
inline int Frame(const CBattleModel& model) { return model.AppFrame(); }
inline float HalfScreenWidth() { return float(g_iScreenWidth) * 0.5f; }

constexpr float DEG = 0.017453292519943295f;
inline float SinDeg(float degrees) { return std::sin(degrees * DEG); }
inline float CosDeg(float degrees) { return std::cos(degrees * DEG); }

// Restarts a sound from its beginning (stopping rewinds it).
inline void Restart(CVxSound* sound) {
    if (!sound) return;
    sound->Stop();
    sound->Play();
}

// Clears a spiked cell: its spikes burst; answers whether it held any. The
// caller asks the stage to redraw its ground (once for a blast's many cells).
// The burst's numbers are rolled here, shown or not.
inline bool ClearSpikes(CBattleModel& model, FieldCell& cell) {
    if (cell.m_iSpikeFree != 0) return false;
    cell.m_iSpikeFree = 1;
    SpikeRoll roll;
    if (RuleState(model).m_pStage && RuleState(model).m_pStage->m_Ambient.StartSpike(roll) &&
        model.Scene().m_pEffectSpike)
        model.Scene().m_pEffectSpike->AddRolled(cell.m_fX, cell.m_fY, cell.m_fZ, roll);
    return true;
}

// Redraws the stage's ground after its cells changed.
inline void RedrawGround(CBattleModel& model) {
    if (RuleState(model).m_pStage) RuleState(model).m_pStage->Update(model, true);
}

}  // namespace units
