#pragma once
// The encyclopedia's information board for one robot or Machine: name,
// picture, ratings, ability, bought upgrade and story in a scrolling text,
// arrows that flip sideways to the previous or next known unit, and OK.
#include <string>
#include <vector>

#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxButton;
class CVxFont;
struct RobopediaParts;

constexpr int INFO_SLIDE_START = 560;
constexpr int INFO_SLIDE_STEP = 20;
constexpr int INFO_FLIP_FRAMES = 30;
constexpr int INFO_FLIP_STEP = 30;
constexpr float INFO_SCROLL_STEP = 15.0f;
// The text window, relative to the board's origin.
constexpr float INFO_TEXT_TOP = 110.0f;
constexpr float INFO_TEXT_BOTTOM = -200.0f;

// The unit the board flips to from id in direction dir (-1 or +1): the next
// known unit of the same side, wrapping round; the unit itself when no other
// is known. The search never goes more than one full turn.
int NextKnownUnit(int id, int dir);
// Whether the player knows the unit: a robot unlocked, a Machine met.
bool IsKnownUnit(int id);
// The board's text column for a unit, one entry a line.
std::vector<std::string> InfoLabelLines(int unitId);
std::vector<std::string> InfoValueLines(int unitId);

class CEffect_RobotInfo : public CVxEffect {
public:
    CEffect_RobotInfo();

    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Every frame while the board is open: its buttons (OK and the page's
    // flip and scroll buttons, which it draws) take the mouse, the page's not.
    void HandleClick();
    // The page's flip and scroll buttons become the board's own.
    void ClaimButtons(RobopediaParts& parts);
    bool IsOpen() const { return m_aInstances[0].life > 0; }
    void DrawInfoLabels(const VxVec3& origin, CVxFont* font, CEffect_RobotInfo* board, float scroll, int unitId);
    void DrawInfoValues(const VxVec3& origin, CVxFont* font, float scroll, int unitId);

    CVxBillboard* m_pBoardBG = nullptr;  // shared
    CVxButton* m_pBtnOK = nullptr;       // owned by this board's manager
    float m_fScroll = 0.0f;
    int m_iSlidePhase = 0;
    int m_iFlipDir = 0;
    int m_nFlipFrames = 0;
    bool m_bCanScrollDown = false;
    bool m_bCanScrollUp = false;
    bool m_abBoardRendered[2] = {};
    float m_fBoardY = 0.0f;  // where the board stands above its rest place

private:
    RobopediaParts* Parts() const;
    // Draws board i (0 shown, 1 flipping in) of unit at x, y.
    void DrawBoard(int i, int unit, float x, float y);
    void DrawContent(int unit, const VxVec3& origin, float scroll);

    int m_iFlipTarget = -1;
};
