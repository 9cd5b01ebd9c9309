#pragma once
// Page 1: the title and every menu screen. The page is the frame the screens
// stand on: what it loads, the 15-frame slide between screens, the input
// gate, the pointer gestures, the shared buttons, headers and music. Each
// screen's handlers live in a file of their own (Menu*.cpp).
#include <functional>
#include <string>
#include <vector>

#include "engine/VxButton.h"
#include "engine/VxMatrix.h"
#include "engine/VxPage.h"
#include "game/MenuLink.h"
#include "game/RobopediaParts.h"
#include "content/MiniGameTable.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "frontend/CreditRoll.h"
#include "frontend/ShopRules.h"

class CVxBillboard;
class CVxSound;
class CVxTexture;
class CEffect_RobotInfo;
class CEffect_ScaleAndDiffuseOut;
struct TextEntryState;

// Gesture states of the page's pointer recogniser.
enum MenuGesture : int {
    GESTURE_IDLE = 0,
    GESTURE_PRESSED = 1,
    GESTURE_DRAGGING = 2,
    GESTURE_TAP = 3,
    GESTURE_SWIPE_UP = 4,
    GESTURE_SWIPE_DOWN = 5,
    GESTURE_SWIPE_LEFT = 6,
    GESTURE_SWIPE_RIGHT = 7,
    GESTURE_SWIPE_DELIVERED = 8,  // 8 to 11: the swipe of 4 to 7 one frame later
};

// Frames a sub-screen takes to slide out, and again to slide in.
constexpr int MENU_CHANGE_FRAMES = 15;
// Input waits this many frames after a page load or an unslid change.
constexpr int MENU_INPUT_LOCK = 5;
// A release closer than this to the press (on both axes) is a tap; a drag
// locks its axis once it has come this far.
constexpr int GESTURE_TAP_LIMIT = 5;
// A release this far along the locked axis is a swipe.
constexpr int GESTURE_SWIPE_DISTANCE = 150;
// Distance between two places of a scrolling menu list.
constexpr float MENU_LIST_SPACING = 400.0f;
constexpr int MINI_GAMES = MINI_GAME_PLACES;  // the list holds one a place, 151 first
constexpr int MENU_MAP_AREAS = 5;
constexpr int MENU_STAGE_BUTTONS = 50;
constexpr int NAME_KEYS = 31;
constexpr int ROBOPEDIA_ROBOTS = 40;
constexpr int ROBOPEDIA_MACHINES = 32;
// The Machine list stands this far up once the encyclopedia has slid to it.
constexpr int ROBOPEDIA_PAGE_OFFSET = 620;
constexpr int ROBOPEDIA_SLIDE_STEP = 15;
// The render-target slot the lists and the profile rows keep their picture in.
constexpr int MENU_LIST_SLOT = 0;

// The page's list arrows, as they index m_apLightArrow and m_apListButton.
enum MenuListArrow : int {
    LIST_ARROW_LEFT = 0,
    LIST_ARROW_RIGHT = 1,
    LIST_ARROW_UP = 2,
    LIST_ARROW_DOWN = 3,
};

// Position of a list that pages by four rows.
struct MenuPagedList {
    float position = 0.0f;
    float minimum = 0.0f;
    float maximum = 0.0f;
};

// The header row of the sheet each sub-screen shows; -1 none (the upgrade
// screen shows a picture of its own).
int MenuHeaderRow(int screen);

// A scrolling picture list's place: the target and where it is drawn.
struct MenuListPlace {
    VxVec3 target;
    VxVec3 at;
};

class CPageMenu : public CVxPage, public CMenuLink {
public:
    CPageMenu();
    ~CPageMenu() override;

    // Entered from the logo page, the shared resources come first.
    int Load() override;
    // Leaving the menu saves the profile and lets the start-up pictures go.
    int Unload() override;
    int Update() override;
    int Render() override;
    int RenderOverlay() override;
    int HandleInput() override;
    // The Robopedia's information board, while it is open.
    const CVxEffect* OpenBoard() const override;

    void LoadScreen(int subScreen) override;
    void ReleaseScreen(int subScreen) override;
    int UpdateScreen(int subScreen) override;
    int RenderScreen(int subScreen) override;
    int RenderScreenOverlay(int subScreen) override;
    int HandleScreenInput(int subScreen) override;

    // Back to the state of a fresh page load.
    void Reset();
    // Keeps the two-part menu music going; called every frame and timer tick.
    int UpdateMenuMusic() override;
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures() override;

    // The gate every screen's input handler asks before acting on a click.
    bool IsInputFree() const;
    // Asks for another sub-screen: the current one slides out first.
    void RequestSubScreen(int next, int direction) override;
    // Change protocol, the Update half: at the end of the slide-out the next
    // screen is entered. Then the slide offsets follow the countdown.
    void StepChange();
    // Change protocol, the overlay half: the countdown.
    void CountDownChange();
    // Runs the enter routine of a screen (also for one entered by a page switch).
    void EnterScreen(int screen);

    // Pointer gestures from device 0: the input half (cursor in centre-origin
    // coordinates, the left button's bits this frame) and the overlay half.
    void TrackGesture(float x, float y, bool pressed, bool released);
    void StepGesture();
    bool IsTap() const { return m_iGesture == GESTURE_TAP; }

    // Operations the message box's answers call.
    void DeleteCurrentProfile() override;
    void BuyLabItem() override;
    void BuyUpgrade() override;
    void StepEpisode(bool forward) override;
    void ScrollStageMap(int direction) override;
    // Map areas open on the chosen episode.
    int GetOpenAreaCount() const override;
    // The map-area rule for (episode - 1, area - 1).
    bool MeetsAreaRecommendation(int group, int area) const;

    // What the application's boards read of the menu.
    int MenuSubScreen() const override { return m_iSubScreen; }
    void StopEpisodeScroll() override { m_iEpisodeScroll = -1; }
    void StopMapScroll() override { m_iMapScroll = -1; }
    void ForgetOpenMsgBox() override { m_iOpenMsgBox = -1; }
    void HoldOffInput(int frames) override { m_iInputHoldOff = frames; }
    int EpisodeChoice() const override { return m_iEpisodeChoice; }
    int MapArea() const override { return m_iMapArea; }
    CVxSound* Music() const override { return m_pMusic; }
    CVxBillboard* ConditionMark(bool met) const override { return met ? m_pCheckboxYes : m_pCheckboxNo; }
    CVxBillboard* ScrollArrow(int index) const override { return m_apScrollArrow[index]; }
    RobopediaParts* Robopedia() override { return &m_Robopedia; }

    // Progress queries.
    int GetEpisodeOfProgress() const;
    int GetOpenMiniGameCount() const;
    int GetOpenStageCountInArea() const;
    bool IsNewestStage(int index) const;

    // Shared widgets. A list's up or down arrow, drawn where the list has
    // more that way; the Robopedia's swap icon.
    void DrawListArrow(MenuListArrow kind);
    void DrawSwapButton();
    void DrawInfoPanel(int variant);

    // Title and main menu.
    void LoadTitle();
    void UpdateTitle();
    void HandleTitleInput();
    void LoadMainMenu();
    void ResetMainMenu();
    void ScrollMainMenu(int direction);
    void UpdateMainMenu();
    void RenderMainMenu();
    void HandleMainMenuInput();
    void ChoosePlay();

    // Episode choice.
    void LoadEpisode();
    void ReleaseEpisode();
    void ResetEpisode();
    void UpdateEpisode();
    void HandleEpisodeInput();
    bool IsEpisodeLocked(int entry) const;

    // Stage map.
    void LoadStageMap();
    void ResetStageMap();
    void UpdateStageMap();
    void RenderStageMap();
    void HandleStageMapInput();
    bool IsAreaLocked(int area) const;

    // Mission panel.
    void LoadMission();
    void UpdateMission();
    void HandleMissionInput();
    // The stage a click on button index i of the shown area starts.
    int MissionStageId(int index) const;
    // The button index that stands for the pending mini-game; -1 none.
    int MissionMiniGameIndex() const;

    // Mini-game list.
    void LoadMiniGames();
    void EnterMiniGames();
    void StepMiniGameGroup(int direction);
    void UpdateMiniGames();
    void HandleMiniGameInput();

    // Name entry.
    void LoadNameEntry();
    void ReleaseNameEntry();
    void EnterNameEntry();
    void UpdateNameEntry();
    void HandleNameEntryInput();
    void ConfirmName();
    void CreateProfileFromName();
    void RenameProfileFromName();
    bool HasProfile() const;

    // Profiles.
    void LoadProfiles();
    void EnterProfiles();
    void UpdateProfiles();
    void RenderProfiles();
    void HandleProfilesInput();
    // Picks stored profile i as the live one, after the live one's unsaved
    // changes have gone back into its own slot.
    void PickProfile(int i);
    // The live profile back into its stored slot.
    void KeepLiveProfile();

    // Laboratory, and what the upgrades and achievements share with it.
    void LoadLaboratory();
    void EnterLaboratory();
    void SetLabPrices();
    // The item shows the marker of what the next area recommends.
    bool IsLabItemRecommended(int item) const;
    void GetLabItemText();
    void UpdateLaboratory();
    void HandleLaboratoryInput();
    void RenderAchievementPopup();
    // The backing panel with the sub-screen fade's alpha.
    void DrawListBacking();
    // Commits a finished swipe or a released drag; the position drawn.
    float StepPagedList(MenuPagedList& list);
    // Pages the list by the arrows or the wheel; true when it moved.
    bool PageList(MenuPagedList& list);
    void DrawPagedListArrows(const MenuPagedList& list);
    // Draws the list's still: into the kept picture once after each change,
    // then the kept picture; straight to the screen where none can be kept.
    // The still is drawn under a camera cameraScale times the screen.
    void ShowListStill(const std::function<void(float dx)>& draw, float cameraScale = 1.25f);
    void DrawPriceLine(float x, float y, bool soldOut, int price);
    void DrawRowText(float x, float y, const char* name, const char* text, bool grey);
    // Renders the listed rows' buttons (buttons indexed by item) and leaves
    // them at their places for input.
    void PlaceListButtons(CVxButton* const* buttons, const std::vector<int>& listed, float shown);
    // After a purchase: the achievement, the save and the sound.
    void FinishPurchase(int completed);

    // Robot upgrades.
    void LoadUpgrades();
    void EnterUpgrade();
    void SetUpgradePrices();
    void UpdateUpgrade();
    void HandleUpgradeInput();

    // Achievements.
    void LoadAchievements();
    void EnterAchievements();
    void UpdateAchievements();
    void HandleAchievementsInput();

    // Robopedia.
    void LoadRobopedia();
    void ReleaseRobopedia();
    void EnterRobopedia();
    void UpdateRobopedia();
    void RenderRobopedia();
    void RenderRobopediaOverlay();
    void HandleRobopediaInput();
    void StepRobopediaSlide();

    // Credits.
    void LoadCredits();
    void ReleaseCredits();
    void EnterCredits();
    void UpdateCredits();
    void HandleCreditsInput();
    void AddCreditLine(const char* text, int style, bool gapBefore);
    bool IsCreditLineHovered() const;

    // Frame members.
    CVxBillboard* m_pBackground = nullptr;
    CVxBillboard* m_pFrame = nullptr;
    CVxBillboard* m_pBlackScreen = nullptr;
    CVxBillboard* m_pPicFrame = nullptr;
    CVxTexture* m_pArrowTexture = nullptr;
    CVxBillboard* m_pArrowUp = nullptr;
    CVxBillboard* m_pArrowDown = nullptr;
    CVxBillboard* m_apLightArrow[4] = {};  // left, right, up, down
    CVxButton* m_apListButton[4] = {};
    CVxButton* m_pSwapButton = nullptr;
    CVxButton* m_apRectArrowButton[2] = {};
    CVxBillboard* m_pLock = nullptr;
    CVxBillboard* m_pNumberBox = nullptr;
    CVxBillboard* m_pTextBG = nullptr;
    CVxTexture* m_pHeaderTexture = nullptr;
    CVxBillboard* m_apHeader[12] = {};
    CVxButton* m_pBackButton = nullptr;
    CVxButton* m_pShopButton = nullptr;
    CVxButton* m_pAdvLabButton = nullptr;
    CustomType m_BackFaces, m_ShopFaces, m_AdvLabFaces, m_ListBoxFaces;
    CVxBillboard* m_pUpgradeHeader = nullptr;
    CVxBillboard* m_apSaveIcon[4] = {};
    CVxBillboard* m_pSlash = nullptr;  // the slash cell of the interface digits

    // Gesture state.
    int m_iGesture = GESTURE_IDLE;
    int m_iPrevGesture = GESTURE_IDLE;
    int m_iDragAxis = 0;  // 0 none, 1 vertical, 2 horizontal
    VxVec3 m_vPressPos, m_vPrevPos, m_vCursorPos, m_vFrameDelta, m_vDragVelocity;
    int m_iEnterFrame = 0;
    int m_iFrameCount = 0;

    CEffect_ScaleAndDiffuseOut* m_pItemEffect = nullptr;  // owned
    CVxSound* m_pIntroMusic = nullptr;
    CVxSound* m_pLoopMusic = nullptr;
    // The part playing now; the page-switch transition fades it.
    CVxSound* m_pMusic = nullptr;
    bool m_bIntroStarted = false;
    CVxSound* m_pSlideSound = nullptr;  // the application's
    CVxSound* m_pSfxBuy = nullptr;
    CVxSound* m_pSfxType = nullptr;

    // Change protocol.
    int m_iChangeState = -1;  // 1 leaving the current sub-screen, -1 entering or idle
    int m_iChangeDirection = -1;
    int m_iNextScreen = 0;
    int m_iChangeCountdown = 0;
    float m_fSlideX = 0.0f;
    float m_fHeaderRise = 0.0f;
    bool m_bAchievementPopup = false;
    int m_iInputHoldOff = 0;  // m_iInputLock: frames before input is taken again
    int m_iLabOrigin = MENU_MAIN;
    int m_iSelection = -1;
    int m_iSelection2 = -1;
    int m_iOpenMsgBox = -1;  // m_iPagePopup: the kind this page's screen opened

    // Title and main menu.
    CVxBillboard* m_pLogo = nullptr;
    CVxBillboard* m_apMainEntry[4] = {};
    CVxButton* m_pMainClickButton = nullptr;
    CVxTexture* m_pMainNameTexture = nullptr;
    CVxBillboard* m_apMainName[4] = {};
    CustomType m_ProfileFaces;
    CVxButton* m_pProfileButton = nullptr;
    CVxButton* m_pOptionButton = nullptr;
    CVxButton* m_pExitButton = nullptr;
    VxVec3 m_aMainTarget[4];
    int m_iMainIndex = 0;
    int m_iMainScroll = -1;

    // Episode choice. m_iEpisodeChoice is the episode the player chose (0 to
    // 2, 3 the mini-games); the story page tells that episode's story.
    std::vector<int> m_aEpisodeList;
    int m_iEpisodeChoice = 0;
    VxVec3 m_aEpisodeTarget[4];
    int m_iEpisodeScroll = -1;
    CVxBillboard* m_apEpisodePicture[4] = {};
    CVxTexture* m_pEpisodeNameTexture = nullptr;
    CVxBillboard* m_apEpisodeName[4] = {};
    CVxButton* m_pEpisodeClickButton = nullptr;

    // Stage map.
    CVxBillboard* m_apMapPicture[MENU_MAP_AREAS] = {};
    CVxTexture* m_pMapNameTexture = nullptr;
    CVxBillboard* m_apMapName[MENU_MAP_AREAS] = {};
    CVxButton* m_pMapButton = nullptr;
    CVxBillboard* m_pCheckboxYes = nullptr;  // a condition met
    CVxBillboard* m_pCheckboxNo = nullptr;   // a condition not met
    int m_iMapArea = 0;
    VxVec3 m_avMapTarget[MENU_MAP_AREAS];
    int m_iMapScroll = -1;
    // Pictures the scroll-wheel tip shows turned.
    CVxBillboard* m_apScrollArrow[2] = {};

    // Mission panel.
    CustomType m_aStageFaces[MENU_MAP_AREAS];
    CVxButton* m_apStageButton[MENU_STAGE_BUTTONS] = {};
    CVxBillboard* m_pMissionIcon = nullptr;

    // Mini-game list.
    CVxButton* m_apMiniGameButton[MINI_GAMES] = {};
    CVxBillboard* m_apMiniGamePicture[MINI_GAMES] = {};
    CVxBillboard* m_pMiniGameFrame = nullptr;
    VxVec3 m_avMiniGameTarget[MINI_GAMES];
    int m_iMiniGameGroup = 0;
    int m_nMiniGameGroups = 1;
    int m_iMiniGameScroll = -1;

    // Name entry.
    CVxBillboard* m_pNameFrame = nullptr;
    CustomType m_aKeyFaces[4];
    CVxButton* m_apKey[NAME_KEYS] = {};
    CVxButton* m_pOkButton = nullptr;
    CVxButton* m_pCancelButton = nullptr;
    char m_aKeyChars[3][NAME_KEYS] = {};
    TextEntryState* m_pNameLimit = nullptr;  // owned
    char m_szEntryName[9] = {};
    bool m_bCapsOn = false;
    bool m_bDigitsOn = false;
    int m_iKeyLayout = 0;  // 0 lower case, 1 upper case, 2 digits
    int m_iEntryMode = 0;  // 0 create, 1 rename
    int m_iEntryReturn = MENU_PROFILES;
    int m_iProfileSelection = 0;

    // The encyclopedia and its information board.
    RobopediaParts m_Robopedia;
    CEffect_RobotInfo* m_pRobotInfo = nullptr;
    UnitDefinition m_aRobotRecord[ROBOPEDIA_ROBOTS];
    CVxButton* m_apRobotEntry[ROBOPEDIA_ROBOTS] = {};
    CVxButton* m_apMachineEntry[ROBOPEDIA_MACHINES] = {};
    CVxBillboard* m_apMachineCard[ROBOPEDIA_MACHINES] = {};
    CVxBillboard* m_pUpgradedCardFrame = nullptr;
    CVxTexture* m_pRobopediaBarTexture = nullptr;
    int m_iRobopediaSlide = 0;   // 0 still, 1 towards the Machines, -1 back
    int m_iRobopediaOffset = 0;  // 0 robots shown to 620 Machines shown
    int m_iPageTurn = 0;         // the info panel's animation: 0 idle, 1 rising, 2 falling
    int m_iPanelList = 0;        // the list the info panel tells of: 0 robots, 1 Machines
    int m_iHeaderChoice = 0;

    // Profiles.
    CustomType m_CreateFaces, m_RenameFaces, m_DeleteFaces;
    CVxButton* m_pCreateButton = nullptr;
    CVxButton* m_pRenameButton = nullptr;
    CVxButton* m_pDeleteButton = nullptr;
    CVxButton* m_apProfileRow[3] = {};
    CVxBillboard* m_pRowFrame = nullptr;
    CVxBillboard* m_pRowFrameSelected = nullptr;
    CVxBillboard* m_apUserIcon[2] = {};
    int m_iProfileAtEntry = 0;
    // The live profile as it was on entry: Back compares with it, since a
    // delete can leave another profile in the same slot.
    SaveProfile m_ProfileAtEntry{};

    // Laboratory.
    LabItemRecord m_aLabPair[LAB_ITEMS] = {};
    int m_aiLabMaxLevel[LAB_ITEMS] = {};
    int m_aiLabPrice[LAB_ITEMS][SHOP_PRICE_LEVELS] = {};
    std::string m_aLabText[LAB_ITEMS][2];
    std::vector<int> m_vecLabListed;
    CVxButton* m_apLabButton[LAB_ITEMS] = {};
    CVxBillboard* m_apLabPicture[LAB_ITEMS] = {};
    CVxBillboard* m_pSoldOut = nullptr;
    CVxBillboard* m_pRecommendMarker = nullptr;
    MenuPagedList m_LabList;
    int m_iChosenItem = -1;
    int m_iChosenPrice = 0;
    int m_iPendingBox = -1;  // the box the laboratory or the upgrades opened; -1 none

    // Robot upgrades.
    RobotUpgradeRecord m_aUpgradePair[UPGRADE_ROBOTS] = {};
    int m_aiUpgradeMaxLevel[UPGRADE_ROBOTS] = {};
    int m_aiUpgradePrice[UPGRADE_ROBOTS][SHOP_PRICE_LEVELS] = {};
    std::vector<int> m_vecUpgradeListed;
    CVxButton* m_apUpgradeButton[UPGRADE_ROBOTS] = {};
    CVxBillboard* m_apUpgradePicture[UPGRADE_ROBOTS] = {};
    CVxBillboard* m_pUpgradeFrame = nullptr;
    MenuPagedList m_UpgradeList;
    int m_iChosenRobot = -1;
    int m_iChosenUpgradePrice = 0;

    // Achievements.
    CVxBillboard* m_apAchvAnchor[PROFILE_ACHIEVEMENTS][2] = {};
    CVxBillboard* m_apAchvPicture[PROFILE_ACHIEVEMENTS] = {};
    CVxBillboard* m_pAchvLocked = nullptr;
    float m_fCompletion = 0.0f;
    MenuPagedList m_AchvList;

    // The lists' kept picture: whether it holds the list, and how often it was drawn.
    bool m_bListKept = false;
    int m_nListStills = 0;

    // Credits.
    std::vector<CreditLine> m_aCreditLines;
    float m_fCreditsX = CREDITS_MENU_X;
    float m_fCreditsScroll = CREDITS_START_SCROLL;
    float m_fCreditsFade = 0.0f;

private:
    // A picture of the menu folder, alpha-blended.
    CVxBillboard* MenuPicture(const char* name);
    // A menu-folder texture of `count` stacked names, cut into one billboard
    // per name; the texture is returned.
    CVxTexture* MenuNameRows(const char* name, CVxBillboard** rows, int count);
    // A button tagged for a screen, invisible to the page's own button pass
    // (its screen processes and draws it).
    CVxButton* HandledButton(int tag);
    void LoadFrame();
    // The page's manager goes with the page: nothing made through it is kept.
    void ForgetPageObjects();
    void ApplyReturnFromBattle();
    void RenderHeader();
    // A scrolling picture list: moves the pictures towards their targets by
    // step (true once the first has arrived), or places them with the slide.
    bool MoveList(CVxBillboard* const* pictures, const VxVec3* targets, int n, float step);
    void PlaceList(CVxBillboard* const* pictures, const VxVec3* targets, int n);
    // How an entry of a picture list is drawn over its place.
    struct FramedEntryLook {
        CVxBillboard* frame = nullptr;
        float pictureScale = 1.0f, frameScale = 1.0f;
        float shade = 1.0f;     // of the picture alone
        float alpha = 1.0f;     // of the picture and its frame
        bool lit = false;       // the frame glows faintly
        float lockSize = 0.0f;  // 0: no lock
    };
    // Every picture list draws an entry so: the picture, the frame over it
    // (the picture shows through its window), then the lock over both.
    void DrawFramedEntry(CVxBillboard* picture, const VxVec3& at, const FramedEntryLook& look);
    // An entry of the main menu, the episode choice or the stage map: the
    // page's picture frame, darkened and locked or lit.
    void DrawListEntry(CVxBillboard* picture, bool locked, bool lit);
    void DrawLabelPop(CVxBillboard* label, float x, float y);
    // Count, slash and total with the interface digits, the slash at (x, y).
    void DrawCountOf(int count, int total, float x, float y, float spacing, float gap, float scale);
    // The same with each of the three parts at its own x.
    void DrawCountAt(int count, int total, float countX, float slashX, float totalX, float y, float spacing,
                     float scale);
    // Stars earned against the possible, on the text background at (x, y).
    // The icon stands iconDx left of it, the slash numberDx right and the
    // digits numberDy up.
    void DrawStarPanel(float x, float y, float sx, float sy, int stars, int possible, float scale, float iconDx,
                       float numberDx, float numberDy);
    void MakeSlash();
    bool FadeOrSwitchRunning() const;
    bool MsgBoxOpen() const;
    void OpenMsgBox(int kind);
    bool TakeWheel(int key);
    // A step of a list that way, asked by its arrow button or the wheel; both
    // are taken, so neither is left to act in a later frame.
    bool TakeListStep(bool down);
    void PlayClick();
    void PlayError();
    void PlaySlide();
};
