#include "tools/assetpack/SoundDesign.h"

#include <algorithm>
#include <cmath>

#include "tools/assetpack/SoundLayers.h"
#include "tools/assetpack/Synth.h"
#include "tools/assetpack/WeaponSounds.h"

using namespace synth;
using namespace sfx;

namespace {

// A robot stepping onto the field: a short chirped phrase over a servo.
void Voice(Clip& c, Rng& r, Place place) {
    double len = c.Seconds();
    int chirps = 2 + int(place.b * 3.99);
    Wave w = static_cast<Wave>(r.Pick(4));
    double base = 55 + 35 * place.a, step = len * r.Range(0.5, 0.9) / chirps;
    // Robots whose numbers sit close on both axes still speak apart: each
    // has its own rhythm (even, quickening or slowing), its own clipped or
    // drawn-out syllables and its own warble.
    const int rhythm = r.Pick(3);
    const double duty = r.Range(0.3, 0.95), warble = LogRange(r, 4, 40);
    double at = 0;
    std::vector<double> onsets;
    for (int k = 0; k < chirps; ++k) {
        Tone t;
        double note = base + r.Pick(12) - 4;
        double length = rhythm == 0   ? step
                        : rhythm == 1 ? step * (1.5 - double(k) / chirps)
                                      : step * (0.5 + double(k) / chirps);
        t.t0 = at, t.dur = length * duty, t.f0 = Midi(note), t.f1 = Midi(note + r.Range(-5, 7)), t.wave = w;
        t.amp = 0.5, t.hold = t.dur * 0.3, t.vibHz = warble, t.vibDepth = 0.04;
        AddTone(c, t);
        onsets.push_back(at);
        at += length;
    }
    Tone servo;
    servo.dur = len, servo.f0 = LogRange(r, 100, 400), servo.f1 = servo.f0 * LogRange(r, 0.5, 2.0), servo.wave = kSaw;
    servo.amp = r.Range(0.08, 0.25), servo.attack = 0.02;
    AddTone(c, servo);
    // A buzzing voice opens each syllable on a breath of hiss of the robot's
    // own colour, so the one harmonic of a chirp that reaches past 2.3 kHz is
    // not all it has up there. A whistling voice has no such harmonic.
    if (w != kSaw && w != kSquare) return;
    const double hiss = LogRange(r, 2800, 6000), q = r.Range(0.7, 1.5);
    for (double t0 : onsets) {
        Noise n;
        n.t0 = t0, n.dur = r.Range(0.012, 0.03), n.c0 = hiss, n.c1 = hiss * r.Range(0.7, 1.4), n.q = q;
        n.amp = 0.25, n.attack = 0.002;
        AddNoise(c, r, n);
    }
}

// A Machine arriving: an engine's growl with a clank.
void Engine(Clip& c, Rng& r, Place place) {
    double len = c.Seconds();
    Osc o, wob;
    double hz = AtPlace(place.a, 30, 260), rate = AtPlace(place.b, 2, 30), depth = r.Range(0.03, 0.35);
    Biquad lp;
    lp.Set(kLowPass, AtPlace(place.b, 250, 4000), r.Range(0.7, 4));
    const double rise = LogRange(r, 0.01, 0.15), hold = r.Range(0.1, 0.7);  // a start-up of its own
    for (size_t i = 0; i < c.s.size(); ++i) {
        double t = double(i) / kRate;
        double f = hz * (1.0 + depth * wob.Sine(rate)) * (1.0 + 0.3 * t / len);
        c.s[i] += 0.8 * Envelope(t, len, rise, len * hold) * lp.Run(o.Saw(f));
    }
    AddMetal(c, r.Range(0, len * 0.3), len * 0.5, LogRange(r, 150, 1500), r.Range(1.3, 3.7), r.Range(1, 6), 0.3);
    Tone second;  // a second cylinder or rotor, at its own interval
    static const double kIntervals[] = {0.5, 0.75, 1.5, 2.0, 2.5, 3.0};
    second.dur = len, second.f0 = second.f1 = hz * kIntervals[r.Pick(6)], second.wave = r.Pick(2) ? kSquare : kTriangle;
    second.amp = r.Range(0.1, 0.35), second.attack = 0.03, second.hold = len * 0.4;
    AddTone(c, second);
}

// Struck metal rings with a hiss under its partials, of the strike's own
// colour: the one partial that reaches past the low-pass is not all it has
// up high.
void AddMetalHiss(Clip& c, Rng& r) {
    Noise n;
    n.dur = c.Seconds() * r.Range(0.8, 1.0), n.c0 = n.c1 = LogRange(r, 2400, 3000), n.q = 0.7, n.amp = 0.6;
    n.attack = 0.001;
    AddNoise(c, r, n);
}

// The robot's place in its family shapes the action's rhythm and timbre, not
// only its pitch: two robots' sounds of one kind differ as sounds.
void Action(Clip& c, Rng& r, const std::string& what, Place place) {
    double len = c.Seconds();
    if (what == "energy") {
        // A rising arpeggio: its chord, its pace and its voice by the robot.
        static const double kChords[][5] = {
            {0, 7, 12, 16, 19}, {0, 4, 7, 12, 16}, {0, 5, 9, 12, 17}, {0, 3, 10, 15, 22}};
        const double* chord = kChords[int(place.a * 3.99)];
        const int notes = 3 + int(place.b * 2.99);
        double root = 76 + r.Pick(8);
        if (root + chord[notes - 1] > 96) root -= 12;  // the top note stays a note, under the sparkle
        std::vector<double> run;
        for (int k = 0; k < notes; ++k) run.push_back(root + chord[k]);
        Notes(c, run, len / (notes + 1), len * (0.2 + 0.3 * place.b), place.b < 0.5 ? kTriangle : kSine, 0.4);
        AddCrackle(c, r, 0, len, 100, 3000, 0.6);  // the sparkle of the energy gathered
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
        AddMetalHiss(c, r);
    } else if (what == "shield") {
        // A field humming up: its sweep, its wobble and its grain by the robot.
        Tone t;
        t.dur = len, t.f0 = r.Range(150, 250), t.f1 = t.f0 * AtPlace(place.a, 1.2, 3.0);
        t.wave = place.b < 0.5 ? kSaw : kSquare, t.amp = 0.4, t.attack = 0.05;
        t.hold = len * 0.4, t.vibHz = AtPlace(place.b, 6, 40), t.vibDepth = 0.02 + 0.06 * place.a;
        AddTone(c, t);
        AddCrackle(c, r, 0, len, 30, 4000, 0.3);
    } else if (what == "scan") {
        // Sweeps of a beam: how many, which way and how far by the robot.
        double hz = r.Range(800, 1400);
        const int sweeps = 2 + int(place.a * 2.99);
        for (int k = 0; k < sweeps; ++k) {
            Tone t;
            t.t0 = k * len / sweeps, t.dur = len / (sweeps + 1), t.f0 = hz;
            t.f1 = hz * AtPlace(place.b, 0.6, 2.0), t.wave = place.b < 0.5 ? kTriangle : kSine, t.amp = 0.4;
            AddTone(c, t);
        }
    } else if (what == "clank") {
        for (int k = 0; k < 3; ++k) {
            AddMetal(c, k * len / 3.5, len / 2.5, r.Range(300, 800), r.Range(1.3, 3.9), 3.0, 0.5);
            Noise knock;  // each blow's knock, broad up high
            knock.t0 = k * len / 3.5, knock.dur = 0.03, knock.filter = kHighPass, knock.c0 = knock.c1 = 2000;
            knock.amp = 0.6, knock.attack = 0.001;
            AddNoise(c, r, knock);
        }
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
        AddMetalHiss(c, r);
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
    Biquad a, b;
    int type = kind == "quake" ? kLowPass : kBandPass;
    // The quake's rumble reaches up past 100 Hz, where small speakers still carry it.
    double centre = kind == "rain" ? 3500 : kind == "water" ? 700 : kind == "wind" ? 500 : 220;
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
            AddThump(events, r.Unit() * len, 0.4, r.Range(110, 160), 60, 0.5);
            Noise g;
            g.t0 = r.Unit() * len, g.dur = 0.3, g.filter = kLowPass, g.c0 = 600, g.c1 = 150, g.amp = 0.4;
            AddNoise(events, r, g);
        }
    for (size_t i = 0; i < events.s.size(); ++i) c.s[i % n] += events.s[i];
    if (kind == "quake") {  // the rumble's own body: low tones of whole cycles
        Osc x, y;
        for (size_t i = 0; i < n; ++i)
            c.s[i] += 0.12 * x.Sine(std::round(55 * len) / len) + 0.15 * y.Sine(std::round(120 * len) / len);
    }
}

// Every loud effect is low-passed at the end, somewhere between its top and
// 1.5 times that. Tones and buzzes stay round at kSmoothest; shots, hits and
// blasts keep their crack and roar up to kCrackTop, where only hiss is left.
constexpr double kSmoothest = 2200;
constexpr double kCrackTop = 6000;
// A shot that holds its sound (a falling bomb's whistle, a beam's hum, a
// charge drawing in) carries, at a crack's peak, several cracks' energy:
// fired in a stream it would lay one loud held note over the music. Its
// loudest quarter second is kept a little over what a gun's whole report
// carries (-26 to -31 dBFS).
constexpr double kHeldShotRms = 0.063;  // -24 dBFS

bool Cracks(const std::string& kind) {
    static const char* const kCracks[] = {"shot-gun",     "hit-gun",    "shot-rifle",  "hit-rifle", "shot-electric",
                                          "hit-electric", "hit-cannon", "hit-missile", "hit-mine",  "hit-blast",
                                          "hit-bomb",     "hit-nuke",   "crash"};
    for (const char* k : kCracks)
        if (kind == k) return true;
    return kind.rfind("explosion", 0) == 0 || kind.rfind("boss", 0) == 0;
}

bool Bright(const std::string& kind) {
    return kind.rfind("shot-", 0) == 0 || kind.rfind("hit-", 0) == 0 || kind.rfind("explosion", 0) == 0 ||
           kind.rfind("boss", 0) == 0 || kind == "crash" || kind == "spike" || kind == "act-energy" ||
           kind == "act-suck" || kind == "act-clank";
}

// The loudness of each role as a peak level: the interface quiet, pick-ups
// and shots in the middle, explosions and the boss loud, never near full scale.
double RoleLevel(const std::string& kind) {
    if (kind == "click" || kind == "type") return 0.1;
    if (kind == "slide" || kind == "popup" || kind == "movecard" || kind == "cancel") return 0.06;
    if (kind.rfind("pick", 0) == 0 || kind == "drop" || kind == "finish" || kind == "star") return 0.11;
    if (kind == "error" || kind == "buy" || kind == "ready" || kind == "count") return 0.2;
    if (kind == "explosion-s" || kind == "explosion-m") return 0.36;  // a robot's death, over and over
    if (kind == "bossdead") return 0.465;                             // the Destroyer's end stands over every gun
    if (kind.rfind("explosion", 0) == 0 || kind == "bossbomb" || kind == "crash") return 0.4;
    if (kind == "alarm" || kind == "punch" || kind == "bossbody" || kind == "bosshand") return 0.36;
    if (kind == "spike") return 0.4;  // a trap's snap, often the only sound of its stage
    if (kind == "rain" || kind == "water" || kind == "wind") return 0.3;
    if (kind == "quake") return 0.38;
    if (kind == "voice") return 0.17;
    if (kind == "engine") return 0.16;
    if (kind == "shot-gun") return 0.37;      // a few guns alone must stand level with the music
    if (kind == "hit-gun") return 0.48;       // a spat is short: its peak stands over little energy
    if (kind == "shot-torpedo") return 0.22;  // muffled by the water
    if (kind == "shot-cannon") return 0.3;    // a boom's peak stands over more energy than a crack's
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
        // A trap snapping shut: the snap, the spikes striking home and
        // rattling as they lock, so it holds its level through its length.
        AddMetal(c, 0, len * 0.6, 700, 3.3, 6.0, 0.5);
        AddMetal(c, len * 0.45, len * 0.55, 610, 3.1, 5.0, 0.45);
        Noise n;
        n.dur = 0.08, n.filter = kHighPass, n.c0 = n.c1 = 2000, n.amp = 0.9;
        AddNoise(c, r, n);
        Noise rattle;
        rattle.t0 = 0.03, rattle.dur = len - 0.03, rattle.c0 = 2500, rattle.c1 = 1400, rattle.q = 1.5, rattle.amp = 0.6;
        rattle.attack = 0.02, rattle.hold = len * 0.7, rattle.flicker = 28;
        AddNoise(c, r, rattle);
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
        AddMetal(c, 0.1, len - 0.1, 3136, 1.0, 0.3, 0.3);
        AddMetal(c, 0.15, len - 0.15, 4186, 1.0, 0.3, 0.25);
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
        Action(c, r, "boing", Place());
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
        Noise blow;  // the hand striking: broad, up high
        blow.t0 = len * 0.45, blow.dur = len * 0.3, blow.filter = kHighPass, blow.c0 = 2500, blow.c1 = 1200;
        blow.q = 0.6, blow.amp = 0.5, blow.attack = 0.002;
        AddNoise(c, r, blow);
    } else if (kind == "clang") {
        Action(c, r, "clang", Place());
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
            for (size_t i = 0; i < blast.s.size() && at + i < c.s.size(); ++i)
                c.s[at + i] += blast.s[i] * (1.0 - 0.15 * k);
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
        Action(c, r, kind.substr(4), PlaceOf(path));
    } else if (kind.rfind("shot-", 0) == 0) {
        Shot(c, r, kind.substr(5), PlaceOf(path));
    } else if (kind.rfind("hit-", 0) == 0) {
        Hit(c, r, kind.substr(4), PlaceOf(path), &level);
    } else if (IsLoopedEffect(kind)) {
        Weather(c, r, kind);
    } else {
        AddTone(c, Tone{0, len, 600, 400});
    }
    // Each clip's own cutoff, so clips of one recipe also differ in their
    // top; a quiet clip's steps are small, so it keeps more of its top.
    // Water's babble is all low; its bubbles' edges are not kept.
    const double top = (kind == "water" ? 1400.0
                        : Bright(kind)  ? kCrackTop
                                        : kSmoothest) *
                       std::pow(1.5, Rng(HashName(path) ^ 0x5bd1e995u).Unit());
    if (level > 0.2 && kind != "quake") LowPass(c.s, top * std::fmax(1.0, 0.3 / level), IsLoopedEffect(kind));
    if (!IsLoopedEffect(kind))  // what the filter still rang with at the end goes down to 0
        for (size_t i = 0; i < c.s.size(); ++i) c.s[i] *= Gate(double(i) + 1.0, double(c.s.size()), 0.004 * kRate);
    NormalizePeak(c.s, level);
    if (kind.rfind("shot-", 0) == 0) {
        const double held = LoudestRms(c.s, size_t(0.25 * kRate));
        if (held > kHeldShotRms)
            for (double& v : c.s) v *= kHeldShotRms / held;
    }
    // A tone's or a buzz's sharpest edges are rounded off; a crack or a roar
    // is broad noise whose steep steps are its bite, and it keeps them.
    if (!Cracks(kind)) SmoothSteps(c.s, IsLoopedEffect(kind), 400.0 / 32768.0, 3.0);
    return c.s;
}
