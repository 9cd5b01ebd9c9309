#include "platform/Sound.h"

#include <vector>

#include "platform/Random.h"

CSound::CSound(host::AudioDevice* device, host::VoiceId* buffers, uint32_t bufferSize, WaveFile* wave,
               uint32_t bufferCount, uint32_t creationFlags)
    : m_pDevice(device),
      m_apDSBuffer(buffers),
      m_dwDSBufferSize(bufferSize),
      m_pWaveFile(wave),
      m_dwNumBuffers(bufferCount),
      m_dwCreationFlags(creationFlags) {
    for (uint32_t i = 0; i < m_dwNumBuffers; ++i) FillBufferWithSound(m_apDSBuffer[i]);
}

CSound::~CSound() {
    if (m_apDSBuffer) {
        for (uint32_t i = 0; i < m_dwNumBuffers; ++i)
            if (m_apDSBuffer[i]) m_pDevice->DestroyVoice(m_apDSBuffer[i]);
    }
    delete[] m_apDSBuffer;
    delete m_pWaveFile;
}

host::VoiceId CSound::GetBuffer(uint32_t index) const {
    if (!m_apDSBuffer || index >= m_dwNumBuffers) return 0;
    return m_apDSBuffer[index];
}

host::VoiceId CSound::GetFreeBuffer() {
    if (!m_apDSBuffer || m_dwNumBuffers == 0) return 0;
    for (uint32_t i = 0; i < m_dwNumBuffers; ++i) {
        if (m_apDSBuffer[i] && !(m_pDevice->GetStatus(m_apDSBuffer[i]) & DSBSTATUS_PLAYING)) return m_apDSBuffer[i];
    }
    // All busy: take one at random (the draw happens even with one buffer).
    return m_apDSBuffer[uint32_t(VxRand()) % m_dwNumBuffers];
}

SoundResult CSound::RestoreBuffer(host::VoiceId buffer, bool* restored) {
    if (restored) *restored = false;
    if (!buffer) return SOUND_E_NOT_INITIALIZED;
    // Our voices live in the mixer's memory and are never lost.
    return SOUND_OK;
}

SoundResult CSound::FillBufferWithSound(host::VoiceId buffer) {
    if (!buffer) return SOUND_E_NOT_INITIALIZED;
    bool restored = false;
    SoundResult r = RestoreBuffer(buffer, &restored);
    if (SoundFailed(r)) return r;
    if (!m_pWaveFile) return SOUND_E_FAIL;
    const WaveFormat* format = m_pWaveFile->GetFormat();
    std::vector<uint8_t> whole(m_dwDSBufferSize, format && format->wBitsPerSample == 8 ? 128 : 0);
    r = m_pWaveFile->ResetFile();
    if (SoundFailed(r)) return r;
    uint32_t read = 0;
    r = m_pWaveFile->Read(whole.data(), m_dwDSBufferSize, &read);
    if (SoundFailed(r)) return r;
    if (!m_pDevice->WriteVoice(buffer, 0, whole.data(), m_dwDSBufferSize)) return SOUND_E_FAIL;
    return SOUND_OK;
}

SoundResult CSound::Play(uint32_t flags, int32_t volume, int32_t frequency, int32_t pan) {
    (void)pan;  // buffers are made without pan control
    if (!m_apDSBuffer) return SOUND_E_NOT_INITIALIZED;
    host::VoiceId buffer = GetFreeBuffer();
    if (!buffer) return SOUND_E_FAIL;
    bool restored = false;
    SoundResult r = RestoreBuffer(buffer, &restored);
    if (SoundFailed(r)) return r;
    if (restored) {
        r = FillBufferWithSound(buffer);
        if (SoundFailed(r)) return r;
    }
    if (m_dwCreationFlags & DSBCAPS_CTRLVOLUME) {
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return SOUND_E_INVALID_ARG;
        m_pDevice->SetVolume(buffer, volume);
    }
    if ((m_dwCreationFlags & DSBCAPS_CTRLFREQUENCY) && frequency != -1) {
        // 0 is the sound's own rate; otherwise the range a sound card takes.
        if (frequency != 0 && (frequency < 100 || frequency > 200000)) return SOUND_E_INVALID_ARG;
        m_pDevice->SetFrequency(buffer, uint32_t(frequency));
    }
    return m_pDevice->Play(buffer, (flags & DSBPLAY_LOOPING) != 0) ? SOUND_OK : SOUND_E_FAIL;
}

SoundResult CSound::Stop() {
    if (!m_apDSBuffer) return SOUND_E_NOT_INITIALIZED;
    SoundResult r = SOUND_OK;
    for (uint32_t i = 0; i < m_dwNumBuffers; ++i)
        if (!m_pDevice->Stop(m_apDSBuffer[i])) r |= SOUND_E_FAIL;
    return r;
}

SoundResult CSound::Reset() {
    if (!m_apDSBuffer) return SOUND_E_NOT_INITIALIZED;
    SoundResult r = SOUND_OK;
    for (uint32_t i = 0; i < m_dwNumBuffers; ++i)
        if (!m_pDevice->SetPosition(m_apDSBuffer[i], 0)) r |= SOUND_E_FAIL;
    return r;
}

bool CSound::IsPlaying() {
    if (!m_apDSBuffer) return false;
    for (uint32_t i = 0; i < m_dwNumBuffers; ++i)
        if (m_pDevice->GetStatus(m_apDSBuffer[i]) & DSBSTATUS_PLAYING) return true;
    return false;
}
