#pragma once
// The credits roll shared by the menu's credits and the story page's roll
// after the ending: the 45 lines, their three styles, where each stands and
// how one frame draws them.
#include <string>
#include <vector>

class CVxFont;

enum CreditStyle : int {
    CREDIT_TITLE = 0,
    CREDIT_HEADING = 1,
    CREDIT_NAME = 2,
};

struct CreditLine {
    std::string m_strText;
    int m_iStyle = CREDIT_NAME;
    bool m_bGapBefore = false;
};

constexpr int CREDIT_LINE_COUNT = 45;
constexpr float CREDITS_MENU_X = 77.0f;
constexpr float CREDITS_START_SCROLL = 100.0f;
// Extra gap above a line with its gap flag, and below the third line.
constexpr float CREDITS_GAP = 60.0f;
constexpr float CREDITS_DEVELOPED_GAP = 180.0f;

std::vector<CreditLine> CreditLines();
// How far below the previous line a line of the style stands.
float CreditStep(int style);
// The y of each line before scrolling (the first at -60, the last at -3000).
std::vector<float> CreditLineYs(const std::vector<CreditLine>& lines);
// One frame of the roll: each line near the screen drawn at (x, its y +
// scroll) in its style with the alpha. Returns the last line's y + scroll
// (0 for an empty list).
float DrawCreditLines(CVxFont* font, const std::vector<CreditLine>& lines, float x, float scroll, float alpha,
                      int screenHeight);
