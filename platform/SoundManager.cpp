#include "platform/SoundManager.h"

#include <new>

SoundManager* g_pSoundManager = nullptr;

SoundManager::~SoundManager() { Release(); }

void SoundManager::Release() {
    if (m_pDevice) m_pDevice->Close();
    m_pDevice = nullptr;
}

SoundResult SoundManager::Initialize(void* window) {
    (void)window;
    Release();
    host::AudioDevice& device = host::GetAudioDevice();
    if (!device.Open()) return SOUND_E_NO_DRIVER;
    m_pDevice = &device;
    return SOUND_OK;
}

SoundResult SoundManager::SetPrimaryBufferFormat(uint32_t channels, uint32_t rate, uint32_t bits) {
    if (!m_pDevice) return SOUND_E_NOT_INITIALIZED;
    // The mixer's output format is fixed; anything else is refused as the card would.
    if (channels != host::kMixChannels || rate != host::kMixRate || bits != 16) return SOUND_E_INVALID_ARG;
    return SOUND_OK;
}

SoundResult SoundManager::CreateSoundFromMemory(const WaveFormat* format, CSound** sound, const uint8_t* data,
                                                uint32_t size) {
    if (!m_pDevice) return SOUND_E_NOT_INITIALIZED;
    if (!data || !sound || !format) return SOUND_E_INVALID_ARG;
    auto* buffers = new (std::nothrow) host::VoiceId[1];
    if (!buffers) return SOUND_E_OUT_OF_MEMORY;
    auto* wave = new (std::nothrow) WaveFile;
    if (!wave) {
        delete[] buffers;
        return SOUND_E_OUT_OF_MEMORY;
    }
    SoundResult r = wave->OpenFromMemory(format, data, size);
    if (SoundFailed(r)) {
        delete wave;
        delete[] buffers;
        return r;
    }
    host::PcmFormat pcm;
    pcm.channels = format->nChannels;
    pcm.rate = format->nSamplesPerSec;
    pcm.bits = format->wBitsPerSample;
    buffers[0] = format->wFormatTag == WAVE_FORMAT_PCM && size > 0 ? m_pDevice->CreateVoice(pcm, size) : 0;
    if (!buffers[0]) {
        delete wave;
        delete[] buffers;
        return SOUND_E_INVALID_ARG;
    }
    *sound = new (std::nothrow)
        CSound(m_pDevice, buffers, size, wave, 1, DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS);
    if (!*sound) {
        m_pDevice->DestroyVoice(buffers[0]);
        delete wave;
        delete[] buffers;
        return SOUND_E_OUT_OF_MEMORY;
    }
    return SOUND_OK;
}

int ProbeSoundCard() {
    auto* probe = new (std::nothrow) SoundManager;
    if (!probe) return 1;
    bool started = !SoundFailed(probe->Initialize());
    delete probe;  // closes it again; the device stays ready for the game's own open
    return started ? 0 : 2;
}
