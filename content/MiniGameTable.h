#pragma once
// Each mini-game's row: its kind and mode, and every fact its rules read
// (hand, reels, start robots, charge, scroll, pace, duel boss, capsules, the
// Destroyer it calls, the field it plays on and its stage flags). One row a
// mini-game in MiniGameTable.cpp, each written with the names of its columns.
#include <vector>

#include "content/StageKindAndMode.h"
#include "content/StageNumbering.h"

// The campaign's mini-game places, 151 to LAST_STAGE: a table keyed by place,
// 151 first, holds this many rows.
constexpr int MINI_GAME_PLACES = LAST_STAGE - FIRST_MINI_GAME_STAGE + 1;

// The fixed hand a mini-game deals (the slot machines deal theirs by reels).
struct MiniGameHand {
    std::vector<int> cards{};  // robot ids, slot 0 first
    int slots = 0;
    int runLast = -1;  // a card whose robots run last, or -1
};

// What a start robot is given on top of its card.
enum StartRobotRule : unsigned {
    START_HOLD_FIRE = 1u << 0,   // fires only when the player says so
    START_FULL_TIMER = 1u << 1,  // its action timer starts full
    START_HURT = 1u << 2,        // half its hit points, twice its maximum, facing back; holds its fire
};

// A robot the mini-game places on a cell at set-up, in the row's order: of
// the hand slot `slot`, or of the slot that holds `card` when one is named.
struct StartRobot {
    int column = 0;
    int row = 0;
    int slot = 0;
    int card = -1;
    int control = -1;  // its place among the robots the player controls, or -1
    unsigned rules = 0;
    int intervalFrames = 0;      // an action interval of its own, or 0
    double intervalShare = 1.0;  // the card's action interval times this
};

// How fast every unit of the stage goes and acts.
struct MiniGamePace {
    float speed = 1.0f;            // every unit's speed times this
    int spared = -1;               // a unit type the speed leaves alone, or -1
    int speedSteps = 0;            // adds 0.5 to the factor a step, drawn from 0 to steps - 1
    double machineInterval = 1.0;  // the Machines' action interval times this
    float leadSpeed = 0.0f;        // the stage's first Machine type walks at this speed, 0: its own
};

// The Machine a duel calls as its boss, and how it is scaled.
struct DuelBoss {
    int type = 0;
    double interval = 1.0;
    double hp = 1.0;
};

// The hand slot a capsule carries, from a roll 0 to 99: slot i below
// bands[i], then one slot more every `tail` past the last band.
struct CapsuleBands {
    std::vector<int> bands{};
    int tail = 1;
    bool mounts = false;  // a slot whose robot needs a base gets the base's slot
};

// A collected capsule of this card flies to the HUD this much faster.
struct CapsuleFlight {
    int card = 0;
    float speed = 1.0f;
};

struct MiniGameRow {
    int stage = 0;
    StageKind kind = StageKind::Battle;
    MiniGameMode mode = MiniGameMode::None;
    MiniGameHand hand{};
    std::vector<int> reels{};  // each reel's robot ids, in order
    std::vector<StartRobot> start{};
    float chargeSlot0 = 1.0f;  // the share of its action interval a robot charges in, slot 0
    float charge = 1.0f;       // and the other slots
    float scroll = 0.0f;       // the backdrop's scroll step a frame
    MiniGamePace pace{};
    DuelBoss boss{};
    int destroyer = 0;  // the Destroyer that takes part (its unit id), or 0
    CapsuleBands capsules{};
    std::vector<CapsuleFlight> capsuleFlights{};
    bool clearsFinalWave = false;     // the stage's last wave is no final wave
    bool relocationCooldown = false;  // a moved robot cools down before it moves again
    bool meteorArrivals = false;      // every Machine comes down by meteor
    int fieldOf = 0;                  // the stage whose field it plays on, 0: its own
};

// The row of a mini-game; an empty row (a battle's) for every other stage.
const MiniGameRow& MiniGameRowOf(int stage);

// The hand slot a capsule of the row carries for a roll 0 to 99.
int CapsuleSlotForRoll(const CapsuleBands& capsules, int roll);
// How much faster a collected capsule of the card flies (1 for most).
float CapsuleFlightSpeed(const MiniGameRow& row, int card);
