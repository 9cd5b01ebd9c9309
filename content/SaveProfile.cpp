#include "content/SaveProfile.h"

SaveProfile g_CurrentProfile{};
SaveProfile g_aStoredProfiles[3]{};

LabRaisedValue LabItemRaises(SaveProfile& p, int item) {
    switch (item) {
    case 0: return {&p.m_nCardSlots, PROFILE_MAX_CARD_SLOTS};
    case 1: return {&p.m_iLifeBooster, PROFILE_MAX_BOOSTER_LEVEL};
    case 2: return {&p.m_iEnergyBooster, PROFILE_MAX_BOOSTER_LEVEL};
    case 3: return {&p.m_iLuckBooster, PROFILE_MAX_BOOSTER_LEVEL};
    case 4: return {&p.m_iAdvanceFusion, PROFILE_MAX_ADVANCE_LEVEL};
    case 5: return {&p.m_iAdvanceProduction, PROFILE_MAX_ADVANCE_LEVEL};
    default: return {nullptr, 0};
    }
}
