#pragma once
// Result codes of the sound layer, in the HRESULT values its callers test.
#include <cstdint>

#include "platform/HResult.h"

using SoundResult = HRESULT;

constexpr SoundResult SOUND_OK = S_OK;
constexpr SoundResult SOUND_E_NOT_INITIALIZED = int32_t(0x800401F0);  // no device, or no buffers
constexpr SoundResult SOUND_E_INVALID_ARG = E_INVALIDARG;
constexpr SoundResult SOUND_E_OUT_OF_MEMORY = E_OUTOFMEMORY;
constexpr SoundResult SOUND_E_FAIL = E_FAIL;
constexpr SoundResult SOUND_E_BUFFER_LOST = int32_t(0x88780096);
constexpr SoundResult SOUND_E_NO_DRIVER = int32_t(0x88780078);  // no sound device could be opened

// Buffer creation and play flags.
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
constexpr uint32_t DSBCAPS_GLOBALFOCUS = 0x8000;
constexpr uint32_t DSBPLAY_LOOPING = 0x1;
constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;

// Volumes in hundredths of a decibel.
constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// The PCM wave format, laid out as in a WAV file's fmt chunk.
struct WaveFormat {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
};

inline bool SoundFailed(SoundResult r) { return r < 0; }
