// The robot record: construction, reset, placement, serial links and the
// state setters.
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"

#include <cmath>
#include <cstring>

#include "battle/effects/Effect_CopterEnemyFadeOut.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/UnitContext.h"
#include "engine/VxSound.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/WeaponIds.h"

using namespace units;

namespace {

constexpr int kFusorBot = RobotId::FusorBot;
constexpr int kBlockerBot = RobotId::BlockerBot;
constexpr int kFlameBot = RobotId::FlameBot;
constexpr int kShockerBot = RobotId::ShockerBot;
constexpr int kBarrierBots = RobotId::BarrierBots;
constexpr int kRemoverBot = RobotId::RemoverBot;
constexpr int kMole = MachineId::Mole;
constexpr int kStingray = MachineId::Stingray;
constexpr int kMarineStriker = MachineId::MarineStriker;
constexpr int kGiant = MachineId::Giant;
constexpr int kTimeBomb = MachineId::TimeBomb;
constexpr int kFrostOrca = MachineId::FrostOrca;
constexpr int kDestroyer = MachineId::Destroyer;
constexpr int kTitan = MachineId::Titan;
constexpr int kCapsuleCage = MachineId::CapsuleCage;
constexpr int kDestroyerZero = MachineId::DestroyerZero;
constexpr int kRocket = MachineId::Rocket;
constexpr int kRocketWagon = MachineId::RocketWagon;

// A lane draw that never matches the unit's terrain ends after this many tries
// on the last row drawn.
constexpr int kMaxLaneDraws = 1000;

int RandomTick(int animLength) {
    const int frames = animLength / ROBOT_TICKS_PER_FRAME;
    // A unit without idle frames starts at tick 0 and draws nothing.
    return frames > 0 ? VxRand() % frames : 0;
}

int GroundRowsAtLeftEdge(const CBattleModel& model) {
    int n = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) n += RuleState(model).m_aFieldCells[row].m_iStageKind == CELL_GROUND;
    return n;
}

}  // namespace

StagePlace GetStagePlace(int stage) {
    const int n = GetStagePosition(stage);
    return StagePlace{n / 50 + 1, (n % 50) / 10 + 1, n % 50 + 1};
}

CCom_GameRobot CCom_GameRobot::Numbered(int serial) {
    CCom_GameRobot robot;
    robot.m_iSerial = serial;
    return robot;
}

CCom_GameRobot::CCom_GameRobot() {
    Reset();
    m_iSerial = NO_SERIAL;
}

CCom_GameRobot::CCom_GameRobot(CBattleModel& model) {
    Reset();
    m_iSerial = RuleState(model).m_iNextRobotSerial++;
}

void CCom_GameRobot::Reset() {
    m_iState = ROBOT_IDLE;
    m_bExpired = 0;
    m_bPreview = 0;
    m_iCargoLeft = 10;
    m_iAnimTick = 0;
    m_iCountdown = 0;
    m_iHitFlash = 0;
    m_bMirrored = 0;
    m_aiAux[0] = m_aiAux[1] = m_aiAux[2] = 0;
    m_iSmokeTimer = m_iSmokePeriod = m_iSmokeCount = 0;
    m_iStatusGuard = 0;
    m_bEdgeSoundPlayed = 0;
    m_iStatusEffect = STATUS_NONE;
    m_iStatusFrames = 0;
    m_bConcealed = 0;
    m_iRevealFrames = 0;
    m_iTargetSerial = NO_SERIAL;
    m_iLaneStep = 0;
    m_iJumpMode = m_iJumpStep = 0;
    m_iPauseFrames = 0;
    m_iLifeFrames = -1;
    m_iCooldown = 0;
    m_bNoDrop = 0;
    m_iPlatformTimer = 0;
    m_bAltShot = 0;
    m_iPhase = 0;
    m_vLastPosition = VxVec3{OFF_FIELD, OFF_FIELD, 0.0f};
    m_vHome = VxVec3{OFF_FIELD, OFF_FIELD, 0.0f};
    m_iLinkedSerial = NO_SERIAL;
    m_iBobSourceSerial = NO_SERIAL;
    m_fBob = 0.0f;
    m_bPlatformOccupied = 0;
    m_bSeesConcealed = 0;
    m_bConsumed = 0;
    m_iShieldSerial = NO_SERIAL;
    m_bOnHazard = 0;
    m_iSpikeTimer = m_iSpikeCheck = 0;
    m_bHoldFire = 0;
    m_bRising = 0;
    m_iCarryTimer = 0;
    m_vEffectAnchor = VxVec3{0.0f, 0.0f, 0.0f};
    m_bVariant = 0;
    m_bForceVariant = 0;
    m_iBossTimer = 0;
    for (int& w : m_aiBoss) w = 0;
    m_vPosition = VxVec3{OFF_FIELD, OFF_FIELD, 0.0f};
}

// ---- Serial links ----

CCom_GameRobot* FindRobotBySerial(RobotList& robots, int serial) {
    if (serial == NO_SERIAL) return nullptr;
    for (CCom_GameRobot& r : robots)
        if (r.m_iSerial == serial) return &r;
    return nullptr;
}

void CCom_GameRobot::ForgetSerial(int serial) {
    if (m_iShieldSerial == serial) m_iShieldSerial = NO_SERIAL;
    if (m_iBobSourceSerial == serial) m_iBobSourceSerial = NO_SERIAL;
    if (m_iLinkedSerial == serial) m_iLinkedSerial = NO_SERIAL;
}

RobotList::iterator EraseRobot(RobotList& robots, RobotList::iterator it) {
    const int serial = it->m_iSerial;
    for (CCom_GameRobot& r : robots)
        if (&r != &*it) r.ForgetSerial(serial);
    return robots.erase(it);
}

CCom_GameRobot* CCom_GameRobot::Shield(CBattleModel& model) const {
    return FindRobotBySerial(RuleState(model).m_lstRobots, m_iShieldSerial);
}

float CCom_GameRobot::BobOffset(CBattleModel& model) const {
    if (m_iLinkedSerial != NO_SERIAL && m_iBobSourceSerial != NO_SERIAL) {
        if (const CCom_GameRobot* source = FindRobotBySerial(RuleState(model).m_lstRobots, m_iBobSourceSerial))
            return source->m_fBob;
    }
    return m_fBob;
}

// ---- Placement ----

const RobotArt* CCom_GameRobot::Art(const CBattleModel& model) const {
    if (!IsMachine())
        return m_iUnitSlot >= 0 && m_iUnitSlot < HAND_SLOTS ? &model.Scene().m_aHandArt[m_iUnitSlot] : nullptr;
    return m_iUnitSlot >= 0 && m_iUnitSlot < STAGE_ENEMY_RECORDS ? &model.Scene().m_aEnemyArt[m_iUnitSlot] : nullptr;
}

CVxSound* CCom_GameRobot::UnitSound(const CBattleModel& model, int index) const {
    const RobotArt* art = Art(model);
    return art && index >= 0 && index < ROBOT_SOUNDS ? art->m_apSound[index] : nullptr;
}

void CCom_GameRobot::TakeArtLengths(CBattleModel& model) {
    // Animation lengths come from the frames the unit's art really has.
    const RobotArt* art = Art(model);
    if (!art || art->m_Unit.m_iType != m_Unit.m_iType) return;
    bool any = false;
    for (int a = 0; a < UNIT_WORK_ACTS; ++a) any = any || m_Unit.m_aiUnitWork[a] != 0;
    if (!any) std::memcpy(m_Unit.m_aiUnitWork, art->m_Unit.m_aiUnitWork, sizeof m_Unit.m_aiUnitWork);
}

void CCom_GameRobot::Place(CBattleModel& model, float x, float y, float z) {
    TakeArtLengths(model);
    const int stage = model.StageNumber();
    const int state = RuleState(model).m_iBattleState;

    if (!IsMachine()) {
        m_iState = ROBOT_IDLE;
        m_iAnimTick = RandomTick(AnimLength(0));
        const VxVec3 centre = model.GetCellCentre(x, y, z);
        m_vPosition = m_vHome = m_vLastPosition = centre;
    } else if ((Type() == kTimeBomb || Type() == kCapsuleCage) && state == BATTLE_PLAYING) {
        m_iState = ROBOT_IDLE;
        m_iAnimTick = RandomTick(AnimLength(0));
        m_vHome = model.GetCellCentre(x, y, z);
        m_vPosition = VxVec3{m_vHome.x, m_vHome.y - 500.0f, m_vHome.z};
        m_vLastPosition = m_vPosition;
    } else {
        PlaceMachine(model, stage, state);
    }

    m_iHp = m_Unit.m_iMaxHp;
    m_iActionTimer = 0;
    GetWeaponDefinition(m_Weapon, m_Unit.m_iWeapon);
    m_iWeaponLevel = m_Unit.m_iUpgradeLevel;
    if (m_iWeaponLevel != 0 && m_Unit.m_iWeapon == WeaponId::Boomerang) m_Weapon.m_iRange = 470;

    if (ModeOf(stage) == MiniGameMode::BothSides && state == BATTLE_PLAYING && IsMachine()) {
        m_Weapon.m_iArc = 10;
        m_Weapon.m_iAngle = m_Unit.m_fSpeed >= 0.0f ? -90 : 90;
    }
    if (state == BATTLE_PLAYING && m_Unit.m_iConcealment != 0) m_bConcealed = 1;

    m_vCell = model.FindNearestCell(m_vHome.x, m_vHome.y, m_vHome.z);
    std::memset(m_abPathCells, 0, sizeof m_abPathCells);
    if (m_Unit.m_iWeapon == WeaponId::Snowball)
        MarkDescentPath(RuleState(model).m_aFieldCells, m_vCell.x, m_vCell.y, m_abPathCells, true);
    m_iRow = int(m_vCell.y);

    if (state >= BATTLE_LOADING && m_Unit.m_iMoveMode != MOVE_NONE &&
        (Type() != kMole || m_iActionTimer == m_Unit.m_iActionInterval)) {
        m_iState = ROBOT_MOVE;
        m_iAnimTick = 0;
    }

    const bool machine = IsMachine();
    // Some mini-games run their units faster or slower than the cards.
    const MiniGamePace& pace = MiniGameRowOf(stage).pace;
    if (Type() != pace.spared) {
        if (pace.speedSteps > 0) m_Unit.m_fSpeed *= pace.speed + 0.5f * float(VxRand() % pace.speedSteps);
        else if (pace.speed != 1.0f) m_Unit.m_fSpeed *= pace.speed;
    }
    if (machine && pace.machineInterval != 1.0)
        m_Unit.m_iActionInterval = int(m_Unit.m_iActionInterval * pace.machineInterval);

    if (Type() == kBarrierBots && !machine) {
        if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell); cell && ClearSpikes(model, *cell))
            RedrawGround(model);
    }
    if (!machine && m_Unit.m_iRole == ROLE_ATTACK) m_iActionTimer = m_Unit.m_iActionInterval;
    if (!machine && Type() == kFusorBot) {
        const int booster = model.Profile().m_iEnergyBooster;
        if (booster == 0) m_Unit.m_iActionInterval = int(m_Unit.m_iActionInterval * 0.8);
        else if (booster == 1) m_Unit.m_iActionInterval = int(m_Unit.m_iActionInterval * 0.9);
    }
}

void CCom_GameRobot::PlaceMachine(CBattleModel& model, int stage, int state) {
    m_iState = ROBOT_MOVE;
    const StagePlace place = GetStagePlace(stage);
    const int type = Type();

    // 1. The flying variant.
    if (!MiniGameRowOf(stage).meteorArrivals && (state == BATTLE_PLAYING || IsMiniGameStage(stage))) {
        if (CanUpgradeVariant(model)) {
            if (m_bForceVariant || VxRand() % 5 > GroundRowsAtLeftEdge(model)) ApplyVariant();
        }
    }
    if (state != BATTLE_PLAYING && type == kMarineStriker && CanUpgradeVariant(model)) ApplyVariant();
    if (IsEpisodeFinalBossStage(stage)) ApplyVariant();

    // 2. Terrain overrides.
    if ((type == kGiant || type == kTitan) && place.episode != 1) {
        if (place.world == 4) {
            m_Unit.m_iTerrain = TERRAIN_MARINE;
        } else if (place.world == 5) {
            const bool keepGround = VxRand() % 3 == 0 && GroundRowsAtLeftEdge(model) >= 1;
            if (!keepGround) m_Unit.m_iTerrain = TERRAIN_MARINE;
        }
    }
    if (type == kMole && place.episode != 1 && place.world == 4) m_Unit.m_iTerrain = TERRAIN_MARINE;
    if (type == kFrostOrca && ModeOf(stage) == MiniGameMode::BaseDuel) m_Unit.m_iTerrain = TERRAIN_AIR;
    if (ModeOf(stage) == MiniGameMode::BombRun) m_Unit.m_iTerrain = TERRAIN_AIR;

    // 3. Lane: drawn until column 0 of that row suits the unit.
    const bool restricted = IsJumpStage(stage) || IsChargeShotStage(stage) || type == kRocketWagon;
    int row = 0;
    for (int draw = 0; draw < kMaxLaneDraws; ++draw) {
        auto restrictedDraw = [] {
            int r = VxRand() % 4 + 1;
            if (r == 1) r = VxRand() % 4 + 1;
            return r;
        };
        if (restricted) row = restrictedDraw();
        else if (ModeOf(stage) == MiniGameMode::FloatingBoss) row = VxRand() % 6 == 0 ? 0 : restrictedDraw();
        else row = VxRand() % 5;
        if (m_Unit.m_iTerrain == TERRAIN_SPECIAL ||
            RuleState(model).m_aFieldCells[row].m_iStageKind == m_Unit.m_iTerrain)
            break;
    }

    // 4. Position at the left edge of the lane.
    const FieldCell& lane = RuleState(model).m_aFieldCells[row];
    const int xDraw = VxRand() % 20;
    const int yDraw = VxRand() % 5;
    m_vPosition = VxVec3{-15.0f * float(40 + xDraw), lane.m_fY + float(yDraw - 3), lane.m_fZ};
    m_vHome = m_vPosition;

    // 5. Submarines may surface from a live water column of world 3.
    if ((type == MachineId::FighterSub || type == MachineId::SpeederSub || type == kStingray) && place.episode == 3 &&
        place.world == 3) {
        for (int c = 0; c < 6; ++c) {
            if (RuleState(model).m_aiColumnHazard[c] <= 0) continue;  // a live whirlpool column
            if (VxRand() % 2 != 0) continue;
            const FieldCell& top = RuleState(model).m_aFieldCells[c * FIELD_ROWS];
            const FieldCell& bottom = RuleState(model).m_aFieldCells[c * FIELD_ROWS + FIELD_ROWS - 1];
            m_vPosition.x = top.m_fX;
            m_vPosition.y = bottom.m_fY - 100.0f;
            m_bRising = 1;
            break;
        }
    }

    // 6. Stage 155 sends Machines in from both sides.
    if (ModeOf(stage) == MiniGameMode::BothSides && state == BATTLE_PLAYING) {
        m_vPosition.x = -500.0f;
        if (VxRand() % 2 == 0) {
            m_vPosition.x = 500.0f;
            m_Unit.m_fSpeed = -m_Unit.m_fSpeed;
        }
    }

    m_iAnimTick = RandomTick(AnimLength(0));
}

// ---- State setters ----

void CCom_GameRobot::BeginAttack(CBattleModel& model, bool force) {
    if (!force && !model.AttacksAllowed()) return;
    if (Type() == RobotId::MarinerBot && !IsMachine() && ModeOf(model.StageNumber()) == MiniGameMode::Swim) return;
    m_iState = ROBOT_ATTACK;
    m_iAnimTick = 0;
    m_iActionTimer = 0;
    if (m_Unit.m_iConcealment == 1) m_bConcealed = 0;
    if (Type() == kShockerBot && !IsMachine() && m_Unit.m_iUpgradeLevel > 0)
        model.AddFieldEffect(m_iUnitSlot, FIELD_EFFECT_SHOT_STREAKS, m_vPosition.x - 20.0f, m_vPosition.y, 0.0f);
}

void CCom_GameRobot::BeginMove() {
    if (Type() == kMole && m_iActionTimer != m_Unit.m_iActionInterval) return;
    m_iState = ROBOT_MOVE;
    m_iAnimTick = 0;
}

void CCom_GameRobot::EndAction(CBattleModel& model) {
    if (m_iHp <= 0) {
        // A unit that ends its action dead dies properly: drop, sound, links.
        if (m_iState != ROBOT_DYING) BeginDying(model);
        return;
    }
    if (m_iCountdown > 0) return;
    if (Type() == kMole && m_iActionTimer != m_Unit.m_iActionInterval) return;
    m_iState = ROBOT_IDLE;
    m_iAnimTick = 0;
    if (Type() == kRemoverBot && !IsMachine()) m_iHp = 0;
}

void CCom_GameRobot::BeginSpecial(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (KindOf(stage) == StageKind::AdvanceRounds || ModeOf(stage) == MiniGameMode::BothSides) return;
    m_iState = ROBOT_SPECIAL;
    m_iActionTimer = 0;
    m_iAnimTick = 0;
    if (!IsMachine()) Restart(UnitSound(model, 1));
}

void CCom_GameRobot::BeginGuard(CBattleModel& model) {
    m_iState = ROBOT_GUARD;
    m_iAnimTick = 0;
    if (Type() == kBlockerBot && !IsMachine()) Restart(UnitSound(model, 1));
}

void CCom_GameRobot::BeginDying(CBattleModel& model) {
    if (m_bPreview) return;
    m_iCountdown = 0;
    m_iActionTimer = 0;
    m_iAnimTick = 0;
    m_iState = ROBOT_DYING;
    m_bConcealed = 0;
    if (Type() == kRocket) {
        m_bExpired = 1;
        return;
    }
    if (m_Unit.m_iRole != ROLE_ONESHOT) {
        // Drawn whether or not anything sounds it, so a run without the
        // application draws the same numbers.
        const int pick = VxRand() % 2;
        CVxSound* death = g_pGameAppInstance ? g_pGameAppInstance->m_apSndDeath[pick] : nullptr;
        if (death && !death->IsPlaying()) death->Play();
    }
    if (IsMachine()) RollItemDrop(model);
    ReleaseLinkedRobot(model);
    if (Type() == kFlameBot && !IsMachine()) RemoveOwnedBullet(model);
    if (m_Unit.m_iRole == ROLE_PLATFORM) {
        if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell)) cell->m_iKind = cell->m_iStageKind;
    }
    if (Type() == kDestroyer || Type() == kDestroyerZero) StopBossHands(model);
    if (Type() == kStingray) {
        m_bExpired = 1;
        if (m_aiAux[1] == 0)
            model.AddFieldEffect(m_iUnitSlot + 1000, FIELD_EFFECT_SPLIT_SPAWN, m_vLastPosition.x, m_vLastPosition.y,
                                 m_vLastPosition.z);
        else if (m_aiAux[1] == -1)
            model.AddFieldEffect(m_iUnitSlot + 1000, FIELD_EFFECT_BREAK_UP, m_vLastPosition.x, m_vLastPosition.y,
                                 m_vLastPosition.z);
    }
    if (IsMachine() && CanUpgradeVariant(model)) {
        if (m_Unit.m_iTerrain == TERRAIN_AIR && model.Scene().m_pEffectCopterEnemyFadeOut)
            model.Scene().m_pEffectCopterEnemyFadeOut->Add(m_iSerial, m_vEffectAnchor.x, m_vEffectAnchor.y,
                                                           m_vEffectAnchor.z);
        RevertVariant(model);
    }
}

void CCom_GameRobot::ReleaseLinkedRobot(CBattleModel& model) {
    if (Type() == kBarrierBots || m_iLinkedSerial == NO_SERIAL) return;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.m_iSerial != m_iLinkedSerial) continue;
        r.m_iHp = 0;
        if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, r.m_vCell)) cell->m_iKind = cell->m_iStageKind;
    }
}

void CCom_GameRobot::RemoveOwnedBullet(CBattleModel& model) {
    for (auto it = RuleState(model).m_lstBullets.begin(); it != RuleState(model).m_lstBullets.end(); ++it) {
        if (it->m_iOwnerSerial == m_iSerial) {
            RuleState(model).m_lstBullets.erase(it);
            break;
        }
    }
    m_iCountdown = 0;
}

// ---- Status effects ----

bool CCom_GameRobot::HasStatusEffect() const {
    return m_iStatusEffect == STATUS_FREEZE || m_iStatusEffect == STATUS_WEB || m_iStatusEffect == STATUS_PLASMA;
}

bool CCom_GameRobot::StartStatus(CBattleModel& model, int effect, int frames) {
    const float speed = m_Unit.m_fSpeed;
    if (speed > 0.0f && speed < 0.5f) return false;
    if (m_Unit.m_iMaxHp >= 2000 || Shield(model) || Type() == kRocket || HasStatusEffect()) return false;
    m_iStatusEffect = effect;
    m_iStatusFrames = frames;
    return true;
}

void CCom_GameRobot::ApplyFreeze(CBattleModel& model) { StartStatus(model, STATUS_FREEZE, 30); }
void CCom_GameRobot::ApplyWeb(CBattleModel& model) { StartStatus(model, STATUS_WEB, 90); }
void CCom_GameRobot::ApplyPlasma(CBattleModel& model) {
    if (Type() == kFrostOrca) return;
    StartStatus(model, STATUS_PLASMA, 30);
}
