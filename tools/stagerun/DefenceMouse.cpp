#include "tools/stagerun/DefenceMouse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "battle/model/BattleModel.h"
#include "battle/model/BossHandRules.h"
#include "battle/model/RelocationRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponDefinition.h"
#include "content/WeaponIds.h"
#include "engine/InputRecord.h"
#include "game/GameApplication.h"

namespace {

// A robot whose point is left of this line dies when the boss lunges.
constexpr float kLungeLine = 85.5f;
// The volley leaves at this countdown and sweeps a band this far above and
// below its line (half its height, and a little for the robots' bob).
constexpr int kVolleyLeaves = 180;
constexpr float kVolleyReach = 101.0f + 12.0f;
// What a volley takes off a robot standing in it the whole time (4 a hit, a
// hit every third frame, 180 frames): one with more hit points stays.
constexpr int kVolleyDamage = 240;
// A Time Bomb shows its last digit from this action time on, and its blast
// reaches this far (and a margin).
constexpr int kBombRipe = 600;
constexpr float kBombReachX = 150.0f + 10.0f, kBombReachY = 141.5f + 10.0f;
// The lunge does not reach this column and those behind it.
constexpr int kClearColumn = 6;
// A move is a short drag, and the hand rests a moment between two.
constexpr int kCarryFrames = 6;
constexpr int kRestFrames = 4;

float SinDeg(float degrees) { return std::sin(degrees * 0.017453292519943295f); }

const CCom_GameRobot* LiveDestroyer(const CBattleModel& model) {
    const CCom_GameRobot* boss = model.State().m_pMiniGameBoss;
    if (!boss || boss->m_iHp <= 0 || boss->m_iState == ROBOT_DYING) return nullptr;
    return boss->Type() == MachineId::Destroyer || boss->Type() == MachineId::DestroyerZero ? boss : nullptr;
}

// The line the volley sweeps along: the one on the field, else the one the
// shaking boss is about to fire from its mouth as it sways.
bool VolleyLine(const CBattleModel& model, float& line) {
    for (const CCom_GameBullet& b : model.State().m_lstBullets)
        if (b.m_iBulletKind == WeaponId::DestroyerVolley) {
            line = b.m_vPosition.y;
            return true;
        }
    const CCom_GameRobot* boss = LiveDestroyer(model);
    if (!boss || boss->m_iCountdown <= kVolleyLeaves) return false;
    const float phase = float(boss->m_iPhase + boss->m_iCountdown - kVolleyLeaves);
    const float y = boss->m_iBossTimer == 1 ? 140.0f * SinDeg(0.5f * phase) + 30.0f : boss->m_vPosition.y;
    line = y + 40.0f + 20.0f * SinDeg(phase);
    return true;
}

bool IsOwnLive(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0; }

bool StandsOn(const CCom_GameRobot& r, int column, int row) {
    return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row;
}

// A hand aims at the cell and has not closed yet.
bool Aimed(const CBattleModel& model, int column, int row) {
    for (const BossHandStrike& s : model.State().m_aBossHands) {
        if (!s.live || s.column != column || s.row != row) continue;
        const FieldCell& cell = model.State().m_aFieldCells[column * FIELD_ROWS + row];
        const int travel =
            std::max(1, BossHandTravelFrames(BossHandStartX(), BossHandStartY(model, row), cell.m_fX, cell.m_fY));
        if (s.age < BOSS_HAND_AIM + travel + BOSS_HAND_CLOSES) return true;
    }
    return false;
}

bool Taken(const CBattleModel& model, int column, int row) {
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (IsOwnLive(r) && r.m_Unit.m_iRole != ROLE_PLATFORM && StandsOn(r, column, row)) return true;
    return false;
}

// A mount (a gun or a mortar on its base) goes where its base goes.
bool Movable(const CBattleModel& model, const CCom_GameRobot& r) {
    return MayRelocate(model, r) && !RelocationCoolingDown(model, r) && r.m_Unit.m_iRole != ROLE_TIMER &&
           r.m_iRow >= 0 && r.m_iRow < FIELD_ROWS;
}

// A base that carries a mount stays unless it must go.
bool Mounted(const CBattleModel& model, const CCom_GameRobot& base) {
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (&r != &base && IsOwnLive(r) && r.m_Unit.m_iRole == ROLE_TIMER &&
            StandsOn(r, int(base.m_vCell.x), int(base.m_vCell.y)))
            return true;
    return false;
}

// How much of a lane `lanes` rows below its own (above when negative) a
// weapon reaches ahead of its robot: 1 for the whole lane.
float LaneReach(WeaponId weapon, int lanes) {
    if (lanes < -4 || lanes > 4) return 0.0f;
    // The robots' weapons, read once.
    constexpr int kWeapons = 31;
    static float reach[kWeapons][REACH_COLUMNS];
    static bool read = false;
    if (!read) {
        for (int w = 0; w < kWeapons; ++w) {
            WeaponReachMask mask;
            GetWeaponReachMask(WeaponId(w), mask);
            for (int lane = 0; lane < REACH_COLUMNS; ++lane) {
                int cells = 0;
                for (int ahead = 1; ahead <= 9; ++ahead) cells += mask[9 - ahead][lane] == 2;
                reach[w][lane] = float(cells) / 9.0f;
            }
        }
        read = true;
    }
    const int w = int(weapon);
    return w >= 0 && w < kWeapons ? reach[w][4 + lanes] : 0.0f;
}

// How well each row is shot at by the player's robots, a robot standing in
// `row` instead of its own for `moved` (null: none moves).
void RowGuard(const CBattleModel& model, const CCom_GameRobot* moved, int row, float guard[FIELD_ROWS]) {
    for (int k = 0; k < FIELD_ROWS; ++k) guard[k] = 0.0f;
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (!IsOwnLive(r) || r.m_Unit.m_iRole != ROLE_ATTACK || r.m_iRow < 0 || r.m_iRow >= FIELD_ROWS) continue;
        const int from = &r == moved ? row : r.m_iRow;
        for (int k = 0; k < FIELD_ROWS; ++k) guard[k] += LaneReach(r.m_Unit.m_iWeapon, k - from);
    }
}

// A row half a lane of shots guards stops its Machines.
constexpr float kGuarded = 0.5f;
// A shooter moves to guard the rows better by at least this much.
constexpr float kWorthMoving = 0.3f;
// The hand looks the rows over this often.
constexpr int kLookEvery = 8;

// A Time Bomb showing its last digit blows up the cells around it.
bool NearRipeBomb(const CBattleModel& model, float x, float y) {
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (r.IsMachine() && r.Type() == MachineId::TimeBomb && r.m_iHp > 0 && r.m_iActionTimer >= kBombRipe &&
            std::fabs(r.m_vPosition.x - x) < kBombReachX && std::fabs(r.m_vPosition.y - y) < kBombReachY)
            return true;
    return false;
}

// The worth of a guard over the rows: each row counts up to one robot's
// lane of shots, a row with Machines in it the more the stronger they are.
float GuardWorth(const float guard[FIELD_ROWS], const float need[FIELD_ROWS]) {
    float worth = 0.0f;
    for (int k = 0; k < FIELD_ROWS; ++k) worth += (1.0f + need[k] / 50.0f) * std::min(guard[k], 1.0f);
    return worth;
}

}  // namespace

unsigned DefenceMouse::VolleyRows(const CBattleModel& model) {
    float line = 0.0f;
    if (!VolleyLine(model, line)) return 0;
    unsigned rows = 0;
    for (int row = 0; row < FIELD_ROWS; ++row)
        if (std::fabs(model.State().m_aFieldCells[row].m_fY - line) < kVolleyReach) rows |= 1u << row;
    return rows;
}

bool DefenceMouse::InLungeReach(const CCom_GameRobot& robot) { return robot.m_vLastPosition.x < kLungeLine + 1.0f; }

// The best free cell for a robot on the run: out of the volley's rows (and
// the `rows` given), every hand's aim and a ripe bomb's blast, behind the
// lunge's reach where it can be, where its shots guard a row no other guards,
// near the row it leaves.
int DefenceMouse::SafeCell(const CBattleModel& model, const CCom_GameRobot& robot, unsigned rows,
                           bool coverFirst) const {
    int own[FIELD_ROWS] = {};
    float need[FIELD_ROWS] = {}, guard[FIELD_ROWS];
    RowGuard(model, &robot, -FIELD_ROWS * 2, guard);
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (&r == &robot || r.m_iHp <= 0 || r.m_iRow < 0 || r.m_iRow >= FIELD_ROWS) continue;
        if (r.IsMachine()) need[r.m_iRow] += float(std::min(r.m_iHp, 100));
        else ++own[r.m_iRow];
    }
    const CCom_GameRobot* boss = LiveDestroyer(model);
    const bool lunging = boss && boss->m_iBossTimer == 2;
    int best = -1;
    float bestScore = -1e9f;
    for (int column = FIELD_COLUMNS - 1; column >= 2; --column)
        for (int row = 0; row < FIELD_ROWS; ++row) {
            if ((rows >> row) & 1u || (lunging && column < kClearColumn)) continue;
            const FieldCell& cell = model.State().m_aFieldCells[column * FIELD_ROWS + row];
            if (Taken(model, column, row) || Aimed(model, column, row) || NearRipeBomb(model, cell.m_fX, cell.m_fY))
                continue;
            if (!model.JudgeCardOnCell(robot.m_iUnitSlot, column, row, true).Allowed()) continue;
            float score = 10.0f * float(column) - 100.0f * float(own[row]) -
                          30.0f * float(std::abs(row - robot.m_iRow)) + std::min(need[row], 300.0f);
            if (robot.m_Unit.m_iRole == ROLE_ATTACK)
                for (int k = 0; k < FIELD_ROWS; ++k)
                    if (guard[k] < kGuarded && guard[k] + LaneReach(robot.m_Unit.m_iWeapon, k - row) >= kGuarded)
                        score += coverFirst ? 1000.0f : 300.0f;
            if (column < kClearColumn) score -= 5000.0f;
            if (score > bestScore) best = column * FIELD_ROWS + row, bestScore = score;
        }
    return best;
}

bool DefenceMouse::StartMove(InputRecord& in, const CCom_GameRobot& robot, int cell) {
    in.m_iCursorX = int(robot.m_vPosition.x + float(g_iScreenWidth) * 0.5f);
    in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - robot.m_vPosition.y);
    in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    m_iLifted = robot.m_iSerial;
    m_iTo = cell;
    m_iCarried = 0;
    return true;
}

// The robot pressed on is dragged to its cell and let go there; a cell that
// has turned bad on the way is chosen again.
bool DefenceMouse::CarryOn(const CBattleModel& model, InputRecord& in) {
    if (m_iLifted < 0) return false;
    const CCom_GameRobot* robot = nullptr;
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (r.m_iSerial == m_iLifted) robot = &r;
    if (model.State().m_iRelocatingRobot != m_iLifted || !robot) {
        // The press lifted nothing (or the robot is gone): the button goes up.
        in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        m_iLifted = -1;
        m_iRest = kRestFrames;
        return true;
    }
    ++m_iCarried;
    const unsigned rows = VolleyRows(model);
    if (m_iTo >= 0) {
        const int column = m_iTo / FIELD_ROWS, row = m_iTo % FIELD_ROWS;
        if ((rows >> row) & 1u || Taken(model, column, row) || Aimed(model, column, row)) m_iTo = -1;
    }
    if (m_iTo < 0) m_iTo = SafeCell(model, *robot, rows, false);
    // With nowhere to go it is set down where it stands.
    const float fromX = robot->m_vPosition.x, fromY = robot->m_vPosition.y;
    float toX = fromX, toY = fromY;
    if (m_iTo >= 0) {
        toX = model.State().m_aFieldCells[m_iTo].m_fX;
        toY = model.State().m_aFieldCells[m_iTo].m_fY;
    }
    const float t = std::min(1.0f, float(m_iCarried) / float(kCarryFrames));
    in.m_iCursorX = int(fromX + (toX - fromX) * t + float(g_iScreenWidth) * 0.5f);
    in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - (fromY + (toY - fromY) * t));
    if (m_iCarried >= kCarryFrames) {
        in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        m_iLifted = -1;
        m_iRest = kRestFrames;
    }
    return true;
}

// A robot a hand aims at, left of the lunge's line while the boss lunges,
// or by a Time Bomb about to blow, or in the volley's rows with no more hit
// points than it takes, is carried off: the certain deaths first.
bool DefenceMouse::Dodge(const CBattleModel& model, InputRecord& in) {
    const CCom_GameRobot* boss = LiveDestroyer(model);
    const unsigned rows = VolleyRows(model);
    const bool lunging = boss && boss->m_iBossTimer == 2;
    for (int pass = 0; pass < 2; ++pass)
        for (const CCom_GameRobot& r : model.State().m_lstRobots) {
            if (!Movable(model, r)) continue;
            const bool doomed = pass == 0 ? Aimed(model, int(r.m_vCell.x), int(r.m_vCell.y)) ||
                                                (lunging && InLungeReach(r)) ||
                                                NearRipeBomb(model, r.m_vPosition.x, r.m_vPosition.y)
                                          : ((rows >> r.m_iRow) & 1u) && r.m_iHp <= kVolleyDamage;
            if (!doomed) continue;
            const int cell = SafeCell(model, r, rows, true);
            if (cell >= 0) return StartMove(in, r, cell);
        }
    return false;
}

// The one shooter's move (to a row the volley is not about to sweep) that
// guards the rows best, when it guards them better by a fair margin; else a
// robot within the lunge's reach goes back behind it when a cell there is
// free.
bool DefenceMouse::CoverRows(const CBattleModel& model, InputRecord& in) {
    const unsigned rows = VolleyRows(model);
    float guard[FIELD_ROWS], need[FIELD_ROWS] = {};
    RowGuard(model, nullptr, 0, guard);
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (r.IsMachine() && r.m_iHp > 0 && r.m_iRow >= 0 && r.m_iRow < FIELD_ROWS)
            need[r.m_iRow] += float(std::min(r.m_iHp, 100));
    const float now = GuardWorth(guard, need);
    const CCom_GameRobot* mover = nullptr;
    int to = -1;
    float gain = kWorthMoving;
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (!IsOwnLive(r) || r.m_Unit.m_iRole != ROLE_ATTACK || !Movable(model, r) || Mounted(model, r)) continue;
        for (int row = 0; row < FIELD_ROWS; ++row) {
            if (row == r.m_iRow || (rows >> row) & 1u) continue;
            float moved[FIELD_ROWS];
            RowGuard(model, &r, row, moved);
            const float g = GuardWorth(moved, need) - now;
            if (g > gain) mover = &r, to = row, gain = g;
        }
    }
    if (mover) {
        const int cell = SafeCell(model, *mover, rows | (0x1Fu & ~(1u << to)), false);
        if (cell >= 0) return StartMove(in, *mover, cell);
    }
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (!Movable(model, r) || !InLungeReach(r)) continue;
        const int cell = SafeCell(model, r, rows, true);
        if (cell >= 0 && cell / FIELD_ROWS >= kClearColumn) return StartMove(in, r, cell);
    }
    return false;
}

void DefenceMouse::Play(const CBattleModel& model, InputRecord& in) {
    if (m_bReleaseDue) {
        // The click's release, where it was pressed.
        m_bReleaseDue = false;
        in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        return;
    }
    if (CarryOn(model, in)) return;
    if (m_iRest > 0) --m_iRest;
    const bool moves = IsEpisodeFinalBossStage(model.StageNumber()) && model.State().m_bRelocateRule &&
                       model.State().m_iCarriedCard == -1 && m_iRest == 0;
    if (moves && Dodge(model, in)) return;
    TakeCapsules(model, in);
    if (moves && !m_bReleaseDue && model.State().m_iCarriedCard == -1 && ++m_iLooks % kLookEvery == 0)
        CoverRows(model, in);
}

// Where the defence sets a capsule's card down: at the back of a row where
// no shooter of the player's stands, else of the row whose Machines its
// robots answer least, out of the boss's lunge, its hands' aim and its
// volley's rows where it can. -1 when no cell takes the card.
int DefenceMouse::CapsuleCell(const CBattleModel& model, int slot) const {
    float need[FIELD_ROWS] = {}, shooters[FIELD_ROWS];
    int guards[FIELD_ROWS] = {};
    RowGuard(model, nullptr, 0, shooters);
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (r.m_iHp <= 0 || r.m_iRow < 0 || r.m_iRow >= FIELD_ROWS) continue;
        if (r.IsMachine()) need[r.m_iRow] += float(std::min(r.m_iHp, 100));
        else guards[r.m_iRow] += r.m_Unit.m_iRole == ROLE_GUARD;
    }
    const unsigned rows = VolleyRows(model);
    int best = -1;
    float bestScore = -1e9f;
    for (int column = FIELD_COLUMNS - 1; column >= 2; --column)
        for (int row = 0; row < FIELD_ROWS; ++row) {
            if (!model.JudgePlacement(slot, column, row).Allowed()) continue;
            // Rows first (one no shooter stands in, then the one its
            // robots answer least), then the back.
            float score = (shooters[row] < kGuarded ? 2000.0f : 0.0f) + need[row] - 150.0f * shooters[row] -
                          50.0f * float(guards[row]) + 10.0f * float(column);
            if (column < kClearColumn) score -= 5000.0f;  // within the boss's lunge
            const FieldCell& cell = model.State().m_aFieldCells[column * FIELD_ROWS + row];
            if ((rows >> row) & 1u || Aimed(model, column, row) || NearRipeBomb(model, cell.m_fX, cell.m_fY))
                score -= 20000.0f;
            if (score > bestScore) best = column * FIELD_ROWS + row, bestScore = score;
        }
    return best;
}

// A capsule on the screen is clicked, and the card it hands over is carried
// to the cell CapsuleCell chooses and let go there (or given back with the
// right button when no cell takes it).
void DefenceMouse::TakeCapsules(const CBattleModel& model, InputRecord& in) {
    const float w = float(g_iScreenWidth), h = float(g_iScreenHeight);
    auto pointAt = [&](float x, float y) {
        in.m_iCursorX = int(x + w * 0.5f);
        in.m_iCursorY = int(h * 0.5f - y);
    };
    const int carried = model.State().m_iCarriedCard;
    if (carried >= 0) {
        if (!model.State().m_bCarriedFromCapsule || carried >= DECK_SLOTS) return;
        const int cell = CapsuleCell(model, carried);
        if (cell < 0) {
            in.m_aiKey[MOUSE_RIGHT] = KEY_PRESSED | KEY_RELEASED;
            return;
        }
        const FieldCell& c = model.State().m_aFieldCells[cell];
        pointAt(c.m_fX, c.m_fY);
        // Carried over the cell a moment first, as a hand takes it there.
        if (model.State().m_iCarriedFrames > 20) {
            in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
            m_bReleaseDue = true;
        }
        return;
    }
    for (const CCom_GameItem& item : model.State().m_lstItems) {
        if (item.m_iItemKind != ITEM_CAPSULE || std::fabs(item.m_vPosition.x) > w * 0.5f - 20.0f ||
            std::fabs(item.m_vPosition.y) > h * 0.5f - 40.0f)
            continue;
        pointAt(item.m_vPosition.x, item.m_vPosition.y);
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        m_bReleaseDue = true;
        return;
    }
}
