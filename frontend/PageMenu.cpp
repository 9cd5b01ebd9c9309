// The menu page's frame: loading, the per-frame order, the slide between
// screens, the input gate, the gestures, the shared buttons and headers, and
// the menu music.
#include "frontend/PageMenu.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "frontend/MenuRules.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/Effect_RobotInfo.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"
#include "platform/AppActive.h"
#include "platform/D3DApplication.h"

namespace {

const char* const kMenuFolder = "Resource\\Menu\\";
const char* const kButtonFolder = "Resource\\Button\\";
const char* const kMusicFolder = "Resource\\Sound\\BGM\\";
const char* const kMenuSfxFolder = "Resource\\Sound\\SFX\\Menu\\";

constexpr float kHeaderX = 68.0f;
constexpr float kHeaderY = 273.0f;
constexpr float kSideButtonX = -375.0f;
constexpr float kBackY = -225.0f;
constexpr float kShopHighY = 253.0f;
constexpr float kShopLowY = 120.0f;
constexpr float kAdvLabY = -52.5f;
constexpr float kSlidePerStep = 60.0f;
constexpr float kRisePerStep = 10.0f;
constexpr int kMusicLevel = -3000;
constexpr int kLogoPage = 0;
constexpr int kEscapeKey = 27;

bool RecordAlive(const CVxEffect* effect) { return effect && effect->m_aInstances[0].life > 0; }

CVxSound* MenuMusic(CVxResourceManager& rm, const char* part, bool loop) {
    std::string name = std::string("BGM_Menu_") + part + ".ogg";
    CVxSound* s = rm.CreateSound(name.c_str(), kMusicFolder);
    if (!s) return nullptr;
    s->m_iGroup = 1;
    s->m_dwPlayFlags = loop ? 1u : 0u;
    s->ApplyVolume(kMusicLevel);
    if (!loop) s->SetVolumeFactor(0.0f);
    return s;
}

}  // namespace

int MenuHeaderRow(int screen) {
    // The upgrade screen draws its own header picture, not a row.
    static const int kRows[13] = {8, 1, 2, 7, 4, 5, 0, 3, 6, 9, -1, 10, -1};
    return screen >= 0 && screen < 13 ? kRows[screen] : -1;
}

CPageMenu::CPageMenu() {
    ResetMainMenu();
    ResetStageMap();
}

CPageMenu::~CPageMenu() {
    delete m_pItemEffect;
    ReleaseNameEntry();
}

CVxBillboard* CPageMenu::MenuPicture(const char* name) {
    CVxBillboard* b = m_pResourceManager->CreateBillboard(name, kMenuFolder, nullptr);
    if (b) b->SetAlphaBlend(true);
    return b;
}

CVxTexture* CPageMenu::MenuNameRows(const char* name, CVxBillboard** rows, int count) {
    CVxTexture* t = m_pResourceManager->CreateTexture(name, kMenuFolder);
    for (int i = 0; i < count; ++i) {
        CVxBillboard* b = m_pResourceManager->CreateBillboard(nullptr, nullptr, t);
        b->SetAlphaBlend(true);
        b->ScaleSize2D(1.0f, 1.0f / float(count));
        b->SetTextureRect(0.0f, float(i) / float(count), 1.0f, 1.0f / float(count));
        rows[i] = b;
    }
    return t;
}

CVxButton* CPageMenu::HandledButton(int tag) {
    CVxButton* b = AddButton(tag);
    if (b) b->m_bVisible = false;
    return b;
}

void CPageMenu::LoadFrame() {
    CVxResourceManager& rm = *m_pResourceManager;
    m_pBackground = rm.CreateBillboard("Bbd_StdMenuBG.jpg", kMenuFolder, nullptr);
    m_pFrame = MenuPicture("Bbd_MenuFramePC.png");
    if (m_pFrame) m_pFrame->SetPosition(0.0f, 1.0f, 0.0f);
    m_pBlackScreen = MenuPicture("Bbd_MenuBlackScreen.png");
    m_pPicFrame = MenuPicture("Bbd_MenuPicFrame.png");

    rm.CreateButtonStates(m_BackFaces, "Btn_MM_Back_", kButtonFolder, 15);
    rm.CreateButtonStates(m_ShopFaces, "Btn_Shop_", kButtonFolder, 15);
    rm.CreateButtonStates(m_AdvLabFaces, "Btn_Adv_Lab_", kButtonFolder, 15);
    rm.CreateButtonStates(m_ListBoxFaces, "Btn_ListBox_", kButtonFolder, 15);
    // The shared buttons belong to no screen: each takes the mouse where a
    // screen draws it.
    auto faced = [this](const CustomType& faces) {
        CVxButton* b = HandledButton(-1);
        if (b) {
            CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                        faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
            b->m_iStatus = BUTTON_NORMAL;
        }
        return b;
    };
    m_pBackButton = faced(m_BackFaces);
    m_pBackButton->SetPosition(kSideButtonX, kBackY, 0.0f);
    m_pShopButton = faced(m_ShopFaces);
    m_pAdvLabButton = faced(m_AdvLabFaces);

    m_pArrowTexture = rm.CreateTexture("Bbd_Arrow.tga", kMenuFolder);
    m_pArrowUp = rm.CreateBillboard(nullptr, nullptr, m_pArrowTexture);
    m_pArrowUp->SetAlphaBlend(true);
    m_pArrowUp->SetScale(1.0f, -1.0f, 1.0f);
    m_pArrowUp->SetPosition(390.0f, 225.0f, 0.0f);
    m_pArrowDown = rm.CreateBillboard(nullptr, nullptr, m_pArrowTexture);
    m_pArrowDown->SetAlphaBlend(true);
    m_pArrowDown->SetPosition(390.0f, -280.0f, 0.0f);

    MakeLightArrows(rm, m_apLightArrow);
    m_apScrollArrow[0] = m_apLightArrow[1];
    m_apScrollArrow[1] = m_apLightArrow[0];
    for (CVxButton*& b : m_apListButton) b = HandledButton(-1);

    m_pSwapButton = HandledButton(MENU_ROBOPEDIA);
    for (CVxButton*& b : m_apRectArrowButton) b = HandledButton(MENU_ROBOPEDIA);

    m_pLock = MenuPicture("Bbd_Lock.png");
    m_pNumberBox = MenuPicture("Bbd_NumberBox.png");
    m_pTextBG = MenuPicture("Bbd_TextBG.png");
    m_apSaveIcon[0] = MenuPicture("Bbd_SaveIcon1.png");
    MakeSlash();

    // A header is the rows [v, v + height) of its picture.
    auto header = [&](CVxBillboard* h, float v, float height) {
        if (!h) return h;
        h->SetAlphaBlend(true);
        h->SetSize(819.2f, 68.2667f, 1.0f);
        h->SetPosition(kHeaderX, kHeaderY, 0.0f);
        h->SetTextureRect(0.0f, v, 1.0f, height);
        return h;
    };
    m_pHeaderTexture = rm.CreateTexture("Bbd_Lg_MenuHeader.png", kMenuFolder);
    for (int i = 0; i < 12; ++i)
        m_apHeader[i] = header(rm.CreateBillboard(nullptr, nullptr, m_pHeaderTexture), float(i) / 12.0f, 1.0f / 12.0f);
    // The sheet's last row holds the information board's title strips, so
    // the upgrade screen has a ribbon of its own.
    m_pUpgradeHeader = header(rm.CreateBillboard("Bbd_Lg_UpgradeMenuHeader.png", kMenuFolder, nullptr), 0.0f, 1.0f);
}

int CPageMenu::Load() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !m_pResourceManager) return 0;
    const bool fromLogo = app->m_iOldPage == kLogoPage;
    if (fromLogo) app->LoadSharedResources();
    LoadFrame();
    Reset();
    if (!fromLogo && app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(-1);

    m_pIntroMusic = MenuMusic(*m_pResourceManager, "Intro", false);
    m_pLoopMusic = MenuMusic(*m_pResourceManager, "Loop", true);
    m_pMusic = m_pIntroMusic;
    m_bIntroStarted = false;

    m_pSlideSound = app->m_pSndSlideScr;
    m_pSfxBuy = m_pResourceManager->CreateSound("Sfx_Buy.ogg", kMenuSfxFolder);
    m_pSfxType = m_pResourceManager->CreateSound("Sfx_Type.ogg", kMenuSfxFolder);
    for (CVxSound* s : {m_pSfxBuy, m_pSfxType})
        if (s) s->m_iGroup = 0;

    ApplyReturnFromBattle();
    if (g_bAppActive) {
        if (app->m_pResourceManager) app->m_pResourceManager->ResumeSounds();
        m_pResourceManager->ResumeSounds();
    }
    return 0;
}

void CPageMenu::ApplyReturnFromBattle() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app->m_bReturnToMenu) return;
    const int r = app->m_iMenuReturnScreen;
    const int stage = app->m_iCurrentStage;
    const bool toEpisodeList = r == MENU_STAGE_MAP || r == MENU_MISSION || r == MENU_LABORATORY || r == MENU_MINIGAME ||
                               r == MENU_UPGRADE || (r == MENU_EPISODE && app->m_iChosenEpisode == -1);
    if (toEpisodeList) {
        const int steps = r == MENU_MINIGAME ? 3 : GetStageEpisode(stage) - 1;
        for (int i = 0; i < steps; ++i) StepEpisode(true);
        m_iEpisodeScroll = -1;
    }
    if (r == MENU_MISSION || r == MENU_LABORATORY || r == MENU_UPGRADE)
        for (int i = 0; i < GetStageWorld(stage) - 1; ++i) ScrollStageMap(1);
    if (r == MENU_LABORATORY || r == MENU_UPGRADE) m_iLabOrigin = MENU_MISSION;
    app->m_bReturnToMenu = false;
}

void CPageMenu::Reset() {
    CGameApplication* app = g_pGameAppInstance;
    m_iInputHoldOff = MENU_INPUT_LOCK;
    m_iLabOrigin = MENU_MAIN;
    m_iSelection = m_iSelection2 = -1;
    ResetMainMenu();
    ResetStageMap();
    ResetEpisode();
    EnterMiniGames();
    EnterProfiles();
    EnterRobopedia();
    m_iPendingBox = -1;
    m_fSlideX = m_fHeaderRise = 0.0f;
    m_iChangeState = -1;
    m_iChangeDirection = -1;
    m_iChangeCountdown = 0;
    m_vPressPos = m_vPrevPos = m_vCursorPos = m_vFrameDelta = m_vDragVelocity = VxVec3{};
    m_iGesture = m_iPrevGesture = GESTURE_IDLE;
    m_iDragAxis = 0;
    m_iEnterFrame = app ? int(app->m_nFrame) : 0;
    m_iFrameCount = 0;
    delete m_pItemEffect;
    m_pItemEffect = new CEffect_ScaleAndDiffuseOut();
    if (app) {
        app->m_bCaptureStill = false;
        app->m_bShowStill = false;
    }
    m_bAchievementPopup = false;
}

int CPageMenu::Unload() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    app->SaveProgress();
    delete m_pItemEffect;
    m_pItemEffect = nullptr;
    app->ReleaseStartupResources();
    if (app->m_pResourceManager) app->m_pResourceManager->StopSounds();
    if (m_pResourceManager) m_pResourceManager->StopSounds();
    ForgetPageObjects();
    return 0;
}

void CPageMenu::ForgetPageObjects() {
    m_pBackground = m_pFrame = m_pBlackScreen = m_pPicFrame = nullptr;
    m_pArrowTexture = m_pHeaderTexture = nullptr;
    m_pArrowUp = m_pArrowDown = nullptr;
    for (CVxBillboard*& b : m_apLightArrow) b = nullptr;
    for (CVxButton*& b : m_apListButton) b = nullptr;
    m_pSwapButton = nullptr;
    for (CVxButton*& b : m_apRectArrowButton) b = nullptr;
    m_pLock = m_pNumberBox = m_pTextBG = m_pUpgradeHeader = m_pSlash = nullptr;
    for (CVxBillboard*& b : m_apHeader) b = nullptr;
    for (CVxBillboard*& b : m_apSaveIcon) b = nullptr;
    m_pBackButton = m_pShopButton = m_pAdvLabButton = nullptr;
    m_BackFaces = m_ShopFaces = m_AdvLabFaces = m_ListBoxFaces = m_ProfileFaces = CustomType();
    m_pIntroMusic = m_pLoopMusic = m_pMusic = nullptr;
    m_pSfxBuy = m_pSfxType = nullptr;
    m_pLogo = nullptr;
    for (CVxBillboard*& b : m_apMainEntry) b = nullptr;
    for (CVxBillboard*& b : m_apMainName) b = nullptr;
    m_pMainNameTexture = nullptr;
    m_pMainClickButton = m_pProfileButton = m_pOptionButton = m_pExitButton = nullptr;
    for (CVxBillboard*& b : m_apEpisodePicture) b = nullptr;
    for (CVxBillboard*& b : m_apEpisodeName) b = nullptr;
    m_pEpisodeNameTexture = nullptr;
    m_pEpisodeClickButton = nullptr;
    for (CVxBillboard*& b : m_apMapPicture) b = nullptr;
    for (CVxBillboard*& b : m_apMapName) b = nullptr;
    m_pMapNameTexture = nullptr;
    m_pMapButton = nullptr;
    m_pCheckboxYes = m_pCheckboxNo = nullptr;
    for (CVxBillboard*& b : m_apScrollArrow) b = nullptr;
    for (CustomType& t : m_aStageFaces) t = CustomType();
    for (CVxButton*& b : m_apStageButton) b = nullptr;
    m_pMissionIcon = nullptr;
    for (CVxButton*& b : m_apMiniGameButton) b = nullptr;
    for (CVxBillboard*& b : m_apMiniGamePicture) b = nullptr;
    m_pMiniGameFrame = nullptr;
    m_pNameFrame = nullptr;
    for (CustomType& t : m_aKeyFaces) t = CustomType();
    for (CVxButton*& b : m_apKey) b = nullptr;
    m_pOkButton = m_pCancelButton = nullptr;
    m_CreateFaces = m_RenameFaces = m_DeleteFaces = CustomType();
    m_pCreateButton = m_pRenameButton = m_pDeleteButton = nullptr;
    for (CVxButton*& b : m_apProfileRow) b = nullptr;
    m_pRowFrame = m_pRowFrameSelected = nullptr;
    for (CVxBillboard*& b : m_apUserIcon) b = nullptr;
    for (CVxButton*& b : m_apLabButton) b = nullptr;
    for (CVxBillboard*& b : m_apLabPicture) b = nullptr;
    m_pSoldOut = m_pRecommendMarker = nullptr;
    for (CVxButton*& b : m_apUpgradeButton) b = nullptr;
    for (CVxBillboard*& b : m_apUpgradePicture) b = nullptr;
    m_pUpgradeFrame = nullptr;
    for (auto& pair : m_apAchvAnchor) pair[0] = pair[1] = nullptr;
    for (CVxBillboard*& b : m_apAchvPicture) b = nullptr;
    m_pAchvLocked = nullptr;
    ReleaseRobopedia();
}

void CPageMenu::ForgetCachedPictures() {
    m_bAchievementPopup = false;
    if (m_pRobotInfo) m_pRobotInfo->m_abBoardRendered[0] = m_pRobotInfo->m_abBoardRendered[1] = false;
}

// ---- sub-screen handlers -------------------------------------------------

void CPageMenu::LoadScreen(int subScreen) {
    switch (subScreen) {
    case MENU_MAIN: LoadMainMenu(); break;
    case MENU_STAGE_MAP: LoadStageMap(); break;
    case MENU_MISSION: LoadMission(); break;
    case MENU_EPISODE: LoadEpisode(); break;
    case MENU_MINIGAME: LoadMiniGames(); break;
    case MENU_TITLE: LoadTitle(); break;
    case MENU_NAME_ENTRY: LoadNameEntry(); break;
    case MENU_PROFILES: LoadProfiles(); break;
    case MENU_LABORATORY: LoadLaboratory(); break;
    case MENU_ACHIEVEMENTS: LoadAchievements(); break;
    case MENU_ROBOPEDIA: LoadRobopedia(); break;
    case MENU_CREDITS: LoadCredits(); break;
    // The upgrades have no handler of their own; their rows and pictures
    // come with the page (after the encyclopedia, whose pictures they share).
    case MENU_UPGRADE: LoadUpgrades(); break;
    default: break;
    }
    // Everything is loaded: the screen the page switch enters gets its enter
    // routine, as a screen reached by a slide does.
    if (subScreen == NUM_SUBSCREENS - 1 && g_pApp) EnterScreen(g_pApp->m_iNewSubScreen);
}

void CPageMenu::ReleaseScreen(int subScreen) {
    if (subScreen == MENU_EPISODE) ReleaseEpisode();
    if (subScreen == MENU_NAME_ENTRY) ReleaseNameEntry();
    if (subScreen == MENU_ROBOPEDIA) ReleaseRobopedia();
    if (subScreen == MENU_CREDITS) ReleaseCredits();
}

int CPageMenu::UpdateScreen(int subScreen) {
    switch (subScreen) {
    case MENU_MAIN: UpdateMainMenu(); break;
    case MENU_STAGE_MAP: UpdateStageMap(); break;
    case MENU_MISSION: UpdateMission(); break;
    case MENU_EPISODE: UpdateEpisode(); break;
    case MENU_MINIGAME: UpdateMiniGames(); break;
    case MENU_TITLE: UpdateTitle(); break;
    case MENU_NAME_ENTRY: UpdateNameEntry(); break;
    case MENU_PROFILES: UpdateProfiles(); break;
    case MENU_LABORATORY: UpdateLaboratory(); break;
    case MENU_UPGRADE: UpdateUpgrade(); break;
    case MENU_ACHIEVEMENTS: UpdateAchievements(); break;
    case MENU_ROBOPEDIA: UpdateRobopedia(); break;
    case MENU_CREDITS: UpdateCredits(); break;
    default: break;
    }
    return 0;
}

int CPageMenu::RenderScreen(int subScreen) {
    if (subScreen == MENU_MAIN) RenderMainMenu();
    if (subScreen == MENU_STAGE_MAP) RenderStageMap();
    if (subScreen == MENU_NAME_ENTRY && g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (subScreen == MENU_PROFILES) RenderProfiles();
    if (subScreen == MENU_ROBOPEDIA) RenderRobopedia();
    return 0;
}

int CPageMenu::RenderScreenOverlay(int subScreen) {
    if (subScreen == MENU_NAME_ENTRY && g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (subScreen == MENU_LABORATORY || subScreen == MENU_UPGRADE) RenderAchievementPopup();
    if (subScreen == MENU_ROBOPEDIA) RenderRobopediaOverlay();
    return 0;
}

int CPageMenu::HandleScreenInput(int subScreen) {
    switch (subScreen) {
    case MENU_MAIN: HandleMainMenuInput(); break;
    case MENU_STAGE_MAP: HandleStageMapInput(); break;
    case MENU_MISSION: HandleMissionInput(); break;
    case MENU_EPISODE: HandleEpisodeInput(); break;
    case MENU_MINIGAME: HandleMiniGameInput(); break;
    case MENU_TITLE: HandleTitleInput(); break;
    case MENU_NAME_ENTRY: HandleNameEntryInput(); break;
    case MENU_LABORATORY: HandleLaboratoryInput(); break;
    case MENU_UPGRADE: HandleUpgradeInput(); break;
    case MENU_CREDITS: HandleCreditsInput(); break;
    case MENU_ACHIEVEMENTS: HandleAchievementsInput(); break;
    case MENU_PROFILES: HandleProfilesInput(); break;
    case MENU_ROBOPEDIA: HandleRobopediaInput(); break;
    default: break;
    }
    return 0;
}

void CPageMenu::EnterScreen(int screen) {
    switch (screen) {
    case MENU_MINIGAME: EnterMiniGames(); break;
    case MENU_NAME_ENTRY: EnterNameEntry(); break;
    case MENU_PROFILES: EnterProfiles(); break;
    case MENU_LABORATORY: EnterLaboratory(); break;
    case MENU_UPGRADE: EnterUpgrade(); break;
    case MENU_ACHIEVEMENTS: EnterAchievements(); break;
    case MENU_ROBOPEDIA: EnterRobopedia(); break;
    case MENU_CREDITS: EnterCredits(); break;
    default: break;
    }
    m_iPendingBox = -1;
}

// ---- frame order ---------------------------------------------------------

int CPageMenu::HandleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_bInitialised) return CVxPage::HandleInput();
    m_iPrevGesture = m_iGesture;
    InputRecord& in = app->m_aInput[0];
    const float x = float(in.m_iCursorX) - float(app->m_iScreenWidth) * 0.5f;
    const float y = float(app->m_iScreenHeight) * 0.5f - float(in.m_iCursorY);

    if (app->m_pEffectExit && app->m_pEffectExit->IsOpen()) {
        app->m_pEffectExit->HandleClick();
        return CVxPage::HandleInput();
    }
    const uint32_t left = in.m_aiKey[MOUSE_LEFT];
    TrackGesture(x, y, (left & KEY_PRESSED) != 0, (left & KEY_RELEASED) != 0);

    // Escape on the name entry belongs to the name entry (it refuses while no
    // profile exists); elsewhere it ends the program.
    if (IsInputFree() && m_iSubScreen != MENU_NAME_ENTRY && (in.m_aiKey[kEscapeKey] & KEY_RELEASED)) {
        in.m_aiKey[kEscapeKey] = 0;
        in.m_aiRepeat[kEscapeKey] = 0;
        g_bQuitRequested = true;
    }

    // The shared buttons; each takes the mouse only where its screen drew it
    // and no board is open over it (CVxButton::TakesMouse).
    if (IsInputFree())
        for (CVxButton* b : {m_pBackButton, m_pShopButton, m_pAdvLabButton, m_apListButton[LIST_ARROW_UP],
                             m_apListButton[LIST_ARROW_DOWN], m_pSwapButton})
            if (b) b->ProcessInput();
    if (m_pShopButton && m_pShopButton->TakeClick()) {
        m_iLabOrigin = m_iSubScreen;
        RequestSubScreen(MENU_LABORATORY, -1);
    }
    if (m_pAdvLabButton && m_pAdvLabButton->TakeClick()) {
        m_iLabOrigin = m_iSubScreen;
        RequestSubScreen(MENU_UPGRADE, -1);
    }
    return CVxPage::HandleInput();
}

const CVxEffect* CPageMenu::OpenBoard() const {
    return m_iSubScreen == MENU_ROBOPEDIA && m_pRobotInfo && m_pRobotInfo->IsOpen() ? m_pRobotInfo : nullptr;
}

int CPageMenu::Update() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return CVxPage::Update();
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    UpdateMenuMusic();
    if (m_iSubScreen != MENU_TITLE && m_pBackground) m_pBackground->RenderSRT();
    StepChange();
    return CVxPage::Update();
}

int CPageMenu::Render() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return CVxPage::Render();
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    const int s = m_iSubScreen;
    // Over the screens' pictures: lists scrolling past the rails pass under it.
    if (s != MENU_TITLE && m_pFrame) m_pFrame->RenderSRT();

    switch (s) {
    case MENU_MAIN: DrawInfoPanel(0); break;
    case MENU_STAGE_MAP:
    case MENU_MISSION:
        if (g_CurrentProfile.m_aiAchievementProgress[6] >= 1) DrawInfoPanel(4);
        break;
    case MENU_ACHIEVEMENTS: DrawInfoPanel(1); break;
    case MENU_LABORATORY:
    case MENU_UPGRADE: DrawInfoPanel(2); break;
    case MENU_ROBOPEDIA: DrawInfoPanel(3); break;
    default: break;
    }
    if (s != MENU_TITLE) RenderHeader();

    if (s == MENU_STAGE_MAP || s == MENU_MISSION || s == MENU_MINIGAME) {
        if (g_CurrentProfile.m_abFeatureUnlocked[FEATURE_LABORATORY] && m_pShopButton) {
            const bool low = g_CurrentProfile.m_aiAchievementProgress[6] >= 1;
            m_pShopButton->SetPosition(kSideButtonX, low ? kShopLowY : kShopHighY, 0.0f);
            m_pShopButton->Render();
        }
        if (g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ADVANCED_LABORATORY] && m_pAdvLabButton) {
            m_pAdvLabButton->SetPosition(kSideButtonX, kAdvLabY, 0.0f);
            m_pAdvLabButton->Render();
        }
    }
    if (m_pBackButton) {
        const bool hidden = s == MENU_PROFILES && !HasProfile();
        m_pBackButton->SetPosition(hidden ? 9999.0f : kSideButtonX, hidden ? 9999.0f : kBackY, 0.0f);
        const bool drawn = (s >= MENU_STAGE_MAP && s <= MENU_ROBOPEDIA) || s == MENU_UPGRADE;
        if (drawn) m_pBackButton->Render();
    }
    return CVxPage::Render();
}

void CPageMenu::RenderHeader() {
    const int row = MenuHeaderRow(m_iSubScreen);
    CVxBillboard* h = m_iSubScreen == MENU_UPGRADE ? m_pUpgradeHeader : row >= 0 ? m_apHeader[row] : nullptr;
    if (!h) return;
    h->SaveState();
    h->SetPosition(h->m_vPosition.x, h->m_vPosition.y + m_fHeaderRise, h->m_vPosition.z);
    h->RenderSRT();
    h->RestoreState();
}

int CPageMenu::RenderOverlay() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return CVxPage::RenderOverlay();
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    for (CVxEffect* e :
         {static_cast<CVxEffect*>(app->m_pEffectBlackScreen), static_cast<CVxEffect*>(app->m_pEffectMsgBox),
          static_cast<CVxEffect*>(app->m_pEffectSwitchPage)})
        if (e) e->Tick();
    StepGesture();
    // The window's close button asks to leave, once the title has settled and no change runs.
    if (app->m_pEffectExit && (m_iSubScreen != MENU_TITLE || app->m_nFrame > 40) && m_iChangeState == -1 &&
        m_iChangeCountdown == 0 && PopupsLetExitBoxOpen())
        app->m_pEffectExit->OpenOnRequest();
    CountDownChange();
    ++m_iFrameCount;
    return CVxPage::RenderOverlay();
}

// ---- change protocol -----------------------------------------------------

void CPageMenu::RequestSubScreen(int next, int direction) {
    m_iChangeDirection = direction;
    m_iChangeState = 1;
    m_iChangeCountdown = MENU_CHANGE_FRAMES;
    m_iNextScreen = next;
}

void CPageMenu::StepChange() {
    if (m_iChangeState == 1 && m_iChangeCountdown == 0) {
        m_iChangeState = -1;
        m_iChangeCountdown = MENU_CHANGE_FRAMES;
        m_iInputHoldOff = MENU_INPUT_LOCK;
        EnterScreen(m_iNextScreen);
        SetSubScreen(m_iNextScreen);
        m_bAchievementPopup = false;
    }
    const int c = m_iChangeState == 1 ? MENU_CHANGE_FRAMES - m_iChangeCountdown : m_iChangeCountdown;
    m_fSlideX = float(m_iChangeDirection * m_iChangeState * c) * kSlidePerStep;
    m_fHeaderRise = float(c) * kRisePerStep;
    if (m_iInputHoldOff > 0) --m_iInputHoldOff;
}

void CPageMenu::CountDownChange() {
    if (m_iChangeCountdown > 0) --m_iChangeCountdown;
}

bool CPageMenu::IsInputFree() const {
    if (m_iInputHoldOff != 0 || m_iChangeState != -1 || m_iChangeCountdown != 0) return false;
    const CGameApplication* app = g_pGameAppInstance;
    if (!app) return true;
    if (RecordAlive(app->m_pEffectSwitchPage) || RecordAlive(app->m_pEffectMsgBox) || RecordAlive(app->m_pEffectExit))
        return false;
    if (app->m_pEffectNewAchievement && app->m_pEffectNewAchievement->m_bShowing) return false;
    if (m_pItemEffect && m_pItemEffect->IsBusy()) return false;
    // A pending unlock holds the screen that announces it, and only that
    // one: elsewhere nothing would ever end it.
    if (app->m_iChosenEpisode != -1 && m_iSubScreen == MENU_EPISODE) return false;
    if (app->m_iNewArea != -1 && m_iSubScreen == MENU_STAGE_MAP) return false;
    return true;
}

// ---- gestures ------------------------------------------------------------

void CPageMenu::TrackGesture(float x, float y, bool pressed, bool released) {
    const VxVec3 cursor{x, y, 0.0f};
    if (pressed && released) {
        // Down and up within one frame: a tap where it fell.
        m_iGesture = GESTURE_TAP;
        m_vPressPos = cursor;
    } else if (pressed) {
        m_iGesture = GESTURE_PRESSED;
        m_vPressPos = cursor;
    } else if (released) {
        const float dx = m_vCursorPos.x - m_vPressPos.x;
        const float dy = m_vCursorPos.y - m_vPressPos.y;
        if (std::fabs(dx) < GESTURE_TAP_LIMIT && std::fabs(dy) < GESTURE_TAP_LIMIT) {
            m_iGesture = GESTURE_TAP;
        } else {
            if (m_iDragAxis == 1 && dy > GESTURE_SWIPE_DISTANCE) m_iGesture = GESTURE_SWIPE_UP;
            if (m_iDragAxis == 1 && dy < -GESTURE_SWIPE_DISTANCE) m_iGesture = GESTURE_SWIPE_DOWN;
            if (m_iDragAxis == 2 && dx < -GESTURE_SWIPE_DISTANCE) m_iGesture = GESTURE_SWIPE_LEFT;
            if (m_iDragAxis == 2 && dx > GESTURE_SWIPE_DISTANCE) m_iGesture = GESTURE_SWIPE_RIGHT;
            if (m_iGesture == GESTURE_DRAGGING) m_iGesture = GESTURE_IDLE;
        }
        m_vPressPos = cursor;
    } else if (m_iPrevGesture != GESTURE_DRAGGING) {
        m_vPrevPos = cursor;
    }
    m_vCursorPos = cursor;
}

void CPageMenu::StepGesture() {
    m_vFrameDelta = VxVec3{m_vCursorPos.x - m_vPrevPos.x, m_vCursorPos.y - m_vPrevPos.y, 0.0f};
    m_vPrevPos = m_vCursorPos;
    switch (m_iGesture) {
    case GESTURE_PRESSED: m_iGesture = GESTURE_DRAGGING; break;
    case GESTURE_DRAGGING:
        if (m_iDragAxis == 0) {
            const float dx = std::fabs(m_vCursorPos.x - m_vPressPos.x);
            const float dy = std::fabs(m_vCursorPos.y - m_vPressPos.y);
            if (dy >= GESTURE_TAP_LIMIT) m_iDragAxis = 1;
            else if (dx >= GESTURE_TAP_LIMIT) m_iDragAxis = 2;
        }
        break;
    case GESTURE_SWIPE_UP:
    case GESTURE_SWIPE_DOWN:
    case GESTURE_SWIPE_LEFT:
    case GESTURE_SWIPE_RIGHT: m_iGesture += GESTURE_SWIPE_DELIVERED - GESTURE_SWIPE_UP; break;
    default:
        m_iGesture = GESTURE_IDLE;
        m_iDragAxis = 0;
        break;
    }
    // Lists stay where they are under a drag: they move by steps only.
    m_vDragVelocity = VxVec3{};
}

// ---- music ---------------------------------------------------------------

int CPageMenu::UpdateMenuMusic() {
    CVxSound* intro = m_pIntroMusic;
    if (intro && !m_bIntroStarted && !intro->IsPlaying()) {
        intro->Play();
        m_bIntroStarted = true;
    }
    if (intro && intro->IsPlaying() && intro->m_fVolumeFactor < 1.0f)
        intro->SetVolumeFactor(intro->m_fVolumeFactor + 0.2f);
    const bool introOver = !intro || (!intro->IsPlaying() && !intro->m_bPaused);
    if (introOver && m_pLoopMusic) {
        // The mixer may have started it on the intro's last sample already.
        if (!m_pLoopMusic->IsPlaying()) m_pLoopMusic->Play();
        m_pMusic = m_pLoopMusic;
    }
    if (intro && intro->IsPlaying() && m_pLoopMusic && !m_pLoopMusic->IsPlaying()) intro->FollowWith(m_pLoopMusic);
    return 0;
}

// ---- small helpers shared by the screens ---------------------------------

bool CPageMenu::FadeOrSwitchRunning() const {
    const CGameApplication* app = g_pGameAppInstance;
    return app && (RecordAlive(app->m_pEffectBlackScreen) || RecordAlive(app->m_pEffectSwitchPage));
}

bool CPageMenu::MsgBoxOpen() const {
    const CGameApplication* app = g_pGameAppInstance;
    return app && RecordAlive(app->m_pEffectMsgBox);
}

void CPageMenu::OpenMsgBox(int kind) {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pEffectMsgBox) app->m_pEffectMsgBox->Add(kind);
}

bool CPageMenu::TakeWheel(int key) {
    if (!g_pApp) return false;
    uint32_t& word = g_pApp->m_aInput[0].m_aiKey[key];
    if (!(word & KEY_PRESSED)) return false;
    word &= ~uint32_t(KEY_PRESSED);
    return true;
}

bool CPageMenu::TakeListStep(bool down) {
    CVxButton* arrow = m_apListButton[down ? LIST_ARROW_DOWN : LIST_ARROW_UP];
    const bool clicked = arrow && arrow->TakeClick();
    return TakeWheel(down ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD) || clicked;
}

void CPageMenu::PlayClick() {
    if (CGameApplication* app = g_pGameAppInstance) RestartSound(app->m_pSndBtnClick);
}

void CPageMenu::PlayError() {
    if (CGameApplication* app = g_pGameAppInstance) RestartSound(app->m_pSndError);
}

void CPageMenu::PlaySlide() { RestartSound(m_pSlideSound); }

bool CPageMenu::HasProfile() const {
    const CGameApplication* app = g_pGameAppInstance;
    return app && app->m_pSaveData && app->m_pSaveData->Header().m_nProfilesInUse > 0;
}

bool CPageMenu::MeetsAreaRecommendation(int group, int area) const {
    return ::MeetsAreaRecommendation(g_CurrentProfile, group, area);
}
