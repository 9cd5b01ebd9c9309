// The menu's rules as tables: progress counts, the header rows, the pointer
// gestures and the 15-frame change between screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "frontend/MenuRules.h"
#include "frontend/PageMenu.h"

namespace {

TEST(MenuRules, ProgressCounts) {
    struct Row {
        int furthest, episode, miniGames;
    };
    const Row rows[] = {{1, 1, 0},    {5, 1, 0},    {6, 1, 1},    {10, 1, 1},   {11, 1, 2},  {50, 1, 9},
                        {51, 2, 10},  {100, 2, 19}, {101, 3, 20}, {150, 3, 29}, {151, 1, 1}, {160, 1, 10},
                        {161, 2, 11}, {170, 2, 20}, {171, 3, 21}, {180, 3, 30}};
    for (const Row& r : rows) {
        EXPECT_EQ(EpisodeOfProgress(r.furthest), r.episode) << r.furthest;
        EXPECT_EQ(OpenMiniGameCount(r.furthest), r.miniGames) << r.furthest;
    }
}

TEST(MenuRules, OpenAreasAndStages) {
    struct Area {
        int furthest, episode, open;  // open: the count, or 0 for "none" (the count is 0 or less)
    };
    const Area areas[] = {{1, 0, 1},  {10, 0, 1}, {11, 0, 2},  {151, 0, 1}, {155, 0, 3}, {60, 0, 5},
                          {60, 1, 1}, {60, 2, 0}, {160, 0, 5}, {160, 1, 0}, {150, 2, 5}, {180, 2, 5}};
    for (const Area& a : areas) {
        const int n = OpenAreaCount(a.furthest, a.episode);
        EXPECT_EQ(std::max(n, 0), a.open) << a.furthest << " episode " << a.episode;
    }
    struct Stages {
        int furthest, episode, area, open;
    };
    const Stages stages[] = {{31, 0, 3, 1},   {31, 0, 2, 10}, {31, 0, 4, 0}, {10, 0, 0, 10},
                             {154, 0, 1, 10}, {154, 0, 2, 0}, {51, 1, 0, 1}, {51, 0, 4, 10}};
    for (const Stages& s : stages)
        EXPECT_EQ(std::max(OpenStageCount(s.furthest, s.episode, s.area), 0), s.open)
            << s.furthest << " " << s.episode << "/" << s.area;
}

TEST(MenuRules, MissionMarksAndTheStageAButtonStarts) {
    struct Row {
        int furthest;
        bool episode3Finished;
        int episode, area, index;
        bool newest;
        int starts;
    };
    const Row rows[] = {
        {31, false, 0, 3, 0, true, 31},   {31, false, 0, 3, 1, false, 32},   {10, false, 0, 0, 9, true, 10},
        {10, false, 0, 0, 8, false, 9},   {50, false, 0, 4, 9, true, 50},    {51, false, 1, 0, 0, true, 51},
        {51, false, 0, 0, 0, false, 1},   {154, false, 0, 1, 9, false, 154}, {154, true, 0, 1, 9, false, 20},
        {154, false, 0, 1, 8, false, 19}, {161, false, 1, 0, 4, false, 161}, {161, false, 0, 4, 9, false, 50},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(IsNewestStageButton(r.furthest, r.episode, r.area, r.index), r.newest)
            << r.furthest << "/" << r.index;
        EXPECT_EQ(MissionButtonStage(r.furthest, r.episode3Finished, r.episode, r.area, r.index), r.starts)
            << r.furthest << "/" << r.index;
    }
    EXPECT_EQ(MiniGameGroupCount(0, 0), 1);
    EXPECT_EQ(MiniGameGroupCount(1, 0), 2);
    EXPECT_EQ(MiniGameGroupCount(0, 1), 3);
}

// A press at the origin, one frame at (dx, dy), a release there: the gesture
// the screens see in the release frame.
// The row of the header sheet each screen shows; the title shows none and
// the upgrades take the row no other screen uses.
TEST(MenuRules, EachScreenShowsItsHeaderRow) {
    const int rows[][2] = {{0, 8},
                           {1, 1},
                           {2, 2},
                           {3, 7},
                           {4, 4},
                           {5, 5},
                           {6, 0},
                           {7, 3},
                           {8, 6},
                           {9, 9},
                           {11, 10},
                           {MENU_TITLE, -1},
                           {MENU_UPGRADE, -1}};
    for (const auto& r : rows) EXPECT_EQ(MenuHeaderRow(r[0]), r[1]) << "screen " << r[0];
}

TEST(MenuGestures, TapAndSwipeThresholds) {
    struct Row {
        float dx, dy;
        int gesture;
    };
    const Row rows[] = {{0, 0, GESTURE_TAP},           {4.9f, -4.9f, GESTURE_TAP},    {5, 0, GESTURE_IDLE},
                        {0, -5, GESTURE_IDLE},         {0, 150, GESTURE_IDLE},        {0, 151, GESTURE_SWIPE_UP},
                        {0, -151, GESTURE_SWIPE_DOWN}, {-151, 0, GESTURE_SWIPE_LEFT}, {151, 0, GESTURE_SWIPE_RIGHT},
                        {151, 160, GESTURE_SWIPE_UP},  {-150, 0, GESTURE_IDLE}};
    for (const Row& r : rows) {
        CPageMenu page;
        page.TrackGesture(0, 0, true, false);
        page.StepGesture();
        page.m_iPrevGesture = page.m_iGesture;
        page.TrackGesture(r.dx, r.dy, false, false);
        page.StepGesture();
        page.m_iPrevGesture = page.m_iGesture;
        page.TrackGesture(r.dx, r.dy, false, true);
        EXPECT_EQ(page.m_iGesture, r.gesture) << r.dx << "," << r.dy;
        // Seen once more as delivered, then gone.
        page.StepGesture();
        const int delivered = r.gesture >= GESTURE_SWIPE_UP ? r.gesture + 4 : GESTURE_IDLE;
        EXPECT_EQ(page.m_iGesture, delivered);
        page.StepGesture();
        EXPECT_EQ(page.m_iGesture, GESTURE_IDLE);
        EXPECT_EQ(page.m_iDragAxis, 0);
    }
}

}  // namespace
