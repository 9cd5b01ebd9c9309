#include "battle/effects/BannerTimeline.h"

BannerPhase PhaseAt(int elapsed, const int* lengths, int n) {
    int start = 0;
    for (int i = 0; i < n; ++i) {
        if (elapsed < start + lengths[i]) return {i, elapsed - start};
        start += lengths[i];
    }
    return {n, elapsed - start};
}

BannerLook StageTitleLook(int elapsed, int own) {
    static const int kPhases[] = {10, 10, 10, 10, 10, 110, 20};
    const BannerPhase p = PhaseAt(elapsed, kPhases, 7);
    BannerLook look;
    if (p.phase < own || p.phase >= 7) return look;
    look.drawn = true;
    if (p.phase == own) look.scale = 2.0f - float(p.frame) / 10.0f;
    if (p.phase == 6) look.alpha = 1.0f - float(p.frame) / 20.0f;
    return look;
}

StageTitleNumbers StageTitleOf(int stage) {
    StageTitleNumbers n;
    n.area = ((stage - 1) % 50) / 10 + 1;
    n.digit = ((stage - 1) % 10) % 9 + 1;
    n.tenth = stage % 10 == 0;
    return n;
}

CountdownLook CountdownAt(int elapsed, int life) {
    // Thousandths of the banner's time, in integers so that the sound frames
    // do not depend on rounding.
    const int m = life > 0 ? 1000 * elapsed / life : 0;
    CountdownLook c;
    c.picture = m / 250 < 3 ? m / 250 : 3;
    const int p = m % 250;
    c.look.drawn = true;
    if (p < 100) {
        c.look.alpha = float(p) / 100.0f;
        c.look.scale = 1.0f + (1.0f - float(p) / 100.0f) * 0.5f;
    }
    c.sound = p == 50;
    return c;
}

BannerLook MissLook(int elapsed) {
    static const int kPhases[] = {10, 60, 10};
    const BannerPhase p = PhaseAt(elapsed, kPhases, 3);
    BannerLook look;
    look.drawn = p.phase < 3;
    if (p.phase == 0) look.scale = 2.0f - float(p.frame) / 10.0f;
    if (p.phase == 2) look.alpha = 1.0f - float(p.frame) / 10.0f;
    return look;
}
