// Mouse-only players for the relocation, slot-machine, charge-shot, zapping
// and final-boss mini-games: each decides from what the battle page shows
// and queues its input through the real input path.
#pragma once

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <vector>

#include "battle/model/BossHandRules.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "tests/HandInputSupport.h"

enum Player { PASSIVE, RELOCATE, ENERGY, SLOTS, CHARGE, ZAP, REELS, BOSS, RESCUE, FLAME };

struct MiniGameCase {
    int stage;
    int difficulty;
    uint32_t seed;
    Player player;
    const char* outcome;
};

inline const char* PlayerName(Player p) {
    static const char* const kNames[] = {"Passive", "Relocate", "Energy", "Slots",  "Charge",
                                         "Zap",     "Reels",    "Boss",   "Rescue", "Flame"};
    return kNames[p];
}

// One step of the input a player queues: the cursor goes to (x, y) and the
// left button does what the kind says for one frame.
struct Action {
    enum Kind { MOVE, PRESS, HOLD, RELEASE, CANCEL } kind;
    float x, y;
};

class MiniGamePlay : public HandInputTest {
protected:
    StageRunResult Play(const MiniGameCase& c) {
        Begin(c.stage, c.difficulty, c.seed);
        return PlayOn(c.player);
    }
    // Plays a started run up to its summary board.
    StageRunResult PlayOn(Player player) {
        return PlayWith([this, player] { Decide(player); });
    }
    // The same with a player of the test's own: decide queues the next
    // actions whenever the queue runs dry in play.
    StageRunResult PlayWith(const std::function<void()>& decide) {
        while (run->RunnerFrame() < 60000) {
            if (run->App().m_iCurrentPage == BATTLE_PAGE_INDEX && run->State() == BATTLE_SUMMARY) break;
            if (queue.empty() && run->App().m_iCurrentPage == BATTLE_PAGE_INDEX && run->State() == BATTLE_PLAYING)
                decide();
            if (queue.empty()) {
                Step();
                continue;
            }
            const Action a = queue.front();
            queue.pop_front();
            InputRecord& in = run->App().m_aInput[0];
            Aim(a.x, a.y);
            if (a.kind == Action::PRESS) in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
            if (a.kind == Action::RELEASE) in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
            if (a.kind == Action::CANCEL) in.m_aiKey[MOUSE_RIGHT] = KEY_RELEASED;
            Step();
        }
        return run->RunToEnd();
    }

    // Called after every frame the player plays (a test watching the run).
    std::function<void()> afterStep;
    void Step() {
        run->Step();
        if (afterStep) afterStep();
    }

    void Tap(float x, float y) {
        queue.push_back({Action::PRESS, x, y});
        queue.push_back({Action::RELEASE, x, y});
    }

    // Whether the carried card would go on the cell at the point: the battle's
    // judgement alone, which changes nothing.
    bool CarriedFitsAt(const VxVec3& at) {
        const CBattleModel& battle = Page().m_Battle;
        return battle.PlacementCellAt(battle.State().m_iCarriedCard, at, battle.State().m_iRelocatingRobot != -1) >= 0;
    }

    // A carried card goes onto the first cell (right columns first) that takes it.
    void PlaceCarried() {
        for (int column = 8; column >= 2; --column)
            for (int row = 0; row < FIELD_ROWS; ++row) {
                const VxVec3 at = Cell(column, row);
                Aim(at.x, at.y);
                if (!CarriedFitsAt(at)) continue;
                for (int f = 0; f < 12; ++f) queue.push_back({Action::MOVE, at.x, at.y});
                Tap(at.x, at.y);
                return;
            }
        queue.push_back({Action::CANCEL, 0.0f, 0.0f});
    }

    // Taps the first item of the kinds wanted that has come onto the field.
    bool TapItem(bool capsules, bool energy) {
        for (const CCom_GameItem& item : Page().m_Battle.State().m_lstItems) {
            const bool wanted = (capsules && item.m_iItemKind == ITEM_CAPSULE) || (energy && item.m_iItemKind <= 3);
            const VxVec3& at = item.m_vPosition;
            if (!wanted || std::fabs(at.x) > 400.0f || at.y > 250.0f || at.y < -170.0f) continue;
            Tap(at.x, at.y);
            return true;
        }
        return false;
    }

    // The live Machine nearest the player's side.
    const CCom_GameRobot* FrontMachine() {
        const CCom_GameRobot* front = nullptr;
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.x > -430.0f &&
                (!front || r.m_vPosition.x > front->m_vPosition.x))
                front = &r;
        return front;
    }

    // The cards a reel-timing player plays for, in turn: on 169 Warrior Bots
    // hold the three ground lanes; on 178 Missiler Bots stand on Surveyor Bots,
    // from which they see the Ghosts.
    static std::vector<int> WantedCards(int stage) {
        if (stage == 178) return {29, 18, 29, 18, 18};
        return {9};
    }

    // Stops the next running reel (right to left) when its next step brings
    // the wanted card under the pay line, well clear of a step.
    bool TimeReel(int card) {
        CPageGame& p = Page();
        if (p.m_Battle.State().m_iSlotLeverCooldown != 0 || !p.m_pSlotStopButton) return false;
        for (int i = SLOT_REELS - 1; i >= 0; --i) {
            const SlotReel& reel = p.m_Battle.State().m_aSlotReels[i];
            if (!reel.m_bRunning) continue;
            const int phase = run->App().m_nFrame % reel.m_iPeriod;
            if (GetReelSymbol(p.m_Battle, i, 1) != card || phase < 3 || phase > reel.m_iPeriod - 3) return false;
            const VxVec3 lever = p.m_pSlotStopButton->m_vPosition;
            Tap(lever.x, lever.y);
            return true;
        }
        return false;
    }

    // A carried card goes onto a free Surveyor Bot where one waits, else onto
    // the lane with the fewest robots of its kind, as far right as it fits.
    void PlaceInLane() {
        CPageGame& p = Page();
        const int card = p.m_Battle.State().m_aHand[p.m_Battle.State().m_iCarriedCard].m_iCard;
        int bestColumn = -1, bestRow = -1, bestScore = 1 << 30;
        for (int column = 9; column >= 1; --column)
            for (int row = 0; row < FIELD_ROWS; ++row) {
                const VxVec3 at = Cell(column, row);
                Aim(at.x, at.y);
                if (!CarriedFitsAt(at)) continue;
                int same = 0;
                bool platform = false;
                for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
                    if (r.IsMachine() || r.m_iHp <= 0) continue;
                    same += r.Type() == card && r.m_iRow == row;
                    platform = platform || (r.Type() == 29 && !r.m_bPlatformOccupied && int(r.m_vCell.x) == column &&
                                            r.m_iRow == row);
                }
                const int score = (platform && card != 29 ? 0 : 1000) + same * 10 + (9 - column);
                if (score < bestScore) {
                    bestScore = score;
                    bestColumn = column;
                    bestRow = row;
                }
            }
        if (bestColumn < 0) {
            queue.push_back({Action::CANCEL, 0.0f, 0.0f});
            return;
        }
        const VxVec3 at = Cell(bestColumn, bestRow);
        for (int f = 0; f < 12; ++f) queue.push_back({Action::MOVE, at.x, at.y});
        Tap(at.x, at.y);
    }

    // The charge (frames held) whose mortar shell blasts the Machine nearest
    // the right edge that a shell can still reach, played out ahead: the
    // shell's lob is followed frame by frame against the Machines walking on,
    // and it blasts at the first Machine it passes or where it lands. 0: hold
    // fire, no Machine to aim at.
    int AimCharge() {
        CPageGame& p = Page();
        const CCom_GameRobot* cannon = p.m_Battle.State().m_apMiniGameRobots[0];
        if (!cannon || cannon->m_iHp <= 0) return 0;
        struct Walker {
            float x, y, speed;
        };
        std::vector<Walker> walkers;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0)
                walkers.push_back(
                    {r.m_vPosition.x, r.m_vPosition.y, r.m_iState == ROBOT_MOVE ? r.m_Unit.m_fSpeed : 0.0f});
        std::vector<size_t> targets;
        for (size_t i = 0; i < walkers.size(); ++i)
            if (walkers[i].x < cannon->m_vLastPosition.x - 40.0f && walkers[i].x > -600.0f) targets.push_back(i);
        std::sort(targets.begin(), targets.end(), [&](size_t a, size_t b) { return walkers[a].x > walkers[b].x; });
        const VxVec3 from = cannon->m_vLastPosition;
        const float groundY = Cell(0, FIELD_ROWS - 1).y;
        auto at = [&](const Walker& w, int t) { return VxVec3{w.x + w.speed * float(t), w.y, 0.0f}; };
        for (size_t target : targets)
            for (int held = 45; held <= 180; ++held) {
                const float reach = float(held) / 0.07058824f - 550.0f;
                const float dx = -reach, dy = groundY - from.y;
                const float distance = std::sqrt(dx * dx + dy * dy);
                const int life = int(distance / 5.0f);
                const float vx = 5.0f * dx / distance, vy = 5.0f * dy / distance;
                VxVec3 shell = from;
                int blastAt = held + 1 + life;
                for (int k = 0; k < life && blastAt == held + 1 + life; ++k) {
                    shell.x += vx;
                    shell.y += vy + 4.0f * std::cos(float(k) / float(life) * 3.14159265f);
                    for (const Walker& w : walkers) {
                        const VxVec3 m = at(w, held + 1 + k);
                        if (std::hypot(m.x - shell.x, m.y - shell.y) < 60.0f) {
                            blastAt = held + 1 + k;
                            break;
                        }
                    }
                }
                // The blast goes off 30 frames on, 128 wide and 121 high each way.
                const VxVec3 m = at(walkers[target], blastAt + 30);
                if (std::fabs(m.x - shell.x) < 110.0f && std::fabs(m.y - shell.y) < 100.0f) return held;
            }
        return 0;
    }

    // Guards the lane of the Machine nearest the player's side: an attacker
    // that no Machine of its own lane needs goes to the right end of that lane.
    void Relocate() {
        CPageGame& p = Page();
        if (p.m_Battle.State().m_iCarriedCard >= 0 || run->BattleFrame() % 20 != 0) return;
        const CCom_GameRobot* front = FrontMachine();
        if (!front) return;
        const int row = front->m_iRow;
        auto threatened = [&p](int lane) {
            for (const CCom_GameRobot& m : p.m_Battle.State().m_lstRobots)
                if (m.IsMachine() && m.m_iHp > 0 && m.m_iRow == lane && m.m_vPosition.x > -430.0f) return true;
            return false;
        };
        auto mover = [](const CCom_GameRobot& r) {
            return !r.IsMachine() && r.m_iHp > 0 && r.m_Unit.m_iRole == ROLE_ATTACK;
        };
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots)
            if (mover(r) && r.m_iRow == row) return;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (!mover(r) || r.m_iSmokeTimer > 0 || threatened(r.m_iRow)) continue;
            for (int column = 9; column >= 5; --column)
                if (MoveRobot(r, column, row)) return;
        }
    }

    // 158: the Fixer Bot mends only from close by, and no ground lies near the
    // Mariner Bot. The Buoyer Bots that the capsules bring fill row 4 from the
    // right; once one floats beside the Mariner Bot the Fixer Bot rides it and
    // mends from there. Meanwhile the two shooters keep the Machines off.
    void Rescue() {
        CPageGame& p = Page();
        // Once it is mended the stage takes the robots home by itself.
        if (p.m_Battle.State().m_iCarriedCard >= 0 || p.m_Battle.State().m_iSequenceStep != 0 ||
            run->BattleFrame() % 10 != 0)
            return;
        const CCom_GameRobot* raft = nullptr;
        const CCom_GameRobot* fixer = nullptr;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0) continue;
            if (r.Type() == 23 && int(r.m_vCell.x) == 5 && r.m_iRow == 4) raft = &r;
            if (r.Type() == 22) fixer = &r;
        }
        if (raft && fixer && fixer->m_iSmokeTimer == 0 && !(int(fixer->m_vCell.x) == 5 && fixer->m_iRow == 4) &&
            MoveRobot(*fixer, 5, 4))
            return;
        // A Machine past the middle of a lane that no shooter holds comes first;
        // then the Napalm Airship, which gets both shooters; then the front Machine.
        auto shooter = [](const CCom_GameRobot& r) {
            return !r.IsMachine() && r.m_iHp > 0 && (r.Type() == 19 || r.Type() == 24);
        };
        auto held = [&](int row) {
            for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots)
                if (shooter(r) && r.m_iRow == row) return true;
            return false;
        };
        const CCom_GameRobot* target = nullptr;
        for (const CCom_GameRobot& m : p.m_Battle.State().m_lstRobots)
            if (m.IsMachine() && m.m_iHp > 0 && m.Type() != 1009 && m.m_iRow < 4 && m.m_vPosition.x > 0.0f &&
                !held(m.m_iRow) && (!target || m.m_vPosition.x > target->m_vPosition.x))
                target = &m;
        const CCom_GameRobot* threat = Threat();
        const bool both = !target && threat && threat->Type() == 1009;
        if (!target) target = threat;
        if (!target) return;
        const int row = std::min(target->m_iRow, 3);
        if (!both && held(row)) return;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (!shooter(r) || r.m_iSmokeTimer > 0 || r.m_iRow == row) continue;
            for (int column = 9; column >= 2; --column)
                if (MoveRobot(r, column, row)) return;
        }
    }

    // 158's capsules: a Storm Bot stands its storm over the lanes the Machines
    // cross before they reach the Mariner Bot; a Mini-Bomber drops on the worst Machine.
    void PlaceCapsuleCard() {
        CPageGame& p = Page();
        const bool storm = p.m_Battle.State().m_aHand[p.m_Battle.State().m_iCarriedCard].m_iCard == 20;
        std::vector<VxVec3> cells;
        if (storm) {
            for (const auto& c : {std::make_pair(2, 2), std::make_pair(3, 2), std::make_pair(3, 0),
                                  std::make_pair(4, 0), std::make_pair(4, 2), std::make_pair(5, 0)})
                cells.push_back(Cell(c.first, c.second));
        } else if (const CCom_GameRobot* target = Threat()) {
            cells.push_back(target->m_vPosition);
        }
        for (const VxVec3& at : cells) {
            Aim(at.x, at.y);
            if (!CarriedFitsAt(at)) continue;
            for (int f = 0; f < 4; ++f) queue.push_back({Action::MOVE, at.x, at.y});
            Tap(at.x, at.y);
            return;
        }
        if (storm) queue.push_back({Action::CANCEL, 0.0f, 0.0f});
    }

    // The Napalm Airship bombs the Mariner Bot on its way; else the front Machine.
    const CCom_GameRobot* Threat() {
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0 && r.Type() == 1009 && r.m_vPosition.x > -430.0f) return &r;
        return FrontMachine();
    }

    // 173: the Machines fly in rows 0 to 3 and strike only along their own
    // row, so row 4 is safe. The Flame Bots wait there charged, each beside a
    // Fixer Bot, with the Spider Bots webbing from behind. A Machine that no
    // flame covers gets one: a charged Flame Bot goes to the cell of its row
    // farthest ahead of it that the flame still reaches, burns it, and comes back.
    void Flame() {
        CPageGame& p = Page();
        if (p.m_Battle.State().m_iCarriedCard >= 0 || run->BattleFrame() % 5 != 0) return;
        std::vector<const CCom_GameRobot*> machines;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.x > -480.0f) machines.push_back(&r);
        std::sort(machines.begin(), machines.end(),
                  [](const CCom_GameRobot* a, const CCom_GameRobot* b) { return a->m_vPosition.x > b->m_vPosition.x; });
        auto isFlame = [](const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0 && r.Type() == 8; };
        auto ready = [](const CCom_GameRobot& r) {
            return r.m_iActionTimer >= r.m_Unit.m_iActionInterval && r.m_iCountdown == 0;
        };
        auto covers = [](const CCom_GameRobot& f, const CCom_GameRobot& m) {
            const float ahead = f.m_vPosition.x - m.m_vPosition.x;
            return f.m_iRow == m.m_iRow && ahead > 0.0f && ahead < 330.0f;
        };
        for (const CCom_GameRobot* m : machines) {
            bool covered = false;
            for (const CCom_GameRobot& f : p.m_Battle.State().m_lstRobots)
                covered = covered || (isFlame(f) && covers(f, *m) && (f.m_iCountdown > 0 || ready(f)));
            if (covered) continue;
            for (const CCom_GameRobot& f : p.m_Battle.State().m_lstRobots) {
                if (!isFlame(f) || !ready(f)) continue;
                bool busy = false;
                for (const CCom_GameRobot* other : machines) busy = busy || covers(f, *other);
                if (busy) continue;
                for (int column = FIELD_COLUMNS - 1; column >= 0; --column) {
                    const float ahead = Cell(column, m->m_iRow).x - m->m_vPosition.x;
                    if (ahead > 80.0f && ahead < 300.0f && MoveRobot(f, column, m->m_iRow)) return;
                }
            }
        }
        // Home cells in row 4 by type, in list order: flames beside the fixers.
        const int kHomes[][2] = {{8, 4}, {8, 6}, {22, 5}, {22, 7}, {16, 8}, {16, 3}};
        bool used[6] = {};
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0) continue;
            int home = -1;
            for (int k = 0; k < 6 && home < 0; ++k)
                if (!used[k] && kHomes[k][0] == r.Type()) home = k;
            if (home < 0) continue;
            used[home] = true;
            if (r.m_iRow == 4 && int(r.m_vCell.x) == kHomes[home][1]) continue;
            // A Flame Bot stays while it strikes and while its flame burns.
            if (r.m_iCountdown > 0 || r.m_iState == ROBOT_ATTACK || (r.Type() == 8 && r.m_iRow != 4 && ready(r)))
                continue;
            if (MoveRobot(r, kHomes[home][1], 4)) return;
        }
    }

    // Queues the drag of a robot to a cell that would take it.
    bool MoveRobot(const CCom_GameRobot& r, int column, int row) {
        CPageGame& p = Page();
        const VxVec3 to = Cell(column, row);
        Aim(to.x, to.y);
        if (p.m_Battle.PlacementCellAt(r.m_iUnitSlot, to, true) < 0) return false;
        queue.push_back({Action::PRESS, r.m_vPosition.x, r.m_vPosition.y});
        queue.push_back({Action::HOLD, to.x, to.y});
        queue.push_back({Action::RELEASE, to.x, to.y});
        return true;
    }

    // Builds from the hand: energy robots behind, anything else in the front lane.
    bool PlaceReadyCard(bool energyFirst) {
        CPageGame& p = Page();
        for (int pass = 0; pass < 2; ++pass)
            for (int s = 0; s < p.m_Battle.State().m_nHandSlots && s < DECK_SLOTS; ++s) {
                const UnitDefinition& d = p.m_Battle.State().m_aHandDefs[s];
                const int card = p.m_Battle.State().m_aHand[s].m_iCard;
                if (card < 0 || p.m_Battle.State().m_aHand[s].m_iCharge != d.m_iRechargeTime ||
                    p.m_Battle.State().m_iEnergy < d.m_iEnergyCost)
                    continue;
                const bool energy = card == 0 || card == 35;
                // Energy robots pay back only early on.
                if (energyFirst && (!energy || p.m_Battle.State().m_iEnergy >= 600)) continue;
                if (!energyFirst && pass == 1) continue;
                if (!energy && !FrontMachine()) continue;
                Tap(HandSlot(s).x, HandSlot(s).y);
                return true;
            }
        return false;
    }

    // ---- The slot machines that pay Mini-Mines ----

    bool ReelsHold(int card) {
        const std::vector<int>& codes = Page().m_Battle.State().m_aSlotReels[0].m_vecCodes;
        return std::find(codes.begin(), codes.end(), card) != codes.end();
    }

    // Where a live Machine on its way in will be in `frames` frames.
    static VxVec3 Ahead(const CCom_GameRobot& m, int frames) {
        const float speed = m.m_iState == ROBOT_MOVE ? m.m_Unit.m_fSpeed : 0.0f;
        return VxVec3{m.m_vPosition.x + speed * float(frames), m.m_vPosition.y, 0.0f};
    }

    std::vector<const CCom_GameRobot*> Incoming() {
        std::vector<const CCom_GameRobot*> machines;
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0 && r.Type() != 1032 && r.m_vPosition.x > -900.0f) machines.push_back(&r);
        return machines;
    }

    // Mines a lane still lacks: each Machine in it needs a blast for every 500
    // hit points it has, counted against the mines waiting ahead of it.
    int MineShortfall(int row) {
        int need = 0, have = 0;
        float front = -10000.0f;
        for (const CCom_GameRobot* m : Incoming())
            if (m->m_iRow == row) {
                need += (m->m_iHp + 499) / 500;
                front = std::max(front, m->m_vPosition.x);
            }
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            have += !r.IsMachine() && r.m_iHp > 0 && r.Type() == 6 && r.m_iRow == row && r.m_vPosition.x > front;
        return need + 1 - have;
    }

    bool Fits(int column, int row) {
        const VxVec3 at = Cell(column, row);
        Aim(at.x, at.y);
        return CarriedFitsAt(at);
    }

    // Queues the carried card's drop at a cell, or answers false when the
    // cell does not take it.
    bool DropAt(int column, int row) {
        if (!Fits(column, row)) return false;
        const VxVec3 at = Cell(column, row);
        for (int f = 0; f < 12; ++f) queue.push_back({Action::MOVE, at.x, at.y});
        Tap(at.x, at.y);
        return true;
    }

    // A Mini-Mine goes into the lane that lacks the most, on the first free
    // cell ahead of the lane's front Machine (from the left edge when none
    // walks it yet), so the mines behind it stay in reserve; with that lane
    // full, onto any free cell, right end first.
    bool PlaceMine() {
        int lane = -1, worst = -1000;
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const int shortfall = MineShortfall(row);
            if (shortfall > worst) worst = shortfall, lane = row;
        }
        float front = -10000.0f;
        for (const CCom_GameRobot* m : Incoming())
            if (m->m_iRow == lane) front = std::max(front, Ahead(*m, 40).x);
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            if (Cell(column, lane).x > front + 70.0f && DropAt(column, lane)) return true;
        for (int row = 0; row < FIELD_ROWS; ++row)
            for (int column = FIELD_COLUMNS - 1; column >= 0; --column)
                if (DropAt(column, row)) return true;
        return false;
    }

    // A Mini-Bomber or an Atomic Bot goes off where it catches the most
    // Machines as they will stand when it blasts, the nearest ones counting most.
    bool PlaceBlast(float halfWidth, float halfHeight) {
        const std::vector<const CCom_GameRobot*> machines = Incoming();
        int bestColumn = -1, bestRow = -1;
        float best = 0.0f;
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            for (int row = 0; row < FIELD_ROWS; ++row) {
                const VxVec3 c = Cell(column, row);
                float score = 0.0f;
                for (const CCom_GameRobot* m : machines) {
                    const VxVec3 at = Ahead(*m, 90);
                    if (std::fabs(at.x - c.x) < halfWidth && std::fabs(at.y - c.y) < halfHeight)
                        score += 2.0f + (at.x + 600.0f) / 300.0f;
                }
                if (score > best && Fits(column, row)) best = score, bestColumn = column, bestRow = row;
            }
        return bestColumn >= 0 && DropAt(bestColumn, bestRow);
    }

    // The card the reels are timed for: an Atomic Bot when a Machine comes
    // that mines cannot stop, a Mini-Bomber for fliers that no mine reaches,
    // else Mini-Mines for the lanes.
    int MineSlotsWanted() {
        int big = 0, fliers = 0;
        for (const CCom_GameRobot* m : Incoming()) {
            big += m->m_iHp > 500;
            fliers += m->m_Unit.m_iTerrain == TERRAIN_AIR && m->m_vPosition.x > -500.0f;
        }
        if (ReelsHold(26) && big > 0) return 26;
        if (fliers > 0 && (run->BattleFrame() / 400) % 2 == 0) return 14;
        return 6;
    }

    void PlayMineSlots() {
        CPageGame& p = Page();
        if (p.m_Battle.State().m_iCarriedCard >= 0 && p.m_Battle.State().m_iRelocatingRobot == -1) {
            const int card = p.m_Battle.State().m_aHand[p.m_Battle.State().m_iCarriedCard].m_iCard;
            bool placed = true;
            if (card == 6) placed = PlaceMine();
            else if (card == 14) placed = PlaceBlast(128.0f, 121.0f);
            else if (card == 26) placed = PlaceBlast(1710.0f, 1615.0f);
            else PlaceCarried();
            // Nothing to strike yet: the card is held a moment.
            if (!placed) queue.push_back({Action::MOVE, 0.0f, 0.0f});
            return;
        }
        if (TapItem(true, false)) return;
        TimeReel(MineSlotsWanted());
    }

    // ---- The final stages' boss fight ----

    // From this column on the boss's lunge reaches no robot.
    static constexpr int kSafeColumn = 6;

    // The cells the boss's hands have marked and not yet grabbed.
    bool Marked(int column, int row) {
        for (const BossHandStrike& s : Page().m_Battle.State().m_aBossHands)
            if (s.live && s.column == column && s.row == row) return true;
        return false;
    }

    // The heights of the boss's beams: those in flight and the one it is
    // winding up (it fires when its countdown reaches 180).
    std::vector<float> Beams() {
        CPageGame& p = Page();
        std::vector<float> ys;
        for (const CCom_GameBullet& b : p.m_Battle.State().m_lstBullets)
            if (b.m_iBulletKind == WeaponId::DestroyerVolley && b.m_iAge < b.m_iLifetime) ys.push_back(b.m_vPosition.y);
        const CCom_GameRobot* boss = p.m_Battle.State().m_pMiniGameBoss;
        // Wound up only shortly before it fires, so the lanes empty late.
        if (boss && boss->m_iHp > 0 && boss->m_iCountdown > 180 && boss->m_iCountdown <= 240) {
            const float phase = float(boss->m_iPhase + boss->m_iCountdown - 180);
            const float deg = 0.017453292f;
            const float y =
                boss->m_iBossTimer == 1 ? 140.0f * std::sin(0.5f * phase * deg) + 30.0f : boss->m_vPosition.y;
            ys.push_back(y + 40.0f + 20.0f * std::sin(phase * deg));
        }
        return ys;
    }

    // A cell a hand has marked or a beam sweeps (its blast reaches about a
    // lane and a quarter either side of its line).
    bool Threatened(int column, int row, const std::vector<float>& beams) {
        if (Marked(column, row)) return true;
        const float y = Cell(column, row).y;
        for (float b : beams)
            if (std::fabs(y - b) < 108.0f) return true;
        return false;
    }

    // Live shooters of ours in a lane.
    int Shooters(int row) {
        int n = 0;
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            n += !r.IsMachine() && r.m_iHp > 0 && r.m_iRow == row && r.m_Unit.m_iRole == ROLE_ATTACK;
        return n;
    }

    // The rightmost x a Machine other than the boss has reached in a lane
    // (-10000 with none on screen).
    float MachineFront(int row) {
        float front = -10000.0f;
        for (const CCom_GameRobot& m : Page().m_Battle.State().m_lstRobots)
            if (m.IsMachine() && m.m_iHp > 0 && m.m_iRow == row && m.Type() != 1028 && m.Type() != 1031 &&
                m.m_vPosition.x > -430.0f)
                front = std::max(front, m.m_vPosition.x);
        return front;
    }

    // Places the carried card: a weapon card on its base, any other robot on
    // an unmarked cell right of the lunge, in the lane with the fewest
    // shooters, a lane with Machines on screen first.
    void PlaceOnBossField() {
        CPageGame& p = Page();
        const int card = p.m_Battle.State().m_aHand[p.m_Battle.State().m_iCarriedCard].m_iCard;
        int best = -1, bestColumn = 0, bestRow = 0;
        for (int column = FIELD_COLUMNS - 1; column >= kSafeColumn; --column)
            for (int row = 0; row < FIELD_ROWS; ++row) {
                const VxVec3 at = Cell(column, row);
                Aim(at.x, at.y);
                if (!CarriedFitsAt(at)) continue;
                int score = 1;  // a weapon card fits its base only
                if (card != 37 && card != 38)
                    score = Marked(column, row) ? 0 : 100 - 10 * Shooters(row) + (MachineFront(row) > -430.0f ? 15 : 0);
                if (score > best) best = score, bestColumn = column, bestRow = row;
            }
        if (best < 0) {
            queue.push_back({Action::CANCEL, 0.0f, 0.0f});
            return;
        }
        const VxVec3 at = Cell(bestColumn, bestRow);
        for (int f = 0; f < 12; ++f) queue.push_back({Action::MOVE, at.x, at.y});
        Tap(at.x, at.y);
    }

    // Steps a robot out of a hand's or a beam's way, or back right of the lunge.
    bool Dodge() {
        const std::vector<float> beams = Beams();
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0 || r.m_iSmokeTimer > 0 || r.m_Unit.m_iRole == ROLE_ONESHOT) continue;
            const int column = int(r.m_vCell.x), row = r.m_iRow;
            const bool threatened = Threatened(column, row, beams);
            if (!threatened && (column >= kSafeColumn || !beams.empty())) continue;
            // Nearest lane first, right of the lunge first.
            for (int from : {kSafeColumn, 0})
                for (int dr : {0, 1, -1, 2, -2, 3, -3, 4, -4}) {
                    const int to = row + dr;
                    if (to < 0 || to >= FIELD_ROWS) continue;
                    for (int c = FIELD_COLUMNS - 1; c >= from; --c)
                        if ((c != column || to != row) && !Threatened(c, to, beams) && MoveRobot(r, c, to)) return true;
                }
        }
        return false;
    }

    // A lane a Machine walks gets a shooter when it has none, or when a
    // Machine has come close and it has one; the shooter comes from the
    // quiet lane with the most to spare.
    bool Cover() {
        CPageGame& p = Page();
        if (!Beams().empty()) return false;
        int lane = -1, urgency = 0;
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const float front = MachineFront(row);
            const int shooters = Shooters(row);
            const int u = front < -430.0f ? 0 : shooters == 0 ? 2 : front > 100.0f && shooters < 2 ? 1 : 0;
            if (u > urgency) lane = row, urgency = u;
        }
        if (lane < 0) return false;
        const CCom_GameRobot* spare = nullptr;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0 || r.m_iSmokeTimer > 0 || r.m_Unit.m_iRole != ROLE_ATTACK) continue;
            const int row = r.m_iRow;
            if (row == lane || Shooters(row) < 2 || (urgency < 2 && MachineFront(row) > 100.0f)) continue;
            if (!spare || Shooters(row) > Shooters(spare->m_iRow)) spare = &r;
        }
        if (!spare) return false;
        for (int c = FIELD_COLUMNS - 1; c >= kSafeColumn; --c)
            if (!Marked(c, lane) && MoveRobot(*spare, c, lane)) return true;
        return false;
    }

    void FightBoss() {
        CPageGame& p = Page();
        if (Dodge() || Cover()) return;
        if (p.m_Battle.State().m_iCarriedCard >= 0 && p.m_Battle.State().m_iRelocatingRobot == -1) {
            PlaceOnBossField();
            return;
        }
        TapItem(true, false);
    }

    void Decide(Player player) {
        CPageGame& p = Page();
        const int stage = run->App().m_iCurrentStage;
        if (player == PASSIVE) return;
        if (player == BOSS) {
            FightBoss();
            return;
        }
        if (player == SLOTS && ReelsHold(6)) {
            PlayMineSlots();
            return;
        }
        if (p.m_Battle.State().m_iCarriedCard >= 0 && p.m_Battle.State().m_iRelocatingRobot == -1) {
            if (player == REELS) PlaceInLane();
            else if (player == RESCUE) PlaceCapsuleCard();
            else PlaceCarried();
            return;
        }
        switch (player) {
        case RELOCATE:
            if (!TapItem(true, false) && !PlaceReadyCard(false)) Relocate();
            break;
        case ENERGY:
            if (!TapItem(false, true)) PlaceReadyCard(true);
            break;
        case SLOTS:
            if (TapItem(true, false)) break;
            if (p.m_Battle.State().m_iSlotLeverCooldown == 0 && run->BattleFrame() % 7 == 0 && p.m_pSlotStopButton) {
                for (const SlotReel& reel : p.m_Battle.State().m_aSlotReels)
                    if (reel.m_bRunning) {
                        const VxVec3 lever = p.m_pSlotStopButton->m_vPosition;
                        Tap(lever.x, lever.y);
                        break;
                    }
            }
            break;
        case REELS: {
            if (TapItem(true, false)) break;
            bool spinning = false;
            for (const SlotReel& reel : p.m_Battle.State().m_aSlotReels) spinning = spinning || reel.m_bRunning;
            if (spinning && !wasSpinning) ++spins;
            wasSpinning = spinning;
            const std::vector<int> wanted = WantedCards(stage);
            TimeReel(wanted[size_t(spins) % wanted.size()]);
            break;
        }
        case CHARGE: {
            const int frames =
                p.m_Battle.State().m_iChargePhase == 0 && p.m_Battle.State().m_iChargeFrames == 0 ? AimCharge() : 0;
            if (frames == 0) break;
            queue.push_back({Action::PRESS, 0.0f, 0.0f});
            for (int f = 1; f < frames; ++f) queue.push_back({Action::HOLD, 0.0f, 0.0f});
            queue.push_back({Action::RELEASE, 0.0f, 0.0f});
            break;
        }
        case RESCUE:
            if (!TapItem(true, false)) Rescue();
            break;
        case FLAME: Flame(); break;
        case ZAP: {
            const CCom_GameRobot* zapper = p.m_Battle.State().m_apMiniGameRobots[0];
            if (!zapper || MiniGameChargeRatio(p.m_Battle, *zapper) < 1.0f) break;
            for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots)
                if (r.IsMachine() && r.m_iHp > 0 && std::fabs(r.m_vPosition.x) < 420.0f &&
                    MachineBlinks(r, int(run->App().m_nFrame))) {
                    Tap(r.m_vPosition.x, r.m_vPosition.y);
                    break;
                }
            break;
        }
        default: break;
        }
    }

    std::deque<Action> queue;
    int spins = 0;
    bool wasSpinning = false;
};
