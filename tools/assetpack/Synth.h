#pragma once
// Small building blocks of the pack's sound synthesis: a seeded random
// source, phase-continuous oscillators, filters and envelopes. Everything is
// deterministic, so a pack is the same every time it is made.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = 22050.0;

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
    double Unit() { return (Next() >> 8) / 16777216.0; }                 // [0, 1)
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
    // Band-limited by summing harmonics under the Nyquist frequency.
    double Saw(double hz, int maxHarmonics = 12) {
        double p = Step(hz), v = 0.0;
        for (int k = 1; k <= maxHarmonics && k * hz < kRate * 0.45; ++k) v += std::sin(2.0 * kPi * k * p) / k;
        return v * 0.6;
    }
    double Square(double hz, int maxHarmonics = 9) {
        double p = Step(hz), v = 0.0;
        for (int k = 1; k <= 2 * maxHarmonics; k += 2)
            if (k * hz < kRate * 0.45) v += std::sin(2.0 * kPi * k * p) / k;
        return v * 0.9;
    }
    double Triangle(double hz) {
        double p = Step(hz), v = 0.0;
        for (int k = 1, s = 1; k <= 9; k += 2, s = -s)
            if (k * hz < kRate * 0.45) v += s * std::sin(2.0 * kPi * k * p) / (k * k);
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

// Scales the clip so its peak is the given level (linear, of full scale).
inline void NormalizePeak(std::vector<double>& s, double peak) {
    double m = 1e-12;
    for (double v : s) m = std::fmax(m, std::fabs(v));
    for (double& v : s) v *= peak / m;
}

}  // namespace synth
