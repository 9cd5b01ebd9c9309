#pragma once
// Layouts are written as 50 digits in table order (row * 10 + column).
#include "content/FieldGrid.h"

inline void DecodeLayout(const char* digits, int* kinds) {
    for (int i = 0; i < FIELD_CELLS; ++i) kinds[i] = digits[i] - '0';
}
