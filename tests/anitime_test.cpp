#include <gtest/gtest.h>

#include "engine/VxAniTimeCtrl.h"
#include "tests/Harness.h"

namespace {

CVxAniTimeCtrl FiveFiveTen() {
    CVxAniTimeCtrl t;
    t.AddFrame(5);
    t.AddFrame(5);
    t.AddFrame(10);
    return t;
}

TEST(AniTimeCtrl, FindsFrameTicksFractionAndLastTick) {
    CVxAniTimeCtrl t = FiveFiveTen();
    struct Case {
        int time, frame, ticks;
        float fraction;
        bool last;
    } cases[] = {
        {0, 0, 0, 0.0f, false}, {4, 0, 4, 0.8f, true}, {5, 1, 0, 0.0f, false},
        {9, 1, 4, 0.8f, true},  {10, 2, 0, 0.0f, false}, {19, 2, 9, 0.9f, true},
    };
    for (const Case& c : cases) {
        t.m_iTime = c.time;
        t.Update();
        EXPECT_EQ(t.m_iFrame, c.frame) << "time " << c.time;
        EXPECT_EQ(t.m_iTicksIntoFrame, c.ticks) << "time " << c.time;
        EXPECT_FLOAT_EQ(t.m_fFraction, c.fraction) << "time " << c.time;
        EXPECT_EQ(t.m_bLastTick, c.last) << "time " << c.time;
    }
}

TEST(AniTimeCtrl, TimePastTheEndKeepsThePreviousResult) {
    CVxAniTimeCtrl t = FiveFiveTen();
    t.m_iTime = 12;
    t.Update();
    t.m_iTime = 20;
    t.Update();
    EXPECT_EQ(t.m_iFrame, 2);
    EXPECT_EQ(t.m_iTicksIntoFrame, 2);
    EXPECT_FLOAT_EQ(t.m_fFraction, 0.2f);
    EXPECT_FALSE(t.m_bLastTick);
}

TEST(AniTimeCtrl, ZeroDurationEndsTheSearch) {
    CVxAniTimeCtrl t;
    t.AddFrame(5);
    t.AddFrame(0);
    t.AddFrame(5);
    t.m_iTime = 7;
    t.Update();
    EXPECT_EQ(t.m_iFrame, CVxAniTimeCtrl::NO_FRAME);
    t.m_iTime = 3;
    t.Update();
    EXPECT_EQ(t.m_iFrame, 0);
}

TEST(AniTimeCtrl, NewTimerStartsAtTheFrameCounterWithNoFrame) {
    harness::Harness h;
    h.app.m_nFrame = 123;
    CVxAniTimeCtrl t;
    EXPECT_EQ(t.m_iTime, 123);
    EXPECT_EQ(t.m_iFrame, 10000);
    t.Update();  // an empty list changes nothing
    EXPECT_EQ(t.m_iFrame, 10000);
    EXPECT_EQ(t.m_iTime, 123);
}

}  // namespace
