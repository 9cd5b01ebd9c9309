#include "game/GameApplication.h"

#include <cstdio>

#include "content/GameLink.h"
#include "content/StageDefinition.h"
#include "engine/VxBillboard.h"
#include "engine/PageIndices.h"
#include "engine/VxNumber.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "engine/framework/MyD3DApplication.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_Loading.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameSaveData.h"
#include "game/MenuLink.h"
#include "platform/D3DApplication.h"
#include "platform/host/MessageBox.h"
#include "platform/host/X11Connection.h"

int g_iScreenWidth = 880;
int g_iScreenHeight = 640;
std::atomic<bool> g_bStartFullscreen{false};
uint8_t g_bShowFrameStats = 0;
CGameApplication* g_pGameAppInstance = nullptr;

namespace {

const char* const kReadErrorCaption = "Save data read error!";
const char* const kCorruptedText = "The save file can not be used because the data is corrupted.";
const char* const kLostText = "The save file can not be used because the data is lost.";
const char* const kRecreateCaption = "Recreate save data.";
const char* const kRecreateText = "Do you want to create new save data?";
const char* const kRecoveryCaption = "Recovery save data.";
const char* const kRecoveryText = "Do you want to recovery save data from back up system?";
const char* const kWriteErrorCaption = "Save data write error!";
const char* const kNotKeptText = "No save is being kept: play goes on, but nothing is saved until this is put right.";
const char* const kNoBackupText =
    "No backup is being kept: play goes on and is saved, but the backup stays as it was until this is put right.";
const char* const kBackupFailedText = "The backup of the save could not be made.";
const char* const kNotSavedText = "The game could not be saved.";
const char* const kNotRestoredText = "The save data could not be restored from the backup.";
const char* const kNotCreatedText = "The new save data could not be written.";
const char* const kKeptText = "It is kept, never written over, as\n";

// A failed repair asks again, but a disk that keeps refusing ends the run.
constexpr int kMaxCreateAttempts = 3;

// A start-up box nobody answered: it could not be shown (no display), or a
// quit request closed it. Such a box changes no file.
enum class Answer { Yes, No, None };

Answer Ask(const char* text, const char* caption, unsigned type) {
    const int answer = host::ShowMessageBox(text, caption, type);
    if (answer == 0 || g_bQuitRequested) return Answer::None;
    return answer == host::IDYES || (type == host::MB_OK && answer == host::IDOK) ? Answer::Yes : Answer::No;
}

}  // namespace

// What the content lookups read of the running game.
struct CGameApplication::ContentLink : public CContentLink {
    explicit ContentLink(CGameApplication& app) : m_app(app) {}
    int CurrentPage() const override { return m_app.m_iCurrentPage; }
    bool IsSwitchPending() const override { return m_app.m_bSwitchPending; }
    int PendingPage() const override { return m_app.m_iNewPage; }
    int CurrentStage() const override { return m_app.m_iCurrentStage; }
    const StageDefinition* BattleStageDefinition() const override {
        return m_app.m_pPageGame ? &m_app.m_pPageGame->Stage() : nullptr;
    }
    const FieldCell* BattleFieldCells() const override {
        return m_app.m_pPageGame ? m_app.m_pPageGame->FieldCells() : nullptr;
    }
    void SetFieldGroundRow(int row) override {
        if (m_app.m_pPageGame) m_app.m_pPageGame->SetFieldGroundRow(row);
    }
    int CurrentSubScreen() const override {
        const CVxPage* page = m_app.PageAt(m_app.m_iCurrentPage);
        return page ? page->m_iSubScreen : 0;
    }
    int BattleState() const override { return m_app.m_pPageGame ? m_app.m_pPageGame->BattleState() : 0; }
    CAchievementNotice* AchievementBoard() override { return m_app.m_pEffectNewAchievement; }
    CAchievementNotice* InGameAchievementNotice() override {
        return m_app.m_pPageGame ? m_app.m_pPageGame->InGameNotice() : nullptr;
    }
    CGameApplication& m_app;
};

CGameApplication::CGameApplication(GamePageFactory makePages) {
    g_pGameAppInstance = this;
    m_bBlockSubScreenChanges = false;
    m_bHoldSwitch = false;

    m_pszTitle = "Cogsquall";
    g_iScreenWidth = 900;
    g_iScreenHeight = 600;
    m_iWindowWidth = 900;
    m_iWindowHeight = 600;

    m_pSaveData = new CGameSaveData();
    // What no save can write past is said at every start, before anything is
    // read or written, so a message nobody saw leaves the folder as it was.
    const bool saveBlocked = m_pSaveData->SaveBlocked();
    if (saveBlocked) ReportSaveBlocked();
    else if (m_pSaveData->BackupBlocked()) ReportBackupBlocked();
    const int loadResult = m_bSaveDeclined ? int(CVxSaveData::SAVE_OK) : m_pSaveData->Load();

    g_iScreenWidth = 880;
    g_iScreenHeight = 640;
    m_iWindowWidth = 800;
    m_iWindowHeight = 600;

    if (!m_bSaveDeclined) RecoverSaveData(loadResult, saveBlocked);

    g_bStartFullscreen = m_pSaveData->Header().m_bWindowed == 0;
    m_iScreenWidth = g_iScreenWidth;
    m_iScreenHeight = g_iScreenHeight;
    g_bAllowClose = false;
    g_bShowFrameStats = 0;
    m_pEffectBlackScreen = nullptr;

    OpenResourceArchive();
    if (ArchiveRefused()) {
        // One message, then the run ends before anything is loaded from it.
        host::ShowMessageBox("The resource file DATA is damaged: its list of contents cannot be read.", "Fatal error!",
                             host::MB_OK);
        g_bQuitRequested = true;
    }

    m_iCurrentPage = LOGO_PAGE_INDEX;
    ResetGameState();

    if (makePages) m_Pages = makePages();
    m_pPageLogo = m_Pages.logo;
    m_pPageMenu = m_Pages.menuLink;
    m_pPageStory = m_Pages.story;
    m_pPageGame = m_Pages.battleLink;
    m_pPageTest = m_Pages.test;

    InstallContentLink();
    InstallRoadLinks();
}

CGameApplication::~CGameApplication() {
    ReleaseResources();
    // Never initialised: nothing was loaded or saved, only the objects go.
    DeletePages();
    delete m_pSaveData;
    m_pSaveData = nullptr;
    m_vecLastDeck.clear();
    if (m_pContentLink) {
        if (&GetContentLink() == m_pContentLink) SetContentLink(nullptr);
        delete m_pContentLink;
        m_pContentLink = nullptr;
    }
    if (g_GameRoadLinks.pfScreenShake == &m_fScreenShake) g_GameRoadLinks = GameRoadLinks();
    // Everything that could reach this object has gone.
    JoinWorkerThreads();
    if (g_pGameAppInstance == this) g_pGameAppInstance = nullptr;
}

void CGameApplication::DeletePages() {
    m_pPageLogo = m_pPageStory = m_pPageTest = nullptr;
    m_pPageMenu = nullptr;
    m_pPageGame = nullptr;
    for (CVxPage* page : {m_Pages.logo, m_Pages.menu, m_Pages.story, m_Pages.battle, m_Pages.test}) delete page;
    m_Pages = GamePages();
}

void CGameApplication::InstallContentLink() {
    m_pContentLink = new ContentLink(*this);
    SetContentLink(m_pContentLink);
}

void CGameApplication::InstallRoadLinks() {
    g_GameRoadLinks.pfScreenShake = &m_fScreenShake;
    g_GameRoadLinks.pbShowStatistics = &g_bShowFrameStats;
    g_GameRoadLinks.pbStartFullscreen = &g_bStartFullscreen;
    g_GameRoadLinks.updateScreenDim = [this] {
        if (!m_pEffectBlackScreen) return false;
        m_pEffectBlackScreen->UpdateScreenDim();
        return true;
    };
    // The battle page's stage draws itself once the battle units are there.
    g_GameRoadLinks.renderStage = nullptr;
}

void CGameApplication::RecoverSaveData(int loadResult, bool saveBlocked) {
    const bool damaged = loadResult == CVxSaveData::SAVE_BAD_SIZE || loadResult == CVxSaveData::SAVE_BAD_CHECKSUM ||
                         loadResult == CVxSaveData::SAVE_BAD_LAYOUT;
    if (!damaged && loadResult != CVxSaveData::SAVE_ONLY_BACKUP) return KeepUnreadableBackup();
    if (damaged && saveBlocked) {
        // No restore or new file could be written past what is in the way
        // (a folder where the file belongs is no damage to repair, and not
        // ours to remove), and the player has been told: play goes on from a
        // new profile that is not kept.
        m_pSaveData->StartNew();
        return;
    }
    // A good backup is offered before anything else, whatever happened to the
    // main file; one that holds no profile has nothing to give back.
    const bool goodBackup = m_pSaveData->BackupHoldsProfile();
    const std::vector<std::string> keptBefore = m_pSaveData->SetAsideFiles();
    // A file the system would not let us read may hold good data: it goes
    // out of the way before the first box, which then says where it is kept.
    std::string mainKept, backupKept;
    std::string first = ReadTroubleText(CVxSaveData::MAIN_FILE, mainKept);
    if (first.empty() && m_pSaveData->Found(CVxSaveData::MAIN_FILE) == host::FileRead::Ok) {
        first = damaged ? kCorruptedText : kLostText;
    } else if (first.empty() && !keptBefore.empty()) {
        // Once a start while there is no save file: what was set aside is the player's.
        first = "The save file is missing:\n" + CVxSaveData::SaveFilePath();
        // The save's names come first, then the backup's.
        const std::string backup = CVxSaveData::BackupFilePath();
        bool backupsTold = false;
        for (size_t i = 0; i < keptBefore.size(); ++i) {
            const bool isBackup = keptBefore[i].compare(0, backup.size(), backup) == 0;
            if (i == 0 || (isBackup && !backupsTold)) {
                first += std::string(isBackup ? "\nThe backup" : "\nThe save") +
                         " set aside because it could not be read is kept, never written over, as";
                backupsTold = isBackup;
            }
            first += "\n" + keptBefore[i];
        }
    } else if (first.empty()) {
        // Only bytes that were read and found damaged are corrupted.
        const bool backupDamaged =
            m_pSaveData->Found(CVxSaveData::BACKUP_FILE) == host::FileRead::Ok && !m_pSaveData->BackupExists();
        first = backupDamaged ? kCorruptedText : kLostText;
    }
    const std::string backupText = ReadTroubleText(CVxSaveData::BACKUP_FILE, backupKept);
    if (!backupText.empty()) first += "\n\n" + backupText;
    if (Ask(first.c_str(), kReadErrorCaption, host::MB_OK) == Answer::None) {
        if (!mainKept.empty()) m_pSaveData->PutBack(CVxSaveData::MAIN_FILE, mainKept);
        if (!backupKept.empty()) m_pSaveData->PutBack(CVxSaveData::BACKUP_FILE, backupKept);
        return QuitUntouched();
    }
    // Still at its name, it would be written over by whatever came next.
    if (m_pSaveData->Found(CVxSaveData::MAIN_FILE) == host::FileRead::Unreadable && mainKept.empty())
        return QuitWithoutSaving();
    // A later box left unanswered leaves these where the first said they are.
    std::vector<std::string> setAside;
    for (const std::string& name : {mainKept, backupKept})
        if (!name.empty()) setAside.push_back(name);
    if (goodBackup) {
        const Answer restore = Ask(kRecoveryText, kRecoveryCaption, host::MB_YESNO);
        if (restore == Answer::None) return QuitUntouched(setAside);
        if (restore == Answer::Yes) {
            const int restored = m_pSaveData->RestoreFromBackup();
            if (restored == CVxSaveData::SAVE_OK) return;
            // Written but refused when read back is damage; not written is the disk's fault.
            const bool unwritten = restored == CVxSaveData::SAVE_WRITE_FAILED;
            const std::string said =
                unwritten ? WriteFailedText(kNotRestoredText) : kCorruptedText + ("\n" + CVxSaveData::SaveFilePath());
            if (Ask(said.c_str(), unwritten ? kWriteErrorCaption : kReadErrorCaption, host::MB_OK) == Answer::None)
                return QuitUntouched(setAside);
        }
    }
    for (int attempt = 0; attempt < kMaxCreateAttempts; ++attempt) {
        const Answer create = Ask(kRecreateText, kRecreateCaption, host::MB_YESNO);
        if (create == Answer::None) return QuitUntouched(setAside);
        if (create == Answer::No) break;
        // A new file; a good backup stays as it is.
        if (m_pSaveData->Recreate() == CVxSaveData::SAVE_OK) return;
        if (Ask(WriteFailedText(kNotCreatedText).c_str(), kWriteErrorCaption, host::MB_OK) == Answer::None)
            return QuitUntouched(setAside);
    }
    QuitWithoutSaving();
}

void CGameApplication::KeepUnreadableBackup() {
    // Beside a good save, a backup the system would not let us read is told
    // once and set aside, so the saves can keep a backup again.
    if (m_pSaveData->Found(CVxSaveData::BACKUP_FILE) != host::FileRead::Unreadable) return;
    std::string kept;
    const std::string text = ReadTroubleText(CVxSaveData::BACKUP_FILE, kept);
    if (Ask(text.c_str(), kReadErrorCaption, host::MB_OK) != Answer::None) return;
    if (!kept.empty()) m_pSaveData->PutBack(CVxSaveData::BACKUP_FILE, kept);
    QuitUntouched();
}

std::string CGameApplication::ReadTroubleText(CVxSaveData::SaveFile file, std::string& keptAs) {
    keptAs.clear();
    const host::FileRead found = m_pSaveData->Found(file);
    if (found != host::FileRead::Unreadable && found != host::FileRead::Damaged) return "";
    const std::string text = std::string(file == CVxSaveData::MAIN_FILE ? "The save file" : "The backup") +
                             " cannot be read:\n" + CVxSaveData::PathOf(file) + "\n";
    // Nothing there to keep: a pipe, a device or a link to nothing.
    if (found == host::FileRead::Damaged) return text + "It is " + m_pSaveData->FoundReason(file) + ", not a file.";
    const std::string said = text + m_pSaveData->FoundReason(file) + "\nNothing says its data is damaged. ";
    const std::string name = m_pSaveData->SetAsideName(file);
    if (!m_pSaveData->SetAside(file, name)) return said + "It cannot be set aside:\n" + m_pSaveData->FailReason();
    keptAs = name;
    return said + kKeptText + name;
}

std::string CGameApplication::WriteFailedText(const char* lead) const {
    return std::string(lead) + "\n" + m_pSaveData->FailedFile() + "\n" + m_pSaveData->FailReason();
}

std::string CGameApplication::SaveBlockedText() const {
    return std::string(kNotKeptText) + "\n" + m_pSaveData->FailedFile() + "\n" + m_pSaveData->FailReason();
}

void CGameApplication::ReportSaveBlocked() {
    // Said at every start while it stands; the saves that then fail the
    // same way go to stderr only. Unseen, it is as a question nobody answered.
    if (Ask(SaveBlockedText().c_str(), kWriteErrorCaption, host::MB_OK) == Answer::None) return QuitUntouched();
    m_sReportedSaveFailure = WriteFailedText(kNotSavedText);
}

std::string CGameApplication::BackupFailedText() const {
    return std::string(kBackupFailedText) + "\n" + CVxSaveData::BackupFilePath() + "\n" +
           m_pSaveData->BackupFailReason();
}

std::string CGameApplication::BackupBlockedText() const {
    return std::string(kNoBackupText) + "\n" + CVxSaveData::BackupFilePath() + "\n" + m_pSaveData->BackupFailReason();
}

void CGameApplication::ReportBackupBlocked() {
    // As ReportSaveBlocked: said at every start while it stands.
    if (Ask(BackupBlockedText().c_str(), kWriteErrorCaption, host::MB_OK) == Answer::None) return QuitUntouched();
    m_sReportedBackupFailure = BackupFailedText();
}

void CGameApplication::TellOnce(const std::string& text, std::string& told) {
    if (text == told) {
        std::fprintf(stderr, "[%s] %s\n", kWriteErrorCaption, text.c_str());
        return;
    }
    told = text;
    host::ShowMessageBox(text, kWriteErrorCaption, host::MB_OK);
}

bool CGameApplication::SaveProgress() {
    if (!m_pSaveData || m_bSaveDeclined) return false;
    if (m_pSaveData->Save() != CVxSaveData::SAVE_OK) {
        TellOnce(WriteFailedText(kNotSavedText), m_sReportedSaveFailure);
        return false;
    }
    if (!m_pSaveData->BackupFailReason().empty()) TellOnce(BackupFailedText(), m_sReportedBackupFailure);
    return true;
}

bool CGameApplication::RefusesPage(int index) {
    const int stage = m_iCurrentStage;
    if (index != BATTLE_PAGE_INDEX || HasStageRecord(stage)) return false;
    host::ShowMessageBox("Stage " + std::to_string(stage) + " has no record and cannot be played.", "Stage error",
                         host::MB_OK);
    return true;
}

void CGameApplication::QuitUntouched(const std::vector<std::string>& setAside) {
    std::string said = "Cogsquall: the message about the save data was not answered; the program closes and ";
    if (setAside.empty()) {
        said += "leaves the save folder as it is.";
    } else {
        said += "changes nothing more in the save folder. What could not be read stays set aside as:";
        for (const std::string& name : setAside) said += "\n" + name;
    }
    std::fprintf(stderr, "%s\n", said.c_str());
    m_bSaveDeclined = true;
    g_bQuitRequested = true;
}

void CGameApplication::QuitWithoutSaving() {
    host::ShowMessageBox("The program will be closed.", "Exit Program", host::MB_OK);
    // What is on the disk stays as it is: no write at shutdown.
    m_bSaveDeclined = true;
    g_bQuitRequested = true;
}

int CGameApplication::ReleaseResources() {
    if (!m_bInitialised) return 0;
    // The workers reach into the pages; they end before the pages go.
    JoinWorkerThreads();
    CVxXApplication::ReleaseResources();
    ReleaseStartupResources();

    delete m_pNumInterface;
    m_pNumInterface = nullptr;
    delete m_pNumStageBig;
    m_pNumStageBig = nullptr;

    DeletePages();

    // The window lost under the game said only that it closes; a save that
    // fails says so itself.
    if (SaveProgress() && host::DisplayLost()) std::fprintf(stderr, "Cogsquall: the game saved its progress.\n");
    delete m_pSaveData;
    m_pSaveData = nullptr;

    delete m_pEffectLoading;
    m_pEffectLoading = nullptr;
    delete m_pEffectNewAchievement;
    m_pEffectNewAchievement = nullptr;
    delete m_pEffectBlackScreen;
    m_pEffectBlackScreen = nullptr;
    delete m_pEffectSwitchPage;
    m_pEffectSwitchPage = nullptr;
    delete m_pEffectMsgBox;
    m_pEffectMsgBox = nullptr;
    delete m_pEffectExit;
    m_pEffectExit = nullptr;
    delete m_pEffectTouch;
    m_pEffectTouch = nullptr;

    CloseResourceArchive();

    for (int i = 0; i < ROBOT_CACHE_SLOTS; ++i) ReleaseRobotResources(i);
    for (int i = 0; i < ENEMY_CACHE_SLOTS; ++i) ReleaseEnemyResources(i);
    for (CVxBillboard*& frame : m_apMineCopter) {
        delete frame;
        frame = nullptr;
    }
    if (m_pRenderTargetTexture) {
        // The picture belongs to the render target, not to this object.
        m_pRenderTargetTexture->m_pTexture = 0;
        delete m_pRenderTargetTexture;
        m_pRenderTargetTexture = nullptr;
    }
    m_vecLastDeck.clear();
    return 0;
}

int CurrentStage() { return g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1; }
