#pragma once
// A wave source a sound buffer is filled from. In memory mode it reads PCM
// that already lies decoded in memory (the caller keeps the bytes alive); a
// RIFF/WAVE image is parsed into an own copy of its format and samples.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/SoundResult.h"

class WaveFile {
public:
    WaveFile() = default;
    ~WaveFile();
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    // PCM in memory, not copied.
    SoundResult OpenFromMemory(const WaveFormat* format, const uint8_t* data, uint32_t size);
    // A whole RIFF/WAVE image: finds the fmt and data chunks and keeps a copy.
    // SOUND_E_FAIL for anything that is not 8- or 16-bit PCM WAVE.
    SoundResult OpenFromRiff(const uint8_t* bytes, size_t size);
    void Close();

    SoundResult ResetFile();
    // Copies up to size bytes from the read position and advances it.
    SoundResult Read(uint8_t* buffer, uint32_t size, uint32_t* read);

    const WaveFormat* GetFormat() const { return m_bOpen ? &m_Format : nullptr; }
    const uint8_t* GetData() const { return m_pData; }
    uint32_t GetSize() const { return m_dwSize; }
    bool IsFromMemory() const { return m_bFromMemory; }

private:
    WaveFormat m_Format;
    const uint8_t* m_pData = nullptr;
    const uint8_t* m_pCurrent = nullptr;
    uint32_t m_dwSize = 0;
    bool m_bFromMemory = false;
    bool m_bOpen = false;
    std::vector<uint8_t> m_owned;  // samples of a parsed RIFF image
};
