#pragma once
// Owns the sound output and makes CSounds from PCM in memory.
#include <cstdint>

#include "platform/Sound.h"
#include "platform/SoundResult.h"
#include "platform/host/AudioDevice.h"

class SoundManager {
public:
    SoundManager() = default;
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Opens the default output device (the window is not needed here).
    SoundResult Initialize(void* window = nullptr);
    // Lets the output device go; later creations fail with SOUND_E_NOT_INITIALIZED.
    void Release();
    // The output is mixed at 22050 Hz stereo 16-bit whatever the sounds are;
    // each sound keeps its own format.
    SoundResult SetPrimaryBufferFormat(uint32_t channels = 2, uint32_t rate = 22050, uint32_t bits = 16);
    SoundResult CreateSoundFromMemory(const WaveFormat* format, CSound** sound, const uint8_t* data, uint32_t size);

    host::AudioDevice* GetDevice() const { return m_pDevice; }

private:
    host::AudioDevice* m_pDevice = nullptr;
};

extern SoundManager* g_pSoundManager;

// The sound-card check made when the window is created: a temporary manager
// is made and started, then let go. 0 fine, 1 no manager could be made, 2 the
// output device would not start (the framework's probe hook takes this).
int ProbeSoundCard();
