#pragma once
// What the decoration of the field rolls when one of its pieces starts: a
// petal's speed, a gust's row and drift, a fish's kind and heading, a snow
// flake's wobble, a meteor's streak, a spike burst's heights; and the streaks
// of a weapon's burst while it shows. The battle draws them where the piece
// is started (shown), whether or not a page shows it, so a battle run without
// its page takes the same numbers from the generator. Each roll draws in the
// order the piece's effect reads the values.

// The pools of the pieces' effects and the lives of those that do not end
// by leaving the screen.
constexpr int AMBIENT_FLOWERS = 20;
constexpr int AMBIENT_GREEN_BALLS = 10;
constexpr int AMBIENT_SAND_WINDS = 10;
constexpr int AMBIENT_FISH = 10;
constexpr int AMBIENT_SNOW = 40;
constexpr int AMBIENT_METEORS = 10;
constexpr int AMBIENT_SPIKES = 50;
constexpr int FLOWER_LIFE = 1200;
constexpr int SNOW_LIFE = 480;
constexpr int SPIKE_LIFE = 30;

// The fast-water stages (156, 166) hurry the fish.
bool IsFastWaterStage(int stage);

struct FlowerRoll {
    float speed = 0.0f;
};
struct GreenBallRoll {
    float speed = 0.0f;
};
struct SandWindRoll {
    int row = 0;
    float speedX = 0.0f, speedY = 0.0f, alpha = 0.0f, scale = 0.0f;
};
constexpr int FISH_KINDS = 3;
struct FishRoll {
    int kind = 0, direction = 0, bubblePeriod = 0;
    float speed = 0.0f;  // before the fast-water stages change it
    int offset = 0;
};
struct SnowRoll {
    int roll = 0;
};
struct MeteorRoll {
    float speed = 0.0f, brightness = 0.0f;
    int stretch = 0, direction = 0;
};
constexpr int SPIKE_HEIGHTS = 5;
struct SpikeRoll {
    int heights[SPIKE_HEIGHTS] = {};
    int hold = 0;  // frames the burst is held back
};

FlowerRoll RollFlower();
GreenBallRoll RollGreenBall();
SandWindRoll RollSandWind();
FishRoll RollFish();
SnowRoll RollSnow();
MeteorRoll RollMeteor();
SpikeRoll RollSpike();

// The shot streaks of the field effects: eight streaks, each with a turn, a shortening
// and a lift, rolled for every frame the streaks show (its first 10, when the
// source has a weapon picture).
constexpr int STREAKS = 8;
struct StreakRolls {
    int turn[STREAKS] = {};     // 0..29 degrees
    int shorten[STREAKS] = {};  // 0..19
    int lift[STREAKS] = {};     // 0..9
};
StreakRolls RollStreaks();
