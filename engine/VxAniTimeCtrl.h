#pragma once
// Maps a time in frames onto a run of animation frames of different lengths:
// the owner lists the durations, sets m_iTime and calls Update, then reads
// which frame the time falls in, how far into it, and whether it is its last tick.
#include <cstdint>
#include <vector>

class CVxAniTimeCtrl {
public:
    // No frame found yet.
    static constexpr int32_t NO_FRAME = 10000;

    CVxAniTimeCtrl();  // the time starts at the application's frame counter
    virtual ~CVxAniTimeCtrl() = default;

    void AddFrame(int ticks);
    // A time past the end (or behind a zero duration) keeps the last result;
    // an owner that loops sets the time modulo the total itself.
    void Update();

    std::vector<int32_t> m_aiDurations;
    int32_t m_iTicksIntoFrame = 0;
    int32_t m_iTime = 0;
    int32_t m_iFrame = NO_FRAME;
    float m_fFraction = 0.0f;
    bool m_bLastTick = false;
};
