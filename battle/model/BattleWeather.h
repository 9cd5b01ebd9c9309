#pragma once
// Weather of the third episode: each of the first four areas brings a hazard
// that harms the player's robots (acid rain, earthquake, whirlpools, jet
// streams). The rules run here; what a frame of them leaves to be seen and
// heard comes back to the page as a WeatherFrame.
#include "content/FieldGrid.h"
#include "engine/VxMatrix.h"

class CBattleModel;

// Frames a whirlpool stays open, and a gust of wind blows.
constexpr int WHIRLPOOL_FRAMES = 600;
constexpr int GUST_FRAMES = 60;

struct WeatherFrame {
    int rain = -1;   // the frame of the acid shower, -1 without one
    int quake = -1;  // the frame of the earthquake, -1 without one
    // Frames left of each column's whirlpool, and of each row's gust, before
    // this frame counted them down (0: none).
    int whirlpools[FIELD_COLUMNS] = {};
    int gusts[FIELD_ROWS] = {};
    // The ambience steps once a frame, to this frame of the hazard's period.
    bool ambienceStep = false;
    int ambienceFrame = 0;
};

// One frame of the stage's weather (the page calls it on episode 3 only).
WeatherFrame UpdateWeatherHazards(CBattleModel& model);
// Where the gust of the row blows with the frames it has left.
VxVec3 GustPoint(const CBattleModel& model, int row, int framesLeft);
