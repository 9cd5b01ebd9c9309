// A sound's loudness comes from the master, group and factor levels; its own
// level, set once at load, changes nothing. Lowered after the sound started
// (the reward's music fade), the level is heard as the drop from the level it
// was started with: x 10^((level - start level) / 2000), i.e. that many
// hundredths of a decibel off the buffer volume.
#include <cmath>

#include "tests/Harness.h"
#include "tests/OggClip.h"

namespace {

using harness::BufferVolumeOf;

struct LevelRow {
    const char* rule;
    int group;
    int loadLevel;    // set before Play
    int laterLevel;   // set after Play, as a fade does
    int32_t atStart;  // buffer volume just after Play
    int32_t later;    // buffer volume after the later level
};

}  // namespace

TEST(SoundLevelRule, LevelSetAtLoadIsIgnoredAndAFadeFromTheStartLevelIsHeard) {
    // Effects at -2200: 7800 x 0.25 - 2500 = -550. Music at -5000: 5000 x 0.25 - 2500 = -1250.
    const LevelRow rows[] = {
        {"a level set at load changes nothing (battle music at -3000)", 1, -3000, -3000, -1250, -1250},
        {"a level set at load changes nothing (effect at -1500)", 0, -1500, -1500, -550, -550},
        {"the reward fade's first step is heard: 20 hundredths lower", 1, -3000, -3020, -1250, -1270},
        {"the reward fade, halfway: 3000 lower", 1, -3000, -6000, -1250, -4250},
        {"the fade's floor goes no lower than silence", 1, -3000, -9000, -1250, -7250},
        {"the finish loop's fade by 200 a frame, five frames", 0, 0, -1000, -550, -1550},
        {"a level raised above the start is not louder", 0, -3000, -1000, -550, -550},
        {"a drop past the audible range is silence", 0, 0, -9800, -550, -10000},
    };
    harness::World w({{"Resource/Sound/Clip.ogg", testclip::MakeOgg(1, 22050, 22050)}});
    for (const LevelRow& row : rows) {
        SCOPED_TRACE(row.rule);
        CVxSound s("Clip.ogg", "Resource\\Sound\\");
        ASSERT_NE(s.m_pSound, nullptr);
        s.m_iGroup = row.group;
        s.ApplyVolume(row.loadLevel);
        s.Play();
        EXPECT_EQ(BufferVolumeOf(s), row.atStart);
        s.ApplyVolume(row.laterLevel);
        EXPECT_EQ(s.m_iLevel, row.laterLevel);
        EXPECT_EQ(BufferVolumeOf(s), row.later);
        s.Stop();
    }
}

TEST(SoundLevelRule, ANeverStartedSoundIgnoresItsLevel) {
    harness::World w({{"Resource/Sound/Clip.ogg", testclip::MakeOgg(1, 22050, 22050)}});
    CVxSound s("Clip.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    for (int level : {0, -300, -3000, -9000}) {
        s.ApplyVolume(level);
        EXPECT_EQ(BufferVolumeOf(s), -550) << level;
    }
}

TEST(SoundLevelRule, PlayingAgainStartsFromTheLevelItHasThen) {
    harness::World w({{"Resource/Sound/Clip.ogg", testclip::MakeOgg(1, 22050, 22050)}});
    CVxSound s("Clip.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    s.ApplyVolume(-3000);
    s.Play();
    s.ApplyVolume(-3400);
    EXPECT_EQ(BufferVolumeOf(s), -950);
    // Started again at -3400, that is its start level now: full loudness again.
    s.Stop();
    s.Play();
    EXPECT_EQ(BufferVolumeOf(s), -550);
    // The factor still scales as before, with the drop on top.
    s.ApplyVolume(-3600);
    s.SetVolumeFactor(0.5f);
    EXPECT_EQ(BufferVolumeOf(s), int32_t(7800 * 0.25 * 0.5 - 2500) - 200);
}

// The drop is heard in the output: 2000 hundredths lower is a tenth of the amplitude.
TEST(SoundLevelRule, TheDropIsHeardInTheMix) {
    harness::World w({{"Resource/Sound/Clip.ogg", testclip::MakeOgg(1, 22050, 44100)}});
    CVxSound s("Clip.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    // Music, as the reward's fade is: the effects' compressor would blur the ratio.
    s.m_iGroup = 1;
    g_iMusicVolume = 0;
    s.ApplyVolume(-3000);
    s.Play();
    auto peak = [&w]() {
        w.host.clock.AdvanceSeconds(0.25);
        int p = 0;
        for (int16_t v : w.HeardLeft()) p = std::max(p, std::abs(int(v)));
        return p;
    };
    const int full = peak();
    s.ApplyVolume(-5000);
    peak();  // the ramp
    const int lowered = peak();
    g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
    ASSERT_GT(full, 3000);
    EXPECT_NEAR(double(lowered) / double(full), 0.1, 0.01);
}
