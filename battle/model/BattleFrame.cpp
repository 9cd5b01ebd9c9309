#include "battle/model/BattleFrame.h"

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRoad.h"
#include "battle/model/BattleStates.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/JumpingRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/model/TutorialRules.h"
#include "content/StageRules.h"

void RunPlayInput(CBattleModel& model, PlayInputSteps& steps) {
    steps.CutParachutes();
    LetMachinesCutParachutes(model);
    // A card carried by hand (not a robot being moved) counts its frames
    // before the release is read.
    if (model.State().m_iCarriedCard >= 0 && model.State().m_iRelocatingRobot == -1) model.CountCarriedFrame();
    steps.PlayerActs();
    RunMiniGameInputRules(model);
}

namespace {

// The rules of the state the frame is in; the page's boards and captions of
// it come before and after.
void RunStateRules(CBattleModel& model, BattleFrameSteps& steps) {
    const int state = model.State().m_iBattleState;
    steps.StateBegins(state);
    switch (state) {
    case BATTLE_LOADING: StepLoading(model); break;
    case BATTLE_PLAYING:
        // 169 waits for the meteors still falling at the end of play.
        if (StepPlaying(model, MeteorsFalling(model)) == PlayStep::StartLine) StepStartLine(model);
        break;
    case BATTLE_REWARD: CollectRemainingItems(model); break;
    default: break;
    }
    steps.StateShown(state);
}

void SlidePanel(CBattleModel& model, BattleFrameSteps& steps) {
    SlidePartsPanel(model);
    steps.ShowPartsPanel();
}

}  // namespace

void RunBattleFrame(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int shownCount, BattleDrawer& drawer,
                    BattleFrameSteps& steps) {
    RunFieldFrame(model, shownRobots, shownCount, drawer);
    steps.FieldDone();

    const int stage = model.StageNumber();
    const bool stateOfHud =
        model.State().m_iBattleState >= BATTLE_LOADING && model.State().m_iBattleState <= BATTLE_RESULT;
    if (stateOfHud && steps.HudShows()) {
        // Flying items read the energy counter's place as their target; the catch has no counters.
        if (KindOf(stage) != StageKind::ConveyorCatch) PlaceEnergyPanel(model);
        steps.ShowHud();
    }
    steps.HudDone();
    if (model.State().m_iBattleState <= BATTLE_PLAYING) SlidePanel(model, steps);
    RunStateRules(model, steps);

    if (stateOfHud) {
        const HandFrame hand = steps.ShowHandCards();
        if (hand.shown && !IsSlotMachineStage(stage)) model.ChargeHandCards(hand.loading, hand.gauges);
        steps.HandCharged(hand);
    }
    if (model.State().m_iBattleState == BATTLE_PLAYING && model.State().m_iCarriedCard >= 0) {
        steps.HoldCarriedCard();
        steps.ShowCarriedCard(model.TakeCarriedGhostSerials());
    }
    steps.JumperBobs();
    BobJumperOnStart(model);
    steps.JumperBobbed();
    CountOccupiedCells(model);
    AskForTutorialSteps(model);
    steps.TutorialAsked();

    // The items' flights move (and pay out) first, then their pictures show.
    RunItemFlights(model);
    steps.ItemFlightsFlown();
    // The bomb run's paratroopers drop with the road's rows.
    if (ModeOf(stage) != MiniGameMode::BombRun) {
        RunParatroopers(model);
        steps.ParatroopersDropped();
    }
    steps.MeteorsFall();  // the meteors where they are, then they fly on
    RunMeteorFlights(model);
    steps.MeteorsFlown();
    RunThrownRobots(model);
    steps.ThrownRobotsFlown();
    // After the capsule's board, which may have asked for a step.
    RunTutorialSteps(model);
    steps.TutorialStepped();
    if (model.State().m_iBattleState > BATTLE_PLAYING) SlidePanel(model, steps);
    steps.FrameShown();
    model.CountFrame();
}
