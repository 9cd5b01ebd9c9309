#pragma once
// The game's application object: loads (or repairs) the save data, owns the
// five pages, the shared pictures, sounds and interface effects, the robot and
// Machine art caches, and answers the engine's frame, timer and focus hooks.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/VxButton.h"
#include "engine/VxSaveData.h"
#include "engine/VxXApplication.h"
#include "game/GamePages.h"
#include "game/RobotArt.h"

class CVxBillboard;
class CVxFont;
class CVxNumber;
class CVxSound;
class CVxTexture;
class CGameSaveData;
class CEffect_Loading;
class CEffect_NewAchievement;
class CEffect_BlackScreen;
class CEffect_MsgBox;
class CEffect_Exit;
class CEffect_SwitchPage;
class CEffect_Touch;

// Logical screen size the pages and effects give their 2-D camera.
extern int g_iScreenWidth;
extern int g_iScreenHeight;
// Start in full screen (the save header's windowed flag was clear).
extern std::atomic<bool> g_bStartFullscreen;
// The frame-statistics text is drawn while set.
extern uint8_t g_bShowFrameStats;

constexpr int ROBOT_CACHE_SLOTS = 11;
constexpr int ENEMY_CACHE_SLOTS = 10;
constexpr int ENEMY_SCORE_TYPES = LAST_MACHINE_TYPE - FIRST_MACHINE_TYPE + 1;  // 33
constexpr int ART_SCORE_MAX = 5;
constexpr int MINE_COPTER_FRAMES = 9;
constexpr int HAND_SLOT_COUNT = 17;
constexpr int ENEMY_RECORD_COUNT = 8;
constexpr int SHARED_BUTTON_SETS = 15;
constexpr int ITEM_PICTURES = 10;  // pictures 0 to 7 and 9; 8 stays empty

// One (card code, charge) slot of the battle hand.
struct HandSlot {
    int m_iCard = -1;
    int m_iCharge = 0;
};

// A slot of one of the art caches.
struct ArtCacheSlot {
    int m_iId = -1;  // -1 free
    RobotArt m_Art;
};

// The fifteen shared button state sets, in loading order.
enum SharedButtonSet : int {
    BTN_MAP,
    BTN_OK,
    BTN_CANCEL,
    BTN_RESTART,
    BTN_RESUME,
    BTN_SOUNDOFF,
    BTN_SOUNDON,
    BTN_HELP,
    BTN_OPTION,
    BTN_EXIT,
    BTN_FULLSCREENOFF,
    BTN_FULLSCREENON,
    BTN_MENU,
    BTN_REPLAY,
    BTN_NEXT,
};

class CGameApplication : public CVxXApplication {
public:
    // makePages builds the five pages; without it the application has none.
    explicit CGameApplication(GamePageFactory makePages = nullptr);
    ~CGameApplication() override;

    // Engine hooks.
    void DrawLoadingScreen() override;
    void UpdateOverlays() override;
    int LoadResources() override;
    int ReleaseResources() override;
    void OnTimer() override;
    void LoadStage() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnSystemSuspend() override;
    void OnSystemResume() override;
    // The window's close button asks, through the exit box, before leaving.
    void OnClose() override;
    // A battle is not opened for a stage that has no record.
    bool RefusesPage(int index) override;
    // The exit box over everything, then the message box, the achievement
    // board, then the current page's own board.
    const CVxEffect* OpenBoard() const override;

    // Shared resources.
    void LoadStartupResources();
    void ReleaseStartupResources();
    void LoadSharedResources();
    void LoadHitEffects();
    void ResetGameState();

    // Robot and Machine art caches. The art and unit record of hand slot i
    // (Machine record i) are copied to records[i] (artRecords[i]), arrays of
    // HAND_SLOT_COUNT (ENEMY_RECORD_COUNT); null: only the caches change.
    void LoadPlayerRobotResources(const HandSlot (&hand)[HAND_SLOT_COUNT], RobotArt* records);
    void LoadEnemyRobotResources(const UnitDefinition (&records)[ENEMY_RECORD_COUNT], RobotArt* artRecords);
    void LoadRobotResources(int robotId, int slot);
    void ReleaseRobotResources(int slot);
    void LoadEnemyResources(int machineType, int slot);
    void ReleaseEnemyResources(int slot);

    // Start-up resources.
    CVxTexture* m_pTexLoading = nullptr;
    CVxBillboard* m_pBbdLoading = nullptr;       // the whole sheet; the bar fill is cut from it
    CVxBillboard* m_pBbdLoadingFrame = nullptr;  // second eighth
    CVxBillboard* m_pBbdLoadingTop = nullptr;    // first eighth
    CVxBillboard* m_apBbdSplash[2] = {};
    CVxSound* m_pSndBtnClick = nullptr;
    CVxSound* m_pSndError = nullptr;
    CVxSound* m_pSndLogo = nullptr;  // filled by the logo page

    // Shared resources.
    CVxBillboard* m_pBbdLoadingMultithread = nullptr;
    CVxTexture* m_pTexGameText = nullptr;
    CVxBillboard* m_apBbdGameText[3] = {};
    CVxBillboard* m_apBbdCount[3] = {};
    CVxTexture* m_pTexInterface = nullptr;
    CVxTexture* m_pTexStage = nullptr;
    CVxBillboard* m_apBbdStage[4] = {};
    CVxBillboard* m_apBbdTwist[2] = {};
    CVxBillboard* m_pBbdHeartAttack = nullptr;
    CVxBillboard* m_pBbdSpike = nullptr;  // the battle's spike picture
    CVxBillboard* m_apBbdLight[6] = {};
    CVxTexture* m_pTexLightArrow = nullptr;
    CVxBillboard* m_apBbdLightArrow[2] = {};
    CustomType m_ButtonPause;
    CVxBillboard* m_apBbdInterface[7] = {};  // wave sign, heart, energy, metal parts, survival, flag, arrow
    CVxBillboard* m_apBbdItem[ITEM_PICTURES] = {};
    CVxTexture* m_pTexItemNumber = nullptr;
    CVxBillboard* m_apBbdItemNumber[8] = {};
    CVxBillboard* m_pBbdCardBG = nullptr;
    CVxBillboard* m_pBbdCardBGBlank = nullptr;
    CVxBillboard* m_pBbdCardSelect = nullptr;
    CVxBillboard* m_apBbdCard[ROBOT_TYPES] = {};
    CVxBillboard* m_pBbdNew = nullptr;
    CustomType m_aButtonSets[SHARED_BUTTON_SETS];
    CVxNumber* m_pNumInterface = nullptr;  // owned here
    CVxNumber* m_pNumStageBig = nullptr;   // owned here
    CVxBillboard* m_apBbdStageDigit[3] = {};
    CVxFont* m_pFontStandard = nullptr;
    CVxBillboard* m_pBbdDelayFrame = nullptr;
    CVxBillboard* m_pBbdDelayGauge = nullptr;
    CVxBillboard* m_pBbdCardFull = nullptr;
    CVxBillboard* m_pBbdSmoke = nullptr;
    CVxBillboard* m_pBbdStarCircle = nullptr;
    CVxBillboard* m_pBbdTouch = nullptr;
    CVxBillboard* m_pBbdMark = nullptr;
    CVxTexture* m_pTexMsgHeader = nullptr;
    CVxBillboard* m_apBbdMsgHeader[8] = {};
    CVxBillboard* m_pBbdMsgLarge = nullptr;
    CVxBillboard* m_pBbdMsgMedium = nullptr;
    CVxBillboard* m_pBbdMsgSmall = nullptr;
    CVxBillboard* m_pBbdMsgTextBG = nullptr;
    CVxBillboard* m_apBbdStar[2] = {};
    CVxBillboard* m_pBbdStarBurst = nullptr;
    CVxBillboard* m_apBbdScoreSummary[2] = {};
    CVxBillboard* m_apBbdHit[4] = {};  // hit light, hit smoke, stone, target mark
    CVxSound* m_pSndSlideScr = nullptr;
    CVxSound* m_pSndMsgBox = nullptr;
    CVxSound* m_pSndGotAchv = nullptr;
    CVxSound* m_apSndDeath[2] = {};
    CVxSound* m_pSndCardFull = nullptr;
    CVxSound* m_pSndExpand = nullptr;
    // A render target's picture shown as a quad; the render road attaches it.
    CVxTexture* m_pRenderTargetTexture = nullptr;
    CVxBillboard* m_pRenderTargetBillboard = nullptr;

    // Art caches (owned here, lent to the battle page).
    ArtCacheSlot m_aRobotCache[ROBOT_CACHE_SLOTS];
    ArtCacheSlot m_aEnemyCache[ENEMY_CACHE_SLOTS];
    int m_aiRobotScore[ROBOT_TYPES] = {};
    int m_aiEnemyScore[ENEMY_SCORE_TYPES] = {};
    CVxBillboard* m_apMineCopter[MINE_COPTER_FRAMES] = {};

    // Pages (owned through m_Pages); the menu and battle pages through their links.
    CVxPage* m_pPageLogo = nullptr;
    CMenuLink* m_pPageMenu = nullptr;
    CVxPage* m_pPageStory = nullptr;
    CBattleLink* m_pPageGame = nullptr;
    CVxPage* m_pPageTest = nullptr;

    CGameSaveData* m_pSaveData = nullptr;

    // Application-owned effects.
    CEffect_Loading* m_pEffectLoading = nullptr;
    CEffect_NewAchievement* m_pEffectNewAchievement = nullptr;
    CEffect_BlackScreen* m_pEffectBlackScreen = nullptr;
    CEffect_MsgBox* m_pEffectMsgBox = nullptr;
    CEffect_Exit* m_pEffectExit = nullptr;
    CEffect_SwitchPage* m_pEffectSwitchPage = nullptr;
    CEffect_Touch* m_pEffectTouch = nullptr;

    // Play state.
    std::atomic<int> m_iLoadingProgress{0};
    int m_iMenuReturnScreen = 2;
    bool m_bReturnToMenu = false;
    int m_iChosenEpisode = -1;
    int m_iNewArea = -1;
    std::atomic<int> m_iCurrentStage{1};
    bool m_bProfileJustChosen = false;
    std::vector<int> m_vecLastDeck;
    int m_nEasyWinStreak = 0;
    int m_nLossStreak = 0;
    float m_fScreenShake = 0.0f;

    // Set when the player declined every repair of the save data: the run
    // ends without writing anything over what is on the disk.
    bool m_bSaveDeclined = false;

    // The one door every save goes through. Writes the save file unless
    // saving was declined; a failed write shows one message naming the file
    // and the reason, and play goes on. The same failure again goes to
    // stderr only. A backup copy that failed is told the same way. True
    // when the file was written.
    bool SaveProgress();

private:
    std::string m_sReportedSaveFailure, m_sReportedBackupFailure;
    // A failed write's message (lead, then the save object's failed file and
    // reason), and the start-up notice that saves cannot work; the same two
    // for the backup.
    std::string WriteFailedText(const char* lead) const;
    std::string SaveBlockedText() const;
    std::string BackupFailedText() const;
    std::string BackupBlockedText() const;
    void ReportSaveBlocked();
    void ReportBackupBlocked();
    // One message for a failure not told yet (told then holds it); the same
    // again goes to stderr only.
    static void TellOnce(const std::string& text, std::string& told);
    // saveBlocked: the player has been told that no save can be written.
    void RecoverSaveData(int loadResult, bool saveBlocked);
    // The first box's words for a save file the last load could not read
    // ("" when it read it or found nothing). One whose data may be good is
    // set aside first: keptAs then names where, and the words say so.
    std::string ReadTroubleText(CVxSaveData::SaveFile file, std::string& keptAs);
    // A good load beside a backup that could not be read: it is told and set aside.
    void KeepUnreadableBackup();
    // A start-up question went unanswered: quit, changing nothing more in the
    // save folder; what the first box set aside stays so, and is named.
    void QuitUntouched(const std::vector<std::string>& setAside = {});
    void QuitWithoutSaving();
    void InstallContentLink();
    void InstallRoadLinks();
    void DeletePages();
    // Loads art for one card of either cache; false when no slot could be had.
    bool FillCacheSlot(ArtCacheSlot* cache, int slots, int* scores, int scoreBase, int id,
                       const std::vector<int>& inHand, bool enemy, int& slotOut);
    void LoadUnitArt(int id, RobotArt& art, bool enemy);
    void ReleaseCacheSlot(ArtCacheSlot& slot, bool enemy);

    struct ContentLink;
    ContentLink* m_pContentLink = nullptr;
    GamePages m_Pages;
};

extern CGameApplication* g_pGameAppInstance;

// The stage being played; 1 while there is no application.
int CurrentStage();
