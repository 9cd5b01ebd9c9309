#pragma once
// Short-lived strings for names and numbers. Temporaries come from per-thread
// rings of 1000 buffers: one stays valid while 999 further temporaries of its
// ring are made, and the 1000th frees it. Copy it (StrDup) to keep it longer.
// Heap results (StrDup, ToWideString, ConvertResourcePath) are freed with delete[].
#include <cstdint>

constexpr int TEMP_STRING_RING_SIZE = 1000;

char* TempString(int size);           // size bytes, the last one 0; null for size < 1
char16_t* TempWideString(int count);  // count characters, the last one 0; null for count < 2
void FreeTempStrings();
void FreeTempWideStrings();

// May answer one of the arguments itself, which the caller must not free.
const char* StrCat(const char* first, const char* second);
const char* StrCat3(const char* a, const char* b, const char* c);
const char* StrCat4(const char* a, const char* b, const char* c, const char* d);
const char* StrAppendChar(const char* text, char c);
const char* CharToString(char c);
// width != -1: decimal text left-padded with '0' to width; width -1: grouped
// with ',' every three digits when groupDigits is set.
const char* IntToText(int value, int width, bool groupDigits);
const char16_t* IntToWideText(int value);
// count characters from start; the text itself when the range runs past its end.
const char* SubString(int start, int count, const char* text);
// Characters start to end inclusive; null when end is past the text.
const char* SubStringRange(int start, const char* text, int end);
char* StrDup(const char* text);
char16_t* ToWideString(const char* text);

// Narrow text (UTF-8; a byte that is not valid UTF-8 stands for itself) to
// UTF-16. Writes at most capacity units including the final 0 and answers the
// number of units the whole text needs, final 0 included.
int NarrowToWide(const char* text, char16_t* dest, int capacity);

// Copies source into *destination (which must be null) as the mode says:
// 0 extension replaced by "tpl", 1 plain copy, 2 copy of a name with a
// five-letter extension, 3 backslashes turned into slashes.
bool ConvertResourcePath(int mode, const char* source, char** destination);

struct TextEntryState {
    int32_t m_nMaxLength = 0;
    bool m_bCapsLock = false;
    bool m_bShift = false;
    bool m_bControl = false;
};

// Types the keys of input device 0 into text (which has room for
// m_nMaxLength characters and the final 0).
void ReadKeyboardText(char* text, TextEntryState& state);
bool TextAppendChar(const TextEntryState& state, char* text, char c);
