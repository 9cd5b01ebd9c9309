#include "battle/effects/Effect_DestroyerHand.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BossHandRules.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDeg = 0.017453292519943295f;
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

void CEffect_DestroyerHand::Tick() {
    if (!m_pBattle) return;
    for (const BossHandStrike& s : m_pBattle->State().m_aBossHands) {
        if (!s.live) continue;
        if (s.hand == m_iLayer) DrawStrike(s, s.shownAge);
        else if (m_iLayer == 1 && s.age < BOSS_HAND_AIM) DrawStrike(s, s.age);
    }
}

void CEffect_DestroyerHand::DrawStrike(const BossHandStrike& s, int a) const {
    const BattleScene& scene = m_pBattle->Scene();
    const FieldCell& cell = m_pBattle->State().m_aFieldCells[s.column * FIELD_ROWS + s.row];
    const float tx = cell.m_fX, ty = cell.m_fY, tz = cell.m_fZ;
    const float sx = BossHandStartX(), sy = BossHandStartY(*m_pBattle, s.row);
    const int n = std::max(1, BossHandTravelFrames(sx, sy, tx, ty));
    if (a < BOSS_HAND_AIM) {
        if (CVxBillboard* mark = scene.m_pBossTargetMark) {
            mark->SaveState();
            mark->SetPosition(tx, ty, tz);
            mark->SetRotation(0.0f, 0.0f, -5.0f * float(a) * kDeg);
            mark->RenderSRT();
            mark->RestoreState();
        }
        return;
    }
    if (s.hand != m_iLayer) return;

    CVxBillboard* const* hands = scene.m_apBossHandArt;
    const int t = a - BOSS_HAND_AIM;
    float px, py;
    if (t < n) {
        const float f = float(t) / float(n);
        px = sx + (tx - sx) * f;
        py = sy + (ty - sy) * f;
        DrawHand(hands[0], px - 64.0f, py, 0.0f, s.hand, t);
    } else if (t < n + BOSS_HAND_GRAB) {
        const int f = t - n;
        px = tx;
        py = ty;
        DrawHand(hands[(f / 5) % BOSS_HAND_FRAMES], tx - 64.0f, ty, tz, s.hand, f);
    } else if (t < n + BOSS_HAND_GRAB + n) {
        const int f = t - n - BOSS_HAND_GRAB;
        const float k = float(f) / float(n);
        px = tx + (sx - tx) * k;
        py = ty + (sy - ty) * k;
        DrawHand(hands[BOSS_HAND_FRAMES - 1], px - 64.0f, py, 0.0f, s.hand, f);
    } else {
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
