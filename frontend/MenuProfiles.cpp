// The profiles screen: the three slots of the save file with a summary of
// each, the profile to play picked by a click on its row, and create, rename
// and delete (the delete confirmed in the message box).
#include <cstring>
#include <string>

#include "content/SaveProfile.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kButtonFolder = "Resource\\Button\\";
constexpr int kSlots = 3;
constexpr float kRowX = 80.0f;
constexpr float kRowTop = 195.0f - 65.0f;
constexpr float kRowSpacing = 163.0f * 1.05f;

float RowY(int i) { return kRowTop - kRowSpacing * float(i); }

}  // namespace

void CPageMenu::LoadProfiles() {
    CGameApplication* app = g_pGameAppInstance;
    auto faced = [&](CustomType& faces, const char* base, float y) {
        m_pResourceManager->CreateButtonStates(faces, base, kButtonFolder, 15);
        CVxButton* b = HandledButton(MENU_PROFILES);
        if (!b) return b;
        CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                    faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
        b->m_iStatus = BUTTON_NORMAL;
        b->SetPosition(-375.0f, y, 0.0f);
        if (app) {
            b->m_pPressSound = app->m_pSndBtnClick;
            b->m_pDisabledSound = app->m_pSndError;
        }
        return b;
    };
    m_pCreateButton = faced(m_CreateFaces, "Btn_PR_Create_", -225.0f + 420.0f);
    m_pRenameButton = faced(m_RenameFaces, "Btn_PR_Rename_", -225.0f + 280.0f);
    m_pDeleteButton = faced(m_DeleteFaces, "Btn_PR_Delete_", -225.0f + 140.0f);
    for (CVxButton*& row : m_apProfileRow) {
        row = HandledButton(MENU_PROFILES);
        if (!row) continue;
        row->m_iHitHalfWidth = 360;
        row->m_iHitHalfHeight = 81;
        row->m_iStatus = BUTTON_NORMAL;
    }
    m_pRowFrame = MenuPicture("Bbd_ProfileRow.png");
    m_pRowFrameSelected = MenuPicture("Bbd_ProfileRowSelected.png");
    for (CVxBillboard* f : {m_pRowFrame, m_pRowFrameSelected})
        if (f) f->ScaleSizeUniform(0.995f);
    m_apUserIcon[0] = MenuPicture("Bbd_UserIcon1.png");
    m_apUserIcon[1] = MenuPicture("Bbd_UserIcon2.png");
    for (int n = 2; n <= 4; ++n)
        m_apSaveIcon[n - 1] = MenuPicture(("Bbd_SaveIcon" + std::to_string(n) + ".png").c_str());
    EnterProfiles();
}

void CPageMenu::EnterProfiles() {
    CGameApplication* app = g_pGameAppInstance;
    const int current = app && app->m_pSaveData ? app->m_pSaveData->Header().m_iCurrentProfile : 0;
    m_iProfileAtEntry = m_iProfileSelection = current;
    m_ProfileAtEntry = g_CurrentProfile;
    m_iOpenMsgBox = -1;
}

void CPageMenu::KeepLiveProfile() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    const SaveFileHeader& h = app->m_pSaveData->Header();
    if (h.m_iCurrentProfile >= 0 && h.m_iCurrentProfile < h.m_nProfilesInUse && h.m_iCurrentProfile < kSlots)
        g_aStoredProfiles[h.m_iCurrentProfile] = g_CurrentProfile;
}

void CPageMenu::PickProfile(int i) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    // What the live profile gained since its last save stays with it.
    KeepLiveProfile();
    app->m_pSaveData->Header().m_iCurrentProfile = i;
    g_CurrentProfile = g_aStoredProfiles[i];
    m_iProfileSelection = i;
}

void CPageMenu::UpdateProfiles() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    const int used = app->m_pSaveData->Header().m_nProfilesInUse;
    for (int i = 0; i < kSlots; ++i) {
        const float x = kRowX + m_fSlideX;
        const float y = RowY(i);
        if (m_apProfileRow[i]) {
            m_apProfileRow[i]->SetPosition(x, y, 0.0f);
            m_apProfileRow[i]->MarkDrawn();
        }
        const bool selected = i == m_iProfileSelection && i < used;
        DrawSharedPicture(selected ? m_pRowFrameSelected : m_pRowFrame, x, y);
        if (i < used) DrawSharedPicture(m_apUserIcon[selected ? 0 : 1], x - 280.0f, y);
    }
    ShowListStill(
        [&](float dx) {
            FontStyle style;
            style.size = 0.6f;
            for (int i = 0; i < used && i < kSlots; ++i) {
                const SaveProfile& p = g_aStoredProfiles[i];
                const float x = kRowX + dx;
                const float y = RowY(i);
                int stars = 0;
                for (int s : p.m_aiStageStars) stars += s;
                DrawStyledText(app->m_pFontStandard, style, x - 220.0f, y + 28.0f,
                               (std::string("USER : ") + p.m_szName).c_str());
                DrawSharedPicture(m_apSaveIcon[3], x + 110.0f, y + 28.0f);
                DrawStyledText(app->m_pFontStandard, style, x + 140.0f, y + 28.0f,
                               WithThousands(p.m_iMetalParts).c_str());
                DrawSharedPicture(m_apSaveIcon[0], x - 205.0f, y - 28.0f);
                DrawStyledText(app->m_pFontStandard, style, x - 175.0f, y - 28.0f, std::to_string(stars).c_str());
                DrawSharedPicture(m_apSaveIcon[1], x - 60.0f, y - 28.0f);
                DrawStyledText(app->m_pFontStandard, style, x - 30.0f, y - 28.0f,
                               PercentText(CompletionPercent(p)).c_str());
                DrawSharedPicture(m_apSaveIcon[2], x + 110.0f, y - 28.0f);
                DrawStyledText(app->m_pFontStandard, style, x + 140.0f, y - 28.0f,
                               PlayTimeText(p.m_aiAchievementProgress[37]).c_str());
            }
        },
        1.0f);
}

void CPageMenu::RenderProfiles() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    for (CVxButton* b : {m_pCreateButton, m_pRenameButton, m_pDeleteButton})
        if (b) b->Render();
}

void CPageMenu::HandleProfilesInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    CGameSaveData& save = *app->m_pSaveData;
    const int used = save.Header().m_nProfilesInUse;
    CVxButton* all[] = {m_pCreateButton,   m_pRenameButton,   m_pDeleteButton, m_apProfileRow[0],
                        m_apProfileRow[1], m_apProfileRow[2], m_pBackButton};
    auto enable = [](CVxButton* b, bool on) {
        if (!b) return;
        if (!on) b->m_iStatus = BUTTON_DISABLE;
        else if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
    };
    if (m_iOpenMsgBox == -1) {
        enable(m_pCreateButton, used < kSlots);
        enable(m_pRenameButton, used > 0);
        enable(m_pDeleteButton, used > 0);
        for (CVxButton* b : {m_apProfileRow[0], m_apProfileRow[1], m_apProfileRow[2], m_pBackButton}) enable(b, true);
    } else {
        for (CVxButton* b : all) enable(b, false);
    }
    if (!IsInputFree()) return;

    for (int i = 0; i < kSlots; ++i) {
        CVxButton* row = m_apProfileRow[i];
        if (!row) continue;
        row->ProcessInput();
        if (!row->TakeClick()) continue;
        if (i < used) {
            PickProfile(i);
            m_bAchievementPopup = false;
            PlayClick();
        } else {
            PlayError();
        }
    }
    for (CVxButton* b : {m_pCreateButton, m_pRenameButton, m_pDeleteButton})
        if (b) b->ProcessInput();
    if (m_pCreateButton && m_pCreateButton->TakeClick()) {
        std::memset(m_szEntryName, 0, sizeof m_szEntryName);
        m_iEntryMode = 0;
        m_iEntryReturn = m_iSubScreen;
        RequestSubScreen(MENU_NAME_ENTRY, -1);
    }
    if (m_pRenameButton && m_pRenameButton->TakeClick()) {
        std::memset(m_szEntryName, 0, sizeof m_szEntryName);
        if (m_iProfileSelection >= 0 && m_iProfileSelection < kSlots)
            std::strncpy(m_szEntryName, g_aStoredProfiles[m_iProfileSelection].m_szName, sizeof m_szEntryName - 1);
        m_iEntryMode = 1;
        m_iEntryReturn = m_iSubScreen;
        RequestSubScreen(MENU_NAME_ENTRY, -1);
    }
    if (m_pDeleteButton && m_pDeleteButton->TakeClick()) {
        m_iOpenMsgBox = MSGBOX_DELETE_PROFILE;
        OpenMsgBox(MSGBOX_DELETE_PROFILE);
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) {
        KeepLiveProfile();
        // A slot can hold another profile than on entry (a delete moves the
        // later ones down), so the profile itself is compared.
        const bool changed = m_iProfileSelection != m_iProfileAtEntry ||
                             std::memcmp(&g_CurrentProfile, &m_ProfileAtEntry, sizeof g_CurrentProfile) != 0;
        if (changed) {
            app->m_bProfileJustChosen = true;
            ResetEpisode();
            ResetStageMap();
            EnterMiniGames();
        }
        RequestSubScreen(MENU_MAIN, 1);
    }
}

void CPageMenu::DeleteCurrentProfile() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    CGameSaveData& save = *app->m_pSaveData;
    save.DeleteProfile(m_iProfileSelection);
    const int used = save.Header().m_nProfilesInUse;
    if ((m_iProfileSelection >= used || used == 0) && m_iProfileSelection > 0) --m_iProfileSelection;
    if (m_iProfileSelection < used && used > 0) {
        save.Header().m_iCurrentProfile = m_iProfileSelection;
        g_CurrentProfile = g_aStoredProfiles[m_iProfileSelection];
    }
    // A failed save keeps what is in memory: the file on the disk is older.
    if (app->SaveProgress()) save.Load();
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->m_iShownKind = -1;
    m_iOpenMsgBox = -1;
    m_bAchievementPopup = false;
}
