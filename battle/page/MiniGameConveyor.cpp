// Stage 177's catch counter (the rules: battle/model/MiniGameCatch.cpp).
#include <algorithm>
#include <utility>

#include "battle/page/PageGame.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

}  // namespace

void CPageGame::DrawCatchCounter() {
    CGameApplication* app = g_pGameAppInstance;
    const int frame = EngineFrame();
    float slide = 0.0f;
    if (m_Battle.State().m_iBattleState == BATTLE_LOADING && frame - m_Battle.State().m_iStateEntryFrame < 30)
        slide = float(m_Battle.State().m_iStateEntryFrame + 30 - frame);
    else if (m_Battle.State().m_iBattleState == BATTLE_RESULT)
        slide = float(std::min(frame - m_Battle.State().m_iStateEntryFrame, 30));
    const float y = 264.0f + slide;
    for (const auto& [picture, x] : {std::pair{m_pMiniGamePanel, 275.0f}, std::pair{m_pParachuteIcon, 315.0f}}) {
        if (!picture) continue;
        picture->SaveState();
        picture->SetPosition(x, y, 0.0f);
        picture->RenderSRT();
        picture->RestoreState();
    }
    if (CVxNumber* number = app ? app->m_pNumInterface : nullptr) {
        number->SaveState();
        const float spacing = number->m_fSpacing;
        const int align = number->m_iAlign, digits = number->m_nMinDigits;
        number->m_fSpacing = 19.0f;
        number->m_iAlign = -1;
        number->m_nMinDigits = 1;
        number->SetPosition(353.0f, y, 0.0f);
        number->Draw(m_Battle.State().m_iCatchCount);
        number->m_fSpacing = spacing;
        number->m_iAlign = align;
        number->m_nMinDigits = digits;
        number->RestoreState();
    }
}
