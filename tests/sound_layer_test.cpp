#include <gtest/gtest.h>

#include <vector>

#include "platform/Random.h"
#include "platform/SoundManager.h"
#include "platform/WaveFile.h"
#include "platform/host/Headless.h"
#include "tests/OggClip.h"

namespace {

std::vector<uint8_t> Chunk(const char* tag, std::vector<uint8_t> body, bool pad) {
    std::vector<uint8_t> c(tag, tag + 4);
    uint32_t n = uint32_t(body.size());
    for (int i = 0; i < 4; ++i) c.push_back(uint8_t(n >> (8 * i)));
    c.insert(c.end(), body.begin(), body.end());
    if (pad && (n & 1)) c.push_back(0);
    return c;
}

WaveFormat Pcm16(uint16_t channels, uint32_t rate) {
    WaveFormat f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = 16;
    f.nBlockAlign = uint16_t(channels * 2);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

}  // namespace

TEST(WaveFile, ParsesPcmPastOddAndUnknownChunks) {
    std::vector<int16_t> samples = {1, -2, 3, -4, 5, -6};
    auto wav =
        testclip::MakeWav(2, 11025, samples, {Chunk("LIST", {'a', 'b', 'c'}, true), Chunk("fact", {1, 0, 0, 0}, true)});
    WaveFile w;
    ASSERT_EQ(w.OpenFromRiff(wav.data(), wav.size()), SOUND_OK);
    ASSERT_NE(w.GetFormat(), nullptr);
    EXPECT_EQ(w.GetFormat()->nChannels, 2);
    EXPECT_EQ(w.GetFormat()->nSamplesPerSec, 11025u);
    EXPECT_EQ(w.GetSize(), 12u);
    uint8_t out[32];
    uint32_t read = 0;
    ASSERT_EQ(w.Read(out, 4, &read), SOUND_OK);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(int16_t(out[2] | out[3] << 8), -2);
    ASSERT_EQ(w.Read(out, 32, &read), SOUND_OK);
    EXPECT_EQ(read, 8u);  // only what is left
    EXPECT_EQ(int16_t(out[6] | out[7] << 8), -6);
    ASSERT_EQ(w.Read(out, 32, &read), SOUND_OK);
    EXPECT_EQ(read, 0u);
    w.ResetFile();
    ASSERT_EQ(w.Read(out, 2, &read), SOUND_OK);
    EXPECT_EQ(int16_t(out[0] | out[1] << 8), 1);
}

TEST(WaveFile, DataBeforeFormatAndCutShortData) {
    // data chunk first, then fmt; the data's length claims more than is there.
    std::vector<uint8_t> fmt = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};
    std::vector<uint8_t> body;
    auto riff = std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    auto fmtChunk = Chunk("fmt ", fmt, true);
    riff.insert(riff.end(), fmtChunk.begin(), fmtChunk.end());
    std::vector<uint8_t> data = {'d', 'a', 't', 'a', 100, 0, 0, 0, 1, 0, 2, 0, 3};
    riff.insert(riff.end(), data.begin(), data.end());
    uint32_t size = uint32_t(riff.size() - 8);
    for (int i = 0; i < 4; ++i) riff[4 + i] = uint8_t(size >> (8 * i));
    WaveFile w;
    ASSERT_EQ(w.OpenFromRiff(riff.data(), riff.size()), SOUND_OK);
    EXPECT_EQ(w.GetSize(), 4u);  // whole frames that are really there
    EXPECT_EQ(w.GetFormat()->nSamplesPerSec, 22050u);

    std::vector<uint8_t> reversed = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    auto d2 = Chunk("data", {9, 0, 8, 0}, true);
    reversed.insert(reversed.end(), d2.begin(), d2.end());
    reversed.insert(reversed.end(), fmtChunk.begin(), fmtChunk.end());
    size = uint32_t(reversed.size() - 8);
    for (int i = 0; i < 4; ++i) reversed[4 + i] = uint8_t(size >> (8 * i));
    ASSERT_EQ(w.OpenFromRiff(reversed.data(), reversed.size()), SOUND_OK);
    EXPECT_EQ(w.GetSize(), 4u);
    EXPECT_EQ(w.GetData()[0], 9);
}

TEST(WaveFile, RefusesBadHeaders) {
    std::vector<int16_t> samples = {1, 2, 3, 4};
    auto good = testclip::MakeWav(1, 22050, samples);
    WaveFile w;
    ASSERT_EQ(w.OpenFromRiff(good.data(), good.size()), SOUND_OK);

    auto bad = good;
    bad[0] = 'X';  // not RIFF
    EXPECT_EQ(w.OpenFromRiff(bad.data(), bad.size()), SOUND_E_FAIL);
    EXPECT_EQ(w.GetFormat(), nullptr);
    bad = good;
    bad[20] = 3;  // IEEE float
    EXPECT_EQ(w.OpenFromRiff(bad.data(), bad.size()), SOUND_E_FAIL);
    bad = good;
    bad[34] = 12;  // 12-bit samples
    EXPECT_EQ(w.OpenFromRiff(bad.data(), bad.size()), SOUND_E_FAIL);
    bad = good;
    bad[16] = 200;  // fmt chunk longer than the file
    EXPECT_EQ(w.OpenFromRiff(bad.data(), bad.size()), SOUND_E_FAIL);
    EXPECT_EQ(w.OpenFromRiff(good.data(), 30), SOUND_E_FAIL);  // cut inside fmt
    EXPECT_EQ(w.OpenFromRiff(good.data(), 36), SOUND_E_FAIL);  // no data chunk
    EXPECT_EQ(w.OpenFromRiff(good.data(), 8), SOUND_E_FAIL);
    EXPECT_EQ(w.OpenFromRiff(nullptr, 0), SOUND_E_FAIL);
    uint32_t read = 1;
    uint8_t out[4];
    EXPECT_EQ(w.Read(out, 4, &read), SOUND_E_NOT_INITIALIZED);
    EXPECT_EQ(read, 0u);
}

TEST(SoundManager, ReportsMissingDeviceAndBadArguments) {
    host::HeadlessHost h;
    SoundManager m;
    WaveFormat f = Pcm16(1, 22050);
    std::vector<uint8_t> pcm(100, 0);
    CSound* s = nullptr;
    EXPECT_EQ(m.CreateSoundFromMemory(&f, &s, pcm.data(), 100), SOUND_E_NOT_INITIALIZED);
    EXPECT_EQ(m.SetPrimaryBufferFormat(), SOUND_E_NOT_INITIALIZED);

    h.audio.SetUnavailable(true);
    EXPECT_TRUE(SoundFailed(m.Initialize()));
    h.audio.SetUnavailable(false);
    ASSERT_EQ(m.Initialize(), SOUND_OK);
    EXPECT_TRUE(h.audio.IsOpen());
    EXPECT_EQ(m.SetPrimaryBufferFormat(2, 22050, 16), SOUND_OK);
    EXPECT_EQ(m.CreateSoundFromMemory(&f, &s, nullptr, 100), SOUND_E_INVALID_ARG);
    EXPECT_EQ(m.CreateSoundFromMemory(&f, nullptr, pcm.data(), 100), SOUND_E_INVALID_ARG);
    EXPECT_EQ(s, nullptr);
    m.Release();
    EXPECT_FALSE(h.audio.IsOpen());
}

TEST(SoundManager, ProbeStartsAndLetsTheDeviceGo) {
    host::HeadlessHost h;
    EXPECT_EQ(ProbeSoundCard(), 0);
    EXPECT_FALSE(h.audio.IsOpen());
    h.audio.SetUnavailable(true);
    EXPECT_EQ(ProbeSoundCard(), 2);
}

TEST(Sound, PlayAgainKeepsPositionStopKeepsItResetRewinds) {
    host::HeadlessHost h;
    SoundManager m;
    ASSERT_EQ(m.Initialize(), SOUND_OK);
    WaveFormat f = Pcm16(1, 22050);
    std::vector<int16_t> pcm(22050, 500);
    CSound* s = nullptr;
    ASSERT_EQ(m.CreateSoundFromMemory(&f, &s, reinterpret_cast<uint8_t*>(pcm.data()), 44100), SOUND_OK);
    host::VoiceId v = s->GetBuffer(0);

    VxSrand(7);
    ASSERT_EQ(s->Play(0, 0, -1, 0), SOUND_OK);
    EXPECT_EQ(VxRandState(), 7u);                // a free buffer needs no draw
    EXPECT_EQ(h.audio.GetFrequency(v), 22050u);  // -1 leaves it
    h.clock.AdvanceSeconds(0.1);
    EXPECT_TRUE(s->IsPlaying());
    uint32_t at = h.audio.GetPosition(v);
    EXPECT_EQ(at, 2205u * 2);

    // Playing a playing sound: the one buffer is drawn at random and goes on
    // from where it is with the new settings.
    VxRand();
    const uint32_t afterOneDraw = VxRandState();
    VxSrand(7);
    ASSERT_EQ(s->Play(DSBPLAY_LOOPING, -600, 11025, 0), SOUND_OK);
    EXPECT_EQ(VxRandState(), afterOneDraw);
    EXPECT_EQ(h.audio.GetPosition(v), at);
    EXPECT_EQ(h.audio.GetVolume(v), -600);
    EXPECT_EQ(h.audio.GetFrequency(v), 11025u);
    EXPECT_EQ(h.audio.GetStatus(v) & DSBSTATUS_LOOPING, DSBSTATUS_LOOPING);

    ASSERT_EQ(s->Stop(), SOUND_OK);
    EXPECT_FALSE(s->IsPlaying());
    h.clock.AdvanceSeconds(0.1);
    EXPECT_EQ(h.audio.GetPosition(v), at);
    ASSERT_EQ(s->Play(), SOUND_OK);
    EXPECT_EQ(h.audio.GetPosition(v), at);
    ASSERT_EQ(s->Reset(), SOUND_OK);
    EXPECT_EQ(h.audio.GetPosition(v), 0u);

    EXPECT_EQ(s->Play(0, 100, -1, 0), SOUND_E_INVALID_ARG);  // above full volume
    delete s;
}
