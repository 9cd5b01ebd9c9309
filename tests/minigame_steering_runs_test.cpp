// The aiming, steering and jumping mini-games played whole through the stage
// runner: for each stage a seeded play by a small reactive player that wins,
// and a run where nobody touches the mouse, which must end lost (the soak
// needs every stage to end). Each run's end is kept as a golden value.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/JumpingRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "game/GameApplication.h"
#include "tests/StageRunSupport.h"
#include "tools/stagerun/ModelRun.h"

namespace {

// What a player does on one frame: where the mouse is (field point, y up)
// and whether the left button is down.
struct Hand {
    bool held = false;
    float x = 0.0f, y = 0.0f;
};
using SteeringPlayer = std::function<Hand(CPageGame&)>;

const CCom_GameRobot* Controlled(CPageGame& page) { return page.m_Battle.State().m_apMiniGameRobots[0]; }

// The Machine nearest to crossing the field (the one furthest right); a
// boss only when nothing else is there.
const CCom_GameRobot* LeadMachine(CPageGame& page) {
    const CCom_GameRobot* best = nullptr;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
        if (r.IsMachine() && r.m_iHp > 0 && &r != page.m_Battle.State().m_pMiniGameBoss && r.m_vPosition.x > -600.0f &&
            (!best || r.m_vPosition.x > best->m_vPosition.x))
            best = &r;
    return best ? best : page.m_Battle.State().m_pMiniGameBoss;
}

Hand Idle(CPageGame&) { return Hand{}; }

float RowY(CPageGame& page, int row) { return page.m_Battle.State().m_aFieldCells[row].m_fY; }

// Whether a Machine's shot is heading for the point from the left.
bool Threatened(CPageGame& page, float x, float y) {
    for (const CCom_GameBullet& b : page.m_Battle.State().m_lstBullets)
        if (b.m_iSide == 1 && b.m_vPosition.x < x + 30.0f && b.m_vPosition.x > x - 700.0f &&
            std::fabs(b.m_vPosition.y - y) < 70.0f)
            return true;
    return false;
}

// The wanted height, or the nearest row no shot is heading for.
float SafeY(CPageGame& page, float x, float want) {
    if (!Threatened(page, x, want)) return want;
    float best = want, gap = 1e9f;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        const float y = RowY(page, row);
        if (!Threatened(page, x, y) && std::fabs(y - want) < gap) {
            gap = std::fabs(y - want);
            best = y;
        }
    }
    return best;
}

// Aimed shooting: hold the button and lead the Machine nearest to crossing;
// a capsule lying on the field is clicked first.
Hand Aim(CPageGame& page) {
    for (const CCom_GameItem& item : page.m_Battle.State().m_lstItems)
        if (item.m_iItemKind == ITEM_CAPSULE && std::fabs(item.m_vPosition.y) < 250.0f)
            return Hand{page.m_Battle.State().m_iBattleFrame % 2 == 0, item.m_vPosition.x, item.m_vPosition.y};
    const CCom_GameRobot* me = Controlled(page);
    const CCom_GameRobot* m = LeadMachine(page);
    if (!me || !m) return Hand{true, -300.0f, 0.0f};
    const float t = std::fabs(me->m_vPosition.x - m->m_vPosition.x) / 5.0f;
    return Hand{true, m->m_vPosition.x + m->m_Unit.m_fSpeed * t, m->m_vPosition.y};
}

// Steering: keep the steered robot on the leading Machine's line, out of the way of shots.
Hand Steer(CPageGame& page) {
    const CCom_GameRobot* me = SteeredRobot(page.m_Battle);
    const CCom_GameRobot* m = LeadMachine(page);
    if (!me || !m) return Hand{};
    return Hand{true, me->m_vPosition.x, SafeY(page, me->m_vPosition.x, m->m_vPosition.y)};
}

// 171: the Machine Gunner shoots to the left only, and its shots reach The
// Destroyer from any row. It meets the Machine that would reach it first,
// on the nearest row and column (of its own and the two left of it) that is
// clear of Machine shots, of blasts set down where they will go off, of any
// beam lying across the field and, as the boss is about to fire, of the band
// its beam will sweep about its height.
constexpr int kGunnerColumn = 8;  // where 171 places the Machine Gunner

Hand Pilot(CPageGame& page) {
    const CCom_GameRobot* me = SteeredRobot(page.m_Battle);
    if (!me) return Hand{};
    const CCom_GameRobot* boss = page.m_Battle.State().m_pMiniGameBoss;
    const VxVec3 at = me->m_vPosition;
    const CCom_GameRobot* m = nullptr;
    float soonest = 1e9f;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) {
        if (!r.IsMachine() || r.m_iHp <= 0 || &r == boss || r.m_vPosition.x > at.x + 20.0f ||
            r.m_vPosition.x < -600.0f || r.m_Unit.m_fSpeed <= 0.0f)
            continue;
        const float t = (at.x - r.m_vPosition.x) / r.m_Unit.m_fSpeed;
        if (t < soonest) {
            soonest = t;
            m = &r;
        }
    }
    const float want = m ? m->m_vPosition.y : at.y;
    const bool beamDue =
        boss && boss->m_iState == ROBOT_ATTACK && boss->m_iActionTimer >= 95 && boss->m_iActionTimer < 140;
    auto clear = [&](float x, float y) {
        if ((beamDue && std::fabs(y - boss->m_vPosition.y - 50.0f) < 150.0f) || Threatened(page, x, y)) return false;
        for (const CCom_GameBullet& b : page.m_Battle.State().m_lstBullets) {
            if (b.m_iSide != 1) continue;
            const BulletHitArea& a = b.m_rcHitArea;
            const VxVec3& p = b.m_vPosition;
            if (a.set) {
                if (x > a.left - 45.0f && x < a.right + 45.0f && y < a.top + 45.0f && y > a.bottom - 45.0f)
                    return false;
            } else if (b.m_vVelocity.x == 0.0f && b.m_vVelocity.y == 0.0f &&
                       std::fabs(x - p.x) < b.m_Weapon.m_fAreaWidth + 30.0f &&
                       std::fabs(y - p.y) < b.m_Weapon.m_fAreaHeight + 30.0f) {
                return false;
            }
        }
        return true;
    };
    // In harm's way it takes the quickest way out; else it keeps near its own column.
    const bool escape = !clear(at.x, at.y);
    const float home = page.m_Battle.State().m_aFieldCells[kGunnerColumn * FIELD_ROWS].m_fX;
    Hand best{true, at.x, at.y};
    float cost = 1e9f;
    for (int column = kGunnerColumn; column >= kGunnerColumn - 2; --column) {
        const float x = page.m_Battle.State().m_aFieldCells[column * FIELD_ROWS].m_fX;
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const float y = RowY(page, row);
            const float c = escape ? std::max(std::fabs(x - at.x), std::fabs(y - at.y)) + 0.1f * std::fabs(y - want)
                                   : std::fabs(y - want) + 0.5f * (home - x);
            if (c < cost && clear(x, y)) {
                cost = c;
                best = Hand{true, x, y};
            }
        }
    }
    return best;
}

// 155: the Diver faces the way it last moved, and the submarines come from
// both sides firing ahead. The one nearest its exit is met head-on (edging
// toward it, so the Diver faces it) or, once past, chased from behind.
Hand Chase(CPageGame& page) {
    const CCom_GameRobot* me = SteeredRobot(page.m_Battle);
    if (!me) return Hand{};
    const CCom_GameRobot* m = nullptr;
    float urgency = 1e9f;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) {
        if (!r.IsMachine() || r.m_iHp <= 0 || std::fabs(r.m_vPosition.x) > 560.0f) continue;
        const float u = r.m_Unit.m_fSpeed >= 0.0f ? 550.0f - r.m_vPosition.x : r.m_vPosition.x + 550.0f;
        if (u < urgency) {
            urgency = u;
            m = &r;
        }
    }
    if (!m) return Hand{};
    const VxVec3 p = me->m_vPosition, q = m->m_vPosition;
    const float ahead = m->m_Unit.m_fSpeed >= 0.0f ? 1.0f : -1.0f;
    const float y = SafeY(page, p.x, q.y);
    if ((q.x - p.x) * ahead > 20.0f) return Hand{true, q.x - ahead * 120.0f, y};
    // In front: step toward it only, never away.
    const float goal = q.x + ahead * 150.0f;
    const float x = ahead > 0.0f ? std::min(p.x - 0.4f, std::max(goal, p.x - 5.0f))
                                 : std::max(p.x + 0.4f, std::min(goal, p.x + 5.0f));
    return Hand{true, x, y};
}

// 163: the Dropper hangs over the boss on a quiet row and lets its bombs fall.
Hand Bomb(CPageGame& page) {
    const CCom_GameRobot* me = Controlled(page);
    if (!me) return Hand{};
    const CCom_GameRobot* target =
        page.m_Battle.State().m_pMiniGameBoss ? page.m_Battle.State().m_pMiniGameBoss : LeadMachine(page);
    const float x = target ? target->m_vPosition.x + 10.0f : me->m_vPosition.x;
    float y = RowY(page, 0);
    for (int row = 0; row < FIELD_ROWS - 1; ++row) {
        bool busy = false;
        for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
            busy = busy || (r.IsMachine() && r.m_iHp > 0 && std::fabs(r.m_vPosition.y - RowY(page, row)) < 40.0f &&
                            r.m_vPosition.x < x + 60.0f && r.m_vPosition.x > x - 300.0f);
        if (!busy) {
            y = RowY(page, row);
            break;
        }
    }
    return Hand{true, x, SafeY(page, me->m_vPosition.x, y)};
}

// 157: wait at the right end; jump onto whatever comes close.
Hand Hop(CPageGame& page) {
    const CCom_GameRobot* me = FindJumper(page.m_Battle);
    if (!me) return Hand{};
    const CCom_GameRobot* near = nullptr;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
        if (r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.x < me->m_vPosition.x + 40.0f &&
            (!near || r.m_vPosition.x > near->m_vPosition.x))
            near = &r;
    if (!near || near->m_vPosition.x < me->m_vPosition.x - 260.0f)
        return Hand{page.m_Battle.State().m_bJumpHeld != 0, 385.0f, 100.0f};
    return Hand{true, near->m_vPosition.x + near->m_Unit.m_fSpeed * 20.0f, 100.0f};
}

// 167: leap off the start line once the Machines come, then steer to land
// on whichever Machine below the fall reaches first.
Hand Stomp(CPageGame& page) {
    const CCom_GameRobot* me = FindJumper(page.m_Battle);
    if (!me) return Hand{};
    if (page.m_Battle.State().m_iJumpCount == 0 || page.m_Battle.State().m_fJumpSpeed == 0.0f)
        return Hand{page.m_Battle.State().m_iTimeLeft < page.m_Battle.State().m_iStageFrames - 300, me->m_vPosition.x,
                    200.0f};
    const VxVec3 p = me->m_vPosition;
    const float v = page.m_Battle.State().m_fJumpSpeed;
    float bestT = 1e9f, bestX = p.x;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) {
        if (!r.IsMachine() || r.m_iHp <= 0 || r.m_iState == ROBOT_DYING) continue;
        const float drop = p.y - (r.m_vLastPosition.y + 62.0f);
        if (drop < 0.0f) continue;
        const float t = (v + std::sqrt(v * v + 0.7f * drop)) / 0.35f;
        const float x = r.m_vPosition.x + r.m_Unit.m_fSpeed * t;
        if (std::fabs(x - p.x) < 5.0f * t + 30.0f && std::fabs(x) < 380.0f && t < bestT) {
            bestT = t;
            bestX = x;
        }
    }
    return Hand{true, bestX, 200.0f};
}

struct RunCase {
    const char* name;
    int stage;
    int difficulty;
    uint32_t seed;
    SteeringPlayer player;
    const char* outcome;
};

// clang-format off
const RunCase kSteeringRuns[] = {
    {"Aim152", 152, 0, 2, Aim, "won"},
    {"Idle152", 152, 1, 11, Idle, "lost"},
    {"Steer154", 154, 0, 2, Steer, "won"},
    {"Idle154", 154, 1, 11, Idle, "lost"},
    {"Chase155", 155, 0, 3, Chase, "won"},
    {"Idle155", 155, 1, 11, Idle, "lost"},
    {"Steer156", 156, 0, 2, Steer, "won"},
    {"Idle156", 156, 1, 11, Idle, "lost"},
    {"Hop157", 157, 0, 5, Hop, "won"},
    {"Idle157", 157, 1, 11, Idle, "lost"},
    {"Aim162", 162, 0, 2, Aim, "won"},
    {"Idle162", 162, 1, 11, Idle, "lost"},
    {"Bomb163", 163, 0, 2, Bomb, "won"},
    {"Idle163", 163, 1, 11, Idle, "lost"},
    {"Steer166", 166, 0, 1, Steer, "won"},
    {"Idle166", 166, 1, 11, Idle, "lost"},
    {"Stomp167", 167, 0, 2, Stomp, "won"},
    {"Idle167", 167, 1, 11, Idle, "lost"},
    {"Steer171", 171, 0, 13, Pilot, "won"},
    {"Idle171", 171, 1, 11, Idle, "lost"},
    {"Steer174", 174, 0, 2, Steer, "won"},
    {"Idle174", 174, 1, 11, Idle, "lost"},
};
// clang-format on

class SteeringRun : public StageRunTest, public ::testing::WithParamInterface<RunCase> {
protected:
    // Plays to the summary (or the limit), the player at the mouse while the battle runs.
    StageRunResult Play(const RunCase& c) {
        Begin(c.stage, c.difficulty, c.seed);
        if (m_afterStep) m_afterStep();
        bool wasHeld = false;
        for (int guard = 0; guard < 40000; ++guard) {
            if (run->App().m_iCurrentPage == BATTLE_PAGE_INDEX) {
                CPageGame& page = run->Battle();
                if (page.m_Battle.State().m_iBattleState == BATTLE_SUMMARY) break;
                if (page.m_Battle.State().m_iBattleState == BATTLE_PLAYING) {
                    if (m_iPlayStart < 0) {
                        m_iPlayStart = page.m_Battle.State().m_iBattleFrame;
                        m_iStageFrames = page.m_Battle.State().m_iStageFrames;
                    }
                    const Hand h = c.player(page);
                    InputRecord& in = run->App().m_aInput[0];
                    in.m_iCursorX = int(std::lround(h.x + 440.0f));
                    in.m_iCursorY = int(std::lround(320.0f - h.y));
                    if (h.held) in.m_aiKey[MOUSE_LEFT] = KEY_HELD | (wasHeld ? 0u : uint32_t(KEY_PRESSED));
                    else if (wasHeld) in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
                    wasHeld = h.held;
                }
            }
            run->Step();
            if (m_afterStep) m_afterStep();
        }
        return run->Result();
    }
    std::function<void()> m_afterStep;  // a test watching the run, after each frame
    int m_iPlayStart = -1;              // battle frame at which play began
    int m_iStageFrames = 0;
};

// The same runs played by the battle's model alone from the mouse run's log,
// in which a frame of the steady controls is a MiniGamePointer command: no
// page and no mouse, and the checksum of every battle frame kept.
class SteeringAlone : public SteeringRun {};

TEST_P(SteeringAlone, TheModelAloneKeepsTheMouseRunsChecksumOnEveryFrame) {
    const RunCase& c = GetParam();
    std::map<int, uint64_t> checksums;
    m_afterStep = [&] {
        run->Model().KeepCommandLog(true);
        if (run->App().m_iCurrentPage == BATTLE_PAGE_INDEX) checksums[run->BattleFrame()] = run->Checksum();
    };
    const StageRunResult mouse = Play(c);
    const std::vector<LoggedCommand> log = run->Model().CommandLog();
    int pointers = 0;
    for (const LoggedCommand& l : log) pointers += std::holds_alternative<MiniGamePointer>(l.command);
    EXPECT_GT(pointers, 100) << "the controls' frames came as commands";
    run.reset();

    StageRunOptions o;
    o.stage = c.stage;
    o.difficulty = c.difficulty;
    o.seed = c.seed;
    ModelRun alone(o, log);
    ASSERT_TRUE(alone.Start()) << alone.Error();
    EXPECT_EQ(alone.RunComparing(checksums), -1) << "the first battle frame the model alone parts from the mouse run";
    EXPECT_TRUE(alone.Refused().empty()) << alone.Refused().size() << " logged commands refused";
    const StageRunResult replayed = alone.RunToEnd();
    EXPECT_EQ(replayed.outcome, mouse.outcome);
    EXPECT_EQ(replayed.checksum, mouse.checksum);
}

// Aiming, steering on both axes, jumping, bombing, the climb, and 171's
// flight with the robots it throws out hanging from parachutes.
const RunCase kAlone[] = {kSteeringRuns[0],  kSteeringRuns[4],  kSteeringRuns[8], kSteeringRuns[12],
                          kSteeringRuns[16], kSteeringRuns[18], kSteeringRuns[20]};

INSTANTIATE_TEST_SUITE_P(MiniGames, SteeringAlone, ::testing::ValuesIn(kAlone),
                         [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST_P(SteeringRun, EndsAsPlayedWithItsGoldenChecksum) {
    const RunCase& c = GetParam();
    const StageRunResult r = Play(c);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.boxes, 0);
    // Ended within the time the campaign soak allows a stage.
    ASSERT_GE(m_iPlayStart, 0);
    EXPECT_LE(r.frame - m_iPlayStart, m_iStageFrames + 5700);
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%d:%016" PRIx64, r.outcome.c_str(), r.frame, r.kills, r.checksum);
    golden::ExpectStageValue(std::string("mini2_") + c.name, value);
}

INSTANTIATE_TEST_SUITE_P(MiniGames, SteeringRun, ::testing::ValuesIn(kSteeringRuns),
                         [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The left button at a field point (y up) for one frame of the run.
void Press(StageRun& run, float x, float y, bool held) {
    InputRecord& in = run.App().m_aInput[0];
    in.m_iCursorX = int(std::lround(x + 440.0f));
    in.m_iCursorY = int(std::lround(320.0f - y));
    in.m_aiKey[MOUSE_LEFT] = held ? KEY_HELD | KEY_PRESSED : KEY_RELEASED;
}

class SteeringEdge : public StageRunTest {};

TEST_F(SteeringEdge, DuelBossComesAfter300FramesAndLosingTheDiverLosesTheStage) {
    StageRun& r = Begin(156, 1, 5);
    ASSERT_TRUE(r.RunUntilState(BATTLE_PLAYING, 20000));
    CPageGame& page = r.Battle();
    int elapsedAtCall = -1;
    while (!page.m_Battle.State().m_pMiniGameBoss && page.m_Battle.State().m_iBattleState == BATTLE_PLAYING &&
           elapsedAtCall < 0) {
        const int elapsed = page.m_Battle.State().m_iStageFrames - page.m_Battle.State().m_iTimeLeft;
        r.Step();
        if (page.m_Battle.State().m_pMiniGameBoss) elapsedAtCall = elapsed;
        ASSERT_LT(elapsed, 400) << "no boss";
    }
    EXPECT_EQ(elapsedAtCall, 300);
    EXPECT_EQ(page.m_Battle.State().m_pMiniGameBoss->Type(), 1015);
    CCom_GameRobot* diver = page.m_Battle.State().m_apMiniGameRobots[0];
    ASSERT_NE(diver, nullptr);
    diver->m_iHp = 0;
    diver->BeginDying(page.m_Battle);
    const StageRunResult end = r.RunToEnd();
    EXPECT_EQ(end.outcome, "lost");
    EXPECT_LT(end.frame, 2000);
}

TEST_F(SteeringEdge, JumpStartsOnlyFromAPressAboveTheBottomBand) {
    StageRun& r = Begin(157, 1, 5);
    ASSERT_TRUE(r.RunUntilState(BATTLE_PLAYING, 20000));
    CPageGame& page = r.Battle();
    const float row3 = page.m_Battle.State().m_aFieldCells[3].m_fY, row4 = page.m_Battle.State().m_aFieldCells[4].m_fY;
    const CCom_GameRobot* jumper = FindJumper(page.m_Battle);
    ASSERT_NE(jumper, nullptr);
    const float x = jumper->m_vPosition.x, ground = jumper->m_vPosition.y;
    // Just below the middle of rows 3 and 4: no jump, however long it is held.
    for (int i = 0; i < 20; ++i) {
        Press(r, x, 0.5f * (row3 + row4) - 2.0f, true);
        r.Step();
    }
    EXPECT_EQ(page.m_Battle.State().m_iJumpCount, 0);
    EXPECT_EQ(jumper->m_vPosition.y, ground);
    Press(r, x, 0.0f, false);
    r.Step();
    Press(r, x, 0.5f * (row3 + row4) + 2.0f, true);
    r.Step();
    EXPECT_EQ(page.m_Battle.State().m_iJumpCount, 1);
    for (int i = 0; i < 10; ++i) r.Step();
    EXPECT_GT(jumper->m_vPosition.y, ground + 50.0f);
}

// 167 at the end of its clock: however far the climb went, the way back
// stops exactly on the start line and clears the sky there; ten caged robots
// wait on it, the jumper leaps three times and the opened cages end the stage
// won.
class StartLineReturn : public StageRunTest, public ::testing::WithParamInterface<float> {};

TEST_P(StartLineReturn, StopsOnTheStartLineAndEndsAfterThreeLeaps) {
    StageRun& r = Begin(167, 1, 5);
    ASSERT_TRUE(r.RunUntilState(BATTLE_PLAYING, 20000));
    CPageGame& page = r.Battle();
    ASSERT_NE(page.m_Battle.CallEnemyRobot(1009, 0.0f, 0.0f, 0.0f, false), nullptr);
    CCom_GameRobot* jumper = FindJumper(page.m_Battle);
    ASSERT_NE(jumper, nullptr);
    RuleState(page.m_Battle).m_iTimeLeft = 0;
    RuleState(page.m_Battle).m_iJumpCount = 1;
    page.m_Battle.State().m_pStage->m_fScrollY = GetParam();
    jumper->m_vPosition.y = page.m_Battle.State().m_aFieldCells[FIELD_ROWS - 1].m_fY;
    int machinesAtStartLine = -1, ownMost = 0;
    for (int guard = 0; guard < 3000 && page.m_Battle.State().m_iBattleState == BATTLE_PLAYING; ++guard) {
        r.Step();
        ASSERT_LE(page.m_Battle.State().m_pStage->m_fScrollY, 0.0f);
        int own = 0, machines = 0;
        for (const CCom_GameRobot& robot : page.m_Battle.State().m_lstRobots) (robot.IsMachine() ? machines : own) += 1;
        ownMost = std::max(ownMost, own);
        if (machinesAtStartLine < 0 && page.m_Battle.State().m_pStage->m_fScrollY == 0.0f) {
            machinesAtStartLine = machines + int(page.m_Battle.State().m_lstBullets.size());
            EXPECT_TRUE(page.m_Battle.State().m_bEndSequence);
        }
    }
    EXPECT_EQ(machinesAtStartLine, 0);
    EXPECT_EQ(ownMost, 11);
    EXPECT_EQ(page.m_Battle.State().m_iStartJumps, 3);
    EXPECT_EQ(r.RunToEnd().outcome, "won");
}

INSTANTIATE_TEST_SUITE_P(ClimbLengths, StartLineReturn, ::testing::Values(-2.0f, -6.0f, -2002.0f));

}  // namespace
