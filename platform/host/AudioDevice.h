#pragma once
// The sound output: a mixer of our own with one voice per sound buffer.
// Voices hold 8- or 16-bit PCM at their own rate and channel count and are
// mixed to 22050 Hz stereo 16-bit. A voice never jumps in level: starting,
// stopping and every volume change ramp over a few milliseconds (a stopped
// voice fades out from where it was while it may start again from 0). A
// gentle compressor on the effects keeps a busy battle from burying the
// music, and a limiter keeps the sum a few dB under full scale. Every voice operation takes the mixer's
// lock, so loaders on worker threads may create and destroy voices while the
// output thread mixes. The real device feeds SDL's audio callback; the
// headless twin mixes whatever the (virtual) clock says has been heard, so
// playback state is deterministic in tests and the samples can be inspected.
// Where nobody hears the output (SDL's silent driver, a headless device that
// keeps no record) the voices only move on: each ends, loops and hands over
// to its follower on the very frame a mix would, and nothing is summed.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace host {

constexpr uint32_t kMixRate = 22050;
constexpr uint32_t kMixChannels = 2;

// Level scale of the sound layer: hundredths of a decibel, 0 full, -10000 silent.
constexpr int32_t kVolumeMin = -10000;
constexpr int32_t kVolumeMax = 0;

struct PcmFormat {
    uint16_t channels = 0;  // 1 or 2
    uint32_t rate = 0;      // frames per second
    uint16_t bits = 0;      // 8 (unsigned) or 16 (signed)
    uint32_t BlockAlign() const { return uint32_t(channels) * (bits / 8u); }
};

using VoiceId = uint32_t;  // 0 is never a voice

enum : uint32_t { VOICE_PLAYING = 0x1, VOICE_LOOPING = 0x4 };

// Linear gain of a level: 10^(level/2000); -10000 and below are exactly 0.
float GainOfLevel(int32_t level);

// Output frames a start, a stop or a volume change takes to reach its level.
constexpr uint32_t kRampFrames = 96;  // about 4 ms
// The limiter's ceiling: no output sample goes beyond it (-3.5 dBFS).
constexpr float kLimitCeiling = 21900.0f;
// Groups a voice may be tagged with; the headless device can record each apart.
constexpr uint8_t kVoiceGroups = 3;

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the output (counted: every Open needs one Close). False when
    // there is no sound device.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    bool IsOpen();

    // A silent, stopped voice of the given size in bytes, at its own rate,
    // full volume, position 0. 0 when the format is not PCM we can mix.
    VoiceId CreateVoice(const PcmFormat& format, uint32_t bytes);
    void DestroyVoice(VoiceId id);
    // Copies bytes into the voice's buffer at offset (clipped to the buffer).
    bool WriteVoice(VoiceId id, uint32_t offset, const void* data, uint32_t bytes);

    bool SetVolume(VoiceId id, int32_t level);  // clamped to -10000..0
    int32_t GetVolume(VoiceId id);
    bool SetFrequency(VoiceId id, uint32_t hz);  // playback rate; 0 = own rate
    uint32_t GetFrequency(VoiceId id);
    // Starts from the current position; playing again only changes the loop flag.
    bool Play(VoiceId id, bool loop);
    bool Stop(VoiceId id);  // keeps the position; forgets a queued follower
    // When the one-shot voice id runs off its end, next starts on the very
    // next output frame from its own position, at its volume at once (the
    // two join sample-exactly). 0 forgets the follower.
    bool QueueNext(VoiceId id, VoiceId next, bool loop);
    // Tags the voice with a group (0 effects, 1 music, 2 other); the mix
    // itself does not care, the headless record can keep groups apart.
    bool SetGroup(VoiceId id, uint8_t group);
    bool SetPosition(VoiceId id, uint32_t byteOffset);
    uint32_t GetPosition(VoiceId id);  // bytes, a multiple of the block size
    uint32_t GetStatus(VoiceId id);    // VOICE_* bits, 0 for an unknown voice
    size_t VoiceCount();

    // Off, every change is heard at once and the sum is only clipped (as a
    // plain mixer would): for measuring what the smoothing takes away.
    void SetSmoothing(bool on);

    // Mixes frames of stereo output into out (2 × frames samples), advancing
    // every playing voice. A one-shot voice that runs off its end stops at 0.
    void Mix(int16_t* out, size_t frames);

    // The voice whose break (its step beyond the clip's own) was largest in
    // an output frame, told by its clip (length in frames), the clip frame it
    // was at and its rate, so a click in a record can be traced to its voice.
    struct StepSource {
        uint32_t frames = 0, at = 0, rate = 0;
        float step = 0.0f;
    };

protected:
    // What a stop leaves sounding: the clip from where it was, fading to 0.
    struct Tail {
        uint64_t position = 0;
        float gain = 0.0f;
        float step = 0.0f;  // taken off the gain each frame
        bool looping = false;
    };
    struct Voice {
        PcmFormat format;
        std::vector<uint8_t> data;
        uint32_t frames = 0;
        uint64_t position = 0;  // frames, 32.32 fixed point
        uint32_t frequency = 0;
        int32_t volume = 0;
        float gain = 1.0f;      // what the volume asks for
        float heard = 0.0f;     // what is applied now, walking to gain
        float rampStep = 0.0f;  // per frame, so each change takes kRampFrames
        bool playing = false;
        bool looping = false;
        uint8_t group = 0;
        VoiceId next = 0;  // queued to follow the end of this one-shot
        bool nextLoops = false;
        std::vector<Tail> tails;
        float lastOut = 0.0f;  // the left sample it last put in, for StepSource
    };

    // Takes the lock after letting the device catch up with its output.
    std::unique_lock<std::mutex> Lock();
    // Called under the lock before every voice operation.
    virtual void CatchUpLocked() {}
    void MixLocked(int16_t* out, size_t frames);
    Voice* Find(VoiceId id);
    // The gain the voice should have, ramped from what is heard now.
    static void AimGain(Voice& v, float gain);
    // Hands what the voice plays now to a tail that fades out.
    static void FadeOut(Voice& v);
    // Mixes the voice (and, asked, its tails) from output frame `from` on;
    // answers the output frame at which a one-shot ran off its end, or
    // kNotEnded.
    static constexpr size_t kNotEnded = ~size_t(0);
    size_t MixVoice(Voice& v, size_t from, size_t frames, bool withTails);
    // What MixVoice does to the voice's position and playing state, without
    // the samples; its tails are dropped.
    static size_t AdvanceVoice(Voice& v, size_t from, size_t frames);
    // Runs every voice, follower and fading voice over frames of output,
    // mixing them into the buses or only moving them on.
    void RunVoicesLocked(size_t frames, bool mix);
    // Moves every voice on by frames of output that nobody hears.
    void AdvanceLocked(size_t frames);

    std::mutex m_mutex;
    std::map<VoiceId, std::unique_ptr<Voice>> m_voices;
    // Destroyed voices whose tails still fade out.
    std::vector<std::unique_ptr<Voice>> m_fading;
    VoiceId m_nextId = 1;
    int m_opens = 0;
    // The sum of the effects (groups 0 and 2) and of the music (group 1).
    std::vector<float> m_effectsBus, m_musicBus;
    // Per group, when kept (headless record); before the compressor and limiter.
    bool m_keepGroups = false;
    std::vector<float> m_groupAccum[kVoiceGroups];
    // The effects compressor's and the limiter's gain of each frame of the last mix.
    std::vector<float> m_effectsGains, m_limitGains;
    std::vector<StepSource> m_stepSources;  // of each frame of the last mix, when groups are kept
    float m_effectsPower = 0.0f;            // the effects' smoothed power (squared 16-bit units)
    float m_limitGain = 1.0f;
    bool m_smooth = true;
    // The clips' own steps summed per bus, and the output's unbroken step of
    // each frame of the last mix, when groups are kept.
    std::vector<float> m_effectsOwn, m_musicOwn, m_unbroken;
};

// SDL2 audio at 22050 Hz stereo 16-bit (SDL converts when the card wants otherwise).
class SdlAudioDevice : public AudioDevice {
public:
    ~SdlAudioDevice() override;
    bool Open() override;
    void Close() override;

private:
    static void Callback(void* self, uint8_t* stream, int len);
    std::mutex m_openClose;       // one open or close at a time
    uint32_t m_device = 0;        // kept, silent, while nobody has it open
    bool m_silentDriver = false;  // SDL's dummy driver: nothing is heard
};

// Mixes on demand up to the present of the installed clock.
class HeadlessAudioDevice : public AudioDevice {
public:
    bool Open() override;
    void Close() override;
    // Open fails while set, as on a machine without a sound card.
    void SetUnavailable(bool unavailable) { m_unavailable = unavailable; }
    // Catches up with the clock and returns the samples mixed since the last
    // call (interleaved stereo). Only the most recent stretch the record
    // holds is kept: a minute unless SetHeardSeconds says otherwise.
    std::vector<int16_t> TakeMixed();
    // How much of the output the record keeps; 0 keeps none, and then
    // nothing is mixed: the voices move on as a mix would move them.
    void SetHeardSeconds(uint32_t seconds);
    // Catches up with the clock without taking the samples.
    void CatchUp();
    // Also keeps, beside the mix, what each voice group put into it (after
    // the limiter's gain, not clipped), for weighing music against effects.
    void KeepGroups(bool keep);
    // The group's part of the output since the last call (interleaved stereo).
    std::vector<float> TakeGroupMixed(uint8_t group);
    // The step source of each frame since the last call, when groups are kept.
    std::vector<StepSource> TakeStepSources();
    // Since the last call, when groups are kept: each output frame's step as
    // it would be had every voice gone on unbroken at its present gain
    // (interleaved stereo). Where the output steps otherwise, the mixer made
    // the difference: a start, stop, cut, level change or join.
    std::vector<float> TakeUnbrokenSteps();

protected:
    void CatchUpLocked() override;

private:
    int64_t m_lastTicks = -1;
    bool m_unavailable = false;
    size_t m_heardLimit = size_t(kMixRate) * kMixChannels * 60;  // samples
    std::vector<int16_t> m_heard;
    std::vector<float> m_heardGroups[kVoiceGroups];
    std::vector<StepSource> m_heardSources;
    std::vector<float> m_heardUnbroken;
    void Trim();
};

// The device everybody uses: SDL's unless a test installs another.
AudioDevice& GetAudioDevice();
void SetAudioDevice(AudioDevice* device);  // nullptr restores SDL's

}  // namespace host
