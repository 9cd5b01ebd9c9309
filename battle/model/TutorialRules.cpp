#include "battle/model/TutorialRules.h"

#include "battle/model/BattleRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"

namespace {

TutorialSteps& Steps(CBattleModel& battle) { return RuleState(battle).m_Tutorial; }
const TutorialSteps& Steps(const CBattleModel& battle) { return battle.State().m_Tutorial; }

}  // namespace

void AskForTutorialSteps(CBattleModel& battle) {
    TutorialSteps& steps = Steps(battle);
    const bool slot0Charged =
        RuleState(battle).m_aHand[0].m_iCard >= 0 &&
        RuleState(battle).m_aHand[0].m_iCharge >= RuleState(battle).m_aHandDefs[0].m_iRechargeTime;
    const bool playing = RuleState(battle).m_iBattleState == BATTLE_PLAYING;
    const int s = steps.Step();
    if (IsFirstTutorialActive(battle)) {
        if (s == -1 && playing && slot0Charged) steps.RequestStep(0);
        else if ((s == 4 || s == 5) && steps.IsStepDismissed()) steps.RequestStep(s + 1);
        else if (s == 6 && RuleState(battle).m_iEnergy >= 20) steps.RequestStep(7);
        else if (s == 11 && steps.IsStepDismissed()) steps.RequestStep(12);
        else if (s == 11) RuleState(battle).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
        return;
    }
    const SaveProfile& p = battle.Profile();
    if (p.m_iFurthestStage == 2 && battle.StageNumber() == 2 && p.m_iEnergyBooster == 0 && s == -1 && playing &&
        slot0Charged)
        steps.RequestStep(16);
}

void HoldClockWhileStepIsRead(CBattleModel& battle, int shownFrames) {
    if (shownFrames > TUTORIAL_CLOCK_HOLD_AGE && RuleState(battle).m_iBattleState == BATTLE_PLAYING)
        ++RuleState(battle).m_iTimeLeft;
}

void RunTutorialSteps(CBattleModel& battle) {
    TutorialSteps& steps = Steps(battle);
    if (!steps.Started()) return;
    steps.Advance();
    if (steps.LastFrame().readFrames >= 0) HoldClockWhileStepIsRead(battle, steps.LastFrame().readFrames);
}

void TutorialCardPicked(CBattleModel& battle, int card) {
    if (IsFirstTutorialActive(battle) && card == RobotId::FusorBot) Steps(battle).RequestStep(1);
}

void TutorialCardPlaced(CBattleModel& battle, int card) {
    if (!IsFirstTutorialActive(battle)) return;
    if (card == RobotId::FusorBot) Steps(battle).RequestStep(2);
    else if (card == RobotId::GunnerBot) Steps(battle).RequestStep(8);
}

void TutorialItemCollected(CBattleModel& battle, int itemKind) {
    if (!IsFirstTutorialActive(battle)) return;
    if (IsEnergyItem(itemKind)) Steps(battle).RequestStep(4);
    else if (IsPartsItem(itemKind)) Steps(battle).RequestStep(11);
}

bool TutorialRuns(const CBattleModel& battle) {
    return IsFirstTutorialActive(battle) || (battle.Profile().m_iFurthestStage == 2 && IsSecondTutorialActive(battle));
}

bool TutorialHoldsInput(const CBattleModel& battle) {
    const TutorialSteps& steps = Steps(battle);
    return TutorialRuns(battle) && IsTutorialClickStep(steps.Step()) && !steps.IsStepDismissed();
}

bool TutorialHoldsCard(const CBattleModel& battle, int card) {
    const int s = Steps(battle).Step();
    return IsFirstTutorialActive(battle) && s >= 4 && s <= 7 && card == RobotId::FusorBot;
}

bool TutorialRefusesCell(const CBattleModel& battle, int column, int row) {
    if (!IsFirstTutorialActive(battle) || Steps(battle).Step() >= 8) return false;
    const int n = int(battle.State().m_lstRobots.size());
    return row != 4 || column < 9 - n;
}

bool TutorialHoldsMachines(const CBattleModel& battle) {
    if (!IsFirstTutorialActive(battle)) return false;
    const int step = Steps(battle).Step();
    if (step < 8 || step == 10) return true;
    return Steps(battle).IsIdle();
}

bool TutorialTakesClick(const CBattleModel& battle) { return Steps(battle).TakesClick(); }

void ClickTutorialStepAway(CBattleModel& battle) {
    TutorialSteps& steps = Steps(battle);
    steps.ClickAway();
    CueTutorialClick(battle.Scene());
    TutorialStepClickedAway(battle, steps.Step());
}

void TutorialCapsuleShown(CBattleModel& battle, bool opened) {
    if (IsFirstTutorialActive(battle)) Steps(battle).RequestStep(opened ? 14 : 13);
}

void TutorialStepClickedAway(CBattleModel& battle, int step) {
    if (step == 8) RuleState(battle).m_StageDefinition.m_bAttacksAllowed = false;
    if (step != 9) return;
    RuleState(battle).m_StageDefinition.m_bAttacksAllowed = true;
    for (CCom_GameRobot& robot : RuleState(battle).m_lstRobots) {
        if (robot.Type() != MachineId::Smasher) continue;
        UnitDefinition d{};
        GetUnitDefinition(d, MachineId::Smasher, battle.Profile(), battle.StageNumber());
        robot.m_Unit.m_fSpeed = d.m_fSpeed;
        break;
    }
}

void HoldTutorialClock(CBattleModel& battle) {
    if (!IsFirstTutorialActive(battle)) return;
    const TutorialSteps& steps = Steps(battle);
    const int k = steps.Step();
    const int shown = steps.ShownFrames();
    if ((k <= 4 && shown > TUTORIAL_CLOCK_HOLD_AGE) || (k >= 5 && steps.IsIdle())) {
        for (CCom_GameRobot& r : RuleState(battle).m_lstRobots)
            if (!r.IsMachine() && r.Type() == RobotId::FusorBot && r.m_Unit.m_iActionInterval - r.m_iActionTimer > 100)
                --r.m_iActionTimer;
    }
    if ((k == 4 || k == 5 || k == 6) && RuleState(battle).m_iNextItemSerial > 1 && shown <= TUTORIAL_CLOCK_HOLD_AGE)
        ++RuleState(battle).m_iTimeLeft;
}

void StopFirstMachineAtStepEight(CBattleModel& battle, CCom_GameRobot& robot) {
    if (!IsFirstTutorialActive(battle) || Steps(battle).Step() != 8 || !robot.IsMachine() ||
        robot.m_vPosition.x <= RuleState(battle).m_aFieldCells[0].m_fX)
        return;
    Steps(battle).RequestStep(9);
    robot.m_Unit.m_fSpeed = 0.0f;
}

void KeepTutorialItem(const CBattleModel& battle, CCom_GameItem& item) {
    if (!IsFirstTutorialActive(battle) || item.m_iAge <= 679) return;
    const bool energy = IsEnergyItem(item.m_iItemKind);
    const bool parts = IsPartsItem(item.m_iItemKind);
    const bool stepThree = Steps(battle).Step() == 3;
    if ((stepThree && energy) || (!stepThree && battle.Profile().m_iMetalParts == 0 && parts)) item.m_iAge = 678;
}
