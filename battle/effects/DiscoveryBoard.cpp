#include "battle/effects/DiscoveryBoard.h"

#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

float DiscoverySlideY(int kind, int age) {
    if (kind == 1) return float(DISCOVERY_REST_Y + DISCOVERY_SLIDE_STEP * age);
    const float y = float(DISCOVERY_SLIDE_START - DISCOVERY_SLIDE_STEP * age);
    return y < float(DISCOVERY_REST_Y) ? float(DISCOVERY_REST_Y) : y;
}

void DrawDiscoveryRays(CGameApplication& app, CVxBillboard* rays, const VxVec3& at) {
    if (!rays) return;
    rays->SaveState();
    rays->SetRotation(0.0f, 0.0f, float(app.m_nFrame) * -0.1f * VX_DEG_TO_RAD);
    rays->ScaleSize2D(1.5f, 1.15f);
    rays->SetPosition(at.x, at.y + 60.0f, at.z);
    rays->RenderRST();
    rays->RestoreState();
}

bool TakeBoardClose(CVxButton* ok) {
    const bool clicked = ok && ok->TakeClick();
    return clicked || TakeKeyRelease(VK_ENTER);
}
