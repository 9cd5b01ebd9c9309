#pragma once
// Copies a composed text into the temporary-string ring.
#include <cstring>
#include <string>

#include "engine/VxString.h"

inline const char* TempText(const std::string& text) {
    char* buf = TempString(int(text.size()) + 1);
    std::memcpy(buf, text.data(), text.size());
    buf[text.size()] = 0;
    return buf;
}
