// What several menu screens share: the glowing list arrows, the information
// panel at the top left, the progress queries and the scrolling picture lists.
#include <cmath>
#include <cstdio>
#include <string>

#include "content/Achievements.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxNumber.h"
#include "engine/VxTexture.h"
#include "frontend/MenuRules.h"
#include "frontend/PageMenu.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "game/PulsingButton.h"
#include "content/SaveProfile.h"

namespace {

// The information panel's box and label points.
constexpr float kBoxX = -352.0f;
constexpr float kBoxY = 243.0f;
constexpr float kLabelX = -346.0f;
constexpr float kLabelY = 285.0f;
constexpr float kLockSize = 256.0f;
// Cell of the interface digit sheet (4 x 4) that holds the slash.
constexpr int kSlashCell = 14;
// Size of one digit of a count on the menu, before the caller's scale: a
// whole 64-pixel cell of the sheet, whose glyphs fit a 19-pixel advance.
constexpr float kDigitSize = 64.0f;

}  // namespace

// ---- progress queries ----------------------------------------------------

int CPageMenu::GetEpisodeOfProgress() const { return EpisodeOfProgress(g_CurrentProfile.m_iFurthestStage); }

int CPageMenu::GetOpenMiniGameCount() const { return OpenMiniGameCount(g_CurrentProfile.m_iFurthestStage); }

int CPageMenu::GetOpenAreaCount() const { return OpenAreaCount(g_CurrentProfile.m_iFurthestStage, m_iEpisodeChoice); }

int CPageMenu::GetOpenStageCountInArea() const {
    return OpenStageCount(g_CurrentProfile.m_iFurthestStage, m_iEpisodeChoice, m_iMapArea);
}

bool CPageMenu::IsNewestStage(int index) const {
    return IsNewestStageButton(g_CurrentProfile.m_iFurthestStage, m_iEpisodeChoice, m_iMapArea, index);
}

// ---- arrows --------------------------------------------------------------

void CPageMenu::DrawListArrow(MenuListArrow kind) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || (kind != LIST_ARROW_UP && kind != LIST_ARROW_DOWN)) return;
    const float t = float(int(app->m_nFrame) % 41) / 40.0f;
    const float p = 1.0f + 0.3f * t;
    const float f = 1.0f - t;
    const float y = kind == LIST_ARROW_UP ? 200.0f : -270.0f;
    CVxButton* button = m_apListButton[kind];
    CVxBillboard* arrow = m_apLightArrow[kind];
    if (button) {
        button->SetPosition(390.0f, y, 0.0f);
        button->MarkDrawn();
    }
    if (!arrow) return;
    arrow->SetPosition(390.0f, y, 0.0f);
    arrow->SaveState();
    arrow->ScaleSizeUniform(p);
    arrow->SetBlendMode(BLEND_ADD, arrow->m_iAlphaRef);
    arrow->SetDiffuse(f, f, f, f);
    arrow->RenderSRT();
    arrow->RestoreState();
    if (IsInputFree() && button && button->HitTest()) arrow->ScaleSizeUniform(1.1f);
    arrow->RenderSRT();
    arrow->RestoreState();
}

void CPageMenu::DrawSwapButton() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !m_pSwapButton) return;
    m_pSwapButton->SetPosition(393.0f, 287.0f, 0.0f);
    // Under the information board it shows without its glow and takes no mouse.
    const bool boardIdle = !m_pRobotInfo || !m_pRobotInfo->IsOpen();
    const bool hovered = IsInputFree() && m_pSwapButton->HitTest();
    DrawLightIcon(boardIdle ? app->m_apBbdLight[0] : nullptr, app->m_apBbdLight[3], m_pSwapButton,
                  hovered ? 0.88f : 0.8f, true);
}

// ---- information panel ---------------------------------------------------

void CPageMenu::DrawInfoPanel(int variant) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    int offset = 0;
    const int s = m_iSubScreen;
    if (variant == 3 && m_iPageTurn != 0 && g_pApp) {
        // The panel rises 160, changes its list and comes back down, in 40 frames.
        const int e = int(g_pApp->m_nFrame) - m_iEnterFrame;
        if (m_iPageTurn == 1) {
            offset = 8 * e;
            if (e > 20) {
                m_iPageTurn = 2;
                m_iEnterFrame = int(g_pApp->m_nFrame);
                m_iPanelList = m_iRobopediaSlide == -1 ? 0 : (m_iRobopediaSlide == 1 ? 1 : m_iPanelList);
            }
        } else {
            offset = 8 * (20 - e);
            if (e > 20) {
                m_iPageTurn = 0;
                offset = 0;
                m_iEnterFrame = int(g_pApp->m_nFrame);
            }
        }
    }
    if (m_fHeaderRise > 0.0f && (s == MENU_STAGE_MAP || s == MENU_MISSION)) {
        auto mapOrMission = [](int k) { return k == MENU_STAGE_MAP || k == MENU_MISSION; };
        const bool between = m_iChangeState == 1 ? mapOrMission(m_iNextScreen) : mapOrMission(m_iPrevSubScreen);
        const int from = m_iPrevSubScreen;
        const bool enteringFromElsewhere =
            m_iChangeState == -1 && from != MENU_EPISODE && from != MENU_LABORATORY && from != MENU_UPGRADE;
        // The panel stands still while the screens around it change.
        if (between || enteringFromElsewhere) offset = -int(m_fHeaderRise);
    }
    const float r = m_fHeaderRise + float(offset);
    const bool wide = variant == 0 || variant == 4;

    if (CVxBillboard* box = m_pNumberBox) {
        box->SaveState();
        if (wide) box->ScaleSize2D(1.25f, 1.0f);
        box->SetPosition(kBoxX + (wide ? 22.0f : 2.0f), kBoxY + 15.0f + r, 0.0f);
        box->RenderSRT();
        box->RestoreState();
    }
    static const char* const kLabels[5] = {"Hello", "Completion", "Metal Parts", "Tinkerlings", "Episode"};
    if (variant < 0 || variant > 4) return;
    CVxFont* font = app->m_pFontStandard;
    const char* label = variant == 3 && m_iRobopediaOffset > 500 ? "Machines" : kLabels[variant];
    DrawStyledText(font, PanelLabelStyle(), kLabelX + (wide ? 25.0f : 0.0f), kLabelY + r, label);

    const FontStyle nameStyle = PanelStyle(0.45f, 5.25f, 0.75f, 0.6f, 0);
    const FontStyle valueStyle = PanelStyle(0.6f, 5.0f, 0.85f, 0.65f, 0);
    switch (variant) {
    case 0: DrawStyledText(font, nameStyle, kBoxX + 26.0f, kBoxY - 1.0f + r, g_CurrentProfile.m_szName); break;
    case 4: {
        static const char* const kTitles[3] = {"Mini-Adventure", "The Revenge", "The Last Stand"};
        // The mini-game entry has no episode title; the stage map is not reached from it.
        if (m_iEpisodeChoice >= 0 && m_iEpisodeChoice < 3)
            DrawStyledText(font, nameStyle, kBoxX + 26.0f, kBoxY - 1.0f + r, kTitles[m_iEpisodeChoice]);
        break;
    }
    case 1: DrawStyledText(font, valueStyle, kBoxX + 5.0f, kBoxY + r, PercentText(m_fCompletion).c_str()); break;
    case 2:
        DrawStyledText(font, valueStyle, kBoxX + 5.0f, kBoxY + r,
                       WithThousands(g_CurrentProfile.m_iMetalParts).c_str());
        break;
    case 3: {
        int count = 0;
        if (m_iPanelList == 0) {
            for (uint8_t u : g_CurrentProfile.m_abRobotUnlocked) count += u == 1 ? 1 : 0;
        } else {
            for (const EnemySeenRecord& m : g_CurrentProfile.m_aEnemySeen) count += m.met == 1 ? 1 : 0;
        }
        // The count ends 18 left of the box point; the separator and total stand right of it.
        DrawCountAt(count, m_iPanelList == 0 ? PROFILE_ROBOTS : PROFILE_ENEMY_TYPES, kBoxX - 18.0f, kBoxX + 18.0f,
                    kBoxX + 36.0f, kBoxY + r, 20.0f, 1.0f);
        break;
    }
    default: break;
    }
}

void CPageMenu::DrawCountOf(int count, int total, float x, float y, float spacing, float gap, float scale) {
    DrawCountAt(count, total, x - gap, x, x + gap, y, spacing, scale);
}

void CPageMenu::DrawCountAt(int count, int total, float countX, float slashX, float totalX, float y, float spacing,
                            float scale) {
    CGameApplication* app = g_pGameAppInstance;
    CVxNumber* number = app ? app->m_pNumInterface : nullptr;
    if (!number) return;
    number->SaveState();
    const float spacingWas = number->m_fSpacing;
    const int alignWas = number->m_iAlign;
    const int digitsWas = number->m_nMinDigits;
    number->SetSize(kDigitSize * scale, kDigitSize * scale, 1.0f);
    number->m_fSpacing = spacing;
    number->m_nMinDigits = 1;
    number->m_iAlign = 1;
    number->SetPosition(countX, y, 0.0f);
    number->Draw(count);
    number->m_iAlign = -1;
    number->SetPosition(totalX, y, 0.0f);
    number->Draw(total);
    number->m_fSpacing = spacingWas;
    number->m_iAlign = alignWas;
    number->m_nMinDigits = digitsWas;
    number->RestoreState();
    if (CVxBillboard* slash = m_pSlash) {
        slash->SaveState();
        slash->SetSize(kDigitSize * scale, kDigitSize * scale, 1.0f);
        slash->SetPosition(slashX, y, 0.0f);
        slash->RenderSRT();
        slash->RestoreState();
    }
}

void CPageMenu::MakeSlash() {
    CGameApplication* app = g_pGameAppInstance;
    m_pSlash = nullptr;
    if (!app || !app->m_pNumInterface || !m_pResourceManager) return;
    CVxTexture* sheet = app->m_pNumInterface->m_apDigitTextures[0];
    if (!sheet) return;
    m_pSlash = m_pResourceManager->CreateBillboard(nullptr, nullptr, sheet);
    m_pSlash->SetAlphaBlend(true);
    m_pSlash->SetTextureRect(float(kSlashCell % 4) * 0.25f, float(kSlashCell / 4) * 0.25f, 0.25f, 0.25f);
}

// ---- scrolling picture lists ---------------------------------------------

bool CPageMenu::MoveList(CVxBillboard* const* pictures, const VxVec3* targets, int n, float step) {
    bool firstArrived = false;
    for (int i = 0; i < n; ++i) {
        CVxBillboard* pic = pictures[i];
        if (!pic) continue;
        const float y = pic->m_vPosition.y;
        const float ty = targets[i].y;
        float ny = y + (ty > y ? step : -step);
        if (std::fabs(ty - y) < step) ny = ty;
        pic->SetPosition(targets[i].x + m_fSlideX, ny, targets[i].z);
        if (i == 0 && ny == ty) firstArrived = true;
    }
    return firstArrived;
}

void CPageMenu::PlaceList(CVxBillboard* const* pictures, const VxVec3* targets, int n) {
    for (int i = 0; i < n; ++i)
        if (pictures[i])
            pictures[i]->SetPosition(targets[i].x + m_fSlideX, targets[i].y + m_vDragVelocity.y, targets[i].z);
}

void CPageMenu::DrawFramedEntry(CVxBillboard* picture, const VxVec3& at, const FramedEntryLook& look) {
    const VxVec3 place = at;  // at may be the picture's own place
    // Each piece keeps its own state for its other uses.
    auto draw = [&](CVxBillboard* b, auto&& dress) {
        if (!b) return;
        b->SaveState();
        b->SetPositionV(place);
        dress(*b);
        b->RenderSRT();
        b->RestoreState();
    };
    draw(picture, [&](CVxBillboard& b) {
        b.ScaleSizeUniform(look.pictureScale);
        b.SetDiffuse(look.shade, look.shade, look.shade, look.alpha);
    });
    draw(look.frame, [&](CVxBillboard& b) {
        b.ScaleSizeUniform(look.frameScale);
        if (look.lit) {
            b.m_iTextureOp = 1;
            b.SetDiffuse(0.075f, 0.075f, 0.0f, 1.0f);
        } else {
            b.SetDiffuse(1.0f, 1.0f, 1.0f, look.alpha);
        }
    });
    if (look.lockSize > 0.0f) draw(m_pLock, [&](CVxBillboard& b) { b.SetSize(look.lockSize, look.lockSize, 1.0f); });
}

void CPageMenu::DrawListEntry(CVxBillboard* picture, bool locked, bool lit) {
    FramedEntryLook look;
    look.frame = m_pPicFrame;
    look.shade = locked ? 0.3f : 1.0f;
    look.lit = lit;
    look.lockSize = locked ? kLockSize : 0.0f;
    if (picture) DrawFramedEntry(picture, picture->m_vPosition, look);
}

void CPageMenu::DrawLabelPop(CVxBillboard* label, float x, float y) {
    if (!label || !g_pApp) return;
    const int k = int(g_pApp->m_nFrame) - m_iEnterFrame;
    const float s = (k >= 0 && k < 10) ? 1.25f - 0.25f * (float(k) / 10.0f) : 1.0f;
    label->SaveState();
    label->SetPosition(x, y, 0.0f);
    label->ScaleSizeUniform(s);
    label->RenderSRT();
    label->RestoreState();
}

void CPageMenu::DrawStarPanel(float x, float y, float sx, float sy, int stars, int possible, float scale, float iconDx,
                              float numberDx, float numberDy) {
    if (m_pTextBG) {
        m_pTextBG->SaveState();
        m_pTextBG->ScaleSize2D(sx, sy);
        m_pTextBG->SetPosition(x, y, 0.0f);
        m_pTextBG->RenderSRT();
        m_pTextBG->RestoreState();
    }
    if (CVxBillboard* star = m_apSaveIcon[0]) {
        star->SaveState();
        star->ScaleSizeUniform(scale);
        star->SetPosition(x - iconDx, y + 6.0f, 0.0f);
        star->RenderSRT();
        star->RestoreState();
    }
    DrawCountOf(stars, possible, x + numberDx, y + numberDy, 20.0f * scale, 18.0f, scale);
}
