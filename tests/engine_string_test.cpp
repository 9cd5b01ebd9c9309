#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "Harness.h"
#include "engine/VxString.h"

TEST(VxString, StrCatMakesANewStringOrHandsBackTheOtherArgument) {
    const char* joined = StrCat("Resource\\Menu\\", "Bbd_Main");
    EXPECT_STREQ(joined, "Resource\\Menu\\Bbd_Main");
    const char* text = "abc";
    EXPECT_EQ(StrCat(nullptr, text), text);
    EXPECT_EQ(StrCat("", text), text);
    EXPECT_EQ(StrCat(text, nullptr), text);
    EXPECT_EQ(StrCat(text, ""), text);
    EXPECT_STREQ(StrCat3("a", "b", "c"), "abc");
    EXPECT_STREQ(StrCat4("Bbd_", "Main", IntToText(3, -1, false), ".png"), "Bbd_Main3.png");
    EXPECT_STREQ(StrAppendChar("ab", 'c'), "abc");
    EXPECT_STREQ(StrAppendChar(nullptr, 'x'), "x");
    EXPECT_STREQ(CharToString('q'), "q");
}

TEST(VxString, IntToTextPadsAndGroups) {
    EXPECT_STREQ(IntToText(7, 3, false), "007");
    EXPECT_STREQ(IntToText(1234, 2, false), "1234");
    EXPECT_STREQ(IntToText(0, 1, false), "0");
    EXPECT_STREQ(IntToText(-5, 3, false), "-05");
    EXPECT_STREQ(IntToText(999990, -1, true), "999,990");
    EXPECT_STREQ(IntToText(1200000, -1, true), "1,200,000");
    EXPECT_STREQ(IntToText(123, -1, true), "123");
    EXPECT_STREQ(IntToText(1000, -1, true), "1,000");
    EXPECT_STREQ(IntToText(1200000, -1, false), "1200000");
    EXPECT_STREQ(IntToText(-1234567, -1, true), "-1,234,567");
    EXPECT_STREQ(IntToText(-123, -1, true), "-123");
    EXPECT_EQ(std::u16string(IntToWideText(-45)), u"-45");
}

TEST(VxString, SubStringAndRange) {
    const char* text = "abcdef";
    EXPECT_STREQ(SubString(2, 3, text), "cde");
    EXPECT_EQ(SubString(4, 3, text), text);  // runs past the end: the text itself
    EXPECT_STREQ(SubString(3, 3, text), "def");
    EXPECT_STREQ(SubString(1, 0, text), "");
    EXPECT_EQ(SubStringRange(0, "abc", 5), nullptr);
    EXPECT_STREQ(SubStringRange(1, "abcdef", 3), "bcd");
    EXPECT_STREQ(SubStringRange(2, "abc", 1), "");
    EXPECT_STREQ(SubStringRange(0, "abc", 3), "abc");
    EXPECT_EQ(SubStringRange(3, "abcdef", 0), nullptr);
}

TEST(VxString, TemporarySurvivesNineHundredNinetyNineOthers) {
    FreeTempStrings();
    char* kept = TempString(6);
    std::strcpy(kept, "keep!");
    for (int i = 0; i < 999; ++i) {
        char* other = TempString(6);
        std::memset(other, 'x', 5);
    }
    EXPECT_STREQ(kept, "keep!");
    // The next temporary takes the kept one's slot (a fresh buffer of its own).
    char* next = TempString(6);
    EXPECT_STREQ(next, "");

    FreeTempWideStrings();
    char16_t* wide = TempWideString(3);
    wide[0] = u'o';
    wide[1] = u'k';
    for (int i = 0; i < 999; ++i) TempWideString(4)[0] = u'z';
    EXPECT_EQ(std::u16string(wide), u"ok");
    EXPECT_EQ(TempWideString(1), nullptr);
    EXPECT_EQ(TempString(0), nullptr);
}

TEST(VxString, EachThreadHasItsOwnRing) {
    FreeTempStrings();
    const char* mine = StrCat("main", "thread");
    std::thread other([] {
        for (int i = 0; i < 2500; ++i) StrCat("worker", "text");
    });
    other.join();
    EXPECT_STREQ(mine, "mainthread");
}

TEST(VxString, HeapCopies) {
    char* dup = StrDup("name");
    EXPECT_STREQ(dup, "name");
    delete[] dup;
    EXPECT_EQ(StrDup(""), nullptr);
    char16_t* w = ToWideString("Caf\xc3\xa9 \x80");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::u16string(w), u"Caf\u00e9 \u0080");  // a stray byte stands for itself
    delete[] w;
    EXPECT_EQ(ToWideString(""), nullptr);
}

TEST(VxString, ConvertResourcePathModes) {
    char* out = nullptr;
    EXPECT_TRUE(ConvertResourcePath(3, "Resource\\Menu\\Bbd_Main1.png", &out));
    EXPECT_STREQ(out, "Resource/Menu/Bbd_Main1.png");
    // The destination must be empty.
    EXPECT_FALSE(ConvertResourcePath(1, "x", &out));
    EXPECT_STREQ(out, "Resource/Menu/Bbd_Main1.png");
    delete[] out;
    out = nullptr;
    EXPECT_TRUE(ConvertResourcePath(3, "", &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(ConvertResourcePath(0, "font.png", &out));
    EXPECT_STREQ(out, "font.tpl");
    delete[] out;
    out = nullptr;
    EXPECT_FALSE(ConvertResourcePath(0, "fontpng", &out));
    EXPECT_FALSE(ConvertResourcePath(2, "a.png", &out));
    EXPECT_TRUE(ConvertResourcePath(2, "a.abcde", &out));
    EXPECT_STREQ(out, "a.abcde");
    delete[] out;
    out = nullptr;
    EXPECT_TRUE(ConvertResourcePath(1, "a\\b", &out));
    EXPECT_STREQ(out, "a\\b");
    delete[] out;
}

TEST(TextEntry, TypesLettersDigitsAndBackspace) {
    harness::Harness h;
    TextEntryState state;
    state.m_nMaxLength = 8;
    char text[16] = "";
    for (int key : {int('H'), int('I'), int('5'), 96 + 7}) {
        h.KeyDown(key);
        ReadKeyboardText(text, state);
        h.KeyUp(key);
    }
    EXPECT_STREQ(text, "hi57");
    h.KeyDown(8);
    ReadKeyboardText(text, state);
    h.KeyUp(8);
    EXPECT_STREQ(text, "hi5");

    // Shift and 5 type nothing; shift and A with caps lock on type a lower-case a.
    h.KeyDown(16);
    h.KeyDown('5');
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "hi5");
    h.KeyUp('5');
    h.KeyDown(20);
    ReadKeyboardText(text, state);
    EXPECT_TRUE(state.m_bCapsLock);
    h.KeyUp(20);
    h.KeyDown('A');
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "hi5a");
    h.KeyUp('A');
    h.KeyUp(16);
    h.app.m_aInput[0].m_aiKey[16] = 0;
    ReadKeyboardText(text, state);
    EXPECT_FALSE(state.m_bShift);
    h.KeyDown('B');
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "hi5aB");
}

TEST(TextEntry, HeldKeyRepeatsFromTheFourthRepeatAndLengthIsCapped) {
    harness::Harness h;
    TextEntryState state;
    state.m_nMaxLength = 8;
    char text[16] = "";
    h.KeyDown('Z');  // pressed: typed once
    ReadKeyboardText(text, state);
    h.KeyDown('Z');
    ReadKeyboardText(text, state);  // repeat 2: not typed
    h.KeyDown('Z');
    ReadKeyboardText(text, state);  // repeat 3: not typed
    EXPECT_STREQ(text, "z");
    h.KeyDown('Z');
    ReadKeyboardText(text, state);  // repeat 4: typed every frame from now on
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzz");
    for (int i = 0; i < 10; ++i) ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzzzzzzz");  // eight at most
    EXPECT_FALSE(TextAppendChar(state, text, 'y'));

    // Control held: nothing is typed.
    h.KeyDown(17);
    ReadKeyboardText(text, state);
    EXPECT_TRUE(state.m_bControl);
    h.KeyDown(8);
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzzzzzzz");
}
