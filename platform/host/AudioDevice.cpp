#include "platform/host/AudioDevice.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

#include "platform/host/Clock.h"

namespace host {

namespace {

constexpr size_t kChunkFrames = 1024;

// Frames of output that have been heard after the given clock ticks.
int64_t FramesAt(int64_t ticks, int64_t perSecond) {
    int64_t seconds = ticks / perSecond;
    int64_t rest = ticks % perSecond;
    return seconds * int64_t(kMixRate) + rest * int64_t(kMixRate) / perSecond;
}

// One frame of a voice as left and right samples, 16-bit range.
inline void FrameAt(const uint8_t* data, const PcmFormat& f, uint32_t frame, int32_t& l, int32_t& r) {
    if (f.bits == 8) {
        const uint8_t* p = data + size_t(frame) * f.channels;
        l = (int32_t(p[0]) - 128) * 256;
        r = f.channels == 2 ? (int32_t(p[1]) - 128) * 256 : l;
    } else {
        const uint8_t* p = data + size_t(frame) * f.channels * 2;
        l = int16_t(uint16_t(p[0] | (p[1] << 8)));
        r = f.channels == 2 ? int16_t(uint16_t(p[2] | (p[3] << 8))) : l;
    }
}

}  // namespace

float GainOfLevel(int32_t level) {
    if (level <= kVolumeMin) return 0.0f;
    if (level >= kVolumeMax) return 1.0f;
    return float(std::pow(10.0, double(level) / 2000.0));
}

bool AudioDevice::IsOpen() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opens > 0;
}

std::unique_lock<std::mutex> AudioDevice::Lock() {
    std::unique_lock<std::mutex> lock(m_mutex);
    CatchUpLocked();
    return lock;
}

AudioDevice::Voice* AudioDevice::Find(VoiceId id) {
    auto it = m_voices.find(id);
    return it == m_voices.end() ? nullptr : it->second.get();
}

VoiceId AudioDevice::CreateVoice(const PcmFormat& format, uint32_t bytes) {
    if (format.channels < 1 || format.channels > 2) return 0;
    if (format.bits != 8 && format.bits != 16) return 0;
    if (format.rate == 0) return 0;
    auto voice = std::make_unique<Voice>();
    voice->format = format;
    voice->frames = bytes / format.BlockAlign();
    // Whole frames only: a trailing partial frame can never be played.
    voice->data.assign(size_t(voice->frames) * format.BlockAlign(), format.bits == 8 ? 128 : 0);
    voice->frequency = format.rate;
    auto lock = Lock();
    VoiceId id = m_nextId++;
    if (m_nextId == 0) m_nextId = 1;
    m_voices[id] = std::move(voice);
    return id;
}

void AudioDevice::DestroyVoice(VoiceId id) {
    std::unique_ptr<Voice> gone;
    auto lock = Lock();
    auto it = m_voices.find(id);
    if (it == m_voices.end()) return;
    gone = std::move(it->second);
    m_voices.erase(it);
}

bool AudioDevice::WriteVoice(VoiceId id, uint32_t offset, const void* data, uint32_t bytes) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v || !data) return false;
    if (offset >= v->data.size()) return bytes == 0;
    size_t n = std::min<size_t>(bytes, v->data.size() - offset);
    std::memcpy(v->data.data() + offset, data, n);
    return true;
}

bool AudioDevice::SetVolume(VoiceId id, int32_t level) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    v->volume = std::clamp(level, kVolumeMin, kVolumeMax);
    v->gain = GainOfLevel(v->volume);
    return true;
}

int32_t AudioDevice::GetVolume(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    return v ? v->volume : kVolumeMin;
}

bool AudioDevice::SetFrequency(VoiceId id, uint32_t hz) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    v->frequency = hz == 0 ? v->format.rate : hz;
    return true;
}

uint32_t AudioDevice::GetFrequency(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    return v ? v->frequency : 0;
}

bool AudioDevice::Play(VoiceId id, bool loop) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    v->looping = loop;
    v->playing = v->frames > 0;
    return true;
}

bool AudioDevice::Stop(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    v->playing = false;
    return true;
}

bool AudioDevice::SetPosition(VoiceId id, uint32_t byteOffset) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    uint32_t frame = byteOffset / v->format.BlockAlign();
    if (frame >= v->frames) frame = 0;
    v->position = uint64_t(frame) << 32;
    return true;
}

uint32_t AudioDevice::GetPosition(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return 0;
    return uint32_t(v->position >> 32) * v->format.BlockAlign();
}

uint32_t AudioDevice::GetStatus(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v || !v->playing) return 0;
    return uint32_t(VOICE_PLAYING) | (v->looping ? uint32_t(VOICE_LOOPING) : 0u);
}

size_t AudioDevice::VoiceCount() {
    auto lock = Lock();
    return m_voices.size();
}

void AudioDevice::Mix(int16_t* out, size_t frames) {
    std::lock_guard<std::mutex> lock(m_mutex);
    MixLocked(out, frames);
}

void AudioDevice::MixLocked(int16_t* out, size_t frames) {
    m_accum.assign(frames * kMixChannels, 0);
    for (auto& entry : m_voices) {
        Voice& v = *entry.second;
        if (!v.playing) continue;
        const uint64_t end = uint64_t(v.frames) << 32;
        const uint64_t step = (uint64_t(v.frequency) << 32) / kMixRate;
        const float gain = v.gain;
        const uint8_t* data = v.data.data();
        for (size_t i = 0; i < frames; ++i) {
            if (v.position >= end) {
                if (!v.looping) {
                    v.playing = false;
                    v.position = 0;
                    break;
                }
                v.position %= end;
            }
            uint32_t frame = uint32_t(v.position >> 32);
            uint32_t next = frame + 1;
            if (next >= v.frames) next = v.looping ? 0 : frame;
            int32_t l0, r0, l1, r1;
            FrameAt(data, v.format, frame, l0, r0);
            FrameAt(data, v.format, next, l1, r1);
            // Linear interpolation between neighbouring frames.
            float t = float(uint32_t(v.position)) * (1.0f / 4294967296.0f);
            float l = float(l0) + (float(l1) - float(l0)) * t;
            float r = float(r0) + (float(r1) - float(r0)) * t;
            m_accum[i * 2] += int32_t(l * gain);
            m_accum[i * 2 + 1] += int32_t(r * gain);
            v.position += step;
        }
        // A one-shot voice whose last frame was just mixed has ended too.
        if (v.playing && !v.looping && v.position >= end) {
            v.playing = false;
            v.position = 0;
        }
    }
    for (size_t i = 0; i < frames * kMixChannels; ++i) out[i] = int16_t(std::clamp<int32_t>(m_accum[i], -32768, 32767));
}

// ---- SDL ----

SdlAudioDevice::~SdlAudioDevice() {
    if (m_device) {
        SDL_CloseAudioDevice(m_device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlAudioDevice::Callback(void* self, uint8_t* stream, int len) {
    auto* device = static_cast<SdlAudioDevice*>(self);
    device->Mix(reinterpret_cast<int16_t*>(stream), size_t(len) / (sizeof(int16_t) * kMixChannels));
}

bool SdlAudioDevice::Open() {
    // The mixer lock stays free of SDL calls: SDL's own lock is held by the
    // output thread while it waits for the mixer.
    std::lock_guard<std::mutex> order(m_openClose);
    SDL_AudioDeviceID kept = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_opens > 0) {
            ++m_opens;
            return true;
        }
        kept = m_device;
        if (kept) m_opens = 1;
    }
    // Closed before but kept: it only has to play again.
    if (kept) {
        SDL_PauseAudioDevice(kept, 0);
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = int(kMixRate);
    want.format = AUDIO_S16SYS;
    want.channels = uint8_t(kMixChannels);
    want.samples = 1024;
    want.callback = &SdlAudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (dev == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_device = dev;
        m_opens = 1;
    }
    SDL_PauseAudioDevice(dev, 0);
    return true;
}

// The last close only silences the device; it is let go when this object
// goes. Letting it go waits for the output thread's current buffer (a
// twentieth of a second, more on some drivers), and the start-up probe's
// close is followed at once by the game's own open.
void SdlAudioDevice::Close() {
    std::lock_guard<std::mutex> order(m_openClose);
    SDL_AudioDeviceID silence = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_opens == 0 || --m_opens > 0) return;
        silence = m_device;
    }
    SDL_PauseAudioDevice(silence, 1);
}

// ---- headless ----

bool HeadlessAudioDevice::Open() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_unavailable) return false;
    ++m_opens;
    return true;
}

void HeadlessAudioDevice::Close() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_opens > 0) --m_opens;
}

void HeadlessAudioDevice::CatchUpLocked() {
    Clock& clock = GetClock();
    int64_t now = clock.Ticks();
    if (m_lastTicks < 0 || now < m_lastTicks) {
        m_lastTicks = now;
        return;
    }
    int64_t perSecond = clock.TicksPerSecond();
    int64_t frames = FramesAt(now, perSecond) - FramesAt(m_lastTicks, perSecond);
    m_lastTicks = now;
    int16_t chunk[kChunkFrames * kMixChannels];
    const size_t limit = m_heardLimit;
    while (frames > 0) {
        bool anyPlaying = false;
        for (auto& entry : m_voices) anyPlaying = anyPlaying || entry.second->playing;
        if (!anyPlaying) {
            // Nothing to advance: the rest is silence, of which no more than the record holds is kept.
            size_t keep = size_t(std::min<int64_t>(frames, int64_t(limit / kMixChannels)));
            m_heard.insert(m_heard.end(), keep * kMixChannels, int16_t(0));
            frames = 0;
        } else {
            size_t n = size_t(std::min<int64_t>(frames, kChunkFrames));
            MixLocked(chunk, n);
            if (limit > 0) m_heard.insert(m_heard.end(), chunk, chunk + n * kMixChannels);
            frames -= int64_t(n);
        }
        // Trimmed once the record holds twice its limit, not on every frame:
        // moving the front away each frame cost more than the mixing.
        if (m_heard.size() > 2 * limit) m_heard.erase(m_heard.begin(), m_heard.end() - limit);
    }
}

void HeadlessAudioDevice::SetHeardSeconds(uint32_t seconds) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_heardLimit = size_t(kMixRate) * kMixChannels * seconds;
    if (m_heard.size() > m_heardLimit) m_heard.erase(m_heard.begin(), m_heard.end() - m_heardLimit);
}

std::vector<int16_t> HeadlessAudioDevice::TakeMixed() {
    auto lock = Lock();
    std::vector<int16_t> heard;
    heard.swap(m_heard);
    if (heard.size() > m_heardLimit) heard.erase(heard.begin(), heard.end() - m_heardLimit);
    return heard;
}

void HeadlessAudioDevice::CatchUp() { auto lock = Lock(); }

// ---- the installed device ----

namespace {
std::atomic<AudioDevice*> g_installed{nullptr};
}

AudioDevice& GetAudioDevice() {
    AudioDevice* d = g_installed.load();
    if (d) return *d;
    static SdlAudioDevice sdl;
    return sdl;
}

void SetAudioDevice(AudioDevice* device) { g_installed.store(device); }

}  // namespace host
