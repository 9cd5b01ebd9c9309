#pragma once
// The timed looks of the battle's picture banners, apart from the drawing so
// that a frame's scale, alpha and sound can be asked without a screen.

// Phase and frame inside it of `elapsed` frames over phases of the given
// lengths; past the last phase the phase is n and the frame counts on.
struct BannerPhase {
    int phase;
    int frame;
};
BannerPhase PhaseAt(int elapsed, const int* lengths, int n);

// How an element is drawn this frame: not at all, or at a scale and alpha.
struct BannerLook {
    bool drawn = false;
    float scale = 1.0f;
    float alpha = 1.0f;
};

// The stage title: an element popping in in phase `own` of the seven phases
// (10, 10, 10, 10, 10, 110, 20 frames) at `elapsed` frames.
BannerLook StageTitleLook(int elapsed, int own);

// The numbers the stage title shows for an ordinary stage.
struct StageTitleNumbers {
    int area;    // 1 to 5 within the episode
    int digit;   // the stage digit; 1 for the tenth stage
    bool tenth;  // a 0 follows the digit
};
StageTitleNumbers StageTitleOf(int stage);

// The countdown: picture 0..2 is "3", "2", "1", picture 3 the start picture.
struct CountdownLook {
    int picture;
    BannerLook look;
    bool sound;  // the count (or, for the start picture, the start) sound starts
};
CountdownLook CountdownAt(int elapsed, int life);

// The miss mark and the cross: 10 frames shrinking from twice its size,
// 60 frames shown, 10 frames fading.
BannerLook MissLook(int elapsed);
