// The model's own small rules: its grid lookups, and what the page sets.
#include "battle/model/BattleModel.h"

#include <algorithm>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"

// The unit lists are made and destroyed here, where the units are complete types.
CBattleModel::CBattleModel(BattleScene& scene) : m_pScene(&scene), m_pBlankProfile(std::make_unique<SaveProfile>()) {}

CBattleModel::~CBattleModel() = default;

VxVec3 CBattleModel::FindNearestCell(float x, float y, float z) const {
    return ::FindNearestCell(m_aFieldCells, x, y, z);
}

VxVec3 CBattleModel::GetCellCentre(float x, float y, float z) const { return ::GetCellCentre(m_aFieldCells, x, y, z); }

SaveProfile& CBattleModel::Profile() const { return m_Context.profile ? *m_Context.profile : *m_pBlankProfile; }

bool IsFirstTutorialActive(const CBattleModel& model) {
    const SaveProfile& p = model.Profile();
    return p.m_iFurthestStage == 1 && model.StageNumber() == 1 && !p.m_abRobotUnlocked[RobotId::CannonBot];
}

bool IsSecondTutorialActive(const CBattleModel& model) {
    return model.StageNumber() == 2 && model.Profile().m_iEnergyBooster == 0;
}

CCom_GameRobot** CBattleModel::MiniGameLink(int i) {
    if (i < MINI_GAME_ROBOT_SLOTS) return &m_apMiniGameRobots[i];
    if (i == MINI_GAME_ROBOT_SLOTS) return &m_pMiniGameBoss;
    return &m_apMiniGameExtra[i - MINI_GAME_ROBOT_SLOTS - 1];
}

int CBattleModel::FindHandCard(int robotId) const {
    for (int i = 0; i < HAND_SLOTS; ++i)
        if (m_aHand[i].m_iCard == robotId) return i;
    return -1;
}

void CBattleModel::ForgetMiniGameLinks(int serial) {
    for (int i = 0; i < MINI_GAME_LINKS; ++i) {
        CCom_GameRobot** link = MiniGameLink(i);
        if (*link && (*link)->m_iSerial == serial) *link = nullptr;
    }
}

void CBattleModel::EmptyHand() {
    for (HandSlot& slot : m_aHand) slot = HandSlot{};
    m_bCarriedFromCapsule = false;
}

void CBattleModel::PutCardInHand(int slot, int card) {
    m_aHand[slot].m_iCard = card;
    m_aHand[slot].m_iCharge = 0;
}

void CBattleModel::SwapHandSlots(int a, int b) { std::swap(m_aHand[a], m_aHand[b]); }

void CBattleModel::ReadCardRecords() {
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        m_aCardDefs[i] = UnitDefinition{};
        GetUnitDefinition(m_aCardDefs[i], i, Profile(), StageNumber());
    }
}

void CBattleModel::ReadShownHandRecords() {
    for (int i = 0; i < m_nHandSlots && i < DECK_SLOTS; ++i)
        if (m_aHand[i].m_iCard >= 0) GetUnitDefinition(m_aHandDefs[i], m_aHand[i].m_iCard, Profile(), StageNumber());
}

void CBattleModel::ClearTurnOrder() {
    m_lstDrawFirstTypes.clear();
    m_lstDrawSecondTypes.clear();
    m_lstDrawLastTypes.clear();
}

void CBattleModel::ClearStageStats() { std::fill(std::begin(m_aiStageStats), std::end(m_aiStageStats), 0); }

void CBattleModel::ClearItemFlights() {
    m_iPanelTimer = 0;
    for (ItemFlight& f : m_aItemFlights) f = ItemFlight{};
}

void CBattleModel::SetPanelPlaces(const VxVec3& energy, const VxVec3& parts) {
    m_vEnergyPanelAt = energy;
    m_vPartsPanelAt = parts;
}

void CBattleModel::StartClocks() {
    m_iBattleFrame = 0;
    m_iStateFrames = 0;
    m_fGameSpeed = 1.0f;
    std::fill(std::begin(m_aiColumnHazard), std::end(m_aiColumnHazard), 0);
    m_Tutorial = TutorialSteps{};
}

void CBattleModel::CountFrame() {
    ++m_iStateFrames;
    ++m_iBattleFrame;
}

void CBattleModel::MakeStageUnit() {
    delete m_pStage;
    m_pStage = new CCom_GameStage(*this);
    if (IsMiniGameStage(StageNumber())) m_pStage->m_fScrollX = 0.0f;
}

void CBattleModel::RefreshStageUnit() {
    if (m_pStage) m_pStage->Update(*this, true);
}

void CBattleModel::SlideFieldForPreview(bool shown) {
    if (!m_pStage) return;
    float& scroll = m_pStage->m_fScrollX;
    scroll = shown ? std::max(0.0f, scroll - 15.0f) : std::min(450.0f, scroll + 15.0f);
}

void CBattleModel::ForgetStageUnit() {
    delete m_pStage;
    m_pStage = nullptr;
}

void CBattleModel::ClearField() {
    m_lstRobots.clear();
    m_lstBullets.clear();
    m_lstItems.clear();
    for (ItemFlight& f : m_aItemFlights) f = ItemFlight{};
    for (MeteorFlight& f : m_aMeteorFlights) f = MeteorFlight{};
    for (Paratrooper& p : m_aParatroopers) p = Paratrooper{};
    for (ThrownRobot& t : m_aThrownRobots) t = ThrownRobot{};
    m_iParachuteCutFrame = -1;
    for (BossHandStrike& s : m_aBossHands) s = BossHandStrike{};
    m_Tutorial = TutorialSteps{};
    m_lstFieldEffects.clear();
    m_lstStageCellKinds.clear();
    ClearTurnOrder();
    for (int i = 0; i < MINI_GAME_LINKS; ++i) *MiniGameLink(i) = nullptr;
}
