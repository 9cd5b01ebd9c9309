#include "frontend/PageLogo.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/PageIndices.h"
#include "engine/VxAniTimeCtrl.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"
#include "platform/ResourceArchive.h"

namespace {

constexpr const char* kBrandingFolder = "branding\\";
constexpr double kPi = 3.14159265358979323846;

}  // namespace

LogoMoment FindLogoMoment(int count, int t) {
    CVxAniTimeCtrl timeline;
    for (int i = 0; i < count; ++i) timeline.AddFrame(LOGO_PICTURE_FRAMES);
    timeline.m_iTime = t;
    timeline.Update();
    return {timeline.m_iFrame, timeline.m_fFraction};
}

float LogoPictureAlpha(float fraction) { return std::clamp(float(3.5 * std::sin(double(fraction) * kPi)), 0.0f, 1.0f); }

int CPageLogo::Load() {
    m_apSplash.clear();
    m_pMakerLogo = nullptr;
    if (!m_pResourceManager) return 0;
    // The splash pictures are plain files beside the game, not in the archive.
    g_bLooseFiles = true;
    for (int n = 1;; ++n) {
        const std::string name = "splash" + std::to_string(n) + ".jpg";
        if (!ResourceFileExists(name.c_str(), kBrandingFolder)) break;
        CVxBillboard* splash = m_pResourceManager->CreateBillboard(name.c_str(), kBrandingFolder, nullptr);
        if (!splash) break;
        splash->SetAlphaBlend(true);
        m_apSplash.push_back(splash);
    }
    g_bLooseFiles = false;
    m_pMakerLogo = m_pResourceManager->CreateBillboard("Logo_Orvendale.jpg", "Resource\\Menu\\", nullptr);
    if (m_pMakerLogo) m_pMakerLogo->SetAlphaBlend(true);
    return 0;
}

int CPageLogo::Update() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    app->SetAmbientColor(1.0f, 1.0f, 1.0f, 1.0f);
    app->EnableLighting(false);

    const LogoMoment now = FindLogoMoment(PictureCount(), app->m_nFrame);
    if (now.picture >= PictureCount()) {
        SwitchToTitle();
        return 0;
    }
    CVxBillboard* picture = now.picture < int(m_apSplash.size()) ? m_apSplash[size_t(now.picture)] : m_pMakerLogo;
    if (!picture) return 0;
    // White behind the picture, except while the very first comes in from black.
    if (now.fraction > 0.5f || (now.fraction < 0.5f && now.picture > 0)) {
        picture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
        picture->m_iTextureOp = 1;
        picture->RenderSRT();
        picture->m_iTextureOp = 0;
    }
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, LogoPictureAlpha(now.fraction));
    picture->RenderSRT();
    return 0;
}

int CPageLogo::Render() {
    CGameApplication* app = g_pGameAppInstance;
    // The frame set a 4:3 camera before this; the cursor maps through the logical screen.
    if (app) app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (app && app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Tick();
    return CVxPage::Render();
}

int CPageLogo::HandleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return CVxPage::HandleInput();
    const LogoMoment now = FindLogoMoment(PictureCount(), app->m_nFrame);
    if (now.fraction > 0.1f && KeyReleased(MOUSE_LEFT)) {
        const int splashes = int(m_apSplash.size());
        if (now.picture < splashes) {
            TakeKeyRelease(MOUSE_LEFT);
            app->m_nFrame = (now.picture + 1) * LOGO_PICTURE_FRAMES;
            RestartSound(app->m_pSndBtnClick);
        } else if (now.picture == splashes &&
                   !(app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->m_aInstances[0].life > 0)) {
            TakeKeyRelease(MOUSE_LEFT);
            SwitchToTitle();
            RestartSound(app->m_pSndBtnClick);
        } else {
            TakeKeyRelease(MOUSE_LEFT);
        }
    }
    return CVxPage::HandleInput();
}

void CPageLogo::SwitchToTitle() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    // The loading bar shows while the menu loads on the worker; a switch run
    // on the calling thread has no bar to wait for.
    if (!app->m_bRunWorkersInline && !app->m_bHoldSwitch) app->m_bHoldSwitch = true;
    if (app->m_iCurrentPage != -1 && !app->m_bSwitchPending) app->SwitchPage(MENU_PAGE_INDEX, MENU_TITLE);
}
