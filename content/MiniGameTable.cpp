#include "content/MiniGameTable.h"

#include <array>
#include <iterator>

#include "content/StageNumbering.h"
#include "content/UnitIds.h"

namespace {

constexpr int kFirst = FIRST_MINI_GAME_STAGE;
constexpr int kCount = MINI_GAME_PLACES;

using K = StageKind;
using M = MiniGameMode;
namespace R = RobotId;

constexpr unsigned kHold = START_HOLD_FIRE;

// Built at first use: other files' start-up code may ask for a row.
const MiniGameRow* Rows() {
    // The bases the episodes' final stages start from.
    static const std::vector<StartRobot> kFinalBases = {{.column = 8, .row = 2, .slot = 1},
                                                        {.column = 9, .row = 1, .slot = 0},
                                                        {.column = 9, .row = 2, .slot = 1},
                                                        {.column = 9, .row = 3, .slot = 0}};
    // The one robot a duel steers.
    static const std::vector<StartRobot> kDuelist = {{.column = 8, .row = 2, .control = 0}};

    // One row a mini-game, 151 first; a column left out keeps its default.
    static const MiniGameRow kRows[] = {
        {.stage = 151, .kind = K::AdvanceRounds, .hand = {.cards = {R::FusorBot}, .slots = 1}},
        {.stage = 152,
         .kind = K::AimedShooting,
         .hand = {.cards = {R::GunnerBot}, .slots = 1},
         .start = {{.column = 8, .row = 2, .control = 0, .rules = kHold}},
         .chargeSlot0 = 0.2f,
         .charge = 0.2f},
        {.stage = 153,
         .kind = K::Relocation,
         .hand = {.cards = {R::WarriorBot}, .slots = 1},
         .start = {{.column = 9, .row = 2}, {.column = 9, .row = 3}, {.column = 9, .row = 4}},
         .relocationCooldown = true},
        {.stage = 154,
         .kind = K::Steering,
         .mode = M::CapsuleSupply,
         .hand = {.cards = {R::CopterBot}, .slots = 1},
         .start = {{.column = 9, .row = 2}},
         .chargeSlot0 = 0.6f,
         .charge = 0.6f,
         .scroll = 2.2f,
         .fieldOf = 1},
        {.stage = 155,
         .kind = K::Steering,
         .mode = M::BothSides,
         .hand = {.cards = {R::FusorBot, R::DiverBot}, .slots = 2, .runLast = R::DiverBot},
         .start = {{.column = 2, .row = 3},
                   {.column = 4, .row = 1},
                   {.column = 7, .row = 2},
                   {.column = 4, .row = 2, .slot = 1, .intervalFrames = 35}},
         .chargeSlot0 = 0.5f,
         .charge = 0.5f,
         .pace = {.speed = 2.0f, .spared = MachineId::Rocket}},
        {.stage = 156,
         .kind = K::Steering,
         .mode = M::BossDuel,
         .hand = {.cards = {R::DiverBot}, .slots = 1, .runLast = R::DiverBot},
         .start = kDuelist,
         .chargeSlot0 = 0.385f,
         .charge = 0.385f,
         .scroll = 15.0f,
         .pace = {.speed = 0.7f, .spared = MachineId::KillerWhale, .machineInterval = 1.5},
         .boss = {.type = MachineId::KillerWhale, .interval = 0.5, .hp = 1.5},
         .clearsFinalWave = true},
        {.stage = 157,
         .kind = K::Jumping,
         .mode = M::Swim,
         .hand = {.cards = {R::MarinerBot}, .slots = 1},
         .start = {{.column = 9, .row = 4}},
         .chargeSlot0 = 0.75f,
         .charge = 0.75f,
         .scroll = 10.0f},
        // The Mariner Bot starts hurt and must be mended before the walk.
        {.stage = 158,
         .kind = K::Relocation,
         .mode = M::SequenceGame,
         .hand = {.cards = {R::SnowBaller, R::FixerBot, R::DShotgunner, R::StormBot, R::MiniBomber, R::BuoyerBot,
                            R::MarinerBot},
                  .slots = 7},
         .start = {{.column = 8, .row = 1, .card = R::DShotgunner},
                   {.column = 9, .row = 2, .card = R::FixerBot, .rules = START_FULL_TIMER, .intervalShare = 0.5},
                   {.column = 8, .row = 3, .card = R::SnowBaller},
                   {.column = 4, .row = 4, .card = R::MarinerBot, .rules = START_HURT}},
         .capsuleFlights = {{.card = R::MiniBomber, .speed = 1.5f}, {.card = R::StormBot, .speed = 1.5f}},
         .clearsFinalWave = true,
         .relocationCooldown = true},
        {.stage = 159,
         .kind = K::SlotMachine,
         .reels = {R::MiniMine, R::MiniMine, R::MiniMine, R::MiniMine, R::MiniBomber, R::MiniBomber, R::MiniBomber,
                   R::StormBot, R::StormBot}},
        {.stage = 160,
         .kind = K::Relocation,
         .mode = M::FinalBoss,
         .hand = {.cards = {R::GunnerBot, R::FreezerBot, R::BlockerBot, R::BoomerangBot, R::MissilerBot, R::DShotgunner,
                            R::SniperBot},
                  .slots = 7},
         .start = kFinalBases,
         .scroll = 20.0f,
         .destroyer = MachineId::Destroyer,
         .capsules = {.bands = {35, 60, 80}, .tail = 5},
         .clearsFinalWave = true,
         .relocationCooldown = true},
        {.stage = 161,
         .kind = K::CapsuleRain,
         .hand = {.cards = {R::MiniMine, R::GunnerBot, R::CannonBot, R::FreezerBot}, .slots = 4},
         .capsules = {.bands = {20, 70, 90}, .tail = 10},
         .capsuleFlights = {{.card = R::MiniMine, .speed = 1.25f},
                            {.card = R::GunnerBot, .speed = 1.35f},
                            {.card = R::CannonBot, .speed = 1.35f},
                            {.card = R::FreezerBot, .speed = 1.5f}}},
        {.stage = 162,
         .kind = K::AimedShooting,
         .mode = M::ShotCapsule,
         .hand = {.cards = {R::GunnerBot, R::MachineGunner}, .slots = 2},
         .start = {{.column = 8, .row = 2, .control = 0, .rules = kHold}},
         .chargeSlot0 = 0.2f,
         .charge = 0.5f},
        {.stage = 163,
         .kind = K::Steering,
         .mode = M::FloatingBoss,
         .hand = {.cards = {R::DropperBot, R::CannonBot, R::CopterBot}, .slots = 3, .runLast = R::DropperBot},
         .start = {{.column = 8, .row = 2, .control = 0, .intervalShare = 0.75}},
         .chargeSlot0 = 0.6f,
         .charge = 0.6f,
         .scroll = -1.0f,
         .boss = {.type = MachineId::Giant, .interval = 0.5},
         .clearsFinalWave = true,
         .fieldOf = 1},
        {.stage = 164,
         .kind = K::ChargeShot,
         .hand = {.cards = {R::CannonBot, R::MortarBot}, .slots = 2},
         .start = {{.column = 8, .row = 3, .control = 0, .rules = kHold}}},
        {.stage = 165,
         .kind = K::SlotMachine,
         .reels = {R::BoomerangBot, R::BoomerangBot, R::BubbleBot, R::BubbleBot, R::SubmergerBot, R::SubmergerBot,
                   R::MissilerBot, R::MissilerBot, R::MissilerBot, R::MissilerBot}},
        {.stage = 166,
         .kind = K::Steering,
         .mode = M::BossDuel,
         .hand = {.cards = {R::DiverBot}, .slots = 1, .runLast = R::DiverBot},
         .start = kDuelist,
         .chargeSlot0 = 0.385f,
         .charge = 0.385f,
         .scroll = 15.0f,
         .pace = {.speed = 0.7f, .spared = MachineId::FrostOrca, .machineInterval = 1.5},
         .boss = {.type = MachineId::FrostOrca, .interval = 1.5, .hp = 0.85},
         .clearsFinalWave = true,
         .fieldOf = 156},
        // The backdrop's scroll follows the climb.
        {.stage = 167,
         .kind = K::Jumping,
         .mode = M::Climb,
         .hand = {.cards = {R::MarinerBot, R::CopterBot, R::DropperBot, R::FloaterBot, R::SurveyorBot}, .slots = 5},
         .start = {{.column = 8, .row = 2}},
         .fieldOf = 1},
        {.stage = 168,
         .kind = K::ClickZapping,
         .hand = {.cards = {R::SniperBot}, .slots = 1},
         .start = {{.column = 8, .row = 0, .control = 0, .rules = kHold}},
         .chargeSlot0 = 0.2f,
         .charge = 0.2f},
        {.stage = 169,
         .kind = K::SlotMachine,
         .reels = {R::BlockerBot, R::BlockerBot, R::BlockerBot, R::FlameBot, R::FlameBot, R::WarriorBot, R::WarriorBot,
                   R::FreezerBot, R::FreezerBot, R::FreezerBot},
         .meteorArrivals = true},
        {.stage = 170,
         .kind = K::Relocation,
         .mode = M::FinalBoss,
         .hand = {.cards = {R::ShockerBot, R::WarriorBot, R::PlasmaBot, R::BoomerangBot, R::DShotgunner, R::FlameBot,
                            R::SniperBot},
                  .slots = 7},
         .start = kFinalBases,
         .scroll = 20.0f,
         .destroyer = MachineId::Destroyer,
         .capsules = {.bands = {25, 45, 65, 85}, .tail = 5},
         .clearsFinalWave = true,
         .relocationCooldown = true,
         .fieldOf = 160},
        {.stage = 171,
         .kind = K::Steering,
         .mode = M::BombRun,
         .hand = {.cards = {R::GunnerBot, R::MachineGunner, R::AtomicBot, R::FreezerBot, R::DShotgunner, R::PlasmaBot},
                  .slots = 6},
         .start = kDuelist,
         .chargeSlot0 = 0.5f,
         .charge = 0.5f,
         .scroll = 100.0f,
         .pace = {.speed = 3.0f},
         .boss = {.type = MachineId::Destroyer, .interval = 0.25},
         .destroyer = MachineId::Destroyer,
         .fieldOf = 160},
        {.stage = 172,
         .kind = K::Relocation,
         .mode = M::EnergyGoal,
         .hand = {.cards = {R::FusorBot, R::PapaFusor, R::MiniMine, R::MiniBomber}, .slots = 4},
         .start = {{.column = 2, .row = 3, .card = R::FusorBot},
                   {.column = 5, .row = 3, .card = R::PapaFusor},
                   {.column = 8, .row = 3, .card = R::FusorBot, .control = 0}}},
        {.stage = 173,
         .kind = K::Relocation,
         .hand = {.cards = {R::FlameBot, R::SpiderBot, R::FixerBot}, .slots = 3},
         .start = {{.column = 9, .row = 2, .slot = 1},
                   {.column = 9, .row = 3, .slot = 0},
                   {.column = 9, .row = 4, .slot = 2},
                   {.column = 8, .row = 2, .slot = 1},
                   {.column = 8, .row = 3, .slot = 0},
                   {.column = 8, .row = 4, .slot = 2}}},
        {.stage = 174,
         .kind = K::Steering,
         .mode = M::BaseDuel,
         .hand = {.cards = {R::PlasmaBot}, .slots = 1},
         .start = kDuelist,
         .chargeSlot0 = 0.3f,
         .charge = 0.3f,
         .scroll = 50.0f,
         .pace = {.speed = 1.25f, .spared = MachineId::FrostOrca, .machineInterval = 1.5},
         .boss = {.type = MachineId::FrostOrca, .interval = 1.25},
         .clearsFinalWave = true,
         .fieldOf = 160},
        {.stage = 175,
         .kind = K::FastMachines,
         .hand = {.cards = {R::HammerBot}, .slots = 1},
         .pace = {.leadSpeed = 1.5f},
         .fieldOf = 151},
        {.stage = 176,
         .kind = K::SlotMachine,
         .reels = {R::MiniMine, R::MiniMine, R::MiniMine, R::MiniMine, R::MiniBomber, R::MiniBomber, R::MiniBomber,
                   R::StormBot, R::StormBot, R::AtomicBot, R::AtomicBot}},
        // Only the first is dealt; the other five ride the paratroopers.
        {.stage = 177,
         .kind = K::ConveyorCatch,
         .hand = {.cards = {R::MiniBomber, R::MissilerBot, R::SnowBaller, R::DShotgunner, R::SniperBot, R::BuoyerBot},
                  .slots = 1},
         .fieldOf = 157},
        {.stage = 178,
         .kind = K::SlotMachine,
         .reels = {R::SonarBot, R::SonarBot, R::SonarBot, R::SurveyorBot, R::SurveyorBot, R::SurveyorBot, R::ShockerBot,
                   R::ShockerBot, R::ShockerBot, R::MissilerBot, R::MissilerBot}},
        {.stage = 179,
         .kind = K::ChargeShot,
         .hand = {.cards = {R::CannonBot, R::MortarBot}, .slots = 2},
         .start = {{.column = 8, .row = 3, .control = 0, .rules = kHold},
                   {.column = 8, .row = 2, .control = 1, .rules = kHold},
                   {.column = 8, .row = 1, .control = 2, .rules = kHold}},
         .pace = {.speed = 2.0f, .speedSteps = 4}},
        {.stage = 180,
         .kind = K::Relocation,
         .mode = M::FinalBoss,
         .hand = {.cards = {R::CannonBot, R::GunnerBot, R::MissilerBot, R::WarriorBot, R::SniperBot, R::MortarBot,
                            R::MachineGunner},
                  .slots = 7},
         .start = kFinalBases,
         .scroll = 20.0f,
         .destroyer = MachineId::DestroyerZero,
         .capsules = {.bands = {20, 40, 60}, .tail = 10, .mounts = true},
         .clearsFinalWave = true,
         .relocationCooldown = true,
         .fieldOf = 160},
    };
    static_assert(std::size(kRows) == kCount, "one row a mini-game");
    return kRows;
}

// The rows by stage, whatever order they are written in.
std::array<const MiniGameRow*, kCount> IndexRows() {
    std::array<const MiniGameRow*, kCount> index{};
    const MiniGameRow* rows = Rows();
    for (int i = 0; i < kCount; ++i)
        if (const MiniGameRow& row = rows[i]; row.stage >= kFirst && row.stage < kFirst + kCount)
            index[size_t(row.stage - kFirst)] = &row;
    return index;
}

}  // namespace

const MiniGameRow& MiniGameRowOf(int stage) {
    static const std::array<const MiniGameRow*, kCount> rows = IndexRows();
    static const MiniGameRow none;
    const int i = stage - kFirst;
    return i >= 0 && i < kCount && rows[size_t(i)] ? *rows[size_t(i)] : none;
}

int CapsuleSlotForRoll(const CapsuleBands& capsules, int roll) {
    const int n = int(capsules.bands.size());
    int s = 0;
    while (s < n && roll >= capsules.bands[size_t(s)]) ++s;
    if (s == n && n > 0) s = n + (roll - capsules.bands.back()) / capsules.tail;
    // A hand shows seven slots at most.
    return s % 7;
}

float CapsuleFlightSpeed(const MiniGameRow& row, int card) {
    for (const CapsuleFlight& f : row.capsuleFlights)
        if (f.card == card) return f.speed;
    return 1.0f;
}
