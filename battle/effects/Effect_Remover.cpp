#include "battle/effects/Effect_Remover.h"

#include "battle/effects/AmbientArt.h"
#include "content/UnitIds.h"

using namespace ambient;

namespace {

CVxBillboard* HandPicture(const CPageGame& page, int slot) {
    return slot >= 0 && slot < HAND_SLOTS ? page.m_aHandArt[slot].m_apAct[0][0] : nullptr;
}

CVxBillboard* MachinePicture(const CPageGame& page, int slot) {
    return slot >= 0 && slot < STAGE_ENEMY_RECORDS ? page.m_aEnemyArt[slot].m_apAct[0][0] : nullptr;
}

void DrawAt(CVxBillboard* b, float x, float y, float z) {
    if (!b) return;
    b->SaveState();
    b->SetPosition(x, y, z);
    b->RenderSRT();
    b->RestoreState();
}

}  // namespace

CEffect_Remover::CEffect_Remover() {
    m_nPoolSize = 10;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pMineOverlay = CreateBillboard("Bbd_MiniMineUpgrade.png", "Resource\\Effect\\", nullptr);
    if (m_pMineOverlay) m_pMineOverlay->SetAlphaBlend(true);
}

void CEffect_Remover::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const int code = r.kind;
    const float x0 = r.params[0].f, z0 = r.params[2].f;
    const float y = r.params[1].f + 10.0f * float(r.age);
    const CPageGame* page = Page();
    if (page) {
        const int unit = code % 10000;
        const bool robot = unit < 1000;
        int dx = 0, dy = 0;
        if (robot && unit < HAND_SLOTS) {
            switch (page->m_aHandDefs[unit].m_iType) {
            case RobotId::MiniMine: dy = -45; break;
            case RobotId::FloaterBot:
            case RobotId::SubmergerBot: dy = -30; break;
            case RobotId::BuoyerBot: dy = -40; break;
            case RobotId::SurveyorBot: dy = -20; break;
            case RobotId::MachineGunner: dx = 15; break;
            default: break;
            }
        }
        if (code < 10000 || code >= 20000) {
            if (robot) {
                const UnitDefinition* def = unit < HAND_SLOTS ? &page->m_aHandDefs[unit] : nullptr;
                if (def && def->m_iType == RobotId::MiniMine && def->m_iUpgradeLevel > 0)
                    DrawAt(m_pMineOverlay, x0, y - 15.0f, z0);
                DrawAt(HandPicture(*page, unit), x0, y, z0);
            } else {
                DrawAt(MachinePicture(*page, unit - 1000), x0, y, z0);
            }
        }
        CVxBillboard* remover = nullptr;
        if (code < 10000) {
            remover = HandPicture(*page, REMOVER_SLOT);
        } else if (code < 20000) {
            // Without the Recycler's card in the hand there is nothing to draw.
            int slot = -1;
            for (int i = 0; i < HAND_SLOTS && slot < 0; ++i)
                if (page->m_aHand[i].m_iCard == RobotId::RecyclerBot) slot = i;
            remover = HandPicture(*page, slot);
        } else {
            for (int k = 0; k < STAGE_ENEMY_RECORDS && !remover; ++k)
                if (page->m_aEnemyDefs[k].m_iType == MachineId::CapsuleCage) remover = MachinePicture(*page, k);
        }
        DrawAt(remover, x0 + float(dx), y + 40.0f + float(dy), 0.0f);
    }
    if (y > 0.5f * H() + 512.0f) Clear(index);
}
