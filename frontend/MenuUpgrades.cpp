// The robot upgrades: one upgrade per robot, listed in the order their stages
// are played, bought once with metal parts and saved at once. The list works
// as the laboratory's does.
#include <cmath>
#include <cstdio>
#include <string>

#include "content/Achievements.h"
#include "content/DescriptiveTexts.h"
#include "content/SaveProfile.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kInfoFolder = "Resource\\InfoPicture\\";
constexpr float kListX = 40.0f;
constexpr float kListTop = 195.0f;
constexpr float kListCamera = 1.25f;
constexpr float kVisible = 400.0f;
constexpr float kGrey = 0.65f;
// The robot's encyclopedia picture, shrunk to sit in the upgrade frame.
constexpr float kPictureSize = 96.0f;

}  // namespace

void CPageMenu::LoadUpgrades() {
    for (int r = 0; r < UPGRADE_ROBOTS; ++r) {
        CVxButton* b = HandledButton(MENU_UPGRADE);
        m_apUpgradeButton[r] = b;
        if (b) {
            CVxButton::SetStateTextures(b, m_ListBoxFaces.m_apState[BUTTON_PRESS],
                                        m_ListBoxFaces.m_apState[BUTTON_OVER], m_ListBoxFaces.m_apState[BUTTON_DISABLE],
                                        m_ListBoxFaces.m_apState[BUTTON_NORMAL]);
            b->m_iStatus = BUTTON_NORMAL;
            b->SetPosition(kListX, 10000.0f, 0.0f);
            b->m_iHitHalfWidth = 288;
            b->m_iHitHalfHeight = 64;
        }
        // The upgrade shows the robot's own encyclopedia picture.
        char name[40];
        std::snprintf(name, sizeof name, "Bbd_RobotPic%04d.png", r);
        CVxBillboard* pic = m_pResourceManager->CreateBillboard(name, kInfoFolder, nullptr);
        if (pic) {
            pic->SetAlphaBlend(true);
            pic->SetSize(kPictureSize, kPictureSize, 1.0f);
        }
        m_apUpgradePicture[r] = pic;
    }
    m_pUpgradeFrame = MenuPicture("Bbd_UpgradeFrame.png");
}

void CPageMenu::SetUpgradePrices() {
    for (int r = 0; r < UPGRADE_ROBOTS; ++r) m_aiUpgradePrice[r][0] = UpgradePrice(r);
}

void CPageMenu::EnterUpgrade() {
    for (int r = 0; r < UPGRADE_ROBOTS; ++r) {
        m_aUpgradePair[r] = g_CurrentProfile.m_aRobotUpgrade[r];
        m_aiUpgradeMaxLevel[r] = 1;
        for (int& v : m_aiUpgradePrice[r]) v = 0;
    }
    SetUpgradePrices();
    m_vecUpgradeListed = ListedUpgrades(g_CurrentProfile);
    m_UpgradeList = MenuPagedList{0.0f, 0.0f, ShopListMaximum(int(m_vecUpgradeListed.size()))};
}

void CPageMenu::UpdateUpgrade() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    DrawListBacking();
    const float shown = StepPagedList(m_UpgradeList);
    const int w = int(float(g_iScreenWidth) * kListCamera);
    const int h = int(float(g_iScreenHeight) * kListCamera);
    app->SetCamera2D(w, h);
    PlaceListButtons(m_apUpgradeButton, m_vecUpgradeListed, shown);
    ShowListStill([&](float dx) {
        for (size_t k = 0; k < m_vecUpgradeListed.size(); ++k) {
            const int r = m_vecUpgradeListed[k];
            const float x = kListX + dx;
            const float y = kListTop - SHOP_ROW_HEIGHT * float(k) + shown;
            if (std::fabs(y) >= kVisible) continue;
            const bool soldOut = m_aUpgradePair[r].m_iLevel >= m_aUpgradePair[r].m_iAvailable;
            DrawSharedPicture(m_pUpgradeFrame, x - 280.0f, y);
            if (CVxBillboard* pic = m_apUpgradePicture[r]) {
                const float c = soldOut ? kGrey : 1.0f;
                pic->SaveState();
                pic->ScaleSizeUniform(1.25f);
                pic->SetPosition(x - 280.0f, y, 0.0f);
                pic->SetDiffuse(c, c, c, 1.0f);
                pic->RenderSRT();
                pic->RestoreState();
            }
            if (soldOut) DrawSharedPicture(m_pSoldOut, x - 280.0f, y);
            DrawRowText(x, y, GetRobotUpgradeName(r), GetRobotUpgradeEffectText(r), soldOut);
            DrawPriceLine(x, y, soldOut, PriceFromRow(m_aiUpgradePrice[r], m_aUpgradePair[r].m_iAvailable));
        }
    });
    DrawPagedListArrows(m_UpgradeList);
}

void CPageMenu::HandleUpgradeInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectNewAchievement) app->m_pEffectNewAchievement->HandleClick();
    if (m_iPendingBox == -1) {
        for (int r : m_vecUpgradeListed) {
            CVxButton* b = m_apUpgradeButton[r];
            if (!b) continue;
            if (m_aUpgradePair[r].m_iLevel >= m_aUpgradePair[r].m_iAvailable) b->m_iStatus = BUTTON_DISABLE;
            else if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
        }
    } else {
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
        for (CVxButton* b : m_apUpgradeButton)
            if (b) b->m_iStatus = BUTTON_DISABLE;
    }
    for (CVxButton* b : m_apUpgradeButton)
        if (b) b->ProcessInput();
    if (m_iPendingBox != -1 && !MsgBoxOpen()) m_iPendingBox = -1;
    if (!IsInputFree()) return;
    if (PageList(m_UpgradeList)) return;

    for (int r = 0; r < UPGRADE_ROBOTS && m_iPendingBox == -1; ++r) {
        CVxButton* b = m_apUpgradeButton[r];
        if (!b || b->m_iStatus == BUTTON_DISABLE || !b->TakeClick() || !IsTap()) continue;
        const int price = PriceFromRow(m_aiUpgradePrice[r], m_aUpgradePair[r].m_iAvailable);
        if (!g_CurrentProfile.m_abRobotUnlocked[r]) {
            PlayError();
            m_iPendingBox = MSGBOX_NO_PREREQUISITE;
        } else if (g_CurrentProfile.m_iMetalParts < price) {
            PlayError();
            m_iPendingBox = MSGBOX_NOT_ENOUGH_PARTS;
        } else {
            m_iPendingBox = MSGBOX_BUY_UPGRADE;
            m_iChosenRobot = r;
            m_iChosenUpgradePrice = price;
        }
        OpenMsgBox(m_iPendingBox);
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(m_iLabOrigin, 1);
}

void CPageMenu::BuyUpgrade() {
    const int r = m_iChosenRobot;
    if (r < 0 || r >= UPGRADE_ROBOTS || m_aUpgradePair[r].m_iLevel >= m_aUpgradePair[r].m_iAvailable) return;
    int completed = -1;
    if (!ApplyUpgradePurchase(r, m_iChosenUpgradePrice, completed)) return;
    m_aUpgradePair[r] = g_CurrentProfile.m_aRobotUpgrade[r];
    FinishPurchase(completed);
}
