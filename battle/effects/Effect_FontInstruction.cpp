#include "battle/effects/Effect_FontInstruction.h"

#include "battle/page/PageGame.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

constexpr int kShowFrames = 180;  // refusals go after this many frames

const char* UnitWord(int unitClass) {
    switch (unitClass) {
    case 1: return "air unit";
    case 2: return "ground unit";
    case 3: return "marine unit";
    case 4: return "underwater unit";
    case 5: return "special unit";
    default: return "";
    }
}

const char* PlaceWord(int cellKind) {
    switch (cellKind) {
    case 1: return "in the air";
    case 2: return "on the ground";
    case 3: return "on water surface";
    case 4: return "in water area";
    default: return "";
    }
}

}  // namespace

bool IsFontInstructionKind6To11(int kind) { return kind >= 6 && kind <= 11; }

std::string TerrainRefusalText(int unitClass, int cellKind) {
    // The place words carry no stop of their own, so the message ends with one.
    return std::string("Cannot place ") + UnitWord(unitClass) + " " + PlaceWord(cellKind) + ".";
}

std::string MountRefusalText(int card, int note) {
    switch (card) {
    case RobotId::MachineGunner:
        if (note == 0) return std::string("Machine Gun Weapon must be placed on ") + "Gunner Bot" + ".";
        if (note == 1) return "This unit has been equipped with a Machine Gun Weapon.";
        return "";
    case RobotId::MortarBot:
        if (note == 0) return std::string("Mortar Weapon must be placed on ") + "Cannon Bot" + ".";
        if (note == 1) return "This unit has been equipped with a Mortar Weapon.";
        return "";
    case RobotId::BarrierBots: {
        const std::string name = GetUnitName(RobotId::BarrierBots);
        if (note == 0) return name + " must be placed on another unit.";
        if (note == 1) return name + " have already been placed here.";
        if (note == 2) return name + " cannot be placed on this unit.";
        return "";
    }
    default: return "";
    }
}

CEffect_FontInstruction::CEffect_FontInstruction() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
}

int CEffect_FontInstruction::ShowMessage(int kind) {
    const int index = Add(0);
    if (index < 0) return -1;
    m_aInstances[index].kind = kind;
    return index;
}

int CEffect_FontInstruction::Show(int kind, const std::string& text) {
    const int index = ShowMessage(kind);
    if (index >= 0) m_strText = text;
    return index;
}

int CEffect_FontInstruction::ShowShootHint() { return Show(FI_SHOOT_HINT, "Hold down left mouse button to shoot."); }
int CEffect_FontInstruction::ShowClickToContinue() { return Show(FI_CLICK_TO_CONTINUE, "Click to continue."); }
int CEffect_FontInstruction::ShowCostLimit(int limit) {
    return Show(FI_COST_LIMIT,
                std::string("Robots with energy cost more than ") + std::to_string(limit) + " has been disabled.");
}
int CEffect_FontInstruction::ShowEnvironmentError() {
    return Show(FI_ENVIRONMENT, "This robot cannot operate in the current environment.");
}
int CEffect_FontInstruction::ShowNoCardSlot() { return Show(FI_NO_CARD_SLOT, "No more available card slot."); }
int CEffect_FontInstruction::ShowTerrainError(int unitClass, int cellKind) {
    return Show(FI_TERRAIN, TerrainRefusalText(unitClass, cellKind));
}
int CEffect_FontInstruction::ShowStormBotRule() {
    return Show(FI_STORM_BOT, std::string("Storm Bot") + " must be placed on ground or water surface.");
}
int CEffect_FontInstruction::ShowSurveyorBotRule() {
    return Show(FI_SURVEYOR_BOT, std::string("Surveyor Bot") + " cannot be placed on the ground.");
}
int CEffect_FontInstruction::ShowPlatformError() {
    return Show(FI_PLATFORM, "Cannot place this unit on platform-typed robots.");
}
int CEffect_FontInstruction::ShowJetStreamError() {
    return Show(FI_PLATFORM, "Cannot place units when there's a jet stream!");
}
int CEffect_FontInstruction::ShowWeaponMountError(int card, int note) {
    const std::string text = MountRefusalText(card, note);
    if (text.empty()) return -1;
    const int kind = card == RobotId::MachineGunner ? FI_MACHINE_GUN_MOUNT
                     : card == RobotId::MortarBot   ? FI_MORTAR_MOUNT
                                                    : FI_BARRIER_MOUNT;
    return Show(kind, text);
}

void CEffect_FontInstruction::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    if (r.kind >= FI_COST_LIMIT && r.kind <= FI_PLATFORM && r.age > kShowFrames) {
        Clear(index);
        return;
    }
    m_vTextPos = VxVec3{0.0f, -255.0f, 0.0f};
    CGameApplication* app = g_pGameAppInstance;
    CPageGame* page = BattlePageOf(app);
    if (CVxBillboard* bar = page ? page->m_pPlaceMark : nullptr) {
        bar->SaveState();
        bar->SetSize(float(g_iScreenWidth), 60.0f, 1.0f);
        bar->SetPosition(0.0f, -257.0f, 0.0f);
        bar->SetDiffuse(0.0f, 0.0f, 0.0f, 1.0f);
        bar->RenderSRT();
        bar->RenderSRT();
        bar->RestoreState();
    }
    if (app && app->m_pFontStandard) {
        FontStyle style;
        style.size = 0.7f;
        style.align = 0;
        style.spaceFactor = 0.5f;
        style.wrapWidth = -1;
        style.lineSpacing = 0.85f;
        style.charSpacing = 3.0f;
        style.rowOffset = 0;
        DrawStyledText(app->m_pFontStandard, style, m_vTextPos.x, m_vTextPos.y, m_strText.c_str());
    }
}
