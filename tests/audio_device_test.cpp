#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/host/AudioDevice.h"
#include "platform/host/Headless.h"

namespace {

std::vector<int16_t> Constant(size_t samples, int16_t value) { return std::vector<int16_t>(samples, value); }

host::VoiceId MakeVoice(host::AudioDevice& d, uint16_t channels, uint32_t rate, const std::vector<int16_t>& pcm) {
    host::PcmFormat f;
    f.channels = channels;
    f.rate = rate;
    f.bits = 16;
    host::VoiceId id = d.CreateVoice(f, uint32_t(pcm.size() * 2));
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(d.WriteVoice(id, 0, pcm.data(), uint32_t(pcm.size() * 2)));
    // The music's bus: the effects' compressor leaves the levels below as they are.
    d.SetGroup(id, 1);
    return id;
}

// Frames (stereo pairs) whose left sample is not zero.
size_t AudibleFrames(const std::vector<int16_t>& mixed) {
    size_t n = 0;
    for (size_t i = 0; i < mixed.size(); i += 2) n += mixed[i] != 0;
    return n;
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

TEST(AudioDevice, LoopingVoiceIsHeardUntilStoppedAndKeepsItsPosition) {
    host::HeadlessHost h;
    auto& d = h.audio;
    host::VoiceId v = MakeVoice(d, 1, 22050, Constant(1000, 10000));
    ASSERT_TRUE(d.Play(v, true));
    h.clock.AdvanceSeconds(0.1);  // 2205 frames
    auto heard = d.TakeMixed();
    ASSERT_EQ(heard.size(), 2205u * 2);
    // Full level once faded in over the first few milliseconds.
    EXPECT_TRUE(std::all_of(heard.begin() + 2 * host::kRampFrames, heard.end(), [](int16_t s) { return s == 10000; }));
    EXPECT_EQ(d.GetStatus(v), uint32_t(host::VOICE_PLAYING | host::VOICE_LOOPING));
    EXPECT_EQ(d.GetPosition(v), 205u * 2);  // wrapped twice

    ASSERT_TRUE(d.Stop(v));
    h.clock.AdvanceSeconds(0.1);
    heard = d.TakeMixed();
    ASSERT_EQ(heard.size(), 2205u * 2);
    // Heard only while it fades out.
    EXPECT_EQ(AudibleFrames(heard), size_t(host::kRampFrames));
    EXPECT_EQ(d.GetStatus(v), 0u);
    EXPECT_EQ(d.GetPosition(v), 205u * 2);

    // Playing again goes on from the kept position.
    d.Play(v, false);
    h.clock.AdvanceSeconds(0.1);
    EXPECT_EQ(AudibleFrames(d.TakeMixed()), 1000u - 205u);
    d.DestroyVoice(v);
    EXPECT_EQ(d.VoiceCount(), 0u);
}

TEST(AudioDevice, PlaybackFrequencyResamplesToTheOutputRate) {
    host::HeadlessHost h;
    auto& d = h.audio;
    host::VoiceId fast = MakeVoice(d, 1, 22050, Constant(2205, 3000));
    d.SetFrequency(fast, 44100);
    EXPECT_EQ(d.GetFrequency(fast), 44100u);
    d.Play(fast, false);
    h.clock.AdvanceSeconds(1.0);
    size_t n = AudibleFrames(d.TakeMixed());
    EXPECT_GE(n, 1102u);
    EXPECT_LE(n, 1103u);

    // A sound at its own 11025 Hz lasts twice its frame count at the output rate.
    host::VoiceId slow = MakeVoice(d, 1, 11025, Constant(2205, 3000));
    EXPECT_EQ(d.GetFrequency(slow), 11025u);
    d.Play(slow, false);
    h.clock.AdvanceSeconds(1.0);
    n = AudibleFrames(d.TakeMixed());
    EXPECT_GE(n, 4409u);
    EXPECT_LE(n, 4410u);
    // Frequency 0 means the voice's own rate again.
    d.SetFrequency(fast, 0);
    EXPECT_EQ(d.GetFrequency(fast), 22050u);
}

TEST(AudioDevice, VolumeIsHundredthsOfADecibelAndMinimumIsSilent) {
    host::HeadlessHost h;
    auto& d = h.audio;
    host::VoiceId v = MakeVoice(d, 1, 22050, Constant(4410, 10000));
    d.SetVolume(v, -2000);
    d.Play(v, false);
    h.clock.AdvanceSeconds(0.01);
    auto heard = d.TakeMixed();
    ASSERT_GT(heard.size(), 2u * host::kRampFrames);
    EXPECT_NEAR(heard[2 * host::kRampFrames], 1000, 1);
    d.SetVolume(v, -20000);  // clamped
    EXPECT_EQ(d.GetVolume(v), -10000);
    h.clock.AdvanceSeconds(0.01);
    // Down to silence within the ramp, then silent.
    EXPECT_LE(AudibleFrames(d.TakeMixed()), size_t(host::kRampFrames));
    h.clock.AdvanceSeconds(0.01);
    EXPECT_EQ(AudibleFrames(d.TakeMixed()), 0u);
    d.SetVolume(v, 300);
    EXPECT_EQ(d.GetVolume(v), 0);
}

TEST(AudioDevice, MixesStereoMonoAndEightBitAndLimits) {
    host::HeadlessHost h;
    auto& d = h.audio;
    std::vector<int16_t> stereo;
    for (int i = 0; i < 1000; ++i) {
        stereo.push_back(1000);
        stereo.push_back(-2000);
    }
    host::VoiceId s = MakeVoice(d, 2, 22050, stereo);
    host::PcmFormat f8;
    f8.channels = 1;
    f8.rate = 22050;
    f8.bits = 8;
    host::VoiceId b = d.CreateVoice(f8, 1000);
    d.SetGroup(b, 1);
    std::vector<uint8_t> bytes(1000, 200);  // +72 in unsigned 8-bit
    d.WriteVoice(b, 0, bytes.data(), 1000);
    d.Play(s, false);
    d.Play(b, false);
    h.clock.AdvanceSeconds(0.02);  // 441 frames
    auto heard = d.TakeMixed();
    ASSERT_GE(heard.size(), 2u * 400);
    EXPECT_EQ(heard[2 * 400], 1000 + 72 * 256);
    EXPECT_EQ(heard[2 * 400 + 1], -2000 + 72 * 256);
    d.Stop(s);
    d.Stop(b);

    host::VoiceId loud1 = MakeVoice(d, 1, 22050, Constant(2000, 30000));
    host::VoiceId loud2 = MakeVoice(d, 1, 22050, Constant(2000, -30000));
    host::VoiceId loud3 = MakeVoice(d, 1, 22050, Constant(2000, -30000));
    d.Play(loud1, false);
    d.Play(loud2, false);
    h.clock.AdvanceSeconds(0.02);
    heard = d.TakeMixed();
    EXPECT_EQ(heard[2 * 400], 0);
    d.Stop(loud1);
    d.Play(loud3, false);
    h.clock.AdvanceSeconds(0.02);
    heard = d.TakeMixed();
    // -60000 goes in; the limiter holds it at its ceiling rather than clipping.
    EXPECT_GE(heard[2 * 400], -int(host::kLimitCeiling));
    EXPECT_LE(heard[2 * 400], -int(host::kLimitCeiling) + 100);
}

TEST(AudioDevice, RefusesFormatsItCannotMixAndUnknownVoices) {
    host::HeadlessHost h;
    auto& d = h.audio;
    host::PcmFormat f;
    f.channels = 3;
    f.rate = 22050;
    f.bits = 16;
    EXPECT_EQ(d.CreateVoice(f, 600), 0u);
    f.channels = 2;
    f.bits = 24;
    EXPECT_EQ(d.CreateVoice(f, 600), 0u);
    f.bits = 16;
    f.rate = 0;
    EXPECT_EQ(d.CreateVoice(f, 600), 0u);
    EXPECT_FALSE(d.Play(12345, false));
    EXPECT_EQ(d.GetStatus(12345), 0u);
    // Writes past the end are clipped, not overrun.
    f.rate = 22050;
    host::VoiceId v = d.CreateVoice(f, 8);
    int16_t big[16] = {};
    EXPECT_TRUE(d.WriteVoice(v, 4, big, sizeof big));
    // Positions past the end rewind.
    EXPECT_TRUE(d.SetPosition(v, 4));
    EXPECT_EQ(d.GetPosition(v), 4u);
    EXPECT_TRUE(d.SetPosition(v, 400));
    EXPECT_EQ(d.GetPosition(v), 0u);
}

TEST(AudioDevice, SdlDeviceOpensOnTheSilentDriverAndCountsOpens) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SdlAudioDevice d;
    ASSERT_TRUE(d.Open());
    EXPECT_TRUE(d.Open());
    d.Close();
    EXPECT_TRUE(d.IsOpen());
    d.Close();
    EXPECT_FALSE(d.IsOpen());
}

TEST(AudioDevice, SdlOutputThreadPlaysVoicesToTheirEnd) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SdlAudioDevice d;
    ASSERT_TRUE(d.Open());
    host::VoiceId v = MakeVoice(d, 1, 22050, Constant(1102, 1000));  // 50 ms
    d.Play(v, false);
    // The output thread advances the voice; wait for it, however slow the machine.
    for (int i = 0; i < 500 && d.GetStatus(v) != 0; ++i) SleepMs(10);
    EXPECT_EQ(d.GetStatus(v), 0u);
    EXPECT_EQ(d.GetPosition(v), 0u);
    d.DestroyVoice(v);
    d.Close();
}

// The last close keeps the device, silent, for the next open (the start-up
// probe closes it just before the game opens it): opened again, it plays.
TEST(AudioDevice, SdlDeviceOpenedAgainAfterItsLastClosePlaysVoices) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SdlAudioDevice d;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(d.Open()) << round;
        host::VoiceId v = MakeVoice(d, 1, 22050, Constant(1102, 1000));  // 50 ms
        d.Play(v, false);
        for (int i = 0; i < 500 && d.GetStatus(v) != 0; ++i) SleepMs(10);
        EXPECT_EQ(d.GetStatus(v), 0u) << "round " << round;
        d.DestroyVoice(v);
        d.Close();
        EXPECT_FALSE(d.IsOpen());
    }
}

TEST(AudioDevice, WorkersCreateAndDestroyVoicesWhileTheOutputMixes) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host::SdlAudioDevice d;
    ASSERT_TRUE(d.Open());
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&d, t] {
            for (int i = 0; i < 200; ++i) {
                host::VoiceId v = MakeVoice(d, uint16_t(1 + (i + t) % 2), 11025 + 11025 * (i % 3), Constant(512, 100));
                d.Play(v, i % 2 == 0);
                d.SetVolume(v, -100 * (i % 10));
                d.Mix(nullptr, 0);
                d.DestroyVoice(v);
            }
        });
    }
    for (auto& w : workers) w.join();
    EXPECT_EQ(d.VoiceCount(), 0u);
    d.Close();
}

// The record of what was heard keeps the latest stretch it is asked for, in
// order, however the clock is stepped; asked for none it keeps nothing while
// voices still play to their end.
TEST(AudioDevice, HeardRecordKeepsOnlyTheLatestStretchAskedFor) {
    host::HeadlessHost h;
    auto& d = h.audio;
    d.SetHeardSeconds(1);
    host::VoiceId v = MakeVoice(d, 1, 22050, Constant(22050 * 2, 5000));  // two seconds
    d.Play(v, false);
    for (int frame = 0; frame < 150; ++frame) {  // 2.5 s in game frames
        h.clock.AdvanceSeconds(1.0 / 60.0);
        d.CatchUp();
    }
    auto heard = d.TakeMixed();
    ASSERT_EQ(heard.size(), 22050u * 2);
    // The last second: half a second of the voice's end, then silence.
    EXPECT_NEAR(double(AudibleFrames(heard)), 11025.0, 2.0);
    EXPECT_NE(heard.front(), 0);
    EXPECT_EQ(heard.back(), 0);

    d.SetHeardSeconds(0);
    d.SetPosition(v, 0);
    d.Play(v, false);
    for (int frame = 0; frame < 150; ++frame) {
        h.clock.AdvanceSeconds(1.0 / 60.0);
        d.CatchUp();
    }
    EXPECT_TRUE(d.TakeMixed().empty());
    EXPECT_EQ(d.GetStatus(v), 0u);  // it ran off its end all the same
}

// The record names the clip behind the largest break of each frame (its step
// beyond the clip's own), so a click in a battle's mix can be traced to the
// sound that made it.
TEST(AudioDevice, RecordNamesTheClipThatBroke) {
    host::HeadlessHost h;
    auto& d = h.audio;
    d.KeepGroups(true);
    std::vector<int16_t> jump(3000, 0);
    std::fill(jump.begin() + 1500, jump.end(), int16_t(8000));
    host::VoiceId a = MakeVoice(d, 1, 22050, std::vector<int16_t>(4000, 8000)), b = MakeVoice(d, 1, 22050, jump);
    ASSERT_TRUE(d.Play(b, false));
    h.clock.AdvanceSeconds(0.01);
    d.TakeStepSources();
    d.SetSmoothing(false);  // a starts at full level at once: a break of 8000
    ASSERT_TRUE(d.Play(a, false));
    h.clock.AdvanceSeconds(0.1);  // 2205 frames
    const std::vector<host::AudioDevice::StepSource> sources = d.TakeStepSources();
    ASSERT_EQ(sources.size(), 2205u);
    EXPECT_EQ(sources[0].frames, 4000u) << "the start";
    EXPECT_EQ(sources[0].at, 0u);
    EXPECT_EQ(sources[0].rate, 22050u);
    EXPECT_NEAR(sources[0].step, 8000.0f, 1.0f);
    // b jumps by itself about 1280 frames on: no break of the mixer's.
    for (size_t i = 1; i < sources.size(); ++i) ASSERT_EQ(sources[i].frames, 0u) << "frame " << i;
    d.KeepGroups(false);
    h.clock.AdvanceSeconds(0.01);
    EXPECT_TRUE(d.TakeStepSources().empty()) << "nothing is kept unless asked";
}

// Where nobody listens (no record kept) nothing is mixed, yet every voice is
// where a mix would have left it: the same position and playing state after
// every game frame, for each kind of sound and each thing done to it.
TEST(AudioDevice, UnheardVoicesMoveOnAsAMixWouldMoveThem) {
    using Script = void (*)(host::AudioDevice&, host::VoiceId, host::VoiceId, int);
    struct Row {
        const char* sound;
        uint16_t channels;
        uint32_t rate, frames, frequency;  // frequency 0: its own rate
        bool loop;
        Script script;  // before each frame; b is a looping companion
    };
    const Row rows[] = {
        {"a loop at its own rate", 1, 22050, 1000, 0, true,
         [](host::AudioDevice&, host::VoiceId, host::VoiceId, int) {}},
        {"a stereo one-shot played again every second", 2, 11025, 5000, 0, false,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId, int f) {
             if (f % 60 == 0) d.Play(a, false);
         }},
        {"a loop shorter than one output frame's step", 1, 8000, 3, 200000, true,
         [](host::AudioDevice&, host::VoiceId, host::VoiceId, int) {}},
        {"a one-shot at an odd rate, paused and resumed", 1, 44100, 30000, 17329, false,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId, int f) {
             if (f % 50 == 10) d.Stop(a);
             if (f % 50 == 30) d.Play(a, false);
         }},
        {"a loop paused and resumed playing once", 1, 22050, 9000, 0, true,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId, int f) {
             if (f == 40) d.Stop(a);
             if (f == 45) d.Play(a, false);
         }},
        {"a loop faded out frame by frame, stopped and started over", 2, 22050, 4000, 0, true,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId, int f) {
             d.SetVolume(a, -40 * (f % 250));
             if (f % 250 == 249) {
                 d.Stop(a);
                 d.SetPosition(a, 0);
                 d.Play(a, true);
             }
         }},
        {"a one-shot moved about while it plays", 1, 22050, 20000, 30000, false,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId, int f) {
             if (f % 37 == 0) d.SetPosition(a, uint32_t(f * 101 % 20000) * 2);
             if (f % 90 == 0) d.Play(a, false);
         }},
        {"an intro at an odd rate its loop follows", 1, 22050, 7000, 16001, false,
         [](host::AudioDevice& d, host::VoiceId a, host::VoiceId b, int f) {
             if (f == 3) d.QueueNext(a, b, true);
             if (f == 200) d.Stop(b);
             if (f == 201) d.Play(b, true);
         }},
    };
    for (const Row& row : rows) {
        host::HeadlessHost h;
        host::HeadlessAudioDevice unheard;  // on the same clock
        unheard.SetHeardSeconds(0);
        host::AudioDevice* devices[2] = {&h.audio, &unheard};
        host::VoiceId a[2], b[2];
        for (int k = 0; k < 2; ++k) {
            a[k] = MakeVoice(*devices[k], row.channels, row.rate, Constant(size_t(row.frames) * row.channels, 4000));
            b[k] = MakeVoice(*devices[k], 1, 22050, Constant(3000, 2000));
            if (row.frequency) devices[k]->SetFrequency(a[k], row.frequency);
            devices[k]->Play(a[k], row.loop);
        }
        for (int f = 0; f < 600; ++f) {
            for (int k = 0; k < 2; ++k) row.script(*devices[k], a[k], b[k], f);
            // Frames of 7, 14 and 21 ms, so the catch-ups fall anywhere.
            h.clock.AdvanceSeconds(0.007 * double(f % 3 + 1));
            for (const host::VoiceId* v : {a, b}) {
                ASSERT_EQ(unheard.GetStatus(v[1]), h.audio.GetStatus(v[0])) << row.sound << ", frame " << f;
                ASSERT_EQ(unheard.GetPosition(v[1]), h.audio.GetPosition(v[0])) << row.sound << ", frame " << f;
            }
        }
        EXPECT_FALSE(h.audio.TakeMixed().empty()) << row.sound;
        EXPECT_TRUE(unheard.TakeMixed().empty()) << row.sound;
    }
}
