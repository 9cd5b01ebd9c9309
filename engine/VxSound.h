#pragma once
// The engine's sound resource: one Ogg Vorbis (or WAV) entry of the archive,
// decoded completely into 16-bit PCM and played through a CSound. Its
// loudness follows the master level, its group's level and its own factor.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/VxResource.h"
#include "platform/Sound.h"
#include "platform/SoundResult.h"
#include "platform/WaveFile.h"

// Scales group 0 only (the battle's fade of its effects); 1.0 normally.
extern float g_fGroup0VolumeScale;

// A decoded sound may hold at most this many bytes of PCM.
constexpr uint32_t DECODE_BUFFER_SIZE = 30000000;

class CVxSound : public CVxResource {
public:
    CVxSound();
    // Constructs and loads.
    CVxSound(const char* name, const char* folder);
    ~CVxSound() override;
    CVxSound(const CVxSound&) = delete;
    CVxSound& operator=(const CVxSound&) = delete;

    void ResetResource() override;
    // Reads, decodes and makes the CSound; failures show their boxes only.
    bool Load(const char* name, const char* folder) override;

    void Play();
    void Stop();   // stops and rewinds, clears the pause
    void Pause();  // stops keeping the position
    void SetFrequency(int hertz);
    void ApplyVolume(int level);
    void SetVolumeFactor(float factor);
    bool IsPlaying();
    void ReleaseSound();

    // The level the group of this sound is at.
    int GroupLevel() const;
    // The buffer volume that effective level and factor give (hundredths of
    // a dB), lowered by drop when drop is below 0 (the level's fall since the
    // sound was started).
    static int32_t BufferVolume(int effectiveLevel, float factor, int drop = 0);
    // When this sound, playing once, reaches its end, next plays on from the
    // following sample (its own loop flag); null forgets it. Stop forgets it too.
    void FollowWith(CVxSound* next);

    int m_iGroup = 0;
    WaveFile m_Wave;
    WaveFormat m_Format;
    uint8_t* m_pPcm = nullptr;  // new[]
    uint32_t m_nPcmSize = 0;
    CSound* m_pSound = nullptr;
    int m_bPaused = 0;
    uint32_t m_dwPlayFlags = 0;
    int m_iFrequency = -1;
    int m_iPan = 0;
    int m_iLevel = 0;
    // m_iLevel when Play last started the sound; before any start a level
    // is a load-time setting and lowers nothing.
    int m_iStartLevel = 0;
    bool m_bStarted = false;
    float m_fVolumeFactor = 1.0f;
    int m_iEffectiveLevel = 0;

    // The second half of Load: decodes bytes read from the archive (Ogg
    // Vorbis, or a RIFF/WAVE image when isOgg is false) and makes the CSound.
    // A whole Ogg decode is kept under keepKey (see DecodedResources).
    bool DecodeAndCreate(const uint8_t* data, uint32_t size, bool isOgg, const std::string& keepKey = "");

private:
    bool DecodeOgg(const uint8_t* data, uint32_t size, const std::string& keepKey);
    // m_pPcm becomes a copy of pcm, which the sound plays from.
    void CopyPcm(const std::vector<uint8_t>& pcm);
    bool CreateFromPcm();
    bool TakeWave(const uint8_t* data, uint32_t size);
};

// Plays a sound again from its start, playing or not; null does nothing.
void RestartSound(CVxSound* sound);
