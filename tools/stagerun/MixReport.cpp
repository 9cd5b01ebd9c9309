#include "tools/stagerun/MixReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/host/AudioDevice.h"
#include "battle/page/PageGame.h"
#include "engine/PageIndices.h"
#include "game/GameApplication.h"
#include "tools/stagerun/StageRun.h"

namespace {

constexpr size_t kNeighbours = 7;        // steps on each side
constexpr size_t kSameClickFrames = 22;  // 1 ms

double Db(double rms) {
    return rms > 0.0 ? 20.0 * std::log10(rms / 32768.0) : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::vector<size_t> FindClicks(const std::vector<int16_t>& stereo, const std::vector<float>& unbroken) {
    const size_t frames = stereo.size() / 2;
    std::vector<size_t> found;
    // The output's steps beyond the clips' own.
    std::vector<double> steps(frames, 0.0);
    for (size_t channel = 0; channel < 2; ++channel) {
        for (size_t i = 1; i < frames; ++i) {
            const size_t at = i * 2 + channel;
            const double own = at < unbroken.size() ? double(unbroken[at]) : 0.0;
            steps[i] = std::fabs(double(stereo[at]) - double(stereo[at - 2]) - own);
        }
        for (size_t i = 1 + kNeighbours; i + kNeighbours < frames; ++i) {
            if (steps[i] < kClickStep) continue;
            double around[2 * kNeighbours];
            for (size_t k = 0; k < kNeighbours; ++k) {
                around[k] = steps[i - 1 - k];
                around[kNeighbours + k] = steps[i + 1 + k];
            }
            std::sort(around, around + 2 * kNeighbours);
            const double median = (around[kNeighbours - 1] + around[kNeighbours]) / 2.0;
            if (steps[i] >= kClickRatio * median) found.push_back(i);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<size_t> clicks;
    for (size_t f : found)
        if (clicks.empty() || f - clicks.back() > kSameClickFrames) clicks.push_back(f);
    return clicks;
}

double PeakDbfs(const std::vector<int16_t>& stereo) {
    int peak = 0;
    for (int16_t s : stereo) peak = std::max(peak, std::abs(int(s)));
    return Db(double(peak));
}

double RmsDbfs(const float* stereo, size_t frames) {
    double sum = 0.0;
    for (size_t i = 0; i < frames * 2; ++i) sum += double(stereo[i]) * double(stereo[i]);
    return frames ? Db(std::sqrt(sum / double(frames * 2))) : Db(0.0);
}

std::vector<std::pair<size_t, size_t>> FindMusicGaps(const std::vector<float>& music) {
    std::vector<std::pair<size_t, size_t>> gaps;
    const size_t frames = music.size() / 2;
    bool heard = false;
    size_t silentFrom = 0, silent = 0;
    for (size_t i = 0; i < frames; ++i) {
        const bool quiet = std::fabs(music[i * 2]) < 1.0f && std::fabs(music[i * 2 + 1]) < 1.0f;
        if (quiet) {
            if (silent++ == 0) silentFrom = i;
            continue;
        }
        if (heard && silent >= kMusicGapFrames) {
            const size_t window = std::min(silentFrom, kMixWindowFrames);
            if (RmsDbfs(music.data() + (silentFrom - window) * 2, window) > kMusicHeardDbfs)
                gaps.push_back({silentFrom, silent});
        }
        heard = true;
        silent = 0;
    }
    return gaps;
}

bool StepIsMusic(const std::vector<float>& music, const std::vector<float>& effects, size_t frame) {
    if (frame == 0 || frame * 2 + 1 >= music.size() || frame * 2 + 1 >= effects.size()) return false;
    auto step = [frame](const std::vector<float>& v) {
        return std::max(std::fabs(v[frame * 2] - v[frame * 2 - 2]), std::fabs(v[frame * 2 + 1] - v[frame * 2 - 1]));
    };
    return step(music) > step(effects);
}

MixFigures MeasureMix(const std::vector<int16_t>& mix, const std::vector<float>& music,
                      const std::vector<float>& effects, const std::vector<float>& unbroken) {
    MixFigures m;
    const size_t frames = mix.size() / 2;
    m.seconds = double(frames) / double(host::kMixRate);
    m.clickFrames = FindClicks(mix, unbroken);
    m.clicks = m.clickFrames.size();
    for (size_t f : m.clickFrames) {
        m.clickInMusic.push_back(StepIsMusic(music, effects, f));
        m.musicClicks += m.clickInMusic.back();
    }
    m.clicksPerMinute = m.seconds > 0.0 ? double(m.clicks) * 60.0 / m.seconds : 0.0;
    m.peakDbfs = PeakDbfs(mix);
    m.musicGaps = FindMusicGaps(music).size();
    const size_t parts = std::min(music.size(), effects.size()) / 2;
    std::vector<double> differences;
    for (size_t at = 0; at + kMixWindowFrames <= parts; at += kMixWindowFrames) {
        const double e = RmsDbfs(effects.data() + at * 2, kMixWindowFrames);
        if (!(e > kEffectsHeardDbfs)) continue;
        const double mu = RmsDbfs(music.data() + at * 2, kMixWindowFrames);
        ++m.windows;
        const double d = std::isfinite(mu) ? mu - e : -200.0;
        differences.push_back(d);
        if (d >= -kMusicWithinDb) ++m.musicWithin;
        if (d < -kMusicWithinDb) ++m.musicUnder;
        if (d > kMusicWithinDb) ++m.musicOver;
    }
    if (!differences.empty()) {
        std::nth_element(differences.begin(), differences.begin() + differences.size() / 2, differences.end());
        m.musicOverEffectsDb = differences[differences.size() / 2];
    }
    return m;
}

std::string MixFigures::Line() const {
    char buf[320];
    std::snprintf(buf, sizeof buf,
                  "seconds=%.1f clicks=%zu music_clicks=%zu clicks_per_minute=%.2f peak_dbfs=%.2f windows=%zu "
                  "music_within_10db=%.1f%% "
                  "music_under=%zu music_over=%zu music_minus_effects_db=%.1f music_gaps=%zu",
                  seconds, clicks, musicClicks, clicksPerMinute, peakDbfs, windows, 100.0 * MusicWithinShare(),
                  musicUnder, musicOver, musicOverEffectsDb, musicGaps);
    return buf;
}

namespace {

// The stage runner with the device's record at hand.
class MixRun : public StageRun {
public:
    using StageRun::StageRun;
    host::HeadlessAudioDevice& Device() { return static_cast<host::HeadlessAudioDevice&>(host::GetAudioDevice()); }
};

}  // namespace

bool RecordStageMix(const StageRunOptions& options, int from, int to, bool smooth, StageMix& out, std::string& error) {
    MixRun run(options);
    if (!run.Start()) {
        error = run.Error();
        return false;
    }
    host::HeadlessAudioDevice& device = run.Device();
    // A frame's worth at a time is taken; a second is room enough.
    device.SetHeardSeconds(1);
    device.KeepGroups(true);
    device.SetSmoothing(smooth);
    const bool fromResult = from == kMixFromResult;
    const int cap = options.frameLimit + 2000 + options.holdSeconds * 60;
    while (run.RunnerFrame() < cap && (fromResult || run.BattleFrame() < to)) {
        if (run.BoardHeldOut()) break;
        const int frame = run.BattleFrame();
        const bool result = run.App().m_iCurrentPage == BATTLE_PAGE_INDEX && run.State() >= BATTLE_RESULT;
        run.Step();
        std::vector<int16_t> mix = device.TakeMixed();
        std::vector<float> music = device.TakeGroupMixed(1);
        std::vector<float> effects = device.TakeGroupMixed(0);
        const std::vector<float> other = device.TakeGroupMixed(2);
        std::vector<host::AudioDevice::StepSource> sources = device.TakeStepSources();
        std::vector<float> unbroken = device.TakeUnbrokenSteps();
        if (fromResult ? !result : frame < from) continue;
        sources.resize(mix.size() / 2);
        unbroken.resize(mix.size());
        // Group 2 is never music: it is weighed with the effects.
        music.resize(mix.size());
        effects.resize(mix.size());
        for (size_t i = 0; i < other.size() && i < effects.size(); ++i) effects[i] += other[i];
        out.marks.push_back({out.mix.size() / 2, frame});
        out.mix.insert(out.mix.end(), mix.begin(), mix.end());
        out.music.insert(out.music.end(), music.begin(), music.end());
        out.effects.insert(out.effects.end(), effects.begin(), effects.end());
        out.sources.insert(out.sources.end(), sources.begin(), sources.end());
        out.unbroken.insert(out.unbroken.end(), unbroken.begin(), unbroken.end());
    }
    device.KeepGroups(false);
    device.SetSmoothing(true);
    return true;
}

int StageMix::BattleFrameAt(size_t outputFrame) const {
    int frame = marks.empty() ? 0 : marks.front().frame;
    for (const Mark& m : marks) {
        if (m.at > outputFrame) break;
        frame = m.frame;
    }
    return frame;
}
