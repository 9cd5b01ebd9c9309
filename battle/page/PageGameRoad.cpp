// The battle page's frame road: update, render and overlay, and the logic
// pass that runs every robot, bullet, item and field effect once a frame in
// drawing order, takes away what has finished and charges life at the edge.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_SmokeLowHP.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/effects/Effect_Spike.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Cross.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameStage.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/Achievements.h"
#include "engine/VxBillboard.h"
#include "engine/VxXApplication.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

bool InList(const std::list<int>& types, int type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsTutorialLostType(int type) { return UnitHas(type, UNIT_SPENT_NOT_LOST); }

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

bool CompareRobotDrawOrder(const CCom_GameRobot& a, const CCom_GameRobot& b) {
    if (a.m_iRow != b.m_iRow) return a.m_iRow < b.m_iRow;
    if (a.m_Unit.m_iRole == ROLE_TIMER) return false;
    if (b.m_Unit.m_iRole == ROLE_TIMER) return true;
    return a.m_vPosition.x > b.m_vPosition.x;
}

int CPageGame::Update() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    TakeLoadedHand();
    AttenuateSounds();
    return CVxPage::Update();
}

int CPageGame::Render() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    return CVxPage::Render();
}

int CPageGame::RenderOverlay() {
    if (g_pGameAppInstance && g_pGameAppInstance->m_pEffectSwitchPage) g_pGameAppInstance->m_pEffectSwitchPage->Tick();
    ++m_iStateFrames;
    ++m_iBattleFrame;
    return CVxPage::RenderOverlay();
}

int CPageGame::UpdateScreen(int subScreen) {
    if (subScreen == 1) UpdateRobopedia();
    return subScreen == 0 ? UpdateBattleField() : 0;
}
int CPageGame::RenderScreen(int subScreen) {
    if (subScreen == 1) RenderRobopedia();
    return subScreen == 0 ? RunBattleStates() : 0;
}
int CPageGame::RenderScreenOverlay(int subScreen) {
    if (subScreen == 1) RenderRobopediaOverlay();
    return 0;
}

int CPageGame::UpdateBattleField() {
    const int stage = CurrentStage();
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (m_pStage) m_pStage->Update(false);

    if (m_bDebugView) DrawFieldCellKinds();
    if (m_iBattleState == BATTLE_PLAYING) {
        if (m_iCarriedCard < 0) m_fPlaceMarkPhase = std::max(0.0f, m_fPlaceMarkPhase - 0.1f);
        else m_fPlaceMarkPhase = std::min(1.0f, m_fPlaceMarkPhase + 0.1f);
        if (m_fPlaceMarkPhase > 0.0f && !m_bHudHidden) DrawFieldCells(m_fPlaceMarkPhase);
        if (m_iCarriedCard >= 0 && CanPlaceCard(0)) DrawReachPreview();
    }

    // The field slides in from the right once the loader is done.
    if (m_pStage && !g_bLoaderRunning && stage <= 150 &&
        (m_iBattleState == BATTLE_LOADING || m_iBattleState == BATTLE_BEGIN) && m_pStage->m_fScrollX > 0.0f)
        m_pStage->m_fScrollX = std::max(0.0f, m_pStage->m_fScrollX - 10.0f);

    if (m_pEffectFlower) m_pEffectFlower->Tick();
    if (stage == 171 && m_pEffectParatrooper) m_pEffectParatrooper->Tick();

    if (stage <= 150 && m_iBattleState < BATTLE_PLAYING) UpdateRobotArray();
    else UpdateBattleObjects();

    CVxEffect* const ambient[] = {m_pEffectFish, m_pEffectOxygen, m_pEffectGreenBall, m_pEffectSandWind,
                                  m_pEffectSnow, m_pEffectMeteor, m_pEffectSpike};
    for (CVxEffect* e : ambient)
        if (e) e->Tick();

    if (m_iBattleState == BATTLE_REWARD && stage > 150) {
        for (CCom_GameRobot& r : m_lstRobots) {
            if (!r.IsMachine() || r.m_iState == ROBOT_DYING || r.m_iHp <= 0) continue;
            AddFieldEffect(0, 0, r.m_vLastPosition.x, r.m_vLastPosition.y, r.m_vLastPosition.z);
            r.BeginDying(*this);
            r.m_iHp = 0;
        }
    }
    return 0;
}

void CPageGame::RunRobot(CCom_GameRobot& robot) {
    robot.Update(*this);
    robot.Draw(*this);
    if (robot.m_bSeesConcealed && robot.m_iHp > 0 && m_pSeesConcealedMark) {
        CVxBillboard* mark = m_pSeesConcealedMark;
        const float dx = robot.Type() == RobotId::GunnerBot && robot.m_Unit.m_iActionInterval < 100 ? 5.0f : -10.0f;
        mark->SaveState();
        mark->ScaleSizeUniform(0.85f);
        mark->SetPosition(robot.m_vPosition.x + dx, robot.m_vPosition.y + 40.0f + robot.m_fBob, robot.m_vPosition.z);
        mark->Render();
        mark->SetDiffuse(0.5f, 0.5f, 0.5f, 0.5f);
        mark->Render();
        mark->RestoreState();
    }
}

void CPageGame::DrawCanMoveMarker(const CCom_GameRobot& robot) {
    CVxBillboard* mark = m_pCanMoveIcon;
    if (!mark || robot.IsMachine() || robot.m_iState == ROBOT_DYING || robot.m_iHp <= 0) return;
    if (CurrentStage() == 158 && (robot.Type() == RobotId::MarinerBot || robot.Type() == RobotId::BuoyerBot)) return;
    const VxVec3 at{robot.m_vPosition.x + 38.0f, robot.m_vPosition.y + 27.0f, robot.m_vPosition.z};
    // Larger while a hit still flashes, shrinking back as the flash ends.
    const float scale = 1.0f + 0.5f * float(std::clamp(robot.m_iHitFlash, 0, 30)) / 30.0f;
    if (robot.m_iSerial == m_iRelocatingRobot) {
        DrawPulsingMarker(at, scale);
        return;
    }
    mark->SaveState();
    if (scale != 1.0f) mark->ScaleSizeUniform(scale);
    mark->SetPosition(at.x, at.y, at.z);
    mark->RenderSRT();
    mark->RestoreState();
}

void CPageGame::RunRobotsOfType(int type, int row) {
    for (CCom_GameRobot& r : m_lstRobots)
        if (r.Type() == type && (row < 0 || r.m_iRow == row)) RunRobot(r);
}

// The edge rule and the removal of finished units of one row. Answers false
// when the robot stays (the iterator is then left for the caller to advance).
bool CPageGame::RemoveRowRobot(std::list<CCom_GameRobot>::iterator& it) {
    const int stage = CurrentStage();
    CCom_GameRobot& r = *it;
    const float x = r.m_vPosition.x, speed = r.m_Unit.m_fSpeed;
    const bool crossed = m_iMiniGameFlag == 0 && r.m_iHp > 0 && stage != 151 &&
                         ((x > 550.0f && speed > 0.0f) || (x < -550.0f && speed < 0.0f));
    if (crossed && m_iLife > 0 && m_iBattleState == BATTLE_PLAYING &&
        (stage == 158 ? m_iMiniGameMisses == 0 : m_StageDefinition.m_bLifeInPlay)) {
        const int damage = r.m_Unit.m_iHeartDecrease;
        m_iLife -= damage;
        if (m_pEffectHeartDecreased) m_pEffectHeartDecreased->Start(0, damage);
        if (g_pGameAppInstance) g_pGameAppInstance->m_fScreenShake = 5.0f;
        if (m_iLife < 0) m_iLife = 0;
    }
    // A live Machine that walked off its ground into water or air falls and
    // nothing lifts it again: once it is a screen's height below the field it
    // has left the battle, at no cost of life and not as a kill. Left in the
    // list it would hold the battle in overtime for ever.
    const bool fellOut = r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.y < -float(g_iScreenHeight);
    if (!crossed && !fellOut && !r.m_bExpired) return false;
    if (m_iBattleState >= BATTLE_PLAYING && m_iBattleState < BATTLE_SUMMARY && r.m_iHp <= 0) {
        if (!r.IsMachine()) {
            if (!IsTutorialLostType(r.Type()) && !r.m_bConsumed) ++m_nRobotsLost;
        } else if (!UnitHas(r.Type(), UNIT_NOT_A_KILL) && r.m_aiAux[1] != 1) {
            ++m_nMachinesKilled;
            UpdateAchievementProgress(35, m_nMachinesKilled);
        }
    }
    // Only the mini-games set these links; no pointer outlives its robot.
    ForgetMiniGameLinks(r.m_iSerial);
    it = EraseRobot(m_lstRobots, it);
    return true;
}

void CPageGame::RunRowRobots(int row) {
    const int stage = CurrentStage();
    const bool bobStage = IsBaseDuelStage(stage);
    const bool moveStage = IsMiniGameGroup1(stage);
    for (int type : m_lstDrawSecondTypes) RunRobotsOfType(type, row);
    const float sunk = stage == 167 && m_pStage ? 0.2f * m_pStage->m_fScrollY : 0.0f;
    int own = 0;
    if (sunk < 0.0f)
        for (const CCom_GameRobot& r : m_lstRobots) own += r.IsMachine() ? 0 : 1;
    const bool sunkStart = sunk < 0.0f && own > 1;
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.m_iRow != row) continue;
        if (r.IsMachine()) ++m_nLiveMachines;
        else ++m_nLiveRobots;
        const int type = r.Type();
        if (InList(m_lstDrawFirstTypes, type) || InList(m_lstDrawSecondTypes, type) ||
            InList(m_lstDrawLastTypes, type) || UnitHas(type, UNIT_BOSS))
            continue;
        if (sunkStart && !r.IsMachine()) {
            // The caged robots stand on the start line far below until the
            // scroll brings it back; nothing can hurt them down there.
            r.m_iHp = 10000;
            r.m_vPosition.y += sunk;
            RunRobot(r);
            r.m_vPosition.y -= sunk;
            continue;
        }
        if ((bobStage || stage == 171) && !r.IsMachine() && r.m_Unit.m_iTerrain != TERRAIN_AIR) {
            const float d = 3.0f * std::sin(6.0f * float(r.m_iAnimTick) * 3.14159265f / 180.0f);
            if (m_pRobotBase && bobStage) {
                const bool gunner = r.m_iUnitSlot >= 0 && r.m_iUnitSlot < HAND_SLOTS &&
                                    m_aHand[r.m_iUnitSlot].m_iCard == RobotId::MachineGunner &&
                                    type != RobotId::MachineGunner;
                m_pRobotBase->SaveState();
                m_pRobotBase->SetPosition(r.m_vPosition.x + m_vRobotBaseOffset.x + (gunner ? 15.0f : 0.0f),
                                          r.m_vPosition.y + m_vRobotBaseOffset.y + d, r.m_vPosition.z);
                m_pRobotBase->Render();
                m_pRobotBase->RestoreState();
            }
            // 171: the robots hang from parachutes; the Gunner that carries
            // the Machine Gun card stands 10 px left for its drawing.
            float shift = 0.0f;
            if (stage == 171) {
                if (m_pEffectParatrooper && r.m_Unit.m_iRole != ROLE_TIMER)
                    m_pEffectParatrooper->DrawParachuteOver(
                        VxVec3{r.m_vPosition.x, r.m_vPosition.y + d, r.m_vPosition.z}, r.m_iUnitSlot);
                if (type == RobotId::GunnerBot && r.m_iUnitSlot >= 0 && r.m_iUnitSlot < HAND_SLOTS &&
                    m_aHand[r.m_iUnitSlot].m_iCard == RobotId::MachineGunner)
                    shift = -10.0f;
            }
            r.m_vPosition.x += shift;
            r.m_vPosition.y += d;
            RunRobot(r);
            r.m_vPosition.x -= shift;
            r.m_vPosition.y -= d;
            if (moveStage) DrawCanMoveMarker(r);
            continue;
        }
        RunRobot(r);
        if (moveStage) DrawCanMoveMarker(r);
        if (IsFirstTutorialActive() && m_pEffectTutorials && m_pEffectTutorials->m_iStep == 8 && r.IsMachine() &&
            r.m_vPosition.x > m_aFieldCells[0].m_fX) {
            m_pEffectTutorials->RequestStep(9);
            r.m_Unit.m_fSpeed = 0.0f;
        }
    }

    if (EngineFrame() % 20 == 0 && m_pEffectSmokeLowHP) {
        for (const CCom_GameRobot& r : m_lstRobots) {
            if (r.m_iRow != row || r.Type() == RobotId::BarrierBots || r.m_Unit.m_iMaxHp <= 0 || r.m_iHp <= 0) continue;
            if (double(r.m_iHp) / double(r.m_Unit.m_iMaxHp) > 0.5) continue;
            const float lift = UnitHas(r.Type(), UNIT_TALL) ? 80.75f : 0.0f;
            m_pEffectSmokeLowHP->Add(0, r.m_vPosition.x, r.m_vPosition.y + lift, r.m_vPosition.z);
        }
    }

    for (auto it = m_lstRobots.begin(); it != m_lstRobots.end();) {
        if (it->m_iRow != row || !RemoveRowRobot(it)) ++it;
    }
}

void CPageGame::RunBullets(bool kindSix, int lane) {
    for (CCom_GameBullet& b : m_lstBullets) {
        if ((b.m_iBulletKind == 6) != kindSix || (kindSix && b.m_iLane != lane)) continue;
        b.Update(*this);
        b.Draw(*this);
    }
    for (auto it = m_lstBullets.begin(); it != m_lstBullets.end();) {
        const CCom_GameBullet& b = *it;
        if ((b.m_iBulletKind == 6) != kindSix || (kindSix && b.m_iLane != lane)) {
            ++it;
            continue;
        }
        const float ax = std::fabs(b.m_vPosition.x);
        const bool gone = ax > 900.0f || (!kindSix && b.m_iBulletKind == 13 && ax > 500.0f) || b.m_iHitsLeft == 0;
        const bool lifeOver = b.m_Weapon.m_bMarker == 0 || b.m_iAge >= b.m_iLifetime;
        if (gone && lifeOver) it = m_lstBullets.erase(it);
        else ++it;
    }
}

void CPageGame::HoldTutorialClock() {
    if (!IsFirstTutorialActive() || !m_pEffectTutorials) return;
    const CEffect_Tutorials& t = *m_pEffectTutorials;
    const int k = t.m_iStep;
    const int age = t.m_aInstances[0].age;
    if ((k <= 4 && t.m_iFadeState == 0 && age > 180) || (k >= 5 && t.IsIdle())) {
        for (CCom_GameRobot& r : m_lstRobots)
            if (!r.IsMachine() && r.Type() == RobotId::FusorBot && r.m_Unit.m_iActionInterval - r.m_iActionTimer > 100)
                --r.m_iActionTimer;
    }
    if ((k == 4 || k == 5 || k == 6) && g_iNextItemSerial > 1 && (t.m_iFadeState != 0 || age <= 180)) ++m_iTimeLeft;
}

void CPageGame::RunItems() {
    const bool tutorial = IsFirstTutorialActive() && m_pEffectTutorials;
    for (CCom_GameItem& item : m_lstItems) {
        if (tutorial && item.m_iAge > 679) {
            const bool energy = item.m_iItemKind >= 0 && item.m_iItemKind <= 3;
            const bool parts = item.m_iItemKind >= 4 && item.m_iItemKind <= 7;
            const bool stepThree = m_pEffectTutorials->m_iStep == 3;
            if ((stepThree && energy) || (!stepThree && g_CurrentProfile.m_iMetalParts == 0 && parts))
                item.m_iAge = 678;
        }
        item.Update(*this);
        item.Draw(*this);
    }
    const float edge = 0.6f * float(g_iScreenWidth);
    for (auto it = m_lstItems.begin(); it != m_lstItems.end();) {
        if (it->m_iAge >= it->LastAge() || (it->m_bCollected && it->m_vPosition.x > edge)) it = m_lstItems.erase(it);
        else ++it;
    }
}

void CPageGame::DrawEndSequence() {
    if (!m_bEndSequence) return;
    const int t = m_iEndSequenceFrames - 60;
    if (t >= 110) {
        if (m_iBattleState == BATTLE_PLAYING) SetBattleState(BATTLE_REWARD);
    } else {
        int frame = 0;
        float alpha = 1.0f;
        if (t >= 0 && t < 50) frame = (t / 5) % CAGE_FRAMES;
        else if (t >= 50) {
            frame = CAGE_FRAMES - 1;
            alpha = 1.0f - float(m_iEndSequenceFrames - 110) / 60.0f;
        }
        // The cages stand on the start line, which comes up with the scroll.
        const float sunk = m_pStage ? 0.2f * m_pStage->m_fScrollY : 0.0f;
        if (CVxBillboard* cage = m_apCageArt[frame]) {
            for (int c = 0; c < FIELD_COLUMNS; ++c) {
                const FieldCell& cell = m_aFieldCells[c * FIELD_ROWS + 4];
                cage->SaveState();
                cage->SetAlphaBlend(true);
                cage->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
                cage->SetPosition(cell.m_fX, cell.m_fY - 40.375f - 10.0f + 118.0f + sunk, cell.m_fZ);
                cage->RenderSRT();
                cage->RestoreState();
            }
        }
    }
    if (m_iStartJumps == 3) ++m_iEndSequenceFrames;
}

void CPageGame::UpdateBattleObjects() {
    const int stage = CurrentStage();
    if (EngineFrame() % 60 == 0) m_lstRobots.sort(CompareRobotsForDrawing);

    if (m_pEffectDestroyerHand) {
        m_pEffectDestroyerHand->m_iLayer = 0;
        m_pEffectDestroyerHand->Tick();
    }
    const int boss = StageBossType(stage);
    if (boss) {
        for (CCom_GameRobot& r : m_lstRobots)
            if (r.Type() == boss) {
                RunRobot(r);
                break;
            }
    }
    for (int type : m_lstDrawFirstTypes) RunRobotsOfType(type, -1);

    m_nLiveRobots = m_nLiveMachines = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        RunRowRobots(row);
        if (row == FIELD_ROWS - 1 && m_pEffectSmokeLowHP) m_pEffectSmokeLowHP->Tick();
        RunBullets(true, row);
    }

    if (stage == 168) {
        // Blinking Machines are the ones a zap can hit: they pulse.
        for (const CCom_GameRobot& r : m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0 && IsInBlinkPhase(r)) DrawPulsingMarker(r.m_vPosition);
    }
    DrawEndSequence();
    for (int type : m_lstDrawLastTypes) RunRobotsOfType(type, -1);
    if (m_pEffectDestroyerHand) {
        m_pEffectDestroyerHand->m_iLayer = 1;
        m_pEffectDestroyerHand->Tick();
    }
    RunBullets(false, -1);
    if (m_pStage) m_pStage->DrawWaterStrip();

    for (FieldEffect& fx : m_lstFieldEffects) UpdateFieldEffect(*this, fx);
    m_lstFieldEffects.remove_if([](const FieldEffect& fx) { return fx.life < 1; });

    HoldTutorialClock();
    RunItems();

    if (m_pEffectTextMiss) m_pEffectTextMiss->Tick();
    if (m_pEffectCross) m_pEffectCross->Tick();
    if (m_iBattleState == BATTLE_PLAYING && m_StageDefinition.m_bEnemySchedule) UpdateEnemySpawner(*this);
    UpdateMiniGame();
    if (GetStageEpisode(stage) == 3) ShowWeather(UpdateWeatherHazards(*this));
}

void CPageGame::SetUpRobotArray() {
    if (m_nRobotArray != 0) return;
    const int stage = CurrentStage();
    // Without a Machine type to show (every slot empty or a Rocket) the
    // preview stays empty.
    std::vector<int> slots;
    for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k)
        if (m_aEnemyDefs[k].m_iType >= FIRST_MACHINE_TYPE && m_aEnemyDefs[k].m_iType != MachineId::Rocket)
            slots.push_back(k);
    m_iStreamCursor = m_iBatchCursor = 0;
    if (slots.empty() || stage > 150) return;

    int groundRows = 0;
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (m_aFieldCells[r].m_iStageKind == CELL_GROUND) ++groundRows;

    m_nRobotArray = 3 + std::min(stage / 3, 5);
    int marine = 0, ground = 0;
    for (int i = 0; i < m_nRobotArray; ++i) {
        const int k = slots[size_t(i) % slots.size()];
        CCom_GameRobot& r = m_aRobotArray[size_t(i)];
        r.Reset();
        // The last record of the same type supplies the art.
        int slot = k;
        for (int j = 0; j < STAGE_ENEMY_RECORDS; ++j)
            if (m_aEnemyDefs[j].m_iType == m_aEnemyDefs[k].m_iType) slot = j;
        r.m_iUnitSlot = slot;
        r.m_Unit = m_aEnemyDefs[slot];
        r.Place(*this, 0.0f, 0.0f, 0.0f);
        r.m_iState = ROBOT_IDLE;
        if (r.m_Unit.m_iTerrain == TERRAIN_MARINE) ++marine;
        if (r.m_Unit.m_iTerrain == TERRAIN_GROUND) ++ground;
    }

    // Only the stage kind widens: the preview stands on it, and the battle's
    // start copies the untouched current kinds back, so the lanes stay as built.
    auto setGround = [this](int row) { m_aFieldCells[row].m_iStageKind = CELL_GROUND; };
    const bool waterRow4 = m_aFieldCells[4].m_iStageKind == CELL_WATER_SURFACE;
    if (groundRows > 0 && groundRows < 3 && ground > 4) {
        const int first = waterRow4 ? 1 : 2;
        for (int row = first; row < first + 3; ++row) setGround(row);
    } else if (groundRows == 1 && ground > 2) {
        const int first = waterRow4 ? 2 : 3;
        for (int row = first; row < first + 2; ++row) setGround(row);
    }

    bool taken[FIELD_COLUMNS][FIELD_ROWS] = {};
    int rowCount[FIELD_ROWS] = {};
    int column[DISPLAY_ROBOTS] = {};
    for (int i = m_nRobotArray - 1; i >= 0; --i) {
        CCom_GameRobot& r = m_aRobotArray[size_t(i)];
        const int terrain = r.m_Unit.m_iTerrain;
        int chosenRow = -1, chosenCol = 0;
        for (int c = 0; c < FIELD_COLUMNS && chosenRow < 0; ++c) {
            if (terrain == TERRAIN_GROUND) {
                for (int row = FIELD_ROWS - 1; row >= 0; --row)
                    if (!taken[c][row] && m_aFieldCells[row].m_iStageKind == CELL_GROUND) {
                        chosenRow = row;
                        break;
                    }
            } else {
                for (int row = 0; row < FIELD_ROWS; ++row) {
                    const int kind = m_aFieldCells[row].m_iStageKind;
                    const bool fits = terrain == TERRAIN_SPECIAL ? kind != CELL_WATER_SURFACE : kind == terrain;
                    if (!taken[c][row] && fits) {
                        chosenRow = row;
                        break;
                    }
                }
            }
            if (chosenRow >= 0) chosenCol = c;
        }
        if (chosenRow < 0) chosenRow = 0;
        taken[chosenCol][chosenRow] = true;
        column[i] = chosenCol;
        const FieldCell& cell = m_aFieldCells[chosenRow];
        r.m_vPosition = {cell.m_fX, cell.m_fY, cell.m_fZ};
        r.m_iRow = chosenRow;
        ++rowCount[chosenRow];
    }

    for (int i = 0; i < m_nRobotArray; ++i) {
        CCom_GameRobot& r = m_aRobotArray[size_t(i)];
        const int n = std::max(1, rowCount[r.m_iRow]);
        float a = float(n - 1) * 70.0f, f = 2.6f / float(n);
        if (n == 3) {
            a = 110.0f;
            f = 0.85f;
        }
        r.m_vPosition.x = float(column[i]) * 85.5f * f - (a + 780.0f) + 10.0f * float(r.m_iRow % 2);
        const int terrain = r.m_Unit.m_iTerrain;
        if (terrain == TERRAIN_MARINE) r.m_vPosition.y -= 5.0f;
        else if (terrain == TERRAIN_GROUND || terrain == TERRAIN_SPECIAL)
            r.m_vPosition.y -= float(column[i] % 3) * 2.0f;
        else r.m_vPosition.y += float(column[i] % 2) * 15.0f + 10.0f;
    }

    auto width = [this](const CCom_GameRobot& r) {
        const RobotArt& art = m_aEnemyArt[std::clamp(r.m_iUnitSlot, 0, STAGE_ENEMY_RECORDS - 1)];
        return art.m_apAct[0][0] ? art.m_apAct[0][0]->m_vSize.x : 0.0f;
    };
    for (int i = 0; i < m_nRobotArray; ++i)
        for (int j = i + 1; j < m_nRobotArray; ++j) {
            CCom_GameRobot& ri = m_aRobotArray[size_t(i)];
            CCom_GameRobot& rj = m_aRobotArray[size_t(j)];
            if (ri.m_iRow != rj.m_iRow) continue;
            const float wi = width(ri), wj = width(rj);
            if ((wi <= wj && ri.m_vPosition.x < rj.m_vPosition.x) || (wi > wj && rj.m_vPosition.x < ri.m_vPosition.x))
                std::swap(ri, rj);
        }

    for (int i = 0; i < m_nRobotArray; ++i) {
        CCom_GameRobot& r = m_aRobotArray[size_t(i)];
        const bool water = r.m_Unit.m_iTerrain == TERRAIN_MARINE;
        switch (r.Type()) {
        case MachineId::Transporter: r.m_vPosition.x -= 90.0f; break;
        case MachineId::Mole:
            if (water) r.m_vPosition.x += 35.0f;
            break;
        case MachineId::MarineStriker: r.m_vPosition.x -= 100.0f; break;
        case MachineId::BlastTank: r.m_vPosition.x -= 35.0f; break;
        case MachineId::Giant:
        case MachineId::Titan: r.m_vPosition.x += water ? 15.0f : -15.0f; break;
        case MachineId::FrostOrca: r.m_vPosition.x -= 50.0f; break;
        default: break;
        }
        if (marine > 2 && water) r.m_vPosition.x += float(marine - 2) * 50.0f;
    }
    m_iStreamCursor = m_iBatchCursor = 0;
}

void CPageGame::UpdateRobotArray() {
    if (EngineFrame() < 1 || m_nRobotArray <= 0) return;
    const float shift = m_pStage ? m_pStage->m_fScrollX : 0.0f;
    for (int i = 0; i < m_nRobotArray; ++i) m_aRobotArray[size_t(i)].m_vPosition.x += shift;
    std::stable_sort(m_aRobotArray.begin(), m_aRobotArray.begin() + m_nRobotArray, CompareRobotDrawOrder);
    if (m_iBattleState < BATTLE_BEGIN)
        for (int i = 0; i < m_nRobotArray; ++i) {
            m_aRobotArray[size_t(i)].Update(*this);
            m_aRobotArray[size_t(i)].Draw(*this);
        }
    for (int i = 0; i < m_nRobotArray; ++i) m_aRobotArray[size_t(i)].m_vPosition.x -= shift;
    if (m_pStage) m_pStage->DrawWaterStrip();
}
