// Two mini-games of shots the player times: on 164 and 179 the left button
// charges the cannons and its release fires them, farther the longer it was
// held; on 168 a click sends a charged robot's shot at the Machine under the
// mouse, which hits only while that Machine blinks.
#include <cmath>

#include "battle/effects/Effect_Cross.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "engine/VxMath.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

}  // namespace

void CPageGame::DrawChargeShotGauge() {
    auto* x = dynamic_cast<CVxXApplication*>(g_pApp);
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    // The gauge sits over the hand row, the cannon icon at its foot.
    const float left = -360.0f, foot = -262.0f;
    const float fraction = std::fmin(1.0f, float(m_Battle.State().m_iChargeFrames) / float(FULL_CHARGE_FRAMES));
    if (CVxBillboard* icon = m_pAttackIcon) {
        icon->SaveState();
        icon->SetPosition(left, foot, 0.0f);
        // Below a quarter the shot would fail: the icon stays dim.
        const float lit = fraction >= 0.25f ? 1.0f : 0.5f;
        icon->SetDiffuse(lit, lit, lit, 1.0f);
        icon->RenderSRT();
        icon->RestoreState();
    }
    if (x && app->m_pBbdDelayGauge) {
        CVxBillboard* gauge = app->m_pBbdDelayGauge;
        gauge->SaveState();
        gauge->SetDiffuse(1.0f, 1.0f - fraction, 0.2f, 1.0f);
        x->DrawGaugeBar(gauge, 24.0f, 120.0f, left + 50.0f, foot + 30.0f, fraction);
        gauge->RestoreState();
    }
    if (CVxBillboard* bomb = m_pBombIcon; bomb && fraction >= 0.25f) {
        bomb->SaveState();
        bomb->SetPosition(left + 50.0f, foot + 30.0f + 120.0f * (fraction - 0.5f), 0.0f);
        bomb->RenderSRT();
        bomb->RestoreState();
    }
}

void CPageGame::HandleZapInput() {
    if (KindOf(CurrentStage()) != StageKind::ClickZapping || !g_pApp) return;
    const InputRecord& in = g_pApp->m_aInput[0];
    if (!(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return;
    const VxVec3 at = CursorPoint();
    CGameApplication* app = g_pGameAppInstance;
    auto refuse = [&] {
        if (m_pEffectCross) m_pEffectCross->AddAtPoint(at.x, at.y, at.z);
        if (app && app->m_pSndError && !app->m_pSndError->IsPlaying()) app->m_pSndError->Play();
    };
    // Every attacker still charging refuses the press, and so does a charged
    // one with no Machine in reach.
    const ZapPreview seen = PreviewZap(m_Battle, at, EngineFrame());
    for (int n = seen.charging; n > 0; --n) refuse();
    ApplyCommand(ZapAt{at.x, at.y});
    if (seen.nothingInReach) refuse();
}

void CPageGame::DrawChargeGauges() {
    auto* x = dynamic_cast<CVxXApplication*>(g_pApp);
    CGameApplication* app = g_pGameAppInstance;
    if (!x || !app || !app->m_pBbdDelayGauge) return;
    CVxBillboard* gauge = app->m_pBbdDelayGauge;
    gauge->SaveState();
    for (const CCom_GameRobot* r : m_Battle.State().m_apMiniGameRobots) {
        if (!r) continue;
        const VxVec3& p = r->m_vLastPosition;
        x->DrawGaugeBar(gauge, 8.0f, 50.0f, p.x + 40.0f, p.y, MiniGameChargeRatio(m_Battle, *r));
    }
    gauge->RestoreState();
}

void CPageGame::DrawPulsingMarker(const VxVec3& at, float scale) {
    CVxBillboard* mark = m_pCanMoveIcon;
    if (!mark) return;
    const float p = float(EngineFrame() % 40) / 39.0f;
    mark->SaveState();
    if (scale != 1.0f) mark->ScaleSizeUniform(scale);
    mark->SetPosition(at.x, at.y, at.z);
    mark->RenderSRT();
    mark->ScaleSizeUniform(1.0f + 0.5f * p);
    mark->SetBlendMode(4, 0);
    mark->SetDiffuse(1.0f - p, 1.0f - p, 1.0f - p, 1.0f - p);
    mark->RenderSRT();
    mark->RestoreState();
}
