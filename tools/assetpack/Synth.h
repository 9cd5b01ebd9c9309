#pragma once
// Small building blocks of the pack's sound synthesis: a seeded random
// source, phase-continuous oscillators, filters and envelopes. Everything is
// deterministic, so a pack is the same every time it is made.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = 22050.0;
// Where an oscillator's partials end.
constexpr double kBrightest = 8000.0;

inline uint32_t HashName(const std::string& s) {
    uint32_t h = 2166136261u;
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    return h;
}

class Rng {
public:
    explicit Rng(uint32_t seed) : m_state(seed * 2654435761u + 0x9E3779B9u) { Next(); }
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double Unit() { return (Next() >> 8) / 16777216.0; }                    // [0, 1)
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }  // [lo, hi)
    int Pick(int n) { return int(Next() % uint32_t(n)); }
    double Noise() { return Unit() * 2.0 - 1.0; }

private:
    uint32_t m_state;
};

// An oscillator that keeps its phase while its pitch moves, so a glide or a
// new pitch never jumps.
struct Osc {
    double phase = 0.0;  // in cycles
    double Step(double hz) {
        phase += hz / kRate;
        phase -= std::floor(phase);
        return phase;
    }
    double Sine(double hz) { return std::sin(2.0 * kPi * Step(hz)); }
    // Band-limited by summing harmonics under kBrightest, tapered (cos²) on
    // the way there: a wave with partials up near the Nyquist frequency, or
    // cut off hard, has edges a sample or two wide that stand out of the
    // steps around them, and each edge of a loud one is a click in the mix.
    // The fundamental always sounds.
    static double Partial(int k, double hz) {
        if (k == 1) return 1.0;
        double x = k * hz / kBrightest;
        if (x >= 1.0) return 0.0;
        double c = std::cos(0.5 * kPi * x);
        return c * c;
    }
    double Saw(double hz, int maxHarmonics = 12) {
        double p = Step(hz), v = 0.0;
        for (int k = 1; k <= maxHarmonics; ++k) {
            double w = Partial(k, hz);
            if (w == 0.0) break;
            v += w * std::sin(2.0 * kPi * k * p) / k;
        }
        return v * 0.6;
    }
    double Square(double hz, int maxHarmonics = 9) {
        double p = Step(hz), v = 0.0;
        for (int k = 1; k <= 2 * maxHarmonics; k += 2) {
            double w = Partial(k, hz);
            if (w == 0.0) break;
            v += w * std::sin(2.0 * kPi * k * p) / k;
        }
        return v * 0.9;
    }
    double Triangle(double hz) {
        double p = Step(hz), v = 0.0;
        for (int k = 1, s = 1; k <= 9; k += 2, s = -s) v += Partial(k, hz) * s * std::sin(2.0 * kPi * k * p) / (k * k);
        return v * 0.8;
    }
};

// A biquad (RBJ cookbook); the coefficients may change every sample.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void Set(int type, double hz, double q) {
        hz = std::fmin(std::fmax(hz, 10.0), kRate * 0.45);
        double w = 2.0 * kPi * hz / kRate, c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
        double n0, n1, n2;
        if (type == 0) {  // low-pass
            n0 = (1 - c) / 2, n1 = 1 - c, n2 = (1 - c) / 2;
        } else if (type == 1) {  // high-pass
            n0 = (1 + c) / 2, n1 = -(1 + c), n2 = (1 + c) / 2;
        } else {  // band-pass, peak gain 1
            n0 = alpha, n1 = 0, n2 = -alpha;
        }
        double d0 = 1 + alpha;
        b0 = n0 / d0, b1 = n1 / d0, b2 = n2 / d0, a1 = -2 * c / d0, a2 = (1 - alpha) / d0;
    }
    double Run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};
enum { kLowPass = 0, kHighPass = 1, kBandPass = 2 };

// 1 inside [0, length], with raised-cosine edges of the given length.
inline double Gate(double t, double length, double edge) {
    if (t <= 0 || t >= length) return 0.0;
    double e = std::fmin(t, length - t);
    return e >= edge ? 1.0 : 0.5 - 0.5 * std::cos(kPi * e / edge);
}

inline double Midi(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// Low-passes a whole clip twice over (fourth order, Butterworth-like): a
// sample step that stands out of its neighbours is heard as a click, and such
// steps come from the energy near the Nyquist frequency. A loop is filtered
// round itself, so its end still meets its start.
inline void LowPass(std::vector<double>& s, double hz, bool loop) {
    for (int stage = 0; stage < 2; ++stage) {
        Biquad f;
        f.Set(kLowPass, hz, stage == 0 ? 0.5412 : 1.3066);
        if (loop)
            for (double v : s) f.Run(v);
        for (double& v : s) v = f.Run(v);
    }
}

// Softens every sample step that stands out of the steps around it: one of
// at least `least` (of full scale) that is `ratio` times the median of the 14
// steps beside it is smoothed over with its neighbours (a binomial 1-4-6-4-1
// kernel over five samples), again until none is left. A loop wraps round.
// Such a step is a click however it arose (a bright partial's edge, the peak
// of a noise burst), and heard through the mix it adds up with other sounds'.
inline int SmoothSteps(std::vector<double>& s, bool loop, double least, double ratio) {
    const long n = long(s.size());
    if (n < 32) return 0;
    auto at = [&](long i) -> double& { return s[size_t(loop ? ((i % n) + n) % n : std::clamp(i, 0L, n - 1))]; };
    auto step = [&](long i) { return std::fabs(at(i) - at(i - 1)); };
    int smoothed = 0;
    for (int pass = 0; pass < 32; ++pass) {
        std::vector<long> found;
        for (long i = loop ? 0 : 8; i < (loop ? n : n - 7); ++i) {
            double d = step(i);
            if (d < least) continue;
            double around[14];
            for (long k = 0; k < 7; ++k) around[k] = step(i - 1 - k), around[7 + k] = step(i + 1 + k);
            std::nth_element(around, around + 6, around + 14);
            double lo = around[6], hi = *std::min_element(around + 7, around + 14);
            if (d >= ratio * 0.5 * (lo + hi)) found.push_back(i);
        }
        if (found.empty()) break;
        for (long i : found) {
            double v[9];
            for (long k = 0; k < 9; ++k) v[k] = at(i - 4 + k);
            for (long k = 2; k < 7; ++k)
                at(i - 4 + k) = (v[k - 2] + 4 * v[k - 1] + 6 * v[k] + 4 * v[k + 1] + v[k + 2]) / 16.0;
        }
        smoothed += int(found.size());
    }
    return smoothed;
}

// The RMS of the loudest stretch of `window` samples, a quarter window apart
// (the whole clip when it is shorter).
inline double LoudestRms(const std::vector<double>& s, size_t window) {
    window = std::max<size_t>(1, std::min(window, s.size()));
    double loudest = 0;
    for (size_t at = 0; at + window <= s.size(); at += std::max<size_t>(1, window / 4)) {
        double sum = 0;
        for (size_t i = at; i < at + window; ++i) sum += s[i] * s[i];
        loudest = std::max(loudest, sum / double(window));
    }
    return std::sqrt(loudest);
}

// Scales the clip so its peak is the given level (linear, of full scale).
inline void NormalizePeak(std::vector<double>& s, double peak) {
    double m = 1e-12;
    for (double v : s) m = std::fmax(m, std::fabs(v));
    for (double& v : s) v *= peak / m;
}

}  // namespace synth
