#pragma once
// One playable sound: a set of voices on the audio device (the game always
// uses one) filled from a WaveFile, with volume and frequency control.
#include <cstdint>

#include "platform/SoundResult.h"
#include "platform/WaveFile.h"
#include "platform/host/AudioDevice.h"

class CSound {
public:
    // Takes ownership of the buffer array (new[]) and the wave file; fills every buffer.
    CSound(host::AudioDevice* device, host::VoiceId* buffers, uint32_t bufferSize, WaveFile* wave, uint32_t bufferCount,
           uint32_t creationFlags);
    virtual ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Plays a free buffer (or a random one when all play) from its position
    // with the given volume, frequency (-1 unchanged) and flags (1 loops).
    SoundResult Play(uint32_t flags = 0, int32_t volume = 0, int32_t frequency = -1, int32_t pan = 0);
    SoundResult Stop();   // keeps the positions
    SoundResult Reset();  // rewinds to the start
    bool IsPlaying();

    host::VoiceId GetFreeBuffer();
    host::VoiceId GetBuffer(uint32_t index) const;
    uint32_t GetBufferCount() const { return m_dwNumBuffers; }
    host::AudioDevice* GetDevice() const { return m_pDevice; }
    uint32_t GetBufferSize() const { return m_dwDSBufferSize; }

    SoundResult RestoreBuffer(host::VoiceId buffer, bool* restored);
    SoundResult FillBufferWithSound(host::VoiceId buffer);

private:
    host::AudioDevice* m_pDevice;
    host::VoiceId* m_apDSBuffer;
    uint32_t m_dwDSBufferSize;
    WaveFile* m_pWaveFile;
    uint32_t m_dwNumBuffers;
    uint32_t m_dwCreationFlags;
};
