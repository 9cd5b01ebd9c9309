#include "engine/VxString.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/VxApplication.h"

namespace {

template <class Ch>
struct TempRing {
    Ch* slots[TEMP_STRING_RING_SIZE] = {};
    int next = 0;
    ~TempRing() { Free(); }
    void Free() {
        for (Ch*& s : slots) {
            delete[] s;
            s = nullptr;
        }
        next = 0;
    }
    Ch* Take(int count) {
        delete[] slots[next];
        Ch* buf = new Ch[size_t(count)];
        buf[0] = 0;
        buf[count - 1] = 0;
        slots[next] = buf;
        next = (next + 1) % TEMP_STRING_RING_SIZE;
        return buf;
    }
};

// Each thread has its own rings: the page-switch worker builds names while the
// main thread draws.
thread_local TempRing<char> t_narrow;
thread_local TempRing<char16_t> t_wide;

char* TempCopy(const std::string& s) {
    char* buf = TempString(int(s.size()) + 1);
    std::memcpy(buf, s.data(), s.size());
    buf[s.size()] = 0;
    return buf;
}

char* HeapCopy(const char* text, size_t n) {
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n);
    copy[n] = 0;
    return copy;
}

}  // namespace

char* TempString(int size) {
    if (size < 1) return nullptr;
    return t_narrow.Take(size);
}

char16_t* TempWideString(int count) {
    if (count < 2) return nullptr;
    return t_wide.Take(count);
}

void FreeTempStrings() { t_narrow.Free(); }
void FreeTempWideStrings() { t_wide.Free(); }

const char* StrCat(const char* first, const char* second) {
    if (!first || !*first) return second;
    if (!second || !*second) return first;
    size_t a = std::strlen(first), b = std::strlen(second);
    char* buf = TempString(int(a + b + 1));
    std::memcpy(buf, first, a);
    std::memcpy(buf + a, second, b);
    buf[a + b] = 0;
    return buf;
}

const char* StrCat3(const char* a, const char* b, const char* c) { return StrCat(StrCat(a, b), c); }

const char* StrCat4(const char* a, const char* b, const char* c, const char* d) {
    return StrCat(StrCat(StrCat(a, b), c), d);
}

const char* StrAppendChar(const char* text, char c) {
    if (!text || !*text) return CharToString(c);
    std::string s(text);
    s.push_back(c);
    return TempCopy(s);
}

const char* CharToString(char c) {
    char* buf = TempString(2);
    buf[0] = c;
    buf[1] = 0;
    return buf;
}

const char* IntToText(int value, int width, bool groupDigits) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%i", value);
    std::string s(digits);
    if (width != -1) {
        // Zeros go after a minus sign, never before it.
        if (int(s.size()) < width) s.insert(s[0] == '-' ? 1 : 0, size_t(width) - s.size(), '0');
        return TempCopy(s);
    }
    if (groupDigits) {
        // Digits only: the sign never gets a separator after it.
        size_t signLen = (s[0] == '-') ? 1 : 0;
        std::string grouped;
        size_t n = s.size() - signLen;
        for (size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) grouped.push_back(',');
            grouped.push_back(s[signLen + i]);
        }
        s = s.substr(0, signLen) + grouped;
    }
    return TempCopy(s);
}

const char16_t* IntToWideText(int value) {
    char digits[32];
    int n = std::snprintf(digits, sizeof digits, "%i", value);
    char16_t* buf = TempWideString(n + 1);
    for (int i = 0; i < n; ++i) buf[i] = char16_t(digits[i]);
    buf[n] = 0;
    return buf;
}

const char* SubString(int start, int count, const char* text) {
    if (count < 1) return TempString(1);
    if (!text) return text;
    int len = int(std::strlen(text));
    if (start < 0 || start + count - 1 >= len) return text;
    char* buf = TempString(count + 1);
    std::memcpy(buf, text + start, size_t(count));
    buf[count] = 0;
    return buf;
}

const char* SubStringRange(int start, const char* text, int end) {
    if (!text || start < 0) return nullptr;
    int len = int(std::strlen(text));
    if (end > len || end < start - 1) return nullptr;
    int count = end - start + 1;
    char* buf = TempString(count + 1);
    std::memcpy(buf, text + start, size_t(count));
    buf[count] = 0;
    return buf;
}

char* StrDup(const char* text) {
    if (!text || !*text) return nullptr;
    return HeapCopy(text, std::strlen(text));
}

int NarrowToWide(const char* text, char16_t* dest, int capacity) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int out = 0;
    auto put = [&](char16_t u) {
        if (out < capacity) dest[out] = u;
        ++out;
    };
    while (*p) {
        unsigned c = *p;
        int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
        if (c >= 0xF5) extra = 0;
        uint32_t cp = c;
        bool ok = c < 0x80 || extra > 0;
        if (extra > 0) {
            cp = c & (0x3F >> extra);
            for (int i = 1; i <= extra; ++i) {
                if ((p[i] & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (p[i] & 0x3F);
            }
            if (ok && ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
                       (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))))
                ok = false;
        }
        if (!ok) {
            put(char16_t(c));  // a lone byte stands for itself
            ++p;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(char16_t(0xD800 + (cp >> 10)));
            put(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            put(char16_t(cp));
        }
        p += 1 + (c < 0x80 ? 0 : extra);
    }
    put(0);
    return out;
}

char16_t* ToWideString(const char* text) {
    if (!text || !*text) return nullptr;
    int n = NarrowToWide(text, nullptr, 0);
    char16_t* w = new char16_t[size_t(n)];
    NarrowToWide(text, w, n);
    return w;
}

bool ConvertResourcePath(int mode, const char* source, char** destination) {
    if (!destination || *destination || !source) return false;
    size_t len = std::strlen(source);
    switch (mode) {
    case 0:
        if (len < 4 || source[len - 4] != '.') return false;
        *destination = HeapCopy(source, len);
        std::memcpy(*destination + len - 3, "tpl", 3);
        return true;
    case 1: *destination = HeapCopy(source, len); return true;
    case 2:
        if (len < 6 || source[len - 6] != '.') return false;
        *destination = HeapCopy(source, len);
        return true;
    case 3:
        if (len == 0) return true;
        *destination = HeapCopy(source, len);
        for (char* q = *destination; *q; ++q)
            if (*q == '\\') *q = '/';
        return true;
    default: return false;
    }
}

bool TextAppendChar(const TextEntryState& state, char* text, char c) {
    size_t len = std::strlen(text);
    if (int(len) >= state.m_nMaxLength) return false;
    text[len] = c;
    text[len + 1] = 0;
    return true;
}

void ReadKeyboardText(char* text, TextEntryState& state) {
    if (!g_pApp || !text) return;
    InputRecord& in = g_pApp->m_aInput[0];
    enum { VK_BACK = 8, VK_SHIFT = 16, VK_CONTROL = 17, VK_CAPITAL = 20 };
    if (in.m_aiKey[VK_SHIFT] & KEY_HELD) state.m_bShift = true;
    else if (in.m_aiKey[VK_SHIFT] == 0) state.m_bShift = false;
    if (in.m_aiKey[VK_CONTROL] & KEY_HELD) state.m_bControl = true;
    else if (in.m_aiKey[VK_CONTROL] == 0) state.m_bControl = false;
    if (state.m_bControl) return;
    for (int k = 0; k < 256; ++k) {
        bool typed = false;
        if (in.m_aiKey[k] & KEY_PRESSED) {
            in.m_aiKey[k] &= ~KEY_PRESSED;
            typed = true;
        } else if ((in.m_aiKey[k] & KEY_HELD) && in.m_aiRepeat[k] >= 4) {
            typed = true;
        }
        if (!typed) continue;
        if (k == VK_BACK) {
            size_t len = std::strlen(text);
            if (len > 0) text[len - 1] = 0;
        } else if (k == VK_CAPITAL) {
            state.m_bCapsLock = !state.m_bCapsLock;
        } else if (k >= 48 && k <= 57) {
            if (!state.m_bShift) TextAppendChar(state, text, char(k));
        } else if (k >= 65 && k <= 90) {
            bool upper = state.m_bCapsLock != state.m_bShift;
            TextAppendChar(state, text, char(upper ? k : k + 32));
        } else if (k >= 96 && k <= 105) {
            TextAppendChar(state, text, char('0' + (k - 96)));
        }
    }
}
