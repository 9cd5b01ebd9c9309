// Start-up with every kind of save data: the boxes shown, the files left
// behind and whether the run is asked to end.
#include <sys/resource.h>

#include <csignal>
#include <list>

#include "frontend/PageLogo.h"
#include "frontend/PageStory.h"
#include "frontend/PageTest.h"
#include "tests/Harness.h"
#include "tests/SaveBoxTexts.h"

namespace {

const std::string kReadError = "Save data read error!";
const std::string kRecreateCaption = "Recreate save data.";
const std::string kRecoveryCaption = "Recovery save data.";

enum class Damage { Size, Checksum, Layout };

class RecoveryTest : public GameAppTest {
protected:
    // A good file named "Keep" with furthest stage 17, then damaged.
    std::vector<uint8_t> MakeDamagedSave(Damage damage) {
        MakeGoodSave();
        std::vector<uint8_t> bytes = ReadBytes(MainPath());
        std::filesystem::remove(BackupPath());
        switch (damage) {
        case Damage::Size: bytes.push_back(0); break;
        case Damage::Checksum: bytes[100] ^= 0x5A; break;
        case Damage::Layout:
            WriteInt(bytes, 5128, 3);
            FixChecksum(bytes);
            break;
        }
        WriteBytes(MainPath(), bytes);
        ResetMemory();
        return bytes;
    }
    void MakeGoodSave() {
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
        ASSERT_EQ(save.CreateProfile("Keep"), CVxSaveData::SAVE_OK);
        g_CurrentProfile.m_iFurthestStage = 17;
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }
    // A save with one profile and the header's windowed and muted bytes set.
    void SaveWithHeaderFlags(uint8_t windowed, uint8_t muted) {
        CGameSaveData save;
        const int loaded = save.Load();
        ASSERT_TRUE(loaded == CVxSaveData::SAVE_OK || loaded == CVxSaveData::SAVE_CREATED) << loaded;
        if (save.Header().m_nProfilesInUse == 0) {
            ASSERT_EQ(save.CreateProfile("P"), CVxSaveData::SAVE_OK);
        }
        save.Header().m_bWindowed = windowed;
        save.Header().m_bMuted = muted;
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }
    bool IsFreshDefault(const std::vector<uint8_t>& bytes) {
        return bytes.size() == 5212u && ReadInt(bytes, 12) == 1 && bytes[0] == 0;
    }
};

TEST_F(RecoveryTest, AnyOtherAnswerThanYesCountsAsNo) {
    MakeDamagedSave(Damage::Checksum);
    m_Host.boxes.QueueAnswer(host::IDOK);
    m_Host.boxes.QueueAnswer(host::IDCANCEL);
    Make();
    EXPECT_TRUE(g_bQuitRequested);
    EXPECT_EQ(Texts().back(), kClosed);
}

TEST_F(RecoveryTest, NoSaveAndNoBackupCreatesAFileWithoutAnyBox) {
    Start();
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_TRUE(IsFreshDefault(ReadBytes(MainPath())));
    Shutdown();
    // Shutdown saves: the file is written again and the previous copy becomes the backup.
    EXPECT_EQ(ReadBytes(MainPath()).size(), 5212u);
    EXPECT_EQ(ReadBytes(BackupPath()).size(), 5212u);
}

TEST_F(RecoveryTest, ShutdownWritesTheLiveProfile) {
    MakeGoodSave();
    ResetMemory();
    Start();
    g_CurrentProfile.m_iMetalParts = 4321;
    Shutdown();
    std::vector<uint8_t> bytes = ReadBytes(MainPath());
    EXPECT_EQ(ReadInt(bytes, 616), 4321);
}

TEST_F(RecoveryTest, NothingIsSavedWhenTheApplicationNeverStarted) {
    MakeGoodSave();
    const std::vector<uint8_t> before = ReadBytes(MainPath());
    ResetMemory();
    Make();
    g_CurrentProfile.m_iMetalParts = 99;
    Shutdown();
    EXPECT_EQ(ReadBytes(MainPath()), before);
}

TEST_F(RecoveryTest, FullScreenFollowsTheWindowedFlag) {
    SaveWithHeaderFlags(/*windowed=*/1, /*muted=*/0);
    Make();
    EXPECT_FALSE(g_bStartFullscreen);
    Shutdown();
    SaveWithHeaderFlags(0, 0);
    Make();
    EXPECT_TRUE(g_bStartFullscreen);
}

TEST_F(RecoveryTest, LoadingSetsThePlayStateFromTheProfile) {
    MakeGoodSave();
    ResetMemory();
    CGameApplication& app = Start();
    EXPECT_TRUE(app.m_bInitialised);
    EXPECT_EQ(app.m_iCurrentStage, 17);
    EXPECT_EQ(app.m_iMenuReturnScreen, 2);
    EXPECT_EQ(app.m_iChosenEpisode, -1);
    EXPECT_EQ(app.m_iNewArea, -1);
    EXPECT_TRUE(app.m_bProfileJustChosen);
    EXPECT_EQ(app.m_iLoadingProgress, 0);
    EXPECT_NE(app.m_pEffectExit, nullptr);
    EXPECT_NE(app.m_pEffectSwitchPage, nullptr);
    // Starting on the logo page, the shared resources wait for the menu.
    EXPECT_EQ(app.m_pEffectBlackScreen, nullptr);
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
}

TEST_F(RecoveryTest, AMutedSaveStartsMuted) {
    SaveWithHeaderFlags(0, 1);
    CGameApplication& app = Start();
    EXPECT_TRUE(app.m_bMuted);
    EXPECT_EQ(g_iMasterVolume, -10000);
    app.UnmuteAllSounds();
}

TEST_F(RecoveryTest, ACreateThatCannotWriteAsksAgainAndGivesUpAfterThreeTries) {
    MakeDamagedSave(Damage::Checksum);
    // A disk that takes no file as large as a save makes every write fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{}, small{};
    getrlimit(RLIMIT_FSIZE, &old);
    small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    Start();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    // Unanswered boxes take their first button: OK, then Yes each time.
    const std::string unwritten = "The new save data could not be written.\n" + MainPath() + "\nFile too large";
    EXPECT_EQ(Texts(), (std::vector<std::string>{kCorrupted, kCreate, unwritten, kCreate, unwritten, kCreate, unwritten,
                                                 kClosed}));
    EXPECT_TRUE(g_bQuitRequested);
    Shutdown();
    EXPECT_FALSE(Exists(MainPath())) << "nothing is written after giving up";
}

}  // namespace
