#pragma once
// One line of white text on a black bar across the bottom of the battle:
// why a card cannot be placed or chosen, and two standing hints. One message
// at a time: a starter does nothing while record 0 lives, so callers clear it
// first to replace the message.
#include <string>

#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

// Message kinds (the record's kind).
enum FontInstructionKind : int {
    FI_SHOOT_HINT = 0,
    FI_CLICK_TO_CONTINUE = 1,
    FI_COST_LIMIT = 2,
    FI_ENVIRONMENT = 3,
    FI_NO_CARD_SLOT = 4,
    FI_TERRAIN = 5,
    FI_STORM_BOT = 6,
    FI_SURVEYOR_BOT = 7,
    FI_MACHINE_GUN_MOUNT = 8,
    FI_MORTAR_MOUNT = 9,
    FI_BARRIER_MOUNT = 10,
    FI_PLATFORM = 11,  // also the jet-stream refusal
};

// Refusals of the placement test: the kinds the hand panel dismisses.
bool IsFontInstructionKind6To11(int kind);
// The terrain refusal for a unit's terrain class on a cell of that kind
// (both 1 air .. 5 special); one full stop at the end.
std::string TerrainRefusalText(int unitClass, int cellKind);
// The weapon-mount refusal for card 37, 38 or 27 and the scan's note (0 no
// unit, 1 already equipped, 2 unsuitable unit); empty: nothing is shown.
std::string MountRefusalText(int card, int note);

class CEffect_FontInstruction : public CVxEffect, public BattleViewer {
public:
    CEffect_FontInstruction();
    ~CEffect_FontInstruction() override = default;

    void OnFrame(int index) override;

    // Each answers the record index, or -1 while a message shows.
    int ShowShootHint();
    int ShowClickToContinue();
    int ShowCostLimit(int limit);
    int ShowEnvironmentError();
    int ShowNoCardSlot();
    int ShowTerrainError(int unitClass, int cellKind);
    int ShowStormBotRule();
    int ShowSurveyorBotRule();
    int ShowPlatformError();
    int ShowJetStreamError();
    // Adds the record with the kind; the caller sets the text.
    int ShowMessage(int kind);
    // A weapon-mount refusal; -1 (and nothing shown) when the case has no text.
    int ShowWeaponMountError(int card, int note);

    // The current message's kind, or -1 when none shows.
    int CurrentKind() const { return m_aInstances[0].life > 0 ? m_aInstances[0].kind : -1; }

    VxVec3 m_vTextPos{0.0f, -260.0f, 0.0f};
    std::string m_strText;

private:
    int Show(int kind, const std::string& text);
};
