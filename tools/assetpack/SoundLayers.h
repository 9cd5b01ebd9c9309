#pragma once
// The layers the pack's sound effects are built from: tones, filtered noise,
// metal strikes, crackle, thumps and whole explosions, added into a clip.
#include <algorithm>
#include <string>
#include <vector>

#include "tools/assetpack/Synth.h"

namespace sfx {

using synth::Rng;

enum Wave { kSine, kSquare, kSaw, kTriangle };

// A value spread evenly in pitch (log scale) between lo and hi.
double LogRange(Rng& r, double lo, double hi);

// Where a numbered file (a unit's or a weapon's) sits in its family on two
// axes, each from 0 to 1: a two-dimensional low-discrepancy sequence over the
// number, so members of a family spread over both ranges instead of bunching
// by chance, and two close on one axis are far apart on the other.
struct Place {
    double a = 0.5, b = 0.5;
};

Place PlaceOf(const std::string& path);

// The value at a place (0 to 1) between lo and hi on a log scale.
double AtPlace(double place, double lo, double hi);

struct Clip {
    std::vector<double> s;
    explicit Clip(double seconds) : s(size_t(std::max(64.0, seconds * synth::kRate))) {}
    double Seconds() const { return double(s.size()) / synth::kRate; }
};

// Attack, hold, then an exponential fall to -60 dB at the end, closed by a
// 2-ms edge so the last sample is silent.
double Envelope(double t, double dur, double attack, double hold);

struct Tone {
    double t0 = 0, dur = 0.1, f0 = 440, f1 = 440;
    Wave wave = kSine;
    double amp = 1, attack = 0.003, hold = 0, vibHz = 0, vibDepth = 0;
};

void AddTone(Clip& c, const Tone& p);

struct Noise {
    double t0 = 0, dur = 0.1;
    int filter = synth::kBandPass;
    double c0 = 1000, c1 = 1000, q = 1.0, amp = 1, attack = 0.002, hold = 0;
    double flicker = 0;  // amplitude wobble rate in Hz (0: steady)
};

void AddNoise(Clip& c, Rng& r, const Noise& p);

// A frequency-modulated strike: bells, clangs, ice.
void AddMetal(Clip& c, double t0, double dur, double hz, double ratio, double index, double amp);

// Sparse short ticks: fire, sparks, debris, shards.
void AddCrackle(Clip& c, Rng& r, double t0, double dur, double perSecond, double centre, double amp);

// A low body that falls in pitch: kicks, booms, thuds.
void AddThump(Clip& c, double t0, double dur, double f0, double f1, double amp);

// Every blast differs in its boom, its roar, its debris and the ring of what
// it tore apart, so no two sound alike.
void Explosion(Clip& c, Rng& r, double size);

// A run of notes: chimes, beeps, fanfares, chirps.
void Notes(Clip& c, const std::vector<double>& midi, double step, double dur, Wave w, double amp, double start = 0,
           double attack = 0.003);

}  // namespace sfx
