#include <gtest/gtest.h>

#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"
#include "platform/host/WindowMessage.h"

using namespace host;

TEST(WindowMessages, KeysMapToVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyFromScancode(4), uint32_t('A'));
    EXPECT_EQ(VirtualKeyFromScancode(29), uint32_t('Z'));
    EXPECT_EQ(VirtualKeyFromScancode(30), uint32_t('1'));
    EXPECT_EQ(VirtualKeyFromScancode(39), uint32_t('0'));
    EXPECT_EQ(VirtualKeyFromScancode(40), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromScancode(41), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromScancode(58), VK_F1);
    EXPECT_EQ(VirtualKeyFromScancode(67), VK_F10);
    EXPECT_EQ(VirtualKeyFromScancode(80), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromScancode(82), VK_UP);
    EXPECT_EQ(VirtualKeyFromScancode(98), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromScancode(89), VK_NUMPAD0 + 1);
    EXPECT_EQ(VirtualKeyFromScancode(225), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromScancode(229), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromScancode(0), 0u);
}

TEST(WindowMessages, KeyParametersCarryRepeatAndRelease) {
    const uint32_t first = uint32_t(KeyLParam(true, false, 30));
    const uint32_t repeat = uint32_t(KeyLParam(true, true, 30));
    const uint32_t up = uint32_t(KeyLParam(false, false, 30));
    EXPECT_EQ(first & 0xFFFF, 1u);
    EXPECT_EQ((first >> 16) & 0xFF, 30u);
    EXPECT_EQ(first >> 30, 0u);
    EXPECT_EQ((repeat >> 30) & 1, 1u);
    EXPECT_EQ(up >> 30, 3u);
    const intptr_t lp = MakeLParam(-3, 650);
    EXPECT_EQ(LoWord(lp), -3);
    EXPECT_EQ(HiWord(lp), 650);
}

TEST(GraphicsDevice, StripsAndFansBecomeTrianglesOfOneWinding) {
    EXPECT_EQ(TriangleListIndices(PT_TRIANGLEFAN, 3), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
    EXPECT_EQ(TriangleListIndices(PT_TRIANGLESTRIP, 3), (std::vector<uint32_t>{0, 1, 2, 2, 1, 3, 2, 3, 4}));
    EXPECT_EQ(TriangleListIndices(PT_TRIANGLELIST, 2), (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(VertexCountFor(PT_TRIANGLEFAN, 2), 4u);
    EXPECT_EQ(VertexCountFor(PT_TRIANGLELIST, 2), 6u);
    EXPECT_EQ(VertexCountFor(PT_TRIANGLEFAN, 0), 0u);
}

TEST(RecordingDevice, StateBlocksPutEverythingBack) {
    RecordingDevice d;
    const DeviceState saved = d.CaptureState();
    d.SetRenderState(RS_CULLMODE, CULL_NONE);
    d.SetSamplerState(0, SAMP_ADDRESSU, TADDRESS_CLAMP);
    d.SetTextureStageState(0, TSS_COLOROP, TOP_ADD);
    d.SetTextureStageState(1, TSS_COLOROP, TOP_ADD);  // later stages are not kept
    EXPECT_EQ(d.GetTextureStageState(TSS_COLOROP), uint32_t(TOP_ADD));
    d.ApplyState(saved);
    EXPECT_EQ(d.GetRenderState(RS_CULLMODE), uint32_t(CULL_CCW));
    EXPECT_EQ(d.GetSamplerState(SAMP_ADDRESSU), uint32_t(TADDRESS_WRAP));
    EXPECT_EQ(d.GetTextureStageState(TSS_COLOROP), uint32_t(TOP_MODULATE));
}

TEST(HeadlessWindow, FullScreenTakesTheModeSizeAndGivesItBack) {
    HeadlessWindow w(800, 600);
    ASSERT_TRUE(w.SetFullscreen(true, {1280, 720, 60, FMT_X8R8G8B8}));
    int cw, ch;
    w.ClientSize(cw, ch);
    EXPECT_EQ(cw, 1280);
    EXPECT_EQ(ch, 720);
    ASSERT_TRUE(w.SetFullscreen(false, {}));
    w.ClientSize(cw, ch);
    EXPECT_EQ(cw, 800);
    EXPECT_EQ(ch, 600);
    int polled = 0;
    w.onIdle = [&] {
        if (++polled == 2) w.PostMessage({WM_CLOSE, 0, 0});
    };
    WindowMessage m;
    EXPECT_FALSE(w.PeekMessage(m));
    EXPECT_TRUE(w.PeekMessage(m));
    EXPECT_EQ(m.message, WM_CLOSE);
}

TEST(WindowTimer, DeliversWhenDueNoFasterThanTenMillisecondsAndStopsWhenKilled) {
    HeadlessHost services;
    HeadlessWindow window(800, 600);
    WindowMessage msg;
    window.SetTimer(9, 1);
    services.clock.Advance(9000000);
    EXPECT_FALSE(window.PeekMessage(msg));  // a 1 ms timer still waits 10 ms
    services.clock.Advance(1000000);
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_TIMER));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(window.PeekMessage(msg));
    // Waiting messages go first.
    services.clock.Advance(50000000);
    window.PostMessage({WM_KEYDOWN, 65, 0});
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_KEYDOWN));
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_TIMER));
    // Five intervals overdue still give one message, not five.
    EXPECT_FALSE(window.PeekMessage(msg));
    window.KillTimer(9);
    EXPECT_FALSE(window.HasTimer(9));
    services.clock.Advance(100000000);
    EXPECT_FALSE(window.PeekMessage(msg));
}

TEST(WindowTimer, RunsAcrossTheMillisecondCounterWrap) {
    HeadlessHost services;
    services.clock.Set(int64_t(0xFFFFFFFFull) * 1000000 - 500000);  // just before the wrap
    HeadlessWindow window(800, 600);
    window.SetTimer(9, 20);
    services.clock.Advance(20500000);
    WindowMessage msg;
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.wParam, 9u);
}
