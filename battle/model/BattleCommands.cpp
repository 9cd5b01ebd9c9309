// The player's acts and the rules behind them: which card may be taken up,
// which cell a card may go on, and what placing, cancelling and collecting do.
#include "battle/model/BattleCommands.h"

#include <type_traits>

#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/model/BattleStates.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RelocationRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "content/UnlockTables.h"
#include "engine/VxApplication.h"
#include "engine/VxSound.h"

namespace {

// Cards that land on top of whatever stands on the cell.
bool StacksFreely(int card) { return UnitHas(card, UNIT_STACKS_FREELY); }

bool ValidCell(int cell) { return cell >= 0 && cell < FIELD_CELLS; }

// Nothing is placed while stage 151's field scrolls on to the next round.
bool FieldScrolls(const CBattleModel& model) {
    return KindOf(model.StageNumber()) == StageKind::AdvanceRounds && RuleState(model).m_iRoundPhase != 0;
}

bool SameCell(const CCom_GameRobot& a, const CCom_GameRobot& b) {
    return int(a.m_vCell.x) == int(b.m_vCell.x) && int(a.m_vCell.y) == int(b.m_vCell.y);
}

PlacementVerdict Refused(PlacementRefusal why) {
    PlacementVerdict v;
    v.refusal = why;
    return v;
}

}  // namespace

// ---- The rules ----

PlacementVerdict CBattleModel::JudgePlacement(int slot, int column, int row) const {
    return JudgeCardOnCell(slot, column, row, m_iRelocatingRobot != -1);
}

PlacementVerdict CBattleModel::JudgeCardOnCell(int slot, int column, int row, bool relocating) const {
    if (slot < 0 || slot >= HAND_SLOTS || FieldScrolls(*this)) return Refused(PlacementRefusal::Silent);
    const int stage = StageNumber();
    // While a robot is relocated a weapon card stands for the robot it mounts on.
    const UnitDefinition* def = &m_aHandDefs[slot];
    const int carried = m_aHand[slot].m_iCard;
    if (relocating && (carried == RobotId::MachineGunner || carried == RobotId::MortarBot)) {
        const int other = FindHandCard(carried == RobotId::MachineGunner ? RobotId::GunnerBot : RobotId::CannonBot);
        if (other >= 0) def = &m_aHandDefs[other];
    }
    const UnitDefinition& unit = *def;
    const int card = unit.m_iType;
    const FieldCell* cell = CellAt(m_aFieldCells, VxVec3{float(column), float(row), 0.0f});
    if (!cell) return Refused(PlacementRefusal::Silent);
    const bool platformed = cell->m_iKind != cell->m_iStageKind;

    if (WeatherOf(stage) == StageWeather::JetStreams && m_aiColumnHazard[row] > 0)
        return Refused(PlacementRefusal::JetStream);
    bool skipTerrain = false;
    if (card == RobotId::StormBot) {
        if (cell->m_iKind == TERRAIN_AIR || cell->m_iKind == TERRAIN_UNDERWATER)
            return Refused(PlacementRefusal::StormBot);
        skipTerrain = true;
    }
    if (!skipTerrain && !IsEpisodeFinalBossStage(stage) && cell->m_iKind != unit.m_iTerrain &&
        unit.m_iTerrain != TERRAIN_SPECIAL) {
        if (platformed) return Refused(PlacementRefusal::Platform);
        PlacementVerdict v = Refused(PlacementRefusal::Terrain);
        v.unitTerrain = unit.m_iTerrain;
        v.cellKind = cell->m_iKind;
        return v;
    }
    if (unit.m_iRole == ROLE_ONESHOT && !StacksFreely(card) && platformed) return Refused(PlacementRefusal::Platform);
    if (card == RobotId::SurveyorBot && cell->m_iKind == TERRAIN_GROUND)
        return Refused(cell->m_iStageKind != TERRAIN_GROUND ? PlacementRefusal::Platform
                                                            : PlacementRefusal::SurveyorBot);
    if (TutorialRefusesCell(*this, column, row)) return Refused(PlacementRefusal::Silent);
    return JudgeMount(unit, column, row);
}

PlacementVerdict CBattleModel::JudgeMount(const UnitDefinition& unit, int column, int row) const {
    const int card = unit.m_iType;
    auto sameCell = [&](const CCom_GameRobot& r) { return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row; };
    if (unit.m_iRole != ROLE_TIMER) {
        if (StacksFreely(card)) return PlacementVerdict{};
        for (const CCom_GameRobot& r : m_lstRobots)
            if (!r.IsMachine() && r.m_Unit.m_iRole != ROLE_PLATFORM && r.m_iHp > 0 && sameCell(r))
                return Refused(PlacementRefusal::Silent);
        return PlacementVerdict{};
    }

    // Mounts: Barrier Bots, the two weapons and the Remover Bot.
    if (card == RobotId::RemoverBot)
        for (const CCom_GameRobot& r : m_lstRobots)
            if (r.Type() == RobotId::RemoverBot && sameCell(r)) return Refused(PlacementRefusal::Silent);
    int note = 0;
    const CCom_GameRobot* target = nullptr;
    for (const CCom_GameRobot& r : m_lstRobots) {
        if (r.m_iHp <= 0 || !sameCell(r)) continue;
        if (card == RobotId::MachineGunner) {
            if (r.Type() != RobotId::GunnerBot) continue;
            if (r.m_Unit.m_iActionInterval < 100) {
                note = 1;
                continue;
            }
        } else if (card == RobotId::MortarBot) {
            if (r.Type() != RobotId::CannonBot) continue;
            if (r.m_Unit.m_iActionInterval > 300) {
                note = 1;
                continue;
            }
        } else if (card == RobotId::BarrierBots) {
            if (r.m_iShieldSerial != NO_SERIAL) {
                note = 1;
                continue;
            }
            if (r.m_Unit.m_iRole == ROLE_ONESHOT) {
                note = 2;
                continue;
            }
        }
        if (!r.IsMachine() && r.m_Unit.m_iRole == ROLE_ONESHOT && r.Type() != RobotId::MiniMine) {
            if (card == RobotId::BarrierBots) note = 2;
            continue;
        }
        if (card == RobotId::RemoverBot) {
            if (r.IsMachine() && !(r.Type() == MachineId::TimeBomb && unit.m_iUpgradeLevel != 0)) continue;
        } else {
            if (r.IsMachine()) continue;
            if (r.m_Unit.m_iRole == ROLE_PLATFORM) {
                if (card == RobotId::BarrierBots) note = 2;
                continue;
            }
        }
        target = &r;
        break;
    }
    if (target) return target->m_bConsumed ? Refused(PlacementRefusal::Silent) : PlacementVerdict{};
    if (card != RobotId::MachineGunner && card != RobotId::MortarBot && card != RobotId::BarrierBots)
        return Refused(PlacementRefusal::Silent);
    PlacementVerdict v = Refused(PlacementRefusal::WeaponMount);
    v.card = card;
    v.note = note;
    return v;
}

bool CBattleModel::CardReady(int slot) const {
    if (slot < 0 || slot >= DECK_SLOTS || m_aHand[slot].m_iCard < 0) return false;
    const UnitDefinition& d = m_aHandDefs[slot];
    return m_aHand[slot].m_iCharge == d.m_iRechargeTime && m_iEnergy >= d.m_iEnergyCost;
}

void CBattleModel::PlaceHandRobot(int slot, int column, int row) {
    const FieldCell* cell = CellAt(m_aFieldCells, VxVec3{float(column), float(row), 0.0f});
    if (slot < 0 || slot >= HAND_SLOTS || !cell) return;
    const int stage = StageNumber();
    CCom_GameRobot temp(*this);
    temp.m_iUnitSlot = slot;
    temp.m_Unit = m_aHandDefs[slot];
    temp.Place(*this, cell->m_fX, cell->m_fY, 0.0f);
    temp.m_vCell = FindNearestCell(temp.m_vPosition.x, temp.m_vPosition.y, temp.m_vPosition.z);
    auto sameCell = [&](const CCom_GameRobot& r) {
        return int(r.m_vCell.x) == int(temp.m_vCell.x) && int(r.m_vCell.y) == int(temp.m_vCell.y);
    };

    if (temp.m_Unit.m_iRole != ROLE_ONESHOT && cell->m_iKind != cell->m_iStageKind) {
        for (CCom_GameRobot& r : m_lstRobots) {
            if (r.m_Unit.m_iRole != ROLE_PLATFORM || !sameCell(r)) continue;
            // A platform dying under the drop takes the placement with it.
            if (r.m_iHp < 1) return;
            temp.m_iLinkedSerial = r.m_iSerial;
            temp.m_iBobSourceSerial = r.m_iSerial;
            if (r.Type() == RobotId::SurveyorBot) temp.m_bSeesConcealed = 1;
            r.m_bPlatformOccupied = 1;
            break;
        }
    }

    int& placed = Profile().m_aiAchievementProgress[29];
    if (placed < 2000) UpdateAchievementProgress(Profile(), 29, 1);

    const int card = m_aHand[slot].m_iCard;
    if (card == RobotId::FusorBot || card == RobotId::PapaFusor) ++m_aiStageStats[1];
    if (temp.m_Unit.m_iRole == ROLE_ATTACK && temp.Type() != RobotId::FixerBot && temp.Type() != RobotId::MiniMagnet)
        ++m_aiStageStats[3];

    m_lstRobots.push_back(temp);
    CCom_GameRobot& robot = m_lstRobots.back();
    if (CVxSound* sound = Scene().m_apCardSounds[slot][0]) {
        sound->Stop();
        sound->Play();
    }
    if (card == RobotId::BarrierBots) ShieldRobotUnder(robot);
    if (card == RobotId::RemoverBot) RemoveRobotUnder(robot);

    const bool keepsCharge = StageKeepsCardCharge(stage) || m_bCarriedFromCapsule;
    if (!keepsCharge) m_aHand[slot].m_iCharge = 0;
    if ((!IsMiniGameStage(stage) && !m_bCarriedFromCapsule) || ModeOf(stage) == MiniGameMode::EnergyGoal)
        m_iEnergy -= m_aHandDefs[slot].m_iEnergyCost;
    m_bCarriedFromCapsule = false;
}

// Barrier Bots shield the first robot of their cell.
void CBattleModel::ShieldRobotUnder(CCom_GameRobot& barrier) {
    for (CCom_GameRobot& r : m_lstRobots) {
        if (&r == &barrier || r.Type() == RobotId::BarrierBots || r.IsMachine() || r.m_Unit.m_iRole == ROLE_PLATFORM ||
            r.m_iHp <= 0 || !SameCell(r, barrier))
            continue;
        r.m_iShieldSerial = barrier.m_iSerial;
        barrier.m_iShieldSerial = r.m_iSerial;
        break;
    }
}

// The Remover Bot takes the robot (or a defused Time Bomb) of its cell, else
// the platform, which gives the cell its own kind back.
void CBattleModel::RemoveRobotUnder(const CCom_GameRobot& remover) {
    CCom_GameRobot* target = nullptr;
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.Type() == RobotId::RemoverBot || !(!r.IsMachine() || r.Type() == MachineId::TimeBomb)) continue;
        if (r.m_Unit.m_iRole == ROLE_PLATFORM || r.m_iHp <= 0 || !SameCell(r, remover)) continue;
        target = &r;
        break;
    }
    if (target) {
        target->m_bConsumed = 1;
        if (target->m_iLinkedSerial != NO_SERIAL) {
            if (CCom_GameRobot* platform = FindRobotBySerial(m_lstRobots, target->m_iLinkedSerial))
                platform->m_bPlatformOccupied = 0;
            target->m_bSeesConcealed = 0;
        }
        return;
    }
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.IsMachine() || r.m_Unit.m_iRole != ROLE_PLATFORM || r.m_iHp <= 0 || !SameCell(r, remover)) continue;
        r.m_bConsumed = 1;
        if (FieldCell* c = CellAt(m_aFieldCells, remover.m_vCell)) c->m_iKind = c->m_iStageKind;
        break;
    }
}

// ---- Where the carried card is held ----

bool CBattleModel::HeldOverFieldBand() const { return m_vHeldAt.y <= 256.0f && m_vHeldAt.y >= -160.0f; }

bool CBattleModel::HeldCardJudged() const {
    return HeldOverFieldBand() && m_iCarriedCard >= 0 && m_iCarriedCard < HAND_SLOTS && !FieldScrolls(*this);
}

void CBattleModel::TakeHeldCardTrial() {
    // The check once tried a robot made for it: its serial is still taken, so
    // the serials of every later robot stay what they were.
    if (!HeldCardJudged()) return;
    ++m_iNextRobotSerial;
}

int CBattleModel::TakeCarriedGhostSerials() {
    if (m_iCarriedCard < 0 || m_iCarriedCard >= HAND_SLOTS) return -1;
    const int ghost = m_iNextRobotSerial++;
    TakeHeldCardTrial();
    return ghost;
}

int CBattleModel::HeldCardCell(PlacementVerdict* why) const {
    if (why) *why = PlacementVerdict{};
    if (!HeldCardJudged()) return -1;
    return PlacementCellAt(m_iCarriedCard, m_vHeldAt, m_iRelocatingRobot != -1, why);
}

int CBattleModel::PlacementCellAt(int slot, const VxVec3& at, bool relocating, PlacementVerdict* why) const {
    if (why) *why = PlacementVerdict{};
    if (at.y > 256.0f || at.y < -160.0f || slot < 0 || slot >= HAND_SLOTS || FieldScrolls(*this)) return -1;
    const VxVec3 index = FindNearestCell(at.x, at.y, 0.0f);
    if (!CellAt(m_aFieldCells, index)) return -1;
    const int column = int(index.x), row = int(index.y);
    const PlacementVerdict verdict = JudgeCardOnCell(slot, column, row, relocating);
    if (verdict.Allowed()) return column * FIELD_ROWS + row;
    if (why) *why = verdict;
    return -1;
}

// ---- The commands ----

bool PickCard::Check(const CBattleModel& model) const {
    if (RuleState(model).m_iCarriedCard >= 0) return false;
    if (slot == REMOVER_SLOT) return true;
    return model.CardReady(slot) && !TutorialHoldsCard(model, RuleState(model).m_aHand[slot].m_iCard);
}

void PickCard::Apply(CBattleModel& model) const {
    RuleState(model).m_iCarriedCard = slot;
    RestartSound(model.Scene().m_pSfxPickCard);
    if (slot >= 0 && slot < HAND_SLOTS) TutorialCardPicked(model, RuleState(model).m_aHand[slot].m_iCard);
}

bool PlaceCard::Check(const CBattleModel& model) const {
    if (slot < 0 || slot >= HAND_SLOTS || slot == REMOVER_SLOT || RuleState(model).m_iCarriedCard != slot ||
        !ValidCell(cell))
        return false;
    // A card from a capsule comes charged and paid for.
    if (!RuleState(model).m_bCarriedFromCapsule) {
        const UnitDefinition& d = RuleState(model).m_aHandDefs[slot];
        if (RuleState(model).m_aHand[slot].m_iCharge != d.m_iRechargeTime ||
            RuleState(model).m_iEnergy < d.m_iEnergyCost)
            return false;
    }
    return model.JudgePlacement(slot, cell / FIELD_ROWS, cell % FIELD_ROWS).Allowed();
}

void PlaceCard::Apply(CBattleModel& model) const {
    // The placement check once tried a robot made for it; its serial is
    // still taken here, so the placed robot's and every later one stay as they were.
    ++RuleState(model).m_iNextRobotSerial;
    const int card = RuleState(model).m_aHand[slot].m_iCard;
    model.PlaceHandRobot(slot, cell / FIELD_ROWS, cell % FIELD_ROWS);
    RuleState(model).m_iCarriedCard = -1;
    RuleState(model).m_iCarriedFrames = 0;
    TutorialCardPlaced(model, card);
}

bool CancelCard::Check(const CBattleModel& model) const { return RuleState(model).m_iCarriedCard >= 0; }

void CancelCard::Apply(CBattleModel& model) const {
    RuleState(model).m_iCarriedCard = -1;
    RuleState(model).m_iCarriedFrames = 0;
    RestartSound(model.Scene().m_pSfxCardCancel);
    RuleState(model).m_bCarriedFromCapsule = false;
}

bool UseRemover::Check(const CBattleModel& model) const {
    return RuleState(model).m_iCarriedCard == REMOVER_SLOT && ValidCell(cell) &&
           model.JudgePlacement(REMOVER_SLOT, cell / FIELD_ROWS, cell % FIELD_ROWS).Allowed();
}

void UseRemover::Apply(CBattleModel& model) const { PlaceCard{REMOVER_SLOT, cell}.Apply(model); }

bool CollectItem::Check(const CBattleModel& model) const {
    for (const CCom_GameItem& item : RuleState(model).m_lstItems)
        if (item.m_iSerial == serial) return true;
    return false;
}

void CollectItem::Apply(CBattleModel& model) const {
    auto hit = RuleState(model).m_lstItems.begin();
    while (hit != RuleState(model).m_lstItems.end() && hit->m_iSerial != serial) ++hit;
    if (hit == RuleState(model).m_lstItems.end()) return;
    const VxVec3 at = hit->m_vPosition;
    const bool collected = hit->m_bCollected;
    const int card = hit->m_iCard;
    const int kind = hit->m_iItemKind;
    if (!collected) {
        const int stage = model.StageNumber();
        // A capsule hands its card over, but on the stages that collect
        // capsules for a count.
        const bool handsOver =
            kind == ITEM_CAPSULE && ModeOf(stage) != MiniGameMode::CapsuleSupply &&
            ModeOf(stage) != MiniGameMode::ShotCapsule &&
            !(ModeOf(stage) == MiniGameMode::SequenceGame && card == model.FindHandCard(RobotId::BuoyerBot));
        if (handsOver) {
            RuleState(model).m_iCarriedCard = card;
            RuleState(model).m_bCarriedFromCapsule = true;
        } else {
            LaunchItemFlight(model, kind, at);
        }
    }
    model.PlayPickupSound(*hit);
    if (IsPartsItem(kind)) RuleState(model).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
    RuleState(model).m_lstItems.erase(hit);
    if (collected) model.DropItem(kind, at.x, at.y, at.z, card, false);
    TutorialItemCollected(model, kind);
}

bool HoldCard::Check(const CBattleModel&) const { return true; }

void HoldCard::Apply(CBattleModel& model) const { RuleState(model).m_vHeldAt = VxVec3{x, y, 0.0f}; }

bool TryHeldCard::Check(const CBattleModel& model) const { return model.State().m_iCarriedCard >= 0; }

void TryHeldCard::Apply(CBattleModel& model) const {
    HoldCard{x, y}.Apply(model);
    model.TakeHeldCardTrial();
}

bool LetGoCard::Check(const CBattleModel& model) const { return RuleState(model).m_iCarriedCard >= 0; }

void LetGoCard::Apply(CBattleModel& model) const {
    model.TakeHeldCardTrial();
    if (RuleState(model).m_iCarriedFrames > 180 && !model.HeldOverFieldBand()) CancelCard{}.Apply(model);
}

bool ChooseHand::Check(const CBattleModel& model) const {
    // A stage without a card choice deals its hand as the loading begins.
    if (RuleState(model).m_iBattleState > BATTLE_LOADING) return false;
    for (int card : cards)
        if (card < -1 || card >= ROBOT_TYPES) return false;
    return true;
}

// The cards come in uncharged; a slot that already holds its card keeps it as it is.
void ChooseHand::Apply(CBattleModel& model) const {
    static_assert(std::tuple_size<decltype(cards)>::value == DECK_SLOTS);
    for (int i = 0; i < DECK_SLOTS; ++i)
        if (RuleState(model).m_aHand[i].m_iCard != cards[i]) RuleState(model).m_aHand[i] = HandSlot{cards[i], 0};
}

bool EnterState::Check(const CBattleModel& model) const {
    const int now = RuleState(model).m_iBattleState;
    return state >= BATTLE_OPENING && state <= BATTLE_SUMMARY && state != now && now != BATTLE_LOADING &&
           now != BATTLE_PLAYING;
}

// Play opens the first column's cells to what the stage made of them.
void EnterState::Apply(CBattleModel& model) const {
    SetBattleState(model, state);
    if (state != BATTLE_PLAYING) return;
    for (int row = 0; row < FIELD_ROWS; ++row)
        RuleState(model).m_aFieldCells[row].m_iStageKind = RuleState(model).m_aFieldCells[row].m_iKind;
}

bool StandStill::Check(const CBattleModel&) const { return frames > 0; }

// Only the clock moved, and the clock is the application's.
void StandStill::Apply(CBattleModel&) const {}

// A robot may be lifted in play with nothing carried, when it may move and
// is not still smoking from its last move.
bool LiftRobot::Check(const CBattleModel& model) const {
    const BattleData& s = model.State();
    if (!IsRelocationStage(model.StageNumber()) || s.m_iBattleState != BATTLE_PLAYING || s.m_iCarriedCard != -1)
        return false;
    for (const CCom_GameRobot& r : s.m_lstRobots)
        if (r.m_iSerial == serial) return MayRelocate(model, r) && !RelocationCoolingDown(model, r);
    return false;
}

void LiftRobot::Apply(CBattleModel& model) const {
    if (CCom_GameRobot* r = FindRobotBySerial(RuleState(model).m_lstRobots, serial)) PickUpRobot(model, *r);
}

bool DropRobot::Check(const CBattleModel& model) const {
    const BattleData& s = model.State();
    return s.m_iBattleState == BATTLE_PLAYING && s.m_iRelocatingRobot != -1 && s.m_iCarriedCard >= 0;
}

void DropRobot::Apply(CBattleModel& model) const { DropRelocatingRobot(model); }

bool StopReel::Check(const CBattleModel& model) const {
    return SlotLeverReady(model) && reel >= 0 && reel == NextReelToStop(model);
}

void StopReel::Apply(CBattleModel& model) const { StopSlotReel(model, reel); }

bool MiniGamePointer::Check(const CBattleModel& model) const {
    return model.State().m_iBattleState == BATTLE_PLAYING && FollowsThePointer(model.StageNumber());
}

void MiniGamePointer::Apply(CBattleModel& model) const { RunMiniGameControls(model, VxVec3{x, y, 0.0f}, held); }

bool ZapAt::Check(const CBattleModel& model) const {
    return KindOf(model.StageNumber()) == StageKind::ClickZapping && model.State().m_iBattleState == BATTLE_PLAYING;
}

void ZapAt::Apply(CBattleModel& model) const {
    ZapFromFirstChargedAttacker(model, VxVec3{x, y, 0.0f}, model.AppFrame());
}

bool CutParachute::Check(const CBattleModel& model) const {
    if (model.State().m_iBattleState != BATTLE_PLAYING || record < 0 || record >= PARATROOPERS) return false;
    if (model.State().m_aParatroopers[record].state != 0 || ModeOf(model.StageNumber()) == MiniGameMode::BombRun)
        return false;
    return ParachuteTouched(model) <= record;
}

void CutParachute::Apply(CBattleModel& model) const {
    ReleaseParatrooper(model, record);
    CueParachuteCut(model.Scene());
}

bool PutDownForPause::Check(const CBattleModel& model) const { return model.State().m_iCarriedCard >= 0; }

void PutDownForPause::Apply(CBattleModel& model) const {
    RuleState(model).m_iCarriedCard = -1;
    RuleState(model).m_iRelocatingRobot = -1;
}

bool ContinueTutorial::Check(const CBattleModel& model) const { return TutorialTakesClick(model); }

void ContinueTutorial::Apply(CBattleModel& model) const { ClickTutorialStepAway(model); }

bool TutorialCapsule::Check(const CBattleModel& model) const { return IsFirstTutorialActive(model); }

void TutorialCapsule::Apply(CBattleModel& model) const { TutorialCapsuleShown(model, opened); }

bool IsPlayCommand(const BattleCommand& command) {
    return !std::holds_alternative<ChooseHand>(command) && !std::holds_alternative<EnterState>(command) &&
           !std::holds_alternative<StandStill>(command);
}

bool Apply(CBattleModel& model, const BattleCommand& command) {
    const bool allowed = std::visit([&](const auto& c) { return c.Check(model); }, command);
    if (!allowed) return false;
    std::visit([&](const auto& c) { c.Apply(model); }, command);
    model.LogCommand(command);
    return true;
}

void LoggedCommandSource::Take(const CBattleModel& model, std::vector<BattleCommand>& out) {
    while (m_iNext < m_vecLog.size() && m_vecLog[m_iNext].frame <= RuleState(model).m_iBattleFrame) {
        if (m_vecLog[m_iNext].frame == RuleState(model).m_iBattleFrame) out.push_back(m_vecLog[m_iNext].command);
        ++m_iNext;
    }
}
