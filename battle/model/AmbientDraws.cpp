#include "battle/model/AmbientDraws.h"

#include "content/StageKinds.h"
#include "platform/Random.h"

bool IsFastWaterStage(int stage) { return ModeOf(stage) == MiniGameMode::BossDuel; }

FlowerRoll RollFlower() { return FlowerRoll{float(VxRand() % 4) * 0.2f + 0.5f}; }

GreenBallRoll RollGreenBall() { return GreenBallRoll{float(VxRand() % 3) * 0.5f + 2.0f}; }

SandWindRoll RollSandWind() {
    SandWindRoll r;
    r.row = VxRand() % 4;
    r.speedX = float(VxRand() % 4) * 2.0f + 10.0f;
    r.speedY = float(VxRand() % 4) * 0.5f;
    r.alpha = float(VxRand() % 3) * 0.05f + 0.5f;
    r.scale = float(VxRand() % 3) * 0.2f + 1.0f;
    return r;
}

FishRoll RollFish() {
    FishRoll r;
    r.kind = VxRand() % FISH_KINDS;
    r.direction = VxRand() % 2 == 0 ? -1 : 1;
    r.bubblePeriod = VxRand() % 5 + 3;
    r.speed = float(VxRand() % 3) * 0.5f + 1.5f;
    r.offset = VxRand() % 3;
    return r;
}

SnowRoll RollSnow() { return SnowRoll{VxRand()}; }

MeteorRoll RollMeteor() {
    MeteorRoll r;
    r.speed = float(VxRand() % 4) * 2.0f + 7.0f;
    r.brightness = float(VxRand() % 3) * 0.05f + 0.8f;
    r.stretch = VxRand() % 5;
    r.direction = VxRand() % 10;
    return r;
}

SpikeRoll RollSpike() {
    SpikeRoll r;
    for (int& h : r.heights) h = (VxRand() % 10) * 10;
    r.hold = VxRand() % 4;
    return r;
}

StreakRolls RollStreaks() {
    StreakRolls r;
    for (int n = 0; n < STREAKS; ++n) {
        r.turn[n] = VxRand() % 30;
        r.shorten[n] = VxRand() % 20;
        r.lift[n] = VxRand() % 10;
    }
    return r;
}
