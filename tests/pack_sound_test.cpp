// Listens to the pack's sounds the way the game gets them: every clip is
// unzipped from DATA and decoded through the game's own Ogg path, and the
// decoded samples (not the synthesizer's buffers) are measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/OggDecode.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"

namespace {

constexpr int kRate = 22050;
const char* const kBgm = "Resource\\Sound\\BGM\\";

std::vector<float> DecodeOgg(const std::vector<uint8_t>& bytes) {
    std::vector<float> out;
    OggVorbis_File* handle = nullptr;
    if (memory_stream_for_ogg_decode(bytes.data(), uint32_t(bytes.size()), &handle) != OGG_DECODE_OK) return out;
    std::vector<char> buffer(8192);
    int channels = 1, holes = 0, bad = 0;
    long rate = 0;
    for (;;) {
        long n =
            ogg_decode_one_vorbis_packet(handle, buffer.data(), int(buffer.size()), 16, &channels, &rate, &holes, &bad);
        if (n <= 0) break;
        const int16_t* s = reinterpret_cast<const int16_t*>(buffer.data());
        for (long i = 0; i < n / 2; i += channels) out.push_back(s[i] / 32768.0f);
    }
    final_ogg_cleanup(handle);
    std::free(handle);
    return out;
}

// Every sound of the pack, decoded once for all tests of this file.
class PackSounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_clips = new std::map<std::string, std::vector<float>>;
        host::HeadlessHost quiet;
        ResourceArchive archive;
        archive.OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
        for (const ZipEntry& e : archive.m_lstArchiveEntries) {
            std::string n;
            for (const char16_t* c = e.name; *c; ++c) n += char(*c < 0x80 ? *c : '?');
            if (n.size() < 4 || n.compare(n.size() - 4, 4, ".ogg") != 0) continue;
            void* block = nullptr;
            uint32_t size = 0;
            if (!archive.UnzipItem(n.c_str(), &size, &block, 0)) continue;
            std::vector<uint8_t> bytes(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + size);
            std::free(block);
            for (char& c : n)
                if (c == '/') c = '\\';
            (*s_clips)[n] = DecodeOgg(bytes);
        }
    }
    static void TearDownTestSuite() {
        delete s_clips;
        s_clips = nullptr;
    }
    static const std::vector<float>& Clip(const std::string& name) {
        static const std::vector<float> kNone;
        auto it = s_clips->find(name);
        return it == s_clips->end() ? kNone : it->second;
    }
    static std::map<std::string, std::vector<float>>* s_clips;
};

std::map<std::string, std::vector<float>>* PackSounds::s_clips = nullptr;

bool IsEffect(const std::string& name) { return name.find("\\BGM\\") == std::string::npos; }

double Db(double v) { return 20.0 * std::log10(std::max(v, 1e-9)); }

double Rms(const std::vector<float>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = 0; i < count; ++i) {
        double v = s[(from + i) % s.size()];
        sum += v * v;
    }
    return count ? std::sqrt(sum / double(count)) : 0.0;
}

double Peak(const std::vector<float>& s) {
    double p = 0;
    for (float v : s) p = std::max(p, double(std::fabs(v)));
    return p;
}

// Loudness of an effect: the RMS of its loudest 50 ms, so short and long
// sounds compare by what the ear meets.
double LoudestDb(const std::vector<float>& s) {
    const size_t w = kRate / 20;
    if (s.size() <= w) return Db(Rms(s, 0, s.size()));
    double best = 0;
    for (size_t at = 0; at + w <= s.size(); at += w / 4) best = std::max(best, Rms(s, at, w));
    return Db(best);
}

// The click measure. A step is |x[i+1] - x[i]|; the typical step around it is
// the larger of the median step of the whole clip and the upper quartile (75th
// percentile) of the steps over the 9216 steps (about 420 ms) centred on its
// block of 1024, wrapping round when the clip is a loop. A click is a step
// above four times that: a wave cut or restarted mid-swing jumps by a good
// share of its height, tens of typical steps. Returns the worst ratio over the steps [from, to) of the
// sequence (the whole clip when to is 0).
struct StepReport {
    double worst = 0;   // highest step / typical step
    size_t at = 0;      // where
    double global = 0;  // highest step / median step of the whole clip, for the record
};

StepReport WorstStep(const std::vector<float>& s, bool circular, size_t from = 0, size_t to = 0) {
    StepReport r;
    const size_t n = s.size();
    if (n < 4096) return r;
    const size_t steps = circular ? n : n - 1;
    std::vector<float> step(steps);
    for (size_t i = 0; i < steps; ++i) step[i] = std::fabs(s[(i + 1) % n] - s[i]);
    const size_t block = 1024;
    const size_t blocks = (steps + block - 1) / block;
    std::vector<float> typical(blocks);
    std::vector<float> window;
    for (size_t b = 0; b < blocks; ++b) {
        window.clear();
        long first = long(b * block) - 4 * long(block), last = long(b * block + 5 * block);
        for (long i = first; i < last; ++i) {
            if (circular) window.push_back(step[size_t((i % long(steps) + long(steps)) % long(steps))]);
            else if (i >= 0 && i < long(steps)) window.push_back(step[size_t(i)]);
        }
        const size_t quartile = window.size() * 3 / 4;
        std::nth_element(window.begin(), window.begin() + long(quartile), window.end());
        typical[b] = window[quartile];
    }
    std::vector<float> all = step;
    std::nth_element(all.begin(), all.begin() + long(all.size() / 2), all.end());
    const float median = std::max(all[all.size() / 2], 1.0f / 32768.0f);
    for (float& t : typical) t = std::max(t, median);
    if (to == 0 || to > steps) to = steps;
    for (size_t i = from; i < to; ++i) {
        double ratio = step[i] / typical[i / block];
        if (ratio > r.worst) {
            r.worst = ratio;
            r.at = i;
        }
        r.global = std::max(r.global, double(step[i] / median));
    }
    return r;
}

// A join's step against the median step of the 100 ms on either side of it
// (a's last sample into b's first): about 1 where one part flows into the
// other, the music's own steps. A seam the codec leaves measures several.
double JoinStep(const std::vector<float>& a, const std::vector<float>& b) {
    const size_t around = kRate / 10;
    if (a.size() <= around || b.size() <= around) return 1e9;
    std::vector<float> steps;
    for (size_t i = a.size() - around; i < a.size(); ++i) steps.push_back(std::fabs(a[i] - a[i - 1]));
    for (size_t i = 1; i <= around; ++i) steps.push_back(std::fabs(b[i] - b[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() / 2), steps.end());
    return std::fabs(b[0] - a.back()) / std::max(steps[steps.size() / 2], 1.0f / 32768.0f);
}

// A dip at a join: the RMS of the 20 ms centred on the join against the
// quietest of the 20-ms windows centred 30 and 50 ms before and after it. A
// fade at the ends of a part lowers the join's window (the old 9-ms fades by
// 4 dB and more); a change of level lies between its neighbours.
double JoinDipDb(const std::vector<float>& s, size_t join) {
    const long w = kRate / 50, n = long(s.size());
    auto level = [&](long centre) { return Rms(s, size_t(((centre - w / 2) % n + n) % n), size_t(w)); };
    double quietest = 1e9;
    for (long ms : {-50, -30, 30, 50}) quietest = std::min(quietest, level(long(join) + ms * kRate / 1000));
    return Db(quietest) - Db(level(long(join)));
}

// Fingerprint of a sound: its long-term spectrum in sixth-octave bands from
// 60 Hz to 10 kHz (dB, mean removed, so loudness alone does not tell two
// sounds apart) and its level over time in 20-ms steps for the first second
// (dB under its own peak, floored at -40).
struct Fingerprint {
    std::vector<double> spectrum, envelope;
};

void Fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> w(std::cos(-2 * M_PI / double(len)), std::sin(-2 * M_PI / double(len)));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> u(1, 0);
            for (size_t k = 0; k < len / 2; ++k) {
                std::complex<double> x = a[i + k], y = a[i + k + len / 2] * u;
                a[i + k] = x + y;
                a[i + k + len / 2] = x - y;
                u *= w;
            }
        }
    }
}

// The power spectrum summed over Hann-windowed frames a hop apart.
std::vector<double> PowerSpectrum(const std::vector<float>& s, size_t frame, size_t hop) {
    std::vector<double> power(frame / 2, 0.0);
    std::vector<std::complex<double>> a(frame);
    for (size_t at = 0; at < std::max<size_t>(s.size(), 1); at += hop) {
        for (size_t i = 0; i < frame; ++i) {
            double hann = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(frame));
            a[i] = at + i < s.size() ? s[at + i] * hann : 0.0;
        }
        Fft(a);
        for (size_t k = 0; k < frame / 2; ++k) power[k] += std::norm(a[k]);
        if (at + frame >= s.size()) break;
    }
    return power;
}

Fingerprint Print(const std::vector<float>& s) {
    Fingerprint f;
    const size_t frame = 1024;
    const std::vector<double> power = PowerSpectrum(s, frame, 512);
    double total = 0;
    for (double p : power) total += p;
    for (double lo = 60.0; lo < 10000.0; lo *= std::pow(2.0, 1.0 / 6.0)) {
        double hi = lo * std::pow(2.0, 1.0 / 6.0), sum = 0;
        for (size_t k = 0; k < frame / 2; ++k) {
            double hz = double(k) * kRate / double(frame);
            if (hz >= lo && hz < hi) sum += power[k];
        }
        f.spectrum.push_back(10.0 * std::log10(sum / std::max(total, 1e-12) + 1e-7));
    }
    double mean = 0;
    for (double v : f.spectrum) mean += v;
    mean /= double(f.spectrum.size());
    for (double& v : f.spectrum) v -= mean;
    const size_t w = kRate / 50;
    double peak = 1e-9;
    std::vector<double> level;
    for (size_t at = 0; at < size_t(kRate); at += w) {
        double r = at < s.size() ? Rms(s, at, std::min(w, s.size() - at)) : 0.0;
        level.push_back(r);
        peak = std::max(peak, r);
    }
    for (double r : level) f.envelope.push_back(std::max(-40.0, Db(r / peak)));
    return f;
}

// How far apart two sounds are: the RMS difference of their spectra (dB) plus
// half the RMS difference of their envelopes (dB). Two sounds closer than
// kAlike are the same sound to the ear: two clips of one recipe a few
// semitones apart measure 1 to 3, a pack of one-recipe whistles has hundreds
// of pairs under 6; sounds of different kinds measure 10 and more.
constexpr double kAlike = 6.0;

double Distance(const Fingerprint& a, const Fingerprint& b) {
    auto rmsDiff = [](const std::vector<double>& x, const std::vector<double>& y) {
        double sum = 0;
        for (size_t i = 0; i < x.size(); ++i) sum += (x[i] - y[i]) * (x[i] - y[i]);
        return std::sqrt(sum / double(x.size()));
    };
    return rmsDiff(a.spectrum, b.spectrum) + 0.5 * rmsDiff(a.envelope, b.envelope);
}

struct MusicPiece {
    const char* use;
    const char* intro;  // empty when the game plays the loop alone
    const char* loop;
};

// The music as the game loads it: menu, the battles of the three episodes and
// of the mini-games, the two endings of a battle, and the story.
const MusicPiece kPieces[] = {
    {"menu", "BGM_Menu_Intro.ogg", "BGM_Menu_Loop.ogg"},
    {"episode 1", "BGM_Gameplay1_Intro.ogg", "BGM_Gameplay1_Loop.ogg"},
    {"episode 2", "BGM_Gameplay2_Intro.ogg", "BGM_Gameplay2_Loop.ogg"},
    {"episode 3", "BGM_Gameplay3_Intro.ogg", "BGM_Gameplay3_Loop.ogg"},
    {"mini-games", "BGM_GameplayMiniGame_Intro.ogg", "BGM_GameplayMiniGame_Loop.ogg"},
    {"victory", "BGM_Victory_Intro.ogg", "BGM_Victory_Loop.ogg"},
    {"game over", "BGM_Gameover_Intro.ogg", "BGM_Gameover_Loop.ogg"},
    {"story", "", "BGM_Story.ogg"},
};

}  // namespace

// Every piece loops for 30 s and more without a click; its loop's wrap and
// the intro's step into the loop, as decoded, are steps of the music's own.
TEST_F(PackSounds, EveryMusicLoopLastsThirtySecondsAndNeverClicks) {
    for (const MusicPiece& p : kPieces) {
        SCOPED_TRACE(p.use);
        const std::vector<float>& loop = Clip(std::string(kBgm) + p.loop);
        ASSERT_FALSE(loop.empty()) << p.loop;
        EXPECT_GE(loop.size(), size_t(30 * kRate)) << "the loop lasts " << double(loop.size()) / kRate << " s";
        StepReport inside = WorstStep(loop, true, 0, loop.size() - 1);
        const double wrap = JoinStep(loop, loop);
        EXPECT_LE(inside.worst, 4.0) << "a click at " << double(inside.at) / kRate << " s";
        EXPECT_LE(wrap, 2.0) << "the loop's end does not flow into its start";
        EXPECT_LE(JoinDipDb(loop, 0), 3.0) << "the loop dips where it joins itself";
        std::printf(
            "[music] %-10s loop %.2f s, worst step inside %.2fx (%.2fx the piece's median), at the wrap %.2fx "
            "(dip %.1f dB)",
            p.use, double(loop.size()) / kRate, inside.worst, inside.global, wrap, JoinDipDb(loop, 0));
        if (*p.intro) {
            const std::vector<float>& intro = Clip(std::string(kBgm) + p.intro);
            ASSERT_FALSE(intro.empty()) << p.intro;
            std::vector<float> joined = intro;
            joined.insert(joined.end(), loop.begin(), loop.begin() + std::min<long>(long(loop.size()), 2 * kRate));
            StepReport inIntro = WorstStep(joined, false, 0, intro.size() - 1);
            const double join = JoinStep(intro, loop);
            EXPECT_LE(inIntro.worst, 4.0) << "a click in the intro at " << double(inIntro.at) / kRate << " s";
            EXPECT_LE(join, 2.0) << "the intro does not flow into the loop";
            EXPECT_LE(JoinDipDb(joined, intro.size()), 3.0) << "the intro dips into the loop";
            std::printf(", intro %.2f s, worst inside %.2fx, intro->loop %.2fx", double(intro.size()) / kRate,
                        inIntro.worst, join);
        }
        std::printf("\n");
    }
}

TEST_F(PackSounds, EightMusicPiecesEachItsOwn) {
    std::vector<Fingerprint> prints;
    for (const MusicPiece& p : kPieces) prints.push_back(Print(Clip(std::string(kBgm) + p.loop)));
    double closest = 1e9;
    for (size_t a = 0; a < prints.size(); ++a)
        for (size_t b = a + 1; b < prints.size(); ++b) {
            // Only the spectrum: every loop is level for its first second. One
            // piece played for two uses measures 0; pieces in other keys, with
            // other instruments, measure 2.5 and more.
            double d = Distance(Fingerprint{prints[a].spectrum, {0}}, Fingerprint{prints[b].spectrum, {0}});
            closest = std::min(closest, d);
            EXPECT_GE(d, 2.0) << kPieces[a].use << " sounds like " << kPieces[b].use;
            EXPECT_FALSE(Clip(std::string(kBgm) + kPieces[a].loop) == Clip(std::string(kBgm) + kPieces[b].loop))
                << kPieces[a].use << " and " << kPieces[b].use << " play the same samples";
        }
    std::printf("[music] closest two pieces: %.2f dB apart in spectrum\n", closest);
}

TEST_F(PackSounds, NoTwoEffectsAlike) {
    std::vector<std::string> names;
    std::vector<Fingerprint> prints;
    for (const auto& [name, samples] : *s_clips) {
        if (!IsEffect(name)) continue;
        names.push_back(name);
        prints.push_back(Print(samples));
    }
    ASSERT_GE(names.size(), 250u);
    double closest = 1e9;
    size_t ca = 0, cb = 0;
    int alike = 0;
    for (size_t a = 0; a < prints.size(); ++a)
        for (size_t b = a + 1; b < prints.size(); ++b) {
            double d = Distance(prints[a], prints[b]);
            if (d < closest) {
                closest = d;
                ca = a;
                cb = b;
            }
            if (d < kAlike) {
                ++alike;
                if (alike <= 20) ADD_FAILURE() << names[a] << " and " << names[b] << " are alike (" << d << ")";
            }
        }
    EXPECT_EQ(alike, 0) << "pairs of effects alike";
    std::vector<double> all;
    for (size_t a = 0; a < prints.size(); ++a)
        for (size_t b = a + 1; b < prints.size(); ++b) all.push_back(Distance(prints[a], prints[b]));
    std::sort(all.begin(), all.end());
    std::printf("[effects] the five closest pairs: %.2f %.2f %.2f %.2f %.2f; median pair %.2f\n", all[0], all[1],
                all[2], all[3], all[4], all[all.size() / 2]);
    std::printf("[effects] %zu effects, closest pair %s / %s at %.2f\n", names.size(), names[ca].c_str(),
                names[cb].c_str(), closest);
}

// Louder roles over quieter ones, by at least the margin the ear needs.
TEST_F(PackSounds, LoudnessFollowsTheSoundsRole) {
    struct Row {
        const char* rule;
        const char* quieter;
        const char* louder;
        double margin;  // dB
    };
    const Row kRows[] = {
        {"the button click is far under the earthquake", "Menu\\SFX_BtnClick.ogg", "Ambient\\Sfx_Earthquake.ogg", 10},
        {"the button click is far under a death", "Menu\\SFX_BtnClick.ogg", "Game\\SFX_Death1.ogg", 12},
        {"typing is under a gun shot", "Menu\\Sfx_Type.ogg", "Weapon\\W0000-1.ogg", 6},
        {"the message box is far under the boss's bomb", "Menu\\SFX_MsgBox.ogg", "Game\\SFX_DestroyerBomb.ogg", 10},
        {"a gun shot is under the Destroyer's end", "Weapon\\W0000-1.ogg", "Game\\SFX_DestroyerDead.ogg", 6},
        {"a bullet's hit is under a bomb's blast", "Weapon\\W0000-2.ogg", "Weapon\\W0011-2.ogg", 6},
        {"a pick-up is under a crash", "Game\\SFX_PickEnergy.ogg", "Game\\SFX_CarrierCrash.ogg", 6},
        {"the error is under the alarm", "Menu\\SFX_Error.ogg", "Game\\SFX_Alarm.ogg", 3},
        {"a robot's voice is under its death", "Robot\\0001-1.ogg", "Game\\SFX_Death2.ogg", 6},
    };
    for (const Row& row : kRows) {
        const std::vector<float>& q = Clip(std::string("Resource\\Sound\\SFX\\") + row.quieter);
        const std::vector<float>& l = Clip(std::string("Resource\\Sound\\SFX\\") + row.louder);
        ASSERT_FALSE(q.empty() || l.empty()) << row.rule;
        EXPECT_GE(LoudestDb(l) - LoudestDb(q), row.margin)
            << row.rule << ": " << LoudestDb(q) << " dB against " << LoudestDb(l) << " dB";
        std::printf("[role] %-48s %6.1f dB under %6.1f dB\n", row.rule, LoudestDb(q), LoudestDb(l));
    }
}

TEST_F(PackSounds, LevelsLeaveHeadroomAndTheMusicSitsWithTheEffects) {
    std::vector<double> effects;
    double loudest = -200, quietest = 200;
    for (const auto& [name, s] : *s_clips) {
        if (!IsEffect(name)) continue;
        EXPECT_LE(Db(Peak(s)), -6.0) << name << " peaks too near full scale";
        double l = LoudestDb(s);
        effects.push_back(l);
        loudest = std::max(loudest, l);
        quietest = std::min(quietest, l);
    }
    ASSERT_FALSE(effects.empty());
    std::nth_element(effects.begin(), effects.begin() + long(effects.size() / 2), effects.end());
    const double median = effects[effects.size() / 2];
    for (const MusicPiece& p : kPieces) {
        const std::vector<float>& loop = Clip(std::string(kBgm) + p.loop);
        ASSERT_FALSE(loop.empty());
        double rms = Db(Rms(loop, 0, loop.size())), peak = Db(Peak(loop));
        // The music sits under the effects it plays with: its RMS no higher
        // than the median effect's loudest 50 ms (shots and hits then stand
        // over it in a battle), and not so far under that it is lost.
        EXPECT_GE(rms, -24.0) << p.use;
        EXPECT_LE(rms, -18.0) << p.use;
        EXPECT_LE(peak, -3.0) << p.use << " peaks too near full scale";
        EXPECT_LE(rms - median, 1.0) << p.use << " over the effects' median " << median;
        EXPECT_GE(rms - median, -6.0) << p.use << " far under the effects' median " << median;
        std::printf("[levels] %-10s music RMS %.1f dBFS, peak %.1f dBFS\n", p.use, rms, peak);
    }
    std::printf("[levels] effects: loudest 50 ms from %.1f to %.1f dBFS, median %.1f\n", quietest, loudest, median);
}

// Rain, water, wind and the earthquake loop under a battle: a steady texture
// that wraps round with no click and no dip, not a tone struck again.
TEST_F(PackSounds, WeatherLoopsAreSeamlessTextures) {
    for (const char* name : {"Sfx_Rain.ogg", "Sfx_Water.ogg", "Sfx_Wind.ogg", "Sfx_Earthquake.ogg"}) {
        SCOPED_TRACE(name);
        const std::vector<float>& s = Clip(std::string("Resource\\Sound\\SFX\\Ambient\\") + name);
        ASSERT_GE(s.size(), size_t(kRate));
        StepReport wrap = WorstStep(s, true, s.size() - 1, s.size());
        EXPECT_LE(wrap.worst, 4.0) << "the wrap clicks";
        EXPECT_LE(JoinDipDb(s, 0), 3.0) << "the wrap dips";
        const size_t w = kRate / 10;
        double lo = 1e9, hi = 0;
        for (size_t at = 0; at + w <= s.size(); at += w) {
            lo = std::min(lo, Rms(s, at, w));
            hi = std::max(hi, Rms(s, at, w));
        }
        EXPECT_LE(Db(hi) - Db(lo), 10.0) << "the level swings like a struck tone";
        std::printf("[weather] %-18s %.2f s, wrap step %.2fx, 100-ms level range %.1f dB\n", name,
                    double(s.size()) / kRate, wrap.worst, Db(hi) - Db(lo));
    }
}

namespace {

// The long-term spectrum in semitone bands from 50 Hz to 10 kHz (dB, share
// of the whole), the spectrum's centroid (Hz), the shares of the energy under
// 250 Hz (a body) and over 2 and 2.3 kHz, where a sound is bright or
// muffled, and the largest share of
// the energy over 2.3 kHz that any 100-Hz band holds: near 1 when one tone
// stands in for brightness, small for a crack or a roar of broad noise.
struct Spectrum {
    std::vector<double> bands;
    double centroid = 0;
    double under250 = 0;
    double over2k = 0;
    double high = 0;
    double toneUpHigh = 0;
};

Spectrum SemitoneSpectrum(const std::vector<float>& s) {
    const size_t frame = 2048;
    // Half a frame of silence on either side: the first frame is centred on
    // the clip's first sample, so its attack weighs as much as its tail.
    std::vector<float> padded(frame / 2, 0.0f);
    padded.insert(padded.end(), s.begin(), s.end());
    padded.resize(padded.size() + frame / 2, 0.0f);
    const std::vector<double> power = PowerSpectrum(padded, frame, frame / 2);
    Spectrum out;
    double total = 0, moment = 0;
    double high = 0;
    double over2k = 0, under250 = 0;
    for (size_t k = 1; k < frame / 2; ++k) {
        const double hz = double(k) * kRate / double(frame);
        total += power[k], moment += power[k] * hz;
        if (hz < 250.0) under250 += power[k];
        if (hz >= 2000.0) over2k += power[k];
        if (hz >= 2300.0) high += power[k];
    }
    out.centroid = moment / std::max(total, 1e-12);
    out.over2k = over2k / std::max(total, 1e-12);
    out.under250 = under250 / std::max(total, 1e-12);
    out.high = high / std::max(total, 1e-12);
    const size_t first = size_t(std::ceil(2300.0 * double(frame) / kRate)),
                 width = size_t(100.0 * double(frame) / kRate);
    for (size_t k = first; k + width < frame / 2; ++k) {
        double band = 0;
        for (size_t j = k; j < k + width; ++j) band += power[j];
        out.toneUpHigh = std::max(out.toneUpHigh, band / std::max(high, 1e-12));
    }
    for (double lo = 50.0; lo < 10000.0; lo *= std::pow(2.0, 1.0 / 12.0)) {
        double hi = lo * std::pow(2.0, 1.0 / 12.0), sum = 0;
        for (size_t k = 0; k < frame / 2; ++k) {
            double hz = double(k) * kRate / double(frame);
            if (hz >= lo && hz < hi) sum += power[k];
        }
        out.bands.push_back(10.0 * std::log10(sum / std::max(total, 1e-12) + 1e-7));
    }
    return out;
}

}  // namespace

// Where an effect's energy sits tells what it is: a gun's report cracks over
// the thump of its body and its hit cracks, a blast roars up high over its
// boom, a melee blow thuds, and a rumble meant for small speakers reaches
// past 100 Hz. A crack, a roar or a shimmer is broad: no 100-Hz band holds a
// quarter of its energy over 2.3 kHz, as one tone ringing up there would.
TEST_F(PackSounds, EffectsSitWhereTheirNamesSay) {
    struct Row {
        const char* rule;
        const char* clip;
        double lowest, highest;  // centroid, Hz
        double over2k;           // least share of the energy over 2 kHz
        double body;             // least share under 250 Hz
        bool broad;              // its top is noise, not a tone
    };
    const Row kRows[] = {
        {"gun 0's shot cracks over a thump", "Weapon\\W0000-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"gun 2's shot cracks over a thump", "Weapon\\W0002-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"gun 16's shot cracks over a thump", "Weapon\\W0016-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"gun 25's shot cracks over a thump", "Weapon\\W0025-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"a Machine's gun 1005 cracks over a thump", "Weapon\\W1005-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"a Machine's gun 1012 cracks over a thump", "Weapon\\W1012-1.ogg", 1000, 5000, 0.1, 0.12, true},
        {"gun 0's round hits with a spat", "Weapon\\W0000-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"gun 2's round hits with a spat", "Weapon\\W0002-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"gun 16's round hits with a spat", "Weapon\\W0016-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"gun 25's round hits with a spat", "Weapon\\W0025-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"gun 1005's round hits with a spat", "Weapon\\W1005-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"gun 1012's round hits with a spat", "Weapon\\W1012-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"the sniper's rifle cracks bright over its kick", "Weapon\\W0024-1.ogg", 1000, 4000, 0.1, 0.1, true},
        {"the sniper's round ricochets", "Weapon\\W0024-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"the heal's hit chimes over a shimmer", "Weapon\\W0015-2.ogg", 1000, 4000, 0.1, 0.0, true},
        {"the electric gun's arc snaps, not hums", "Weapon\\W0012-1.ogg", 1000, 5000, 0.1, 0.0, true},
        {"the electric gun's hit sparks, not hums", "Weapon\\W0012-2.ogg", 1000, 5000, 0.1, 0.0, true},
        {"a robot's small death roars up high", "Game\\SFX_Death2.ogg", 800, 3000, 0.1, 0.0, true},
        {"a robot's death roars up high", "Game\\SFX_Death1.ogg", 800, 3000, 0.1, 0.0, true},
        {"a cannon's shell bursts up high", "Weapon\\W0001-2.ogg", 800, 3000, 0.08, 0.0, true},
        {"a missile's blast roars up high", "Weapon\\W0013-2.ogg", 800, 3000, 0.08, 0.0, true},
        {"a bomb's blast roars up high", "Weapon\\W0004-2.ogg", 800, 3000, 0.08, 0.0, true},
        {"the nuke roars up high", "Weapon\\W0022-2.ogg", 800, 3000, 0.08, 0.0, true},
        {"a charge's blast roars up high", "Weapon\\W0011-2.ogg", 800, 3500, 0.08, 0.0, true},
        {"the carrier's crash roars up high", "Game\\SFX_CarrierCrash.ogg", 800, 3000, 0.08, 0.0, true},
        {"the Destroyer's hand strikes broad", "MiniGame\\SFX_DestroyerHandAttack.ogg", 800, 3000, 0.08, 0.0, true},
        {"the Destroyer's death roars over its blasts", "Game\\SFX_DestroyerDead.ogg", 800, 3500, 0.1, 0.0, true},
        {"the boss's bomb whistles in over its blast", "Game\\SFX_DestroyerBomb.ogg", 700, 3500, 0.1, 0.0, true},
        {"the earthquake's rumble has a body above 100 Hz", "Ambient\\Sfx_Earthquake.ogg", 100, 400, 0.0, 0.0, false},
        {"a melee blow thuds", "Weapon\\W1000-2.ogg", 150, 1200, 0.0, 0.0, false},
        {"a torpedo bursts muffled by the water", "Weapon\\W0018-2.ogg", 100, 700, 0.0, 0.0, false},
    };
    for (const Row& row : kRows) {
        const std::vector<float>& s = Clip(std::string("Resource\\Sound\\SFX\\") + row.clip);
        ASSERT_FALSE(s.empty()) << row.rule;
        const Spectrum spectrum = SemitoneSpectrum(s);
        EXPECT_GE(spectrum.centroid, row.lowest) << row.rule;
        EXPECT_LE(spectrum.centroid, row.highest) << row.rule;
        EXPECT_GE(spectrum.over2k, row.over2k) << row.rule;
        EXPECT_GE(spectrum.under250, row.body) << row.rule << ": no body under it";
        if (row.broad) {
            EXPECT_LT(spectrum.toneUpHigh, 0.25) << row.rule << ": one tone holds its top";
        }
        std::printf(
            "[centroid] %-50s %6.0f Hz, %4.1f %% under 250 Hz, %4.1f %% over 2 kHz, %4.1f %% over 2.3 kHz, %3.0f %% "
            "of that in one band\n",
            row.rule, spectrum.centroid, 100.0 * spectrum.under250, 100.0 * spectrum.over2k, 100.0 * spectrum.high,
            100.0 * spectrum.toneUpHigh);
    }
    // No tone stands in for brightness anywhere: an effect with a share of
    // its energy up high has it spread, not in one partial.
    int toned = 0;
    for (const auto& [name, samples] : *s_clips) {
        if (!IsEffect(name)) continue;
        const Spectrum spectrum = SemitoneSpectrum(samples);
        if (spectrum.high >= 0.01 && spectrum.toneUpHigh >= 0.5 && ++toned <= 12)
            ADD_FAILURE() << name << ": " << 100.0 * spectrum.toneUpHigh << " % of its top in one 100-Hz band";
    }
    EXPECT_EQ(toned, 0) << "effects whose top is one tone";
}

// Two effects of one recipe must differ by more than pitch: each pair's
// spectra compared with one moved by one to three semitones (and their
// envelopes as in NoTwoEffectsAlike) stay kAlike apart.
TEST_F(PackSounds, NoEffectIsAnotherMovedAFewSemitones) {
    std::vector<std::string> names;
    std::vector<Spectrum> spectra;
    std::vector<Fingerprint> prints;
    for (const auto& [name, samples] : *s_clips) {
        if (!IsEffect(name)) continue;
        names.push_back(name);
        spectra.push_back(SemitoneSpectrum(samples));
        prints.push_back(Print(samples));
    }
    ASSERT_GE(names.size(), 250u);
    double closest = 1e9;
    int alike = 0;
    for (size_t a = 0; a < names.size(); ++a)
        for (size_t b = a + 1; b < names.size(); ++b) {
            const std::vector<double>&x = spectra[a].bands, &y = spectra[b].bands;
            double spectrum = 1e9;
            for (int shift : {-3, -2, -1, 1, 2, 3}) {
                double sum = 0;
                size_t n = 0;
                for (size_t i = 3; i + 3 < x.size(); ++i, ++n) sum += (x[i] - y[i + shift]) * (x[i] - y[i + shift]);
                spectrum = std::min(spectrum, std::sqrt(sum / double(n)));
            }
            double envelope = 0;
            for (size_t i = 0; i < prints[a].envelope.size(); ++i)
                envelope += std::pow(prints[a].envelope[i] - prints[b].envelope[i], 2);
            const double d = spectrum + 0.5 * std::sqrt(envelope / double(prints[a].envelope.size()));
            closest = std::min(closest, d);
            if (d < kAlike && ++alike <= 20)
                ADD_FAILURE() << names[a] << " is " << names[b] << " moved in pitch (" << d << ")";
        }
    EXPECT_EQ(alike, 0) << "pairs of effects alike but for pitch";
    std::printf("[effects] closest pair but for pitch: %.2f\n", closest);
}

namespace {

// The clip played a semitone higher, as a voice at a higher rate plays it:
// shorter by the same ratio (linear interpolation).
std::vector<float> SemitoneHigher(const std::vector<float>& s) {
    std::vector<float> out;
    const double ratio = std::pow(2.0, 1.0 / 12.0);
    for (double at = 0; at + 1 < double(s.size()); at += ratio) {
        const size_t i = size_t(at);
        const double f = at - double(i);
        out.push_back(float(s[i] * (1.0 - f) + s[i + 1] * f));
    }
    return out;
}

}  // namespace

// The ear's own test of "the same sound a semitone higher": a clip played a
// semitone higher lies some distance from itself, little for a noise, more
// for a voice. Two effects are alike when one of them played a semitone
// higher comes within kAlike of the other and within half as much again as
// either clip's own distance from itself a semitone up. Robot voices made by
// one recipe with a pitch step by their number measured 4.8 and 5.1 against
// selves of 4.3 to 4.9, and two melee blows 5.8 against 4.6.
TEST_F(PackSounds, NoEffectIsAnotherPlayedASemitoneHigher) {
    std::vector<std::string> names;
    std::vector<Fingerprint> prints, higher;
    std::vector<double> self;
    for (const auto& [name, samples] : *s_clips) {
        if (!IsEffect(name) || name.find("\\Ambient\\") != std::string::npos) continue;
        names.push_back(name);
        prints.push_back(Print(samples));
        higher.push_back(Print(SemitoneHigher(samples)));
        self.push_back(Distance(prints.back(), higher.back()));
    }
    ASSERT_GE(names.size(), 250u);
    double closest = 1e9;
    int alike = 0;
    for (size_t a = 0; a < names.size(); ++a)
        for (size_t b = a + 1; b < names.size(); ++b) {
            const double d = std::min(Distance(higher[a], prints[b]), Distance(prints[a], higher[b]));
            closest = std::min(closest, d);
            if (d < kAlike && d < 1.5 * std::max(self[a], self[b]) && ++alike <= 20)
                ADD_FAILURE() << names[a] << " and " << names[b] << " a semitone apart are alike (" << d
                              << ", against themselves " << self[a] << " and " << self[b] << ")";
        }
    EXPECT_EQ(alike, 0) << "pairs of effects alike a semitone apart";
    std::printf("[effects] closest pair a semitone apart: %.2f\n", closest);
    // Pairs a player meets side by side, and once heard as one: each lies
    // farther from the other than either from itself a semitone up.
    const std::pair<const char*, const char*> kNeighbours[] = {
        {"Weapon\\W0006-2.ogg", "Weapon\\W1003-2.ogg"},  // two flames landing
        {"Robot\\0008-1.ogg", "Robot\\0036-1.ogg"},      // two robots stepping on
    };
    for (const auto& [first, second] : kNeighbours) {
        const auto at = [&names](const char* clip) {
            return size_t(std::find(names.begin(), names.end(), std::string("Resource\\Sound\\SFX\\") + clip) -
                          names.begin());
        };
        const size_t a = at(first), b = at(second);
        ASSERT_LT(std::max(a, b), names.size()) << first << " " << second;
        const double d =
            std::min({Distance(prints[a], prints[b]), Distance(higher[a], prints[b]), Distance(prints[a], higher[b])});
        EXPECT_GT(d, std::max(self[a], self[b])) << first << " and " << second << " are alike";
        std::printf("[effects] %s / %s: %.2f apart, %.2f and %.2f from themselves a semitone up\n", first, second, d,
                    self[a], self[b]);
    }
}
