#include "battle/units/GameItem.h"

#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/UnitContext.h"
#include "content/MiniGameTable.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"

using namespace units;

namespace {

constexpr float kFieldHalfWidth = 450.0f;

}  // namespace

CCom_GameItem::CCom_GameItem() : m_iSerial(-1) {}

CCom_GameItem::CCom_GameItem(CBattleModel& model) : m_iSerial(RuleState(model).m_iNextItemSerial++) {}

void CCom_GameItem::Reset() {
    m_fSpeedX = 0.0f;
    m_iAge = 0;
    m_pOwnSprite = nullptr;
    m_iCard = -1;
    m_bCollected = false;
}

void CCom_GameItem::Launch(CBattleModel& model, int kind, float x, float y, float z) {
    m_pProducedSprite = model.Scene().m_pNextUnlockPicture;
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

CVxBillboard* CCom_GameItem::Sprite(const BattleScene& scene) const {
    if (m_iItemKind >= 0 && m_iItemKind < ITEM_CAPSULE)
        return g_pGameAppInstance ? g_pGameAppInstance->m_apBbdItem[m_iItemKind] : nullptr;
    if (m_iItemKind == ITEM_CAPSULE) return scene.m_pBbdCapsule;
    if (m_iItemKind >= ITEM_OWN_SPRITE_FIRST && m_iItemKind <= ITEM_OWN_SPRITE_LAST) return m_pOwnSprite;
    if (m_iItemKind == ITEM_PRODUCED) return m_pProducedSprite;
    return nullptr;
}

void CCom_GameItem::Update(CBattleModel& model) {
    const CVxBillboard* sprite = Sprite(model.Scene());
    m_fLookScale = 1.0f;
    if (m_bCollected) m_fLookScale = ModeOf(model.StageNumber()) == MiniGameMode::CapsuleSupply ? 0.7f * 0.85f : 0.7f;
    m_vLookAt = m_bCollected ? MoveCollected(model) : MoveLoose(model, sprite ? sprite->m_vSize.y : 0.0f);
    m_iLookAge = m_iAge;
    if (!m_bCollected && m_iAge < LastAge()) ++m_iAge;
}

VxVec3 CCom_GameItem::MoveLoose(CBattleModel& model, float spriteHeight) {
    if (m_iAge < ITEM_HOP_FRAMES) {
        m_vPosition.x += m_fSpeedX;
        return VxVec3{m_vPosition.x, m_vPosition.y + 50.0f * SinDeg(float(m_iAge) * 4.5f), 0.0f};
    }
    if (m_iAge < ITEM_FADE_START) {
        const VxVec3 c = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
        const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, c);
        if (cell && (cell->m_iStageKind == CELL_GROUND || int(c.y) == FIELD_ROWS - 1)) {
            m_vPosition.y = cell->m_fY;
        } else {
            m_vPosition.y -= RuleState(model).m_StageDefinition.m_fItemFallSpeed;
            m_vPosition.x += m_fSpeedX;
        }
    }
    return VxVec3{m_vPosition.x, m_vPosition.y + spriteHeight / 2.0f - 40.375f - 10.0f, m_vPosition.z};
}

VxVec3 CCom_GameItem::MoveCollected(CBattleModel& model) {
    // Some mini-games speed the flight of particular cards (their rows' capsule flights).
    float f = 1.0f;
    if (m_iCard >= 0 && m_iCard < HAND_SLOTS)
        f = CapsuleFlightSpeed(MiniGameRowOf(model.StageNumber()), RuleState(model).m_aHandDefs[m_iCard].m_iType);
    m_vPosition.x += 5.0f * f;
    return VxVec3{m_vPosition.x, m_vPosition.y, 0.0f};
}

void CCom_GameItem::Draw(const CBattleModel& model) const {
    const BattleScene& scene = model.Scene();
    const VxVec3 at = m_vLookAt;
    const float scale = m_fLookScale;
    const int age = m_iLookAge;
    if (CVxBillboard* sprite = Sprite(scene)) {
        sprite->SaveState();
        sprite->SetPosition(at.x, at.y, at.z);
        if (!m_bCollected && age >= ITEM_FADE_START)
            sprite->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - float(age - ITEM_FADE_START) * 0.05f);
        if (!m_bCollected && age >= ITEM_BLINK_START && age < ITEM_FADE_START) {
            int k = (age + 1) % 20;
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
        if (m_iItemKind == ITEM_CAPSULE && m_iCard >= 0 && m_iCard < HAND_SLOTS) {
            CVxBillboard* mark =
                scene.m_apCapsuleMark[RuleState(model).m_aHandDefs[m_iCard].m_iUpgradeLevel == 0 ? 0 : 1];
            if (mark) {
                mark->SaveState();
                mark->SetPosition(at.x, at.y, 0.0f);
                mark->SetScale(scale, scale, 1.0f);
                mark->RenderSRT();
                mark->RestoreState();
            }
        }
    }
    if (m_bCollected && scene.m_pCollectedMark) {
        CVxBillboard* mark = scene.m_pCollectedMark;
        mark->SaveState();
        mark->SetPosition(m_vPosition.x, m_vPosition.y, m_vPosition.z);
        mark->RenderSRT();
        mark->RestoreState();
    }
}
