// The Robopedia: the forty robots and thirty-two Machines as cards in a grid,
// a blank card for one not yet unlocked or met, the information board for an
// open one, and a slide between the two grids.
#include <cstdio>
#include <string>

#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxTexture.h"
#include "frontend/PageMenu.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "platform/ResourceArchive.h"

namespace {

const char* const kCardFolder = "Resource\\Card\\";
const char* const kInfoFolder = "Resource\\InfoPicture\\";
constexpr int kColumns = 8;
constexpr float kColumnSpacing = 89.0f;
constexpr float kRowSpacing = 95.0f;
constexpr int kFirstMachine = 1000;

VxVec3 EntryPlace(int i, bool machine, int offset, float slideX) {
    const float x = float(i % kColumns) * kColumnSpacing - 230.0f + slideX;
    const float y = machine ? float(offset) - 470.0f - float(i / kColumns) * kRowSpacing
                            : float(offset) + 150.0f - float(i / kColumns) * kRowSpacing;
    return VxVec3{x, y, 0.0f};
}

}  // namespace

void CPageMenu::LoadRobopedia() {
    CGameApplication* app = g_pGameAppInstance;
    auto entry = [&]() {
        CVxButton* b = HandledButton(MENU_ROBOPEDIA);
        if (b) {
            b->m_iHitHalfWidth = 44;
            b->m_iHitHalfHeight = 44;
            b->m_iStatus = BUTTON_NORMAL;
        }
        return b;
    };
    for (CVxButton*& b : m_apRobotEntry) b = entry();
    for (CVxButton*& b : m_apMachineEntry) b = entry();
    m_Robopedia = RobopediaParts{};
    for (int k = 0; k < ROBOPEDIA_MACHINES; ++k) {
        const std::string card = "Card" + std::to_string(kFirstMachine + k) + ".png";
        m_apMachineCard[k] = nullptr;
        if (ResourceFileExists(card.c_str(), kCardFolder)) {
            m_apMachineCard[k] = m_pResourceManager->CreateBillboard(card.c_str(), kCardFolder, nullptr);
            if (m_apMachineCard[k]) m_apMachineCard[k]->SetAlphaBlend(true);
        }
    }
    for (int id = 0; id < kFirstMachine + ROBOPEDIA_MACHINES; ++id) {
        if (id == ROBOPEDIA_ROBOTS) id = kFirstMachine;
        char name[40];
        std::snprintf(name, sizeof name, "Bbd_RobotPic%04d.png", id);
        if (!ResourceFileExists(name, kInfoFolder)) continue;
        CVxBillboard* pic = m_pResourceManager->CreateBillboard(name, kInfoFolder, nullptr);
        if (!pic) continue;
        pic->SetAlphaBlend(true);
        m_Robopedia.pictures[id] = pic;
    }
    m_pUpgradedCardFrame = m_pResourceManager->CreateBillboard("Bbd_CardBGUpgrade.png", kCardFolder, nullptr);
    if (m_pUpgradedCardFrame) m_pUpgradedCardFrame->SetAlphaBlend(true);

    delete m_pRobotInfo;
    m_pRobotInfo = new CEffect_RobotInfo();
    m_pRobopediaBarTexture = m_pResourceManager->CreateTexture("Bbd_RobopediaTitle.png", "Resource\\Menu\\");
    for (int k = 0; k < 2; ++k) {
        CVxBillboard* bar = m_pResourceManager->CreateBillboard(nullptr, nullptr, m_pRobopediaBarTexture);
        if (!bar) continue;
        bar->SetAlphaBlend(true);
        bar->SetSize(409.6f, 68.27f, 1.0f);
        bar->SetTextureRect(0.5f * float(k), 0.0f, 0.5f, 1.0f);
        m_Robopedia.titleStrip[k] = bar;
    }
    // The board's flip buttons glow with the menu's left and right arrows;
    // its scroll arrows are the page's two rectangle-arrow buttons.
    for (int k = 0; k < 2; ++k) {
        CVxButton* flip = HandledButton(MENU_ROBOPEDIA);
        if (flip) {
            flip->m_iHitHalfWidth = flip->m_iHitHalfHeight = 32;
            flip->SetPosition(9999.0f, 9999.0f, 0.0f);
        }
        (k == 0 ? m_Robopedia.prevButton : m_Robopedia.nextButton) = flip;
        (k == 0 ? m_Robopedia.prevGlow : m_Robopedia.nextGlow) = m_apLightArrow[k];
        CVxButton* arrow = m_apRectArrowButton[k];
        if (arrow && app && app->m_apBbdLightArrow[k]) {
            arrow->m_iHitHalfWidth = int(app->m_apBbdLightArrow[k]->m_vSize.x * 0.5f);
            arrow->m_iHitHalfHeight = int(app->m_apBbdLightArrow[k]->m_vSize.y * 0.5f);
        }
        m_Robopedia.scrollArrow[k] = arrow;
    }
    if (m_pRobotInfo) m_pRobotInfo->ClaimButtons(m_Robopedia);
    if (m_pSwapButton && app && app->m_apBbdLight[3]) {
        m_pSwapButton->m_iHitHalfWidth = int(app->m_apBbdLight[3]->m_vSize.x * 0.4f);
        m_pSwapButton->m_iHitHalfHeight = int(app->m_apBbdLight[3]->m_vSize.y * 0.4f);
    }
    m_iRobopediaSlide = m_iRobopediaOffset = m_iPageTurn = m_iHeaderChoice = 0;
    m_iPanelList = 0;
    m_Robopedia.boardOpen = 0;
}

void CPageMenu::ReleaseRobopedia() {
    delete m_pRobotInfo;
    m_pRobotInfo = nullptr;
    m_Robopedia = RobopediaParts{};
    for (CVxButton*& b : m_apRobotEntry) b = nullptr;
    for (CVxButton*& b : m_apMachineEntry) b = nullptr;
    for (CVxBillboard*& b : m_apMachineCard) b = nullptr;
    m_pUpgradedCardFrame = nullptr;
    m_pRobopediaBarTexture = nullptr;
}

void CPageMenu::EnterRobopedia() {
    for (int i = 0; i < ROBOPEDIA_ROBOTS; ++i) {
        m_aRobotRecord[i] = UnitDefinition{};
        GetUnitDefinition(m_aRobotRecord[i], i);
    }
}

void CPageMenu::StepRobopediaSlide() {
    if (m_iRobopediaSlide == 0) return;
    m_iRobopediaOffset += m_iRobopediaSlide * ROBOPEDIA_SLIDE_STEP;
    if (m_iRobopediaOffset <= 0 || m_iRobopediaOffset >= ROBOPEDIA_PAGE_OFFSET) {
        m_iRobopediaOffset = m_iRobopediaOffset <= 0 ? 0 : ROBOPEDIA_PAGE_OFFSET;
        m_iRobopediaSlide = 0;
    }
}

void CPageMenu::UpdateRobopedia() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    m_Robopedia.gesture = m_iGesture;
    const bool boardIdle = !m_pRobotInfo || m_pRobotInfo->m_aInstances[0].life <= 0;
    for (int group = 0; group < 2; ++group) {
        const bool machine = group == 1;
        const int n = machine ? ROBOPEDIA_MACHINES : ROBOPEDIA_ROBOTS;
        CVxButton* const* buttons = machine ? m_apMachineEntry : m_apRobotEntry;
        // Hovered cards last, so they lie on top.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = n - 1; i >= 0; --i) {
                CVxButton* b = buttons[i];
                if (!b) continue;
                b->SetPositionV(EntryPlace(i, machine, m_iRobopediaOffset, m_fSlideX));
                const bool hovered = b->HitTest();
                if (hovered != (pass == 1)) continue;
                b->MarkDrawn();
                const bool open =
                    machine ? g_CurrentProfile.m_aEnemySeen[i].met == 1 : g_CurrentProfile.m_abRobotUnlocked[i] == 1;
                if (!open || m_iRobopediaSlide != 0) {
                    b->m_iStatus = BUTTON_DISABLE;
                } else if (b->m_iStatus == BUTTON_DISABLE) {
                    b->m_iStatus = BUTTON_NORMAL;
                }
                if (!open) {
                    DrawSharedPicture(app->m_pBbdCardBGBlank, b->m_vPosition.x, b->m_vPosition.y);
                    continue;
                }
                CVxBillboard* frame = !machine && m_aRobotRecord[i].m_iUpgradeLevel > 0 && m_pUpgradedCardFrame
                                          ? m_pUpgradedCardFrame
                                          : app->m_pBbdCardBG;
                CVxBillboard* card = machine ? m_apMachineCard[i] : app->m_apBbdCard[i];
                const bool grow = boardIdle && hovered;
                if (frame) {
                    frame->SaveState();
                    if (grow) frame->ScaleSizeUniform(1.1f);
                    frame->SetPositionV(b->m_vPosition);
                }
                if (card) {
                    card->SaveState();
                    if (grow && frame) {
                        const float w = frame->m_vSize.x, h = frame->m_vSize.y;
                        if (machine) card->SetSize(w, h * 1.01f, 1.0f);
                        else card->SetSize(w * 1.1f, h * 1.1f, 1.0f);
                    }
                    card->SetPositionV(b->m_vPosition);
                }
                if (frame) {
                    frame->RenderSRT();
                    frame->RestoreState();
                }
                if (card) {
                    card->RenderSRT();
                    card->RestoreState();
                }
            }
        }
    }
    StepRobopediaSlide();
}

void CPageMenu::RenderRobopedia() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    DrawSwapButton();
}

void CPageMenu::RenderRobopediaOverlay() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    // The page's overlay has stepped the dimming behind the board once this
    // frame already; the board draws over it at full brightness.
    if (!m_pRobotInfo) return;
    m_pRobotInfo->Tick();
}

void CPageMenu::HandleRobopediaInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !IsInputFree()) return;
    if (m_Robopedia.boardOpen) {
        if (m_pRobotInfo) m_pRobotInfo->HandleClick();
        return;
    }
    if (m_iRobopediaSlide != 0) return;
    bool slide = false;
    if (m_iRobopediaOffset == ROBOPEDIA_PAGE_OFFSET) {
        if ((m_pSwapButton && m_pSwapButton->TakeClick()) || TakeWheel(MOUSE_WHEEL_FORWARD)) {
            m_iRobopediaSlide = -1;
            slide = true;
        }
    } else if (m_iRobopediaOffset == 0) {
        if ((m_pSwapButton && m_pSwapButton->TakeClick()) || TakeWheel(MOUSE_WHEEL_BACKWARD)) {
            m_iRobopediaSlide = 1;
            slide = true;
        }
    }
    if (slide) {
        m_iPageTurn = 1;
        m_iEnterFrame = int(app->m_nFrame);
        PlaySlide();
        return;
    }
    if (IsTap()) {
        for (int group = 0; group < 2; ++group) {
            const bool machine = group == 1;
            const int n = machine ? ROBOPEDIA_MACHINES : ROBOPEDIA_ROBOTS;
            CVxButton* const* buttons = machine ? m_apMachineEntry : m_apRobotEntry;
            for (int i = 0; i < n; ++i) {
                CVxButton* b = buttons[i];
                if (!b || !b->HitTest()) continue;
                if (b->m_iStatus == BUTTON_DISABLE) {
                    PlayError();
                } else if (m_pRobotInfo) {
                    m_pRobotInfo->Add(machine ? kFirstMachine + i : i);
                    m_Robopedia.boardOpen = 1;
                    PlayClick();
                }
                return;
            }
        }
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_MAIN, 1);
}
