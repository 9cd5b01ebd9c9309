#include "battle/effects/Effect_Paratrooper.h"

#include <cmath>

#include "battle/effects/Effect_RobotJumpOut.h"
#include "battle/model/BattleModel.h"
#include "battle/model/SceneCues.h"
#include "battle/model/SkyDrops.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

CVxBillboard* CardPicture(const CBattleModel* battle, int slot) {
    if (!battle || slot < 0 || slot >= HAND_SLOTS) return nullptr;
    return battle->Scene().m_aHandArt[slot].m_apAct[0][0];
}

// How far above the robot's point its card picture is drawn.
float PictureLift(const CVxBillboard* card) { return ParatrooperPictureLift(card ? card->m_vSize.y : 0.0f); }

void DrawAt(CVxBillboard* picture, float x, float y, float z, float degrees) {
    if (!picture) return;
    picture->SaveState();
    picture->SetPosition(x, y, z);
    if (degrees != 0.0f) picture->SetRotationZ(degrees * kDegrees);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

CEffect_Paratrooper::CEffect_Paratrooper() {
    m_nPoolSize = 0;
    const int stage = CurrentStage();
    if (HasParatroopers(stage)) {
        m_pParachute = CreateBillboard("Parachute.png", "Resource\\Effect\\", nullptr);
        if (m_pParachute) m_pParachute->SetAlphaBlend(true);
        m_pSfxCut = CreateSound("SFX_Cut_Parachute.ogg", "Resource\\Sound\\SFX\\MiniGame\\");
    }
}

void CEffect_Paratrooper::Tick() {
    if (!m_pBattle) return;
    for (const Paratrooper& r : m_pBattle->State().m_aParatroopers) {
        if (!r.shown) continue;
        DrawAt(m_pParachute, r.robot.x, r.picture.y + PARACHUTE_LIFT, 0.0f, 0.0f);
        if (r.cardShown) DrawAt(CardPicture(m_pBattle, r.slot), r.picture.x, r.picture.y, r.picture.z, 0.0f);
    }
}

void CEffect_Paratrooper::DrawParachuteOver(const VxVec3& robot, int slot) const {
    DrawAt(m_pParachute, robot.x, robot.y + PictureLift(CardPicture(m_pBattle, slot)) + PARACHUTE_LIFT, 0.0f, 0.0f);
}

void CEffect_RobotJumpOut::Tick() {
    if (!m_pBattle) return;
    for (const ThrownRobot& r : m_pBattle->State().m_aThrownRobots)
        if (r.shown) DrawAt(CardPicture(m_pBattle, r.slot), r.at.x, r.at.y, r.at.z, r.degrees);
}

void CueParachuteCut(BattleScene& scene) {
    if (scene.m_pEffectParatrooper) RestartSound(scene.m_pEffectParatrooper->m_pSfxCut);
}
