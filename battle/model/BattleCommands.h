#pragma once
// The player's acts on the battle as values. The page turns a click into one
// of these and applies it through the model; a test or a replay applies the
// same values with no mouse at all. Each act has its check (may it happen
// now?) and its apply (what it does; call only after the check agreed).
#include <array>
#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

class CBattleModel;

// Why a card may not go on a cell; the page shows a message for most.
enum class PlacementRefusal {
    None,         // it may go there
    Silent,       // refused with no message (taken cell, tutorial lane, …)
    JetStream,    // the cell's column is in a jet stream
    StormBot,     // the Storm Bot stands on ground or water only
    Terrain,      // the card's terrain is not the cell's
    Platform,     // the cell holds a platform the card cannot stand on
    SurveyorBot,  // the Surveyor Bot stands on a platform only
    WeaponMount,  // a weapon or barrier finds no robot to mount on
};

struct PlacementVerdict {
    PlacementRefusal refusal = PlacementRefusal::None;
    int unitTerrain = 0;  // Terrain: what the card needs
    int cellKind = 0;     // Terrain: what the cell is
    int card = -1;        // WeaponMount: the card
    int note = 0;         // WeaponMount: 1 the robot cannot take it, 2 nothing to mount on
    bool Allowed() const { return refusal == PlacementRefusal::None; }
};

// Takes up the card of a hand slot (REMOVER_SLOT: the Remover Bot).
struct PickCard {
    int slot = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// Sets the carried card's robot on a cell (column * FIELD_ROWS + row), the
// cell the placement check found.
struct PlaceCard {
    int slot = -1;
    int cell = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// Puts the carried card back.
struct CancelCard {
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The carried Remover Bot takes what stands on a cell away.
struct UseRemover {
    int cell = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// Picks an item on the field up (by its serial).
struct CollectItem {
    int serial = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The carried card is held over a point (logical pixels, origin at the centre,
// y up): in the game, where the pointer is. Where it is held decides what the
// placement check looks at, and the check takes a robot serial over the field.
struct HoldCard {
    float x = 0.0f;
    float y = 0.0f;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The placement check looks at the carried card held at a point: the card is
// held there, and the look takes a robot serial over the field as every look
// does. (What asks whether the card would fit somewhere, without placing it.)
struct TryHeldCard {
    float x = 0.0f;
    float y = 0.0f;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The carried card is let go where it is held and goes on no cell: it stays
// carried, and goes back to the hand once it was carried over three seconds
// and is let go off the field.
struct LetGoCard {
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The hand the player takes into the battle, slot by slot (-1: an empty
// slot), when the card choice is confirmed or the stage deals it.
struct ChooseHand {
    std::array<int, 10> cards{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// What the page showed before a state is over (a caption, a board, the card
// choice): the battle goes on to the state. Loading and play end by the
// battle's own rules, so no showing ends them.
struct EnterState {
    int state = 0;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The battle stood while the screen held a still picture (a board over the
// field, the pause): the clock ran on that many frames and nothing in the
// battle moved. The battle's rules read that clock, so a replay needs it.
struct StandStill {
    int frames = 0;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The relocation mini-games: picks an own robot up from the field (by its
// serial), and lets the robot picked up go where it is held.
struct LiftRobot {
    int serial = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

struct DropRobot {
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The slot machine's lever stops a reel: the rightmost still running.
struct StopReel {
    int reel = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// A frame of the steady controls of the mini-games that follow the pointer
// (aiming, steering, jumping, the charge shot): where the pointer is and
// whether the left button is held, once a frame of play.
struct MiniGamePointer {
    float x = 0.0f;
    float y = 0.0f;
    bool held = false;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// 168: a press at a point zaps the Machine near it (ChargeShotRules.h).
struct ZapAt {
    float x = 0.0f;
    float y = 0.0f;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// 177: a click cuts the parachute of a hanging robot (by its record, the
// highest under the pointer); the robot drops where it hangs. A Machine that
// touches a higher one cuts that one first.
struct CutParachute {
    int record = -1;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The pause puts down what is carried, silently: a card goes back unplaced,
// and a robot being moved stays on the cell it stood on.
struct PutDownForPause {
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The tutorial's "Click to continue...": a click takes the step on show away
// once it has been up over a second.
struct ContinueTutorial {
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

// The first tutorial's reward capsule came to rest, or was opened by the
// player's click: the tutorial asks for the step that speaks of it.
struct TutorialCapsule {
    bool opened = false;
    bool Check(const CBattleModel& model) const;
    void Apply(CBattleModel& model) const;
};

using BattleCommand =
    std::variant<PickCard, PlaceCard, CancelCard, UseRemover, CollectItem, HoldCard, LetGoCard, ChooseHand, EnterState,
                 StandStill, LiftRobot, DropRobot, StopReel, TryHeldCard, MiniGamePointer, ZapAt, CutParachute,
                 PutDownForPause, ContinueTutorial, TutorialCapsule>;

// The commands of the player's acts in play (not the hand's choice, the
// states the page's showings end, nor the stills).
bool IsPlayCommand(const BattleCommand& command);

// Checks the command and applies it when allowed; answers whether it applied.
// An applied command goes into the model's log while it keeps one.
bool Apply(CBattleModel& model, const BattleCommand& command);

// A command as applied, with the battle frame it was applied on.
struct LoggedCommand {
    int frame = 0;
    BattleCommand command;
};

// Where the page takes commands from besides the mouse: asked once a frame
// at the point where the page applies the player's acts.
class BattleCommandSource {
public:
    virtual ~BattleCommandSource() = default;
    // The commands due now (appended to out).
    virtual void Take(const CBattleModel& model, std::vector<BattleCommand>& out) = 0;
};

// Plays back a log: each command at its frame.
class LoggedCommandSource : public BattleCommandSource {
public:
    explicit LoggedCommandSource(std::vector<LoggedCommand> log) : m_vecLog(std::move(log)) {}
    void Take(const CBattleModel& model, std::vector<BattleCommand>& out) override;
    // Commands not yet played (their frame never came, or passed).
    size_t Left() const { return m_vecLog.size() - m_iNext; }

private:
    std::vector<LoggedCommand> m_vecLog;
    size_t m_iNext = 0;
};
