#include "tools/assetpack/SoundLayers.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace sfx {

namespace {

constexpr double kShortestAttack = 0.003;

double WaveSample(Osc& o, Wave w, double hz) {
    switch (w) {
    case kSquare: return o.Square(hz);
    case kSaw: return o.Saw(hz);
    case kTriangle: return o.Triangle(hz);
    default: return o.Sine(hz);
    }
}

}  // namespace

double LogRange(Rng& r, double lo, double hi) { return lo * std::pow(hi / lo, r.Unit()); }

Place PlaceOf(const std::string& path) {
    size_t slash = path.rfind('/');
    long number = 0;
    for (size_t i = slash == std::string::npos ? 0 : slash + 1; i < path.size() && path[i] != '-'; ++i)
        if (path[i] >= '0' && path[i] <= '9') number = number * 10 + (path[i] - '0');
    double n = double(number % 1000) + (number >= 1000 ? 0.5 : 0.0);
    Place p;
    p.a = n * 0.7548776662 - std::floor(n * 0.7548776662);
    p.b = n * 0.5698402910 - std::floor(n * 0.5698402910);
    return p;
}

double AtPlace(double place, double lo, double hi) { return lo * std::pow(hi / lo, place); }

double Envelope(double t, double dur, double attack, double hold) {
    if (t < 0 || t >= dur) return 0.0;
    // A raised-cosine rise of at least kShortestAttack: a faster or sharper
    // one steps out of the samples around it, a click in a busy mix.
    attack = std::fmin(std::fmax(attack, kShortestAttack), dur * 0.5);
    double e = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack)
                          : (t < attack + hold ? 1.0 : std::exp(-6.9 * (t - attack - hold) / (dur - attack - hold)));
    return e * Gate(t, dur, 0.004);
}

void AddTone(Clip& c, const Tone& p) {
    Osc o, v;
    size_t start = size_t(std::max(0.0, p.t0) * kRate), n = size_t(p.dur * kRate);
    for (size_t i = 0; i < n && start + i < c.s.size(); ++i) {
        double t = double(i) / kRate, x = t / p.dur;
        double f = p.f0 * std::pow(p.f1 / p.f0, x);
        if (p.vibDepth > 0) f *= 1.0 + p.vibDepth * v.Sine(p.vibHz);
        c.s[start + i] += p.amp * Envelope(t, p.dur, p.attack, p.hold) * WaveSample(o, p.wave, f);
    }
}

void AddNoise(Clip& c, Rng& r, const Noise& p) {
    Biquad f, g;
    Osc wobble;
    size_t start = size_t(std::max(0.0, p.t0) * kRate), n = size_t(p.dur * kRate);
    for (size_t i = 0; i < n && start + i < c.s.size(); ++i) {
        double t = double(i) / kRate, x = t / p.dur;
        double hz = p.c0 * std::pow(p.c1 / p.c0, x);
        if (i % 16 == 0) {
            f.Set(p.filter, hz, p.q);
            g.Set(p.filter, hz, p.q);
        }
        double v = g.Run(f.Run(r.Noise()));
        if (p.flicker > 0) v *= 0.55 + 0.45 * wobble.Sine(p.flicker * (1.0 + 0.3 * std::sin(7.0 * t)));
        c.s[start + i] += p.amp * 2.0 * Envelope(t, p.dur, p.attack, p.hold) * v;
    }
}

void AddMetal(Clip& c, double t0, double dur, double hz, double ratio, double index, double amp) {
    size_t start = size_t(std::max(0.0, t0) * kRate), n = size_t(dur * kRate);
    Osc car, mod;
    for (size_t i = 0; i < n && start + i < c.s.size(); ++i) {
        double t = double(i) / kRate, env = Envelope(t, dur, 0.001, 0.0);
        double m = std::sin(2 * kPi * mod.Step(hz * ratio)) * index * env;
        car.Step(hz);
        c.s[start + i] += amp * env * std::sin(2 * kPi * car.phase + m);
    }
}

void AddCrackle(Clip& c, Rng& r, double t0, double dur, double perSecond, double centre, double amp) {
    int count = std::max(1, int(perSecond * dur));
    for (int k = 0; k < count; ++k) {
        double at = t0 + r.Unit() * dur, fade = 1.0 - (at - t0) / dur;
        Noise n;
        n.t0 = at, n.dur = r.Range(0.008, 0.02), n.c0 = n.c1 = std::fmin(centre, 3000.0) * r.Range(0.7, 1.4), n.q = 2.0;
        n.amp = amp * r.Range(0.4, 1.0) * (0.3 + 0.7 * fade), n.attack = 0.003;
        AddNoise(c, r, n);
    }
}

void AddThump(Clip& c, double t0, double dur, double f0, double f1, double amp) {
    Tone t;
    t.t0 = t0, t.dur = dur, t.f0 = f0, t.f1 = f1, t.amp = amp, t.attack = 0.002;
    AddTone(c, t);
}

void Explosion(Clip& c, Rng& r, double size) {
    double len = c.Seconds();
    AddThump(c, 0, std::min(len, 0.15 + 0.35 * size), LogRange(r, 60, 180) / (0.6 + 0.4 * size), r.Range(25, 50), 1.0);
    Noise n;
    n.dur = len * r.Range(0.55, 1.0), n.filter = kLowPass, n.c0 = LogRange(r, 1200, 3500);
    n.c1 = LogRange(r, 80, 700), n.q = r.Range(0.5, 1.6), n.amp = 1.1, n.attack = 0.003, n.hold = 0.02 * size;
    AddNoise(c, r, n);
    // The roar up high: broad noise over the whole top, dying before the boom.
    Noise roar;
    roar.dur = len * r.Range(0.3, 0.7), roar.filter = kHighPass, roar.c0 = LogRange(r, 1500, 3000);
    roar.c1 = roar.c0 * r.Range(0.4, 0.9), roar.q = r.Range(0.4, 0.8), roar.amp = r.Range(0.8, 1.1);
    roar.attack = 0.002, roar.hold = 0.02 * size;
    AddNoise(c, r, roar);
    AddCrackle(c, r, 0.05, len * 0.7, 25 * size * r.Range(0.3, 2.0), LogRange(r, 800, 5000), 0.5);
    AddMetal(c, r.Range(0, 0.05), len * r.Range(0.3, 0.8), LogRange(r, 120, 3000), r.Range(1.2, 3.9), r.Range(1, 6),
             r.Range(0.2, 0.5));
    int echoes = r.Pick(3);
    for (int k = 0; k < echoes; ++k)
        AddThump(c, r.Range(0.05, 0.3) * len, len * 0.3, LogRange(r, 40, 120), 30, r.Range(0.3, 0.7));
    if (size >= 1.5) {  // a second blast rolls in behind the first
        Noise m = n;
        m.t0 = r.Range(0.12, 0.25), m.dur = len - m.t0, m.amp = 0.7, m.c0 = 1500;
        AddNoise(c, r, m);
    }
}

void Notes(Clip& c, const std::vector<double>& midi, double step, double dur, Wave w, double amp, double start,
           double attack) {
    for (size_t k = 0; k < midi.size(); ++k) {
        Tone t;
        t.t0 = start + step * double(k), t.dur = dur, t.f0 = t.f1 = Midi(midi[k]), t.wave = w, t.amp = amp;
        t.attack = attack, t.hold = dur * 0.2;
        AddTone(c, t);
    }
}

}  // namespace sfx
