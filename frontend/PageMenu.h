#pragma once
// Page 1: the title and every menu screen.
#include "engine/VxPage.h"
#include "game/MenuLink.h"
#include "game/RobopediaParts.h"

class CVxBillboard;
class CVxSound;
class CEffect_RobotInfo;

class CPageMenu : public CVxPage, public CMenuLink {
public:
    CPageMenu() = default;

    // Entered from the logo page, the shared resources come first.
    int Load() override;
    // Leaving the menu saves the profile and lets the start-up pictures go.
    int Unload() override;

    // Keeps the two-part menu music going; called every frame and timer tick.
    int UpdateMenuMusic() override { return 0; }
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures() override;

    // Operations the message box's answers call; the menu's screens carry them out.
    void DeleteCurrentProfile() override {}
    void BuyLabItem() override {}
    void BuyUpgrade() override {}
    void StepEpisode(bool /*forward*/) override {}
    void ScrollStageMap(int /*direction*/) override {}
    // Map areas open on the chosen episode page.
    int GetOpenAreaCount() const override { return 0; }
    // The map-area rule for (episode - 1, area - 1).
    bool MeetsAreaRecommendation(int group, int area) const;
    // Asks for another sub-screen after the change countdown.
    void RequestSubScreen(int next, int direction) override;

    // What the application's boards read of the menu.
    int MenuSubScreen() const override { return m_iSubScreen; }
    void StopEpisodeScroll() override { m_iEpisodeScroll = -1; }
    void StopMapScroll() override { m_iMapScroll = -1; }
    void ForgetOpenMsgBox() override { m_iOpenMsgBox = -1; }
    void HoldOffInput(int frames) override { m_iInputHoldOff = frames; }
    int EpisodeChoice() const override { return m_iEpisodeChoice; }
    int MapArea() const override { return m_iMapArea; }
    CVxSound* Music() const override { return m_pMusic; }
    CVxBillboard* ConditionMark(bool met) const override { return met ? m_pCheckboxYes : m_pCheckboxNo; }
    CVxBillboard* ScrollArrow(int index) const override { return m_apScrollArrow[index]; }
    RobopediaParts* Robopedia() override { return &m_Robopedia; }

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
