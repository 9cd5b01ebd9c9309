#pragma once
// Page 1: the title and every menu screen.
#include "engine/VxPage.h"
#include "game/RobopediaParts.h"

class CVxBillboard;
class CVxSound;
class CEffect_RobotInfo;

// The menu's sub-screens.
enum MenuScreen : int {
    MENU_MAIN = 0,
    MENU_STAGE_MAP = 1,
    MENU_MISSION = 2,
    MENU_CREDITS = 3,
    MENU_ACHIEVEMENTS = 4,
    MENU_LABORATORY = 5,
    MENU_EPISODE = 6,
    MENU_MINIGAME = 7,
    MENU_PROFILES = 8,
    MENU_ROBOPEDIA = 9,
    MENU_TITLE = 10,
    MENU_NAME_ENTRY = 11,
    MENU_UPGRADE = 12,
};

class CPageMenu : public CVxPage {
public:
    CPageMenu() = default;

    // Entered from the logo page, the shared resources come first.
    int Load() override;
    // Leaving the menu saves the profile and lets the start-up pictures go.
    int Unload() override;

    // Keeps the two-part menu music going; called every frame and timer tick.
    int UpdateMenuMusic() { return 0; }
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures();

    // Operations the message box's answers call; the menu's screens carry them out.
    virtual void DeleteCurrentProfile() {}
    virtual void BuyLabItem() {}
    virtual void BuyUpgrade() {}
    virtual void StepEpisode(bool /*forward*/) {}
    virtual void ScrollStageMap(int /*direction*/) {}
    // Map areas open on the chosen episode page.
    virtual int GetOpenAreaCount() const { return 0; }
    // The map-area rule for (episode - 1, area - 1).
    bool MeetsAreaRecommendation(int group, int area) const;
    // Asks for another sub-screen after the change countdown.
    void RequestSubScreen(int next, int direction);

    int m_iInputHoldOff = 0;       // input is ignored until it counts down to 0
    CVxSound* m_pMusic = nullptr;  // owned by the page's manager

    int m_iEpisodeChoice = 0;   // episode page shown (0 to 2)
    int m_iMapArea = 0;         // map area in view (0 to 4)
    int m_iEpisodeScroll = -1;  // -1: the episode list stands still
    int m_iMapScroll = -1;      // -1: the map strip stands still
    int m_iOpenMsgBox = -1;     // kind of the message box this page opened
    CVxBillboard* m_pCheckboxYes = nullptr;  // a condition met
    CVxBillboard* m_pCheckboxNo = nullptr;   // a condition not met
    CVxBillboard* m_apScrollArrow[2] = {};

    // Sub-screen change in progress.
    int m_iChangeState = -1;  // 1 leaving the current sub-screen, -1 idle
    int m_iChangeDirection = -1;
    int m_iNextScreen = 0;
    int m_iChangeCountdown = 0;

    // The encyclopedia and its information board.
    RobopediaParts m_Robopedia;
    CEffect_RobotInfo* m_pRobotInfo = nullptr;
};
