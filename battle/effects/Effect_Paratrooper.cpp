#include "battle/effects/Effect_Paratrooper.h"

#include <cmath>

#include "battle/effects/Effect_RobotJumpOut.h"
#include "battle/model/BattleModel.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameRobot.h"
#include "battle/model/SkyDrops.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;
constexpr float kParachuteLift = 80.0f;

CVxBillboard* CardPicture(const CBattleModel* battle, int slot) {
    if (!battle || slot < 0 || slot >= HAND_SLOTS) return nullptr;
    return battle->Scene().m_aHandArt[slot].m_apAct[0][0];
}

// How far above the robot's point its card picture is drawn.
float PictureLift(const CVxBillboard* card) { return (card ? 0.5f * card->m_vSize.y : 0.0f) - 40.375f - 10.0f; }

bool Inside(float px, float py, float cx, float cy, float half) {
    return std::fabs(px - cx) < half && std::fabs(py - cy) < half;
}

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
    m_nPoolSize = PARATROOPER_POOL;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    for (int i = 0; i < PARATROOPER_POOL; ++i) {
        Clear(i);
        m_aiState[i] = -1;
        m_avRobot[i] = m_avPicture[i] = VxVec3{0.0f, 0.0f, 0.0f};
        m_aiWidth[i] = 0;
    }
    const int stage = CurrentStage();
    if (stage == 177 || stage == 171) {
        m_pParachute = CreateBillboard("Parachute.png", "Resource\\Effect\\", nullptr);
        if (m_pParachute) m_pParachute->SetAlphaBlend(true);
        m_pSfxCut = CreateSound("SFX_Cut_Parachute.ogg", "Resource\\Sound\\SFX\\MiniGame\\");
    }
}

void CEffect_Paratrooper::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    const VxVec3 start = DrawParatrooperStart();
    r.params[0] = start.x;
    r.params[1] = start.y;
    r.params[2] = 0.0f;
    const CVxBillboard* card = CardPicture(m_pBattle, r.kind);
    m_aiWidth[index] = card ? int(card->m_vSize.x) : 0;
    m_aiState[index] = 0;
    m_avRobot[index] = VxVec3{start.x, start.y, 0.0f};
}

int CEffect_Paratrooper::Release(int index) {
    if (!m_pBattle) return -1;
    return DropParatrooper(*m_pBattle, m_aInstances[index].kind, VxVec3{m_avRobot[index].x, m_avRobot[index].y, 0.0f});
}

void CEffect_Paratrooper::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    CBattleModel* battle = m_pBattle;
    const int stage = CurrentStage();
    const int a = r.age;
    VxVec3& p = m_avRobot[index];
    if (m_aiState[index] == 0) {
        p.x = r.params[0].f + 30.0f * std::sin(float(75 * index + 2 * a) * kDegrees);
        p.y = r.params[1].f - float(a) - std::fabs(5.0f * std::sin(float(a) * kDegrees));
        p.z = r.params[2].f;
        if (stage == 171) p.x += 2.5f * float(a);
    } else {
        p.y += 5.0f;
    }
    CVxBillboard* card = CardPicture(battle, r.kind);
    m_avPicture[index] = VxVec3{p.x, p.y + PictureLift(card), p.z};
    const VxVec3& pic = m_avPicture[index];

    DrawAt(m_pParachute, p.x, pic.y + kParachuteLift, 0.0f, 0.0f);
    if (m_aiState[index] == 0) DrawAt(card, pic.x, pic.y, pic.z, 0.0f);

    const float halfH = 0.5f * float(g_iScreenHeight);
    if (m_aiState[index] == 0 && stage == 177 && battle && ParatrooperReachesGround(*battle, p.y)) {
        m_aiState[index] = 1;
        LandParatrooper(*battle, r.kind, VxVec3{p.x, p.y, 0.0f});
    }
    // An empty parachute is done once it has flown off the top. One still
    // hanging stays (on 171 it drifts off for good and keeps its record, so
    // the pool of 30 fills and later jump-outs get no parachute).
    if (m_aiState[index] != 0 && p.y > halfH + 256.0f) {
        m_aiState[index] = -1;
        Clear(index);
    }
}

void CEffect_Paratrooper::DrawParachuteOver(const VxVec3& robot, int slot) const {
    DrawAt(m_pParachute, robot.x, robot.y + PictureLift(CardPicture(m_pBattle, slot)) + kParachuteLift, 0.0f, 0.0f);
}

void CEffect_Paratrooper::HandleClick() {
    if (CurrentStage() == 171 || !g_pApp) return;
    CBattleModel* battle = m_pBattle;
    InputRecord& in = g_pApp->m_aInput[0];
    const float cx = float(in.m_iCursorX) - 0.5f * float(g_iScreenWidth);
    const float cy = 0.5f * float(g_iScreenHeight) - float(in.m_iCursorY);
    const bool pressed = (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED) != 0;
    for (int i = PARATROOPER_POOL - 1; i >= 0; --i) {
        if (m_aiState[i] != 0 || m_aInstances[i].life <= 0) continue;
        const VxVec3& p = m_avRobot[i];
        const VxVec3& pic = m_avPicture[i];
        const float chuteY = pic.y + kParachuteLift;
        const float w = float(m_aiWidth[i]);
        const bool cut =
            pressed && (Inside(cx, cy, p.x, chuteY, PARACHUTE_HALF) || Inside(cx, cy, pic.x, pic.y, 0.5f * w));
        const bool touched =
            !cut && battle && MachineTouchesParatrooper(*battle, VxVec3{p.x, chuteY, 0.0f}, pic, 0.4f * w);
        if (!cut && !touched) continue;
        m_aiState[i] = 1;
        Release(i);
        if (cut) {
            // The press is spent on the parachute, not passed on to the field.
            in.m_aiKey[MOUSE_LEFT] &= ~KEY_PRESSED;
            if (m_pSfxCut) {
                m_pSfxCut->Stop();
                m_pSfxCut->Play();
            }
        }
        return;
    }
}

void CEffect_RobotJumpOut::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    CBattleModel* battle = m_pBattle;
    const int t = r.age;
    const float e = float(t) / 120.0f;
    const VxVec3 at{r.params[0].f + 8.0f * float(t),
                    r.params[1].f + 400.0f * std::sin(270.0f * e * kDegrees) - 5.0f * float(t), r.params[2].f};
    DrawAt(CardPicture(battle, r.kind), at.x, at.y, at.z, 10.0f * float(t));
    if (t != 60) return;
    if (CEffect_Paratrooper* chute = battle ? battle->Scene().m_pEffectParatrooper : nullptr) {
        for (int i = 0; i < PARATROOPER_POOL; ++i) {
            if (chute->m_aInstances[i].life > 0) continue;
            chute->Start(i, r.kind, 0, 0, 0, 0, 0, 0);
            chute->m_aInstances[i].params[0] = at.x;
            chute->m_aInstances[i].params[1] = at.y;
            chute->m_aInstances[i].params[2] = at.z;
            chute->m_avRobot[i] = at;
            break;
        }
    }
    Clear(index);
}

void CueParatrooper(BattleScene& scene, int slot) {
    if (scene.m_pEffectParatrooper) scene.m_pEffectParatrooper->Add(slot, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
}

void CueRobotThrownOut(BattleScene& scene, int slot, float x, float y, float z) {
    if (scene.m_pEffectRobotJumpOut) scene.m_pEffectRobotJumpOut->Add(slot, x, y, z);
}
