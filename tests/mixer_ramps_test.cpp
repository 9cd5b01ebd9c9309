// The mixer never jumps: a voice that starts mid-clip, stops, restarts or
// changes volume reaches its new level over a few milliseconds, a loop queued
// after an intro joins it sample-exactly, and the limiter keeps the sum under
// its ceiling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/AudioDevice.h"
#include "platform/host/Headless.h"
#include "tools/stagerun/MixReport.h"

namespace {

constexpr int kLevel = 20000;  // a loud clip

// A two-second clip that ramps slowly from -kLevel to +kLevel: its own step is under 2,
// so every larger step in the output comes from the mixer.
std::vector<int16_t> SlowRamp(size_t frames) {
    std::vector<int16_t> pcm(frames);
    for (size_t i = 0; i < frames; ++i) pcm[i] = int16_t(-kLevel + int(2.0 * kLevel * double(i) / double(frames)));
    return pcm;
}

// Loud noise whose every sample is 10000 to 20000 away from zero: its own
// steps are thousands, so only the click measure can tell a break in it.
std::vector<int16_t> LoudNoise(size_t frames) {
    std::vector<int16_t> pcm(frames);
    uint32_t x = 12345;
    for (size_t i = 0; i < frames; ++i) {
        x = x * 1664525u + 1013904223u;
        const int size = 10000 + int((x >> 8) % 10001);
        pcm[i] = int16_t((x >> 31) ? size : -size);
    }
    return pcm;
}

host::VoiceId Voice(host::AudioDevice& d, const std::vector<int16_t>& pcm) {
    host::PcmFormat f;
    f.channels = 1;
    f.rate = 22050;
    f.bits = 16;
    host::VoiceId id = d.CreateVoice(f, uint32_t(pcm.size() * 2));
    d.WriteVoice(id, 0, pcm.data(), uint32_t(pcm.size() * 2));
    // On the music's bus, which the effects' compressor leaves alone: every
    // step measured is the ramps' own.
    d.SetGroup(id, 1);
    return id;
}

// The largest step between neighbouring left samples, the first against silence.
int MaxStep(const std::vector<int16_t>& stereo, int16_t before = 0) {
    int step = 0;
    int last = before;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        step = std::max(step, std::abs(int(stereo[i]) - last));
        last = stereo[i];
    }
    return step;
}

struct RampCase {
    const char* name;
    // Does something to a voice that has been playing the slow ramp for 0.5 s at full volume.
    std::function<void(host::AudioDevice&, host::VoiceId)> act;
    int bound;  // largest step allowed around it
};

}  // namespace

TEST(MixerRamps, NoStepWhenAVoiceStartsStopsRestartsOrChangesVolume) {
    const int rampStep = kLevel / int(host::kRampFrames) + 1;  // one ramp across the whole level
    const RampCase cases[] = {
        {"start mid-clip at full level",
         [](host::AudioDevice& d, host::VoiceId v) {
             d.Stop(v);
             host::VoiceId fresh = Voice(d, SlowRamp(44100));
             d.SetPosition(fresh, 40000 * 2);  // about +16000 there
             d.Play(fresh, false);
         },
         2 * rampStep + 4},  // one fades out while the other fades in
        {"stop", [](host::AudioDevice& d, host::VoiceId v) { d.Stop(v); }, rampStep + 4},
        {"restart from the start",
         [](host::AudioDevice& d, host::VoiceId v) {
             d.Stop(v);
             d.SetPosition(v, 0);
             d.Play(v, false);
         },
         2 * rampStep + 4},
        {"jump while playing", [](host::AudioDevice& d, host::VoiceId v) { d.SetPosition(v, 100); }, 2 * rampStep + 4},
        {"volume down in one step", [](host::AudioDevice& d, host::VoiceId v) { d.SetVolume(v, -2000); }, rampStep + 4},
        {"volume to silence", [](host::AudioDevice& d, host::VoiceId v) { d.SetVolume(v, -10000); }, rampStep + 4},
        {"stopped and played on at a new volume",
         [](host::AudioDevice& d, host::VoiceId v) {
             d.Stop(v);
             d.SetVolume(v, -1000);
             d.Play(v, false);
         },
         rampStep + 4},
        {"destroyed while playing", [](host::AudioDevice& d, host::VoiceId v) { d.DestroyVoice(v); }, rampStep + 4},
    };
    for (const RampCase& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost h;
        auto& d = h.audio;
        host::VoiceId v = Voice(d, SlowRamp(44100));
        d.Play(v, false);
        h.clock.AdvanceSeconds(0.75);
        auto before = d.TakeMixed();
        ASSERT_FALSE(before.empty());
        // Playing at full volume, three eighths into the ramp.
        EXPECT_NEAR(before.back(), -kLevel / 4, 300);
        c.act(d, v);
        h.clock.AdvanceSeconds(0.1);
        auto after = d.TakeMixed();
        EXPECT_LE(MaxStep(after, before.back()), c.bound);
        // The change has happened within the ramp: the output is settled after it.
        EXPECT_LE(MaxStep(std::vector<int16_t>(after.begin() + 2 * host::kRampFrames + 2, after.end()),
                          after[2 * host::kRampFrames]),
                  4);
    }
    // The same done to loud noise: the click measure hears no break with the
    // ramps, and one without them.
    for (const RampCase& c : cases) {
        for (bool smooth : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (smooth ? ", on noise" : ", on noise without ramps"));
            host::HeadlessHost h;
            auto& d = h.audio;
            d.KeepGroups(true);
            d.SetSmoothing(smooth);
            host::VoiceId v = Voice(d, LoudNoise(44100));
            d.Play(v, false);
            h.clock.AdvanceSeconds(0.75);
            c.act(d, v);
            h.clock.AdvanceSeconds(0.1);
            const std::vector<int16_t> heard = d.TakeMixed();
            const size_t clicks = FindClicks(heard, d.TakeUnbrokenSteps()).size();
            EXPECT_EQ(clicks, smooth ? 0u : 1u);
        }
    }
}

// Without ramps a restart of the same clip would step by the clip's whole
// swing; a start from silence fades in within the ramp and then plays the
// clip as it is.
TEST(MixerRamps, AStartFadesInWithinTheRampThenPlaysTheClipAsItIs) {
    host::HeadlessHost h;
    auto& d = h.audio;
    host::VoiceId v = Voice(d, std::vector<int16_t>(4410, 12000));
    d.Play(v, false);
    h.clock.AdvanceSeconds(0.3);
    auto heard = d.TakeMixed();
    ASSERT_GE(heard.size(), 2u * 4410);
    EXPECT_LT(heard[0], 12000 / 10);
    EXPECT_EQ(heard[2 * host::kRampFrames], 12000);
    EXPECT_EQ(heard[2 * 1000], 12000);
    // The one-shot's end goes down to silence over the ramp, not at once.
    EXPECT_GT(heard[2 * (4410 - host::kRampFrames / 2)], 4000);
    EXPECT_EQ(heard[2 * 4410], 0);
    EXPECT_LE(MaxStep(heard), 12000 / int(host::kRampFrames) + 2);
}

TEST(MixerRamps, AQueuedLoopFollowsTheIntroOnItsNextSample) {
    host::HeadlessHost h;
    auto& d = h.audio;
    d.SetHeardSeconds(5);
    host::VoiceId intro = Voice(d, std::vector<int16_t>(3000, 9000));
    host::VoiceId loop = Voice(d, std::vector<int16_t>(1000, 9000));
    d.Play(intro, false);
    ASSERT_TRUE(d.QueueNext(intro, loop, true));
    h.clock.AdvanceSeconds(0.5);
    auto heard = d.TakeMixed();
    // After the intro's fade-in everything is 9000: no dip, no gap, at the join or at the loop's own wrap.
    for (size_t i = 2 * (host::kRampFrames + 1); i < heard.size(); i += 2)
        ASSERT_EQ(heard[i], 9000) << "frame " << i / 2;
    EXPECT_EQ(d.GetStatus(intro), 0u);
    EXPECT_EQ(d.GetStatus(loop), uint32_t(host::VOICE_PLAYING | host::VOICE_LOOPING));

    // A stopped intro forgets its follower.
    d.Stop(loop);
    d.SetPosition(intro, 0);
    d.Play(intro, false);
    d.QueueNext(intro, loop, true);
    d.Stop(intro);
    d.Play(intro, false);
    h.clock.AdvanceSeconds(0.5);
    EXPECT_EQ(d.GetStatus(loop), 0u);
    EXPECT_FALSE(d.QueueNext(intro, intro, true));
    EXPECT_FALSE(d.QueueNext(intro, 999, true));
}

TEST(MixerRamps, LimiterKeepsTheSumUnderItsCeilingAndRecovers) {
    host::HeadlessHost h;
    auto& d = h.audio;
    d.SetHeardSeconds(10);
    host::VoiceId quiet = Voice(d, std::vector<int16_t>(22050, 8000));
    host::VoiceId a = Voice(d, std::vector<int16_t>(22050, 20000));
    host::VoiceId b = Voice(d, std::vector<int16_t>(22050, 20000));
    d.Play(quiet, true);
    d.Play(a, false);
    d.Play(b, false);
    h.clock.AdvanceSeconds(0.5);
    auto loud = d.TakeMixed();
    int peak = 0;
    for (int16_t s : loud) peak = std::max(peak, std::abs(int(s)));
    // -3.5 dBFS, under the -3 dBFS a battle must keep.
    EXPECT_LE(peak, 21900);
    EXPECT_GE(peak, 21800);
    // The loud voices end; the quiet one comes back to its own level within a couple of seconds.
    h.clock.AdvanceSeconds(2.5);
    auto after = d.TakeMixed();
    EXPECT_NEAR(after[after.size() - 2], 8000, 40);
    // ... smoothly: no step beyond the quiet voice's own ramp on the way.
    EXPECT_LE(MaxStep(after, loud.back()), 20000 / int(host::kRampFrames) + 50);
}

// Effects louder than the compressor's knee (-22 dBFS RMS) come out rising
// half as fast as they go in; music, and effects under the knee, pass as they are.
TEST(MixerRamps, LoudEffectsAreCompressedAndTheMusicIsNot) {
    struct Row {
        uint8_t group;
        int16_t level;
        int16_t heard;  // settled
    };
    // -8.03 dBFS is 13.97 dB over the knee: 6.98 dB under what goes in.
    const Row rows[] = {{0, 13000, 5814}, {2, 13000, 5814}, {1, 13000, 13000}, {0, 1000, 1000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.group) * 100000 + row.level);
        host::HeadlessHost h;
        auto& d = h.audio;
        host::VoiceId v = Voice(d, std::vector<int16_t>(22050, row.level));
        d.SetGroup(v, row.group);
        d.Play(v, true);
        h.clock.AdvanceSeconds(0.5);
        auto heard = d.TakeMixed();
        EXPECT_NEAR(heard[heard.size() - 2], row.heard, 30);
        EXPECT_LE(MaxStep(heard), int(row.level) / int(host::kRampFrames) + 2);
    }
}
