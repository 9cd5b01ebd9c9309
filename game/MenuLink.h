#pragma once
// What the application and its effects ask of the menu page (page 1): the
// operations the message box's answers call and the few pictures and states
// the boards read. The menu page implements it.

class CVxBillboard;
class CVxSound;
struct RobopediaParts;

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

class CMenuLink {
public:
    virtual ~CMenuLink() = default;

    // The sub-screen on show.
    virtual int MenuSubScreen() const = 0;
    // Keeps the two-part menu music going; called every frame and timer tick.
    virtual int UpdateMenuMusic() = 0;
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    virtual void ForgetCachedPictures() = 0;

    // Operations the message box's answers call; the menu's screens carry them out.
    virtual void DeleteCurrentProfile() = 0;
    virtual void BuyLabItem() = 0;
    virtual void BuyUpgrade() = 0;
    virtual void StepEpisode(bool forward) = 0;
    virtual void ScrollStageMap(int direction) = 0;
    // Map areas open on the chosen episode page.
    virtual int GetOpenAreaCount() const = 0;
    // Asks for another sub-screen after the change countdown.
    virtual void RequestSubScreen(int next, int direction) = 0;
    // The episode list and the map strip stand still.
    virtual void StopEpisodeScroll() = 0;
    virtual void StopMapScroll() = 0;
    // The message box the menu opened has closed.
    virtual void ForgetOpenMsgBox() = 0;
    // Input is ignored for the next frames.
    virtual void HoldOffInput(int frames) = 0;

    // Episode page shown (0 to 2) and map area in view (0 to 4).
    virtual int EpisodeChoice() const = 0;
    virtual int MapArea() const = 0;
    // Owned by the page's manager; null while not loaded.
    virtual CVxSound* Music() const = 0;
    virtual CVxBillboard* ConditionMark(bool met) const = 0;
    virtual CVxBillboard* ScrollArrow(int index) const = 0;
    // The encyclopedia's parts its information board borrows.
    virtual RobopediaParts* Robopedia() = 0;
};
