#pragma once
// Reads a Windows cursor file (the game's "BIN") into a colour picture with
// its hot spot. A pixel the AND mask keeps (mask 0) takes its colour, fully
// opaque; every other pixel is transparent.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/Display.h"

// False for anything that is not a readable cursor; out is then untouched.
bool ParseCursorFile(const std::vector<uint8_t>& bytes, host::CursorImage& out);
bool LoadCursorFile(const std::string& path, host::CursorImage& out);
