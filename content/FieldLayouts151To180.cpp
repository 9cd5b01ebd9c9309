// Terrain of the mini-games: rows 0 to 4 from the top, one digit a column from
// the left. Several mini-games play on another stage's field (their rows' fieldOf).
#include <iterator>

#include "content/FieldGrid.h"
#include "content/FieldLayoutTable.h"
#include "content/MiniGameTable.h"
#include "content/StageNumbering.h"

// Tables keep one row a line.
// clang-format off

namespace {

const char* const kLayouts[] = {
    /* 151 */ "1111111111" "2222222222" "2222222222" "2222222222" "2222222222",
    /* 152 */ "1111111111" "1111111111" "1111111122" "1111111111" "2222222222",
    /* 153 */ "1111111222" "1122112211" "2222222222" "2222222222" "2222222222",
    /* 154 */ nullptr,  // as stage 1
    /* 155 */ "4444444444" "4444244444" "4444444244" "4424444444" "2222222222",
    /* 156 */ "4444444444" "4444444444" "4444444444" "4444444444" "4444444444",
    /* 157 */ "1111111111" "1111111111" "1111111111" "1111111111" "3333333333",
    /* 158 */ "1112222211" "1111112221" "1122211112" "1211111122" "3333333333",
    /* 159 */ "1111121111" "1121111211" "2222222222" "2222222222" "2222222222",
    /* 160 */ "1111111111" "1111111111" "1111111111" "1111111111" "1111111111",
    /* 161 */ "1111111222" "1111121222" "1211111222" "1112111222" "2222222222",
    /* 162 */ "1111111111" "1111111111" "1111111222" "2222222222" "2222222222",
    /* 163 */ nullptr,  // as stage 1
    /* 164 */ "1111111111" "1111111111" "1111111111" "1111111222" "2222222222",
    /* 165 */ "4444444442" "4444424442" "4444242442" "4442424242" "4424242424",
    /* 166 */ nullptr,  // as stage 156
    /* 167 */ nullptr,  // as stage 1
    /* 168 */ "1111111121" "1111111212" "1111111121" "1111111212" "3333333333",
    /* 169 */ "1111111111" "1111111111" "2222222222" "2222222222" "2222222222",
    /* 170 */ nullptr,  // as stage 160
    /* 171 */ nullptr,  // as stage 160
    /* 172 */ "1221221221" "1111111111" "1111111111" "2222222222" "2222222222",
    /* 173 */ "1111121122" "1121211122" "1211121122" "1121212122" "2222222222",
    /* 174 */ nullptr,  // as stage 160
    /* 175 */ nullptr,  // as stage 151
    /* 176 */ "4444424242" "4444242442" "4442424442" "4424244442" "4242444242",
    /* 177 */ nullptr,  // as stage 157
    /* 178 */ "1111212111" "1112121122" "1121212112" "1112121222" "3333333333",
    /* 179 */ "1111111111" "1111111222" "2222222222" "2222222222" "3333333333",
    /* 180 */ nullptr,  // as stage 160
};
static_assert(std::size(kLayouts) == LAST_STAGE - FIRST_MINI_GAME_STAGE + 1, "one layout a mini-game");

}  // namespace

void GetFieldCellKinds151To180(int* kinds, int stage) {
    if (stage < FIRST_MINI_GAME_STAGE || stage > LAST_STAGE) return;
    const int fieldOf = MiniGameRowOf(stage).fieldOf;
    const int source = fieldOf > 0 ? fieldOf : stage;
    if (source <= 50)
        GetFieldCellKinds1To50(kinds, source);
    else
        DecodeLayout(kLayouts[source - FIRST_MINI_GAME_STAGE], kinds);
}
// clang-format on
