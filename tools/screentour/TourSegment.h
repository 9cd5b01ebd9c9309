#pragma once
// One part of the screen tour, played by the real game in its window: the
// front end (logo, title, every menu screen, every message-box kind, the
// story page) or one stage (its states, boards and boxes as they come).
// Each part runs in a process of its own, since the window's framework is
// the program's one.
#include <string>
#include <vector>

struct TourOptions {
    std::string out;                // folder the pictures go to
    std::vector<std::string> only;  // shot names (or their beginnings) to take; empty: all
};

int TourSegmentCount();
const char* TourSegmentName(int segment);
// Whether the segment can give a wanted shot.
bool TourSegmentWanted(int segment, const TourOptions& options);
// Plays the segment here; writes <out>/<shot>.png for each shot and appends
// the shot's name to the segment's list (TourListPath). Exit code: 0, or 2
// when the game could not start.
int RunTourSegment(int segment, const TourOptions& options);
std::string TourListPath(const std::string& out, const std::string& segment);
