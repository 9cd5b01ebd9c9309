#include "tools/assetpack/SoundDesign.h"

#include <algorithm>
#include <cmath>

#include "tools/assetpack/Synth.h"

using namespace synth;

namespace {

enum Wave { kSine, kSquare, kSaw, kTriangle };

double WaveSample(Osc& o, Wave w, double hz) {
    switch (w) {
    case kSquare: return o.Square(hz);
    case kSaw: return o.Saw(hz);
    case kTriangle: return o.Triangle(hz);
    default: return o.Sine(hz);
    }
}

double LogRange(Rng& r, double lo, double hi) { return lo * std::pow(hi / lo, r.Unit()); }

// Where a numbered file (a unit's or a weapon's) sits in its family on two
// axes, each from 0 to 1: a two-dimensional low-discrepancy sequence over the
// number, so members of a family spread over both ranges instead of bunching
// by chance, and two close on one axis are far apart on the other.
struct Place {
    double a = 0.5, b = 0.5;
};

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

struct Clip {
    std::vector<double> s;
    explicit Clip(double seconds) : s(size_t(std::max(64.0, seconds * kRate))) {}
    double Seconds() const { return double(s.size()) / kRate; }
    void Add(double t, double v) {
        long i = long(t * kRate);
        if (i >= 0 && i < long(s.size())) s[size_t(i)] += v;
    }
};

// Attack, hold, then an exponential fall to -60 dB at the end, closed by a
// 2-ms edge so the last sample is silent.
double Envelope(double t, double dur, double attack, double hold) {
    if (t < 0 || t >= dur) return 0.0;
    double e = t < attack ? std::sin(0.5 * kPi * t / attack)
                          : (t < attack + hold ? 1.0 : std::exp(-6.9 * (t - attack - hold) / (dur - attack - hold)));
    return e * Gate(t, dur, 0.002);
}

struct Tone {
    double t0 = 0, dur = 0.1, f0 = 440, f1 = 440;
    Wave wave = kSine;
    double amp = 1, attack = 0.003, hold = 0, vibHz = 0, vibDepth = 0;
};

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

struct Noise {
    double t0 = 0, dur = 0.1;
    int filter = kBandPass;
    double c0 = 1000, c1 = 1000, q = 1.0, amp = 1, attack = 0.002, hold = 0;
    double flicker = 0;  // amplitude wobble rate in Hz (0: steady)
};

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

// A frequency-modulated strike: bells, clangs, ice.
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

// Sparse short ticks: fire, sparks, debris, shards.
void AddCrackle(Clip& c, Rng& r, double t0, double dur, double perSecond, double centre, double amp) {
    int count = std::max(1, int(perSecond * dur));
    for (int k = 0; k < count; ++k) {
        double at = t0 + r.Unit() * dur, fade = 1.0 - (at - t0) / dur;
        Noise n;
        n.t0 = at, n.dur = r.Range(0.004, 0.012), n.c0 = n.c1 = centre * r.Range(0.7, 1.4), n.q = 2.0;
        n.amp = amp * r.Range(0.4, 1.0) * (0.3 + 0.7 * fade), n.attack = 0.0005;
        AddNoise(c, r, n);
    }
}

// A low body that falls in pitch: kicks, booms, thuds.
void AddThump(Clip& c, double t0, double dur, double f0, double f1, double amp) {
    Tone t;
    t.t0 = t0, t.dur = dur, t.f0 = f0, t.f1 = f1, t.amp = amp, t.attack = 0.002;
    AddTone(c, t);
}

// Every blast differs in its boom, its roar, its debris and the ring of what
// it tore apart, so no two sound alike.
void Explosion(Clip& c, Rng& r, double size) {
    double len = c.Seconds();
    AddThump(c, 0, std::min(len, 0.15 + 0.35 * size), LogRange(r, 60, 180) / (0.6 + 0.4 * size), r.Range(25, 50),
             1.0);
    Noise n;
    n.dur = len * r.Range(0.55, 1.0), n.filter = kLowPass, n.c0 = LogRange(r, 1500, 6000);
    n.c1 = LogRange(r, 80, 700), n.q = r.Range(0.5, 1.6), n.amp = 1.1, n.attack = 0.003, n.hold = 0.02 * size;
    AddNoise(c, r, n);
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

// A run of notes: chimes, beeps, fanfares, chirps.
void Notes(Clip& c, const std::vector<double>& midi, double step, double dur, Wave w, double amp, double start = 0,
           double attack = 0.003) {
    for (size_t k = 0; k < midi.size(); ++k) {
        Tone t;
        t.t0 = start + step * double(k), t.dur = dur, t.f0 = t.f1 = Midi(midi[k]), t.wave = w, t.amp = amp;
        t.attack = attack, t.hold = dur * 0.2;
        AddTone(c, t);
    }
}

// The kinds a weapon's shot (W....-1) and its hit (W....-2) come in.
void Shot(Clip& c, Rng& r, const std::string& family, Place place) {
    double len = c.Seconds();
    if (family == "gun") {
        int bursts = 1 + r.Pick(3);
        double gap = r.Range(0.04, 0.09), crack = LogRange(r, 1200, 6000), body = LogRange(r, 100, 300);
        double ring = r.Unit() < 0.6 ? LogRange(r, 900, 5000) : 0;
        for (int b = 0; b < bursts; ++b) {
            Noise n;
            n.t0 = b * gap, n.dur = r.Range(0.04, 0.09), n.filter = kHighPass, n.c0 = crack, n.c1 = crack * 0.5;
            n.q = r.Range(0.5, 2.0), n.amp = 0.8, n.attack = 0.0008;
            AddNoise(c, r, n);
            AddThump(c, b * gap, 0.06, body, 60, 0.6);
            if (ring > 0) AddMetal(c, b * gap, 0.08, ring, 1.41, 1.0, 0.3);
        }
    } else if (family == "cannon") {
        AddThump(c, 0, std::min(len, r.Range(0.15, 0.35)), LogRange(r, 60, 160), r.Range(28, 45), 1.0);
        Noise n;
        n.dur = len * r.Range(0.4, 0.9), n.filter = kLowPass, n.c0 = LogRange(r, 700, 4000);
        n.c1 = LogRange(r, 100, 500), n.amp = 0.8;
        AddNoise(c, r, n);
        AddMetal(c, 0, 0.1, LogRange(r, 300, 2000), 2.3, 2.0, 0.3);
        if (r.Unit() < 0.5) {  // a lobbed shell whistles up
            Tone t;
            t.t0 = 0.05, t.dur = len - 0.05, t.f0 = LogRange(r, 300, 800), t.f1 = t.f0 * r.Range(1.5, 3), t.amp = 0.3;
            t.attack = 0.05;
            AddTone(c, t);
        }
        Noise muzzle;  // the crack at the barrel's mouth
        muzzle.dur = 0.03, muzzle.filter = kHighPass, muzzle.c0 = muzzle.c1 = LogRange(r, 2500, 6000);
        muzzle.amp = 0.7, muzzle.attack = 0.0005;
        AddNoise(c, r, muzzle);
    } else if (family == "laser") {
        Tone t;
        t.dur = std::min(len, r.Range(0.08, 0.2)), t.f0 = LogRange(r, 800, 4000), t.f1 = LogRange(r, 100, 700);
        t.wave = static_cast<Wave>(r.Pick(4)), t.amp = 0.7, t.vibHz = r.Range(20, 90), t.vibDepth = r.Range(0, 0.15);
        AddTone(c, t);
    } else if (family == "rifle") {
        // A sharp crack, the round's whip through the air, the stock's kick.
        Noise crack;
        crack.dur = 0.02, crack.filter = kHighPass, crack.c0 = crack.c1 = 4000, crack.amp = 1.0, crack.attack = 0.0005;
        AddNoise(c, r, crack);
        Noise whip;
        whip.t0 = 0.01, whip.dur = len * 0.7, whip.c0 = 6000, whip.c1 = 1200, whip.q = 3, whip.amp = 0.6;
        AddNoise(c, r, whip);
        AddThump(c, 0, 0.12, 90, 40, 0.7);
    } else if (family == "beam") {
        Tone t;
        t.dur = len, t.f0 = r.Range(300, 500), t.f1 = t.f0 * r.Range(0.9, 1.3), t.wave = kSaw, t.amp = 0.5;
        t.attack = 0.02, t.hold = len * 0.5, t.vibHz = r.Range(8, 16), t.vibDepth = 0.03;
        AddTone(c, t);
        t.f0 *= 2.01, t.f1 *= 2.01, t.wave = kSine;
        AddTone(c, t);
    } else if (family == "ice") {
        AddMetal(c, 0, len, r.Range(1800, 3200), 1.41, 3.0, 0.5);
        Noise n;
        n.dur = len * 0.6, n.filter = kHighPass, n.c0 = 4000, n.c1 = 6000, n.amp = 0.3;
        AddNoise(c, r, n);
    } else if (family == "snow") {
        Noise n;
        n.dur = len, n.c0 = r.Range(500, 900), n.c1 = 300, n.q = 1.5, n.amp = 0.8, n.attack = 0.01;
        AddNoise(c, r, n);
        AddThump(c, 0, 0.08, 200, 90, 0.5);
    } else if (family == "flame") {
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = LogRange(r, 150, 700), n.c1 = LogRange(r, 900, 4000), n.amp = 1.0;
        n.q = r.Range(0.7, 3), n.attack = r.Range(0.01, 0.1), n.hold = len * r.Range(0.1, 0.5);
        n.flicker = r.Range(6, 30);
        AddNoise(c, r, n);
    } else if (family == "missile") {
        Noise n;
        n.dur = len, n.c0 = LogRange(r, 200, 900), n.c1 = LogRange(r, 1500, 6000), n.q = r.Range(1, 4), n.amp = 0.9;
        n.attack = 0.02, n.hold = len * r.Range(0.1, 0.5);
        AddNoise(c, r, n);
        AddThump(c, 0, 0.08, LogRange(r, 80, 250), 70, 0.6);
        Tone t;
        t.dur = len, t.f0 = LogRange(r, 500, 1500), t.f1 = t.f0 * r.Range(1.2, 3), t.amp = 0.2, t.attack = 0.05;
        AddTone(c, t);
    } else if (family == "bomb") {
        Tone t;
        t.dur = len, t.f0 = r.Range(1600, 2400), t.f1 = r.Range(500, 800), t.amp = 0.6, t.attack = 0.02;
        t.hold = len * 0.6;
        AddTone(c, t);
    } else if (family == "melee") {
        // A swing: the air's rush, low or high, rising or falling, and for
        // a blade its ring.
        Noise n;
        n.dur = std::min(len, r.Range(0.07, 0.25)), n.c0 = LogRange(r, 250, 2500), n.c1 = n.c0 * LogRange(r, 0.3, 6);
        n.q = r.Range(1, 5), n.amp = 1.0, n.attack = n.dur * r.Range(0.1, 0.6);
        AddNoise(c, r, n);
        if (r.Unit() < 0.6) AddMetal(c, n.dur * 0.5, len - n.dur * 0.5, LogRange(r, 1500, 6000), 2.0, 0.8, 0.3);
    } else if (family == "bubble") {
        int count = 2 + r.Pick(3);
        for (int k = 0; k < count; ++k) {
            Tone t;
            t.t0 = k * len / count, t.dur = 0.06, t.f0 = r.Range(250, 450), t.f1 = t.f0 * 2.5, t.amp = 0.6;
            AddTone(c, t);
        }
    } else if (family == "sonar") {
        double hz = r.Range(1000, 1900);
        for (int k = 0; k < 3; ++k) {
            Tone t;
            t.t0 = k * len * 0.3, t.dur = len * 0.4, t.f0 = t.f1 = hz, t.amp = 0.6 * std::pow(0.45, k);
            AddTone(c, t);
        }
    } else if (family == "electric") {
        Osc o;
        double base = LogRange(r, 60, 400), hz = base;
        size_t hop = size_t(r.Range(150, 900));
        bool saw = r.Unit() < 0.5;
        for (size_t i = 0; i < c.s.size(); ++i) {
            if (i % hop == 0) hz = base * r.Range(0.8, 1.6);
            double t = double(i) / kRate;
            c.s[i] += 0.5 * Envelope(t, len, 0.004, len * 0.4) * (saw ? o.Saw(hz) : o.Square(hz));
        }
        AddCrackle(c, r, 0, len, r.Range(30, 150), LogRange(r, 1500, 6000), 0.6);
    } else if (family == "spin") {
        Noise n;
        n.dur = len, n.c0 = r.Range(700, 1100), n.c1 = n.c0 * 1.6, n.q = 3.0, n.amp = 1.2, n.attack = 0.02;
        n.hold = len * 0.5, n.flicker = r.Range(18, 30);
        AddNoise(c, r, n);
    } else if (family == "heal") {
        double root = 72 + r.Pick(7);
        Notes(c, {root, root + 4, root + 7, root + 12}, len / 5, len / 2.5, kSine, 0.4);
    } else if (family == "web") {
        Noise n;
        n.dur = std::min(len, 0.12), n.c0 = 3000, n.c1 = 600, n.q = 2.5, n.amp = 1.0;
        AddNoise(c, r, n);
        Tone t;
        t.dur = 0.1, t.f0 = r.Range(1200, 1800), t.f1 = 300, t.wave = kTriangle, t.amp = 0.4;
        AddTone(c, t);
    } else if (family == "magnet") {
        Tone t;
        t.dur = len, t.f0 = r.Range(90, 130), t.f1 = t.f0 * 1.1, t.wave = kSaw, t.amp = 0.6, t.attack = 0.03;
        t.hold = len * 0.4, t.vibHz = r.Range(6, 11), t.vibDepth = 0.15;
        AddTone(c, t);
    } else if (family == "mine") {
        double hz = r.Range(1400, 2000);
        Notes(c, {69.0 + 12 * std::log2(hz / 440.0), 69.0 + 12 * std::log2(hz / 440.0)}, 0.07, 0.05, kSquare, 0.35);
    } else if (family == "drill") {
        Osc o, am;
        double hz = r.Range(110, 180);
        for (size_t i = 0; i < c.s.size(); ++i) {
            double t = double(i) / kRate;
            c.s[i] += 0.4 * Envelope(t, len, 0.01, len * 0.5) * o.Saw(hz) * (0.6 + 0.4 * am.Sine(35));
        }
        Noise n;
        n.dur = len, n.filter = kHighPass, n.c0 = n.c1 = 2500, n.amp = 0.3, n.hold = len * 0.5;
        AddNoise(c, r, n);
    } else if (family == "blast") {
        // A charge drawing in, then its release.
        double swell = r.Range(0.3, 0.8);
        Noise n;
        n.dur = len, n.filter = r.Unit() < 0.5 ? kLowPass : kBandPass, n.c0 = LogRange(r, 100, 400);
        n.c1 = LogRange(r, 1500, 5000), n.q = r.Range(0.8, 3), n.amp = 1.0, n.attack = len * swell;
        AddNoise(c, r, n);
        AddThump(c, len * swell, len * (1 - swell), LogRange(r, 50, 150), 40, 0.8);
        Tone t;
        t.dur = len * swell, t.f0 = AtPlace(place.a, 150, 900), t.f1 = t.f0 * r.Range(1.5, 4), t.amp = r.Range(0.15, 0.4);
        t.attack = t.dur * 0.8, t.wave = static_cast<Wave>(r.Pick(4)), t.vibHz = r.Range(4, 25);
        t.vibDepth = r.Range(0, 0.1);
        AddTone(c, t);
    } else if (family == "nuke") {
        Tone t;
        t.dur = len, t.f0 = 300, t.f1 = 2400, t.wave = kSaw, t.amp = 0.35, t.attack = len * 0.8, t.vibHz = 9;
        t.vibDepth = 0.05;
        AddTone(c, t);
    } else {
        AddTone(c, Tone{});
    }
}

void Hit(Clip& c, Rng& r, const std::string& family, Place place, double* level) {
    double len = c.Seconds();
    if (family == "gun" || family == "rifle") {
        if (family == "rifle") AddMetal(c, 0, len, LogRange(r, 1500, 3000), 1.0, 0.3, 0.5);  // the round's ricochet
        Noise n;
        n.dur = std::min(len, r.Range(0.05, 0.11)), n.c0 = r.Range(800, 2500), n.c1 = n.c0 * 0.6, n.q = 1.5;
        n.attack = 0.0005;
        AddNoise(c, r, n);
        AddMetal(c, 0, 0.06, r.Range(2500, 4000), 2.7, 1.5, 0.3);
    } else if (family == "cannon" || family == "missile" || family == "mine" || family == "blast") {
        Explosion(c, r, family == "cannon" ? 0.6 : 1.0);
        if (family == "cannon") AddMetal(c, 0, 0.15, LogRange(r, 2000, 5000), 1.5, 1.0, 0.4);  // the shell's shatter
        if (family == "mine") AddCrackle(c, r, 0, 0.1, 200, LogRange(r, 3000, 6000), 0.6);
        *level = 0.38;
    } else if (family == "bomb") {
        Explosion(c, r, 1.4);
        Noise rumble;  // the ground shaking on after the blast
        rumble.t0 = 0.1, rumble.dur = len - 0.1, rumble.filter = kLowPass, rumble.c0 = rumble.c1 = LogRange(r, 60, 200);
        rumble.amp = 1.5, rumble.attack = 0.1, rumble.hold = len * 0.3;
        AddNoise(c, r, rumble);
        *level = 0.38;
    } else if (family == "nuke") {
        Explosion(c, r, 2.0);
        *level = 0.38;
    } else if (family == "laser" || family == "beam") {
        Noise n;
        n.dur = len * r.Range(0.4, 1), n.filter = r.Unit() < 0.5 ? kHighPass : kBandPass;
        n.c0 = LogRange(r, 1500, 6000), n.c1 = LogRange(r, 600, 3000), n.q = r.Range(0.7, 3), n.amp = 0.6;
        AddNoise(c, r, n);
        AddCrackle(c, r, 0, len * 0.8, r.Range(10, 80), LogRange(r, 2000, 6000), 0.4);
        AddThump(c, 0, 0.05, LogRange(r, 150, 500), 120, 0.4);
        Tone t;
        t.dur = len * r.Range(0.3, 0.9), t.f0 = LogRange(r, 400, 3000), t.f1 = t.f0 * r.Range(0.3, 1.5), t.amp = 0.3;
        AddTone(c, t);
    } else if (family == "ice") {
        for (int k = 0; k < 5; ++k)
            AddMetal(c, r.Unit() * len * 0.4, len * 0.6, r.Range(2500, 5000), r.Range(1.3, 3.3), 2.0, 0.25);
        AddCrackle(c, r, 0, len * 0.5, 60, 6000, 0.5);
    } else if (family == "snow") {
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = r.Range(1500, 2500), n.c1 = 300, n.amp = 1.0;
        AddNoise(c, r, n);
    } else if (family == "flame") {
        AddCrackle(c, r, 0, len, 120, r.Range(1500, 3000), 0.7);
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = 900, n.c1 = 300, n.amp = 0.5, n.flicker = 17;
        AddNoise(c, r, n);
    } else if (family == "melee" || family == "drill") {
        AddThump(c, 0, std::min(len, r.Range(0.08, 0.18)), AtPlace(place.a, 120, 320), r.Range(50, 80), 1.0);
        if (r.Unit() < 0.4) AddThump(c, r.Range(0.05, 0.1), 0.1, LogRange(r, 120, 320), 60, 0.6);  // a second blow
        Noise n;
        n.dur = r.Range(0.04, 0.15), n.filter = kLowPass, n.c0 = AtPlace(place.b, 600, 5000), n.c1 = 300, n.amp = 0.7;
        AddNoise(c, r, n);
        AddMetal(c, 0, len * r.Range(0.3, 0.9), AtPlace(place.b, 200, 3000), r.Range(1.3, 3.7), r.Range(1, 5), 0.4);
        if (r.Unit() < 0.5) AddCrackle(c, r, 0.01, len * 0.5, r.Range(20, 80), LogRange(r, 1000, 5000), 0.5);
        if (family == "drill") AddCrackle(c, r, 0, len, 70, 2500, 0.5);
    } else if (family == "bubble") {
        int pops = 1 + r.Pick(3);
        for (int k = 0; k < pops; ++k) {
            Tone t;
            t.t0 = k * r.Range(0.03, 0.08), t.dur = 0.05, t.f0 = LogRange(r, 300, 1200), t.f1 = t.f0 * r.Range(1.5, 4);
            t.amp = 0.7;
            AddTone(c, t);
        }
        Noise n;
        n.t0 = 0.04, n.dur = 0.05, n.c0 = n.c1 = 3000, n.q = 2, n.amp = 0.4;
        AddNoise(c, r, n);
    } else if (family == "sonar") {
        Tone t;
        t.dur = len * r.Range(0.5, 1), t.f0 = LogRange(r, 300, 2000), t.f1 = t.f0 * r.Range(0.5, 1.2), t.amp = 0.5;
        t.vibHz = r.Range(5, 30), t.vibDepth = r.Range(0.01, 0.08);
        AddTone(c, t);
    } else if (family == "electric") {
        AddCrackle(c, r, 0, len, 200, r.Range(2500, 4500), 0.8);
        Tone t;
        t.dur = len, t.f0 = t.f1 = r.Range(50, 70), t.wave = kSaw, t.amp = 0.3;
        AddTone(c, t);
    } else if (family == "spin" || family == "magnet") {
        AddMetal(c, 0, len * r.Range(0.4, 1), LogRange(r, 150, 2000), r.Range(1.2, 3.9), r.Range(1, 7), 0.6);
        if (family == "magnet") AddThump(c, 0, 0.1, LogRange(r, 100, 300), 60, 0.5);
    } else if (family == "heal") {
        for (int k = 0; k < 6; ++k)
            AddMetal(c, r.Unit() * len * 0.5, len * 0.5, r.Range(1500, 3500), 2.0, 0.5, 0.2);
    } else if (family == "web") {
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = 1200, n.c1 = 300, n.q = 3, n.amp = 0.8, n.flicker = 40;
        AddNoise(c, r, n);
    } else {
        AddThump(c, 0, len, 200, 80, 0.7);
    }
}

// A robot stepping onto the field: a short chirped phrase over a servo.
void Voice(Clip& c, Rng& r, Place place) {
    double len = c.Seconds();
    int chirps = 2 + int(place.b * 3.99);
    Wave w = static_cast<Wave>(r.Pick(4));
    double base = 55 + 35 * place.a, step = len * r.Range(0.5, 0.9) / chirps;
    for (int k = 0; k < chirps; ++k) {
        Tone t;
        double note = base + r.Pick(12) - 4;
        t.t0 = k * step, t.dur = step * 0.8, t.f0 = Midi(note), t.f1 = Midi(note + r.Range(-5, 7)), t.wave = w;
        t.amp = 0.5, t.hold = t.dur * 0.3;
        AddTone(c, t);
    }
    Tone servo;
    servo.dur = len, servo.f0 = LogRange(r, 100, 400), servo.f1 = servo.f0 * LogRange(r, 0.5, 2.0), servo.wave = kSaw;
    servo.amp = r.Range(0.08, 0.25), servo.attack = 0.02;
    AddTone(c, servo);
}

// A Machine arriving: an engine's growl with a clank.
void Engine(Clip& c, Rng& r, Place place) {
    double len = c.Seconds();
    Osc o, wob;
    double hz = AtPlace(place.a, 35, 220), rate = LogRange(r, 2, 30), depth = r.Range(0.03, 0.35);
    Biquad lp;
    lp.Set(kLowPass, AtPlace(place.b, 300, 2500), r.Range(0.7, 4));
    for (size_t i = 0; i < c.s.size(); ++i) {
        double t = double(i) / kRate;
        double f = hz * (1.0 + depth * wob.Sine(rate)) * (1.0 + 0.3 * t / len);
        c.s[i] += 0.8 * Envelope(t, len, 0.02, len * 0.4) * lp.Run(o.Saw(f));
    }
    AddMetal(c, r.Range(0, len * 0.3), len * 0.5, LogRange(r, 150, 1500), r.Range(1.3, 3.7), r.Range(1, 6), 0.3);
    Tone second;  // a second cylinder or rotor, at its own interval
    static const double kIntervals[] = {0.5, 0.75, 1.5, 2.0, 2.5, 3.0};
    second.dur = len, second.f0 = second.f1 = hz * kIntervals[r.Pick(6)], second.wave = r.Pick(2) ? kSquare : kTriangle;
    second.amp = r.Range(0.1, 0.35), second.attack = 0.03, second.hold = len * 0.4;
    AddTone(c, second);
}

void Action(Clip& c, Rng& r, const std::string& what) {
    double len = c.Seconds();
    if (what == "energy") {
        double root = 76 + r.Pick(8);
        Notes(c, {root, root + 7, root + 12, root + 16, root + 19}, len / 6, len / 3, kTriangle, 0.4);
    } else if (what == "thud") {
        AddThump(c, 0, len * r.Range(0.6, 1), LogRange(r, 45, 110), r.Range(25, 40), 0.9);
        int texture = r.Pick(3);
        if (texture == 0) {  // wood
            Noise n;
            n.dur = r.Range(0.02, 0.06), n.c0 = n.c1 = LogRange(r, 600, 2500), n.q = 3, n.amp = 0.8;
            AddNoise(c, r, n);
        } else if (texture == 1) {  // metal
            AddMetal(c, 0, len * 0.6, LogRange(r, 200, 1500), r.Range(1.3, 3.7), 2.5, 0.4);
        } else {  // earth
            Noise n;
            n.dur = r.Range(0.05, 0.15), n.filter = kLowPass, n.c0 = n.c1 = LogRange(r, 300, 1200), n.amp = 0.7;
            AddNoise(c, r, n);
        }
    } else if (what == "bubble" || what == "bloop") {
        Tone t;
        t.dur = len, t.f0 = r.Range(200, 500), t.f1 = what == "bubble" ? t.f0 * 3 : t.f0 * 0.35, t.amp = 0.7;
        t.vibHz = r.Range(20, 40), t.vibDepth = 0.05;
        AddTone(c, t);
        for (int k = 0; k < 4; ++k) {  // the water closing behind
            Tone b;
            b.t0 = r.Range(0.2, 0.9) * len, b.dur = 0.03, b.f0 = LogRange(r, 600, 1800), b.f1 = b.f0 * 2, b.amp = 0.25;
            AddTone(c, b);
        }
    } else if (what == "splash") {
        Noise n;
        n.dur = len * r.Range(0.5, 1), n.c0 = LogRange(r, 400, 3000), n.c1 = LogRange(r, 200, 1000);
        n.q = r.Range(0.7, 3), n.amp = 1.0, n.attack = r.Range(0.003, 0.04);
        AddNoise(c, r, n);
        double unused = 0;
        Hit(c, r, "bubble", Place(), &unused);
    } else if (what == "bell") {
        AddMetal(c, 0, len, r.Range(500, 1200), 1.0 + r.Range(1.4, 2.6), 2.5, 0.6);
    } else if (what == "shield") {
        Tone t;
        t.dur = len, t.f0 = r.Range(150, 250), t.f1 = t.f0 * 2, t.wave = kSaw, t.amp = 0.4, t.attack = 0.05;
        t.hold = len * 0.4, t.vibHz = 30, t.vibDepth = 0.02;
        AddTone(c, t);
        AddCrackle(c, r, 0, len, 30, 4000, 0.3);
    } else if (what == "scan") {
        double hz = r.Range(800, 1400);
        for (int k = 0; k < 3; ++k) {
            Tone t;
            t.t0 = k * len / 3, t.dur = len / 4, t.f0 = hz, t.f1 = hz * 1.5, t.amp = 0.4;
            AddTone(c, t);
        }
    } else if (what == "clank") {
        for (int k = 0; k < 3; ++k)
            AddMetal(c, k * len / 3.5, len / 2.5, r.Range(300, 800), r.Range(1.3, 3.9), 3.0, 0.5);
    } else if (what == "suck") {
        Noise n;
        n.dur = len, n.c0 = LogRange(r, 1500, 6000), n.c1 = LogRange(r, 150, 800), n.q = r.Range(0.7, 4);
        n.amp = 1.0, n.attack = len * r.Range(0.3, 0.9);
        AddNoise(c, r, n);
        AddThump(c, n.attack, len - n.attack, LogRange(r, 80, 300), 60, 0.4);
    } else if (what == "hatch") {
        AddMetal(c, 0, len * 0.5, r.Range(200, 400), 2.3, 3.0, 0.5);
        Noise n;
        n.t0 = len * 0.2, n.dur = len * 0.8, n.filter = kHighPass, n.c0 = n.c1 = 3000, n.amp = 0.4;
        AddNoise(c, r, n);
    } else if (what == "boing") {
        Tone t;
        t.dur = len, t.f0 = r.Range(120, 220), t.f1 = t.f0 * 3, t.wave = kTriangle, t.amp = 0.6, t.vibHz = 12;
        t.vibDepth = 0.08;
        AddTone(c, t);
    } else if (what == "zap") {
        Tone t;
        t.dur = len * 0.6, t.f0 = LogRange(r, 2000, 4000), t.f1 = LogRange(r, 100, 300), t.wave = kSquare;
        t.amp = 0.5;
        AddTone(c, t);
        AddCrackle(c, r, 0, len, 40, LogRange(r, 2000, 5000), 0.5);
    } else if (what == "rotor") {
        Noise n;
        n.dur = len, n.c0 = n.c1 = LogRange(r, 300, 900), n.q = 4, n.amp = 1.0, n.attack = 0.03;
        n.hold = len * 0.5, n.flicker = r.Range(10, 18);
        AddNoise(c, r, n);
        Tone t;
        t.dur = len, t.f0 = t.f1 = LogRange(r, 60, 120), t.wave = kSaw, t.amp = 0.3, t.attack = 0.05;
        AddTone(c, t);
    } else if (what == "clang") {
        AddMetal(c, 0, len, r.Range(150, 350), 1.0 + r.Range(0.3, 2.7), 5.0, 0.7);
    } else {
        AddTone(c, Tone{});
    }
}

// Loops: the noise is filtered round the loop twice and the second pass kept,
// so the filters' state at the end is the state the start needs.
void Weather(Clip& c, Rng& r, const std::string& kind) {
    const size_t n = c.s.size();
    const double len = c.Seconds();
    std::vector<double> white(n);
    for (double& v : white) v = r.Noise();
    Biquad a, b, lp;
    int type = kind == "quake" ? kLowPass : kBandPass;
    double centre = kind == "rain" ? 3500 : kind == "water" ? 700 : kind == "wind" ? 500 : 70;
    double q = kind == "rain" ? 0.6 : kind == "water" ? 1.0 : kind == "wind" ? 2.5 : 0.9;
    Osc sweep, swell;
    // Slow movements make whole cycles in the loop, so they meet themselves.
    const double cycle = 1.0 / len;
    for (int pass = 0; pass < 2; ++pass) {
        sweep.phase = swell.phase = 0;
        for (size_t i = 0; i < n; ++i) {
            double hz = centre;
            if (kind == "wind") hz *= 1.0 + 0.4 * sweep.Sine(2 * cycle);
            if (kind == "water") hz *= 1.0 + 0.25 * sweep.Sine(3 * cycle);
            if (i % 16 == 0) {
                a.Set(type, hz, q);
                b.Set(type, hz, q);
            }
            double v = b.Run(a.Run(white[i]));
            double level = kind == "wind"    ? 0.8 + 0.2 * swell.Sine(3 * cycle)
                           : kind == "quake" ? 0.75 + 0.25 * swell.Sine(5 * cycle)
                                             : 1.0;
            if (pass == 1) c.s[i] = v * level;
        }
    }
    // Drops, bubbles and shocks laid round the loop; a tail past the end
    // comes back in at the start.
    Clip events(len + 1.0);
    if (kind == "rain") AddCrackle(events, r, 0, len, 60, 5000, 0.5);
    if (kind == "water")
        for (int k = 0; k < int(len * 4); ++k) {
            Tone t;
            t.t0 = r.Unit() * len, t.dur = r.Range(0.03, 0.07), t.f0 = r.Range(300, 900), t.f1 = t.f0 * 2.2;
            t.amp = 0.25;
            AddTone(events, t);
        }
    if (kind == "quake")
        for (int k = 0; k < int(len * 2); ++k) {
            AddThump(events, r.Unit() * len, 0.4, r.Range(50, 70), 30, 0.5);
            Noise g;
            g.t0 = r.Unit() * len, g.dur = 0.3, g.filter = kLowPass, g.c0 = 600, g.c1 = 150, g.amp = 0.4;
            AddNoise(events, r, g);
        }
    for (size_t i = 0; i < events.s.size(); ++i) c.s[i % n] += events.s[i];
    if (kind == "quake") {  // the rumble's own body: two low tones of whole cycles
        Osc x, y;
        for (size_t i = 0; i < n; ++i)
            c.s[i] += 0.25 * x.Sine(std::round(38 * len) / len) + 0.15 * y.Sine(std::round(55 * len) / len);
    }
}

// The loudness of each role as a peak level: the interface quiet, pick-ups
// and shots in the middle, explosions and the boss loud, never near full scale.
double RoleLevel(const std::string& kind) {
    if (kind == "click" || kind == "type") return 0.1;
    if (kind == "slide" || kind == "popup" || kind == "movecard" || kind == "cancel") return 0.07;
    if (kind.rfind("pick", 0) == 0 || kind == "drop" || kind == "finish" || kind == "star") return 0.11;
    if (kind == "error" || kind == "buy" || kind == "ready" || kind == "count") return 0.2;
    if (kind.rfind("explosion", 0) == 0 || kind == "bossdead" || kind == "bossbomb" || kind == "crash") return 0.38;
    if (kind == "alarm" || kind == "punch" || kind == "bossbody" || kind == "bosshand") return 0.36;
    if (kind == "rain" || kind == "water" || kind == "wind") return 0.3;
    if (kind == "quake") return 0.38;
    if (kind == "voice" || kind == "engine") return 0.13;
    if (kind.rfind("shot-", 0) == 0 || kind.rfind("hit-", 0) == 0) return 0.35;
    return 0.3;
}

}  // namespace

bool IsLoopedEffect(const std::string& kind) {
    return kind == "rain" || kind == "water" || kind == "wind" || kind == "quake";
}

std::vector<double> DesignEffect(const std::string& kind, const std::string& path, int lengthMs) {
    Rng r(HashName(path));
    Clip c(lengthMs / 1000.0);
    const double len = c.Seconds();
    double level = RoleLevel(kind);
    if (kind == "click") {
        AddMetal(c, 0, 0.025, r.Range(1800, 2400), 1.5, 0.8, 0.6);
        Noise n;
        n.dur = 0.006, n.filter = kHighPass, n.c0 = n.c1 = 3000, n.amp = 0.5, n.attack = 0.0005;
        AddNoise(c, r, n);
    } else if (kind == "type") {
        Noise n;
        n.dur = 0.02, n.c0 = n.c1 = r.Range(4000, 6000), n.q = 3, n.amp = 1.0, n.attack = 0.0005;
        AddNoise(c, r, n);
    } else if (kind == "error") {
        Notes(c, {50, 49}, 0.13, 0.12, kSquare, 0.6);
    } else if (kind == "cannot") {
        Notes(c, {43, 43}, 0.09, 0.07, kSaw, 0.6);
        AddThump(c, 0, 0.1, 120, 60, 0.5);
    } else if (kind == "slide" || kind == "movecard") {
        Noise n;
        n.dur = len, n.c0 = kind == "slide" ? 400 : 2500, n.c1 = kind == "slide" ? 2500 : 900, n.q = 1.5;
        n.amp = 1.0, n.attack = len * 0.4;
        AddNoise(c, r, n);
    } else if (kind == "popup") {
        Notes(c, {79, 84}, 0.07, 0.15, kSine, 0.5);
    } else if (kind == "buy") {
        Notes(c, {83, 88}, 0.06, 0.2, kSquare, 0.35);
    } else if (kind == "cardfull") {
        for (int k = 0; k < 3; ++k) {
            Tone t;
            t.t0 = k * len / 3, t.dur = len / 4, t.f0 = t.f1 = 110, t.wave = kSaw, t.amp = 0.5, t.hold = 0.03;
            AddTone(c, t);
        }
    } else if (kind == "expand" || kind == "scalein") {
        Tone t;
        t.dur = len, t.f0 = kind == "expand" ? 200 : 600, t.f1 = kind == "expand" ? 900 : 2400;
        t.wave = kind == "expand" ? kTriangle : kSine, t.amp = 0.5, t.attack = 0.02, t.hold = len * 0.3;
        AddTone(c, t);
        Noise n;
        n.dur = len, n.c0 = t.f0 * 2, n.c1 = t.f1 * 2, n.q = 2, n.amp = 0.5, n.attack = len * 0.3;
        AddNoise(c, r, n);
    } else if (kind == "cancel") {
        Notes(c, {72, 67}, 0.08, 0.12, kTriangle, 0.5);
    } else if (kind == "pickcard") {
        Notes(c, {76, 83}, 0.06, 0.14, kTriangle, 0.5);
    } else if (kind == "pickenergy") {
        Notes(c, {84, 88, 91, 96}, 0.045, 0.12, kSine, 0.45);
    } else if (kind == "pickparts") {
        AddMetal(c, 0, len * 0.6, 1300, 2.76, 2.0, 0.4);
        AddMetal(c, 0.07, len * 0.6, 1750, 2.76, 2.0, 0.4);
    } else if (kind == "drop") {
        Tone t;
        t.dur = 0.15, t.f0 = 1200, t.f1 = 400, t.amp = 0.5;
        AddTone(c, t);
        AddThump(c, 0.15, 0.1, 300, 150, 0.4);
        AddThump(c, 0.24, 0.06, 300, 150, 0.2);
    } else if (kind == "finish") {
        double root = 79 + r.Pick(5);
        for (int k = 0; k < 3; ++k) AddMetal(c, k * 0.06, len - k * 0.06, Midi(root + 4 * k), 3.5, 1.2, 0.35);
    } else if (kind == "lifelost") {
        Tone t;
        t.dur = len, t.f0 = 520, t.f1 = 260, t.wave = kSquare, t.amp = 0.45, t.vibHz = 9, t.vibDepth = 0.03;
        t.hold = len * 0.4;
        AddTone(c, t);
    } else if (kind == "spike") {
        AddMetal(c, 0, len, 700, 3.3, 6.0, 0.5);
        Noise n;
        n.dur = 0.05, n.filter = kHighPass, n.c0 = n.c1 = 2000, n.amp = 0.5;
        AddNoise(c, r, n);
    } else if (kind == "ready") {
        Notes(c, {81}, 0.1, 0.18, kSine, 0.6);
    } else if (kind == "count") {
        Notes(c, {74}, 0.1, 0.12, kSquare, 0.45);
    } else if (kind == "start") {
        Notes(c, {72, 76, 79}, 0.0, len, kSaw, 0.25, 0, 0.01);
        Notes(c, {84}, 0.0, len, kSquare, 0.2, 0.03);
    } else if (kind == "wave") {
        Noise n;
        n.dur = len, n.c0 = 300, n.c1 = 3000, n.q = 1, n.amp = 0.6, n.attack = len * 0.5;
        AddNoise(c, r, n);
        Notes(c, {62, 69}, 0.0, len, kSaw, 0.25, len * 0.4);
    } else if (kind == "star") {
        AddMetal(c, 0, len, 2093, 1.0, 0.3, 0.4);
        AddMetal(c, 0.05, len - 0.05, 2637, 2.0, 0.6, 0.3);
    } else if (kind == "achievement" || kind == "match") {
        double root = kind == "match" ? 67 : 72;
        double step = kind == "match" ? 0.06 : 0.09;
        Notes(c, {root, root + 4, root + 7, root + 12}, step, len - 3 * step, kind == "match" ? kSquare : kSaw, 0.3);
    } else if (kind == "alarm") {
        Osc o;
        for (size_t i = 0; i < c.s.size(); ++i) {
            double t = double(i) / kRate, hz = std::fmod(t, 0.15) < 0.075 ? 880 : 660;
            c.s[i] += 0.5 * Gate(t, len, 0.005) * o.Square(hz);
        }
    } else if (kind == "fuse") {
        Noise n;
        n.dur = len, n.filter = kHighPass, n.c0 = n.c1 = 4000, n.amp = 0.4, n.attack = 0.01, n.hold = len * 0.6;
        AddNoise(c, r, n);
        AddCrackle(c, r, 0, len, 50, 2500, 0.6);
    } else if (kind == "capsule") {
        Notes(c, {72, 79, 84}, 0.07, 0.08, kSquare, 0.35);
    } else if (kind == "snip") {
        for (int k = 0; k < 2; ++k) {
            Noise n;
            n.t0 = k * 0.05, n.dur = 0.025, n.c0 = n.c1 = 6000, n.q = 4, n.amp = 1.0, n.attack = 0.0005;
            AddNoise(c, r, n);
        }
    } else if (kind == "swim") {
        for (int k = 0; k < 3; ++k) {
            Noise n;
            n.t0 = k * len / 3, n.dur = len / 3, n.c0 = 600, n.c1 = 1500, n.q = 2, n.amp = 0.7, n.attack = 0.04;
            AddNoise(c, r, n);
        }
    } else if (kind == "jump") {
        Action(c, r, "boing");
    } else if (kind == "reels") {
        for (double t = 0; t < len - 0.03; t += 0.05 + 0.06 * t / len) {
            Noise n;
            n.t0 = t, n.dur = 0.02, n.c0 = n.c1 = 1500, n.q = 3, n.amp = 0.8, n.attack = 0.0005;
            AddNoise(c, r, n);
        }
    } else if (kind == "lever") {
        for (int k = 0; k < 5; ++k) {
            Noise n;
            n.t0 = k * 0.03, n.dur = 0.015, n.c0 = n.c1 = 900, n.q = 3, n.amp = 0.6, n.attack = 0.0005;
            AddNoise(c, r, n);
        }
        AddThump(c, 0.16, 0.08, 160, 70, 0.7);
    } else if (kind == "snap") {
        AddThump(c, 0, len, 260, 110, 0.7);
        AddMetal(c, 0, 0.04, 1100, 1.7, 1.5, 0.3);
    } else if (kind == "charge") {
        Tone t;
        t.dur = len, t.f0 = 150, t.f1 = 1200, t.wave = kSaw, t.amp = 0.4, t.attack = len * 0.3, t.hold = len * 0.6;
        t.vibHz = 18, t.vibDepth = 0.03;
        AddTone(c, t);
    } else if (kind == "punch") {
        // An iron fist landing: a deep blow and the clang of its plates.
        AddThump(c, 0, len, 70, 30, 1.0);
        AddMetal(c, 0.005, len * 0.9, 110, 2.76, 6.0, 0.7);
        Noise n;
        n.dur = 0.06, n.filter = kLowPass, n.c0 = n.c1 = 1500, n.amp = 0.6;
        AddNoise(c, r, n);
    } else if (kind == "bossbody") {
        Noise n;
        n.dur = len * 0.6, n.c0 = 200, n.c1 = 900, n.q = 1.5, n.amp = 1.0, n.attack = len * 0.4;
        AddNoise(c, r, n);
        AddThump(c, len * 0.55, len * 0.45, 90, 35, 1.0);
    } else if (kind == "bosshand") {
        Noise n;
        n.dur = len * 0.5, n.c0 = 600, n.c1 = 2500, n.q = 2, n.amp = 1.0, n.attack = len * 0.3;
        AddNoise(c, r, n);
        AddMetal(c, len * 0.45, len * 0.55, 260, 2.1, 4.0, 0.6);
    } else if (kind == "clang") {
        Action(c, r, "clang");
    } else if (kind == "crash") {
        // A carrier hitting the ground: the blast, then its hull scraping on.
        Explosion(c, r, 1.2);
        AddMetal(c, 0.02, len * 0.8, 330, 2.6, 5.0, 0.4);
        Noise scrape;
        scrape.t0 = len * 0.2, scrape.dur = len * 0.8, scrape.c0 = 2500, scrape.c1 = 1200, scrape.q = 3;
        scrape.amp = 0.5, scrape.attack = 0.05, scrape.hold = len * 0.3, scrape.flicker = 23;
        AddNoise(c, r, scrape);
    } else if (kind == "bossbomb") {
        // The boss's bomb whistles in before it bursts.
        Tone t;
        t.dur = len * 0.3, t.f0 = 1800, t.f1 = 500, t.amp = 0.35, t.attack = 0.05, t.hold = len * 0.25;
        AddTone(c, t);
        Clip blast(len * 0.72);
        Explosion(blast, r, 1.6);
        for (size_t i = 0; i < blast.s.size() && i + size_t(len * 0.28 * kRate) < c.s.size(); ++i)
            c.s[i + size_t(len * 0.28 * kRate)] += blast.s[i];
    } else if (kind == "bossdead") {
        // The Destroyer's end: a chain of blasts over its power dying away.
        Tone whine;
        whine.dur = len, whine.f0 = 900, whine.f1 = 50, whine.wave = kSaw, whine.amp = 0.3, whine.attack = 0.05;
        whine.hold = len * 0.3;
        AddTone(c, whine);
        for (int k = 0; k < 4; ++k) {
            Clip blast(len * (0.6 - 0.1 * k));
            Explosion(blast, r, 2.0 - 0.3 * k);
            size_t at = size_t(len * 0.13 * k * kRate);
            for (size_t i = 0; i < blast.s.size() && at + i < c.s.size(); ++i) c.s[at + i] += blast.s[i] * (1.0 - 0.15 * k);
        }
    } else if (kind == "explosion-s" || kind == "explosion-m") {
        // A robot breaking: the blast, then its parts clattering down.
        Explosion(c, r, kind == "explosion-s" ? 0.6 : 1.0);
        int parts = kind == "explosion-s" ? 3 : 6;
        for (int k = 0; k < parts; ++k)
            AddMetal(c, r.Range(0.1, 0.6) * len, 0.12, LogRange(r, 800, 4000), r.Range(1.3, 3.7), 2.0, 0.25);
    } else if (kind == "explosion-l") {
        Explosion(c, r, 1.5);
    } else if (kind == "voice") {
        Voice(c, r, PlaceOf(path));
    } else if (kind == "engine") {
        Engine(c, r, PlaceOf(path));
    } else if (kind.rfind("act-", 0) == 0) {
        Action(c, r, kind.substr(4));
    } else if (kind.rfind("shot-", 0) == 0) {
        Shot(c, r, kind.substr(5), PlaceOf(path));
    } else if (kind.rfind("hit-", 0) == 0) {
        Hit(c, r, kind.substr(4), PlaceOf(path), &level);
    } else if (IsLoopedEffect(kind)) {
        Weather(c, r, kind);
    } else {
        AddTone(c, Tone{0, len, 600, 400});
    }
    NormalizePeak(c.s, level);
    return c.s;
}
