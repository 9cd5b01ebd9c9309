#pragma once
// What each stage is. Stages up to 150 are battles; 151 to 180 are mini-games,
// each of a kind (what the player does there) and, where it has rules of its
// own within that kind, a mode (the rule pass that runs it).

enum class StageKind {
    Battle,
    AdvanceRounds,  // keep the placed robots alive through five rounds
    AimedShooting,  // hold the button: charged robots fire at the pointer
    Steering,       // drag the controlled robot; it fires when charged
    Jumping,        // jump with the button, walk with the pointer
    Relocation,     // pick robots up and put them on other cells
    SlotMachine,    // stop three reels; matches release capsules
    ChargeShot,     // hold to charge, release to fire
    ClickZapping,   // click Machines near the pointer
    CapsuleRain,    // a battle with capsules dropping
    ConveyorCatch,  // let robots fall onto carriers
    FastMachines,   // a battle whose first Machine type walks fast
};

enum class MiniGameMode {
    None,           // the kind's own rules and nothing more
    ShotCapsule,    // one capsule drops a third into the stage
    CapsuleSupply,  // copter capsules keep coming
    BothSides,      // Machines come from both sides; four robots must live
    BossDuel,       // a whale boss surfaces in fast water, sways and must be beaten
    BaseDuel,       // the same duel fought from robot bases
    FloatingBoss,   // a floating boss while robots drift in
    BombRun,        // the Machine Gunner rides against the Destroyer
    Swim,           // the jumper swims and stomps along the bottom
    Climb,          // the jumper climbs from a start line
    SequenceGame,   // three robots lined up in steps
    FinalBoss,      // the episode's Destroyer
    EnergyGoal,     // gather 1000 energy
};

bool IsMiniGameStage(int stage);
// Battle for every stage that is no mini-game, out-of-range numbers included.
StageKind KindOf(int stage);
MiniGameMode ModeOf(int stage);

// The stages whose paratroopers bring robots down from the sky.
bool HasParatroopers(int stage);
