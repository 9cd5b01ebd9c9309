#pragma once
// The kinds of stage and the mini-games' modes, the words a mini-game's row
// (MiniGameTable.h) and the stage questions (StageKinds.h) are written in.

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
