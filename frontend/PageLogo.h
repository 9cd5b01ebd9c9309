#pragma once
// Page 0: the splash pictures found as loose files in "branding/" (splash1.jpg,
// splash2.jpg, ... without gaps), then the studio's logo from the archive;
// each stands 400 frames and passes through white to the next. A click skips
// to the next picture; after the logo the menu's title screen loads.
#include <vector>

#include "engine/VxPage.h"

class CVxAniTimeCtrl;
class CVxBillboard;

constexpr int LOGO_PICTURE_FRAMES = 400;

// Which picture stands at frame t of a run of `count` pictures, and how far
// into it (0..1); picture CVxAniTimeCtrl::NO_FRAME once the run is over.
struct LogoMoment {
    int picture;
    float fraction;
};
LogoMoment FindLogoMoment(int count, int t);
// Opacity of a picture at that fraction: in from white (or black) over its
// first tenth, out to white over its last.
float LogoPictureAlpha(float fraction);

class CPageLogo : public CVxPage {
public:
    CPageLogo() = default;

    int Load() override;
    int Update() override;
    // Ticks the page transition, as the story page does.
    int Render() override;
    int HandleInput() override;

    // Splash pictures plus the logo.
    int PictureCount() const { return int(m_apSplash.size()) + 1; }

    std::vector<CVxBillboard*> m_apSplash;  // owned by the page's manager
    CVxBillboard* m_pMakerLogo = nullptr;   // owned by the page's manager

private:
    void SwitchToTitle();
};
