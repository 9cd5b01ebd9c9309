#include "battle/units/GameItem.h"

#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "content/UnitIds.h"

using namespace units;

int g_iNextItemSerial = 0;

namespace {

constexpr float kFieldHalfWidth = 450.0f;

}  // namespace

CCom_GameItem::CCom_GameItem() : m_iSerial(g_iNextItemSerial++) {
    if (const CPageGame* page = Page()) m_pProducedSprite = page->m_pNextUnlockPicture;
}

void CCom_GameItem::Reset() {
    m_fSpeedX = 0.0f;
    m_iAge = 0;
    m_pOwnSprite = nullptr;
    m_iCard = -1;
    m_bCollected = false;
}

void CCom_GameItem::Launch(int kind, float x, float y, float z) {
    m_iItemKind = kind;
    const float w = (kind == 0 || kind == 1 || kind == 4 || kind == 5) ? 32.0f : 64.0f;
    if (std::fabs(x) > kFieldHalfWidth - w) {
        // Dropped near an edge: pulled onto the field and drifting toward its middle.
        const float side = x < 0.0f ? -1.0f : 1.0f;
        if (std::fabs(x) > kFieldHalfWidth) x = kFieldHalfWidth * side;
        m_fSpeedX = -side * float(VxRand() % 5 + 3);
    }
    m_vPosition = VxVec3{x, y, z};
}

CVxBillboard* CCom_GameItem::Sprite() const {
    if (m_iItemKind >= 0 && m_iItemKind < ITEM_CAPSULE)
        return g_pGameAppInstance ? g_pGameAppInstance->m_apBbdItem[m_iItemKind] : nullptr;
    if (m_iItemKind == ITEM_CAPSULE) {
        const CPageGame* page = Page();
        return page ? page->m_pBbdCapsule : nullptr;
    }
    if (m_iItemKind >= ITEM_OWN_SPRITE_FIRST && m_iItemKind <= ITEM_OWN_SPRITE_LAST) return m_pOwnSprite;
    if (m_iItemKind == ITEM_PRODUCED) return m_pProducedSprite;
    return nullptr;
}

void CCom_GameItem::Render() {
    CPageGame* page = Page();
    const int stage = Stage();
    CVxBillboard* sprite = Sprite();
    const float h = sprite ? sprite->m_vSize.y : 0.0f;
    float scale = 1.0f;
    if (m_bCollected) scale = stage == 154 ? 0.7f * 0.85f : 0.7f;

    VxVec3 at;
    if (!m_bCollected) {
        if (m_iAge < ITEM_HOP_FRAMES) {
            m_vPosition.x += m_fSpeedX;
            at = VxVec3{m_vPosition.x, m_vPosition.y + 50.0f * SinDeg(float(m_iAge) * 4.5f), 0.0f};
        } else {
            if (m_iAge < ITEM_FADE_START && page) {
                const VxVec3 c = page->FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
                const FieldCell* cell = CellAt(page->m_aFieldCells, c);
                if (cell && (cell->m_iStageKind == CELL_GROUND || int(c.y) == FIELD_ROWS - 1)) {
                    m_vPosition.y = cell->m_fY;
                } else {
                    m_vPosition.y -= page->m_StageDefinition.m_fItemFallSpeed;
                    m_vPosition.x += m_fSpeedX;
                }
            }
            at = VxVec3{m_vPosition.x, m_vPosition.y + h / 2.0f - 40.375f - 10.0f, m_vPosition.z};
        }
    } else {
        float f = 1.0f;
        if (stage == 161) {
            f = m_iCard == 0 ? 1.25f : (m_iCard == 1 || m_iCard == 2) ? 1.35f : m_iCard == 3 ? 1.5f : 1.0f;
        } else if (stage == 158 && page && m_iCard >= 0 && m_iCard < HAND_SLOTS) {
            const int type = page->m_aHandDefs[m_iCard].m_iType;
            if (type == RobotId::MiniBomber || type == RobotId::StormBot) f = 1.5f;
        }
        m_vPosition.x += 5.0f * f;
        at = VxVec3{m_vPosition.x, m_vPosition.y, 0.0f};
    }

    if (sprite) {
        sprite->SaveState();
        sprite->SetPosition(at.x, at.y, at.z);
        if (!m_bCollected && m_iAge >= ITEM_FADE_START)
            sprite->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - float(m_iAge - ITEM_FADE_START) * 0.05f);
        if (!m_bCollected && m_iAge >= ITEM_BLINK_START && m_iAge < ITEM_FADE_START) {
            int k = (m_iAge + 1) % 20;
            if (k > 9) k = 20 - k;
            const float v = float(k) / 20.0f * 0.25f;
            sprite->SetDiffuse(v, v, v, 1.0f);
            sprite->m_iTextureOp = 1;
        }
        sprite->SetScale(scale, scale, 1.0f);
        sprite->RenderSRT();
        sprite->RestoreState();
        sprite->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
        sprite->m_iTextureOp = 0;

        // A capsule shows the card it carries.
        if (m_iItemKind == ITEM_CAPSULE && page && m_iCard >= 0 && m_iCard < HAND_SLOTS) {
            CVxBillboard* mark = page->m_apCapsuleMark[page->m_aHandDefs[m_iCard].m_iUpgradeLevel == 0 ? 0 : 1];
            if (mark) {
                mark->SaveState();
                mark->SetPosition(at.x, at.y, 0.0f);
                mark->SetScale(scale, scale, 1.0f);
                mark->RenderSRT();
                mark->RestoreState();
            }
        }
    }

    if (!m_bCollected) {
        if (m_iAge < LastAge()) ++m_iAge;
    } else if (page && page->m_pCollectedMark) {
        CVxBillboard* mark = page->m_pCollectedMark;
        mark->SaveState();
        mark->SetPosition(m_vPosition.x, m_vPosition.y, m_vPosition.z);
        mark->RenderSRT();
        mark->RestoreState();
    }
}
