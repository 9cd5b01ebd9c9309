// The laboratory: twenty items bought with metal parts, each purchase saved at
// once; and the paged list the upgrades and the achievements share with it.
// A list is drawn under a camera a quarter larger than the screen, so four
// rows of 168 fit the window; its pictures and texts are kept in a render
// target and drawn again only when the list changes.
#include <cmath>
#include <cstdio>
#include <string>

#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"
#include "platform/ResourceArchive.h"
#include "content/StageNumbering.h"

namespace {

const char* const kLabFolder = "Resource\\Menu\\LabItem\\";
constexpr float kListX = 40.0f;
constexpr float kListTop = 195.0f;
constexpr float kListCamera = 1.25f;
constexpr float kVisible = 400.0f;
constexpr float kGrey = 0.65f;
constexpr int kPendingNone = -1;
// From the text's start (185 left of the row's centre) to 16 short of the
// right edge of the 840-wide row face.
constexpr int kRowTextWidth = 420 - 16 + 185;

}  // namespace

// ---- the paged list ------------------------------------------------------

void CPageMenu::DrawListBacking() {
    if (!m_pBlackScreen) return;
    float a = 1.0f;
    if (m_iChangeState == 1) a = m_iChangeCountdown > 0 ? float(m_iChangeCountdown + 1) / 15.0f : 0.0f;
    else if (m_iChangeCountdown > 0) a = float(MENU_CHANGE_FRAMES - m_iChangeCountdown) / 15.0f;
    m_pBlackScreen->SaveState();
    m_pBlackScreen->ScaleSize2D(1.22f, 1.0f);
    m_pBlackScreen->SetPosition(kListX, 0.0f, 0.0f);
    m_pBlackScreen->SetDiffuse(1.0f, 1.0f, 1.0f, a);
    m_pBlackScreen->RenderSRT();
    m_pBlackScreen->RestoreState();
}

float CPageMenu::StepPagedList(MenuPagedList& list) {
    auto clamp = [&](float v) { return v < list.minimum ? list.minimum : (v > list.maximum ? list.maximum : v); };
    const bool swiped = m_iGesture >= GESTURE_SWIPE_UP && m_iGesture <= GESTURE_SWIPE_RIGHT;
    const bool released = m_iPrevGesture == GESTURE_DRAGGING && m_iGesture == GESTURE_IDLE;
    if (swiped || released) list.position = clamp(list.position + m_vDragVelocity.y);
    return m_iGesture == GESTURE_DRAGGING ? clamp(list.position + m_vDragVelocity.y) : list.position;
}

bool CPageMenu::PageList(MenuPagedList& list) {
    float next = list.position;
    const bool down = TakeListStep(true);
    if (list.position < list.maximum && down) {
        next += SHOP_PAGE_HEIGHT;
    } else {
        const bool up = TakeListStep(false);
        if (list.position > list.minimum && up) next -= SHOP_PAGE_HEIGHT;
    }
    if (next == list.position) return false;
    list.position = next < list.minimum ? list.minimum : (next > list.maximum ? list.maximum : next);
    PlaySlide();
    m_bAchievementPopup = false;
    return true;
}

void CPageMenu::DrawPagedListArrows(const MenuPagedList& list) {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (list.position < list.maximum) DrawListArrow(LIST_ARROW_DOWN);
    if (list.position > list.minimum) DrawListArrow(LIST_ARROW_UP);
}

void CPageMenu::ShowListStill(const std::function<void(float dx)>& draw, float cameraScale) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int w = int(float(g_iScreenWidth) * cameraScale);
    const int h = int(float(g_iScreenHeight) * cameraScale);
    if (!m_bAchievementPopup) {
        ++m_nListStills;
        m_bListKept = BeginRenderToTexture(MENU_LIST_SLOT, true);
        if (m_bListKept) {
            app->SetCamera2D(w, h);
            draw(0.0f);
            EndRenderToTexture();
        }
        m_bAchievementPopup = true;
    }
    if (m_bListKept && ShowKeptContent(*app, MENU_LIST_SLOT, VxVec3{m_fSlideX, 0.0f, 0.0f})) return;
    // Nowhere to keep it: drawn straight to the screen each frame.
    app->SetCamera2D(w, h);
    draw(m_fSlideX * cameraScale);
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
}

void CPageMenu::DrawRowText(float x, float y, const char* name, const char* text, bool grey) {
    CGameApplication* app = g_pGameAppInstance;
    CVxFont* font = app ? app->m_pFontStandard : nullptr;
    FontStyle style;
    const float c = grey ? kGrey : 1.0f;
    style.colour = {c, c, c, 1.0f};
    style.size = 0.66f;
    DrawStyledText(font, style, x - 185.0f, y + 50.0f, name);
    style.size = 0.6f;
    // Long conditions break before the row face's right edge.
    style.wrapWidth = kRowTextWidth;
    DrawStyledText(font, style, x - 185.0f, y + 15.0f, text);
}

void CPageMenu::PlaceListButtons(CVxButton* const* buttons, const std::vector<int>& listed, float shown) {
    for (size_t k = 0; k < listed.size(); ++k) {
        CVxButton* b = buttons[listed[k]];
        if (!b) continue;
        const float y = kListTop - SHOP_ROW_HEIGHT * float(k) + shown;
        b->m_fHitOffsetX = -10.0f;
        b->m_fHitOffsetY = float(int(k) % 4) * 34.0f - 38.0f;
        if (std::fabs(y) < kVisible) {
            b->SetPosition(kListX + m_fSlideX * kListCamera, y, 0.0f);
            b->Render();
        }
        b->SetPosition(kListX + m_fSlideX, y, 0.0f);
    }
}

void CPageMenu::DrawPriceLine(float x, float y, bool soldOut, int price) {
    CGameApplication* app = g_pGameAppInstance;
    FontStyle style;
    style.size = 0.6f;
    std::string text;
    if (soldOut) {
        text = "Parts  -----";
        style.colour = {kGrey, kGrey, kGrey, 1.0f};
    } else {
        text = "Parts " + WithThousands(price);
        if (g_CurrentProfile.m_iMetalParts >= price) style.colour = {0.0f, 1.0f, 0.0f, 1.0f};
        else style.colour = {1.0f, 0.1f, 0.1f, 1.0f};
    }
    DrawStyledText(app ? app->m_pFontStandard : nullptr, style, x + 180.0f, y - 50.0f, text.c_str());
}

void CPageMenu::RenderAchievementPopup() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (!MsgBoxOpen() && m_bAchievementPopup && app->m_pEffectNewAchievement) app->m_pEffectNewAchievement->Tick();
}

// ---- laboratory ----------------------------------------------------------

void CPageMenu::LoadLaboratory() {
    for (int n = 0; n < LAB_ITEMS; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Bbd_Item_%02d.png", n + 1);
        // Every item gets its row, with or without its picture.
        CVxButton* b = HandledButton(MENU_LABORATORY);
        m_apLabButton[n] = b;
        if (b) {
            CVxButton::SetStateTextures(b, m_ListBoxFaces.m_apState[BUTTON_PRESS],
                                        m_ListBoxFaces.m_apState[BUTTON_OVER], m_ListBoxFaces.m_apState[BUTTON_DISABLE],
                                        m_ListBoxFaces.m_apState[BUTTON_NORMAL]);
            b->m_iStatus = BUTTON_NORMAL;
            b->SetPosition(kListX, 10000.0f, 0.0f);
            b->m_iHitHalfWidth = 288;
            b->m_iHitHalfHeight = 64;
        }
        m_apLabPicture[n] = nullptr;
        if (ResourceFileExists(name, kLabFolder)) {
            m_apLabPicture[n] = m_pResourceManager->CreateBillboard(name, kLabFolder, nullptr);
            if (m_apLabPicture[n]) {
                m_apLabPicture[n]->SetAlphaBlend(true);
                // The picture is shared with the battle's unlock board; a row shows it smaller.
                m_apLabPicture[n]->SetSize(128.0f, 128.0f, 1.0f);
            }
        }
    }
    m_pSoldOut = MenuPicture("Bbd_SoldOut.png");
    m_pRecommendMarker = MenuPicture("Bbd_Recommend.png");
    EnterLaboratory();
}

void CPageMenu::EnterLaboratory() {
    const SaveProfile& p = g_CurrentProfile;
    for (int i = 0; i < LAB_ITEMS; ++i) {
        m_aLabPair[i] = p.m_aLabItem[i];
        m_aiLabMaxLevel[i] = 1;
        for (int& v : m_aiLabPrice[i]) v = 0;
    }
    m_vecLabListed = ListedLabItems(p);
    m_LabList = MenuPagedList{0.0f, 0.0f, ShopListMaximum(int(m_vecLabListed.size()))};
    SetLabPrices();
}

void CPageMenu::SetLabPrices() {
    for (int i = 0; i < LAB_ITEMS; ++i) {
        m_aiLabMaxLevel[i] = LabMaxLevel(i);
        LabPriceRow(i, m_aiLabPrice[i]);
    }
}

void CPageMenu::GetLabItemText() {
    for (int i = 0; i < LAB_ITEMS; ++i) {
        m_aLabText[i][0] = LabItemName(i, m_aLabPair[i].m_iOffered);
        m_aLabText[i][1] = LabItemDescription(i, m_aLabPair[i].m_iOffered, g_CurrentProfile.m_nCardSlots);
    }
}

namespace {

// The target area of the first episode's recommendation, 1 to 4; 0 none.
int RecommendedArea(int furthest) {
    const int n = GetStagePosition(furthest);
    if (n / 50 != 0) return -1;
    const int a = (n % 50) / 10;
    const bool areaStart = furthest <= 150 && (furthest - 1) % 10 == 0;
    if (areaStart) return a;
    return a + 1 == 5 ? -1 : a + 1;
}

}  // namespace

bool CPageMenu::IsLabItemRecommended(int item) const {
    const SaveProfile& p = g_CurrentProfile;
    const int t = RecommendedArea(p.m_iFurthestStage);
    if (t < 0) return false;
    return (item == 0 && t >= 1 && p.m_nCardSlots < 4 + t) || (item == 1 && p.m_iLifeBooster < t) ||
           (item == 2 && p.m_iEnergyBooster < t);
}

void CPageMenu::UpdateLaboratory() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    for (int i = 0; i < LAB_ITEMS; ++i) m_aLabPair[i] = g_CurrentProfile.m_aLabItem[i];
    DrawListBacking();
    GetLabItemText();
    const float shown = StepPagedList(m_LabList);

    const int w = int(float(g_iScreenWidth) * kListCamera);
    const int h = int(float(g_iScreenHeight) * kListCamera);
    app->SetCamera2D(w, h);
    PlaceListButtons(m_apLabButton, m_vecLabListed, shown);
    ShowListStill([&](float dx) {
        for (size_t k = 0; k < m_vecLabListed.size(); ++k) {
            const int id = m_vecLabListed[k];
            const float x = kListX + dx;
            const float y = kListTop - SHOP_ROW_HEIGHT * float(k) + shown;
            if (std::fabs(y) >= kVisible) continue;
            const bool soldOut = m_aLabPair[id].m_iBought >= m_aLabPair[id].m_iOffered;
            if (CVxBillboard* pic = m_apLabPicture[id]) {
                const float c = soldOut ? kGrey : 1.0f;
                pic->SaveState();
                pic->SetPosition(x - 280.0f, y, 0.0f);
                pic->SetDiffuse(c, c, c, 1.0f);
                pic->RenderSRT();
                pic->RestoreState();
            }
            if (soldOut) DrawSharedPicture(m_pSoldOut, x - 280.0f, y);
            DrawRowText(x, y, m_aLabText[id][0].c_str(), m_aLabText[id][1].c_str(), soldOut);
            DrawPriceLine(x, y, soldOut, PriceFromRow(m_aiLabPrice[id], m_aLabPair[id].m_iOffered));
        }
    });

    // The markers pulse, so they are drawn each frame over the kept list.
    app->SetCamera2D(w, h);
    for (size_t k = 0; k < m_vecLabListed.size() && m_pRecommendMarker; ++k) {
        const float y = kListTop - SHOP_ROW_HEIGHT * float(k) + shown;
        if (!IsLabItemRecommended(m_vecLabListed[k]) || std::fabs(y) >= kVisible) continue;
        const float g = std::fabs(std::sin(5.0f * float(m_iFrameCount) * 3.14159265f / 180.0f)) * 0.2f;
        m_pRecommendMarker->SaveState();
        m_pRecommendMarker->SetPosition(kListX + m_fSlideX * kListCamera - 278.0f, y + 67.0f, 0.0f);
        m_pRecommendMarker->m_iTextureOp = 1;
        m_pRecommendMarker->SetDiffuse(g, g, g, 1.0f);
        m_pRecommendMarker->RenderSRT();
        m_pRecommendMarker->RestoreState();
        m_pRecommendMarker->m_iTextureOp = 0;
    }
    DrawPagedListArrows(m_LabList);
}

void CPageMenu::HandleLaboratoryInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectNewAchievement) app->m_pEffectNewAchievement->HandleClick();
    if (m_iPendingBox == kPendingNone) {
        for (int i = 0; i < LAB_ITEMS; ++i) {
            CVxButton* b = m_apLabButton[i];
            if (!b) continue;
            const bool soldOut = m_aLabPair[i].m_iBought >= m_aLabPair[i].m_iOffered;
            if (soldOut) b->m_iStatus = BUTTON_DISABLE;
            else if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
        }
    } else {
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
        for (CVxButton* b : m_apLabButton)
            if (b) b->m_iStatus = BUTTON_DISABLE;
        if (!MsgBoxOpen()) m_iPendingBox = kPendingNone;
    }
    if (!IsInputFree()) return;
    for (CVxButton* b : m_apLabButton)
        if (b) b->ProcessInput();
    if (PageList(m_LabList)) return;

    for (int i = 0; i < LAB_ITEMS && m_iPendingBox == kPendingNone; ++i) {
        CVxButton* b = m_apLabButton[i];
        if (!b || b->m_iStatus == BUTTON_DISABLE || !b->TakeClick() || !IsTap()) continue;
        const int price = PriceFromRow(m_aiLabPrice[i], m_aLabPair[i].m_iOffered);
        int robots = 0;
        for (int r = 0; r < PROFILE_ROBOTS - 1; ++r) robots += g_CurrentProfile.m_abRobotUnlocked[r] ? 1 : 0;
        if (i == 0 && robots == g_CurrentProfile.m_nCardSlots) {
            PlayError();
            m_iPendingBox = MSGBOX_CARD_SLOT_LIMIT;
        } else if (g_CurrentProfile.m_iMetalParts < price) {
            PlayError();
            m_iPendingBox = MSGBOX_NOT_ENOUGH_PARTS;
        } else {
            m_iPendingBox = MSGBOX_BUY_UPGRADE;
            m_iChosenItem = i;
            m_iChosenPrice = price;
        }
        OpenMsgBox(m_iPendingBox);
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(m_iLabOrigin, 1);
}

void CPageMenu::BuyLabItem() {
    const int id = m_iChosenItem;
    if (id < 0 || id >= LAB_ITEMS || m_aLabPair[id].m_iBought >= m_aLabPair[id].m_iOffered) return;
    int completed = -1;
    if (!ApplyLabPurchase(id, m_iChosenPrice, completed)) return;
    m_aLabPair[id] = g_CurrentProfile.m_aLabItem[id];
    FinishPurchase(completed);
}

void CPageMenu::FinishPurchase(int completed) {
    CGameApplication* app = g_pGameAppInstance;
    if (completed >= 0) AnnounceAchievement(completed);
    if (app) app->SaveProgress();
    if (m_pSfxBuy) {
        m_pSfxBuy->Stop();
        m_pSfxBuy->Play();
    }
    m_bAchievementPopup = false;
}
