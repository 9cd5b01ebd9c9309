#include "tools/assetpack/MusicScore.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "tools/assetpack/Encoders.h"
#include "tools/assetpack/Synth.h"

using namespace synth;

namespace {

enum Wave { kSine, kSquare, kSaw, kTriangle, kBell };

struct Instrument {
    Wave wave;
    double attack, decay, sustain, release;  // seconds; sustain as a level
    double lowPass;                          // Hz, 0 for none
    double vibrato;                          // depth as a share of the pitch
    double level;
};

struct Style {
    const char* name;
    double bpm;
    int root;       // the tonic, as a MIDI note in the melody's register
    int scale[7];   // semitones above the tonic
    int chords[8];  // scale degree (0-6) of each bar's chord; the list repeats
    int loopBars;
    const char* kick;  // sixteen steps a bar: 'x' a hit, 'o' a soft one
    const char* snare;
    const char* hat;
    const char* bass;  // 'x' root, 'o' octave, 'f' fifth, '-' holds, '.' rests
    double density;    // the chance a melody step starts a note
    Instrument lead, pad, bassVoice;
    const char* intro;  // what the intro plays before the loop's last bar: "pad", "fanfare", "lament"
    int introBars;      // including that last bar
    double levelDb;     // over or under the common level
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
const int kDorian[7] = {0, 2, 3, 5, 7, 9, 10};
const int kHarmonic[7] = {0, 2, 3, 5, 7, 8, 11};
const int kMixolydian[7] = {0, 2, 4, 5, 7, 9, 10};

Style MakeStyle(const char* name, double bpm, int root, const int* scale, std::initializer_list<int> chords, int bars) {
    Style s{};
    s.name = name, s.bpm = bpm, s.root = root, s.loopBars = bars;
    std::copy(scale, scale + 7, s.scale);
    int i = 0;
    for (int c : chords) s.chords[i++] = c;
    for (; i < 8; ++i) s.chords[i] = s.chords[i - 4];
    return s;
}

std::vector<Style> Styles() {
    std::vector<Style> v;
    Style s = MakeStyle("menu", 100, 72, kMajor, {0, 5, 3, 4, 0, 5, 1, 4}, 16);
    s.kick = "x.......x.......", s.snare = "....o.......o...", s.hat = "..o...o...o...o.";
    s.bass = "x-----f-o-----f-", s.density = 0.45;
    s.lead = {kTriangle, 0.012, 0.3, 0.75, 0.12, 0, 0.004, 0.12};
    s.pad = {kTriangle, 0.150, 0.5, 0.75, 0.3, 1400, 0, 0.168};
    s.bassVoice = {kTriangle, 0.012, 0.3, 0.75, 0.08, 0, 0, 0.450};
    s.intro = "pad", s.introBars = 3;
    v.push_back(s);

    s = MakeStyle("episode1", 120, 69, kDorian, {0, 5, 2, 6}, 16);
    s.kick = "x...x...x...x...", s.snare = "....x.......x...", s.hat = "o.o.o.o.o.o.o.o.";
    s.bass = "x-x-o-x-x-x-o-f-", s.density = 0.55;
    s.lead = {kSquare, 0.012, 0.2, 0.75, 0.08, 1500, 0.005, 0.048};
    s.pad = {kTriangle, 0.080, 0.4, 0.75, 0.2, 1100, 0, 0.120};
    s.bassVoice = {kTriangle, 0.012, 0.15, 0.75, 0.05, 700, 0, 0.350};
    s.intro = "pad", s.introBars = 3;
    s.levelDb = -1.5;  // the first episode's stages are the quietest: a few robots, a trap
    v.push_back(s);

    s = MakeStyle("episode2", 132, 64, kMinor, {0, 3, 4, 0, 5, 3, 6, 4}, 20);
    s.kick = "x.....x...x.....", s.snare = "....x.......x..o", s.hat = "oooooooooooooooo";
    s.bass = "x-ox-xo-f-ofx-o-", s.density = 0.6;
    s.lead = {kSaw, 0.012, 0.25, 0.75, 0.1, 1300, 0.006, 0.040};
    s.pad = {kTriangle, 0.100, 0.5, 0.75, 0.25, 900, 0, 0.120};
    s.bassVoice = {kTriangle, 0.012, 0.1, 0.75, 0.04, 600, 0, 0.280};
    s.intro = "pad", s.introBars = 3;
    v.push_back(s);

    s = MakeStyle("episode3", 144, 62, kHarmonic, {0, 5, 3, 4, 0, 5, 1, 4}, 20);
    s.kick = "x..x..x.x..x..x.", s.snare = "....x.......x.x.", s.hat = "o.o.o.o.o.o.o.o.";
    s.bass = "x-x-x-o-x-x-f-f-", s.density = 0.65;
    s.lead = {kSaw, 0.012, 0.15, 0.75, 0.08, 1500, 0.01, 0.040};
    s.pad = {kTriangle, 0.080, 0.3, 0.75, 0.2, 800, 0, 0.144};
    s.bassVoice = {kTriangle, 0.012, 0.12, 0.75, 0.04, 500, 0, 0.360};
    s.intro = "pad", s.introBars = 3;
    v.push_back(s);

    s = MakeStyle("minigame", 150, 65, kMajor, {0, 3, 4, 3}, 20);
    s.kick = "x.......x.......", s.snare = "....x.......x...", s.hat = "..x...x...x...x.";
    s.bass = "x-o-f-o-x-o-f-o-", s.density = 0.7;
    s.lead = {kSquare, 0.012, 0.08, 0.75, 0.05, 1600, 0, 0.048};
    s.pad = {kTriangle, 0.080, 0.2, 0.75, 0.1, 0, 0, 0.240};
    s.bassVoice = {kTriangle, 0.012, 0.1, 0.75, 0.04, 0, 0, 0.500};
    s.intro = "pad", s.introBars = 2;
    v.push_back(s);

    s = MakeStyle("victory", 112, 70, kMajor, {0, 3, 5, 4, 0, 3, 4, 0}, 16);
    s.kick = "x.......x...x...", s.snare = "....x.......x...", s.hat = "o.o.o.o.o.o.o.o.";
    s.bass = "x---o---x---f---", s.density = 0.5;
    s.lead = {kSaw, 0.020, 0.3, 0.75, 0.15, 1400, 0.006, 0.048};
    s.pad = {kTriangle, 0.100, 0.4, 0.75, 0.25, 1600, 0, 0.144};
    s.bassVoice = {kTriangle, 0.012, 0.2, 0.75, 0.06, 600, 0, 0.350};
    s.intro = "fanfare", s.introBars = 3;
    v.push_back(s);

    s = MakeStyle("gameover", 72, 60, kMinor, {0, 3, 5, 4, 0, 5, 3, 4}, 10);
    s.kick = "x...............", s.snare = "........o.......", s.hat = "....o.......o...";
    s.bass = "x-------f-------", s.density = 0.3;
    s.lead = {kSine, 0.040, 0.6, 0.75, 0.3, 0, 0.008, 0.13};
    s.pad = {kTriangle, 0.300, 0.8, 0.80, 0.5, 0, 0, 0.312};
    s.bassVoice = {kSine, 0.020, 0.5, 0.75, 0.2, 0, 0, 0.500};
    s.intro = "lament", s.introBars = 3;
    v.push_back(s);

    s = MakeStyle("story", 84, 67, kMixolydian, {0, 4, 5, 3, 0, 6, 3, 4}, 12);
    s.kick = "x.......x.......", s.snare = "................", s.hat = "o.o.o.o.o.o.o.o.";
    s.bass = "x-------f-------", s.density = 0.5;
    s.lead = {kBell, 0.004, 0.8, 0.0, 0.3, 0, 0, 0.10};
    s.pad = {kSine, 0.200, 0.6, 0.80, 0.4, 0, 0, 0.240};
    s.bassVoice = {kTriangle, 0.020, 0.4, 0.75, 0.2, 0, 0, 0.450};
    s.intro = "", s.introBars = 0;
    v.push_back(s);
    return v;
}

struct Note {
    long start;  // sample in the performance
    long length;
    double midi;
    const Instrument* voice;
    double velocity;
    double phase;  // where the wave starts, so notes struck together do not line up their peaks
};

enum Drum { kKick, kSnare, kHat };
struct Hit {
    long start;
    Drum drum;
    double velocity;
    uint32_t seed;  // from the hit's place in the bar, so a repeated bar repeats its noise
};

void RenderNote(std::vector<double>& out, const Note& n) {
    const Instrument& v = *n.voice;
    const double hz = Midi(n.midi), dt = hz / kRate;
    const long tail = long(v.release * kRate);
    const double a = std::max(v.attack, 0.003);
    double phase = n.phase, lp = 0, vib = 0;
    // Bright waves pass two gentle low-pass stages: the edge of a raw saw or
    // square is a jump of the whole wave in one sample.
    const double lpK = v.lowPass > 0 ? 1.0 - std::exp(-2 * kPi * v.lowPass / kRate) : 1.0;
    double lp2 = 0;
    double held = 0;
    for (long i = 0; i < n.length + tail; ++i) {
        long at = n.start + i;
        if (at >= long(out.size())) break;
        double t = double(i) / kRate, env;
        if (i < n.length) {
            env = t < a ? std::sin(0.5 * kPi * t / a)
                        : v.sustain + (1 - v.sustain) * std::exp(-5.0 * (t - a) / std::max(v.decay, 0.01));
            held = env;
        } else {
            double r = double(i - n.length) / double(std::max(tail, 1L));
            env = held * (0.5 + 0.5 * std::cos(kPi * r));
        }
        double f = dt;
        if (v.vibrato > 0) {
            vib += 5.5 / kRate;
            f *= 1.0 + v.vibrato * std::sin(2 * kPi * vib) * std::min(1.0, t * 3);
        }
        phase += f;
        phase -= std::floor(phase);
        double s;
        switch (v.wave) {
        // Square and saw keep only their first partials: mellow, and with no
        // edge that jumps from one sample to the next.
        case kSquare: {
            double s1 = std::sin(2 * kPi * phase);
            s = s1 + s1 * (3 - 4 * s1 * s1) / 4;  // the first and third partials
            break;
        }
        case kSaw: {
            double s1 = std::sin(2 * kPi * phase), c1 = std::cos(2 * kPi * phase);
            s = s1 + 2 * s1 * c1 / 3 + s1 * (3 - 4 * s1 * s1) / 6;  // the first three partials
            break;
        }
        case kTriangle: s = 1.0 - 4.0 * std::fabs(phase - 0.5); break;
        case kBell:
            s = std::sin(2 * kPi * phase + 0.6 * std::exp(-t * 6) * std::sin(2 * kPi * phase * 3.5));
            env *= std::exp(-t * 2.5);
            break;
        default: s = std::sin(2 * kPi * phase);
        }
        if (v.wave == kSquare || v.wave == kSaw) s *= 0.6;
        lp += lpK * (s - lp);
        lp2 += lpK * (lp - lp2);
        if (at >= 0) out[size_t(at)] += lp2 * env * v.level * n.velocity;
    }
}

void RenderHit(std::vector<double>& out, const Hit& h) {
    // Kept to the low and middle of the spectrum: a hiss of cymbals would
    // step further from sample to sample than anything else in the mix.
    Rng r(h.seed);
    Biquad f, g;
    const double len = h.drum == kKick ? 0.22 : h.drum == kSnare ? 0.16 : 0.06;
    if (h.drum == kSnare) f.Set(kLowPass, 1400, 0.7), g.Set(kLowPass, 1400, 0.7);
    if (h.drum == kHat) f.Set(kBandPass, 2200, 2.5), g.Set(kLowPass, 2400, 0.7);
    double phase = 0, phase2 = 0;
    for (long i = 0; i < long(len * kRate); ++i) {
        long at = h.start + i;
        if (at >= long(out.size())) break;
        double t = double(i) / kRate, s;
        double attack = std::min(1.0, t / 0.002);
        attack = std::sin(0.5 * kPi * attack);
        if (h.drum == kKick) {
            phase += (45 + 100 * std::exp(-t * 30)) / kRate;
            s = 0.9 * std::sin(2 * kPi * phase) * std::exp(-t * 14);
        } else if (h.drum == kSnare) {
            phase += 190 / kRate;
            phase2 += 330 / kRate;
            s = (0.5 * std::sin(2 * kPi * phase) + 0.3 * std::sin(2 * kPi * phase2)) * std::exp(-t * 30) +
                0.2 * g.Run(f.Run(r.Noise())) * std::exp(-t * 22);
        } else {
            phase += 1100 / kRate;
            s = 0.5 * std::sin(2 * kPi * phase) * std::exp(-t * 80) +
                0.15 * g.Run(f.Run(r.Noise())) * std::exp(-t * 60);
        }
        s *= attack * Gate(t, len, 0.004);
        if (at >= 0) out[size_t(at)] += s * h.velocity;
    }
}

// The score: every note and hit of the loop (bars 0..loopBars-1) and of the
// intro, in samples from the start of the part.
struct Score {
    long step = 0;  // samples in a sixteenth
    std::vector<Note> loop, intro;
    std::vector<Hit> loopHits, introHits;
    long LoopLength(const Style& s) const { return step * 16 * s.loopBars; }
    long IntroLength(const Style& s) const { return step * 16 * s.introBars; }
};

int Degree(const Style& s, int degree) {  // semitones above the tonic
    int octave = degree >= 0 ? degree / 7 : (degree - 6) / 7;
    return s.scale[degree - octave * 7] + 12 * octave;
}

// One bar's notes and hits, starting at sample 'at'.
void WriteBar(const Style& s, Score& score, int bar, long at, const std::vector<int>& melody,
              const std::vector<int>& lengths, std::vector<Note>& notes, std::vector<Hit>& hits, bool drums = true,
              bool lead = true) {
    const int chord = s.chords[bar % 8];
    const long step = score.step;
    // Chords: three voices a bar, each held to the bar line and fading out under
    // the next chord, so the harmony never thins at a change.
    for (int k = 0; k < 3; ++k)
        notes.push_back({at, step * 16, double(s.root - 12 + Degree(s, chord + 2 * k)), &s.pad, 1.0, 0.29 * k + 0.05});
    // Bass.
    for (int i = 0; i < 16; ++i) {
        char c = s.bass[i];
        if (c == '.' || c == '-') continue;
        int len = 1;
        while (i + len < 16 && s.bass[i + len] == '-') ++len;
        int pitch = s.root - 24 + Degree(s, chord) + (c == 'o' ? 12 : 0);
        if (c == 'f') pitch = s.root - 24 + Degree(s, chord + 4);
        notes.push_back({at + i * step, len * step - step / 4, double(pitch), &s.bassVoice, 1.0, 0.61});
    }
    if (drums)
        for (int i = 0; i < 16; ++i) {
            uint32_t seed = uint32_t(bar * 97 + i * 13 + 7);
            auto put = [&](const char* pattern, Drum d, double v) {
                if (pattern[i] == 'x') hits.push_back({at + i * step, d, v, seed * 3 + d});
                if (pattern[i] == 'o') hits.push_back({at + i * step, d, v * 0.55, seed * 3 + d});
            };
            put(s.kick, kKick, 0.25);
            put(s.snare, kSnare, 0.2);
            put(s.hat, kHat, 0.09);
        }
    if (lead)
        for (int i = 0; i < 16; ++i)
            if (lengths[size_t(i)] > 0)
                notes.push_back({at + i * step, lengths[size_t(i)] * step - step / 5,
                                 double(s.root + Degree(s, melody[size_t(i)])), &s.lead, 1.0, 0.83});
}

Score Compose(const Style& s) {
    Score score;
    score.step = std::lround(kRate * 15.0 / s.bpm);
    Rng r(HashName(s.name));
    // Four bars of rhythm, used by every phrase, so the tune is heard again.
    std::vector<std::vector<int>> rhythm(4, std::vector<int>(16, 0));
    for (auto& bar : rhythm) {
        for (int i = 0; i < 16;) {
            bool strong = i % 4 == 0;
            if (r.Unit() < (strong ? s.density + 0.3 : s.density * 0.6)) {
                int len = 1 + r.Pick(strong ? 4 : 2);
                len = std::min(len, 16 - i);
                bar[size_t(i)] = len;
                i += len;
            } else {
                ++i;
            }
        }
        if (bar[0] == 0) bar[0] = 2;
    }
    rhythm[3].assign(16, 0);  // each phrase closes on a long note
    rhythm[3][0] = 2, rhythm[3][2] = 2, rhythm[3][4] = 2, rhythm[3][8] = 7;
    // The phrase's contour, in scale steps, reused with small changes.
    std::vector<int> contour(64);
    int pitch = 0;
    for (int& c : contour) {
        pitch += r.Pick(5) - 2;
        pitch = std::max(-3, std::min(7, pitch));
        c = pitch;
    }
    const int phrases = s.loopBars / 4 + (s.loopBars % 4 ? 1 : 0);
    for (int bar = 0; bar < s.loopBars; ++bar) {
        int phrase = bar / 4, inPhrase = bar % 4;
        int chord = s.chords[bar % 8];
        std::vector<int> melody(16), lengths = rhythm[size_t(inPhrase)];
        for (int i = 0; i < 16; ++i) {
            int c = contour[size_t(inPhrase * 16 + i)] + (phrase % 2 ? 2 : 0);
            if (i % 4 == 0) {  // strong steps land on the chord
                int best = chord;
                for (int k = -7; k <= 14; k += 2)
                    if (std::abs(chord + k - c) < std::abs(best - c) && (k % 7 + 7) % 7 != 6) best = chord + k;
                c = best;
            }
            if (phrase == phrases - 1 && inPhrase == 3 && i >= 8) c = 0;
            // Kept under the octave: a high line would stand out of the
            // mix too sharply.
            while (c > 5) c -= 7;
            while (c < -5) c += 7;
            melody[size_t(i)] = c;
        }
        WriteBar(s, score, bar, bar * score.step * 16, melody, lengths, score.loop, score.loopHits);
    }
    // The intro: its own opening, then the loop's last bar, so what rings on
    // past the intro's end is exactly what rings on past the loop's end.
    for (int bar = 0; bar + 1 < s.introBars; ++bar) {
        long at = bar * score.step * 16;
        std::vector<int> melody(16, 0), lengths(16, 0);
        std::string intro = s.intro;
        if (intro == "fanfare") {
            const int tune[8] = {-3, 0, 2, 4, 2, 4, 5, 4};
            for (int i = 0; i < 8; ++i) melody[size_t(i * 2)] = tune[i] - (bar ? 1 : 0), lengths[size_t(i * 2)] = 2;
        } else if (intro == "lament") {
            const int tune[4] = {4, 3, 2, 1};
            for (int i = 0; i < 4; ++i) melody[size_t(i * 4)] = tune[i] - bar, lengths[size_t(i * 4)] = 4;
        }
        WriteBar(s, score, bar, at, melody, lengths, score.intro, score.introHits, bar > 0, intro != "pad");
    }
    if (s.introBars > 0) {
        long shift = long(s.introBars - s.loopBars) * score.step * 16;
        long from = long(s.loopBars - 1) * score.step * 16;
        for (const Note& n : score.loop)
            if (n.start >= from)
                score.intro.push_back({n.start + shift, n.length, n.midi, n.voice, n.velocity, n.phase});
        for (const Hit& h : score.loopHits)
            if (h.start >= from) score.introHits.push_back({h.start + shift, h.drum, h.velocity, h.seed});
    }
    return score;
}

double SoftLimit(double x) {
    // Unchanged under 0.45; above, bends toward 0.65 (-3.7 dBFS). Without
    // memory, so a join stays a join.
    double a = std::fabs(x);
    if (a <= 0.45) return x;
    double y = 0.45 + 0.2 * std::tanh((a - 0.45) / 0.2);
    return x < 0 ? -y : y;
}

struct Performance {
    std::vector<double> intro, loop;
};

Performance Perform(const Style& s) {
    Score score = Compose(s);
    Performance p;
    const long loop = score.LoopLength(s);
    // What rings on past the loop's end comes back in at its start, as it
    // does when the loop plays again.
    const long ring = score.step * 16;  // no note or hit outlasts a bar
    std::vector<double> once(size_t(loop + ring), 0.0);
    for (const Note& n : score.loop) RenderNote(once, n);
    for (const Hit& h : score.loopHits) RenderHit(once, h);
    p.loop.assign(once.begin(), once.begin() + loop);
    for (long i = 0; i < ring; ++i) p.loop[size_t(i)] += once[size_t(loop + i)];
    if (s.introBars > 0) {
        p.intro.assign(size_t(score.IntroLength(s)), 0.0);
        for (const Note& n : score.intro) RenderNote(p.intro, n);
        for (const Hit& h : score.introHits) RenderHit(p.intro, h);
        // The intro swells over its first bar, from a third of its level
        // rather than from silence: it follows other music at a page change,
        // and the mixer's own short ramp already keeps its start click-free.
        const size_t rise = size_t(score.step * 16);
        const double floor = 1.0 / 3.0;
        for (size_t i = 0; i < rise && i < p.intro.size(); ++i)
            p.intro[i] *= floor + (1.0 - floor) * (0.5 - 0.5 * std::cos(kPi * double(i) / double(rise)));
    }
    // One gain for both parts, from the loop's level: about -22.5 dBFS RMS,
    // a dB or two under the median effect's loudest moment, so shots and
    // hits stand a few dB over the music in a battle, and the few sounds of
    // a quiet stage over it too, while it stays heard; never driving the
    // loudest moment far into the limiter.
    double sum = 0, peak = 1e-9;
    for (double v : p.loop) sum += v * v, peak = std::max(peak, std::fabs(v));
    for (double v : p.intro) peak = std::max(peak, std::fabs(v));
    double gain = std::min(0.077 * std::pow(10.0, s.levelDb / 20.0) / std::sqrt(sum / double(p.loop.size()) + 1e-12),
                           0.95 / peak);
    for (double& v : p.loop) v = SoftLimit(v * gain);
    for (double& v : p.intro) v = SoftLimit(v * gain);
    return p;
}

// The step from a's last sample to b's first against the median step of the
// 100 ms on either side: about 1 where one flows into the other.
double JoinStepRatio(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    const size_t around = size_t(kRate / 10);
    if (a.size() <= around || b.size() <= around) return 1e9;
    std::vector<int> steps;
    for (size_t i = a.size() - around; i < a.size(); ++i) steps.push_back(std::abs(a[i] - a[i - 1]));
    for (size_t i = 1; i <= around; ++i) steps.push_back(std::abs(b[i] - b[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() / 2), steps.end());
    return std::abs(b[0] - a.back()) / std::max(1.0, double(steps[steps.size() / 2]));
}

struct MusicFiles {
    std::vector<uint8_t> intro, loop;
};

// Vorbis leaves an error of its own at each end of a file, not the same at
// both: decoded, a loop cut at its bar line may step at its wrap, and the
// intro into it, several times further than the music around them. So the
// loop starts a moment past the bar line (the intro plays on to there), at
// the first place tried where, decoded, both joins step no further than 1.5
// times the music's median step; failing that, at the best place tried.
MusicFiles Encode(const Performance& p) {
    const std::vector<int16_t> loop = ToPcm(p.loop), intro = ToPcm(p.intro);
    MusicFiles best;
    double bestRatio = 1e18;
    for (size_t k = 0; k < 48 && bestRatio > 1.5; ++k) {
        const size_t from = k * 37 % loop.size();  // about 1.7 ms apart, up to 80 ms
        std::vector<int16_t> turned(loop.begin() + long(from), loop.end());
        turned.insert(turned.end(), loop.begin(), loop.begin() + long(from));
        MusicFiles files;
        files.loop = EncodeOggVorbis(turned, int(kRate));
        const std::vector<int16_t> heard = DecodeOggVorbis(files.loop);
        double ratio = JoinStepRatio(heard, heard);
        if (ratio >= bestRatio) continue;
        if (!intro.empty()) {
            std::vector<int16_t> led = intro;
            led.insert(led.end(), loop.begin(), loop.begin() + long(from));
            files.intro = EncodeOggVorbis(led, int(kRate));
            ratio = std::max(ratio, JoinStepRatio(DecodeOggVorbis(files.intro), heard));
        }
        if (ratio < bestRatio) bestRatio = ratio, best = std::move(files);
    }
    return best;
}

}  // namespace

std::string MusicPieceForPath(const std::string& path) {
    static const std::pair<const char*, const char*> kByName[] = {{"BGM_Menu_", "menu"},
                                                                  {"BGM_Gameplay1_", "episode1"},
                                                                  {"BGM_Gameplay2_", "episode2"},
                                                                  {"BGM_Gameplay3_", "episode3"},
                                                                  {"BGM_GameplayMiniGame_", "minigame"},
                                                                  {"BGM_Victory_", "victory"},
                                                                  {"BGM_Gameover_", "gameover"},
                                                                  {"BGM_Story", "story"}};
    for (const auto& [name, piece] : kByName)
        if (path.find(name) != std::string::npos) return piece;
    return "";
}

std::vector<uint8_t> MusicFile(const std::string& piece, int part) {
    // Each piece is encoded once; its parts wait for the worker that asks
    // for the other one and are let go once both have been taken.
    static std::mutex lock;
    static std::map<std::string, std::shared_ptr<MusicFiles>> waiting;
    {
        std::lock_guard<std::mutex> hold(lock);
        auto it = waiting.find(piece);
        if (it != waiting.end()) {
            std::vector<uint8_t> out = part == 0 ? it->second->intro : it->second->loop;
            waiting.erase(it);
            return out;
        }
    }
    for (const Style& s : Styles()) {
        if (piece != s.name) continue;
        auto files = std::make_shared<MusicFiles>(Encode(Perform(s)));
        std::vector<uint8_t> out = part == 0 ? files->intro : files->loop;
        if (s.introBars > 0) {
            std::lock_guard<std::mutex> hold(lock);
            waiting.emplace(piece, files);
        }
        return out;
    }
    return {};
}
