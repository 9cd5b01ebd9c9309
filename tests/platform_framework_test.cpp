#include <gtest/gtest.h>

#include <cstdio>

#include <cstdint>
#include <string>

#include "engine/AnsiToWide.h"
#include "platform/ReadWholeFile.h"
#include "platform/ArrayList.h"
#include "platform/FrameworkTimer.h"
#include "platform/host/Headless.h"

TEST(FrameworkTimer, FirstStartAndResetMakeApplicationTimeZero) {
    host::HeadlessHost h;
    h.clock.AdvanceSeconds(123.0);
    FrameworkTimerState t;
    t.Command(TIMER_START);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 0.0f);
    h.clock.AdvanceSeconds(2.5);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 2.5f);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETABSOLUTETIME), 125.5f);
    t.Command(TIMER_RESET);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 0.0f);
    h.clock.AdvanceSeconds(0.5);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 0.5f);
}

TEST(FrameworkTimer, StoppedClockFreezesAndResumesWithoutAJump) {
    host::HeadlessHost h;
    FrameworkTimerState t;
    t.Command(TIMER_START);
    h.clock.AdvanceSeconds(1.0);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETELAPSEDTIME), 1.0f);
    h.clock.AdvanceSeconds(0.25);
    t.Command(TIMER_STOP);
    h.clock.AdvanceSeconds(10.0);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETELAPSEDTIME), 0.0f);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETELAPSEDTIME), 0.0f);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 1.25f);
    t.Command(TIMER_STOP);  // already stopped: nothing changes
    h.clock.AdvanceSeconds(5.0);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 1.25f);
    t.Command(TIMER_START);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 1.25f);
    h.clock.AdvanceSeconds(0.5);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETAPPTIME), 1.75f);
    EXPECT_FLOAT_EQ(t.Command(TIMER_GETELAPSEDTIME), 0.5f);
}

TEST(FrameworkTimer, AdvanceStepsAStoppedClockByATenth) {
    host::HeadlessHost h;
    FrameworkTimerState t;
    t.Command(TIMER_RESET);
    h.clock.AdvanceSeconds(1.0);
    t.Command(TIMER_STOP);
    t.Command(TIMER_ADVANCE);
    t.Command(TIMER_ADVANCE);
    EXPECT_NEAR(t.Command(TIMER_GETAPPTIME), 1.2f, 1e-6f);
    EXPECT_FLOAT_EQ(t.Command(99), -1.0f);
}

TEST(AnsiToWide, ConvertsAndRejectsWhatDoesNotFit) {
    char16_t dest[ANSI_TO_WIDE_CAPACITY];
    EXPECT_EQ(AnsiToWide(dest, "Mesa llvmpipe"), S_OK);
    EXPECT_EQ(std::u16string(dest), u"Mesa llvmpipe");
    EXPECT_EQ(AnsiToWide(nullptr, "x"), E_INVALIDARG);
    EXPECT_EQ(AnsiToWide(dest, nullptr), E_INVALIDARG);

    std::string fits(511, 'a');
    EXPECT_EQ(AnsiToWide(dest, fits.c_str()), S_OK);
    EXPECT_EQ(std::u16string(dest).size(), 511u);
    std::string tooLong(512, 'b');
    for (char16_t& c : dest) c = u'?';
    EXPECT_EQ(AnsiToWide(dest, tooLong.c_str()), E_FAIL);
    EXPECT_EQ(dest[ANSI_TO_WIDE_CAPACITY - 1], 0);
}

TEST(ReadWholeFile, ReadsEverythingWithATerminatorAndClosesTheStream) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("FONT_COL=16;\n", f);
    VxFile* file = ReadWholeFile(f);  // reads from the start whatever the position
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size, 13u);
    EXPECT_EQ(file->position, 0u);
    EXPECT_EQ(file->cursor, file->data);
    EXPECT_STREQ(file->data, "FONT_COL=16;\n");
    delete file;

    std::FILE* empty = std::tmpfile();
    VxFile* none = ReadWholeFile(empty);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->size, 0u);
    EXPECT_EQ(none->data[0], '\0');
    delete none;
    EXPECT_EQ(ReadWholeFile(nullptr), nullptr);
}
