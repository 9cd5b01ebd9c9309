#pragma once
// Converts a narrow text into a wide buffer of ANSI_TO_WIDE_CAPACITY characters.
#include "platform/HResult.h"

constexpr int ANSI_TO_WIDE_CAPACITY = 512;

// E_INVALIDARG for a null argument; E_FAIL when the text (with its final 0)
// does not fit. The last character of dest is always 0 afterwards.
HRESULT AnsiToWide(char16_t* dest, const char* source);
