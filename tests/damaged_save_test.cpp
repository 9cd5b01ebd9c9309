// Start-up over every kind of damaged save data, with and without a good
// backup, with each answer and with no display: the boxes asked, the files
// afterwards, and that no good byte is ever lost.
#include <sys/stat.h>
#include <sys/resource.h>

#include <climits>
#include <csignal>
#include <filesystem>

#include "game/GameSaveData.h"
#include "tests/Harness.h"

namespace {

namespace fs = std::filesystem;

const std::string kCorrupted = "The save file can not be used because the data is corrupted.";
const std::string kLost = "The save file can not be used because the data is lost.";
const std::string kCreate = "Do you want to create new save data?";
const std::string kRecovery = "Do you want to recovery save data from back up system?";
const std::string kClosed = "The program will be closed.";

enum class Main {
    WrongSize,
    BadChecksum,
    BadLayout,
    NoProfilesClaimed,
    CountTooLarge,
    Empty,
    Fifo,
    DanglingLink,
    Folder,
    Missing
};
const Main kMains[] = {Main::WrongSize,     Main::BadChecksum, Main::BadLayout, Main::NoProfilesClaimed,
                       Main::CountTooLarge, Main::Empty,       Main::Fifo,      Main::DanglingLink,
                       Main::Folder,        Main::Missing};
enum class Reply { Restore, Create, Decline, NoDisplay };
const Reply kReplies[] = {Reply::Restore, Reply::Create, Reply::Decline, Reply::NoDisplay};

class DamagedSave : public GameAppTest {
protected:
    // The good file: profile "Keep" at furthest stage 17.
    std::vector<uint8_t> GoodFile() {
        ResetMemory();
        CGameSaveData save;
        EXPECT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
        EXPECT_EQ(save.CreateProfile("Keep"), CVxSaveData::SAVE_OK);
        g_CurrentProfile.m_iFurthestStage = 17;
        EXPECT_EQ(save.Save(), CVxSaveData::SAVE_OK);
        std::vector<uint8_t> good = ReadBytes(MainPath());
        fs::remove(MainPath());
        fs::remove(BackupPath());
        ResetMemory();
        return good;
    }
    void PlaceMain(Main kind, std::vector<uint8_t> bytes) {
        const std::string path = MainPath();
        switch (kind) {
        case Main::WrongSize: bytes.push_back(0); break;
        case Main::BadChecksum: bytes[100] ^= 0x5A; break;
        case Main::BadLayout: WriteInt(bytes, 5128, 3), FixChecksum(bytes); break;
        case Main::NoProfilesClaimed: WriteInt(bytes, 5128 + 16, 0); break;  // outside the checksum
        case Main::CountTooLarge: WriteInt(bytes, 5128 + 16, 7); break;
        case Main::Empty: bytes.clear(); break;
        case Main::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); return;
        case Main::DanglingLink: fs::create_symlink(m_Root + "/nowhere", path); return;
        case Main::Folder: fs::create_directories(path + "/inside"); return;
        case Main::Missing: return;
        }
        WriteBytes(path, bytes);
    }
    // What stands at the main path: its bytes, or a word for what it is.
    std::string MainState() {
        const fs::file_status st = fs::symlink_status(MainPath());
        if (!fs::exists(st)) return "missing";
        if (fs::is_symlink(st)) return "link";
        if (fs::is_fifo(st)) return "fifo";
        if (fs::is_directory(st)) return "folder";
        const std::vector<uint8_t> b = ReadBytes(MainPath());
        return std::string(b.begin(), b.end());
    }
};

}  // namespace

TEST_F(DamagedSave, EveryCaseKeepsTheGoodDataAndAsksInOrder) {
    const std::vector<uint8_t> good = GoodFile();
    const std::string goodText(good.begin(), good.end());
    for (Main main : kMains)
        for (bool backup : {false, true})
            for (Reply reply : kReplies) {
                if (main == Main::Missing && !backup) continue;  // a first start: nothing to ask
                if (reply == Reply::Restore && !backup) continue;
                SCOPED_TRACE("main " + std::to_string(int(main)) + (backup ? " with" : " without") + " backup, reply " +
                             std::to_string(int(reply)));
                fs::remove_all(m_Root + "/Orvendale");
                fs::create_directories(m_Root + "/Orvendale/Cogsquall");
                PlaceMain(main, good);
                if (backup) WriteBytes(BackupPath(), good);
                const std::string before = MainState();
                ResetMemory();
                g_bQuitRequested = false;
                m_Host.boxes.Clear();
                if (reply == Reply::NoDisplay) {
                    for (int i = 0; i < 8; ++i) m_Host.boxes.QueueAnswer(0);
                } else {
                    m_Host.boxes.QueueAnswer(host::IDOK);
                    if (backup) m_Host.boxes.QueueAnswer(reply == Reply::Restore ? host::IDYES : host::IDNO);
                    if (reply != Reply::Restore)
                        m_Host.boxes.QueueAnswer(reply == Reply::Create ? host::IDYES : host::IDNO);
                }
                Start();
                const std::vector<std::string> asked = Texts();
                const bool quits = g_bQuitRequested;
                Shutdown();

                // No good byte lost: a good backup is still there, whatever happened.
                if (backup) {
                    EXPECT_EQ(ReadBytes(BackupPath()), good);
                }
                const std::string first = main == Main::Missing ? kLost : kCorrupted;
                std::vector<std::string> questions{first};
                if (backup) questions.push_back(kRecovery);
                if (reply == Reply::NoDisplay) {
                    // The first box could not be shown: nothing else is asked and nothing touched.
                    EXPECT_EQ(asked, std::vector<std::string>{first});
                    EXPECT_TRUE(quits);
                    EXPECT_EQ(MainState(), before);
                    continue;
                }
                if (main == Main::Folder && reply != Reply::Decline) {
                    // A folder cannot be replaced: the repairs fail, the run ends, the backup stays.
                    EXPECT_TRUE(quits);
                    EXPECT_EQ(MainState(), "folder");
                    EXPECT_EQ(asked.back(), kClosed);
                    continue;
                }
                if (reply == Reply::Restore) {
                    EXPECT_EQ(asked, questions);
                    EXPECT_FALSE(quits);
                    EXPECT_EQ(MainState(), goodText);
                } else if (reply == Reply::Create) {
                    questions.push_back(kCreate);
                    EXPECT_EQ(asked, questions);
                    EXPECT_FALSE(quits);
                    const std::vector<uint8_t> now = ReadBytes(MainPath());
                    ASSERT_EQ(now.size(), 5212u);
                    EXPECT_EQ(ReadInt(now, 12), 1) << "fresh defaults";
                    EXPECT_EQ(now[0], 0) << "no profile yet";
                } else {
                    questions.push_back(kCreate);
                    questions.push_back(kClosed);
                    EXPECT_EQ(asked, questions);
                    EXPECT_TRUE(quits);
                    EXPECT_EQ(MainState(), before) << "declined: nothing written at shutdown";
                }
            }
}

TEST_F(DamagedSave, AQuitRequestDuringAQuestionAnswersItAsUnanswered) {
    const std::vector<uint8_t> good = GoodFile();
    PlaceMain(Main::BadChecksum, good);
    WriteBytes(BackupPath(), good);
    const std::vector<uint8_t> damaged = ReadBytes(MainPath());
    m_Host.boxes.QueueAnswer(host::IDOK);
    m_Host.boxes.QueueAnswer(host::IDYES);
    // The quit request arrives while the first box is up.
    g_bQuitRequested = true;
    Start();
    EXPECT_EQ(Texts(), std::vector<std::string>{kCorrupted});
    Shutdown();
    EXPECT_EQ(ReadBytes(MainPath()), damaged);
    EXPECT_EQ(ReadBytes(BackupPath()), good);
}

// ---- Values read from the file and what saving does with them.

TEST_F(DamagedSave, ValuesOutOfRangeAreClampedAndABadIndexFallsBackToTheFirstProfile) {
    MakeSaveWith({"Ada", "Bo"});
    const std::vector<uint8_t> good = ReadBytes(MainPath());
    constexpr size_t kHeader = 5128, kSecond = 1692;
    const struct {
        size_t offset;
        int32_t value;
        bool fixChecksum;
        int stage, music, effect, profile;  // what the game sees afterwards
    } kCases[] = {
        {kSecond + 12, INT_MAX, true, 180, -5000, -2200, 1},  // furthest stage of the current profile
        {kSecond + 12, INT_MIN, true, 1, -5000, -2200, 1},
        {kHeader + 20, INT_MAX, false, 5, 0, -2200, 1},       // music level
        {kHeader + 28, INT_MIN, false, 5, -5000, -10000, 1},  // effect level
        {kHeader + 12, 2, false, 1, -5000, -2200, 0},         // index past the profiles in use
        {kHeader + 12, -7, false, 1, -5000, -2200, 0},
    };
    for (const auto& c : kCases) {
        std::vector<uint8_t> file = good;
        WriteInt(file, kHeader + 12, 1);  // "Bo" in use
        WriteInt(file, kSecond + 12, 5);
        WriteInt(file, kHeader + 20, -5000);
        WriteInt(file, kHeader + 28, -2200);
        WriteInt(file, c.offset, c.value);
        FixChecksum(file);
        WriteBytes(MainPath(), file);
        ResetMemory();
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK) << c.offset << "=" << c.value;
        EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, c.stage) << c.offset << "=" << c.value;
        EXPECT_EQ(g_iMusicVolume, c.music) << c.offset;
        EXPECT_EQ(g_iEffectVolume, c.effect) << c.offset;
        EXPECT_EQ(save.Header().m_iCurrentProfile, c.profile) << c.offset;
        EXPECT_STREQ(g_CurrentProfile.m_szName, c.profile ? "Bo" : "Ada");
    }
}

TEST_F(DamagedSave, SavingWithNoProfileInUseKeepsTheLiveProfileInSlotZero) {
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    g_CurrentProfile.m_iMetalParts = 321;
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(g_aStoredProfiles[0].m_iMetalParts, 321);
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 321);
}

TEST_F(DamagedSave, APlantedLinkAtTheTemporaryNameIsReplacedNotFollowed) {
    MakeSaveWith({"Ada"});
    const std::string victim = m_Root + "/victim";
    WriteBytes(victim, {1, 2, 3});
    fs::create_symlink(victim, MainPath() + ".tmp");
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    g_CurrentProfile.m_iMetalParts = 77;
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(ReadBytes(victim), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 77);
    EXPECT_FALSE(fs::exists(fs::symlink_status(MainPath() + ".tmp")));
}

TEST_F(DamagedSave, AFailedSaveShowsOneMessageNamingFileAndReasonAndPlayGoesOn) {
    MakeSaveWith({"Ada"});
    const std::vector<uint8_t> before = ReadBytes(MainPath());
    Start();
    m_Host.boxes.Clear();
    // A leftover folder at the temporary name: the write cannot start.
    fs::create_directories(MainPath() + ".tmp/left");
    g_CurrentProfile.m_iMetalParts = 5;
    m_App->SaveProgress();
    ASSERT_EQ(m_Host.boxes.Count(), 1u);
    const host::RecordedBox box = m_Host.boxes.Boxes()[0];
    EXPECT_EQ(box.caption, "Save data write error!");
    EXPECT_NE(box.text.find(MainPath()), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("directory"), std::string::npos) << box.text;
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_EQ(ReadBytes(MainPath()), before);
    fs::remove_all(MainPath() + ".tmp");

    // A full disk: writes beyond the file-size limit fail the same way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{}, small{};
    getrlimit(RLIMIT_FSIZE, &old);
    small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    m_App->SaveProgress();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    ASSERT_EQ(m_Host.boxes.Count(), 2u);
    EXPECT_NE(m_Host.boxes.Boxes()[1].text.find("too large"), std::string::npos) << m_Host.boxes.Boxes()[1].text;
    EXPECT_EQ(ReadBytes(MainPath()), before);
    Shutdown();
}
