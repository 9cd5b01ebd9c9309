// The encyclopedia opened from the battle: sub-screen 1 of the page, a grid
// of the forty robots and thirty-two Machines, locked ones face down, the
// information board for an open one, and a slide between the two halves.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "battle/page/PageGame.h"
#include "engine/VxNumber.h"
#include "content/SaveProfile.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "game/PulsingButton.h"
#include "platform/ResourceArchive.h"

namespace {

const char* const kCardFolder = "Resource\\Card\\";
const char* const kInfoFolder = "Resource\\InfoPicture\\";
const char* const kMenuFolder = "Resource\\Menu\\";
constexpr int kColumns = 8;
constexpr int kFirstMachine = 1000;
constexpr int kScrollEnd = 620;
constexpr int kScrollStep = 15;

VxVec3 EntryPlace(int i, bool machine, int scroll) {
    const float x = float(i % kColumns) * 89.0f - 308.0f;
    const float y = machine ? float(scroll) - 470.0f - float(i / kColumns) * 95.0f
                            : float(scroll) + 150.0f - float(i / kColumns) * 95.0f;
    return VxVec3{x, y, 0.0f};
}

bool EntryOpen(int i, bool machine) {
    return machine ? g_CurrentProfile.m_aEnemySeen[i].met == 1 : g_CurrentProfile.m_abRobotUnlocked[i] == 1;
}

CVxBillboard* LoadIfPresent(const char* name, const char* folder) {
    if (!ResourceFileExists(name, folder)) return nullptr;
    auto* b = new CVxBillboard(name, folder, nullptr);
    b->SetAlphaBlend(true);
    return b;
}

void DrawCardAt(CVxBillboard* picture, const VxVec3& at, float scale) {
    if (!picture) return;
    picture->SaveState();
    picture->ScaleSizeUniform(scale);
    picture->SetPositionV(at);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

void CPageGame::LoadRobopedia() {
    m_vRpCountAnchor = VxVec3{-352.0f, 243.0f, 0.0f};
    m_vRpHeadingAnchor = VxVec3{-346.0f, 285.0f, 0.0f};
    m_pRpBackButton = AddButton(1);
    if (m_pRpBackButton) {
        if (m_pResourceManager) {
            CustomType faces;
            m_pResourceManager->CreateButtonStates(faces, "Btn_MM_Back_", "Resource\\Button\\", 15);
            CVxButton::SetStateTextures(m_pRpBackButton, faces.m_apState[0], faces.m_apState[1], faces.m_apState[2],
                                        faces.m_apState[3]);
        }
        m_pRpBackButton->m_iHitHalfWidth = 60;
        m_pRpBackButton->m_iHitHalfHeight = 28;
        m_pRpBackButton->SetPosition(-375.0f, -225.0f, 0.0f);
    }
    // The board flips with two hit areas glowing with the light arrows
    // pointing left and right; its text scrolls with two more.
    m_Robopedia = RobopediaParts{};
    auto hit = [&](int half) {
        CVxButton* b = AddButton(1);
        if (b) {
            b->m_iHitHalfWidth = b->m_iHitHalfHeight = half;
            b->SetPosition(9999.0f, 9999.0f, 0.0f);
        }
        return b;
    };
    m_Robopedia.prevButton = hit(32);
    m_Robopedia.nextButton = hit(32);
    m_Robopedia.scrollArrow[0] = hit(32);
    m_Robopedia.scrollArrow[1] = hit(32);
    // The board draws these and runs them, not the page's own pass.
    for (CVxButton* b :
         {m_Robopedia.prevButton, m_Robopedia.nextButton, m_Robopedia.scrollArrow[0], m_Robopedia.scrollArrow[1]})
        if (b) b->m_bVisible = false;
    CVxBillboard* arrows[4] = {};
    if (m_pResourceManager && MakeLightArrows(*m_pResourceManager, arrows)) {
        m_Robopedia.prevGlow = arrows[0];
        m_Robopedia.nextGlow = arrows[1];
    }
    for (CVxButton*& b : m_apRpRobotButtons) b = hit(44);
    for (CVxButton*& b : m_apRpMachineButtons) b = hit(44);
    delete m_pRobotInfo;
    m_pRobotInfo = new CEffect_RobotInfo();
    m_pRobotInfo->ClaimButtons(m_Robopedia);
    m_iRpScrollDir = m_iRpScroll = m_iRpHeading = m_iRpSlideState = 0;
    m_iRpGesture = 0;
}

void CPageGame::ReleaseRobopedia() {
    FreeRobopediaArt();
    delete m_pRobotInfo;
    m_pRobotInfo = nullptr;
    // The buttons went with the page's manager.
    m_pRpBackButton = nullptr;
    for (CVxButton*& b : m_apRpRobotButtons) b = nullptr;
    for (CVxButton*& b : m_apRpMachineButtons) b = nullptr;
    m_Robopedia = RobopediaParts{};
}

void CPageGame::LoadRobopediaArt() {
    FreeRobopediaArt();
    m_pRpBackground = new CVxBillboard("Bbd_StdMenuBG.jpg", kMenuFolder, nullptr);
    m_pRpFrame = new CVxBillboard("Bbd_MenuFramePC.png", kMenuFolder, nullptr);
    m_pRpFrame->SetAlphaBlend(true);
    m_pRpFrame->SetPosition(0.0f, 1.0f, 0.0f);
    m_pRpNumberBox = new CVxBillboard("Bbd_NumberBox.png", kMenuFolder, nullptr);
    m_pRpNumberBox->SetAlphaBlend(true);
    m_pRpHeader = new CVxBillboard("Bbd_Lg_MenuHeader.png", kMenuFolder, nullptr);
    m_pRpHeader->SetAlphaBlend(true);
    m_pRpHeader->SetSize(819.2f, 68.26667f, 1.0f);
    m_pRpHeader->SetTextureRect(0.0f, 0.75f, 1.0f, 1.0f / 12.0f);
    m_pRpHeader->SetPosition(68.0f, 273.0f, 0.0f);
    // The board's title strips are the header sheet's last row: robots on its
    // left half, Machines on its right.
    for (int k = 0; k < 2; ++k) {
        CVxBillboard* part = new CVxBillboard(nullptr, nullptr, m_pRpHeader->m_pTexture);
        part->SetAlphaBlend(true);
        part->SetSize(409.6f, 68.26667f, 1.0f);
        part->SetTextureRect(0.5f * float(k), 11.0f / 12.0f, 0.5f, 1.0f / 12.0f);
        m_apRpHeaderParts[k] = part;
        m_Robopedia.titleStrip[k] = part;
    }
    char name[40];
    for (int j = 0; j < PROFILE_ENEMY_TYPES; ++j) {
        std::snprintf(name, sizeof name, "Card%04d.png", kFirstMachine + j);
        m_apRpMachineCards[j] = LoadIfPresent(name, kCardFolder);
        std::snprintf(name, sizeof name, "Bbd_RobotPic%04d.png", kFirstMachine + j);
        m_apRpMachinePictures[j] = LoadIfPresent(name, kInfoFolder);
        if (m_apRpMachinePictures[j]) m_Robopedia.pictures[kFirstMachine + j] = m_apRpMachinePictures[j];
    }
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        std::snprintf(name, sizeof name, "Bbd_RobotPic%04d.png", i);
        m_apRpRobotPictures[i] = LoadIfPresent(name, kInfoFolder);
        if (m_apRpRobotPictures[i]) m_Robopedia.pictures[i] = m_apRpRobotPictures[i];
    }
}

void CPageGame::FreeRobopediaArt() {
    // The title strips share the header's texture: they go first.
    for (CVxBillboard*& b : m_apRpHeaderParts) {
        delete b;
        b = nullptr;
    }
    for (CVxBillboard** b : {&m_pRpBackground, &m_pRpFrame, &m_pRpNumberBox, &m_pRpHeader}) {
        delete *b;
        *b = nullptr;
    }
    for (CVxBillboard*& b : m_apRpMachineCards) {
        delete b;
        b = nullptr;
    }
    for (CVxBillboard*& b : m_apRpRobotPictures) {
        delete b;
        b = nullptr;
    }
    for (CVxBillboard*& b : m_apRpMachinePictures) {
        delete b;
        b = nullptr;
    }
    m_Robopedia.pictures.clear();
    m_Robopedia.titleStrip[0] = m_Robopedia.titleStrip[1] = nullptr;
}

void CPageGame::RefillCardRecords() {
    m_Battle.ReadCardRecords();
    m_iRpGesture = 0;
    m_vRpPressPoint = m_vRpCursor = VxVec3{};
    if (g_pGameAppInstance) m_iRpSlideFrame = int(g_pGameAppInstance->m_nFrame);
}

void CPageGame::UpdateRobopedia() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (m_pRpBackground) m_pRpBackground->RenderSRT();
    const bool boardIdle = !m_pRobotInfo || m_pRobotInfo->m_aInstances[0].life <= 0;
    for (int group = 0; group < 2; ++group) {
        const bool machine = group == 1;
        const int n = machine ? PROFILE_ENEMY_TYPES : ROBOT_TYPES;
        CVxButton* const* buttons = machine ? m_apRpMachineButtons : m_apRpRobotButtons;
        // Hovered cards last, so they lie on top.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < n; ++i) {
                CVxButton* b = buttons[i];
                if (!b) continue;
                b->SetPositionV(EntryPlace(i, machine, m_iRpScroll));
                const bool hovered = b->HitTest();
                if (hovered != (pass == 1)) continue;
                b->MarkDrawn();  // the entry's card is its face
                if (!EntryOpen(i, machine)) {
                    b->m_iStatus = BUTTON_DISABLE;
                    DrawSharedPicture(app->m_pBbdCardBGBlank, b->m_vPosition.x, b->m_vPosition.y);
                    continue;
                }
                if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
                const float scale = boardIdle && hovered ? 1.1f : 1.0f;
                CVxBillboard* frame =
                    !machine && m_Battle.State().m_aCardDefs[i].m_iUpgradeLevel > 0 && m_pCardBGUpgraded
                        ? m_pCardBGUpgraded
                        : app->m_pBbdCardBG;
                DrawCardAt(frame, b->m_vPosition, scale);
                DrawCardAt(machine ? m_apRpMachineCards[i] : app->m_apBbdCard[i], b->m_vPosition, scale);
            }
        }
    }
    if (m_iRpScrollDir != 0) {
        m_iRpScroll += kScrollStep * m_iRpScrollDir;
        if (m_iRpScroll < 0) m_iRpScroll = 0;
        if (m_iRpScroll > kScrollEnd) m_iRpScroll = kScrollEnd;
        for (CVxButton* b : m_apRpRobotButtons)
            if (b) b->m_iStatus = BUTTON_DISABLE;
        for (CVxButton* b : m_apRpMachineButtons)
            if (b) b->m_iStatus = BUTTON_DISABLE;
        if (m_iRpScroll == 0 || m_iRpScroll == kScrollEnd) m_iRpScrollDir = 0;
    }
}

void CPageGame::DrawRobopediaEntries() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int now = int(app->m_nFrame);
    float lift = 0.0f;
    if (m_iRpSlideState == 1) {
        lift = float(std::min(160, 8 * (now - m_iRpSlideFrame)));
        if (now - m_iRpSlideFrame >= 20) {
            m_iRpSlideState = 2;
            m_iRpSlideFrame = now;
            if (m_iRpScrollDir == -1) m_iRpHeading = 0;
            if (m_iRpScrollDir == 1) m_iRpHeading = 1;
        }
    } else if (m_iRpSlideState == 2) {
        lift = float(std::max(0, 160 - 8 * (now - m_iRpSlideFrame)));
        if (now - m_iRpSlideFrame >= 20) m_iRpSlideState = 0;
    }
    DrawSharedPicture(m_pRpNumberBox, m_vRpCountAnchor.x + 2.0f, m_vRpCountAnchor.y + 15.0f + lift);
    DrawStyledText(app->m_pFontStandard, PanelLabelStyle(), m_vRpHeadingAnchor.x, m_vRpHeadingAnchor.y + lift,
                   m_iRpScroll <= 500 ? "Tinkerlings" : "Machines");
    int count = 0;
    const int total = m_iRpHeading == 0 ? ROBOT_TYPES : PROFILE_ENEMY_TYPES;
    for (int i = 0; i < total; ++i) count += EntryOpen(i, m_iRpHeading == 1) ? 1 : 0;
    // The count against the total, 18 px either side of the slash.
    const float y = m_vRpCountAnchor.y + lift;
    DrawSharedPicture(m_pHudSlash, m_vRpCountAnchor.x, y);
    if (CVxNumber* number = app->m_pNumInterface) {
        const float spacing = number->m_fSpacing;
        const int align = number->m_iAlign, digits = number->m_nMinDigits;
        number->SaveState();
        number->m_fSpacing = 19.0f;
        number->m_nMinDigits = 1;
        number->m_iAlign = 1;
        number->SetPosition(m_vRpCountAnchor.x - 18.0f, y, 0.0f);
        number->Draw(count);
        number->m_iAlign = -1;
        number->SetPosition(m_vRpCountAnchor.x + 18.0f, y, 0.0f);
        number->Draw(total);
        number->m_fSpacing = spacing;
        number->m_iAlign = align;
        number->m_nMinDigits = digits;
        number->RestoreState();
    }
}

void CPageGame::RenderRobopedia() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (m_pRpFrame) m_pRpFrame->RenderSRT();
    DrawRobopediaEntries();
    if (m_pRpHeader) m_pRpHeader->RenderSRT();
    // The page arrow wears the scroll icon over its glow, as on the menu's Robopedia.
    if (CVxButton* arrow = m_pButtonAllScreens) {
        arrow->SetPosition(393.0f, 287.0f, 0.0f);
        arrow->MarkDrawn();  // its icon, drawn below, is its face
        if (CVxBillboard* icon = app->m_apBbdLight[3]) {
            arrow->m_iHitHalfWidth = int(icon->m_vSize.x * 0.4f);
            arrow->m_iHitHalfHeight = int(icon->m_vSize.y * 0.4f);
        }
        DrawLightIcon(app->m_apBbdLight[0], app->m_apBbdLight[3], arrow, arrow->HitTest() ? 0.88f : 0.8f, true);
    }
    if (m_pRpBackButton) m_pRpBackButton->Render();
}

void CPageGame::RenderRobopediaOverlay() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Tick();
    if (m_pRobotInfo) m_pRobotInfo->Tick();
    if (m_iRpGesture == 3) m_iRpGesture = 0;
}

const CVxEffect* CPageGame::OpenBoard() const {
    return m_iSubScreen == 1 && m_pRobotInfo && m_pRobotInfo->IsOpen() ? m_pRobotInfo : nullptr;
}

void CPageGame::HandleRobopediaInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !g_pApp) return;
    InputRecord& in = g_pApp->m_aInput[0];
    m_vRpCursor = VxVec3{float(in.m_iCursorX - g_iScreenWidth / 2), float(g_iScreenHeight / 2 - in.m_iCursorY), 0.0f};
    m_Robopedia.gesture = (in.m_aiKey[MOUSE_LEFT] & KEY_HELD) ? 2 : 0;
    if (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED) {
        m_iRpGesture = 1;
        m_vRpPressPoint = m_vRpCursor;
    }
    // Not else: a press and release within one frame is a tap where it fell.
    if (m_iRpGesture == 1 && (in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED)) {
        const bool still =
            std::abs(m_vRpCursor.x - m_vRpPressPoint.x) < 5.0f && std::abs(m_vRpCursor.y - m_vRpPressPoint.y) < 5.0f;
        m_iRpGesture = still ? 3 : 0;
    }
    if (m_pRobotInfo && m_pRobotInfo->IsOpen()) {
        m_pRobotInfo->HandleClick();
        return;
    }
    if (m_iRpScrollDir != 0) return;
    auto wheel = [&](int key) {
        if (!(in.m_aiKey[key] & KEY_PRESSED)) return false;
        in.m_aiKey[key] = 0;
        return true;
    };
    const bool arrow = m_pButtonAllScreens && m_pButtonAllScreens->TakeClick();
    int dir = 0;
    if (m_iRpScroll == kScrollEnd && (arrow || wheel(MOUSE_WHEEL_FORWARD))) dir = -1;
    else if (m_iRpScroll == 0 && (arrow || wheel(MOUSE_WHEEL_BACKWARD))) dir = 1;
    if (dir != 0) {
        m_iRpScrollDir = dir;
        m_iRpSlideState = 1;
        m_iRpSlideFrame = int(app->m_nFrame);
        RestartSound(app->m_pSndSlideScr);
        return;
    }
    if (m_iRpGesture == 3) {
        for (int group = 0; group < 2; ++group) {
            const bool machine = group == 1;
            const int n = machine ? PROFILE_ENEMY_TYPES : ROBOT_TYPES;
            CVxButton* const* buttons = machine ? m_apRpMachineButtons : m_apRpRobotButtons;
            for (int i = 0; i < n; ++i) {
                CVxButton* b = buttons[i];
                if (!b || !b->HitTest()) continue;
                if (b->m_iStatus == BUTTON_DISABLE) {
                    RestartSound(app->m_pSndError);
                } else if (m_pRobotInfo) {
                    m_pRobotInfo->Add(machine ? kFirstMachine + i : i);
                    RestartSound(app->m_pSndBtnClick);
                }
                return;
            }
        }
    }
    if (m_pRpBackButton && m_pRpBackButton->TakeClick() && app->m_pEffectBlackScreen) {
        app->m_pEffectBlackScreen->m_bSubScreenSwitch = true;
        app->m_pEffectBlackScreen->Add(0);
    }
}
