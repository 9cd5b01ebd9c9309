// Machines with motions and fights of their own: the Time Bomb's countdown,
// the two Destroyers (lunge, hands, arms, death sequence), the Jumper's hops
// and the Ultra Cycler's jumps.
#include <algorithm>
#include <cmath>

#include "battle/model/BossHandRules.h"
#include "battle/model/SceneCues.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "battle/units/UnitContext.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"

using namespace units;

namespace {

constexpr float kRowPitch = 80.75f;
constexpr float kLungeLine = 85.5f;  // robots left of this are in the lunge's reach

// The phase of a timeline of frame lengths at time t; s is the time within it.
// Past the end: the phase count.
int Phase(const int* lengths, int n, int t, int& s) {
    for (int i = 0; i < n; ++i) {
        if (t < lengths[i]) {
            s = t;
            return i;
        }
        t -= lengths[i];
    }
    s = t;
    return n;
}

bool AnyRobotLeftOf(const CBattleModel& model, float x) {
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (!r.IsMachine() && r.m_iHp > 0 && r.m_vLastPosition.x < x) return true;
    return false;
}

}  // namespace

void CCom_GameRobot::UpdateTimeBomb(CBattleModel& model) {
    static const int kPhases[3] = {333, 333, 334};
    int s = 0;
    const int p = std::min(2, Phase(kPhases, 3, m_iActionTimer, s));
    float scale = 0.75f, alpha = 1.0f;
    if (s < 15) {
        scale = 1.75f - float(s) / 15.0f;
        alpha = float(s) / 15.0f;
    }
    VxVec3 at{m_vPosition.x, m_vPosition.y + 50.0f, m_vPosition.z};
    if (p == 2) {
        if (s >= 15) at.x += float(VxRand() % 10 - 5);
        CVxSound* tick = UnitSound(model, 0);
        CVxSound* last = UnitSound(model, 2);
        if (s <= 250) {
            if (tick && !tick->IsPlaying()) tick->Play();
        } else if (s <= 299 && last && !last->IsPlaying() && !(tick && tick->IsPlaying())) {
            last->Play();
        }
    }
    RobotDrawStep plate;
    plate.kind = RobotDrawStep::PLACED;
    plate.billboard = model.Scene().m_pTimeBombMark;
    plate.at = at;
    AddDrawStep(plate);
    RobotDrawStep count;
    count.kind = RobotDrawStep::DIGITS;
    count.digits = g_pGameAppInstance ? g_pGameAppInstance->m_pNumInterface : nullptr;
    count.at = at;
    count.sx = count.sy = scale;
    count.tint.a = alpha;
    count.blend = 3 - p;
    AddDrawStep(count);
}

void CCom_GameRobot::UpdateDestroyer(CBattleModel& model) {
    const int period = m_iHp < m_Unit.m_iMaxHp / 4 ? 300 : 500;
    MoveDestroyer(model, period);
    StartBossMoves(model, period);
    ComposeBossArms(model);
}

// The body: its death, its entry and sway, and its lunge.
void CCom_GameRobot::MoveDestroyer(CBattleModel& model, int period) {
    const float phase = float(m_iPhase);

    // Dying comes first: a boss beaten while still entering ends all the same.
    if (m_iState == ROBOT_DYING) {
        if (m_iBossTimer < 1000) {
            m_iBossTimer = 1000;
            model.AddFieldEffect(7, FIELD_EFFECT_FINAL_BOMBARDMENT, m_vLastPosition.x, m_vLastPosition.y,
                                 m_vLastPosition.z);
            for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
                if (&r != this && r.IsMachine() && r.m_iHp > 0) {
                    r.m_iHp = 0;
                    r.BeginDying(model);
                }
        }
        m_vPosition.x = -250.0f;
        ++m_iBossTimer;
        m_vPosition.y -= 0.25f;
        RuleState(model).m_StageDefinition.m_bEnemySchedule = false;
        CueScreenShake(model.Scene(), 3.0f);
    } else if (m_iBossTimer == 0) {
        m_vPosition.y = 160.0f * SinDeg(0.5f * phase) + 30.0f;
    } else {
        if (m_iState == ROBOT_ATTACK && m_iActionTimer >= 600) BeginMove();
        if (m_iBossTimer == 1) {
            m_vPosition.x = -250.0f;
            m_vPosition.y = 140.0f * SinDeg(0.5f * phase) + 30.0f;
        } else if (m_iBossTimer == 2) {
            static const int kLunge[4] = {120, 34, 10, 10};
            int k = 0;
            const int p = Phase(kLunge, 4, m_iActionTimer % period, k);
            if (p == 0) {
                m_vPosition.x = -250.0f + float(VxRand() % 20);
                if (m_vPosition.y > 5.0f) m_vPosition.y = std::max(5.0f, m_vPosition.y - 3.0f);
                else if (m_vPosition.y < -5.0f) m_vPosition.y = std::min(-5.0f, m_vPosition.y + 3.0f);
            } else if (p == 1) {
                m_vPosition.x = std::min(-200.0f, -250.0f - 700.0f * SinDeg(6.0f * float(k)));
                if (k == 33) {
                    CueScreenShake(model.Scene(), 10.0f);
                    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
                        if (!r.IsMachine() && r.m_iHp > 0 && r.m_vLastPosition.x < kLungeLine) {
                            r.m_iHp = 0;
                            r.BeginDying(model);
                        }
                    Restart(model.Scene().m_pSfxBossBody);
                }
            } else if (p == 2) {
                const float goal = 160.0f * SinDeg(0.5f * phase) + 30.0f;
                if (std::fabs(m_vPosition.y - goal) > 15.0f) m_vPosition.y += m_vPosition.y < goal ? 9.0f : -9.0f;
                if (m_vPosition.x < -300.0f) m_vPosition.x = std::min(-300.0f, m_vPosition.x + 9.0f);
                else if (m_vPosition.x > -200.0f) m_vPosition.x = std::max(-200.0f, m_vPosition.x - 9.0f);
                if (k == 9) m_iBossTimer = 1;
            }
        }
    }
    if (m_iState != ROBOT_DYING) {
        // An entering boss holds its phase: it does not sway until it is in.
        if (m_iBossTimer != 0) ++m_iPhase;
        m_vLastPosition = m_vPosition;
    }
}

// Lunge and hand starts share their conditions, both hands resting among
// them, so a hand that starts keeps the other (and the lunge) waiting.
bool CCom_GameRobot::BossMayStart(const CBattleModel& model, int period) const {
    return m_iBossTimer == 1 && ModeOf(model.StageNumber()) != MiniGameMode::BombRun && m_iState != ROBOT_ATTACK &&
           m_iActionTimer < m_Unit.m_iActionInterval - 300 && m_iCountdown == 0 && m_iActionTimer % period == 0 &&
           m_aiBoss[1] == 0 && m_aiBoss[3] == 0;
}

// The lunge's start and the two hands' strikes.
void CCom_GameRobot::StartBossMoves(CBattleModel& model, int period) {
    if (m_iState != ROBOT_DYING && BossMayStart(model, period) && VxRand() % 2 == 0 &&
        AnyRobotLeftOf(model, kLungeLine))
        m_iBossTimer = 2;

    if (m_iState != ROBOT_DYING && m_iBossTimer != 0)
        for (int hand = 0; hand < 2; ++hand) StepBossHand(model, hand, period);
}

// One hand: its timer, its start, and where it strikes.
void CCom_GameRobot::StepBossHand(CBattleModel& model, int hand, int period) {
    const int stage = model.StageNumber();
    auto mayStart = [&] { return BossMayStart(model, period); };
    int& timer = m_aiBoss[2 * hand];
    int& striking = m_aiBoss[2 * hand + 1];
    ++timer;
    if (!striking) {
        if (timer >= period && ModeOf(stage) != MiniGameMode::BombRun) timer = 0;
        if (mayStart() && VxRand() % 2 == 0) {
            striking = 1;
            timer = 0;
        }
    } else {
        if (timer == 1) {
            int column = -1, row = -1;
            for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
                if (r.IsMachine() || r.m_iHp <= 0) continue;
                const int rr = int(r.m_vCell.y);
                if ((hand == 0) != (rr <= 1)) continue;
                if (column < 0 || int(r.m_vCell.x) < column) {
                    column = int(r.m_vCell.x);
                    row = rr;
                }
            }
            if (column < 0) {
                column = 9 - VxRand() % 2;
                row = hand == 0 ? VxRand() % 2 : 2 + VxRand() % 3;
            }
            AimBossHand(model, hand, column, row);
        }
        if (timer >= 360) {
            striking = 0;
            timer = 0;
        }
    }
}

// The arms, fading out with the boss.
void CCom_GameRobot::ComposeBossArms(CBattleModel& model) {
    float alpha = 1.0f;
    if (m_iBossTimer >= 1481) alpha = 1.0f - 2.0f * float(m_iBossTimer - 1480) / 60.0f;
    else if (m_iBossTimer >= 1000) alpha = 1.0f - 0.1f * float(m_iBossTimer - 1000);
    if (alpha < 0.0f) return;
    CVxBillboard* arm = m_iState == ROBOT_DYING ? model.Scene().m_pBossArmDying
                                                : model.Scene().m_apBossArmArt[(Frame(model) / 7) % BOSS_ARM_FRAMES];
    if (!arm) return;
    const float swing = 4.0f * SinDeg(3.0f * float(Frame(model))) - 20.0f;
    for (int hand = 0; hand < 2; ++hand) {
        const bool striking = m_aiBoss[2 * hand + 1] != 0;
        const float reach = striking ? -500.0f * SinDeg(std::min(float(m_aiBoss[2 * hand]) / 2.0f, 180.0f)) : 0.0f;
        const float side = hand == 0 ? 1.0f : -1.0f;
        const float turn = (45.0f * side + swing) * DEG;
        RobotDrawStep step;
        step.kind = RobotDrawStep::ARM;
        step.billboard = arm;
        step.at = VxVec3{m_vPosition.x + 150.0f * CosDeg(45.0f * side) - reach,
                         m_vPosition.y + 150.0f * SinDeg(45.0f * side) * 0.5f, m_vPosition.z};
        step.rotation = turn;
        step.tint.a = alpha;
        AddDrawStep(step);
    }
}

VxVec3 CCom_GameRobot::DestroyerBodyShift() const {
    // Dying, the body sinks to the lower left of its place.
    if (m_iState == ROBOT_DYING) return VxVec3{-50.0f, -50.0f, 0.0f};
    VxVec3 shift{0.0f, 20.0f * CosDeg(float(m_iPhase)), 0.0f};
    // It shakes while its volley builds up (the volley leaves at countdown 180).
    if (m_iCountdown > 180) {
        const int dx = VxRand() % 10 - 5;
        const int dy = VxRand() % 10 - 5;
        shift.x += float(dx);
        shift.y += float(dy);
    }
    return shift;
}

void CCom_GameRobot::StopBossHands(CBattleModel& model) { DropBossHands(model); }

void CCom_GameRobot::FireBossVolley(CBattleModel& model) {
    model.FireBullet(m_Unit.m_iWeapon, m_iUnitSlot + 1000, m_vPosition.x + 70.0f,
                     m_vPosition.y + 40.0f + 20.0f * SinDeg(float(m_iPhase)), m_vPosition.z, m_iTargetSerial,
                     m_iSerial);
    Restart(UnitSound(model, 1));
}

void CCom_GameRobot::UpdateJumperMotion(CBattleModel& model) {
    const FieldCell* cells = RuleState(model).m_aFieldCells;
    const FieldCell* cell = CellAt(cells, m_vCell);
    if (cell && cell->m_iStageKind == CELL_GROUND) {
        m_vHome = VxVec3{cell->m_fX, cell->m_fY, cell->m_fZ};
        return;
    }
    if (m_iState == ROBOT_DYING) {
        m_vPosition.y -= 5.0f;
    } else {
        const int k = m_iAnimTick % 36;
        if (k == 0 && !HasStatusEffect()) {
            m_vPosition.y -= kRowPitch;
            m_vHome.y -= kRowPitch;
            const FieldCell* below = CellAt(cells, model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z));
            if (below && below->m_iStageKind == CELL_GROUND) {
                m_vHome = VxVec3{below->m_fX, below->m_fY, below->m_fZ};
                m_vPosition.y = below->m_fY;
            }
        }
        if (k < 18 && cell && cell->m_iStageKind == CELL_GROUND) {
            m_vPosition = VxVec3{cell->m_fX, cell->m_fY, cell->m_fZ};
            m_iAnimTick = 0;
        }
    }
    const int column = std::clamp(int(m_vCell.x), 0, FIELD_COLUMNS - 1);
    for (int row = 0; row < FIELD_ROWS; ++row) {
        const FieldCell& c = cells[column * FIELD_ROWS + row];
        if ((c.m_iStageKind == CELL_GROUND || row == FIELD_ROWS - 1) && c.m_fY > m_vPosition.y) {
            m_vPosition.y = m_vHome.y = c.m_fY;
            break;
        }
    }
}

void CCom_GameRobot::UpdateCyclerJump(CBattleModel& model) {
    const FieldCell* cells = RuleState(model).m_aFieldCells;
    const VxVec3 at = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    const FieldCell* cell = CellAt(cells, at);
    if (cell && cell->m_iStageKind == CELL_GROUND) {
        m_vPosition.y = cell->m_fY;
        m_iJumpMode = m_iJumpStep = 0;
        return;
    }
    if (m_iJumpMode == 0) {
        const int col = int(at.x), row = int(at.y);
        auto kindAt = [&](int c, int r) {
            const FieldCell* x = CellAt(cells, VxVec3{float(c), float(r), 0.0f});
            return x ? x->m_iStageKind : 0;
        };
        const bool gap =
            col + 2 < FIELD_COLUMNS && kindAt(col + 1, row) != CELL_GROUND && kindAt(col + 2, row) != CELL_GROUND;
        if (gap && kindAt(col + 3, row) == CELL_GROUND) m_iJumpMode = 2;
        else if (gap && row > 0 && kindAt(col + 1, row - 1) == CELL_GROUND) m_iJumpMode = 2;
        else m_iJumpMode = 1;
        m_iJumpStep = 0;
    }
    const int steps = m_iJumpMode == 2 ? 36 : 18;
    if (m_iJumpStep < steps) {
        const float k = float(m_iJumpStep);
        if (m_iJumpMode == 2) {
            m_vPosition.y += 10.0f * SinDeg(10.0f * k);
            m_vPosition.x += 6.0f;
        } else {
            m_vPosition.y += 1.5f * SinDeg(20.0f * k);
            m_vPosition.x += 5.0f;
        }
        ++m_iJumpStep;
    } else {
        m_vPosition.y -= 10.0f;
        m_vPosition.x += 4.0f;
    }
}
