#include <gtest/gtest.h>

#include <vector>

#include "engine/VxEffect.h"

namespace {

// Remembers every OnStart and the age of every OnFrame.
class ProbeEffect : public CVxEffect {
public:
    ProbeEffect(int poolSize, int life) {
        m_nPoolSize = poolSize;
        m_iDefaultLife = life;
    }
    void OnStart(int index) override { starts.push_back(index); }
    void OnFrame(int index) override {
        ages.push_back(m_aInstances[index].age);
        if (m_aInstances[index].age == endAtAge) Clear(index);
    }
    std::vector<int> starts, ages;
    int endAtAge = -1;
};

TEST(EffectPool, FullPoolRefusesAndARecordIsFreeAfterItsLife) {
    ProbeEffect one(1, 15);
    EXPECT_EQ(one.Add(0), 0);
    EXPECT_EQ(one.Add(0), -1);
    for (int i = 0; i < 16; ++i) one.Tick();
    ASSERT_EQ(one.ages.size(), 15u);  // ages 0 to 14
    EXPECT_EQ(one.ages.back(), 14);
    EXPECT_EQ(one.Add(7), 0);

    ProbeEffect three(3, 60);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(three.Add(0), i);
    EXPECT_EQ(three.Add(0), -1);  // record 3 exists but lies outside the pool
    three.Clear(1);
    EXPECT_EQ(three.Add(0), 1);
    EXPECT_EQ(ProbeEffect(0, 60).Add(0), -1);
}

TEST(EffectPool, DelayedRecordFirstRunsOnTheTickAfterItsDelay) {
    ProbeEffect e(10, 15);
    ASSERT_EQ(e.AddDelayed(3, 0), 0);
    EXPECT_EQ(e.starts.size(), 1u);  // started at once, run later
    for (int i = 0; i < 3; ++i) e.Tick();
    EXPECT_TRUE(e.ages.empty());
    e.Tick();
    EXPECT_EQ(e.ages, std::vector<int>{0});
}

TEST(EffectPool, NewRecordClearsStateButKeepsTheClassData) {
    ProbeEffect e(2, 80);
    EffectInstance& r = e.m_aInstances[0];
    r.state[5] = 99;
    r.classWords[1] = 42;
    r.extra[3] = 7;
    ASSERT_EQ(e.Add(4, 1.5f, -2.0f, 3.0f, 4.0f, 5.0f, 6.0f), 0);
    EXPECT_EQ(r.kind, 4);
    EXPECT_EQ(r.life, 80);
    EXPECT_FLOAT_EQ(r.params[1].f, -2.0f);
    EXPECT_FLOAT_EQ(r.params[5].f, 6.0f);
    EXPECT_EQ(r.state[5], 0);
    EXPECT_EQ(r.classWords[1], 42);
    EXPECT_EQ(r.extra[3], 7);
}

TEST(EffectPool, EndlessLifeRunsUntilCleared) {
    ProbeEffect e(1, EFFECT_ENDLESS_LIFE);
    e.Add(0);
    for (int i = 0; i < 40000; ++i) e.Tick();
    EXPECT_EQ(e.m_aInstances[0].life, EFFECT_ENDLESS_LIFE);
    EXPECT_EQ(e.m_aInstances[0].age, 40000);
    e.Clear(0);
    e.Tick();
    EXPECT_EQ(e.ages.size(), 40000u);
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
    EXPECT_EQ(r.state[0], 0);
    EXPECT_FLOAT_EQ(r.params[0].f, 2.0f);
    EXPECT_EQ(e.starts.size(), 2u);
    // Outside the pool: refused.
    EXPECT_EQ(e.Start(5, 1), -1);
    EXPECT_EQ(e.Start(-1, 1), -1);
    EXPECT_EQ(e.starts.size(), 2u);
}

TEST(EffectPool, RecordEndedByItsClassIsFreeAfterThatTick) {
    ProbeEffect e(1, 60);
    e.endAtAge = 2;
    e.Add(0);
    for (int i = 0; i < 5; ++i) e.Tick();
    EXPECT_EQ(e.ages.size(), 3u);
    EXPECT_EQ(e.Add(0), 0);
}

}  // namespace
