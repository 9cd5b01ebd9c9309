#include <gtest/gtest.h>

#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"
#include "platform/host/WindowMessage.h"

namespace host_device_test {

using host::HeadlessHost, host::HeadlessWindow, host::HiWord, host::KeyLParam, host::LoWord, host::MakeLParam,
    host::VK_ESCAPE, host::VK_F1, host::VK_F10, host::VK_LEFT, host::VK_NUMPAD0, host::VK_RETURN, host::VK_SHIFT,
    host::VK_UP, host::VirtualKeyFromScancode, host::WM_KEYDOWN, host::WM_TIMER, host::WindowMessage;

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

}  // namespace host_device_test
