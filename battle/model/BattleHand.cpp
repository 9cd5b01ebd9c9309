// The hand's cards charging, once a frame the hand is shown.
#include <algorithm>
#include <iterator>

#include "battle/model/BattleModel.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/UnlockTables.h"
#include "engine/VxXApplication.h"

void CBattleModel::ChargeHandCards(bool loading, bool hudShown) {
    if (!m_StageDefinition.m_bCardCharge || !hudShown) return;
    const int stage = StageNumber();
    const int n = std::min(m_nHandSlots, DECK_SLOTS);
    for (int s = 0; s < n; ++s) {
        HandSlot& slot = m_aHand[s];
        if (slot.m_iCard < 0) continue;
        const bool chosen = loading && slot.m_iCard < ROBOT_TYPES;
        const int r = (chosen ? m_aCardDefs[slot.m_iCard] : m_aHandDefs[s]).m_iRechargeTime;
        if (slot.m_iCharge >= r) continue;
        // The loader's frames do not count; these two stages charge fast even then.
        if (!g_bLoaderRunning) ++slot.m_iCharge;
        if (ModeOf(stage) == MiniGameMode::EnergyGoal || KindOf(stage) == StageKind::ConveyorCatch)
            slot.m_iCharge = std::min(slot.m_iCharge + 4, r);
    }
}

void CBattleModel::MakeHandRecords(HandRecords& out) const {
    const int stage = StageNumber();
    out = HandRecords{};
    auto fill = [&](int i, int card) {
        out.filled[i] = true;
        GetUnitDefinition(out.defs[i], card, Profile(), StageNumber());
    };
    // A mini-game's hand may fill more slots than it shows (a slot machine
    // with four codes on three reels): every filled slot gets its record.
    const int filled = IsMiniGameStage(stage) ? DECK_SLOTS : std::min(m_nHandSlots, DECK_SLOTS);
    for (int i = 0; i < filled; ++i) {
        const int card = m_aHand[i].m_iCard;
        if (card < 0 || card >= ROBOT_TYPES) continue;
        fill(i, card);
        if (IsSlotMachineStage(stage)) out.charges[i] = out.defs[i].m_iRechargeTime;
        if (card == RobotId::RecyclerBot) out.drawLastTypes.push_back(RobotId::RecyclerBot);
    }
    fill(REMOVER_SLOT, ROBOT_REMOVER);
    out.drawLastTypes.push_back(ROBOT_REMOVER);
    std::copy(std::begin(m_aHand), std::end(m_aHand), std::begin(out.hand));
    out.hand[REMOVER_SLOT].m_iCard = ROBOT_REMOVER;
    for (int i = REMOVER_SLOT + 1; i < HAND_SLOTS; ++i) {
        const int card = m_aHand[i].m_iCard;
        if (card < 0 || card >= ROBOT_TYPES || card == ROBOT_REMOVER) continue;
        fill(i, card);
    }
}

void CBattleModel::TakeHandRecords(const HandRecords& in) {
    for (int i = 0; i < HAND_SLOTS; ++i) {
        if (in.filled[i]) m_aHandDefs[i] = in.defs[i];
        if (in.charges[i] >= 0) m_aHand[i].m_iCharge = in.charges[i];
    }
    m_aHand[REMOVER_SLOT].m_iCard = ROBOT_REMOVER;
    for (int type : in.drawLastTypes) m_lstDrawLastTypes.push_back(type);
}
