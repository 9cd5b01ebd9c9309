#include "content/MiniGameTable.h"

#include <array>
#include <iterator>

#include "content/UnitIds.h"

namespace {

constexpr int kFirst = 151;
constexpr int kCount = 30;

constexpr unsigned kCard = START_BY_CARD;
constexpr unsigned kHold = START_HOLD_FIRE;

// Tables keep one row a line, 151 first.
// clang-format off

// The slot machines (159, 165, 169, 176, 178) deal their hand from the reels.
const MiniGameHand kHands[] = {
    /* 151 */ {{0}, 1, -1},
    /* 152 */ {{1}, 1, -1},
    /* 153 */ {{9}, 1, -1},
    /* 154 */ {{4}, 1, -1},
    /* 155 */ {{0, 15}, 2, 15},
    /* 156 */ {{15}, 1, 15},
    /* 157 */ {{21}, 1, -1},
    /* 158 */ {{19, 22, 24, 20, 14, 23, 21}, 7, -1},
    /* 159 */ {},
    /* 160 */ {{1, 5, 3, 12, 18, 24, 30}, 7, -1},
    /* 161 */ {{6, 1, 2, 5}, 4, -1},
    /* 162 */ {{1, 37}, 2, -1},
    /* 163 */ {{7, 2, 4}, 3, 7},
    /* 164 */ {{2, 38}, 2, -1},
    /* 165 */ {},
    /* 166 */ {{15}, 1, 15},
    /* 167 */ {{21, 4, 7, 11, 29}, 5, -1},
    /* 168 */ {{30}, 1, -1},
    /* 169 */ {},
    /* 170 */ {{25, 9, 28, 12, 24, 8, 30}, 7, -1},
    /* 171 */ {{1, 37, 26, 5, 24, 28}, 6, -1},
    /* 172 */ {{0, 35, 6, 14}, 4, -1},
    /* 173 */ {{8, 16, 22}, 3, -1},
    /* 174 */ {{28}, 1, -1},
    /* 175 */ {{31}, 1, -1},
    /* 176 */ {},
    // Only the first is dealt; the other five ride the paratroopers.
    /* 177 */ {{14, 18, 19, 24, 30, 23}, 1, -1},
    /* 178 */ {},
    /* 179 */ {{2, 38}, 2, -1},
    /* 180 */ {{2, 1, 18, 9, 30, 38, 37}, 7, -1},
};

const std::vector<int> kReels[] = {
    /* 151 */ {}, {}, {}, {}, {}, {}, {}, {},
    /* 159 */ {6, 6, 6, 6, 14, 14, 14, 20, 20},
    /* 160 */ {}, {}, {}, {}, {},
    /* 165 */ {12, 12, 13, 13, 17, 17, 18, 18, 18, 18},
    /* 166 */ {}, {}, {},
    /* 169 */ {3, 3, 3, 8, 8, 9, 9, 5, 5, 5},
    /* 170 */ {}, {}, {}, {}, {}, {},
    /* 176 */ {6, 6, 6, 6, 14, 14, 14, 20, 20, 26, 26},
    /* 177 */ {},
    /* 178 */ {10, 10, 10, 29, 29, 29, 25, 25, 25, 18, 18},
    /* 179 */ {}, {},
};

// Column, hand slot (or card), row, controlled place, rules, interval frames, interval share.
const std::vector<StartRobot> kFinalBases = {{8, 1, 2}, {9, 0, 1}, {9, 1, 2}, {9, 0, 3}};
const std::vector<StartRobot> kDuelist = {{8, 0, 2, 0}};
const std::vector<StartRobot> kStartRobots[] = {
    /* 151 */ {},
    /* 152 */ {{8, 0, 2, 0, kHold}},
    /* 153 */ {{9, 0, 2}, {9, 0, 3}, {9, 0, 4}},
    /* 154 */ {{9, 0, 2}},
    /* 155 */ {{2, 0, 3}, {4, 0, 1}, {7, 0, 2}, {4, 1, 2, -1, 0, 35}},
    /* 156 */ kDuelist,
    /* 157 */ {{9, 0, 4}},
    // The Mariner Bot starts hurt and must be mended before the walk.
    /* 158 */ {{8, 24, 1, -1, kCard}, {9, 22, 2, -1, kCard | START_FULL_TIMER, 0, 0.5}, {8, 19, 3, -1, kCard},
               {4, 21, 4, -1, kCard | START_HURT}},
    /* 159 */ {},
    /* 160 */ kFinalBases,
    /* 161 */ {},
    /* 162 */ {{8, 0, 2, 0, kHold}},
    /* 163 */ {{8, 0, 2, 0, 0, 0, 0.75}},
    /* 164 */ {{8, 0, 3, 0, kHold}},
    /* 165 */ {},
    /* 166 */ kDuelist,
    /* 167 */ {{8, 0, 2}},
    /* 168 */ {{8, 0, 0, 0, kHold}},
    /* 169 */ {},
    /* 170 */ kFinalBases,
    /* 171 */ kDuelist,
    /* 172 */ {{2, 0, 3, -1, kCard}, {5, 35, 3, -1, kCard}, {8, 0, 3, 0, kCard}},
    /* 173 */ {{9, 1, 2}, {9, 0, 3}, {9, 2, 4}, {8, 1, 2}, {8, 0, 3}, {8, 2, 4}},
    /* 174 */ kDuelist,
    /* 175 */ {},
    /* 176 */ {},
    /* 177 */ {},
    /* 178 */ {},
    /* 179 */ {{8, 0, 3, 0, kHold}, {8, 0, 2, 1, kHold}, {8, 0, 1, 2, kHold}},
    /* 180 */ kFinalBases,
};

// Charge share (slot 0, other slots), backdrop scroll step; 167's scroll follows its climb.
struct ChargeAndScroll {
    float chargeSlot0, charge, scroll;
};
constexpr ChargeAndScroll kChargeAndScroll[] = {
    /* 151 */ {1.0f,   1.0f,   0.0f},
    /* 152 */ {0.2f,   0.2f,   0.0f},
    /* 153 */ {1.0f,   1.0f,   0.0f},
    /* 154 */ {0.6f,   0.6f,   2.2f},
    /* 155 */ {0.5f,   0.5f,   0.0f},
    /* 156 */ {0.385f, 0.385f, 15.0f},
    /* 157 */ {0.75f,  0.75f,  10.0f},
    /* 158 */ {1.0f,   1.0f,   0.0f},
    /* 159 */ {1.0f,   1.0f,   0.0f},
    /* 160 */ {1.0f,   1.0f,   20.0f},
    /* 161 */ {1.0f,   1.0f,   0.0f},
    /* 162 */ {0.2f,   0.5f,   0.0f},
    /* 163 */ {0.6f,   0.6f,   -1.0f},
    /* 164 */ {1.0f,   1.0f,   0.0f},
    /* 165 */ {1.0f,   1.0f,   0.0f},
    /* 166 */ {0.385f, 0.385f, 15.0f},
    /* 167 */ {1.0f,   1.0f,   0.0f},
    /* 168 */ {0.2f,   0.2f,   0.0f},
    /* 169 */ {1.0f,   1.0f,   0.0f},
    /* 170 */ {1.0f,   1.0f,   20.0f},
    /* 171 */ {0.5f,   0.5f,   100.0f},
    /* 172 */ {1.0f,   1.0f,   0.0f},
    /* 173 */ {1.0f,   1.0f,   0.0f},
    /* 174 */ {0.3f,   0.3f,   50.0f},
    /* 175 */ {1.0f,   1.0f,   0.0f},
    /* 176 */ {1.0f,   1.0f,   0.0f},
    /* 177 */ {1.0f,   1.0f,   0.0f},
    /* 178 */ {1.0f,   1.0f,   0.0f},
    /* 179 */ {1.0f,   1.0f,   0.0f},
    /* 180 */ {1.0f,   1.0f,   20.0f},
};

// Pace (speed, spared type, speed steps, Machine interval) and duel boss (type, interval, hit points).
struct PaceAndBoss {
    int stage;
    MiniGamePace pace;
    DuelBoss boss;
};
const PaceAndBoss kPaceAndBoss[] = {
    {155, {2.0f,  MachineId::Rocket,      0, 1.0}, {}},
    {156, {0.7f,  MachineId::KillerWhale, 0, 1.5}, {MachineId::KillerWhale, 0.5,  1.5}},
    {163, {},                                      {MachineId::Giant,       0.5,  1.0}},
    {166, {0.7f,  MachineId::FrostOrca,   0, 1.5}, {MachineId::FrostOrca,   1.5,  0.85}},
    {171, {3.0f,  -1,                     0, 1.0}, {MachineId::Destroyer,   0.25, 1.0}},
    {174, {1.25f, MachineId::FrostOrca,   0, 1.5}, {MachineId::FrostOrca,   1.25, 1.0}},
    {179, {2.0f,  -1,                     4, 1.0}, {}},
};

// The episodes' final stages.
const struct {
    int stage;
    CapsuleBands capsules;
} kFinalCapsules[] = {
    {160, {{35, 60, 80},     5,  false}},
    {170, {{25, 45, 65, 85}, 5,  false}},
    {180, {{20, 40, 60},     10, true}},
};
// clang-format on

static_assert(std::size(kHands) == kCount && std::size(kReels) == kCount && std::size(kStartRobots) == kCount &&
                  std::size(kChargeAndScroll) == kCount,
              "one row a mini-game");

std::array<MiniGameRow, kCount> BuildRows() {
    std::array<MiniGameRow, kCount> rows;
    for (int i = 0; i < kCount; ++i) {
        MiniGameRow& row = rows[size_t(i)];
        row.kind = KindOf(kFirst + i);
        row.mode = ModeOf(kFirst + i);
        row.hand = kHands[i];
        row.reels = kReels[i];
        row.start = kStartRobots[i];
        row.chargeSlot0 = kChargeAndScroll[i].chargeSlot0;
        row.charge = kChargeAndScroll[i].charge;
        row.scroll = kChargeAndScroll[i].scroll;
    }
    for (const PaceAndBoss& p : kPaceAndBoss) {
        rows[size_t(p.stage - kFirst)].pace = p.pace;
        rows[size_t(p.stage - kFirst)].boss = p.boss;
    }
    for (const auto& f : kFinalCapsules) rows[size_t(f.stage - kFirst)].capsules = f.capsules;
    return rows;
}

}  // namespace

const MiniGameRow& MiniGameRowOf(int stage) {
    static const std::array<MiniGameRow, kCount> rows = BuildRows();
    static const MiniGameRow none;
    const int i = stage - kFirst;
    return i >= 0 && i < kCount ? rows[size_t(i)] : none;
}
