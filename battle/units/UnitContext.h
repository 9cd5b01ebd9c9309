#pragma once
// What the battle units read of the running game: the battle page, the stage,
// the frame counter and the screen. Shared by the unit sources only.
#include <cmath>

#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "engine/VxSound.h"
#include "platform/Random.h"
#include "game/GameApplication.h"

namespace units {

inline CPageGame* Page() { return BattlePageOf(g_pGameAppInstance); }
inline int Stage() { return g_pGameAppInstance ? g_pGameAppInstance->m_iCurrentStage.load() : 1; }
inline int BattleStateOf(const CPageGame* page) { return page ? page->m_iBattleState : 0; }
// The engine frame counter that drives every periodic effect.
inline int Frame() { return g_pGameAppInstance ? g_pGameAppInstance->m_nFrame.load() : 0; }
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

}  // namespace units
