// The name entry: a profile name of up to eight characters typed on the
// keyboard, confirmed by creating a profile or renaming the chosen one.
#include <cstring>
#include <string>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxString.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"

namespace {

const char* const kButtonFolder = "Resource\\Button\\";
constexpr int kNameLimit = 8;
constexpr int kCapsKey = 19;
constexpr int kDelKey = 27;
constexpr int kDigitsKey = 28;
constexpr int kSpaceKey = 29;
constexpr int kReturnKey = 30;
constexpr int kVkReturn = 13;
constexpr int kVkEscape = 27;
// The on-screen keys stand this far right of their places, off the screen.
constexpr float kKeysAside = 9999.0f;

// Face set (0 to 3) of each key.
int KeyFaceSet(int key) {
    if (key == kCapsKey || key == kDelKey) return 2;
    if (key == kDigitsKey || key == kReturnKey) return 3;
    if (key == kSpaceKey) return 1;
    return 0;
}

bool IsCharacterKey(int key) { return key <= 18 || (key >= 20 && key <= 26); }

bool TakeKeyReleaseOf(InputRecord& in, int key) {
    if (!(in.m_aiKey[key] & KEY_RELEASED)) return false;
    in.m_aiKey[key] = 0;
    in.m_aiRepeat[key] = 0;
    return true;
}

}  // namespace

void CPageMenu::LoadNameEntry() {
    CGameApplication* app = g_pGameAppInstance;
    m_pNameFrame = MenuPicture("Bbd_FrameName.png");
    static const float kWidthScale[4] = {0.9f, 1.4f, 1.0f, 1.2f};
    for (int n = 0; n < 4; ++n) {
        const std::string base = "KB" + std::to_string(n + 1) + "_";
        m_pResourceManager->CreateButtonStates(m_aKeyFaces[n], base.c_str(), kButtonFolder, 7);
        for (int st : {BUTTON_PRESS, BUTTON_OVER, BUTTON_NORMAL})
            if (CVxBillboard* face = m_aKeyFaces[n].m_apState[st]) face->ScaleSize2D(kWidthScale[n], 1.0f);
    }
    for (int k = 0; k < NAME_KEYS; ++k) {
        CVxButton* b = HandledButton(MENU_NAME_ENTRY);
        m_apKey[k] = b;
        if (!b) continue;
        const CustomType& faces = m_aKeyFaces[KeyFaceSet(k)];
        CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                    faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
        b->m_iStatus = BUTTON_NORMAL;
        const CVxBillboard* face = faces.m_apState[BUTTON_NORMAL];
        const float w = face ? face->m_vSize.x : 0.0f;
        const float h = face ? face->m_vSize.y : 0.0f;
        const float fx = k <= kDelKey ? 0.27f : (k == kSpaceKey ? 0.49f : 0.29f);
        const float fy = k <= kDelKey ? 0.34f : 0.19f;
        b->m_iHitHalfWidth = int(w * fx);
        b->m_iHitHalfHeight = int(h * fy);
    }
    static const CustomType kNoFaces;
    auto shared = [&](int set) {
        CVxButton* b = HandledButton(MENU_NAME_ENTRY);
        if (!b) return b;
        const CustomType& faces = app ? app->m_aButtonSets[set] : kNoFaces;
        CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                    faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
        b->m_iStatus = BUTTON_NORMAL;
        b->SetPosition(9999.0f, 9999.0f, 0.0f);
        return b;
    };
    m_pOkButton = shared(BTN_OK);
    m_pCancelButton = shared(BTN_CANCEL);

    std::memset(m_aKeyChars, 0, sizeof m_aKeyChars);
    static const char kLetters[] = "qwertyuiopasdfghjkl";
    static const char kLastRow[] = "zxcvbnm";
    for (int k = 0; k < 19; ++k) {
        m_aKeyChars[0][k] = kLetters[k];
        m_aKeyChars[1][k] = char(kLetters[k] - 'a' + 'A');
    }
    for (int k = 0; k < 7; ++k) {
        m_aKeyChars[0][20 + k] = kLastRow[k];
        m_aKeyChars[1][20 + k] = char(kLastRow[k] - 'a' + 'A');
    }
    for (int k = 0; k < 10; ++k) m_aKeyChars[2][k] = char('0' + k);

    delete m_pNameLimit;
    m_pNameLimit = new TextEntryState();
    m_pNameLimit->m_nMaxLength = kNameLimit;
    m_szEntryName[0] = '\0';
    m_iEntryMode = 0;
    m_iEntryReturn = MENU_PROFILES;
    m_bCapsOn = m_bDigitsOn = false;
    m_iKeyLayout = 0;
}

void CPageMenu::ReleaseNameEntry() {
    delete m_pNameLimit;
    m_pNameLimit = nullptr;
}

void CPageMenu::EnterNameEntry() {
    m_bCapsOn = m_bDigitsOn = false;
    m_iKeyLayout = 0;
}

void CPageMenu::UpdateNameEntry() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const float x = m_fSlideX + 80.0f;
    if (m_pCancelButton) {
        if (!HasProfile()) m_pCancelButton->m_iStatus = BUTTON_DISABLE;
        else if (m_pCancelButton->m_iStatus == BUTTON_DISABLE) m_pCancelButton->m_iStatus = BUTTON_NORMAL;
    }
    DrawSharedPicture(app->m_pBbdMsgTextBG, x, -27.0f, 2.0f, 0.84f);
    if (m_pNameFrame) {
        m_pNameFrame->SetPosition(x, 90.0f, 0.0f);
        m_pNameFrame->RenderSRT();
    }

    FontStyle text;
    text.size = 0.7f;
    text.align = 0;
    std::string shown = m_szEntryName;
    // A caret that blinks at the end while there is room for more.
    if (shown.size() < size_t(kNameLimit)) shown += int(app->m_nFrame) % 90 < 45 ? "l" : " ";
    DrawStyledText(app->m_pFontStandard, text, x + 2.0f, 90.0f, shown.c_str());

    if (m_pOkButton) {
        m_pOkButton->SetPosition(x + 100.0f, -130.0f, 0.0f);
        m_pOkButton->Render();
    }
    if (m_pCancelButton) {
        m_pCancelButton->SetPosition(x - 100.0f, -130.0f, 0.0f);
        m_pCancelButton->Render();
    }

    m_iKeyLayout = m_bDigitsOn ? 2 : (m_bCapsOn ? 1 : 0);
    const float k0 = x + kKeysAside;
    for (int k = 0; k < NAME_KEYS; ++k) {
        CVxButton* b = m_apKey[k];
        if (!b) continue;
        float kx = 0.0f, ky = 0.0f;
        if (k <= 9) {
            kx = (float(k) - 4.5f) * 72.0f + k0;
            ky = 60.0f;
        } else if (k <= 18) {
            kx = (float(k - 10) - 4.0f) * 72.0f + k0;
            ky = -35.0f;
        } else if (k <= 27) {
            const float d = k == kCapsKey ? -27.0f : (k == kDelKey ? 27.0f : 0.0f);
            kx = (float(k - 19) - 4.0f) * 72.0f + k0 + d;
            ky = -130.0f;
        } else {
            kx = (float(k - 28) - 1.0f) * 271.0f + k0;
            ky = -225.0f;
        }
        b->SetPosition(kx, ky, 0.0f);
        b->Render();
        char label[2] = {m_aKeyChars[m_iKeyLayout][k], '\0'};
        const char* caption = label;
        if (k == kCapsKey) caption = "Caps";
        else if (k == kDelKey) caption = "Del";
        else if (k == kDigitsKey) caption = m_bDigitsOn ? "abc" : "123";
        else if (k == kSpaceKey) caption = "Space";
        else if (k == kReturnKey) caption = "return";
        if (caption[0]) DrawStyledText(app->m_pFontStandard, text, kx, ky, caption);
    }
}

void CPageMenu::HandleNameEntryInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree()) return;
    for (CVxButton* b : m_apKey)
        if (b) b->ProcessInput();
    for (CVxButton* b : {m_pOkButton, m_pCancelButton})
        if (b) b->ProcessInput();

    const size_t length = std::strlen(m_szEntryName);
    const bool full = length >= size_t(kNameLimit);
    for (int k = 0; k < NAME_KEYS; ++k) {
        if (!m_apKey[k] || !m_apKey[k]->TakeClick()) continue;
        if (IsCharacterKey(k)) {
            const char c = m_aKeyChars[m_iKeyLayout][k];
            if (full) {
                PlayError();
            } else {
                if (c) {
                    m_szEntryName[length] = c;
                    m_szEntryName[length + 1] = '\0';
                }
                PlayClick();
            }
        } else if (k == kCapsKey) {
            m_bCapsOn = !m_bCapsOn;
            PlayClick();
        } else if (k == kDelKey) {
            if (length > 0) {
                m_szEntryName[length - 1] = '\0';
                PlayClick();
            } else {
                PlayError();
            }
        } else if (k == kDigitsKey) {
            m_bDigitsOn = !m_bDigitsOn;
            PlayClick();
        } else if (k == kSpaceKey) {
            if (full) {
                PlayError();
            } else {
                m_szEntryName[length] = ' ';
                m_szEntryName[length + 1] = '\0';
                PlayClick();
            }
        } else if (k == kReturnKey) {
            PlayClick();
            ConfirmName();
        }
        break;
    }
    if (m_pOkButton && m_pOkButton->TakeClick()) ConfirmName();
    InputRecord& in = app->m_aInput[0];
    if (TakeKeyReleaseOf(in, kVkReturn)) {
        ConfirmName();
        PlayClick();
    }
    if (m_pCancelButton && m_pCancelButton->TakeClick()) RequestSubScreen(m_iEntryReturn, 1);
    if (TakeKeyReleaseOf(in, kVkEscape)) {
        if (!HasProfile()) {
            PlayError();
        } else {
            RequestSubScreen(m_iEntryReturn, 1);
            PlayClick();
        }
    }
    if (!m_pNameLimit) return;
    char before[sizeof m_szEntryName];
    std::memcpy(before, m_szEntryName, sizeof before);
    ReadKeyboardText(m_szEntryName, *m_pNameLimit);
    if (std::strcmp(before, m_szEntryName) != 0 && m_pSfxType) {
        m_pSfxType->Stop();
        m_pSfxType->Play();
    }
}

void CPageMenu::ConfirmName() {
    if (m_iEntryMode == 1) RenameProfileFromName();
    else CreateProfileFromName();
}

void CPageMenu::CreateProfileFromName() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    CGameSaveData& save = *app->m_pSaveData;
    // The new profile becomes the live one: what the old one gained since its
    // last save goes back into its slot first.
    KeepLiveProfile();
    switch (save.CreateProfile(m_szEntryName)) {
    case CVxSaveData::SAVE_OK: {
        const int slot = save.Header().m_nProfilesInUse - 1;
        save.Header().m_iCurrentProfile = slot;
        g_CurrentProfile = g_aStoredProfiles[slot];
        if (app->SaveProgress()) save.Load();
        m_iProfileSelection = slot;
        // The lists follow the new profile's progress.
        ResetEpisode();
        ResetStageMap();
        RequestSubScreen(m_iEntryReturn, 1);
        break;
    }
    case CVxSaveData::SAVE_NAME_BLANK:
        m_iOpenMsgBox = MSGBOX_BLANK_NAME;
        OpenMsgBox(MSGBOX_BLANK_NAME);
        break;
    case CVxSaveData::SAVE_NAME_TAKEN:
        m_iOpenMsgBox = MSGBOX_DUPLICATE_NAME;
        OpenMsgBox(MSGBOX_DUPLICATE_NAME);
        break;
    default: break;
    }
}

void CPageMenu::RenameProfileFromName() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    CGameSaveData& save = *app->m_pSaveData;
    switch (save.RenameProfile(m_iProfileSelection, m_szEntryName)) {
    case CVxSaveData::SAVE_OK:
        if (app->SaveProgress()) save.Load();
        RequestSubScreen(m_iEntryReturn, 1);
        break;
    case CVxSaveData::SAVE_NAME_BLANK:
        m_iOpenMsgBox = MSGBOX_BLANK_NAME;
        OpenMsgBox(MSGBOX_BLANK_NAME);
        break;
    case CVxSaveData::SAVE_NAME_TAKEN:
        m_iOpenMsgBox = MSGBOX_DUPLICATE_NAME;
        OpenMsgBox(MSGBOX_DUPLICATE_NAME);
        break;
    default: break;
    }
}
