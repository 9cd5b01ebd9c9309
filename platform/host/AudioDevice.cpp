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
    for (auto& entry : m_voices)
        if (entry.second->next == id) entry.second->next = 0;
    // A voice that still sounds fades out before it goes.
    if (m_smooth) FadeOut(*gone);
    gone->playing = false;
    gone->next = 0;
    if (!gone->tails.empty()) m_fading.push_back(std::move(gone));
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
    AimGain(*v, GainOfLevel(v->volume));
    if (!m_smooth) v->heard = v->gain;
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

void AudioDevice::SetSmoothing(bool on) {
    auto lock = Lock();
    m_smooth = on;
}

void AudioDevice::AimGain(Voice& v, float gain) {
    v.gain = gain;
    v.rampStep = std::fabs(gain - v.heard) / float(kRampFrames);
}

void AudioDevice::FadeOut(Voice& v) {
    if (v.playing && v.heard > 0.0f) {
        // A handful at most: a voice stopped again within the ramp lets its oldest fade go.
        if (v.tails.size() >= 4) v.tails.erase(v.tails.begin());
        Tail t;
        t.position = v.position;
        t.gain = v.heard;
        t.step = v.heard / float(kRampFrames);
        t.looping = v.looping;
        v.tails.push_back(t);
    }
    v.heard = 0.0f;
    v.rampStep = 0.0f;
}

bool AudioDevice::Play(VoiceId id, bool loop) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    v->looping = loop;
    if (!v->playing && v->frames > 0) {
        // Fades in from silence, wherever in the clip it starts.
        v->heard = m_smooth ? 0.0f : v->gain;
        AimGain(*v, v->gain);
        v->lastOut = 0.0f;
    }
    v->playing = v->frames > 0;
    return true;
}

bool AudioDevice::Stop(VoiceId id) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    if (m_smooth) FadeOut(*v);
    v->playing = false;
    v->next = 0;
    return true;
}

bool AudioDevice::QueueNext(VoiceId id, VoiceId next, bool loop) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v || (next && !Find(next)) || next == id) return false;
    v->next = next;
    v->nextLoops = loop;
    return true;
}

bool AudioDevice::SetGroup(VoiceId id, uint8_t group) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v || group >= kVoiceGroups) return false;
    v->group = group;
    return true;
}

bool AudioDevice::SetPosition(VoiceId id, uint32_t byteOffset) {
    auto lock = Lock();
    Voice* v = Find(id);
    if (!v) return false;
    uint32_t frame = byteOffset / v->format.BlockAlign();
    if (frame >= v->frames) frame = 0;
    uint64_t position = uint64_t(frame) << 32;
    // A playing voice that jumps fades out where it was and in where it lands.
    if (m_smooth && v->playing && position != v->position) {
        FadeOut(*v);
        AimGain(*v, v->gain);
    }
    v->position = position;
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

namespace {

// The clip's sample at a 32.32 position, between neighbouring frames.
inline void SampleAt(const uint8_t* data, const PcmFormat& f, uint32_t frames, uint64_t position, bool looping,
                     float& l, float& r) {
    uint32_t frame = uint32_t(position >> 32);
    uint32_t next = frame + 1;
    if (next >= frames) next = looping ? 0 : frame;
    int32_t l0, r0, l1, r1;
    FrameAt(data, f, frame, l0, r0);
    FrameAt(data, f, next, l1, r1);
    float t = float(uint32_t(position)) * (1.0f / 4294967296.0f);
    l = float(l0) + (float(l1) - float(l0)) * t;
    r = float(r0) + (float(r1) - float(r0)) * t;
}

// The clip's own step into its sample at position: from where it was a step
// earlier (round the loop, for a loop), or where a one-shot has no earlier
// sample, the step it takes next. A wave that carries on like this has no
// break of the mixer's making.
inline void OwnStepAt(const uint8_t* data, const PcmFormat& f, uint32_t frames, uint64_t position, uint64_t step,
                      bool looping, float& l, float& r) {
    const uint64_t end = uint64_t(frames) << 32;
    uint64_t from = position, to = position;
    if (position >= step) from = position - step;
    else if (looping) from = (position + end - step % end) % end;
    else if (position + step < end) to = position + step;
    float l0, r0, l1, r1;
    SampleAt(data, f, frames, from, looping, l0, r0);
    SampleAt(data, f, frames, to, looping, l1, r1);
    l = l1 - l0;
    r = r1 - r0;
}

// A one-shot clip's last few milliseconds go down to 0, so a clip that ends
// loud does not end with a step.
inline float EndFade(uint64_t position, uint64_t end, uint64_t step) {
    const uint64_t span = step * kRampFrames;
    const uint64_t left = end - position;
    return left >= span ? 1.0f : float(double(left) / double(span));
}

}  // namespace

size_t AudioDevice::MixVoice(Voice& v, size_t from, size_t frames, bool withTails) {
    const uint64_t end = uint64_t(v.frames) << 32;
    const uint64_t step = (uint64_t(v.frequency) << 32) / kMixRate;
    const uint8_t* data = v.data.data();
    float* acc = v.group == 1 ? m_musicBus.data() : m_effectsBus.data();
    float* group = m_keepGroups ? m_groupAccum[std::min<uint8_t>(v.group, kVoiceGroups - 1)].data() : nullptr;
    float* own = m_keepGroups ? (v.group == 1 ? m_musicOwn.data() : m_effectsOwn.data()) : nullptr;
    // Adds what the clip would step by itself at its present gain; answers the left step.
    auto addOwn = [&](size_t i, uint64_t position, bool looping, float g) {
        float l, r;
        OwnStepAt(data, v.format, v.frames, position, step, looping, l, r);
        own[i * 2] += l * g;
        own[i * 2 + 1] += r * g;
        return l * g;
    };
    auto add = [&](size_t i, float l, float r) {
        acc[i * 2] += l;
        acc[i * 2 + 1] += r;
        if (group) {
            group[i * 2] += l;
            group[i * 2 + 1] += r;
        }
    };
    if (withTails) {
        for (Tail& t : v.tails) {
            for (size_t i = from; i < frames && t.gain > 0.0f; ++i) {
                if (t.position >= end) {
                    if (!t.looping) {
                        t.gain = 0.0f;
                        break;
                    }
                    t.position %= end;
                }
                float l, r;
                SampleAt(data, v.format, v.frames, t.position, t.looping, l, r);
                const float g = t.looping ? t.gain : t.gain * EndFade(t.position, end, step);
                add(i, l * g, r * g);
                if (own) addOwn(i, t.position, t.looping, g);
                t.gain -= t.step;
                t.position += step;
            }
        }
        v.tails.erase(std::remove_if(v.tails.begin(), v.tails.end(), [](const Tail& t) { return t.gain <= 0.0f; }),
                      v.tails.end());
    }
    if (!v.playing) return kNotEnded;
    // A one-shot with a follower joins it at full level; any other fades its last frames.
    const bool fadeEnd = m_smooth && !v.looping && !v.next;
    for (size_t i = from; i < frames; ++i) {
        if (v.position >= end) {
            if (!v.looping) {
                v.playing = false;
                v.position = 0;
                v.heard = 0.0f;
                return i;
            }
            v.position %= end;
        }
        if (v.heard != v.gain)
            v.heard =
                v.heard < v.gain ? std::min(v.gain, v.heard + v.rampStep) : std::max(v.gain, v.heard - v.rampStep);
        float l, r;
        SampleAt(data, v.format, v.frames, v.position, v.looping, l, r);
        const float g = fadeEnd ? v.heard * EndFade(v.position, end, step) : v.heard;
        add(i, l * g, r * g);
        if (own) {
            const float jump = std::fabs(l * g - v.lastOut - addOwn(i, v.position, v.looping, g));
            if (jump > m_stepSources[i].step)
                m_stepSources[i] = {v.frames, uint32_t(v.position >> 32), v.frequency, jump};
        }
        v.lastOut = l * g;
        v.position += step;
    }
    // A one-shot voice whose last frame was just mixed has ended too.
    if (!v.looping && v.position >= end) {
        v.playing = false;
        v.position = 0;
        v.heard = 0.0f;
        return frames;
    }
    return kNotEnded;
}

size_t AudioDevice::AdvanceVoice(Voice& v, size_t from, size_t frames) {
    v.tails.clear();
    if (!v.playing) return kNotEnded;
    const uint64_t end = uint64_t(v.frames) << 32;
    const uint64_t step = (uint64_t(v.frequency) << 32) / kMixRate;
    const uint64_t n = frames - from;
    // A one-shot sounds on every frame until its position reaches the end.
    const uint64_t sounding =
        v.looping ? n : (v.position >= end ? 0 : std::min<uint64_t>(n, (end - v.position + step - 1) / step));
    const float walk = float(sounding) * v.rampStep;
    v.heard = v.heard < v.gain ? std::min(v.gain, v.heard + walk) : std::max(v.gain, v.heard - walk);
    if (v.looping) {
        // Each frame wraps the position, then steps on from there: after n
        // frames it lies one step past where the last frame wrapped to.
        if (n > 0) {
            const uint64_t last =
                uint64_t((unsigned __int128)(v.position % end) + (unsigned __int128)(n - 1) * step % end) % end;
            v.position = last + step;
        }
        return kNotEnded;
    }
    if (sounding < n || v.position + sounding * step >= end) {
        v.playing = false;
        v.position = 0;
        v.heard = 0.0f;
        return size_t(from + sounding);
    }
    v.position += sounding * step;
    return kNotEnded;
}

void AudioDevice::RunVoicesLocked(size_t frames, bool mix) {
    auto run = [&](Voice& v, size_t from, bool withTails) {
        return mix ? MixVoice(v, from, frames, withTails) : AdvanceVoice(v, from, frames);
    };
    struct Start {
        VoiceId id;
        bool loop;
        size_t at;
    };
    std::vector<Start> starts;
    for (auto& entry : m_voices) {
        Voice& v = *entry.second;
        const size_t ended = run(v, 0, true);
        if (ended != kNotEnded && v.next && m_smooth) starts.push_back({v.next, v.nextLoops, ended});
        if (ended != kNotEnded) v.next = 0;
    }
    // Followers start on the frame after their leader's last, at full level.
    for (size_t k = 0; k < starts.size(); ++k) {
        Voice* n = Find(starts[k].id);
        if (!n || n->playing || n->frames == 0) continue;
        n->playing = true;
        n->looping = starts[k].loop;
        n->heard = n->gain;
        n->rampStep = 0.0f;
        n->lastOut = 0.0f;
        const size_t ended = run(*n, starts[k].at, false);
        if (ended != kNotEnded && n->next) starts.push_back({n->next, n->nextLoops, ended});
        if (ended != kNotEnded) n->next = 0;
    }
    if (mix)
        for (auto& v : m_fading) MixVoice(*v, 0, frames, true);
    else m_fading.clear();
    m_fading.erase(std::remove_if(m_fading.begin(), m_fading.end(),
                                  [](const std::unique_ptr<Voice>& v) { return v->tails.empty(); }),
                   m_fading.end());
}

void AudioDevice::AdvanceLocked(size_t frames) {
    RunVoicesLocked(frames, false);
    // The limiter and the compressor recover as they would through silence.
    const double fall = std::exp(-double(frames) / (0.3 * double(kMixRate)));
    m_limitGain = 1.0f - (1.0f - m_limitGain) * float(fall);
    m_effectsPower *= float(fall);
}

void AudioDevice::MixLocked(int16_t* out, size_t frames) {
    m_effectsBus.assign(frames * kMixChannels, 0.0f);
    m_musicBus.assign(frames * kMixChannels, 0.0f);
    if (m_keepGroups) {
        for (auto& g : m_groupAccum) g.assign(frames * kMixChannels, 0.0f);
        m_stepSources.assign(frames, StepSource{});
        m_effectsOwn.assign(frames * kMixChannels, 0.0f);
        m_musicOwn.assign(frames * kMixChannels, 0.0f);
        m_unbroken.resize(frames * kMixChannels);
    }
    RunVoicesLocked(frames, true);

    // The effects compressor: above kEffectsKnee (RMS, dBFS) the effects rise
    // half as fast as they would; its power follows in 10 ms and lets go in
    // 300 ms, so its gain glides. The music passes untouched.
    static const float kAttack = float(1.0 - std::exp(-1.0 / (0.010 * double(kMixRate))));
    static const float kLetGo = float(1.0 - std::exp(-1.0 / (0.300 * double(kMixRate))));
    constexpr float kEffectsKnee = -22.0f;
    constexpr float kFullScaleDb = 90.309f;  // 20 log10(32768)
    // The limiter: the gain drops at once to keep a frame under the ceiling
    // and comes back slowly (a third of a second), so it does not pump.
    static const float kRelease = float(1.0 - std::exp(-1.0 / (0.3 * double(kMixRate))));
    if (m_keepGroups) {
        m_limitGains.resize(frames);
        m_effectsGains.resize(frames);
    }
    float gain = m_limitGain;
    float power = m_effectsPower;
    for (size_t i = 0; i < frames; ++i) {
        float el = m_effectsBus[i * 2], er = m_effectsBus[i * 2 + 1];
        float squared = 0.5f * (el * el + er * er);
        power += (squared - power) * (squared > power ? kAttack : kLetGo);
        float squeeze = 1.0f;
        if (m_smooth && power > 0.0f) {
            const float over = 10.0f * std::log10(power) - kFullScaleDb - kEffectsKnee;
            if (over > 0.0f) squeeze = std::pow(10.0f, -0.5f * over / 20.0f);
        }
        const float l = el * squeeze + m_musicBus[i * 2], r = er * squeeze + m_musicBus[i * 2 + 1];
        const float peak = std::max(std::fabs(l), std::fabs(r));
        gain += (1.0f - gain) * kRelease;
        if (peak * gain > kLimitCeiling && m_smooth) gain = kLimitCeiling / peak;
        out[i * 2] = int16_t(std::clamp<long>(std::lrint(l * gain), -32768, 32767));
        out[i * 2 + 1] = int16_t(std::clamp<long>(std::lrint(r * gain), -32768, 32767));
        if (m_keepGroups) {
            m_limitGains[i] = gain;
            m_effectsGains[i] = squeeze;
            for (size_t c = 0; c < kMixChannels; ++c)
                m_unbroken[i * 2 + c] = gain * (m_effectsOwn[i * 2 + c] * squeeze + m_musicOwn[i * 2 + c]);
        }
    }
    m_effectsPower = power;
    m_limitGain = gain;
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
    const size_t frames = size_t(len) / (sizeof(int16_t) * kMixChannels);
    if (!device->m_silentDriver) {
        device->Mix(reinterpret_cast<int16_t*>(stream), frames);
        return;
    }
    std::memset(stream, 0, size_t(len));
    std::lock_guard<std::mutex> lock(device->m_mutex);
    device->AdvanceLocked(frames);
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
    const char* driver = SDL_GetCurrentAudioDriver();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_device = dev;
        m_opens = 1;
        m_silentDriver = driver && std::strcmp(driver, "dummy") == 0;
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
    const size_t limit = m_heardLimit;
    if (limit == 0) {
        // Nobody hears it: the voices only move on.
        if (frames > 0) AdvanceLocked(size_t(frames));
        return;
    }
    int16_t chunk[kChunkFrames * kMixChannels];
    while (frames > 0) {
        bool anySounding = !m_fading.empty();
        for (auto& entry : m_voices) anySounding = anySounding || entry.second->playing || !entry.second->tails.empty();
        if (!anySounding) {
            // Nothing to advance: the rest is silence, of which no more than the record holds is kept.
            size_t keep = size_t(std::min<int64_t>(frames, int64_t(limit / kMixChannels)));
            m_heard.insert(m_heard.end(), keep * kMixChannels, int16_t(0));
            if (m_keepGroups)
                for (auto& g : m_heardGroups) g.insert(g.end(), keep * kMixChannels, 0.0f);
            if (m_keepGroups) {
                m_heardSources.insert(m_heardSources.end(), keep, StepSource{});
                m_heardUnbroken.insert(m_heardUnbroken.end(), keep * kMixChannels, 0.0f);
            }
            for (auto& entry : m_voices) entry.second->lastOut = 0.0f;
            AdvanceLocked(size_t(frames));
            frames = 0;
        } else {
            size_t n = size_t(std::min<int64_t>(frames, kChunkFrames));
            MixLocked(chunk, n);
            m_heard.insert(m_heard.end(), chunk, chunk + n * kMixChannels);
            if (m_keepGroups)
                for (uint8_t g = 0; g < kVoiceGroups; ++g)
                    for (size_t i = 0; i < n * kMixChannels; ++i) {
                        const float squeeze = g == 1 ? 1.0f : m_effectsGains[i / kMixChannels];
                        m_heardGroups[g].push_back(m_groupAccum[g][i] * squeeze * m_limitGains[i / kMixChannels]);
                    }
            if (m_keepGroups) {
                m_heardSources.insert(m_heardSources.end(), m_stepSources.begin(), m_stepSources.begin() + long(n));
                m_heardUnbroken.insert(m_heardUnbroken.end(), m_unbroken.begin(),
                                       m_unbroken.begin() + long(n * kMixChannels));
            }
            frames -= int64_t(n);
        }
        // Trimmed once the record holds twice its limit, not on every frame:
        // moving the front away each frame cost more than the mixing.
        if (m_heard.size() > 2 * limit) Trim();
    }
}

void HeadlessAudioDevice::Trim() {
    if (m_heard.size() > m_heardLimit) m_heard.erase(m_heard.begin(), m_heard.end() - m_heardLimit);
    for (auto& g : m_heardGroups)
        if (g.size() > m_heardLimit) g.erase(g.begin(), g.end() - m_heardLimit);
    if (m_heardUnbroken.size() > m_heardLimit)
        m_heardUnbroken.erase(m_heardUnbroken.begin(), m_heardUnbroken.end() - m_heardLimit);
    const size_t frames = m_heardLimit / kMixChannels;
    if (m_heardSources.size() > frames)
        m_heardSources.erase(m_heardSources.begin(), m_heardSources.end() - long(frames));
}

void HeadlessAudioDevice::SetHeardSeconds(uint32_t seconds) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_heardLimit = size_t(kMixRate) * kMixChannels * seconds;
    Trim();
}

void HeadlessAudioDevice::KeepGroups(bool keep) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keepGroups = keep;
    for (auto& g : m_heardGroups) g.clear();
    m_heardSources.clear();
    m_heardUnbroken.clear();
}

std::vector<float> HeadlessAudioDevice::TakeUnbrokenSteps() {
    auto lock = Lock();
    std::vector<float> heard;
    heard.swap(m_heardUnbroken);
    if (heard.size() > m_heardLimit) heard.erase(heard.begin(), heard.end() - m_heardLimit);
    return heard;
}

std::vector<AudioDevice::StepSource> HeadlessAudioDevice::TakeStepSources() {
    auto lock = Lock();
    std::vector<StepSource> heard;
    heard.swap(m_heardSources);
    const size_t frames = m_heardLimit / kMixChannels;
    if (heard.size() > frames) heard.erase(heard.begin(), heard.end() - long(frames));
    return heard;
}

std::vector<int16_t> HeadlessAudioDevice::TakeMixed() {
    auto lock = Lock();
    std::vector<int16_t> heard;
    heard.swap(m_heard);
    if (heard.size() > m_heardLimit) heard.erase(heard.begin(), heard.end() - m_heardLimit);
    return heard;
}

std::vector<float> HeadlessAudioDevice::TakeGroupMixed(uint8_t group) {
    auto lock = Lock();
    std::vector<float> heard;
    if (group >= kVoiceGroups) return heard;
    heard.swap(m_heardGroups[group]);
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
