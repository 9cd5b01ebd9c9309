#pragma once
// Page 1: the title and every menu screen.
#include "engine/VxPage.h"

class CVxSound;

// The menu's sub-screens the rest of the game refers to.
enum MenuScreen : int {
    MENU_MAIN = 2,
    MENU_LABORATORY = 5,
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
    void ForgetCachedPictures() {}

    int m_iInputHoldOff = 0;       // input is ignored until it counts down to 0
    CVxSound* m_pMusic = nullptr;  // owned by the page's manager
};
