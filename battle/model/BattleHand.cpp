// The hand's cards charging, once a frame the hand is shown.
#include <algorithm>

#include "battle/model/BattleModel.h"
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
        if (stage == 172 || stage == 177) slot.m_iCharge = std::min(slot.m_iCharge + 4, r);
    }
}
