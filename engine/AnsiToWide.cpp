#include "engine/AnsiToWide.h"

#include "engine/VxString.h"

HRESULT AnsiToWide(char16_t* dest, const char* source) {
    if (!dest || !source) return E_INVALIDARG;
    int needed = NarrowToWide(source, dest, ANSI_TO_WIDE_CAPACITY);
    dest[ANSI_TO_WIDE_CAPACITY - 1] = 0;
    return needed > ANSI_TO_WIDE_CAPACITY ? E_FAIL : S_OK;
}
