
#include "engine/VxAniTimeCtrl.h"
#include "tests/Harness.h"

namespace {

TEST(AniTimeCtrl, FindsFrameTicksFractionAndLastTick) {
    harness::Harness h;
    h.app.m_nFrame = 123;
    CVxAniTimeCtrl t;
    EXPECT_EQ(t.m_iTime, 123);  // starts at the frame counter
    t.Update();                 // an empty list finds nothing
    EXPECT_EQ(t.m_iFrame, CVxAniTimeCtrl::NO_FRAME);
    for (int d : {5, 5, 10}) t.AddFrame(d);
    struct Case {
        int time, frame, ticks;
        float fraction;
        bool last;
    } cases[] = {
        {0, 0, 0, 0.0f, false},  {4, 0, 4, 0.8f, true},  {5, 1, 0, 0.0f, false}, {9, 1, 4, 0.8f, true},
        {12, 2, 2, 0.2f, false}, {19, 2, 9, 0.9f, true}, {20, 2, 9, 0.9f, true},  // past the end: the previous result stays
    };
    for (const Case& c : cases) {
        t.m_iTime = c.time;
        t.Update();
        EXPECT_EQ(t.m_iFrame, c.frame) << c.time;
        EXPECT_EQ(t.m_iTicksIntoFrame, c.ticks) << c.time;
        EXPECT_FLOAT_EQ(t.m_fFraction, c.fraction) << c.time;
        EXPECT_EQ(t.m_bLastTick, c.last) << c.time;
    }
}

TEST(AniTimeCtrl, ZeroDurationEndsTheSearch) {
    CVxAniTimeCtrl t;
    for (int d : {5, 0, 5}) t.AddFrame(d);
    t.m_iTime = 7;
    t.Update();
    EXPECT_EQ(t.m_iFrame, CVxAniTimeCtrl::NO_FRAME);
    t.m_iTime = 3;
    t.Update();
    EXPECT_EQ(t.m_iFrame, 0);
}

}  // namespace
