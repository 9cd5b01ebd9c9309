#include <gtest/gtest.h>

#include <vector>

#include "engine/VxEffect.h"

namespace {

// Remembers every OnStart and OnFrame with the record's age at that moment.
class ProbeEffect : public CVxEffect {
public:
    ProbeEffect(int poolSize, int life) {
        m_nPoolSize = poolSize;
        m_iDefaultLife = life;
    }
    void OnStart(int index) override { starts.push_back(index); }
    void OnFrame(int index) override {
        frames.push_back({index, m_aInstances[index].age});
        if (endAtAge >= 0 && m_aInstances[index].age == endAtAge) Clear(index);
    }
    struct Frame {
        int index, age;
    };
    std::vector<int> starts;
    std::vector<Frame> frames;
    int endAtAge = -1;
};

TEST(EffectPool, FullPoolRefusesAndFreedRecordIsReused) {
    ProbeEffect e(1, 15);
    EXPECT_EQ(e.Add(0), 0);
    EXPECT_EQ(e.Add(0), -1);
    for (int i = 0; i < 15; ++i) e.Tick();
    EXPECT_EQ(e.frames.size(), 15u);
    EXPECT_EQ(e.frames.back().age, 14);
    EXPECT_LE(e.m_aInstances[0].life, 0);
    e.Tick();
    EXPECT_EQ(e.frames.size(), 15u);
    EXPECT_EQ(e.Add(7), 0);
    EXPECT_EQ(e.m_aInstances[0].kind, 7);
}

TEST(EffectPool, AddTakesTheFirstFreeRecordBelowThePoolSize) {
    ProbeEffect e(3, 60);
    EXPECT_EQ(e.Add(0), 0);
    EXPECT_EQ(e.Add(0), 1);
    EXPECT_EQ(e.Add(0), 2);
    EXPECT_EQ(e.Add(0), -1);  // record 3 exists but lies outside the pool
    e.Clear(1);
    EXPECT_EQ(e.Add(0), 1);
    ProbeEffect empty(0, 60);
    EXPECT_EQ(empty.Add(0), -1);
}

TEST(EffectPool, DelayedRecordFirstRunsOnTheTickAfterItsDelay) {
    ProbeEffect e(10, 15);
    ASSERT_EQ(e.AddDelayed(3, 0), 0);
    ASSERT_EQ(e.starts.size(), 1u);  // started at once, run later
    for (int i = 0; i < 3; ++i) e.Tick();
    EXPECT_TRUE(e.frames.empty());
    e.Tick();
    ASSERT_EQ(e.frames.size(), 1u);
    EXPECT_EQ(e.frames[0].age, 0);
}

TEST(EffectPool, ParametersAndStateOfANewRecord) {
    ProbeEffect e(2, 80);
    e.m_aInstances[0].state[5] = 99;
    e.m_aInstances[0].classWords[1] = 42;
    e.m_aInstances[0].extra[3] = 7;
    ASSERT_EQ(e.Add(4, 1.5f, -2.0f, 3.0f, 4.0f, 5.0f, 6.0f), 0);
    const EffectInstance& r = e.m_aInstances[0];
    EXPECT_EQ(r.kind, 4);
    EXPECT_EQ(r.life, 80);
    EXPECT_EQ(r.age, 0);
    EXPECT_EQ(r.delay, 0);
    EXPECT_FLOAT_EQ(r.params[0].f, 1.5f);
    EXPECT_FLOAT_EQ(r.params[1].f, -2.0f);
    EXPECT_FLOAT_EQ(r.params[5].f, 6.0f);
    EXPECT_EQ(r.state[5], 0);
    EXPECT_EQ(r.classWords[1], 42);
    EXPECT_EQ(r.extra[3], 7);

    ASSERT_EQ(e.AddAtPoint(10.0f, 20.0f, 30.0f), 1);
    EXPECT_EQ(e.m_aInstances[1].kind, 0);
    EXPECT_FLOAT_EQ(e.m_aInstances[1].params[0].f, 10.0f);
    EXPECT_FLOAT_EQ(e.m_aInstances[1].params[2].f, 30.0f);
    EXPECT_FLOAT_EQ(e.m_aInstances[1].params[3].f, 0.0f);
}

TEST(EffectPool, EndlessLifeNeverRunsOutUntilCleared) {
    ProbeEffect e(1, EFFECT_ENDLESS_LIFE);
    e.Add(0);
    for (int i = 0; i < 40000; ++i) e.Tick();
    EXPECT_EQ(e.m_aInstances[0].life, 30000);
    EXPECT_EQ(e.m_aInstances[0].age, 40000);
    e.Clear(0);
    e.Tick();
    EXPECT_EQ(e.frames.size(), 40000u);
    EXPECT_EQ(e.Add(0), 0);
}

TEST(EffectPool, StartRestartsALiveRecordButKeepsItsDelay) {
    ProbeEffect e(5, 60);
    ASSERT_EQ(e.AddDelayed(2, 1, 1.0f), 0);
    e.m_aInstances[0].state[0] = 5;
    e.Tick();  // delay 2 -> 1
    EXPECT_EQ(e.Start(0, 9, 2.0f), 0);
    const EffectInstance& r = e.m_aInstances[0];
    EXPECT_EQ(r.kind, 9);
    EXPECT_EQ(r.delay, 1);
    EXPECT_EQ(r.age, 0);
    EXPECT_EQ(r.state[0], 0);
    EXPECT_FLOAT_EQ(r.params[0].f, 2.0f);
    EXPECT_EQ(e.starts.size(), 2u);
}

TEST(EffectPool, IndexOutsideThePoolIsRefused) {
    ProbeEffect e(5, 60);
    EXPECT_EQ(e.Start(5, 1), -1);
    EXPECT_EQ(e.Start(-1, 1), -1);
    EXPECT_EQ(e.Start(EFFECT_POOL_CAPACITY, 1), -1);
    EXPECT_TRUE(e.starts.empty());
    EXPECT_EQ(e.m_aInstances[5].life, 0);
    e.Clear(-1);                    // ignored, no crash
    e.Clear(EFFECT_POOL_CAPACITY);  // ignored, no crash
}

TEST(EffectPool, RecordEndedByItsClassIsFreeAfterThatTick) {
    ProbeEffect e(1, 60);
    e.endAtAge = 2;
    e.Add(0);
    for (int i = 0; i < 5; ++i) e.Tick();
    EXPECT_EQ(e.frames.size(), 3u);
    EXPECT_LE(e.m_aInstances[0].life, 0);
    EXPECT_EQ(e.Add(0), 0);
}

}  // namespace
