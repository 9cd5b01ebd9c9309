#include "platform/WaveFile.h"

#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool IsPlayablePcm(const WaveFormat& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec > 0 &&
           f.nBlockAlign == f.nChannels * (f.wBitsPerSample / 8);
}

}  // namespace

WaveFile::~WaveFile() { Close(); }

void WaveFile::Close() {
    m_Format = WaveFormat{};
    m_pData = m_pCurrent = nullptr;
    m_dwSize = 0;
    m_bFromMemory = false;
    m_bOpen = false;
    m_owned.clear();
    m_owned.shrink_to_fit();
}

SoundResult WaveFile::OpenFromMemory(const WaveFormat* format, const uint8_t* data, uint32_t size) {
    if (!format || (!data && size)) return SOUND_E_INVALID_ARG;
    Close();
    m_Format = *format;
    m_pData = m_pCurrent = data;
    m_dwSize = size;
    m_bFromMemory = true;
    m_bOpen = true;
    return SOUND_OK;
}

SoundResult WaveFile::OpenFromRiff(const uint8_t* bytes, size_t size) {
    Close();
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return SOUND_E_FAIL;
    // The RIFF size may be wrong in the wild; never read past what is there.
    size_t end = size_t(Le32(bytes + 4)) + 8;
    if (end > size || end < 12) end = size;
    WaveFormat format;
    bool haveFormat = false;
    const uint8_t* samples = nullptr;
    size_t sampleBytes = 0;
    size_t at = 12;
    while (at + 8 <= end) {
        const uint8_t* chunk = bytes + at;
        size_t length = Le32(chunk + 4);
        size_t body = at + 8;
        size_t available = end - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || length > available) return SOUND_E_FAIL;
            format.wFormatTag = Le16(chunk + 8);
            format.nChannels = Le16(chunk + 10);
            format.nSamplesPerSec = Le32(chunk + 12);
            format.nAvgBytesPerSec = Le32(chunk + 16);
            format.nBlockAlign = Le16(chunk + 20);
            format.wBitsPerSample = Le16(chunk + 22);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            // A data chunk cut short by the end of the file keeps what is there.
            samples = chunk + 8;
            sampleBytes = length < available ? length : available;
            if (haveFormat) break;
        }
        // Chunks are padded to an even length.
        size_t next = body + length + (length & 1);
        if (next <= at || next > end) break;
        at = next;
    }
    if (!haveFormat || !samples || !IsPlayablePcm(format)) return SOUND_E_FAIL;
    sampleBytes -= sampleBytes % format.nBlockAlign;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    format.cbSize = 0;
    m_owned.assign(samples, samples + sampleBytes);
    m_Format = format;
    m_pData = m_pCurrent = m_owned.data();
    m_dwSize = uint32_t(sampleBytes);
    m_bFromMemory = false;
    m_bOpen = true;
    return SOUND_OK;
}

SoundResult WaveFile::ResetFile() {
    if (!m_bOpen) return SOUND_E_NOT_INITIALIZED;
    m_pCurrent = m_pData;
    return SOUND_OK;
}

SoundResult WaveFile::Read(uint8_t* buffer, uint32_t size, uint32_t* read) {
    if (read) *read = 0;
    if (!m_bOpen) return SOUND_E_NOT_INITIALIZED;
    if (!buffer || !read) return SOUND_E_INVALID_ARG;
    uint32_t left = m_dwSize - uint32_t(m_pCurrent - m_pData);
    uint32_t n = size < left ? size : left;
    if (n) std::memcpy(buffer, m_pCurrent, n);
    m_pCurrent += n;
    *read = n;
    return SOUND_OK;
}
