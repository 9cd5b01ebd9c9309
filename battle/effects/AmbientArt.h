#pragma once
// What the field animations of the battle share: the view of the battle, the screen,
// the world in play, and a picture made through an effect's own manager only
// in the world that shows it.
#include <cmath>

#include "battle/model/BattleLimits.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BattleView.h"
#include "content/FieldGrid.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

namespace ambient {

inline int Stage() { return g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1; }
inline float W() { return float(g_iScreenWidth); }
inline float H() { return float(g_iScreenHeight); }
inline float SinDeg(double degrees) { return float(std::sin(degrees * 0.017453292519943295)); }
inline float CosDeg(double degrees) { return float(std::cos(degrees * 0.017453292519943295)); }
// While the player carries a card the scenery thins out so the field stays readable.
inline bool CardCarried(const BattleView* view) { return view && view->CarriedCard() >= 0; }
// The last 30 frames of a record's life fade it out.
inline float FadeOut(int life) { return life < 30 ? float(life) / 30.0f : 1.0f; }

constexpr const char* kFolder = "Resource\\Stage\\Ambient\\";

// The picture, when the world in play is the effect's own; null otherwise.
CVxBillboard* WorldPicture(CVxResourceManager& owner, int world, const char* name, const char* folder = kFolder);

}  // namespace ambient
