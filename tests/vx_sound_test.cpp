

#include "tests/OggClip.h"
#include "tests/Harness.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

Files StandardSounds() {
    std::vector<int16_t> beep(2205, 12000);
    std::string junk = "certainly not an ogg vorbis stream, just some words";
    return {
        {"Resource/Sound/SFX_Click.ogg", testclip::MakeOgg(1, 22050, 22050)},
        {"Resource/Sound/BGM_Menu.OGG", testclip::MakeOgg(2, 44100, 4410)},
        {"Resource/Sound/SFX_Junk.ogg", std::vector<uint8_t>(junk.begin(), junk.end())},
        {"Resource/Sound/SFX_Beep.wav", testclip::MakeWav(1, 22050, beep)},
    };
}

size_t Audible(const std::vector<int16_t>& s) {
    return size_t(std::count_if(s.begin(), s.end(), [](int16_t v) { return v != 0; }));
}

using harness::BufferVolumeOf;

}  // namespace

TEST(VxSoundVolume, GroupAndMasterLevelsDecideTheLoudness) {
    harness::World w(StandardSounds());
    CVxSound s("SFX_Click.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);

    s.ApplyVolume(-300);  // only stored
    EXPECT_EQ(s.m_iLevel, -300);
    EXPECT_EQ(s.m_iEffectiveLevel, 7800);
    EXPECT_EQ(BufferVolumeOf(s), -550);

    g_iMasterVolume = -10000;
    for (int group : {0, 1, 2}) {
        s.m_iGroup = group;
        s.ApplyVolume(0);
        EXPECT_EQ(s.m_iEffectiveLevel, 0);
        EXPECT_EQ(BufferVolumeOf(s), -10000);
    }
    g_iMasterVolume = 0;

    // Music at level 0 with half the factor.
    s.m_iGroup = 1;
    g_iMusicVolume = 0;
    s.SetVolumeFactor(0.5f);
    EXPECT_EQ(s.m_iEffectiveLevel, 10000);
    EXPECT_EQ(BufferVolumeOf(s), -1250);
    // The fade scale touches group 0 only.
    g_fGroup0VolumeScale = 0.5f;
    s.ApplyVolume(0);
    EXPECT_EQ(s.m_iEffectiveLevel, 10000);
    s.m_iGroup = 0;
    g_iEffectVolume = 0;
    s.SetVolumeFactor(1.0f);
    EXPECT_EQ(s.m_iEffectiveLevel, 5000);
    EXPECT_EQ(BufferVolumeOf(s), -1250);
    g_fGroup0VolumeScale = 1.0f;

    s.m_iGroup = 2;
    g_iGroup2Volume = -5000;
    s.ApplyVolume(0);
    EXPECT_EQ(s.m_iEffectiveLevel, 5000);

    // A level beyond the scale (an edited save) still lands on it.
    g_iGroup2Volume = 5000;
    s.ApplyVolume(0);
    EXPECT_EQ(s.m_iEffectiveLevel, 10000);
    EXPECT_EQ(BufferVolumeOf(s), 0);
    g_iGroup2Volume = 0;
}

TEST(VxSoundVolume, FactorIsClampedAndZeroIsSilence) {
    harness::World w(StandardSounds());
    CVxSound s("SFX_Click.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    s.SetVolumeFactor(1.5f);
    EXPECT_EQ(s.m_fVolumeFactor, 1.0f);
    s.SetVolumeFactor(-0.2f);
    EXPECT_EQ(s.m_fVolumeFactor, 0.0f);
    EXPECT_EQ(BufferVolumeOf(s), -10000);
    s.Play();
    w.host.clock.AdvanceSeconds(0.1);
    EXPECT_EQ(Audible(w.HeardLeft()), 0u);
    s.SetVolumeFactor(1.0f);
    w.host.clock.AdvanceSeconds(0.1);
    EXPECT_GT(Audible(w.HeardLeft()), 1000u);
}

TEST(VxSoundLoad, DecodesOggOfEitherCaseAndWav) {
    harness::World w(StandardSounds());
    CVxSound click("SFX_Click.ogg", "Resource\\Sound\\");
    ASSERT_NE(click.m_pSound, nullptr);
    EXPECT_EQ(click.m_Format.nChannels, 1);
    EXPECT_EQ(click.m_Format.nSamplesPerSec, 22050u);
    EXPECT_EQ(click.m_Format.nBlockAlign, 2);
    EXPECT_EQ(click.m_Format.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(click.m_nPcmSize, 22050u * 2);
    EXPECT_STREQ(click.m_pszName, "SFX_Click.ogg");
    EXPECT_STREQ(click.m_pszPath, "Resource\\Sound\\");

    CVxSound music("BGM_Menu.OGG", "Resource\\Sound\\");
    ASSERT_NE(music.m_pSound, nullptr);
    EXPECT_EQ(music.m_Format.nChannels, 2);
    EXPECT_EQ(music.m_Format.nSamplesPerSec, 44100u);
    EXPECT_EQ(music.m_nPcmSize, 4410u * 4);

    CVxSound beep("SFX_Beep.wav", "Resource\\Sound\\");
    ASSERT_NE(beep.m_pSound, nullptr);
    EXPECT_EQ(beep.m_nPcmSize, 2205u * 2);
    beep.m_iGroup = 1;
    g_iMusicVolume = 0;
    beep.Play();
    w.host.clock.AdvanceSeconds(0.2);
    auto heard = w.HeardLeft();
    EXPECT_EQ(Audible(heard), 2205u);
    EXPECT_EQ(heard[host::kRampFrames], 12000);  // full level once faded in, no attenuation
    EXPECT_TRUE(w.host.boxes.Boxes().empty());
}

TEST(VxSoundLoad, MissingOrUndecodableSoundsStaySilent) {
    harness::World w(StandardSounds());
    CVxSound missing("SFX_None.ogg", "Resource\\Sound\\");
    ASSERT_EQ(w.host.boxes.Count(), 1u);
    EXPECT_TRUE(w.host.boxes.Saw("Load Sound File Error !!", "Resource\\Sound\\SFX_None.ogg\n NOT FOUND IN ZIP"));
    EXPECT_EQ(missing.m_pSound, nullptr);
    EXPECT_EQ(missing.m_pPcm, nullptr);
    missing.Play();
    missing.Pause();
    missing.Stop();
    missing.ApplyVolume(-100);
    EXPECT_EQ(missing.m_iLevel, -100);
    EXPECT_FALSE(missing.IsPlaying());

    CVxSound junk("SFX_Junk.ogg", "Resource\\Sound\\");
    EXPECT_EQ(junk.m_pSound, nullptr);
    EXPECT_EQ(junk.m_pPcm, nullptr);
    EXPECT_EQ(w.host.boxes.Count(), 1u);
    EXPECT_EQ(w.host.audio.VoiceCount(), 0u);
}

TEST(VxSoundLoad, NoSoundDeviceLeavesTheSoundWithoutBuffer) {
    harness::World w(StandardSounds());
    g_pSoundManager = nullptr;
    CVxSound s("SFX_Click.ogg", "Resource\\Sound\\");
    EXPECT_EQ(s.m_pSound, nullptr);
    s.Play();
    EXPECT_FALSE(s.IsPlaying());
}

TEST(VxSoundPlay, PausedSoundIgnoresPlayAndStopStartsOver) {
    harness::World w(StandardSounds());
    CVxSound s("SFX_Click.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    host::VoiceId v = s.m_pSound->GetBuffer(0);
    s.Play();
    w.host.clock.AdvanceSeconds(0.25);
    s.Pause();
    EXPECT_EQ(s.m_bPaused, 1);
    EXPECT_FALSE(s.IsPlaying());
    uint32_t kept = w.host.audio.GetPosition(v);
    EXPECT_EQ(kept, uint32_t(22050 / 4) * 2);
    s.Play();  // ignored while paused
    EXPECT_FALSE(s.IsPlaying());
    s.Stop();
    EXPECT_EQ(s.m_bPaused, 0);
    EXPECT_EQ(w.host.audio.GetPosition(v), 0u);
    s.Play();
    EXPECT_TRUE(s.IsPlaying());
    // A one-shot sound ends on its own.
    w.host.clock.AdvanceSeconds(1.1);
    EXPECT_FALSE(s.IsPlaying());
}

TEST(VxSoundPlay, MutedApplicationPlaysNothingAndInactivePausedGamePausesAtOnce) {
    harness::World w(StandardSounds());
    CVxSound s("SFX_Click.ogg", "Resource\\Sound\\");
    ASSERT_NE(s.m_pSound, nullptr);
    w.app.m_bMuted = true;
    s.Play();
    EXPECT_FALSE(s.IsPlaying());
    w.app.m_bMuted = false;

    g_bAllSoundsPaused = true;
    g_bAppActive = false;
    s.Play();
    EXPECT_FALSE(s.IsPlaying());
    EXPECT_EQ(s.m_bPaused, 1);
    // Paused while active: it plays.
    s.Stop();
    g_bAppActive = true;
    s.Play();
    EXPECT_TRUE(s.IsPlaying());
}
