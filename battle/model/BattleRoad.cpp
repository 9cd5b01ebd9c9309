// The logic pass: the field's frame, each unit's turn in drawing order, the
// removal of what has finished and the life the field's edge charges.
#include "battle/model/BattleRoad.h"

#include <algorithm>
#include <cmath>

#include "battle/model/AmbientRecords.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BossHandRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleStates.h"
#include "battle/model/BattleWaves.h"
#include "battle/model/BattleWeather.h"
#include "battle/model/FieldEffectRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RobotArray.h"
#include "battle/model/SceneCues.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/MiniGameTable.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"

namespace {

bool InList(const std::list<int>& types, int type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsTutorialLostType(int type) { return UnitHas(type, UNIT_SPENT_NOT_LOST); }

// The Gunner that carries the Machine Gun card.
bool CarriesMachineGun(const CBattleModel& model, const CCom_GameRobot& r) {
    return r.m_iUnitSlot >= 0 && r.m_iUnitSlot < HAND_SLOTS &&
           RuleState(model).m_aHand[r.m_iUnitSlot].m_iCard == RobotId::MachineGunner;
}

}  // namespace

bool CompareRobotsForDrawing(const CCom_GameRobot& a, const CCom_GameRobot& b) {
    if (a.m_iRow != b.m_iRow) return a.m_iRow < b.m_iRow;
    const int ra = a.m_Unit.m_iRole, rb = b.m_Unit.m_iRole;
    if (ra == ROLE_TIMER) return false;
    if (rb == ROLE_TIMER) return true;
    if (rb == ROLE_PLATFORM) return false;
    if (ra == ROLE_PLATFORM) return true;
    if (ra == ROLE_MOVING_ATTACK) return false;
    if (rb == ROLE_MOVING_ATTACK) return true;
    if (ra == ROLE_NONE) return false;
    if (rb == ROLE_NONE) return true;
    if (a.m_iSpriteWidth != b.m_iSpriteWidth) return a.m_iSpriteWidth > b.m_iSpriteWidth;
    return a.m_Unit.m_iSize > b.m_Unit.m_iSize;
}

void RunRobot(CCom_GameRobot& robot, CBattleModel& model, BattleDrawer& drawer) {
    robot.Update(model);
    drawer.AfterRobot(robot);
}

void RunRobotsOfType(int type, int row, CBattleModel& model, BattleDrawer& drawer) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (r.Type() == type && (row < 0 || r.m_iRow == row)) RunRobot(r, model, drawer);
}

bool RemoveRowRobot(CBattleModel& model, std::list<CCom_GameRobot>::iterator& it) {
    const int stage = model.StageNumber();
    CCom_GameRobot& r = *it;
    const float x = r.m_vPosition.x, speed = r.m_Unit.m_fSpeed;
    const bool crossed = RuleState(model).m_iMiniGameFlag == 0 && r.m_iHp > 0 &&
                         KindOf(stage) != StageKind::AdvanceRounds &&
                         ((x > 550.0f && speed > 0.0f) || (x < -550.0f && speed < 0.0f));
    if (crossed && RuleState(model).m_iLife > 0 && RuleState(model).m_iBattleState == BATTLE_PLAYING &&
        (ModeOf(stage) == MiniGameMode::SequenceGame ? RuleState(model).m_iMiniGameMisses == 0
                                                     : RuleState(model).m_StageDefinition.m_bLifeInPlay)) {
        const int damage = r.m_Unit.m_iHeartDecrease;
        RuleState(model).m_iLife -= damage;
        CueLifeLost(model.Scene(), damage);
        CueScreenShake(model.Scene(), 5.0f);
        if (RuleState(model).m_iLife < 0) RuleState(model).m_iLife = 0;
    }
    // A live Machine that walked off its ground into water or air falls and
    // nothing lifts it again: once it is a screen's height below the field it
    // has left the battle, at no cost of life and not as a kill. Left in the
    // list it would hold the battle in overtime for ever.
    const bool fellOut = r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.y < -float(g_iScreenHeight);
    if (!crossed && !fellOut && !r.m_bExpired) return false;
    if (RuleState(model).m_iBattleState >= BATTLE_PLAYING && RuleState(model).m_iBattleState < BATTLE_SUMMARY &&
        r.m_iHp <= 0) {
        if (!r.IsMachine()) {
            if (!IsTutorialLostType(r.Type()) && !r.m_bConsumed) ++RuleState(model).m_nRobotsLost;
        } else if (!UnitHas(r.Type(), UNIT_NOT_A_KILL) && r.m_aiAux[1] != 1) {
            ++RuleState(model).m_nMachinesKilled;
            UpdateAchievementProgress(model.Profile(), 35, RuleState(model).m_nMachinesKilled);
        }
    }
    // Only the mini-games set these links; no pointer outlives its robot.
    model.ForgetMiniGameLinks(r.m_iSerial);
    it = EraseRobot(RuleState(model).m_lstRobots, it);
    return true;
}

namespace {

// The caged robots stand on the start line far below until the scroll brings
// it back; nothing can hurt them down there.
void RunSunkRobot(CCom_GameRobot& r, float sunk, CBattleModel& model, BattleDrawer& drawer) {
    r.m_iHp = 10000;
    r.m_vPosition.y += sunk;
    RunRobot(r, model, drawer);
    r.m_vPosition.y -= sunk;
}

// The duel and bomb-run stages' robots bob; each takes its turn at its
// bobbed place. 171: they hang from parachutes, and the Gunner that carries
// the Machine Gun card stands 10 px left for its drawing.
void RunBobbingRobot(CCom_GameRobot& r, int stage, CBattleModel& model, BattleDrawer& drawer) {
    const float d = 3.0f * std::sin(6.0f * float(r.m_iAnimTick) * 3.14159265f / 180.0f);
    drawer.UnderRobot(r, d);
    const float shift =
        ModeOf(stage) == MiniGameMode::BombRun && r.Type() == RobotId::GunnerBot && CarriesMachineGun(model, r) ? -10.0f
                                                                                                                : 0.0f;
    r.m_vPosition.x += shift;
    r.m_vPosition.y += d;
    RunRobot(r, model, drawer);
    r.m_vPosition.x -= shift;
    r.m_vPosition.y -= d;
    drawer.MovableMark(r);
}

}  // namespace

void RunRowRobots(int row, CBattleModel& model, BattleDrawer& drawer) {
    const int stage = model.StageNumber();
    const bool bobStage = IsBaseDuelStage(stage);
    for (int type : RuleState(model).m_lstDrawSecondTypes) RunRobotsOfType(type, row, model, drawer);
    const float sunk = ModeOf(stage) == MiniGameMode::Climb && RuleState(model).m_pStage
                           ? 0.2f * RuleState(model).m_pStage->m_fScrollY
                           : 0.0f;
    int own = 0;
    if (sunk < 0.0f)
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) own += r.IsMachine() ? 0 : 1;
    const bool sunkStart = sunk < 0.0f && own > 1;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.m_iRow != row) continue;
        if (r.IsMachine()) ++RuleState(model).m_nLiveMachines;
        else ++RuleState(model).m_nLiveRobots;
        const int type = r.Type();
        if (InList(RuleState(model).m_lstDrawFirstTypes, type) || InList(RuleState(model).m_lstDrawSecondTypes, type) ||
            InList(RuleState(model).m_lstDrawLastTypes, type) || UnitHas(type, UNIT_BOSS))
            continue;
        if (sunkStart && !r.IsMachine()) {
            RunSunkRobot(r, sunk, model, drawer);
            continue;
        }
        if ((bobStage || ModeOf(stage) == MiniGameMode::BombRun) && !r.IsMachine() &&
            r.m_Unit.m_iTerrain != TERRAIN_AIR) {
            RunBobbingRobot(r, stage, model, drawer);
            continue;
        }
        RunRobot(r, model, drawer);
        drawer.MovableMark(r);
        StopFirstMachineAtStepEight(model, r);
    }
    drawer.RowRobotsRun(row);
    for (auto it = RuleState(model).m_lstRobots.begin(); it != RuleState(model).m_lstRobots.end();) {
        if (it->m_iRow != row || !RemoveRowRobot(model, it)) ++it;
    }
}

void RunBullets(bool flames, int lane, CBattleModel& model, BattleDrawer& drawer) {
    for (CCom_GameBullet& b : RuleState(model).m_lstBullets) {
        if ((b.m_iBulletKind == WeaponId::Flame) != flames || (flames && b.m_iLane != lane)) continue;
        b.Update(model);
        drawer.AfterBullet(b);
    }
    for (auto it = RuleState(model).m_lstBullets.begin(); it != RuleState(model).m_lstBullets.end();) {
        const CCom_GameBullet& b = *it;
        if ((b.m_iBulletKind == WeaponId::Flame) != flames || (flames && b.m_iLane != lane)) {
            ++it;
            continue;
        }
        const float ax = std::fabs(b.m_vPosition.x);
        const bool gone =
            ax > 900.0f || (!flames && b.m_iBulletKind == WeaponId::Missile && ax > 500.0f) || b.m_iHitsLeft == 0;
        const bool lifeOver = b.m_Weapon.m_bMarker == 0 || b.m_iAge >= b.m_iLifetime;
        if (gone && lifeOver) it = RuleState(model).m_lstBullets.erase(it);
        else ++it;
    }
}

void RunEndSequence(CBattleModel& model, BattleDrawer& drawer) {
    if (!RuleState(model).m_bEndSequence) return;
    const int t = RuleState(model).m_iEndSequenceFrames - 60;
    if (t >= 110) {
        if (RuleState(model).m_iBattleState == BATTLE_PLAYING) SetBattleState(model, BATTLE_REWARD);
    } else {
        int frame = 0;
        float alpha = 1.0f;
        if (t >= 0 && t < 50) frame = (t / 5) % CAGE_FRAMES;
        else if (t >= 50) {
            frame = CAGE_FRAMES - 1;
            alpha = 1.0f - float(RuleState(model).m_iEndSequenceFrames - 110) / 60.0f;
        }
        drawer.EndCages(frame, alpha);
    }
    if (RuleState(model).m_iStartJumps == 3) ++RuleState(model).m_iEndSequenceFrames;
}

void RunBattleUnits(CBattleModel& model, BattleDrawer& drawer) {
    const int stage = model.StageNumber();
    if (model.AppFrame() % 60 == 0) RuleState(model).m_lstRobots.sort(CompareRobotsForDrawing);

    RunBossHands(model, 0);
    drawer.DestroyerHands(0);
    const int boss = MiniGameRowOf(stage).destroyer;
    if (boss) {
        for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
            if (r.Type() == boss) {
                RunRobot(r, model, drawer);
                break;
            }
    }
    for (int type : RuleState(model).m_lstDrawFirstTypes) RunRobotsOfType(type, -1, model, drawer);

    RuleState(model).m_nLiveRobots = RuleState(model).m_nLiveMachines = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        RunRowRobots(row, model, drawer);
        drawer.RowDone(row);
        RunBullets(true, row, model, drawer);
    }

    drawer.LanesDone();
    RunEndSequence(model, drawer);
    for (int type : RuleState(model).m_lstDrawLastTypes) RunRobotsOfType(type, -1, model, drawer);
    RunBossHands(model, 1);
    drawer.DestroyerHands(1);
    RunBullets(false, -1, model, drawer);
    drawer.WaterStrip();

    RunFieldEffects(model, drawer);
}

void RunBattleItems(CBattleModel& model, BattleDrawer& drawer) {
    for (CCom_GameItem& item : RuleState(model).m_lstItems) {
        KeepTutorialItem(model, item);
        item.Update(model);
        drawer.AfterItem(item);
    }
    const float edge = 0.6f * float(g_iScreenWidth);
    for (auto it = RuleState(model).m_lstItems.begin(); it != RuleState(model).m_lstItems.end();) {
        if (it->m_iAge >= it->LastAge() || (it->m_bCollected && it->m_vPosition.x > edge))
            it = RuleState(model).m_lstItems.erase(it);
        else ++it;
    }
}

void RunBattleObjects(CBattleModel& model, BattleDrawer& drawer) {
    const int stage = model.StageNumber();
    RunBattleUnits(model, drawer);

    HoldTutorialClock(model);
    RunBattleItems(model, drawer);

    drawer.EffectsAfterItems();
    if (RuleState(model).m_iBattleState == BATTLE_PLAYING && RuleState(model).m_StageDefinition.m_bEnemySchedule)
        UpdateEnemySpawner(model);
    if (RunMiniGameFrame(model)) SetBattleState(model, BATTLE_REWARD);
    if (GetStageEpisode(stage) == 3) drawer.WeatherShown(UpdateWeatherHazards(model));
}

namespace {

// The field slides in from the right once the loader is done.
void ScrollFieldIn(CBattleModel& model, int stage) {
    if (RuleState(model).m_pStage && !g_bLoaderRunning && !IsMiniGameStage(stage) &&
        (RuleState(model).m_iBattleState == BATTLE_LOADING || RuleState(model).m_iBattleState == BATTLE_BEGIN) &&
        RuleState(model).m_pStage->m_fScrollX > 0.0f)
        RuleState(model).m_pStage->m_fScrollX = std::max(0.0f, RuleState(model).m_pStage->m_fScrollX - 10.0f);
}

// A mini-game won: the Machines still standing blow up as the reward comes.
void ClearMachinesForReward(CBattleModel& model) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!r.IsMachine() || r.m_iState == ROBOT_DYING || r.m_iHp <= 0) continue;
        model.AddFieldEffect(0, FIELD_EFFECT_HIT, r.m_vLastPosition.x, r.m_vLastPosition.y, r.m_vLastPosition.z);
        r.BeginDying(model);
        r.m_iHp = 0;
    }
}

}  // namespace

void RunFieldFrame(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int shownCount,
                   BattleDrawer& drawer) {
    const int stage = model.StageNumber();
    if (RuleState(model).m_pStage) RuleState(model).m_pStage->Update(model, false);

    drawer.FieldCells();
    if (RuleState(model).m_iBattleState == BATTLE_PLAYING && RuleState(model).m_iCarriedCard >= 0) {
        drawer.CarriedCardHeld();
        model.TakeHeldCardTrial();
        drawer.CarriedCardShown();
    }

    ScrollFieldIn(model, stage);
    // 171's thrown robots hang where they drift before the units' turns.
    if (ModeOf(stage) == MiniGameMode::BombRun) RunParatroopers(model);
    drawer.EffectsBeforeUnits();
    TickAmbientBeforeUnits(model);

    if (!IsMiniGameStage(stage) && RuleState(model).m_iBattleState < BATTLE_PLAYING)
        RunRobotArray(model, shownRobots, shownCount, drawer);
    else RunBattleObjects(model, drawer);

    drawer.EffectsAfterUnits();
    TickAmbientAfterUnits(model);
    if (RuleState(model).m_iBattleState == BATTLE_REWARD && IsMiniGameStage(stage)) ClearMachinesForReward(model);
}
