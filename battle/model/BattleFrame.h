#pragma once
// A battle frame's rules in their order. The page and the model-alone run
// both step the battle through these two functions, so a rule added to the
// frame goes here once. Between the rules sit the page's steps: it reads the
// input and shows what the rules did, in the places that keep its pictures
// and commands where they were. A run without a page takes QuietFrameSteps.
#include <vector>

class CBattleModel;
class CCom_GameRobot;
class BattleDrawer;

// The input's part of a frame of play, as the page reads it.
class PlayInputSteps {
public:
    virtual ~PlayInputSteps() = default;
    // A press on a hanging robot cuts its parachute before any Machine may.
    virtual void CutParachutes() = 0;
    // The player's acts: the hand, the carried card, a mini-game's controls.
    virtual void PlayerActs() = 0;
};

// How the hand stands for this frame's drawing and charging.
struct HandFrame {
    bool shown = true;     // the hand is drawn and charges (not while a loading hand waits)
    bool loading = false;  // the loader still makes the hand's records
    bool gauges = true;    // the charge gauges show
};

// What the page does between the rules of the rest of the frame.
class BattleFrameSteps {
public:
    virtual ~BattleFrameSteps() = default;
    // Once the field has run, before the HUD.
    virtual void FieldDone() = 0;
    // The HUD shows (not while the stage loader runs); the energy counter's
    // place is set just before it is drawn.
    virtual bool HudShows() = 0;
    virtual void ShowHud() = 0;
    // The HUD's frame is over: what shows above the screen.
    virtual void HudDone() = 0;
    // After each slide of the parts panel.
    virtual void ShowPartsPanel() = 0;
    // Before and after the rules of the state the frame began in: the
    // boards and captions it waits for, ended by commands.
    virtual void StateBegins(int state) = 0;
    virtual void StateShown(int state) = 0;
    // The hand of a state with the HUD: its cards before they charge, the
    // rest of it after.
    virtual HandFrame ShowHandCards() = 0;
    virtual void HandCharged(const HandFrame& hand) = 0;
    // In play with a card carried: it is held where the pointer is, then its
    // robot shows there (ghost: the serial taken for it).
    virtual void HoldCarriedCard() = 0;
    virtual void ShowCarriedCard(int ghost) = 0;
    // Around the jumper's bob on its start line.
    virtual void JumperBobs() = 0;
    virtual void JumperBobbed() = 0;
    // Once the tutorial has asked for its steps.
    virtual void TutorialAsked() = 0;
    // After the flights of items, the paratroopers' drop and before and
    // after the meteors' flights.
    virtual void ItemFlightsFlown() = 0;
    virtual void ParatroopersDropped() = 0;
    virtual void MeteorsFall() = 0;
    virtual void MeteorsFlown() = 0;
    // The thrown robots have flown: the overlays up to the reward capsule.
    virtual void ThrownRobotsFlown() = 0;
    // The tutorial's steps have moved on: the rest of the overlays.
    virtual void TutorialStepped() = 0;
    // The last of the frame's pictures, before the frame is counted.
    virtual void FrameShown() = 0;
};

// Steps that neither show nor read anything: the hand always shows and charges.
class QuietFrameSteps : public BattleFrameSteps {
public:
    void FieldDone() override {}
    bool HudShows() override { return true; }
    void ShowHud() override {}
    void HudDone() override {}
    void ShowPartsPanel() override {}
    void StateBegins(int) override {}
    void StateShown(int) override {}
    HandFrame ShowHandCards() override { return HandFrame{}; }
    void HandCharged(const HandFrame&) override {}
    void HoldCarriedCard() override {}
    void ShowCarriedCard(int) override {}
    void JumperBobs() override {}
    void JumperBobbed() override {}
    void TutorialAsked() override {}
    void ItemFlightsFlown() override {}
    void ParatroopersDropped() override {}
    void MeteorsFall() override {}
    void MeteorsFlown() override {}
    void ThrownRobotsFlown() override {}
    void TutorialStepped() override {}
    void FrameShown() override {}
};

// The input's rules of a frame of play: the player's cut parachutes, then the
// Machines' cuts, the carried card's frame count, the player's acts and the
// mini-games' rules that run with the input.
void RunPlayInput(CBattleModel& model, PlayInputSteps& steps);

// The rest of the frame: the field (RunFieldFrame), the counters' places and
// the parts panel's slide, the state's rules, the hand's charging, the carried
// card's serials, the jumper's bob, the occupied cells, the tutorial's steps,
// the flights of items, paratroopers, meteors and thrown robots, and the
// frame's count.
void RunBattleFrame(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int shownCount, BattleDrawer& drawer,
                    BattleFrameSteps& steps);
