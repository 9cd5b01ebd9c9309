#include "battle/model/ItemFlights.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/ItemPayout.h"
#include "battle/units/GameItem.h"
#include "engine/VxApplication.h"
#include "game/BattleLink.h"

int ItemFlightFrames(float fromX, float fromY, float toX, float toY) {
    const float dx = toX - fromX, dy = toY - fromY;
    return int(std::sqrt(dx * dx + dy * dy)) / 30;
}

VxVec3 ItemFlightTarget(const CBattleModel& battle, int kind) {
    if (IsEnergyItem(kind)) return RuleState(battle).m_vEnergyPanelAt;
    if (IsPartsItem(kind)) {
        const VxVec3 p = RuleState(battle).m_vPartsPanelAt;
        return VxVec3{p.x - 60.0f, p.y, 0.0f};
    }
    if (kind == ITEM_CAPSULE) return CapsuleLandingPoint(battle);
    return VxVec3{};
}

bool LaunchItemFlight(CBattleModel& battle, int kind, const VxVec3& from) {
    for (ItemFlight& f : RuleState(battle).m_aItemFlights) {
        if (f.flying) continue;
        f = ItemFlight{};
        f.kind = kind;
        f.from = from;
        f.flying = true;
        return true;
    }
    return false;
}

void RunItemFlights(CBattleModel& battle) {
    for (ItemFlight& f : RuleState(battle).m_aItemFlights) {
        f.shown = f.arrived = false;
        if (!f.flying) continue;
        // The target is read at the flight's own turn: an earlier arrival may
        // have moved it (a capsule's robot takes a landing place).
        const VxVec3 target = ItemFlightTarget(battle, f.kind);
        const int frames = ItemFlightFrames(f.from.x, f.from.y, target.x, target.y);
        // A flight of no frames has arrived; a target that moves may be passed.
        const float k = frames > 0 ? std::min(float(f.age) / float(frames), 1.0f) : 1.0f;
        f.at = VxVec3{f.from.x * (1.0f - k) + target.x * k, f.from.y * (1.0f - k) + target.y * k, 0.0f};
        f.shown = true;
        f.shownAge = f.age;
        if (f.age < frames) {
            ++f.age;
            continue;
        }
        f.arrived = true;
        PayOutItem(battle, f.kind, target);
        f.flying = false;
    }
}

float HudDrop(const CBattleModel& battle) {
    const int frame = battle.AppFrame();
    float s = 20.0f;
    if (RuleState(battle).m_iBattleState == BATTLE_LOADING && frame - RuleState(battle).m_iStateEntryFrame < 30)
        s = float(RuleState(battle).m_iStateEntryFrame + 30 - frame) + 20.0f;
    else if (RuleState(battle).m_iBattleState == BATTLE_RESULT)
        s = float(frame - RuleState(battle).m_iStateEntryFrame) + 20.0f;
    return s;
}

void PlaceEnergyPanel(CBattleModel& battle) {
    RuleState(battle).m_vEnergyPanelAt = VxVec3{295.0f, HudDrop(battle) + 269.0f, 0.0f};
}

void SlidePartsPanel(CBattleModel& battle) {
    VxVec3& at = RuleState(battle).m_vPartsPanelAt;
    if (RuleState(battle).m_iBattleState >= BATTLE_LOADING && RuleState(battle).m_iBattleState <= BATTLE_PLAYING)
        at.x = PARTS_PANEL_X;
    const int x = int(at.x);
    int y = int(at.y);
    if (RuleState(battle).m_iPanelTimer > 0) {
        y -= PARTS_PANEL_STEP;
        --RuleState(battle).m_iPanelTimer;
    } else {
        y += PARTS_PANEL_STEP;
    }
    y = std::clamp(y, PARTS_PANEL_SHOWN_Y, PARTS_PANEL_HIDDEN_Y);
    at = VxVec3{float(x), float(y), 0.0f};
}

void CollectRemainingItems(CBattleModel& battle) {
    for (const CCom_GameItem& item : RuleState(battle).m_lstItems) {
        const int kind = item.m_iItemKind;
        if (!IsEnergyItem(kind) && !IsPartsItem(kind)) continue;
        LaunchItemFlight(battle, kind, item.m_vPosition);
        if (IsPartsItem(kind)) RuleState(battle).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
    }
    RuleState(battle).m_lstItems.clear();
}
