// The thirty mini-games: their Machine mixes, their timing by difficulty and
// their rule switches. These replace what the ordinary formulas gave.
#include <iterator>

#include "content/StageMixTable.h"
#include "content/StageNumbering.h"

// Tables keep one row a line.
// clang-format off

namespace {

// Each table below has one row a mini-game, 151 first.
constexpr size_t kMiniGames = LAST_STAGE - FIRST_MINI_GAME_STAGE + 1;

// Values for difficulty 0, 1 and 2.
struct ByDifficulty {
    int v[3];
};

struct MiniGameTiming {
    ByDifficulty length, streamStart, waveStart, streamInterval, waveInterval, waveSize;
    int waveSizeStep;
    ByDifficulty waveSizeCap;
};

struct MiniGameRules {
    bool cardCharge, removerCard, attacks, schedule, life, energy, edgeTiles;
    int background, groundRow;
};

constexpr ByDifficulty All(int v) { return {{v, v, v}}; }
constexpr ByDifficulty By(int d0, int d1, int d2) { return {{d0, d1, d2}}; }
constexpr ByDifficulty kCap = {{11, 15, 20}};

// Stage 151 takes its wave start and interval from its length (below).
const MiniGameTiming kTiming[] = {
    //        length              stream start       wave start         stream int.        wave int.          wave size      step cap
    /* 151 */ {All(120),          All(10000),        All(0),            All(10),           All(0),            All(4),        2, kCap},
    /* 152 */ {All(120),          All(1),            By(15, 15, 12),    By(5, 4, 4),       By(17, 15, 13),    By(4, 5, 6),   1, kCap},
    /* 153 */ {All(120),          All(1),            By(30, 25, 20),    By(20, 15, 10),    By(40, 35, 30),    All(2),        1, kCap},
    /* 154 */ {All(120),          All(1),            All(10),           By(10, 7, 6),      By(30, 24, 20),    By(2, 3, 4),   1, kCap},
    /* 155 */ {All(120),          By(3, 2, 3),       By(40, 100, 40),   By(12, 6, 8),      By(40, 120, 40),   By(2, 1, 2),   0, kCap},
    /* 156 */ {All(180),          All(1000),         All(40),           By(20, 15, 10),    By(45, 45, 25),    All(2),        0, kCap},
    /* 157 */ {All(120),          All(1),            By(30, 30, 25),    By(7, 5, 3),       By(30, 30, 25),    All(3),        2, kCap},
    /* 158 */ {All(180),          All(1),            All(45),           By(2, 2, 3),       By(45, 45, 14),    All(3),        1, kCap},
    /* 159 */ {All(120),          By(15, 10, 10),    By(60, 60, 55),    By(8, 6, 4),       By(45, 40, 35),    All(2),        2, kCap},
    /* 160 */ {All(720),          All(1),            All(30),           By(5, 4, 3),       By(50, 60, 45),    All(5),        0, kCap},
    /* 161 */ {All(120),          All(1),            By(15, 15, 12),    By(7, 6, 5),       By(17, 15, 13),    By(4, 5, 6),   1, kCap},
    /* 162 */ {All(120),          All(1),            All(15),           By(7, 6, 5),       By(20, 18, 17),    By(4, 4, 5),   1, kCap},
    /* 163 */ {All(180),          All(1),            All(30),           By(8, 7, 6),       By(17, 16, 15),    All(3),        0, kCap},
    /* 164 */ {All(120),          All(1),            By(30, 25, 20),    By(12, 10, 8),     By(30, 25, 25),    All(2),        1, kCap},
    /* 165 */ {All(120),          All(1),            All(30),           By(5, 4, 4),       By(30, 25, 25),    By(2, 3, 4),   1, kCap},
    /* 166 */ {All(180),          All(1),            All(40),           By(17, 15, 13),    By(35, 45, 25),    All(2),        1, kCap},
    /* 167 */ {By(75, 90, 120),   All(1),            All(5),            All(1),            By(35, 30, 25),    All(2),        1, kCap},
    /* 168 */ {All(120),          All(1),            By(20, 15, 10),    By(12, 10, 8),     By(30, 25, 25),    All(3),        0, kCap},
    /* 169 */ {All(180),          By(40, 35, 30),    By(60, 55, 45),    By(10, 8, 7),      By(30, 27, 25),    All(2),        1, kCap},
    /* 170 */ {All(720),          All(1),            All(30),           By(5, 4, 3),       By(50, 60, 45),    All(5),        0, kCap},
    /* 171 */ {All(180),          All(1),            All(15),           By(4, 3, 2),       By(25, 20, 18),    All(3),        1, kCap},
    /* 172 */ {All(300),          All(1),            All(60),           By(17, 15, 10),    By(50, 45, 40),    All(2),        0, kCap},
    /* 173 */ {All(120),          All(1),            All(30),           By(5, 4, 3),       By(50, 45, 45),    All(3),        0, kCap},
    /* 174 */ {All(180),          All(1),            All(30),           By(17, 10, 13),    By(35, 30, 25),    All(4),        0, kCap},
    /* 175 */ {All(120),          All(1),            By(40, 30, 25),    By(7, 6, 5),       By(40, 30, 25),    By(3, 4, 5),   1, kCap},
    /* 176 */ {All(120),          All(15),           All(60),           All(5),            All(40),           All(2),        2, kCap},
    /* 177 */ {All(120),          All(1),            All(10000),        By(20, 15, 10),    By(35, 30, 25),    All(3),        0, kCap},
    /* 178 */ {All(120),          All(10),           All(60),           All(15),           All(30),           All(3),        1, kCap},
    /* 179 */ {All(120),          All(1),            By(45, 40, 35),    By(12, 10, 10),    By(35, 35, 30),    All(2),        0, kCap},
    /* 180 */ {All(720),          All(1),            All(30),           By(5, 4, 3),       By(50, 60, 45),    All(3),        1, All(10)},
};

constexpr bool Y = true;
constexpr bool N = false;

const MiniGameRules kRules[] = {
    //        charge remover attacks schedule life energy edges background row
    /* 151 */ {N, Y, Y, N, N, N, Y, 112,  3},
    /* 152 */ {N, N, Y, Y, Y, N, Y, 110, -1},
    /* 153 */ {N, N, Y, Y, Y, N, Y, 209, -1},
    /* 154 */ {N, N, Y, Y, Y, N, Y, 212, -1},
    /* 155 */ {N, N, Y, Y, N, N, Y, 309, -1},
    /* 156 */ {N, N, Y, Y, Y, N, N, 312, -1},
    /* 157 */ {N, N, Y, Y, N, N, Y, 412, -1},
    /* 158 */ {N, N, Y, Y, Y, N, Y, 412, -1},
    /* 159 */ {Y, N, Y, Y, Y, N, Y,  -1, -1},
    /* 160 */ {N, N, Y, Y, Y, N, N, 612, -1},
    /* 161 */ {N, Y, Y, Y, Y, N, Y, 110, -1},
    /* 162 */ {N, N, Y, Y, Y, N, Y, 110, -1},
    /* 163 */ {N, N, Y, Y, N, N, Y, 212, -1},
    /* 164 */ {N, N, Y, Y, Y, N, Y, 202, -1},
    /* 165 */ {N, Y, Y, Y, Y, N, Y, 308, -1},
    /* 166 */ {N, N, Y, Y, Y, N, N, 312, -1},
    /* 167 */ {N, N, N, Y, N, N, Y, 412, -1},
    /* 168 */ {N, N, Y, Y, Y, N, Y, 402, -1},
    /* 169 */ {N, Y, Y, Y, Y, N, Y, 502,  3},
    /* 170 */ {N, N, Y, Y, Y, N, N, 612, -1},
    /* 171 */ {N, N, Y, Y, Y, N, N, 112, -1},
    /* 172 */ {Y, N, Y, Y, N, Y, Y, 109, -1},
    /* 173 */ {N, N, Y, Y, Y, N, Y, 205, -1},
    /* 174 */ {N, N, Y, Y, Y, N, N, 212, -1},
    /* 175 */ {Y, N, Y, Y, Y, N, Y, 306, -1},
    /* 176 */ {Y, N, Y, Y, Y, N, Y,  -1, -1},
    /* 177 */ {Y, N, N, Y, N, N, N, 412, -1},
    /* 178 */ {N, Y, Y, Y, Y, N, Y, 407, -1},
    /* 179 */ {N, N, Y, Y, Y, N, Y, 507, -1},
    /* 180 */ {N, N, Y, Y, Y, N, N, 612, -1},
};

// Mixes; 153 and 154 have one per difficulty (below), so their rows here stay empty.
const StageMix kMixes[] = {
    /* 151 */ {{1002, 10.0f, 0.0f, 1.0f, 0.0f}, {0, 0.0f, 1.0f, 0.0f, 0.0f}},
    /* 152 */ {{1001, 6.0f, 1.0f, 3.0f, 1.0f}, {1003, 1.0f, 0.8f, 1.0f, 0.5f}, {1000, 1.0f, 0.25f, 0.0f, 0.25f},
               {1002, 0.0f, 0.15f, 0.0f, 0.0f}, {1005, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 153 */ {},
    /* 154 */ {},
    /* 155 */ {{1011, 1.0f, 0.0f, 4.0f, 1.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 156 */ {{1011, 1.0f, 0.0f, 1.0f, 0.0f}, {1012, 0.0f, 0.2f, 1.0f, 0.0f}, {1013, 1.0f, 0.2f, 1.0f, 0.0f},
               {1015, 0.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 157 */ {{1001, 0.0f, 0.0f, 2.0f, 0.0f}, {1003, 2.0f, 0.0f, 1.0f, 1.0f}, {1016, 1.0f, 0.0f, 1.0f, 0.0f},
               {1009, 3.0f, 0.0f, 1.0f, 1.0f}, {1018, 0.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 158 */ {{1001, 7.0f, 0.0f, 3.0f, 0.0f}, {1003, 1.0f, 1.0f, 1.0f, 1.0f}, {1009, 0.0f, 0.0f, 1.0f, 0.0f},
               {1016, 1.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 159 */ {{1022, 0.0f, 0.0f, 3.0f, 0.0f}, {1017, 1.0f, 1.0f, 2.0f, 1.0f}, {1023, 1.0f, 1.0f, 0.0f, 1.0f},
               {1021, 1.0f, 1.0f, 0.0f, 1.0f}, {1005, 0.0f, 0.5f, 0.0f, 0.5f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 160 */ {{1001, 2.0f, 0.0f, 2.0f, 0.0f}, {1003, 5.0f, 1.0f, 5.0f, 1.0f}, {1009, 0.0f, 1.0f, 0.0f, 0.0f},
               {1003, 0.0f, 1.0f, 0.0f, 0.0f}, {1020, 0.0f, 0.5f, 0.0f, 0.0f}, {1025, 0.0f, 0.0f, 1.0f, 0.0f},
               {1032, 0.0f, 0.0f, 0.0f, 0.0f}, {1028, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 161 */ {{1001, 6.0f, 1.0f, 3.0f, 1.0f}, {1003, 1.0f, 0.8f, 1.0f, 0.5f}, {1000, 1.0f, 0.5f, 0.0f, 0.25f},
               {1002, 0.0f, 0.35f, 0.0f, 0.0f}, {1005, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 162 */ {{1001, 5.0f, 1.0f, 1.0f, 1.0f}, {1003, 1.0f, 0.5f, 1.0f, 1.0f}, {1000, 1.0f, 0.5f, 1.0f, 1.0f},
               {1004, 0.0f, 0.5f, 0.0f, 1.0f}, {1002, 0.0f, 1.0f, 0.0f, 1.0f}, {1005, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 163 */ {{1001, 5.0f, 0.0f, 5.0f, 0.0f}, {1003, 0.0f, 1.0f, 0.0f, 1.0f}, {1024, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 164 */ {{1001, 2.0f, 0.75f, 1.0f, 0.0f}, {1000, 1.0f, 0.4f, 1.0f, 0.0f}, {1002, 1.0f, 0.0f, 1.0f, 0.0f},
               {1003, 1.0f, 0.0f, 0.0f, 1.0f}, {1009, 0.0f, 0.5f, 0.0f, 0.0f}, {1024, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 165 */ {{1011, 5.0f, 0.0f, 5.0f, 0.5f}, {1012, 0.0f, 1.0f, 0.0f, 1.0f}, {1013, 0.0f, 1.0f, 0.0f, 1.0f},
               {1015, 0.0f, 1.0f, 0.0f, 1.0f}, {1032, 0.0f, 0.5f, 0.0f, 0.5f}},
    /* 166 */ {{1011, 1.0f, 0.0f, 1.0f, 0.0f}, {1012, 0.0f, 0.2f, 1.0f, 0.0f}, {1013, 1.0f, 0.2f, 1.0f, 0.0f},
               {1027, 0.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 167 */ {{1003, 10.0f, 0.0f, 1.0f, 1.0f}, {1009, 0.0f, 1.0f, 0.0f, 0.2f}},
    /* 168 */ {{1000, 2.0f, 0.75f, 1.0f, 0.0f}, {1002, 1.0f, 0.4f, 1.0f, 0.0f}, {1016, 1.0f, 0.0f, 0.0f, 0.0f},
               {1004, 1.0f, 0.0f, 0.0f, 1.0f}, {1005, 0.0f, 0.5f, 0.0f, 0.0f}, {1018, 0.0f, 0.4f, 0.0f, 0.0f},
               {1024, 0.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 169 */ {{1000, 1.0f, 0.0f, 1.0f, 0.0f}, {1004, 2.0f, 0.0f, 2.0f, 0.0f}, {1008, 1.0f, 0.0f, 1.0f, 0.0f},
               {1002, 0.0f, 0.0f, 0.0f, 0.0f}, {1023, 0.0f, 0.0f, 0.0f, 0.0f}, {1021, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 170 */ {{1001, 2.0f, 0.0f, 2.0f, 0.0f}, {1003, 5.0f, 1.0f, 5.0f, 1.0f}, {1009, 0.0f, 1.0f, 0.0f, 0.0f},
               {1000, 0.0f, 0.5f, 0.0f, 0.0f}, {1004, 0.0f, 0.5f, 0.0f, 0.0f}, {1025, 0.0f, 0.0f, 1.0f, 0.0f},
               {1023, 0.0f, 0.1f, 0.0f, 0.0f}, {1028, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 171 */ {{1003, 2.0f, 0.0f, 5.0f, 0.0f}, {1009, 2.0f, 0.0f, 2.0f, 0.0f}, {1000, 0.0f, 1.0f, 0.0f, 1.0f},
               {1000, 0.0f, 0.5f, 0.0f, 1.0f}, {1004, 0.0f, 0.5f, 0.0f, 0.5f}, {1002, 0.0f, 0.5f, 0.0f, 0.5f},
               {1025, 0.0f, 0.0f, 1.0f, 0.0f}, {1028, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 172 */ {{1025, 5.0f, 0.0f, 5.0f, 0.0f}},
    /* 173 */ {{1001, 2.0f, 0.0f, 2.0f, 0.0f}, {1003, 5.0f, 1.0f, 5.0f, 1.0f}, {1009, 0.0f, 0.0f, 0.0f, 0.0f},
               {0, 0.0f, 0.0f, 1.0f, 0.0f}},
    /* 174 */ {{1001, 1.0f, 0.0f, 5.0f, 0.0f}, {1003, 1.0f, 0.0f, 0.0f, 1.0f}, {1009, 1.0f, 0.0f, 0.0f, 1.0f},
               {1017, 0.0f, 0.5f, 0.0f, 0.0f}, {1003, 0.0f, 0.5f, 0.0f, 0.0f}, {1027, 0.0f, 0.0f, 0.0f, 0.0f},
               {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 175 */ {{1014, 10.0f, 0.0f, 1.0f, 0.0f}},
    /* 176 */ {{1011, 1.0f, 0.5f, 3.0f, 1.0f}, {1012, 1.0f, 0.5f, 2.0f, 1.0f}, {1013, 0.0f, 0.25f, 0.0f, 0.25f},
               {1027, 0.0f, 0.0f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    /* 177 */ {{1001, 1.0f, 0.0f, 1.0f, 0.0f}, {0, 2.0f, 0.0f, 0.0f, 0.0f}, {0, 1.0f, 0.0f, 0.0f, 0.0f}},
    /* 178 */ {{1019, 5.0f, 0.0f, 5.0f, 0.0f}},
    /* 179 */ {{1029, 1.0f, 1.0f, 1.0f, 0.0f}},
    /* 180 */ {{1001, 2.0f, 0.0f, 2.0f, 0.0f}, {1003, 5.0f, 1.0f, 5.0f, 1.0f}, {1004, 0.0f, 1.0f, 0.0f, 0.0f},
               {1000, 0.0f, 0.5f, 0.0f, 0.0f}, {1008, 0.0f, 0.5f, 0.0f, 0.0f}, {1025, 0.0f, 0.0f, 1.0f, 0.0f},
               {1021, 0.0f, 0.1f, 0.0f, 0.0f}, {1031, 0.0f, 0.0f, 0.0f, 0.0f}},
};

static_assert(std::size(kTiming) == kMiniGames && std::size(kRules) == kMiniGames && std::size(kMixes) == kMiniGames,
              "one timing, rules and mix row a mini-game");

const StageMix kMix153[3] = {
    {{1000, 1.0f, 0.5f, 1.0f, 0.0f}, {1001, 1.0f, 0.5f, 0.0f, 0.0f}},
    {{1000, 1.0f, 0.5f, 1.0f, 0.0f}, {1001, 1.0f, 0.5f, 1.0f, 0.0f}, {1004, 0.0f, 0.5f, 0.0f, 0.0f},
     {1003, 0.0f, 0.5f, 0.0f, 0.0f}},
    {{1000, 1.0f, 0.5f, 1.0f, 0.0f}, {1001, 1.0f, 0.5f, 0.0f, 0.0f}, {1004, 0.0f, 0.5f, 0.0f, 0.0f},
     {1003, 0.0f, 0.5f, 0.0f, 0.0f}, {1007, 0.0f, 0.5f, 0.0f, 0.0f}, {1008, 0.0f, 0.4f, 0.0f, 0.0f}},
};

const StageMix kMix154[3] = {
    {{1001, 2.0f, 1.0f, 1.0f, 0.0f}, {1003, 1.0f, 0.8f, 0.0f, 0.0f}, {1000, 0.0f, 0.4f, 0.0f, 0.0f},
     {1007, 0.0f, 0.6f, 0.0f, 0.0f}, {1002, 0.0f, 0.35f, 0.0f, 0.0f}},
    {{1001, 3.0f, 1.0f, 3.0f, 0.0f}, {1003, 1.0f, 1.0f, 0.0f, 0.0f}, {1000, 0.0f, 0.4f, 0.0f, 0.0f},
     {1007, 0.0f, 0.7f, 1.0f, 0.0f}, {1010, 0.0f, 0.4f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
    {{1001, 3.0f, 1.5f, 1.0f, 0.0f}, {1003, 1.0f, 1.2f, 0.0f, 0.0f}, {1002, 0.0f, 0.4f, 0.0f, 0.0f},
     {1007, 0.0f, 0.7f, 1.0f, 0.0f}, {1010, 0.0f, 0.25f, 0.0f, 0.0f}, {1032, 0.0f, 0.0f, 0.0f, 0.0f}},
};

}  // namespace

void FillStageEnemies151To180(int stage, int difficulty, StageDefinition& record) {
    if (stage < FIRST_MINI_GAME_STAGE || stage > LAST_STAGE) return;
    const int d = difficulty < 0 ? 0 : (difficulty > 2 ? 2 : difficulty);
    const int i = stage - FIRST_MINI_GAME_STAGE;

    if (stage == 153)
        StoreMix(record, kMix153[d]);
    else if (stage == 154)
        StoreMix(record, kMix154[d]);
    else
        StoreMix(record, kMixes[i]);

    const MiniGameTiming& t = kTiming[i];
    record.m_iLength = t.length.v[d];
    record.m_iStreamStart = t.streamStart.v[d];
    record.m_iWaveStart = t.waveStart.v[d];
    record.m_iStreamInterval = t.streamInterval.v[d];
    record.m_iWaveInterval = t.waveInterval.v[d];
    record.m_iWaveSize = t.waveSize.v[d];
    record.m_iWaveSizeStep = t.waveSizeStep;
    record.m_iWaveSizeCap = t.waveSizeCap.v[d];
    if (stage == 151) {
        // Five rounds across the stage.
        record.m_iWaveStart = record.m_iLength / 5;
        record.m_iWaveInterval = record.m_iLength / 5;
    }

    const MiniGameRules& r = kRules[i];
    record.m_bCardCharge = r.cardCharge;
    record.m_bRemoverCard = r.removerCard;
    record.m_bAttacksAllowed = r.attacks;
    record.m_bEnemySchedule = r.schedule;
    record.m_bLifeInPlay = r.life;
    record.m_bEnergyInPlay = r.energy;
    record.m_bEdgeTiles = r.edgeTiles;
    record.m_iBackground = r.background;
    record.m_iGroundRow = r.groundRow;
}
// clang-format on
