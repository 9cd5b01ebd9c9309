#include "battle/effects/Effect_DestroyerHand.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BossHandRules.h"
#include "battle/model/SceneCues.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDeg = 0.017453292519943295f;
constexpr int kAim = 180;
constexpr int kGrab = 50;
constexpr int kGrabFrame = 20;

void Restart(CVxSound* s) {
    if (!s) return;
    s->Stop();
    s->Play();
}

void DrawHand(CVxBillboard* picture, float x, float y, float z, int kind, int f) {
    if (!picture) return;
    const float c = 0.2f + 0.2f * std::sin(10.0f * float(f) * kDeg);
    picture->SaveState();
    if (kind == 0) {
        picture->SetDiffuse(c - 0.1f, c - 0.1f, c - 0.1f, 1.0f);
        picture->ScaleSizeUniform(1.1f);
    } else {
        picture->SetDiffuse(c, c, c, 1.0f);
        picture->ScaleSizeUniform(1.3f);
    }
    picture->SetBlendMode(BLEND_COLOR, picture->m_iAlphaRef);
    picture->SetRotation(0.0f, 0.0f, 0.7853982f);
    picture->SetPosition(x, y, z);
    picture->RenderSRT();
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    picture->SetRotation(0.0f, 0.0f, 0.0f);
    picture->RestoreState();
}

}  // namespace

int CEffect_DestroyerHand::TravelFrames(float fromX, float fromY, float toX, float toY) {
    const float dx = toX - fromX, dy = toY - fromY;
    return int(std::sqrt(dx * dx + dy * dy) / 30.0f);
}

void CEffect_DestroyerHand::OnFrame(int index) {
    EffectInstance& e = m_aInstances[index];
    const int a = e.age;
    const bool ownPass = e.kind == m_iLayer;
    // The other pass's tick does not advance the record; it only draws the
    // mark of a pass-0 hand again in front during the aim.
    if (!ownPass) --e.age;
    if (!ownPass && !(m_iLayer == 1 && a < kAim)) return;

    CBattleModel* battle = m_pBattle;
    if (!battle) return;
    const BattleScene& scene = battle->Scene();
    const int column = int(e.params[0].f), row = int(e.params[1].f);
    if (column < 0 || column >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS) {
        Clear(index);
        return;
    }
    const FieldCell& cell = battle->State().m_aFieldCells[column * FIELD_ROWS + row];
    const float tx = cell.m_fX, ty = cell.m_fY, tz = cell.m_fZ;
    const float sx = -0.6f * float(g_iScreenWidth), sy = battle->State().m_aFieldCells[row].m_fY;
    const int n = std::max(1, TravelFrames(sx, sy, tx, ty));

    if (ownPass) {
        if (a == 150) Restart(scene.m_pSfxBossWarning);
        if (a == kAim + n) Restart(scene.m_pSfxBossGrab);
    }
    if (a < kAim) {
        if (CVxBillboard* mark = scene.m_pBossTargetMark) {
            mark->SaveState();
            mark->SetPosition(tx, ty, tz);
            mark->SetRotation(0.0f, 0.0f, -5.0f * float(a) * kDeg);
            mark->RenderSRT();
            mark->RestoreState();
        }
        return;
    }
    if (!ownPass) return;

    CVxBillboard* const* hands = scene.m_apBossHandArt;
    const int t = a - kAim;
    float px, py;
    if (t < n) {
        const float f = float(t) / float(n);
        px = sx + (tx - sx) * f;
        py = sy + (ty - sy) * f;
        DrawHand(hands[0], px - 64.0f, py, 0.0f, e.kind, t);
    } else if (t < n + kGrab) {
        const int f = t - n;
        px = tx;
        py = ty;
        DrawHand(hands[(f / 5) % BOSS_HAND_FRAMES], tx - 64.0f, ty, tz, e.kind, f);
        // The hand closes on the cell centre.
        if (f == kGrabFrame) CloseBossHand(*battle, tx, ty);
    } else if (t < n + kGrab + n) {
        const int f = t - n - kGrab;
        const float k = float(f) / float(n);
        px = tx + (sx - tx) * k;
        py = ty + (sy - ty) * k;
        DrawHand(hands[BOSS_HAND_FRAMES - 1], px - 64.0f, py, 0.0f, e.kind, f);
    } else {
        // Ended by its age: the strike is over once the hand is back out.
        Clear(index);
        return;
    }
    if (CVxBillboard* smoke = scene.m_pBossSmoke) {
        const int frame = g_pGameAppInstance ? int(g_pGameAppInstance->m_nFrame) : 0;
        for (int ring = 0; ring < 5; ++ring)
            for (int i = 0; i < 5; ++i) {
                const float angle = float(72 * i + 15 * ring + frame * 3) * kDeg;
                const float radius = 20.0f + 18.0f * float(ring);
                const float alpha = 0.5f - 0.08f * float(ring);
                smoke->SaveState();
                smoke->SetBlendMode(BLEND_ADD, smoke->m_iAlphaRef);
                smoke->SetSizeUniform(128.0f);
                smoke->ScaleSizeUniform(0.5f + 0.1f * float(ring));
                smoke->SetDiffuse(0.5f, 0.5f, 0.5f, alpha);
                smoke->SetPosition(px - 64.0f + radius * std::cos(angle) - 60.0f, py + radius * std::sin(angle), 0.0f);
                smoke->RenderSRT();
                smoke->RestoreState();
            }
    }
}

void CueBossHand(BattleScene& scene, int hand, float column, float row) {
    if (scene.m_pEffectDestroyerHand) scene.m_pEffectDestroyerHand->Add(hand, column, row);
}

void CueBossHandsDown(BattleScene& scene) {
    if (!scene.m_pEffectDestroyerHand) return;
    scene.m_pEffectDestroyerHand->Clear(0);
    scene.m_pEffectDestroyerHand->Clear(1);
}
