// Every save goes through the application's one door: a save that fails
// anywhere in play says so once, naming the file and what stands in the
// way, and play goes on; what can never be written is said at every start.
#include <filesystem>
#include <functional>

#include "battle/model/BattleRules.h"
#include "frontend/PageMenu.h"
#include "game/GameSaveData.h"
#include "tests/Harness.h"
#include "tests/SaveBoxTexts.h"

namespace {

namespace fs = std::filesystem;

const std::string kWriteError = "Save data write error!";
const std::string kNoBackup = "No backup is being kept";
const std::string kNoBackupMade = "The backup of the save could not be made.";

class SaveDoor : public GameAppTest {
public:
    CPageGame& Battle() { return BattlePage(); }

protected:
    // What stands in the way of every save: a folder with one entry at the
    // temporary name.
    void BlockTheTemporaryName() { fs::create_directories(MainPath() + ".tmp/left"); }
    std::vector<std::string> Errors() const {
        std::vector<std::string> out;
        for (const auto& b : m_Host.boxes.Boxes())
            if (b.caption == kWriteError) out.push_back(b.text);
        return out;
    }
};

}  // namespace

TEST_F(SaveDoor, EveryPlaceThatSavesReportsAFailedSaveOnceAndPlayGoesOn) {
    const struct {
        const char* place;
        std::function<void(SaveDoor&, CPageMenu&)> save;
        std::function<bool()> keptInMemory;
    } kPlaces[] = {
        {"the deck kept as a battle starts",
         [](SaveDoor& t, CPageMenu&) {
             CPageGame& p = t.Battle();
             g_pGameAppInstance->m_iCurrentStage = 12;
             RuleState(p.m_Battle).m_nHandSlots = 2;
             RuleState(p.m_Battle).m_aHand[0].m_iCard = 1;
             RuleState(p.m_Battle).m_aHand[1].m_iCard = 0;
             p.BuildHand();
             p.TakeLoadedHand();
         },
         [] { return g_CurrentProfile.m_aiLastDeck[0] == 1 && g_CurrentProfile.m_aiLastDeck[1] == 0; }},
        {"a laboratory purchase",
         [](SaveDoor&, CPageMenu& m) {
             g_CurrentProfile.m_iMetalParts = 1000;
             g_CurrentProfile.m_aLabItem[3] = LabItemRecord{0, 1};
             m.m_aLabPair[3] = g_CurrentProfile.m_aLabItem[3];
             m.m_iChosenItem = 3;
             m.m_iChosenPrice = 100;
             m.BuyLabItem();
         },
         [] { return g_CurrentProfile.m_iLuckBooster == 1 && g_CurrentProfile.m_iMetalParts == 900; }},
        {"a profile deleted",
         [](SaveDoor&, CPageMenu& m) {
             m.m_iProfileSelection = 0;
             m.DeleteCurrentProfile();
         },
         [] { return std::string(g_aStoredProfiles[0].m_szName) == "Bo"; }},
        {"a profile created",
         [](SaveDoor&, CPageMenu& m) {
             std::snprintf(m.m_szEntryName, sizeof m.m_szEntryName, "%s", "Neu");
             m.CreateProfileFromName();
         },
         [] { return std::string(g_CurrentProfile.m_szName) == "Neu"; }},
        {"a profile renamed",
         [](SaveDoor&, CPageMenu& m) {
             m.m_iProfileSelection = 0;
             std::snprintf(m.m_szEntryName, sizeof m.m_szEntryName, "%s", "Zed");
             m.RenameProfileFromName();
         },
         [] { return std::string(g_aStoredProfiles[0].m_szName) == "Zed"; }},
    };
    for (const auto& c : kPlaces) {
        SCOPED_TRACE(c.place);
        fs::remove_all(m_Root + "/Orvendale");
        ResetMemory();
        MakeSaveWith({"Ada", "Bo"});
        const std::vector<uint8_t> before = ReadBytes(MainPath());
        g_bQuitRequested = false;
        Start();
        BlockTheTemporaryName();
        m_Host.boxes.Clear();
        c.save(*this, MenuPage());
        const std::vector<std::string> errors = Errors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(MainPath() + ".tmp is a folder holding 1 entry"), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find("Directory not empty"), std::string::npos) << errors[0];
        EXPECT_FALSE(g_bQuitRequested);
        EXPECT_TRUE(c.keptInMemory()) << "what the failed save held stays in play";
        EXPECT_EQ(ReadBytes(MainPath()), before);
        Shutdown();
        EXPECT_TRUE(fs::exists(MainPath() + ".tmp/left")) << "the player's folder is left alone";
    }
}

// A folder at the save's temporary name stops every save; one at the
// backup's, or at the backup's own name, stops every backup while the saves
// go on. Each is said, naming whose file it stands in the way of, at every
// start and only once a session, and once it is moved away all works again.
TEST_F(SaveDoor, AFolderAtATemporaryNameIsSaidAtEveryStartAndOnlyOnceASession) {
    const struct {
        const char* rule;
        bool backup;         // at the backup's name, else the save's
        const char* suffix;  // after that name
        const std::string& told;
        const char* role;
    } kCases[] = {
        {"the save's", false, ".tmp", kNotKept, "the save's temporary file"},
        {"the backup's", true, ".tmp", kNoBackup, "the backup's temporary file"},
        {"the backup's own name", true, "", kNoBackup, "the backup file"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::remove_all(m_Root + "/Orvendale");
        ResetMemory();
        MakeSaveWith({"Ada"});
        const std::string blocked = (c.backup ? BackupPath() : MainPath()) + c.suffix;
        const std::vector<uint8_t> main = ReadBytes(MainPath());
        fs::remove(blocked);
        const std::vector<uint8_t> backup = ReadBytes(BackupPath());
        fs::create_directories(blocked + "/left");
        for (int session = 0; session < 2; ++session) {
            SCOPED_TRACE("session " + std::to_string(session));
            m_Host.boxes.Clear();
            Start();
            ASSERT_EQ(Errors().size(), 1u) << "told as the game starts";
            const std::string told = Errors()[0];
            EXPECT_EQ(told.rfind(c.told, 0), 0u) << told;
            EXPECT_NE(told.find(blocked + " is a folder holding 1 entry, in the way of " + c.role + " ("),
                      std::string::npos)
                << told;
            EXPECT_FALSE(g_bQuitRequested);
            // The saves of the session fail the same way: stderr only.
            testing::internal::CaptureStderr();
            g_CurrentProfile.m_iMetalParts = 7 + session;
            EXPECT_EQ(m_App->SaveProgress(), c.backup);
            Shutdown();
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(Errors().size(), 1u) << "no second box";
            EXPECT_NE(said.find(blocked), std::string::npos) << said;
            if (c.backup) {
                EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 7 + session) << "the save goes on";
            } else {
                EXPECT_EQ(ReadBytes(MainPath()), main);
            }
            // A backup copy goes before the save's own write.
            if (!fs::is_directory(BackupPath())) {
                EXPECT_EQ(ReadBytes(BackupPath()), c.backup ? backup : main) << "the backup stays as it was";
            }
        }
        // Once it is moved away, saving works again.
        fs::remove_all(blocked);
        m_Host.boxes.Clear();
        Start();
        g_CurrentProfile.m_iMetalParts = 9;
        EXPECT_TRUE(m_App->SaveProgress());
        EXPECT_TRUE(Errors().empty());
        Shutdown();
        EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 9);
        EXPECT_EQ(ReadInt(ReadBytes(BackupPath()), 616), 9) << "the exit save moves the last one in";
    }
}

// A backup copy that fails in play is told once, naming the file and the
// system's reason, and the save goes on.
TEST_F(SaveDoor, ABackupThatFailsInPlayIsToldOnceAndTheSaveGoesOn) {
    MakeSaveWith({"Ada"});
    Start();
    const std::vector<uint8_t> backup = ReadBytes(BackupPath());
    fs::create_directories(BackupPath() + ".tmp/left");
    m_Host.boxes.Clear();
    for (int32_t parts : {11, 12}) {
        g_CurrentProfile.m_iMetalParts = parts;
        EXPECT_TRUE(m_App->SaveProgress());
        EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), parts);
    }
    const std::vector<std::string> errors = Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind(kNoBackupMade, 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find(BackupPath() + "\n"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(BackupPath() + ".tmp is a folder holding 1 entry"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("Directory not empty"), std::string::npos) << errors[0];
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_EQ(ReadBytes(BackupPath()), backup);
    Shutdown();
}

TEST_F(SaveDoor, AFolderWhereTheSaveFileBelongsIsNamedAndPlayGoesOnWithoutSaving) {
    MakeSaveWith({"Ada"});
    const std::vector<uint8_t> good = ReadBytes(MainPath());
    fs::remove(MainPath());
    WriteBytes(BackupPath(), good);
    fs::create_directories(MainPath() + "/mine");
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE("session " + std::to_string(session));
        m_Host.boxes.Clear();
        g_bQuitRequested = false;
        Start();
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(texts.size(), 1u) << "one message, no questions that cannot be carried out";
        EXPECT_EQ(texts[0].rfind(kNotKept, 0), 0u) << texts[0];
        EXPECT_NE(texts[0].find(MainPath() + " is a folder holding 1 entry"), std::string::npos) << texts[0];
        EXPECT_FALSE(g_bQuitRequested) << "the game goes on";
        EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 1) << "a new profile in play";
        Shutdown();
        EXPECT_EQ(Texts().size(), 1u) << "the exit save fails quietly";
        EXPECT_TRUE(fs::exists(MainPath() + "/mine")) << "the player's folder is left alone";
        EXPECT_EQ(ReadBytes(BackupPath()), good) << "the backup is untouched";
    }
}

TEST_F(SaveDoor, ADamagedMainBesideABackupWithNoProfileIsNotOfferedTheRestore) {
    // An intact file that holds no profile, as a first start leaves one.
    {
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    }
    const std::vector<uint8_t> empty = ReadBytes(MainPath());
    ASSERT_EQ(ReadInt(empty, 5128 + 16), 0) << "no profile in use";
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> damaged = ReadBytes(MainPath());
    damaged[100] ^= 0x5A;
    WriteBytes(MainPath(), damaged);
    WriteBytes(BackupPath(), empty);
    ResetMemory();
    m_Host.boxes.QueueAnswer(host::IDOK);
    m_Host.boxes.QueueAnswer(host::IDYES);
    Start();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"The save file can not be used because the data is corrupted.",
                                                 "Do you want to create new save data?"}));
    EXPECT_FALSE(g_bQuitRequested);
    Shutdown();
    const std::vector<uint8_t> now = ReadBytes(MainPath());
    ASSERT_EQ(now.size(), 5212u);
    EXPECT_EQ(ReadInt(now, 12), 1) << "a new file";
}
