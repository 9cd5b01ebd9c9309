#pragma once
// The late game's sights for the screen tour, each steered to while a stage
// is in play: a boss entering, with both hands, striking, lunging, firing
// and dying; a weather hazard at its height; every field-effect kind; the
// wave and final-wave notices. The director names what the battle shows and,
// once a sight has its picture, nudges the battle on to the next one.
#include <functional>
#include <string>

class WindowStageRun;

// TOUR_GROUND: close looks at a ledge's end and at a column of stacked tiles.
enum TourExtra { TOUR_PLAIN, TOUR_BOSS, TOUR_WEATHER, TOUR_FIELD_EFFECTS, TOUR_WAVES, TOUR_GROUND };

class LateGameDirector {
public:
    explicit LateGameDirector(TourExtra extra) : m_extra(extra) {}

    // The sight in play now, or "" when none of the extra's shows.
    std::string Moment(WindowStageRun& run) const;
    // Frames a sight stands before its picture.
    static int Settle(const std::string& moment);
    // One frame of play: steers on once the current sight is pictured. True
    // when every sight of the extra has been pictured.
    bool Steer(WindowStageRun& run, int playFrames, const std::function<bool(const std::string&)>& taken);

private:
    TourExtra m_extra;
    int m_step = 0;          // the sight the director is steering to
    int m_waited = 0;        // frames spent waiting for the current sight
    bool m_skipped = false;  // the wait for the boss is skipped
};
