// The still part of the message box: panel, text band, the kind's pictures,
// title and body.
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "game/BattleLink.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"

namespace {

constexpr float kPi = 3.14159265f;

const VxColor kGreen{0.0f, 1.0f, 0.0f, 1.0f};
const VxColor kRed{1.0f, 0.1f, 0.1f, 1.0f};

int PageIndex(const CGameApplication& app) { return app.m_bSwitchPending ? -1 : int(app.m_iCurrentPage); }

CVxBillboard* MapIcon(CGameApplication& app, int icon) {
    switch (icon) {
    case MAP_ICON_FLAG: return app.m_apBbdInterface[5];
    case MAP_ICON_CARD: return app.m_pBbdCardBG;
    case MAP_ICON_HEART: return app.m_apBbdInterface[1];
    case MAP_ICON_ENERGY: return app.m_apBbdInterface[2];
    default: return nullptr;
    }
}

void DrawTurned(CVxBillboard* picture, float x, float y, float angle) {
    if (!picture) return;
    picture->SaveState();
    picture->SetRotation(0.0f, 0.0f, angle);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

void CEffect_MsgBox::DrawStatic(float x, float y) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int kind = m_aInstances[0].kind;

    const MsgBoxPanelSpec panel = MsgBoxPanelOf(kind);
    if (panel.medium)
        DrawSharedPicture(app->m_pBbdMsgMedium, x + panel.centre.x, y + panel.centre.y, panel.sx, panel.sy);
    else DrawSharedPicture(app->m_pBbdMsgSmall, x + panel.centre.x, y + panel.centre.y);

    const MsgBoxBandSpec band = MsgBoxBandOf(kind);
    if (band.shown) DrawSharedPicture(app->m_pBbdMsgTextBG, x + band.centre.x, y + band.centre.y, band.sx, band.sy);

    DrawKindPictures(*app, kind, x, y);

    MsgBoxPlace title;
    if (MsgBoxTitlePlace(kind, title))
        DrawStyledText(app->m_pFontStandard, TitleStyle(0.75f, 8.0f, 0.3f), x + title.x, y + title.y,
                       MsgBoxTitle(kind));
    DrawBody(*app, kind, x, y);
}

void CEffect_MsgBox::DrawKindPictures(CGameApplication& app, int kind, float x, float y) {
    const int page = PageIndex(app);
    switch (kind) {
    case MSGBOX_MAP_UNLOCK_CONDITIONS: {
        CMenuLink* menu = app.m_pPageMenu;
        if (page != MENU_PAGE_INDEX || !menu) break;
        MapUnlockRow rows[MAP_UNLOCK_MAX_ROWS];
        const int n =
            MapUnlockRows(menu->MapArea(), menu->EpisodeChoice(), menu->GetOpenAreaCount(), g_CurrentProfile, rows);
        for (int i = 0; i < n; ++i) {
            const MapUnlockRow& row = rows[i];
            if (CVxBillboard* icon = MapIcon(app, row.icon))
                DrawSharedPicture(icon, x + row.iconAt.x, y + row.iconAt.y, row.iconScale, row.iconScale);
            if (row.hasMark) DrawSharedPicture(menu->ConditionMark(row.met), x + row.markAt.x, y + row.markAt.y);
        }
        break;
    }
    case MSGBOX_TIP_STAGE_RESULTS: DrawSharedPicture(app.m_apBbdStar[0], x, y + 92.0f); break;
    case MSGBOX_TIP_CLEAR_RECALL:
        DrawSharedPicture(app.m_apBbdLight[2], x - 75.0f, y + 92.0f);
        DrawSharedPicture(app.m_apBbdLight[1], x + 75.0f, y + 92.0f);
        break;
    case MSGBOX_TIP_FIELD_PREVIEW:
        DrawSharedPicture(app.m_aButtonSets[BTN_MAP].m_apState[BUTTON_PRESS], x, y + 74.0f, 0.8f, 0.8f);
        break;
    case MSGBOX_TIP_CARD_PAGES: DrawSharedPicture(app.m_apBbdLight[3], x, y + 92.0f); break;
    case MSGBOX_TIP_ROBOPEDIA: DrawSharedPicture(app.m_apBbdLight[4], x, y + 92.0f); break;
    case MSGBOX_TIP_SCROLL_WHEEL:
        if (page == MENU_PAGE_INDEX && app.m_pPageMenu) {
            DrawTurned(app.m_pPageMenu->ScrollArrow(0), x - 60.0f, y + 92.0f, kPi / 2.0f);
            DrawTurned(app.m_pPageMenu->ScrollArrow(1), x + 60.0f, y + 92.0f, 3.0f * kPi / 2.0f);
        }
        break;
    case MSGBOX_TIP_LIFE_DAMAGE: DrawSharedPicture(app.m_pBbdHeartAttack, x, y + 92.0f, 1.3f, 1.3f); break;
    case MSGBOX_TIP_METAL_SPIKES:
        for (int i = -2; i <= 2; ++i) DrawSharedPicture(app.m_pBbdSpike, x + 19.0f * float(i), y + 103.0f);
        break;
    case MSGBOX_TIP_MINI_CAPSULE:
        if (page == BATTLE_PAGE_INDEX && app.m_pPageGame)
            DrawSharedPicture(app.m_pPageGame->Capsule(), x, y + 75.0f, 0.85f, 0.85f);
        break;
    default: break;
    }
}

void CEffect_MsgBox::DrawBody(CGameApplication& app, int kind, float x, float y) {
    CVxFont* font = app.m_pFontStandard;
    int align = 1;
    const MsgBoxPlace start = MsgBoxBodyStart(kind, align);
    FontStyle body = BodyStyle(530);
    body.align = align;
    const float sx = x + start.x;
    const float sy = y + start.y;

    switch (kind) {
    case MSGBOX_MAP_UNLOCK_CONDITIONS: {
        CMenuLink* menu = app.m_pPageMenu;
        if (PageIndex(app) != MENU_PAGE_INDEX || !menu) return;
        body.wrapWidth = 680;
        DrawStyledText(font, body, sx, sy, MAP_UNLOCK_HEADLINE);
        MapUnlockRow rows[MAP_UNLOCK_MAX_ROWS];
        const int n =
            MapUnlockRows(menu->MapArea(), menu->EpisodeChoice(), menu->GetOpenAreaCount(), g_CurrentProfile, rows);
        for (int i = 0; i < n; ++i)
            DrawStyledText(font, body, x + rows[i].textAt.x, y + rows[i].textAt.y, rows[i].text.c_str());
        return;
    }
    case MSGBOX_NEW_MAP_UNLOCK:
        DrawStyledText(font, body, sx, sy, NewMapUnlockText(g_CurrentProfile.m_iFurthestStage).c_str());
        return;
    case MSGBOX_NEW_EPISODE_UNLOCK:
        DrawStyledText(font, body, sx, sy, NewEpisodeUnlockText(g_CurrentProfile.m_iFurthestStage).c_str());
        return;
    case MSGBOX_TIP_CARD_SET: {
        FontStyle green = body;
        green.colour = kGreen;
        DrawStyledText(font, green, sx, sy, "To change the order of selected cards:");
        DrawStyledText(font, body, sx, sy,
                       "\nClick-n-hold a card until all card slots\nshake, drag it to desired position then\n"
                       "release the button.");
        DrawStyledText(font, green, x - 254.0f, y - 25.0f, "To remove each card from selection:");
        DrawStyledText(font, body, x - 254.0f, y - 25.0f, "\nClick on its slot in the selected set.");
        return;
    }
    case MSGBOX_DIFFICULTY_CHANGED:
        DrawStyledText(font, body, sx, sy, DifficultyChangedText(g_CurrentProfile.m_iDifficulty));
        return;
    default: break;
    }
    DrawStyledText(font, body, sx, sy, MsgBoxBody(kind));
    if (IsWarningKind(kind)) {
        FontStyle green = body;
        green.colour = kGreen;
        FontStyle red = body;
        red.colour = kRed;
        DrawStyledText(font, green, x - 253.0f, y + 5.0f, "To proceed and begin stage, press OK");
        DrawStyledText(font, red, x - 253.0f, y - 30.0f, "To re-select robot set, press CANCEL");
    }
}
