#include "game/Effect_RobotInfo.h"

#include "content/DescriptiveTexts.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"
#include "game/PulsingButton.h"
#include "game/RobopediaParts.h"

namespace {

constexpr int kRobotKinds = 40;
constexpr int kMachineKinds = 32;
constexpr int kFirstMachine = 1000;
constexpr int kGestureHeld = 2;

const VxColor kRobotHeading{0.0f, 1.0f, 0.0f, 1.0f};
const VxColor kMachineHeading{1.0f, 0.1f, 0.1f, 1.0f};

bool IsMachine(int id) { return id >= kFirstMachine; }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool InTextWindow(float y, float originY) { return y >= originY + INFO_TEXT_BOTTOM && y <= originY + INFO_TEXT_TOP; }

void MoveOff(CVxButton* button) {
    if (button) button->SetPosition(9999.0f, 9999.0f, 0.0f);
}

}  // namespace

bool IsKnownUnit(int id) {
    if (!IsMachine(id)) return id >= 0 && id < kRobotKinds && g_CurrentProfile.m_abRobotUnlocked[id] != 0;
    const int i = id - kFirstMachine;
    return i >= 0 && i < kMachineKinds && g_CurrentProfile.m_aEnemySeen[i].met != 0;
}

int NextKnownUnit(int id, int dir) {
    const bool machine = IsMachine(id);
    const int count = machine ? kMachineKinds : kRobotKinds;
    const int base = machine ? kFirstMachine : 0;
    int index = id - base;
    // One full turn at most: with nothing else known the board flips onto the unit itself.
    for (int step = 0; step < count; ++step) {
        index = ((index + dir) % count + count) % count;
        if (IsKnownUnit(base + index)) return base + index;
    }
    return id;
}

std::vector<std::string> InfoLabelLines(int unitId) {
    std::string text = BuildUnitInfoLabels(unitId);
    text += "Ability :\n";
    text += GetUnitAbilityText(unitId);
    text += "\n";
    if (!IsMachine(unitId) && unitId >= 0 && unitId < kRobotKinds &&
        g_CurrentProfile.m_aRobotUpgrade[unitId].m_iLevel == 1) {
        text += "Upgrade :\n";
        text += GetRobotUpgradeEffectText(unitId);
        text += "\n";
    }
    text += GetUnitDescription(unitId);
    return SplitLines(text);
}

std::vector<std::string> InfoValueLines(int unitId) { return SplitLines(BuildUnitInfoValues(unitId)); }

CEffect_RobotInfo::CEffect_RobotInfo() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    CGameApplication* app = g_pGameAppInstance;
    m_pBoardBG = app ? app->m_pBbdMsgLarge : nullptr;
    m_pBtnOK = new CVxButton(-1);
    m_pBtnOK->m_iOwnerId = m_iOwnerId;
    m_pBtnOK->m_pBoard = this;
    m_lstButtons.push_back(m_pBtnOK);
    if (app) {
        const CustomType& ok = app->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(m_pBtnOK, ok.m_apState[BUTTON_PRESS], ok.m_apState[BUTTON_OVER],
                                    ok.m_apState[BUTTON_DISABLE], ok.m_apState[BUTTON_NORMAL]);
    }
    m_abBoardRendered[0] = m_abBoardRendered[1] = false;
}

void CEffect_RobotInfo::ClaimButtons(RobopediaParts& parts) {
    for (CVxButton* b : {parts.prevButton, parts.nextButton, parts.scrollArrow[0], parts.scrollArrow[1]})
        if (b) b->m_pBoard = this;
}

RobopediaParts* CEffect_RobotInfo::Parts() const {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || app->m_bSwitchPending) return nullptr;
    if (app->m_iCurrentPage == MENU_PAGE_INDEX && app->m_pPageMenu) return app->m_pPageMenu->Robopedia();
    if (app->m_iCurrentPage == BATTLE_PAGE_INDEX && app->m_pPageGame) return app->m_pPageGame->Robopedia();
    return nullptr;
}

void CEffect_RobotInfo::OnStart(int) {
    m_fScroll = 0.0f;
    m_iSlidePhase = 0;
    m_iFlipDir = 0;
    m_nFlipFrames = 0;
    m_abBoardRendered[0] = m_abBoardRendered[1] = false;
}

void CEffect_RobotInfo::DrawInfoLabels(const VxVec3& origin, CVxFont* font, CEffect_RobotInfo* board, float scroll,
                                       int unitId) {
    const std::vector<std::string> lines = InfoLabelLines(unitId);
    FontStyle style = BodyStyle(520);
    const float x = origin.x - 400.0f;
    const float top = origin.y + 100.0f + scroll;
    for (size_t j = 0; j < lines.size(); ++j) {
        const float y = top - 30.0f * float(j);
        if (!InTextWindow(y, origin.y)) continue;
        FontStyle line = style;
        if (lines[j].find(" :") != std::string::npos) line.colour = IsMachine(unitId) ? kMachineHeading : kRobotHeading;
        DrawStyledText(font, line, x, y, lines[j].c_str());
    }
    if (!board || lines.empty()) return;
    board->m_bCanScrollUp = top > origin.y + INFO_TEXT_TOP;
    board->m_bCanScrollDown = top - 30.0f * float(lines.size() - 1) < origin.y + INFO_TEXT_BOTTOM;
}

void CEffect_RobotInfo::DrawInfoValues(const VxVec3& origin, CVxFont* font, float scroll, int unitId) {
    const std::vector<std::string> lines = InfoValueLines(unitId);
    FontStyle style = BodyStyle(-1);
    style.align = 0;
    const float top = origin.y + 100.0f + scroll;
    for (size_t j = 0; j < lines.size(); ++j) {
        const float y = top - 30.0f * float(j);
        if (InTextWindow(y, origin.y)) DrawStyledText(font, style, origin.x, y, lines[j].c_str());
    }
}

void CEffect_RobotInfo::DrawContent(int unit, const VxVec3& origin, float scroll) {
    CGameApplication* app = g_pGameAppInstance;
    DrawInfoLabels(origin, app->m_pFontStandard, this, scroll, unit);
    DrawInfoValues(origin, app->m_pFontStandard, scroll, unit);
    RobopediaParts* parts = Parts();
    if (!parts) return;
    auto it = parts->pictures.find(unit);
    if (it != parts->pictures.end() && it->second) {
        it->second->SaveState();
        it->second->SetPosition(origin.x + 280.0f, origin.y + 15.0f, 0.0f);
        it->second->RenderSRT();
        it->second->RestoreState();
    }
}

void CEffect_RobotInfo::DrawBoard(int i, int unit, float x, float y) {
    CGameApplication* app = g_pGameAppInstance;
    RobopediaParts* parts = Parts();
    const bool machine = IsMachine(unit);
    DrawSharedPicture(m_pBoardBG, x, y);
    if (parts) DrawSharedPicture(parts->titleStrip[machine ? 1 : 0], x, y + 245.0f);
    DrawStyledText(app->m_pFontStandard, TitleStyle(0.75f, 8.0f, 0.5f), x, y + 180.0f, GetUnitName(unit));
    DrawSharedPicture(app->m_pBbdMsgTextBG, x - 150.0f, y - 50.0f, 1.1f, 0.75f);
    DrawSharedPicture(app->m_pBbdMsgTextBG, x + 280.0f, y + 10.0f, 0.58f, 0.5f);
    if (CVxBillboard* rays = app->m_apBbdTwist[machine ? 1 : 0]) {
        rays->SaveState();
        rays->SetRotation(0.0f, 0.0f, float(app->m_nFrame) * -0.1f * VX_DEG_TO_RAD);
        rays->SetPosition(x + 280.0f, y + 10.0f, 0.0f);
        rays->RenderSRT();
        rays->RestoreState();
    }

    // The incoming board is laid out scrolled to the top, as it will stand.
    const float scroll = i == 0 ? m_fScroll : 0.0f;
    if (!m_abBoardRendered[i] && BeginRenderToTexture(i, true)) {
        DrawContent(unit, VxVec3{0.0f, 0.0f, 0.0f}, scroll);
        EndRenderToTexture();
        m_abBoardRendered[i] = true;
    }
    const bool firstFlipFrame = i == 1 && m_nFlipFrames == INFO_FLIP_FRAMES;
    if (!firstFlipFrame) {
        // No slot to keep it in: drawn at the board's own place each frame.
        if (!(m_abBoardRendered[i] && ShowKeptContent(*app, i, VxVec3{x, y, 0.0f})))
            DrawContent(unit, VxVec3{x, y, 0.0f}, scroll);
    }
    if (parts) {
        for (int k = 0; k < 2; ++k) {
            if (!parts->scrollArrow[k]) continue;
            parts->scrollArrow[k]->SetPosition(x + 90.0f * float(k), y - 253.0f, 0.0f);
            DrawPulsingButton(app->m_apBbdLightArrow[k], parts->scrollArrow[k], 0.3f, 1.1f);
        }
    }
    m_pBtnOK->SetPosition(x + 280.0f, y - 195.0f, 0.0f);
    m_pBtnOK->RenderSRT();
}

void CEffect_RobotInfo::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    EffectInstance& r = m_aInstances[0];
    const int id = r.kind;
    if (app->m_pFontStandard) app->m_pFontStandard->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);

    float y = 0.0f;
    if (m_iSlidePhase == 0) {
        y = float(INFO_SLIDE_START - INFO_SLIDE_STEP * r.age);
        if (y < 0.0f) y = 0.0f;
        if (r.age == 0 && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 0);
    } else {
        y = float(INFO_SLIDE_STEP * r.age);
    }
    m_fBoardY = y;

    const int boards = m_iFlipDir != 0 ? 2 : 1;
    for (int i = 0; i < boards; ++i) {
        float x = 0.0f;
        int unit = id;
        if (m_iFlipDir != 0) {
            if (i == 0) {
                x = -float(INFO_FLIP_STEP) * float(INFO_FLIP_FRAMES - m_nFlipFrames) * float(m_iFlipDir);
            } else {
                x = float(INFO_FLIP_STEP) * float(m_nFlipFrames) * float(m_iFlipDir);
                m_iFlipTarget = NextKnownUnit(id, m_iFlipDir);
                unit = m_iFlipTarget;
            }
        }
        DrawBoard(i, unit, x, y);
    }

    if (m_nFlipFrames > 0) {
        --m_nFlipFrames;
        if (m_nFlipFrames == 0) {
            m_iFlipDir = 0;
            if (m_iFlipTarget >= 0) r.kind = m_iFlipTarget;
            m_fScroll = 0.0f;
            m_abBoardRendered[0] = m_abBoardRendered[1] = false;
        }
    }

    RobopediaParts* parts = Parts();
    if (parts && m_iSlidePhase == 0 && m_iFlipDir == 0 && y <= 0.0f) {
        if (parts->prevButton) {
            parts->prevButton->SetPosition(-395.0f, 248.0f, 0.0f);
            DrawPulsingButton(parts->prevGlow, parts->prevButton, 0.3f, 1.1f);
        }
        if (parts->nextButton) {
            parts->nextButton->SetPosition(395.0f, 248.0f, 0.0f);
            DrawPulsingButton(parts->nextGlow, parts->nextButton, 0.3f, 1.1f);
        }
    }

    if (y > float(INFO_SLIDE_START)) {
        Clear(index);
        if (parts) {
            MoveOff(parts->prevButton);
            MoveOff(parts->nextButton);
        }
        if (app->m_iCurrentPage == MENU_PAGE_INDEX && parts) parts->boardOpen = 0;
    }
}

void CEffect_RobotInfo::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    RobopediaParts* parts = Parts();
    m_pBtnOK->ProcessInput();
    if (parts)
        for (CVxButton* b : {parts->prevButton, parts->nextButton, parts->scrollArrow[0], parts->scrollArrow[1]})
            if (b) b->ProcessInput();
    if (!app || m_aInstances[0].life <= 0 || m_iSlidePhase != 0 || m_iFlipDir != 0 || m_fBoardY > 0.0f) return;
    const int gesture = parts ? parts->gesture : 0;
    bool hover[2] = {false, false};
    for (int k = 0; k < 2; ++k)
        hover[k] = parts && parts->scrollArrow[k] && parts->scrollArrow[k]->HitTest() && gesture == kGestureHeld;

    uint32_t* keys = app->m_aInput[0].m_aiKey;
    int step = 0;  // -1 up, +1 down
    if (keys[MOUSE_WHEEL_FORWARD] & KEY_PRESSED) {
        keys[MOUSE_WHEEL_FORWARD] &= ~KEY_PRESSED;
        step = -1;
    } else if (hover[0]) {
        step = -1;
    } else if (keys[MOUSE_WHEEL_BACKWARD] & KEY_PRESSED) {
        keys[MOUSE_WHEEL_BACKWARD] &= ~KEY_PRESSED;
        step = 1;
    } else if (hover[1]) {
        step = 1;
    }
    if (step < 0 && m_bCanScrollUp) {
        m_fScroll -= INFO_SCROLL_STEP;
        m_abBoardRendered[0] = false;
    } else if (step > 0 && m_bCanScrollDown) {
        m_fScroll += INFO_SCROLL_STEP;
        m_abBoardRendered[0] = false;
    }

    int flip = 0;
    if (parts && parts->prevButton && parts->prevButton->TakeClick()) flip = -1;
    else if (parts && parts->nextButton && parts->nextButton->TakeClick()) flip = 1;
    if (flip != 0) {
        m_iFlipDir = flip;
        m_nFlipFrames = INFO_FLIP_FRAMES;
        RestartSound(app->m_pSndSlideScr);
    }

    if (m_pBtnOK->TakeClick() || TakeKeyRelease(VK_ENTER)) {
        m_iSlidePhase = 1;
        m_aInstances[0].age = 0;
        if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
        RestartSound(app->m_pSndBtnClick);
    }
}
