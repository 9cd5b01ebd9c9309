#pragma once
// Listens to a battle's mix as a player would, with numbers: clicks, peak, and
// how the music stands against the effects. A click is a break the mixer
// makes: where the output steps beyond what its clips step by themselves (a
// voice started, stopped, cut or re-levelled far from zero, a join), by at
// least kClickStep and at least kClickRatio times the median of such breaks
// in the 14 frames around. A clip's own sharp attack is no click. Breaks of
// one click within a millisecond, on either channel, count once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/AudioDevice.h"

struct StageRunOptions;

constexpr int kClickStep = 1000;
constexpr int kClickRatio = 8;
constexpr size_t kMixWindowFrames = 2205;    // 100 ms at 22050 Hz
constexpr double kMusicWithinDb = 10.0;      // music at most this much under the effects
constexpr double kEffectsHeardDbfs = -60.0;  // a window whose effects are quieter is left out

// Output frames (stereo pairs) at which clicks begin. unbroken holds the
// steps the clips themselves make into each frame (interleaved stereo, as the
// device records them); without it every step is taken as the mixer's.
std::vector<size_t> FindClicks(const std::vector<int16_t>& stereo, const std::vector<float>& unbroken = {});
// The largest sample as dB under full scale (32768); -inf for silence.
double PeakDbfs(const std::vector<int16_t>& stereo);
// RMS of a stretch of interleaved stereo, as dB under full scale.
double RmsDbfs(const float* stereo, size_t frames);

struct MixFigures {
    double seconds = 0.0;
    size_t clicks = 0;
    double clicksPerMinute = 0.0;
    double peakDbfs = 0.0;
    size_t windows = 0;  // 100-ms windows in which effects are heard
    // Of those, windows in which the music is not buried: at most 10 dB under
    // the effects. Music more than 10 dB over quiet effects is plainly heard,
    // so it counts as within; musicOver tells how often that happens.
    size_t musicWithin = 0;
    size_t musicUnder = 0;            // the music more than 10 dB under the effects
    size_t musicOver = 0;             // the music more than 10 dB over them
    double musicOverEffectsDb = 0.0;  // median music level minus effects level
    size_t musicClicks = 0;           // clicks whose step is mostly the music's
    size_t musicGaps = 0;
    std::vector<size_t> clickFrames;
    std::vector<bool> clickInMusic;
    double MusicWithinShare() const { return windows ? double(musicWithin) / double(windows) : 1.0; }
    std::string Line() const;
};

// Silences inside the music: stretches of at least kMusicGapFrames of
// silent music between music heard before and after (output frame, length).
// Music fading out under kMusicHeardDbfs (over the 100 ms before) is not
// heard, so its dips to silence are no gap.
constexpr size_t kMusicGapFrames = 44;  // 2 ms
constexpr double kMusicHeardDbfs = -75.0;
std::vector<std::pair<size_t, size_t>> FindMusicGaps(const std::vector<float>& music);
// Whether most of the step at that output frame is the music's.
bool StepIsMusic(const std::vector<float>& music, const std::vector<float>& effects, size_t frame);
// Weighs a mix and its music and effects parts (interleaved stereo of the same length).
MixFigures MeasureMix(const std::vector<int16_t>& mix, const std::vector<float>& music,
                      const std::vector<float>& effects, const std::vector<float>& unbroken = {});

struct StageMix {
    std::vector<int16_t> mix;
    std::vector<float> music, effects;
    std::vector<float> unbroken;  // the clips' own steps into each output frame
    // Which clip made the largest step into each output frame.
    std::vector<host::AudioDevice::StepSource> sources;
    // Where each stepped frame's output begins, to tell a click's battle frame.
    struct Mark {
        size_t at;  // output frame
        int frame;  // battle frame
    };
    std::vector<Mark> marks;
    int BattleFrameAt(size_t outputFrame) const;
};

// Plays the stage headless and records its output from battle frame `from`
// up to `to`, or from the battle's result on when `from` is kMixFromResult;
// either way it stops once the result board has been held the options'
// seconds. smooth false mixes without ramps or limiter. False with a message
// when the stage cannot run.
constexpr int kMixFromResult = -1;
bool RecordStageMix(const StageRunOptions& options, int from, int to, bool smooth, StageMix& out, std::string& error);
