#include "engine/VxSound.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/DecodedResources.h"
#include "engine/VxApplication.h"
#include "engine/VxResourceManager.h"
#include "platform/AppActive.h"
#include "platform/OggDecode.h"
#include "platform/ResourceArchive.h"
#include "platform/SoundManager.h"
#include "platform/SoundVolumes.h"
#include "platform/host/MessageBox.h"

float g_fGroup0VolumeScale = 1.0f;

namespace {

constexpr int kDecodeStep = 4096;

bool EndsWithOgg(const char* name) {
    size_t n = name ? std::strlen(name) : 0;
    if (n < 3) return false;
    const char* t = name + n - 3;
    return (t[0] | 0x20) == 'o' && (t[1] | 0x20) == 'g' && (t[2] | 0x20) == 'g';
}

}  // namespace

CVxSound::CVxSound() { m_iOwnerId = OWNER_NONE; }

CVxSound::CVxSound(const char* name, const char* folder) : CVxSound() { Load(name, folder); }

CVxSound::~CVxSound() {
    ReleaseSound();
    m_Wave.Close();
}

void CVxSound::ResetResource() {
    CVxResource::ResetResource();
    m_fVolumeFactor = 1.0f;
    m_iLevel = 0;
    m_iStartLevel = 0;
    m_bStarted = false;
    m_iFrequency = -1;
    m_iPan = 0;
    m_bPaused = 0;
}

void CVxSound::ReleaseSound() {
    if (m_pSound) {
        m_pSound->Stop();
        m_pSound->Reset();
    }
    // The CSound reads the PCM, so it goes first.
    delete m_pSound;
    m_pSound = nullptr;
    delete[] m_pPcm;
    m_pPcm = nullptr;
    m_nPcmSize = 0;
}

bool CVxSound::Load(const char* name, const char* folder) {
    CVxResource::Load(name, folder);
    std::string path;
    if (folder) {
        path = folder;
        std::replace(path.begin(), path.end(), '\\', '/');
    }
    path += name ? name : "";

    const bool ogg = EndsWithOgg(name);
    if (std::shared_ptr<const HeldSound> held = ogg ? FindHeldSound(StoredResourceKey(path)) : nullptr) {
        ReleaseSound();
        m_Format = held->format;
        CopyPcm(held->pcm);
        return CreateFromPcm();
    }
    // One extra byte, NUL, after the data.
    void* block = nullptr;
    uint32_t size = 0, packedCrc = 0;
    ResourceArchive* archive = GetResourceArchive();
    bool found = archive && archive->UnzipItem(path.c_str(), &size, &block, 1, &packedCrc);
    auto* data = static_cast<uint8_t*>(block);
    if (found) data[size] = 0;
    if (!found) {
        std::string shown = std::string(folder ? folder : "") + (name ? name : "");
        if (!ResourceArchiveDamaged()) host::ShowMessageBox(shown + "\n NOT FOUND IN ZIP", "Load Sound File Error !!");
        std::free(data);
        return false;
    }
    const std::string key = ogg ? DecodedResourceKey(path, packedCrc) : std::string();
    bool ok = DecodeAndCreate(data, size, ogg, key);
    std::free(data);
    return ok;
}

bool CVxSound::DecodeAndCreate(const uint8_t* data, uint32_t size, bool isOgg, const std::string& keepKey) {
    ReleaseSound();
    bool decoded = isOgg ? DecodeOgg(data, size, keepKey) : TakeWave(data, size);
    return decoded && CreateFromPcm();
}

void CVxSound::CopyPcm(const std::vector<uint8_t>& pcm) {
    m_nPcmSize = uint32_t(pcm.size());
    m_pPcm = new uint8_t[m_nPcmSize];
    std::memcpy(m_pPcm, pcm.data(), m_nPcmSize);
}

bool CVxSound::CreateFromPcm() {
    if (!g_pSoundManager) return false;
    return !SoundFailed(g_pSoundManager->CreateSoundFromMemory(&m_Format, &m_pSound, m_pPcm, m_nPcmSize));
}

bool CVxSound::DecodeOgg(const uint8_t* data, uint32_t size, const std::string& keepKey) {
    OggVorbis_File* handle = nullptr;
    // Data that is not Ogg Vorbis gives no handle and no sound.
    if (memory_stream_for_ogg_decode(data, size, &handle) != OGG_DECODE_OK) return false;

    // Grows as it fills, so that no step writes past what has been allocated.
    std::vector<uint8_t> pcm;
    // The stream's own length, when it tells one, saves regrowing the buffer.
    ogg_int64_t frames = ov_pcm_total(handle, -1);
    vorbis_info* info = ov_info(handle, -1);
    if (frames > 0 && info && info->channels > 0)
        pcm.reserve(size_t(std::min<ogg_int64_t>(frames * info->channels * 2, DECODE_BUFFER_SIZE)) + kDecodeStep);
    bool haveFormat = false;
    bool tooLong = false;
    for (;;) {
        size_t total = pcm.size();
        pcm.resize(total + kDecodeStep);
        int channels = 0, holes = 0, badLinks = 0;
        long rate = 0;
        long n = ogg_decode_one_vorbis_packet(handle, reinterpret_cast<char*>(pcm.data() + total), kDecodeStep, 16,
                                              &channels, &rate, &holes, &badLinks);
        pcm.resize(total + size_t(n > 0 ? n : 0));
        if (n <= 0) break;
        if (!haveFormat) {
            haveFormat = true;
            m_Format = WaveFormat{};
            m_Format.wFormatTag = WAVE_FORMAT_PCM;
            m_Format.nChannels = uint16_t(channels);
            m_Format.nSamplesPerSec = uint32_t(rate);
            m_Format.wBitsPerSample = 16;
            m_Format.nBlockAlign = uint16_t(channels * 2);
            m_Format.nAvgBytesPerSec = uint32_t(channels) * uint32_t(rate) * 2;
        }
        if (pcm.size() > DECODE_BUFFER_SIZE) {
            tooLong = true;
            break;
        }
    }
    final_ogg_cleanup(handle);
    std::free(handle);
    if (tooLong) {
        host::ShowMessageBox("DECODE_BUFFER_SIZE Out of range!", "CVxSound loading error");
        // The sound keeps what fits, in whole frames.
        uint32_t keep = DECODE_BUFFER_SIZE;
        if (m_Format.nBlockAlign) keep -= keep % m_Format.nBlockAlign;
        pcm.resize(keep);
    }
    if (!haveFormat || pcm.empty()) return false;
    CopyPcm(pcm);
    // A cut sound is not kept: its next load tells of the cut again.
    if (!tooLong && !keepKey.empty())
        KeepSound(keepKey, std::make_shared<const HeldSound>(HeldSound{m_Format, std::move(pcm)}));
    return true;
}

bool CVxSound::TakeWave(const uint8_t* data, uint32_t size) {
    if (SoundFailed(m_Wave.OpenFromRiff(data, size)) || m_Wave.GetSize() == 0) {
        m_Wave.Close();
        return false;
    }
    m_Format = *m_Wave.GetFormat();
    m_nPcmSize = m_Wave.GetSize();
    m_pPcm = new uint8_t[m_nPcmSize];
    std::memcpy(m_pPcm, m_Wave.GetData(), m_nPcmSize);
    m_Wave.Close();
    return true;
}

void CVxSound::Play() {
    if (!m_pSound || (g_pApp && g_pApp->m_bMuted) || m_bPaused) return;
    m_pSound->Play(m_dwPlayFlags, std::clamp(m_iLevel, DSBVOLUME_MIN, DSBVOLUME_MAX), m_iFrequency, m_iPan);
    m_iStartLevel = m_iLevel;
    m_bStarted = true;
    ApplyVolume(m_iLevel);
    m_bPaused = 0;
    if (g_bAllSoundsPaused && !g_bAppActive) Pause();
}

void CVxSound::Stop() {
    if (m_pSound) {
        m_pSound->Stop();
        m_pSound->Reset();
    }
    m_bPaused = 0;
}

void CVxSound::Pause() {
    if (!m_pSound || m_bPaused || !IsPlaying()) return;
    m_pSound->Stop();
    m_bPaused = 1;
}

void CVxSound::SetFrequency(int hertz) {
    if (!m_pSound) return;
    host::VoiceId v = m_pSound->GetBuffer(0);
    // 0 goes back to the sound's own rate.
    if (v && hertz >= 0) m_pSound->GetDevice()->SetFrequency(v, uint32_t(hertz));
}

int CVxSound::GroupLevel() const {
    switch (m_iGroup) {
    case 0: return g_iEffectVolume;
    case 1: return g_iMusicVolume;
    default: return g_iGroup2Volume;
    }
}

int32_t CVxSound::BufferVolume(int effectiveLevel, float factor, int drop) {
    double v = double(effectiveLevel) * 0.25 * double(factor) - 2500.0;
    v = std::clamp(v, -10000.0, 0.0);
    if (v <= -2500.0) return DSBVOLUME_MIN;
    // A level lowered since the start is heard as that many hundredths of a decibel less.
    return std::max(int32_t(v) + std::min(drop, 0), DSBVOLUME_MIN);
}

void CVxSound::ApplyVolume(int level) {
    m_iLevel = level;
    if (!m_pSound) return;
    double e = (double(g_iMasterVolume) + 10000.0) / 10000.0 * ((double(GroupLevel()) + 10000.0) / 10000.0);
    if (m_iGroup == 0) e *= double(g_fGroup0VolumeScale);
    // Levels outside the scale (a hand-edited save) still give a level on it.
    double effective = std::clamp(10000.0 * e, 0.0, 10000.0);
    m_iEffectiveLevel = int(effective);
    host::VoiceId v = m_pSound->GetBuffer(0);
    if (!v) return;
    host::AudioDevice* device = m_pSound->GetDevice();
    device->SetGroup(v, uint8_t(std::clamp(m_iGroup, 0, int(host::kVoiceGroups) - 1)));
    device->SetVolume(v, BufferVolume(m_iEffectiveLevel, m_fVolumeFactor, m_bStarted ? m_iLevel - m_iStartLevel : 0));
}

void CVxSound::SetVolumeFactor(float factor) {
    m_fVolumeFactor = std::clamp(factor, 0.0f, 1.0f);
    ApplyVolume(m_iLevel);
}

void CVxSound::FollowWith(CVxSound* next) {
    if (!m_pSound) return;
    host::VoiceId v = m_pSound->GetBuffer(0);
    host::VoiceId n = next && next->m_pSound ? next->m_pSound->GetBuffer(0) : 0;
    if (!v) return;
    if (n) {
        // The follower sounds at the level its own Play would give it.
        next->m_iStartLevel = next->m_iLevel;
        next->m_bStarted = true;
        next->ApplyVolume(next->m_iLevel);
    }
    m_pSound->GetDevice()->QueueNext(v, n, next && (next->m_dwPlayFlags & DSBPLAY_LOOPING));
}

bool CVxSound::IsPlaying() {
    if (!m_pSound) return false;
    host::VoiceId v = m_pSound->GetBuffer(0);
    return v && (m_pSound->GetDevice()->GetStatus(v) & DSBSTATUS_PLAYING);
}

void RestartSound(CVxSound* sound) {
    if (!sound) return;
    sound->Stop();
    sound->Play();
}
