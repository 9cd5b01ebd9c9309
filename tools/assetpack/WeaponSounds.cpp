#include "tools/assetpack/WeaponSounds.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace sfx {

namespace {

// Two bands of the noise ringing at the weapon's place, one low and one
// high: blasts of one recipe set apart by where their energy sits.
void Resonance(Clip& c, Rng& r, Place place, double amp) {
    for (int k = 0; k < 2; ++k) {
        Noise n;
        n.dur = c.Seconds() * AtPlace(k ? place.a : place.b, 0.3, 0.9);
        n.c0 = n.c1 = k ? AtPlace(place.b, 700, 1800) : AtPlace(place.a, 150, 600);
        n.q = 6, n.amp = amp * 5.0, n.attack = 0.01, n.hold = n.dur * 0.3;
        AddNoise(c, r, n);
    }
}

// Bubbles rising through water: short upward chirps spread over a stretch.
void AddBubbles(Clip& c, Rng& r, double t0, double dur, int count) {
    for (int k = 0; k < count; ++k) {
        Tone t;
        t.t0 = t0 + r.Unit() * dur, t.dur = r.Range(0.03, 0.06), t.f0 = LogRange(r, 350, 900), t.f1 = t.f0 * 1.8;
        t.amp = r.Range(0.2, 0.4);
        AddTone(c, t);
    }
}

}  // namespace

void Shot(Clip& c, Rng& r, const std::string& family, Place place) {
    double len = c.Seconds();
    if (family == "gun") {
        // Single shots to bursts of three. Each report is a crack of broad
        // noise and the air's slap after it over the thump of the gun's body,
        // which holds a share of the report's energy of its own (16 to 28 %):
        // heard under the crack, never over it. Each gun has its
        // own crack (bright or dark, short or long), body, slap and action.
        const int bursts = 1 + int(place.a * 2.99);
        const double gap = r.Range(0.04, 0.09), crack = AtPlace(place.a, 2200, 5000) * r.Range(0.85, 1.15);
        const double crackLen = LogRange(r, 0.015, 0.08);
        const double q = r.Range(0.35, 0.8), body = LogRange(r, 60, 180), bodyShare = r.Range(0.16, 0.28);
        const double slap = LogRange(r, 1200, 2500), slapAmp = r.Range(0.2, 0.35), slapLen = r.Range(0.1, 0.18);
        const double bodyLen = r.Range(0.05, 0.13);
        Clip thumps(len);
        for (int b = 0; b < bursts; ++b) {
            Noise n;
            n.t0 = b * gap, n.dur = crackLen, n.c0 = crack, n.c1 = crack * r.Range(0.6, 0.9), n.q = q, n.amp = 1.0;
            n.attack = 0.001;
            AddNoise(c, r, n);
            Noise tail;
            tail.t0 = b * gap + 0.005, tail.dur = slapLen, tail.c0 = slap, tail.c1 = slap * 0.5, tail.q = 0.5;
            tail.amp = slapAmp, tail.attack = 0.004, tail.hold = slapLen * 0.3;
            AddNoise(c, r, tail);
            AddThump(thumps, b * gap, bodyLen, body, AtPlace(place.b, 35, 80), 1.0);
        }
        if (r.Unit() < 0.6) {  // the action cycling after the last round
            Noise clack;
            clack.t0 = (bursts - 1) * gap + r.Range(0.07, 0.12), clack.dur = 0.02,
            clack.c0 = clack.c1 = LogRange(r, 900, 2500);
            clack.q = 3, clack.amp = r.Range(0.3, 0.6), clack.attack = 0.001;
            AddNoise(c, r, clack);
        }
        double report = 0, thump = 1e-12;
        for (size_t i = 0; i < c.s.size(); ++i) report += c.s[i] * c.s[i], thump += thumps.s[i] * thumps.s[i];
        const double gain = std::sqrt(bodyShare / (1.0 - bodyShare) * report / thump);
        for (size_t i = 0; i < c.s.size(); ++i) c.s[i] += gain * thumps.s[i];
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
        muzzle.dur = 0.03, muzzle.c0 = muzzle.c1 = LogRange(r, 1500, 3000);
        muzzle.amp = 0.7, muzzle.attack = 0.0005;
        AddNoise(c, r, muzzle);
    } else if (family == "laser") {
        Tone t;
        t.dur = std::min(len, r.Range(0.08, 0.2)), t.f0 = LogRange(r, 800, 4000), t.f1 = LogRange(r, 100, 700);
        t.wave = static_cast<Wave>(r.Pick(4)), t.amp = 0.7, t.vibHz = r.Range(20, 90), t.vibDepth = r.Range(0, 0.15);
        AddTone(c, t);
    } else if (family == "rifle") {
        // A bright crack, the round's whip through the air, the rifle's kick under them.
        Noise crack;
        crack.dur = 0.03, crack.c0 = crack.c1 = 2400, crack.q = 0.8, crack.amp = 1.0;
        AddNoise(c, r, crack);
        Noise whip;
        whip.t0 = 0.01, whip.dur = len * 0.7, whip.c0 = 3500, whip.c1 = 1500, whip.q = 2, whip.amp = 0.8;
        AddNoise(c, r, whip);
        AddThump(c, 0, 0.09, 130, 55, 0.35);
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
        n.dur = len * 0.6, n.filter = kHighPass, n.c0 = 4000, n.c1 = 6000, n.amp = 0.6;
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
    } else if (family == "torpedo") {
        // A torpedo leaving its tube under water: the tube's kick, a rush
        // the water muffles and the bubbles of its wake.
        Noise n;
        n.dur = len * 0.7, n.c0 = LogRange(r, 300, 700), n.c1 = LogRange(r, 150, 300), n.q = 2;
        n.amp = 0.9, n.attack = 0.02, n.hold = len * 0.2;
        AddNoise(c, r, n);
        AddThump(c, 0, 0.1, LogRange(r, 70, 150), 45, 0.7);
        AddBubbles(c, r, 0.05, len * 0.85, 10);
    } else if (family == "bomb") {
        // A bomb's fall: its whistle swelling as it nears, its voice and
        // warble by the weapon, and a rush of air under it.
        Tone t;
        t.dur = len, t.f0 = r.Range(1600, 2400), t.f1 = AtPlace(place.a, 350, 900), t.amp = 0.6, t.attack = len * 0.6;
        t.hold = len * 0.2, t.wave = place.b < 0.5 ? kSine : kTriangle, t.vibHz = AtPlace(place.b, 5, 30);
        t.vibDepth = 0.01 + 0.04 * place.a;
        AddTone(c, t);
        Noise air;
        air.dur = len, air.c0 = AtPlace(place.b, 400, 1500), air.c1 = air.c0 * 0.6, air.q = 2, air.amp = 0.25;
        air.attack = 0.02;
        AddNoise(c, r, air);
    } else if (family == "melee") {
        // A swing: the air's rush, low or high, rising or falling, and for
        // a blade its ring.
        Noise n;
        n.dur = std::min(len, r.Range(0.07, 0.25)), n.c0 = LogRange(r, 250, 1600),
        n.c1 = std::fmin(4000.0, n.c0 * LogRange(r, 0.3, 6));
        n.q = r.Range(1, 5), n.amp = 1.0, n.attack = n.dur * r.Range(0.1, 0.6);
        AddNoise(c, r, n);
        Noise air = n;  // the thin hiss of the air over the rush
        air.filter = kHighPass, air.c0 = air.c1 = 3000, air.q = 0.7, air.amp = 0.15;
        AddNoise(c, r, air);
        if (r.Unit() < 0.6) {  // the blade's ring: a shimmer of the edge, not one pure partial
            Noise ring;
            ring.t0 = n.dur * r.Range(0.2, 1.0), ring.dur = len - ring.t0, ring.c0 = LogRange(r, 2000, 5000);
            ring.c1 = ring.c0 * r.Range(0.6, 1.4), ring.q = r.Range(2, 5), ring.amp = r.Range(0.3, 0.6);
            ring.attack = 0.005;
            AddNoise(c, r, ring);
        }
    } else if (family == "bubble") {
        int count = 2 + r.Pick(3);
        for (int k = 0; k < count; ++k) {
            Tone t;
            t.t0 = k * len / count, t.dur = 0.06, t.f0 = r.Range(250, 450), t.f1 = t.f0 * 2.5, t.amp = 0.6;
            AddTone(c, t);
        }
    } else if (family == "sonar") {
        // A ping and its echoes: how many, how far apart and how they fade by the weapon.
        double hz = r.Range(1000, 1900);
        const int pings = 2 + int(place.a * 2.99);
        const double gap = len * AtPlace(place.b, 0.18, 0.4), fade = 0.3 + 0.4 * place.b;
        for (int k = 0; k < pings && k * gap < len; ++k) {
            Tone t;
            t.t0 = k * gap, t.dur = std::min(len - k * gap, gap * 1.3), t.f0 = hz, t.f1 = hz * (1.0 - 0.08 * place.a);
            t.amp = 0.6 * std::pow(fade, k);
            AddTone(c, t);
        }
    } else if (family == "electric") {
        // An arc: a bright buzz hopping in pitch under a spray of sparks,
        // struck with the snap of the discharge.
        Osc o;
        double base = AtPlace(place.a, 500, 1200), hz = base;
        size_t hop = size_t(AtPlace(place.b, 150, 900));
        bool saw = r.Unit() < 0.5;
        for (size_t i = 0; i < c.s.size(); ++i) {
            if (i % hop == 0) hz = base * r.Range(0.8, 1.6);
            double t = double(i) / kRate;
            c.s[i] += 0.3 * Envelope(t, len, 0.004, len * 0.4) * (saw ? o.Saw(hz) : o.Square(hz));
        }
        Noise snap;
        snap.dur = std::min(len, 0.05), snap.filter = kHighPass, snap.c0 = snap.c1 = LogRange(r, 1500, 2500);
        snap.q = 0.6, snap.amp = 0.6, snap.attack = 0.001;
        AddNoise(c, r, snap);
        AddCrackle(c, r, 0, len, r.Range(80, 160), LogRange(r, 2500, 3000), 0.8);
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
            c.s[i] += 0.4 * Envelope(t, len, 0.01, len * 0.5) * o.Saw(hz, 5) *
                      (0.6 + 0.4 * am.Sine(35));  // a rounded saw: its edge would click
        }
        Noise n;
        n.dur = len, n.c0 = n.c1 = 1400, n.q = 1.2, n.amp = 0.3, n.hold = len * 0.5;  // the bit grinding
        AddNoise(c, r, n);
    } else if (family == "blast") {
        // A charge drawing in, then its release.
        double swell = r.Range(0.3, 0.8);
        Noise n;
        n.dur = len, n.filter = r.Unit() < 0.5 ? kLowPass : kBandPass, n.c0 = LogRange(r, 100, 400);
        n.c1 = LogRange(r, 1500, 5000), n.q = r.Range(0.8, 3), n.amp = 1.0, n.attack = len * swell;
        AddNoise(c, r, n);
        Resonance(c, r, place, 0.5);
        AddThump(c, len * swell, len * (1 - swell), LogRange(r, 50, 150), 40, 0.8);
        Tone t;
        t.dur = len * swell, t.f0 = AtPlace(place.a, 150, 900), t.f1 = t.f0 * r.Range(1.5, 4),
        t.amp = r.Range(0.15, 0.4);
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
        if (family == "rifle") {  // the round's ricochet: torn air whining down, a band of it, not one tone
            Noise whine;
            whine.dur = len, whine.c0 = LogRange(r, 2500, 4500), whine.c1 = whine.c0 * r.Range(0.3, 0.5), whine.q = 4;
            whine.amp = 0.8, whine.attack = 0.01, whine.flicker = r.Range(20, 40);
            AddNoise(c, r, whine);
        }
        // The round's spat: broad noise, bright on plate, dull on earth, in one
        // strike or a glance and a second; each weapon's own.
        const int strikes = 1 + r.Pick(2);
        const double spat = AtPlace(place.a, 1500, 4000) * (r.Unit() < 0.5 ? 1.0 : 0.6), q = r.Range(0.4, 0.9);
        const double spatLen = LogRange(r, 0.03, 0.09);
        for (int k = 0; k < strikes; ++k) {
            Noise n;
            n.t0 = k * r.Range(0.03, 0.06), n.dur = std::min(len, spatLen), n.c0 = spat * (k ? 0.7 : 1.0);
            n.c1 = n.c0 * r.Range(0.5, 0.9), n.q = q, n.amp = k ? 0.5 : 1.0, n.attack = 0.001;
            AddNoise(c, r, n);
        }
        // The round's blow, by the weapon: a tap to a thud.
        AddThump(c, 0, LogRange(r, 0.04, 0.1), LogRange(r, 110, 300), 60, r.Range(0.1, 0.4));
        AddCrackle(c, r, 0.005, len * r.Range(0.2, 0.6), r.Range(30, 100), LogRange(r, 2000, 3000), 0.35);  // fragments
        if (place.a >= place.b) {  // a round that glances off whines away
            Tone whine;
            whine.t0 = 0.01, whine.dur = len * 0.95, whine.f0 = LogRange(r, 1200, 2000), whine.f1 = whine.f0 * 0.5;
            whine.amp = 0.08, whine.attack = 0.01;
            AddTone(c, whine);
        }
    } else if (family == "cannon" || family == "missile" || family == "mine" || family == "blast") {
        // A shell bursts small, a mine sharp, a missile full, a charge wide.
        Explosion(c, r, family == "cannon" ? 0.6 : family == "mine" ? 0.8 : family == "missile" ? 1.1 : 1.35);
        if (family == "cannon") AddMetal(c, 0, 0.15, LogRange(r, 2000, 5000), 1.5, 1.0, 0.4);  // the shell's shatter
        if (family == "mine") AddCrackle(c, r, 0, 0.1, 200, LogRange(r, 3000, 6000), 0.6);
        // What each weapon's blast tears through rings at its own pitch.
        Resonance(c, r, place, 0.8);
        if (family == "blast") {  // a charge's blast shakes the ground on
            Noise rumble;
            rumble.t0 = 0.05, rumble.dur = len - 0.05, rumble.filter = kLowPass, rumble.c0 = rumble.c1 = 120;
            rumble.amp = 1.2, rumble.attack = 0.08, rumble.hold = len * 0.2;
            AddNoise(c, r, rumble);
            Noise sizzle;  // and the air above it sizzles, then cracks again
            sizzle.dur = len * r.Range(0.2, 0.7), sizzle.filter = kHighPass, sizzle.c0 = LogRange(r, 1500, 4000);
            sizzle.c1 = sizzle.c0 * r.Range(0.4, 0.8), sizzle.amp = r.Range(0.5, 1.0);
            AddNoise(c, r, sizzle);
            const int echoes = 1 + r.Pick(3);
            const double spacing = AtPlace(place.b, 0.1, 0.3) * len;
            for (int k = 1; k <= echoes; ++k) {
                Noise echo;
                echo.t0 = spacing * k, echo.dur = 0.12, echo.filter = kHighPass;
                echo.c0 = echo.c1 = AtPlace(place.a, 1200, 3500), echo.amp = 0.9 / k, echo.attack = 0.002;
                AddNoise(c, r, echo);
                AddThump(c, echo.t0, 0.2, AtPlace(place.a, 50, 120), 35, 0.6 / k);
            }
        }
        *level = 0.4;  // as loud as a blast gets
    } else if (family == "torpedo") {
        // A torpedo bursting under water: a blast the water muffles, its
        // boom carried on, then the bubbles of the burst rising. Water takes
        // the blast's roar: let through, it snaps at each of a stream of hits.
        Explosion(c, r, 1.1);
        LowPass(c.s, LogRange(r, 700, 1000), false);
        AddBubbles(c, r, 0.15, len * 0.8, 8);
        *level = 0.22;  // muffled, and fired in a stream where a diver fights alone
    } else if (family == "bomb") {
        Explosion(c, r, 1.4);
        Noise rumble;  // the ground shaking on after the blast
        rumble.t0 = 0.1, rumble.dur = len - 0.1, rumble.filter = kLowPass, rumble.c0 = rumble.c1 = LogRange(r, 60, 200);
        rumble.amp = 1.5, rumble.attack = 0.1, rumble.hold = len * 0.3;
        AddNoise(c, r, rumble);
        Resonance(c, r, place, 0.8);
        *level = 0.4;
    } else if (family == "nuke") {
        Explosion(c, r, 2.0);
        Resonance(c, r, place, 0.6);
        Noise fireball;  // the fireball's roar swelling on after the flash
        fireball.t0 = 0.2, fireball.dur = len - 0.2, fireball.filter = kLowPass, fireball.c0 = 900, fireball.c1 = 200;
        fireball.amp = 1.2, fireball.attack = 0.35, fireball.hold = 0.2;
        AddNoise(c, r, fireball);
        *level = 0.4;
    } else if (family == "laser" || family == "beam") {
        Noise n;
        n.dur = len * r.Range(0.4, 1), n.filter = r.Unit() < 0.5 ? kHighPass : kBandPass;
        n.c0 = LogRange(r, 1500, 6000), n.c1 = LogRange(r, 600, 3000), n.q = r.Range(0.7, 3), n.amp = 0.6;
        n.attack = 0.006;  // a sharper start leaks ahead of itself through the encoding
        AddNoise(c, r, n);
        AddCrackle(c, r, 0, len * 0.8, r.Range(10, 80), LogRange(r, 2000, 6000), 0.4);
        AddThump(c, 0, 0.05, LogRange(r, 150, 500), 120, 0.4);
        Tone t;
        t.dur = len * r.Range(0.3, 0.9), t.f0 = LogRange(r, 400, 2000), t.f1 = t.f0 * r.Range(0.3, 0.7), t.amp = 0.3;
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
        AddCrackle(c, r, 0, len, r.Range(60, 200), AtPlace(place.a, 1000, 4000), 0.7);
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = AtPlace(place.b, 500, 2000), n.c1 = 300, n.amp = 0.5;
        n.flicker = r.Range(8, 25);
        AddNoise(c, r, n);
    } else if (family == "melee" || family == "drill") {
        AddThump(c, 0, std::min(len, r.Range(0.08, 0.18)), AtPlace(place.a, 120, 320), r.Range(50, 80), 1.0);
        if (r.Unit() < 0.4) AddThump(c, r.Range(0.05, 0.1), 0.1, LogRange(r, 120, 320), 60, 0.6);  // a second blow
        Noise n;
        n.dur = r.Range(0.04, 0.15), n.filter = r.Unit() < 0.5 ? kLowPass : kBandPass;
        n.c0 = AtPlace(place.b, 600, 5000) * LogRange(r, 0.4, 1.6);
        n.c1 = 300, n.amp = 0.7;
        AddNoise(c, r, n);
        // How long the struck plate rings is the weapon's own, apart from
        // its place: two close places still ring apart. A plate ringing up
        // high rings softer, under the blow's noise there.
        const double ring = AtPlace(place.b, 200, 3000);
        AddMetal(c, 0, len * AtPlace(place.a, 0.2, 1.0) * r.Range(0.3, 1.0), ring, r.Range(1.3, 3.7), r.Range(1, 5),
                 ring > 2500 ? 0.2 : 0.4);
        if (r.Unit() < 0.5) AddCrackle(c, r, 0.01, len * 0.5, r.Range(20, 80), LogRange(r, 1000, 5000), 0.5);
        Resonance(c, r, place, 0.3);
        if (family == "drill") AddCrackle(c, r, 0, len, 70, 1500, 0.5);
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
        // Sparks spraying off the target over a short, high buzz.
        AddCrackle(c, r, 0, len, 200, r.Range(2500, 3000), 0.8);
        Noise burst;
        burst.dur = len * 0.3, burst.filter = kHighPass, burst.c0 = 3000, burst.c1 = 1500, burst.q = 0.6;
        burst.amp = 0.5, burst.attack = 0.001;
        AddNoise(c, r, burst);
        Tone t;
        t.dur = len * 0.6, t.f0 = t.f1 = AtPlace(place.a, 300, 900), t.wave = kSaw, t.amp = 0.15 + 0.2 * place.b;
        t.vibHz = 50, t.vibDepth = 0.1;
        AddTone(c, t);
    } else if (family == "spin" || family == "magnet") {
        AddMetal(c, 0, len * r.Range(0.4, 1), LogRange(r, 150, 2000), r.Range(1.2, 3.9), r.Range(1, 7), 0.6);
        Noise scrape;  // the grind of the blow on the plate
        scrape.dur = len * r.Range(0.2, 0.4), scrape.c0 = LogRange(r, 2500, 4000), scrape.c1 = scrape.c0 * 0.6;
        scrape.q = 0.7, scrape.amp = 1.0, scrape.attack = 0.002;
        AddNoise(c, r, scrape);
        if (family == "magnet") AddThump(c, 0, 0.1, LogRange(r, 100, 300), 60, 0.5);
    } else if (family == "heal") {
        // Chimes of the mend under a shimmer of sparks: its top is the
        // shimmer's spread, not the partial of one chime.
        for (int k = 0; k < 6; ++k) AddMetal(c, r.Unit() * len * 0.5, len * 0.5, r.Range(1000, 2200), 2.0, 0.5, 0.2);
        AddCrackle(c, r, 0, len * 0.8, 60, 3000, 0.3);
        Noise shimmer;
        shimmer.dur = len, shimmer.filter = kHighPass, shimmer.c0 = shimmer.c1 = 2500, shimmer.q = 0.7;
        shimmer.amp = 0.12, shimmer.attack = 0.02, shimmer.flicker = 12;
        AddNoise(c, r, shimmer);
    } else if (family == "web") {
        Noise n;
        n.dur = len, n.filter = kLowPass, n.c0 = 1200, n.c1 = 300, n.q = 3, n.amp = 0.8, n.flicker = 40;
        AddNoise(c, r, n);
    } else {
        AddThump(c, 0, len, 200, 80, 0.7);
    }
}

}  // namespace sfx
