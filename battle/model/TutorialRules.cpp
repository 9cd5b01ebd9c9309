#include "battle/model/TutorialRules.h"

#include "battle/model/BattleRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"

void AskForTutorialSteps(CBattleModel& battle) {
    BattleScene& scene = battle.Scene();
    if (!TutorialShown(scene)) return;
    const bool slot0Charged =
        RuleState(battle).m_aHand[0].m_iCard >= 0 &&
        RuleState(battle).m_aHand[0].m_iCharge >= RuleState(battle).m_aHandDefs[0].m_iRechargeTime;
    const bool playing = RuleState(battle).m_iBattleState == BATTLE_PLAYING;
    const int s = TutorialStep(scene);
    if (IsFirstTutorialActive(battle)) {
        if (s == -1 && playing && slot0Charged) CueTutorialStep(scene, 0);
        else if ((s == 4 || s == 5) && TutorialStepDismissed(scene)) CueTutorialStep(scene, s + 1);
        else if (s == 6 && RuleState(battle).m_iEnergy >= 20) CueTutorialStep(scene, 7);
        else if (s == 11 && TutorialStepDismissed(scene)) CueTutorialStep(scene, 12);
        else if (s == 11) RuleState(battle).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
        return;
    }
    const SaveProfile& p = battle.Profile();
    if (p.m_iFurthestStage == 2 && battle.StageNumber() == 2 && p.m_iEnergyBooster == 0 && s == -1 && playing &&
        slot0Charged)
        CueTutorialStep(scene, 16);
}

void HoldClockWhileStepIsRead(CBattleModel& battle, int shownFrames) {
    if (shownFrames > TUTORIAL_CLOCK_HOLD_AGE && RuleState(battle).m_iBattleState == BATTLE_PLAYING)
        ++RuleState(battle).m_iTimeLeft;
}

void TutorialStepClickedAway(CBattleModel& battle, int step) {
    if (step == 8) RuleState(battle).m_StageDefinition.m_bAttacksAllowed = false;
    if (step != 9) return;
    RuleState(battle).m_StageDefinition.m_bAttacksAllowed = true;
    for (CCom_GameRobot& robot : RuleState(battle).m_lstRobots) {
        if (robot.Type() != MachineId::Smasher) continue;
        UnitDefinition d{};
        GetUnitDefinition(d, MachineId::Smasher);
        robot.m_Unit.m_fSpeed = d.m_fSpeed;
        break;
    }
}

void HoldTutorialClock(CBattleModel& battle) {
    const BattleScene& scene = battle.Scene();
    if (!IsFirstTutorialActive(battle) || !TutorialShown(scene)) return;
    const int k = TutorialStep(scene);
    const int shown = TutorialStepShownFrames(scene);
    if ((k <= 4 && shown > TUTORIAL_CLOCK_HOLD_AGE) || (k >= 5 && TutorialIdle(scene))) {
        for (CCom_GameRobot& r : RuleState(battle).m_lstRobots)
            if (!r.IsMachine() && r.Type() == RobotId::FusorBot && r.m_Unit.m_iActionInterval - r.m_iActionTimer > 100)
                --r.m_iActionTimer;
    }
    if ((k == 4 || k == 5 || k == 6) && RuleState(battle).m_iNextItemSerial > 1 && shown <= TUTORIAL_CLOCK_HOLD_AGE)
        ++RuleState(battle).m_iTimeLeft;
}

void StopFirstMachineAtStepEight(CBattleModel& battle, CCom_GameRobot& robot) {
    if (!IsFirstTutorialActive(battle) || TutorialStep(battle.Scene()) != 8 || !robot.IsMachine() ||
        robot.m_vPosition.x <= RuleState(battle).m_aFieldCells[0].m_fX)
        return;
    CueTutorialStep(battle.Scene(), 9);
    robot.m_Unit.m_fSpeed = 0.0f;
}

void KeepTutorialItem(const CBattleModel& battle, CCom_GameItem& item) {
    if (!IsFirstTutorialActive(battle) || !TutorialShown(battle.Scene()) || item.m_iAge <= 679) return;
    const bool energy = item.m_iItemKind >= 0 && item.m_iItemKind <= 3;
    const bool parts = item.m_iItemKind >= 4 && item.m_iItemKind <= 7;
    const bool stepThree = TutorialStep(battle.Scene()) == 3;
    if ((stepThree && energy) || (!stepThree && battle.Profile().m_iMetalParts == 0 && parts)) item.m_iAge = 678;
}
