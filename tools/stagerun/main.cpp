// stagerun: plays one stage from a seed and prints one line with its outcome.
//   stagerun --stage N --difficulty D --seed S [--profile FILE] [--hand ID,ID,...]
//            [--script FILE] [--frames LIMIT] [--window [--draw-from FRAME]]
//            [--defend [--withdraw]] [--debug-view] [--hold SECONDS] [--mix-report FROM-TO|end [--raw-mix]]
// Run it in the folder that holds the generated DATA. Exit 0 when the stage
// ran, 2 on bad arguments. --mix-report records the output from battle frame
// FROM to TO and prints its clicks, peak and music-to-effects balance instead
// (exit 1 when it misses a click a minute, -3 dBFS or music within 10 dB in
// 90% of the windows); each click gives the output's step, the step its clips
// take by themselves there, and the voice that broke most (its clip's length
// in frames, the frame it was at, its rate). --raw-mix hears it
// without the mixer's ramps and limiter, for comparison. --hold keeps the
// page on its result board that many seconds before the run ends, and
// --mix-report end records from the battle's result on, so the end music's
// joins can be measured (each silence inside the music is listed).
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "content/StageNumbering.h"
#include "tools/stagerun/MixReport.h"
#include "tools/stagerun/StageRun.h"
#include "tools/stagerun/WindowRun.h"

namespace {

const char kUsage[] =
    "usage: stagerun --stage N [--difficulty D] [--seed S] [--profile FILE] [--hand ID,ID,...]\n"
    "                [--script FILE] [--frames LIMIT] [--window [--draw-from FRAME]]\n"
    "                [--defend [--withdraw]] [--debug-view] [--hold SECONDS] [--mix-report FROM-TO|end [--raw-mix]]\n"
    "Plays one stage from a seed in the folder that holds DATA and prints its outcome line.\n"
    "  --stage N          stage 1-180 (151-180 are the mini-games)\n"
    "  --difficulty D     0-2\n"
    "  --seed S           the battle's random seed\n"
    "  --profile FILE     a save file whose current profile plays\n"
    "  --hand ID,...      the robots dealt into the hand; skips the card choice\n"
    "  --script FILE      timed input, one a line: FRAME move/press/release X Y, or FRAME key CODE\n"
    "  --frames LIMIT     stops at this battle frame\n"
    "  --window           plays in a real window (CSQ_STAGERUN_SHOT=FILE keeps the last picture)\n"
    "  --draw-from FRAME  with --window, draws nothing before that battle frame (the game steps the same)\n"
    "  --defend           a simple player places the hand; --withdraw takes it off after the clock\n"
    "  --debug-view       the battle's debug view\n"
    "  --hold SECONDS     stays on the result board that long\n"
    "  --mix-report R     records the sound from battle frame FROM to TO (or from the result on,\n"
    "                     with end) and prints its clicks, peak, music gaps and balance instead;\n"
    "                     exit 1 unless under a click a minute, peak -3 dBFS, music heard 90 %\n"
    "  --raw-mix          the same without the mixer's ramps, compressor and limiter\n"
    "  --help             this text\n"
    "Exit 0 when the stage ran, 2 on bad arguments.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "stagerun: %s\n", message.c_str());
    return 2;
}

bool ToNumber(const char* text, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return *text != '\0' && *end == '\0' && errno != ERANGE;
}

// Each numeric option's range, checked on the parsed value before it is
// narrowed, so no value wraps round into another.
struct NumberOption {
    const char* name;
    const char* label;
    long long low, high;
};
const NumberOption kNumberOptions[] = {
    {"--stage", "stage", 1, LAST_STAGE}, {"--difficulty", "difficulty", 0, 2},
    {"--seed", "seed", 0, UINT32_MAX},   {"--frames", "frame limit", 1, INT_MAX},
    {"--hold", "hold", 0, 3600},         {"--draw-from", "first drawn frame", 0, INT_MAX},
};

// "FROM-TO" battle frames, FROM below TO.
bool ParseRange(const std::string& text, int& from, int& to) {
    const size_t dash = text.find('-');
    if (dash == std::string::npos) return false;
    long long a = 0, b = 0;
    if (!ToNumber(text.substr(0, dash).c_str(), a) || !ToNumber(text.substr(dash + 1).c_str(), b)) return false;
    if (a < 0 || b <= a || b > INT_MAX) return false;
    from = int(a);
    to = int(b);
    return true;
}

int MixReport(const StageRunOptions& options, int from, int to, bool smooth) {
    StageMix mix;
    std::string error;
    if (!RecordStageMix(options, from, to, smooth, mix, error)) return Fail(error);
    const MixFigures f = MeasureMix(mix.mix, mix.music, mix.effects, mix.unbroken);
    // Where the clicks are, so each can be looked for.
    for (size_t k = 0; k < f.clickFrames.size(); ++k) {
        const size_t at = f.clickFrames[k];
        const int16_t* s = &mix.mix[at * 2];
        const host::AudioDevice::StepSource source =
            at < mix.sources.size() ? mix.sources[at] : host::AudioDevice::StepSource{};
        const float* own = at * 2 + 1 < mix.unbroken.size() ? &mix.unbroken[at * 2] : nullptr;
        std::printf(
            "click frame=%d second=%.3f step=%d,%d own=%.0f,%.0f in=%s clip_frames=%u clip_at=%u "
            "clip_rate=%u\n",
            mix.BattleFrameAt(at), double(at) / 22050.0, int(s[0]) - int(s[-2]), int(s[1]) - int(s[-1]),
            own ? own[0] : 0.0f, own ? own[1] : 0.0f, f.clickInMusic[k] ? "music" : "effects", source.frames, source.at,
            source.rate);
    }
    for (const auto& gap : FindMusicGaps(mix.music))
        std::printf("music_gap frame=%d second=%.3f ms=%.1f\n", mix.BattleFrameAt(gap.first),
                    double(gap.first) / 22050.0, 1000.0 * double(gap.second) / 22050.0);
    std::printf("%s\n", f.Line().c_str());
    const bool good = f.clicksPerMinute < 1.0 && f.peakDbfs <= -3.0 && f.MusicWithinShare() >= 0.9;
    return good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    StageRunOptions options;
    bool haveStage = false;
    int mixFrom = -1, mixTo = -1;
    bool smooth = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--defend") {
            options.defend = true;
            continue;
        }
        if (arg == "--withdraw") {
            options.withdraw = true;
            continue;
        }
        if (arg == "--raw-mix") {
            smooth = false;
            continue;
        }
        if (arg == "--window") {
            options.window = true;
            continue;
        }
        if (arg == "--debug-view") {
            // The battle reads it as it loads, as it does for a player.
            setenv("CSQ_DEBUG_VIEW", "1", 1);
            continue;
        }
        if (i + 1 >= argc) return Fail("missing value after " + arg);
        const char* value = argv[++i];
        const NumberOption* number = nullptr;
        for (const NumberOption& o : kNumberOptions)
            if (arg == o.name) number = &o;
        if (number) {
            long long n = 0;
            if (!ToNumber(value, n)) {
                if (errno != ERANGE) return Fail("not a number: " + arg + " " + value);
                n = value[0] == '-' ? LLONG_MIN : LLONG_MAX;
            }
            if (n < number->low || n > number->high)
                return Fail(std::string(number->label) + " " + value + " is outside " + std::to_string(number->low) +
                            "-" + std::to_string(number->high));
            if (arg == "--stage") {
                options.stage = int(n);
                haveStage = true;
            } else if (arg == "--difficulty") {
                options.difficulty = int(n);
            } else if (arg == "--seed") {
                options.seed = uint32_t(n);
            } else if (arg == "--hold") {
                options.holdSeconds = int(n);
            } else if (arg == "--draw-from") {
                options.drawFrom = int(n);
            } else {
                options.frameLimit = int(n);
            }
        } else if (arg == "--profile") {
            options.profileFile = value;
        } else if (arg == "--hand") {
            if (!ParseHand(value, options.hand)) return Fail(std::string("cannot read hand ") + value);
        } else if (arg == "--mix-report") {
            if (std::strcmp(value, "end") == 0) {
                mixFrom = kMixFromResult;
                mixTo = INT_MAX;
            } else if (!ParseRange(value, mixFrom, mixTo)) {
                return Fail(std::string("cannot read frame range ") + value);
            }
        } else if (arg == "--script") {
            std::string error;
            if (!ReadScript(value, options.script, error)) return Fail(error);
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (!haveStage) return Fail("--stage is required");
    if (options.withdraw && !options.defend) return Fail("--withdraw needs --defend");
    if (options.drawFrom > 0 && !options.window) return Fail("--draw-from needs --window");

    if (mixTo > 0) {
        if (options.window) return Fail("--mix-report runs headless");
        return MixReport(options, mixFrom, mixTo, smooth);
    }
    if (options.window) return RunStageInWindow(options);

    StageRun run(options);
    if (!run.Start()) return Fail(run.Error());
    const StageRunResult result = run.RunToEnd();
    if (std::getenv("CSQ_STAGERUN_TRACE"))
        for (const std::string& text : run.BoxTexts()) std::fprintf(stderr, "box: %s\n", text.c_str());
    if (std::getenv("CSQ_STAGERUN_TRACE")) run.TraceUnits();
    std::printf("%s\n", result.Line().c_str());
    return 0;
}
