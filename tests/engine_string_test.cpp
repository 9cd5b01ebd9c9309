
#include <thread>

#include "tests/Harness.h"
#include "engine/VxString.h"

TEST(VxString, JoinsPadsGroupsAndCuts) {
    EXPECT_STREQ(StrCat("Resource\\Menu\\", "Bbd_Main"), "Resource\\Menu\\Bbd_Main");
    const char* text = "abcdef";
    EXPECT_EQ(StrCat(nullptr, text), text);  // the other argument itself
    EXPECT_EQ(StrCat("", text), text);
    EXPECT_EQ(StrCat(text, ""), text);
    EXPECT_STREQ(StrCat4("Bbd_", "Main", IntToText(3, -1, false), ".png"), "Bbd_Main3.png");
    EXPECT_STREQ(StrAppendChar(nullptr, 'x'), "x");

    EXPECT_STREQ(IntToText(7, 3, false), "007");
    EXPECT_STREQ(IntToText(1234, 2, false), "1234");
    EXPECT_STREQ(IntToText(-5, 3, false), "-05");
    EXPECT_STREQ(IntToText(999990, -1, true), "999,990");
    EXPECT_STREQ(IntToText(1200000, -1, true), "1,200,000");
    EXPECT_STREQ(IntToText(-123, -1, true), "-123");
    EXPECT_EQ(std::u16string(IntToWideText(-45)), u"-45");

    EXPECT_STREQ(SubString(2, 3, text), "cde");
    EXPECT_EQ(SubString(4, 3, text), text);  // runs past the end: the text itself
    EXPECT_STREQ(SubString(1, 0, text), "");
    EXPECT_EQ(SubStringRange(0, "abc", 5), nullptr);
    EXPECT_STREQ(SubStringRange(1, text, 3), "bcd");
    EXPECT_STREQ(SubStringRange(2, "abc", 1), "");
}

TEST(VxString, TemporarySurvivesNineHundredNinetyNineOthers) {
    FreeTempStrings();
    char* kept = TempString(6);
    std::strcpy(kept, "keep!");
    for (int i = 0; i < 999; ++i) std::memset(TempString(6), 'x', 5);
    EXPECT_STREQ(kept, "keep!");
    EXPECT_STREQ(TempString(6), "");  // the next one takes the kept one's slot

    // Each thread has its own ring.
    const char* mine = StrCat("main", "thread");
    std::thread other([] {
        for (int i = 0; i < 2500; ++i) StrCat("worker", "text");
    });
    other.join();
    EXPECT_STREQ(mine, "mainthread");
    EXPECT_EQ(TempWideString(1), nullptr);
}

TEST(VxString, HeapCopiesAndResourcePaths) {
    EXPECT_EQ(StrDup(""), nullptr);
    char16_t* w = ToWideString("Caf\xc3\xa9 \x80");
    EXPECT_EQ(std::u16string(w), u"Caf\u00e9 \u0080");  // a stray byte stands for itself
    delete[] w;

    char* out = nullptr;
    EXPECT_TRUE(ConvertResourcePath(3, "Resource\\Menu\\Bbd_Main1.png", &out));
    EXPECT_STREQ(out, "Resource/Menu/Bbd_Main1.png");
    EXPECT_FALSE(ConvertResourcePath(1, "x", &out));  // the destination must be empty
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
    delete[] out;
}

namespace {

// Holds a key down for one read and lets it go.
void Type(harness::Harness& h, char* text, TextEntryState& state, int key) {
    h.KeyDown(key);
    ReadKeyboardText(text, state);
    h.KeyUp(key);
}

}  // namespace

TEST(TextEntry, LettersDigitsShiftCapsAndBackspace) {
    harness::Harness h;
    TextEntryState state;
    state.m_nMaxLength = 8;
    char text[16] = "";
    for (int key : {int('H'), int('I'), int('5'), 96 + 7, 8}) Type(h, text, state, key);
    EXPECT_STREQ(text, "hi5");
    // Shift and 5 type nothing; shift and A with caps lock on type a lower-case a.
    h.KeyDown(16);
    Type(h, text, state, '5');
    Type(h, text, state, 20);
    EXPECT_TRUE(state.m_bCapsLock);
    Type(h, text, state, 'A');
    EXPECT_STREQ(text, "hi5a");
    h.KeyUp(16);
    h.app.m_aInput[0].m_aiKey[16] = 0;
    Type(h, text, state, 'B');
    EXPECT_FALSE(state.m_bShift);
    EXPECT_STREQ(text, "hi5aB");
}

TEST(TextEntry, HeldKeyRepeatsFromTheFourthRepeatAndLengthIsCapped) {
    harness::Harness h;
    TextEntryState state;
    state.m_nMaxLength = 8;
    char text[16] = "";
    for (int i = 0; i < 3; ++i) {  // repeats 1 to 3: typed once, by the press
        h.KeyDown('Z');
        ReadKeyboardText(text, state);
    }
    EXPECT_STREQ(text, "z");
    h.KeyDown('Z');
    ReadKeyboardText(text, state);  // repeat 4: typed every frame from now on
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzz");
    for (int i = 0; i < 10; ++i) ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzzzzzzz");  // eight at most
    // Control held: nothing is typed.
    h.KeyDown(17);
    h.KeyDown(8);
    ReadKeyboardText(text, state);
    EXPECT_STREQ(text, "zzzzzzzz");
}
