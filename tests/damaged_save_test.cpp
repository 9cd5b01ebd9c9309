// Start-up over every kind of damaged save data, with and without a good
// backup, with each answer and with no display: the boxes asked, the files
// afterwards, and that no good byte is ever lost.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>

#include "frontend/ShopRules.h"
#include "game/GameSaveData.h"
#include "tests/Harness.h"
#include "tests/SaveBoxTexts.h"

namespace {

namespace fs = std::filesystem;

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
    // What run answers in a child process, as another user when asked and
    // run as root (no mode stops root); "" when the child failed.
    static std::string InChild(bool asAnother, const std::function<std::string()>& run) {
        int said[2];
        if (pipe(said) != 0) return "";
        const pid_t child = fork();
        if (child < 0) {
            ADD_FAILURE() << "fork: " << std::strerror(errno);
            close(said[0]);
            close(said[1]);
            return "";
        }
        if (child == 0) {
            close(said[0]);
            if (asAnother && geteuid() == 0 && setuid(65534) != 0) _exit(8);
            const std::string text = run();
            _exit(write(said[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 9);
        }
        close(said[1]);
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read(said[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
        close(said[0]);
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "";
    }
    // A file a new start writes: no profile, defaults in slot 0.
    static bool IsNew(const std::vector<uint8_t>& b) { return b.size() == 5212u && b[0] == 0 && b[12] == 1; }
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

// A file of zeros (what a crash or power loss leaves) passes the checksum and
// claims no profile: with a good backup it is damage, the restore is offered
// first, and the zeros never go over the backup whatever the answer.
TEST_F(DamagedSave, AZeroFilledMainWithAGoodBackupIsOfferedTheRestoreAndNeverRotatedOverIt) {
    const std::vector<uint8_t> good = GoodFile();
    const std::vector<uint8_t> zeros(5212, 0);
    const struct {
        const char* rule;
        std::vector<int> answers;
        std::vector<std::string> asked;
        bool quits;
        const char* main;  // "good", "zeros" or "new"
    } kCases[] = {
        {"restore brings the backup back", {host::IDOK, host::IDYES}, {kLost, kRecovery}, false, "good"},
        {"a new file keeps the backup",
         {host::IDOK, host::IDNO, host::IDYES},
         {kLost, kRecovery, kCreate},
         false,
         "new"},
        {"declining touches nothing",
         {host::IDOK, host::IDNO, host::IDNO},
         {kLost, kRecovery, kCreate, kClosed},
         true,
         "zeros"},
        {"no display touches nothing", {0, 0, 0, 0}, {kLost}, true, "zeros"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::remove_all(m_Root + "/Orvendale");
        fs::create_directories(m_Root + "/Orvendale/Cogsquall");
        WriteBytes(MainPath(), zeros);
        WriteBytes(BackupPath(), good);
        ResetMemory();
        g_bQuitRequested = false;
        m_Host.boxes.Clear();
        for (int answer : c.answers) m_Host.boxes.QueueAnswer(answer);
        Start();
        EXPECT_EQ(Texts(), c.asked);
        EXPECT_EQ(bool(g_bQuitRequested), c.quits);
        Shutdown();
        EXPECT_EQ(ReadBytes(BackupPath()), good);
        const std::vector<uint8_t> main = ReadBytes(MainPath());
        if (std::string(c.main) == "good") {
            EXPECT_EQ(main, good);
        } else if (std::string(c.main) == "zeros") {
            EXPECT_EQ(main, zeros);
        } else {
            ASSERT_EQ(main.size(), 5212u);
            EXPECT_EQ(ReadInt(main, 5128 + 16), 0) << "no profile yet";
            EXPECT_EQ(ReadInt(main, 12), 1) << "fresh defaults";
        }
    }
    // With no backup there is nothing to offer: the zeros are a new start.
    fs::remove_all(m_Root + "/Orvendale");
    fs::create_directories(m_Root + "/Orvendale/Cogsquall");
    WriteBytes(MainPath(), zeros);
    ResetMemory();
    g_bQuitRequested = false;
    m_Host.boxes.Clear();
    Start();
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
    EXPECT_FALSE(g_bQuitRequested);
    Shutdown();
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 12), 1);
}

// "No" to the restore and "Yes" to a new file keep the backup; the new empty
// file never goes over it at the next starts, only a save of a profile's
// progress does.
TEST_F(DamagedSave, AKeptBackupStaysUntilASaveOfRealProgressReplacesIt) {
    const std::vector<uint8_t> good = GoodFile();
    PlaceMain(Main::BadChecksum, good);
    WriteBytes(BackupPath(), good);
    for (int answer : {host::IDOK, host::IDNO, host::IDYES}) m_Host.boxes.QueueAnswer(answer);
    Start();
    ASSERT_EQ(Texts(), (std::vector<std::string>{kCorrupted, kRecovery, kCreate}));
    Shutdown();
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start + 2));
        m_Host.boxes.Clear();
        ResetMemory();
        Start();
        EXPECT_EQ(m_Host.boxes.Count(), 0u);
        Shutdown();
        EXPECT_EQ(ReadBytes(BackupPath()), good);
    }
    ResetMemory();
    Start();
    ASSERT_EQ(m_App->m_pSaveData->CreateProfile("New"), CVxSaveData::SAVE_OK);
    m_App->SaveProgress();
    EXPECT_EQ(ReadBytes(BackupPath()), good) << "the file before held no profile";
    g_CurrentProfile.m_iMetalParts = 9;
    m_App->SaveProgress();
    Shutdown();
    const std::vector<uint8_t> backup = ReadBytes(BackupPath());
    ASSERT_EQ(backup.size(), 5212u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(backup.data())), "New") << "progress replaced it";
}

// In the run that declined the restore, a new profile saved twice (the
// second save finds a file holding that profile, with no play in it) still
// leaves the kept backup alone; the first save of play replaces it, and from
// then on the backup holds the file as it was before the latest save.
TEST_F(DamagedSave, ABackupKeptAfterADeclinedRestoreStaysUntilTheFirstSaveOfPlay) {
    const std::vector<uint8_t> good = GoodFile();
    PlaceMain(Main::BadChecksum, good);
    WriteBytes(BackupPath(), good);
    for (int answer : {host::IDOK, host::IDNO, host::IDYES}) m_Host.boxes.QueueAnswer(answer);
    Start();
    ASSERT_EQ(Texts(), (std::vector<std::string>{kCorrupted, kRecovery, kCreate}));
    ASSERT_EQ(m_App->m_pSaveData->CreateProfile("New"), CVxSaveData::SAVE_OK);
    const struct {
        const char* save;
        int32_t parts;        // the live profile's, as it is saved
        int32_t backupParts;  // -1: the kept backup
    } kSaves[] = {
        {"the new profile", 0, -1}, {"the new profile again", 0, -1},
        {"a third time", 0, -1},    {"the first play", 40, 0},
        {"more play", 75, 40},      {"the same again", 75, 75},
    };
    for (const auto& c : kSaves) {
        SCOPED_TRACE(c.save);
        g_CurrentProfile.m_iMetalParts = c.parts;
        ASSERT_TRUE(m_App->SaveProgress());
        const std::vector<uint8_t> backup = ReadBytes(BackupPath());
        if (c.backupParts < 0) {
            EXPECT_EQ(backup, good);
            continue;
        }
        ASSERT_EQ(backup.size(), 5212u);
        EXPECT_STREQ(reinterpret_cast<const char*>(backup.data()), "New");
        EXPECT_EQ(ReadInt(backup, 616), c.backupParts);
    }
    Shutdown();
    EXPECT_EQ(ReadInt(ReadBytes(BackupPath()), 616), 75) << "the exit save moves the last one in";
}

// Deleting the last profile saves a file the next start takes as new, with
// no question and no deleted profile in it; a run that never chose a profile
// (the stage runner's) saves the same.
TEST_F(DamagedSave, AFileSavedWithNoProfileLeftIsTakenAsNew) {
    MakeSaveWith({"Ada"});
    Start();
    ASSERT_EQ(m_App->m_pSaveData->DeleteProfile(0), CVxSaveData::SAVE_OK);
    m_App->m_pSaveData->Header().m_iCurrentProfile = 0;
    m_App->SaveProgress();
    Shutdown();
    const std::vector<uint8_t> main = ReadBytes(MainPath());
    EXPECT_EQ(main[0], 0) << "no name in slot 0";
    m_Host.boxes.Clear();
    ResetMemory();
    Start();
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
    EXPECT_EQ(m_App->m_pSaveData->Header().m_nProfilesInUse, 0);
    EXPECT_STREQ(g_aStoredProfiles[0].m_szName, "");
    Shutdown();

    fs::remove_all(m_Root + "/Orvendale");
    ResetMemory();
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    g_CurrentProfile.m_iMetalParts = 321;  // played with no profile chosen
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 0) << "the live profile belongs to no slot";
    ResetMemory();
    CGameSaveData again;
    EXPECT_EQ(again.Load(), CVxSaveData::SAVE_CREATED);
}

// A save folder that cannot be made is a file-system fault with the system's
// reason: never "corrupted", and no file lands anywhere else.
TEST_F(DamagedSave, ASaveFolderThatCannotBeMadeIsReportedWithItsReasonNotAsDamage) {
    const std::string longRoot = m_Root + "/" + std::string(300, 'x');
    const struct {
        const char* rule;
        const char* appdata;  // null: no home at all
        const char* reason;
    } kCases[] = {
        {"an over-long path", longRoot.c_str(), "File name too long"},
        {"no home at all", nullptr, "none of APPDATA, XDG_DATA_HOME and HOME"},
        {"a relative APPDATA and no other home", "relative", "none of APPDATA, XDG_DATA_HOME and HOME"},
    };
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string keepXdg = xdg ? xdg : "", keepHome = home ? home : "";
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(m_Root.c_str()), 0);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        if (c.appdata) setenv("APPDATA", c.appdata, 1);
        else unsetenv("APPDATA");
        ResetMemory();
        CGameSaveData save;
        EXPECT_EQ(save.Load(), CVxSaveData::SAVE_CREATED_UNWRITTEN);
        EXPECT_NE(save.FailReason().find(c.reason), std::string::npos) << save.FailReason();
        EXPECT_EQ(save.Save(), CVxSaveData::SAVE_WRITE_FAILED);
        EXPECT_NE(save.FailReason().find(c.reason), std::string::npos) << save.FailReason();
        EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 1) << "play goes on with a new file in memory";
    }
    EXPECT_FALSE(fs::exists(m_Root + "/Orvendale")) << "nothing in the working folder";
    EXPECT_FALSE(fs::exists(m_Root + "/relative"));
    ASSERT_EQ(chdir(cwd), 0);
    setenv("APPDATA", m_Root.c_str(), 1);
    if (xdg) setenv("XDG_DATA_HOME", keepXdg.c_str(), 1);
    if (home) setenv("HOME", keepHome.c_str(), 1);
}

// A save folder that takes no new file is said to be one, with the system's
// reason, never a leftover that stands in the way. The save runs in a child:
// as another user where the folder's mode refuses, or in a mount of its own
// that is read-only.
TEST_F(DamagedSave, ASaveFolderThatTakesNoFileIsSaidSoWithTheSystemsReason) {
    MakeSaveWith({"Ada"});
    const std::string folder = m_Root + "/Orvendale/Cogsquall/";
    const char* const kNoMount = "no mount";
    const struct {
        const char* rule;
        fs::perms mode;
        bool readOnlyMount;
        const char* reason;
    } kCases[] = {
        {"a read-only mount", fs::perms::all, true, "Read-only file system"},
        {"a folder another user may only read", fs::perms(0555), false, "Permission denied"},
        {"a folder another user may not enter", fs::perms::none, false, "Permission denied"},
    };
    for (const std::string& up : {m_Root, m_Root + "/Orvendale"}) fs::permissions(up, fs::perms(0755));
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::permissions(folder, c.mode);
        const std::string text = InChild(!c.readOnlyMount, [&] {
            if (c.readOnlyMount &&
                (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                 mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                 mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0))
                return std::string(kNoMount);
            CGameSaveData save;
            const int result = save.Save();
            return std::to_string(result) + "|" + save.FailedFile() + "|" + save.FailReason();
        });
        fs::permissions(folder, fs::perms::all);
        if (text == kNoMount) {
            std::printf("no mount of its own here: \"%s\" not tried\n", c.rule);
            continue;
        }
        EXPECT_EQ(text.rfind(std::to_string(CVxSaveData::SAVE_WRITE_FAILED) + "|", 0), 0u) << text;
        EXPECT_NE(text.find("the folder " + folder + " cannot be written (" + c.reason + ")"), std::string::npos)
            << text;
        EXPECT_EQ(text.find("in the way"), std::string::npos) << text;
    }
}

// What the system will not read (its permissions) or write (a read-only
// folder, a full disk) is never called corrupted: every box names the file
// and the reason, and a file that could not be read is set aside before
// anything takes its place, the first box saying where only once it is, so
// no answer loses a byte of it. A folder the player cannot enter, or one too
// deep for its files' names, is said once and the game ends. Each start-up
// runs in a child as another user, the files read back as root.
TEST_F(DamagedSave, ASaveOrFolderTheSystemWillNotReadOrWriteIsToldWithItsReasonAndKept) {
    const std::vector<uint8_t> good = GoodFile();
    std::vector<uint8_t> damaged = good;
    damaged[100] ^= 0x5A;
    const std::string parent = m_Root + "/Orvendale", folder = parent + "/Cogsquall/", shut = m_Root + "/shut";
    const std::string paths[] = {MainPath(), BackupPath(), MainPath() + ".unreadable", BackupPath() + ".unreadable"};
    std::string deep = m_Root;
    while (deep.size() < 4065) deep += "/" + std::string(std::min<size_t>(200, 4064 - deep.size()), 'd');
    const std::string main = "The save file cannot be read:\n" + MainPath(),
                      backup = "The backup cannot be read:\n" + BackupPath(),
                      denied = "\nPermission denied\nNothing says its data is damaged. ",
                      kept = "It is kept, never written over, as\n", stuck = "It cannot be set aside:\n",
                      unwritten = "The new save data could not be written.\n" + MainPath() + "\n";
    // Each box by its letter.
    const std::string kLetters = "clrnxuUbvVpkstwWfBKRC";
    const std::string kBoxes[] = {
        kCorrupted,
        kLost,
        kRecovery,
        kCreate,
        kClosed,
        main + denied + kept + paths[2],
        main + denied + stuck + "Permission denied",
        backup + denied + kept + paths[3],
        backup + denied + stuck + "Permission denied",
        backup + denied + stuck + "every name beside it is taken",
        main + "\nIt is a named pipe, not a file.",
        "The save file is missing:\n" + MainPath() +
            "\nThe save set aside because it could not be read is kept, never written over, as\n" + paths[2],
        "The save folder cannot be entered:\n" + folder + "\nPermission denied",
        "The save folder's path is too long for the files kept in it:\n" + deep +
            "/Orvendale/Cogsquall/\nFile name too long",
        unwritten + "the folder " + folder + " cannot be written (Permission denied)",
        unwritten + "No space left on device",
        "The save data could not be restored from the backup.\n" + MainPath() + "\nNo space left on device",
        "The backup of the save could not be made.\n" + BackupPath() +
            "\nit cannot be read (Permission denied), and is kept as it is",
        "The save file is missing:\n" + MainPath() +
            "\nThe backup set aside because it could not be read is kept, never written over, as\n" + paths[3],
        "The save data could not be restored from the backup.\n" + MainPath() + "\nthe folder " + folder +
            " cannot be written (Permission denied)",
        kCorrupted + "\n" + MainPath()};
    constexpr int kDeep = -1, kBarredAbove = -2, kFullDisk = -3, kNamesTaken = -4;
    const struct {
        const char* rule;
        int folderMode;
        const char* files;    // main, backup, each set aside: Good, Unreadable, Damaged, Pipe, Link to an
                              // unreadable file, link into a folder the player cannot Enter, Claiming a
                              // profile it lacks, - none
        const char* answers;  // Ok, Yes, No, 0 not shown; then every box takes its first button
        const char* asked;    // each box by its letter ("&": one box); "+" runs, "." closes
        const char* after;    // main, backup and both set aside: Good, New, Damaged, Pipe, - none
    } kCases[] = {
        {"no backup, a new file", 0777, "u--", "", "un+", "nng-"},
        {"no backup, declined", 0777, "u--", "ON", "unx.", "--g-"},
        {"a link to a file the player cannot read", 0777, "L--", "", "un+", "nng-"},
        {"a link into a folder the player cannot enter", 0777, "E--", "", "un+", "nng-"},
        {"restore declined, a new file", 0777, "ug-", "ON", "urn+", "ngg-"},
        {"the backup restored", 0777, "ug-", "", "ur+", "ggg-"},
        {"no display", 0777, "ug-", "000", "u.", "gg--"},
        {"a folder of mode 000", 0, "u--", "", "s.", "g---"},
        {"a folder of mode 600", 0600, "u--", "", "s.", "g---"},
        {"a path past the limit", kDeep, "u--", "", "t.", "g---"},
        {"a folder above it another user's start left", kBarredAbove, "u--", "", "s.", "g---"},
        {"an unreadable backup beside a damaged main, a new file", 0777, "du-", "", "c&bn+", "nn-g"},
        {"an unreadable backup beside a damaged main, declined", 0777, "du-", "ON", "c&bnx.", "d--g"},
        {"an unreadable backup and no main, a new file", 0777, "-u-", "", "l&bn+", "nn-g"},
        {"an unreadable backup and no main, declined", 0777, "-u-", "ON", "l&bnx.", "---g"},
        {"an unreadable backup beside a pipe, a new file", 0777, "pu-", "", "p&bn+", "nn-g"},
        {"an unreadable backup beside a pipe, declined", 0777, "pu-", "ON", "p&bnx.", "p--g"},
        {"both unreadable, a new file", 0777, "uu-", "", "u&bn+", "nngg"},
        {"both unreadable, declined", 0777, "uu-", "ON", "u&bnx.", "--gg"},
        {"both unreadable, no display", 0777, "uu-", "0", "u&b.", "gg--"},
        {"an unreadable backup beside a good main", 0777, "gu-", "", "b+", "gg-g"},
        {"an unreadable backup beside a good main, no display", 0777, "gu-", "0", "b.", "gg--"},
        {"a backup linked into a folder the player cannot enter", 0777, "gE-", "", "b+", "gg-g"},
        {"set aside at a start before, a new file", 0777, "--u", "", "kn+", "nng-"},
        {"set aside at a start before, declined", 0777, "--u", "ON", "knx.", "--g-"},
        {"set aside at a start before, the backup restored", 0777, "-gu", "", "kr+", "ggg-"},
        {"a link set aside at a start before, a new file", 0777, "--E", "", "kn+", "nng-"},
        {"a link set aside at a start before, declined", 0777, "--E", "ON", "knx.", "--g-"},
        {"a link set aside at a start before, the backup restored", 0777, "-gE", "", "kr+", "ggg-"},
        {"a backup set aside at a start before, nothing else", 0777, "---u", "", "Kn+", "nn-g"},
        {"a read-only folder, the restore", 0555, "-g-", "", "lrRnwnwnwx.", "-g--"},
        {"a backup that claims a profile it lacks, restored", 0777, "-c-", "", "lrCn+", "n?--"},
        {"a read-only folder", 0555, "u--", "", "Ux.", "g---"},
        {"a read-only folder, a new file", 0555, "du-", "", "c&vnwnwnwx.", "dg--"},
        {"a read-only folder, declined", 0555, "du-", "ON", "c&vnx.", "dg--"},
        {"a full disk, the restore and a new file", kFullDisk, "-g-", "", "lrfnWnWnWx.", "-g--"},
        {"a full disk, declined", kFullDisk, "-g-", "ONN", "lrnx.", "-g--"},
        {"no name left to set it aside", kNamesTaken, "du-", "", "c&VnB+", "ng-?"},
    };
    fs::permissions(m_Root, fs::perms(0755));
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::remove_all(folder);
        fs::create_directories(folder);
        if (c.folderMode == kDeep) setenv("APPDATA", deep.c_str(), 1);
        const std::string text = InChild(false, [&] {
            // A full disk: a small file system of this child's own, filled up once the files are in.
            if (c.folderMode == kFullDisk &&
                (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                 mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0777") != 0))
                return std::string("no mount");
            for (int n = 1; c.folderMode == kNamesTaken && n <= 9; ++n) WriteBytes(host::NumberedName(paths[3], n), {});
            WriteBytes(folder + "Instance.lock", {});
            fs::permissions(folder + "Instance.lock", fs::perms(0666));
            for (int i = 0; i < 4 && c.files[i]; ++i) {
                if (c.files[i] == 'p') mkfifo(paths[i].c_str(), 0644);
                if (c.files[i] == 'L') {
                    WriteBytes(m_Root + "/elsewhere", good);
                    fs::permissions(m_Root + "/elsewhere", fs::perms::none);
                    fs::create_symlink(m_Root + "/elsewhere", paths[i]);
                }
                if (c.files[i] == 'E') {
                    fs::create_directories(shut);
                    fs::permissions(shut, fs::perms::all);
                    WriteBytes(shut + "/save", good);
                    fs::permissions(shut, fs::perms::none);
                    fs::create_symlink(shut + "/save", paths[i]);
                }
                if (std::strchr("gud", c.files[i])) WriteBytes(paths[i], c.files[i] == 'd' ? damaged : good);
                if (c.files[i] == 'c') {
                    std::vector<uint8_t> claims = good;
                    WriteInt(claims, 5128 + 16, 2);  // the count lies outside the checksum
                    WriteBytes(paths[i], claims);
                }
                if (c.files[i] == 'u') fs::permissions(paths[i], fs::perms::none);
            }
            const int fill = open((folder + "filler").c_str(), O_WRONLY | O_CREAT, 0644);
            for (const char block[4096] = {}; c.folderMode == kFullDisk && write(fill, block, sizeof block) > 0;) {}
            close(fill);
            fs::permissions(folder, fs::perms(c.folderMode < 0 ? 0777 : c.folderMode));
            fs::permissions(parent, fs::perms(c.folderMode == kBarredAbove ? 0 : 0755));
            if (c.folderMode != kDeep && geteuid() == 0 && setresuid(65534, 65534, 0) != 0) return std::string();
            for (const char* a = c.answers; *a; ++a)
                m_Host.boxes.QueueAnswer(*a == 'O' ? host::IDOK : *a == 'Y' ? host::IDYES : *a == 'N' ? host::IDNO : 0);
            bool closes = true;
            if (CheckSaveFolder() && !IsAnotherInstanceRunning()) {
                Start();
                closes = g_bQuitRequested;
                Shutdown();
            }
            // Back as root (when run so), every file is read as it stands.
            [[maybe_unused]] const int back = seteuid(0);
            fs::permissions(parent, fs::perms(0755));
            fs::permissions(folder, fs::perms::all);
            std::error_code none;
            fs::permissions(shut, fs::perms::all, none);
            std::string all;
            for (const std::string& box : Texts()) all += box + '|';
            all += closes ? "closes|" : "runs|";
            for (const std::string& path : paths) {
                if (fs::exists(path)) fs::permissions(path, fs::perms(0644));
                const bool there = fs::exists(fs::symlink_status(path)), pipe = fs::is_fifo(path);
                const std::vector<uint8_t> now = there && !pipe ? ReadBytes(path) : std::vector<uint8_t>();
                all += !there ? '-' : pipe ? 'p' : now == good ? 'g' : now == damaged ? 'd' : IsNew(now) ? 'n' : '?';
            }
            return all;
        });
        setenv("APPDATA", m_Root.c_str(), 1);
        fs::permissions(parent, fs::perms(0755));
        if (text == "no mount") {
            std::printf("no mount of its own here: \"%s\" not tried\n", c.rule);
            continue;
        }
        // Every word of every box, then main, backup and both set aside: no
        // "corrupted" but for bytes read and found damaged, "kept" only for a
        // file that is, and no good byte lost.
        std::string expected;
        for (const char* a = c.asked; *a; ++a)
            expected += *a == '+'   ? "runs|"
                        : *a == '.' ? "closes|"
                        : *a == '&' ? "\n\n"
                                    : kBoxes[kLetters.find(*a)] + (a[1] == '&' ? "" : "|");
        EXPECT_EQ(text, expected + c.after);
        EXPECT_TRUE(c.folderMode != kDeep || fs::is_empty(deep + "/Orvendale/Cogsquall")) << "nothing written there";
    }
}

// An archive cut short (its list of contents gone) is refused when it is
// opened; one cut under the running game is found at the first entry it
// cannot give. Either way: one message, the run ends, nothing is asked per
// resource.
TEST_F(DamagedSave, AnArchiveWhoseDirectoryCannotBeReadIsRefusedWithOneMessage) {
    const std::vector<uint8_t> data = ReadBytes(std::string(CSQ_BINARY_DIR) + "/DATA");
    ASSERT_GT(data.size(), 1000u);
    const std::string folder = m_Root + "/game";
    fs::create_directories(folder);
    for (bool running : {false, true}) {
        SCOPED_TRACE(running ? "cut while the game runs" : "cut before it is opened");
        m_Host.boxes.Clear();
        g_bQuitRequested = false;
        WriteBytes(folder + "/DATA",
                   running ? data : std::vector<uint8_t>(data.begin(), data.begin() + data.size() / 2));
        ASSERT_EQ(chdir(folder.c_str()), 0);
        Make();
        EXPECT_EQ(m_App->ArchiveRefused(), !running);
        if (running) {
            EXPECT_EQ(m_Host.boxes.Count(), 0u);
            fs::resize_file(folder + "/DATA", data.size() / 2);
            // The last entries lie in the half that is gone: pictures, sounds, any file.
            int tried = 0;
            for (auto e = m_App->m_lstArchiveEntries.rbegin(); e != m_App->m_lstArchiveEntries.rend() && tried < 12;
                 ++e) {
                if (e->attributes == 0x10u) continue;
                const std::string name = Utf16ToUtf8(e->name);
                ++tried;
                VxFile* file = nullptr;
                VxOpenFile(name.c_str(), "", &file);
                delete file;
                CVxTexture picture(name.c_str(), nullptr);
                CVxSound sound(name.c_str(), nullptr);
            }
        }
        ASSERT_EQ(m_Host.boxes.Count(), 1u) << Texts().back();
        EXPECT_EQ(m_Host.boxes.Boxes()[0].caption, "Fatal error!");
        EXPECT_NE(m_Host.boxes.Boxes()[0].text.find("The resource file DATA is damaged"), std::string::npos);
        EXPECT_TRUE(g_bQuitRequested);
        Shutdown();
        EXPECT_EQ(m_Host.boxes.Count(), 1u);
    }
}

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
                if (main == Main::Folder) {
                    // A folder cannot be replaced and is not removed: one
                    // message names it, asks nothing, and play goes on
                    // without saving (the run ends only when the message
                    // could not be shown).
                    ASSERT_EQ(asked.size(), 1u);
                    EXPECT_EQ(asked[0].rfind(kNotKept, 0), 0u) << asked[0];
                    EXPECT_NE(asked[0].find(MainPath() + " is a folder holding 1 entry"), std::string::npos)
                        << asked[0];
                    EXPECT_EQ(quits, reply == Reply::NoDisplay);
                    EXPECT_EQ(MainState(), "folder");
                    continue;
                }
                // Nothing read there is no data found damaged.
                const std::string notAFile = "The save file cannot be read:\n" + MainPath() + "\nIt is a ";
                const std::string first = main == Main::Missing        ? kLost
                                          : main == Main::Fifo         ? notAFile + "named pipe, not a file."
                                          : main == Main::DanglingLink ? notAFile + "link, not a file."
                                                                       : kCorrupted;
                std::vector<std::string> questions{first};
                if (backup) questions.push_back(kRecovery);
                if (reply == Reply::NoDisplay) {
                    // The first box could not be shown: nothing else is asked and nothing touched.
                    EXPECT_EQ(asked, std::vector<std::string>{first});
                    EXPECT_TRUE(quits);
                    EXPECT_EQ(MainState(), before);
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

// A laboratory record that says fewer levels were bought than the level it
// stands for holds is made to agree with it, so the laboratory sells the
// levels up to the top and never one past it (a Life Booster of 8 with a
// record of none bought once sold eight more).
TEST_F(DamagedSave, ALaboratoryRecordAgreesWithItsLevelSoNoLevelIsSoldPastTheTop) {
    MakeSaveWith({"Ada"});
    const std::vector<uint8_t> good = ReadBytes(MainPath());
    constexpr size_t kRecords = 904;
    const struct {
        const char* rule;
        int item;
        size_t levelOffset;
        int32_t level, bought, offered;  // as the file holds them
        int32_t boughtAfter, offeredAfter;
        int sold;  // levels the laboratory then sells
        int32_t top;
    } kCases[] = {
        {"Life Booster at 8 with none bought", 1, 632, 8, 0, 1, 8, 8, 0, 8},
        {"Energy Booster at 8 with one bought", 2, 636, 8, 1, 2, 8, 8, 0, 8},
        {"Luck Booster at 3 with none bought", 3, 640, 3, 0, 1, 3, 4, 5, 8},
        {"Advance Fusion at 5 with two bought", 4, 644, 5, 2, 3, 5, 5, 0, 5},
        {"Advance Production at 2 with none offered", 5, 648, 2, 0, 0, 2, 3, 3, 5},
        {"a level of none with eight bought", 1, 632, 0, 8, 8, 0, 8, 8, 8},
        {"a record play leaves stays", 3, 640, 3, 3, 4, 3, 4, 5, 8},
        {"ten card slots with none bought", 0, 656, 10, 0, 1, 5, 5, 0, 10},
        {"six card slots with none bought", 0, 656, 6, 0, 1, 1, 2, 4, 10},
        {"five slots from robots alone stay", 0, 656, 5, 0, 1, 0, 1, 5, 10},
        {"two card slots with five bought", 0, 656, 2, 5, 5, 0, 5, 5, 10},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        std::vector<uint8_t> file = good;
        WriteInt(file, c.levelOffset, c.level);
        WriteInt(file, kRecords + 8 * size_t(c.item), c.bought);
        WriteInt(file, kRecords + 8 * size_t(c.item) + 4, c.offered);
        FixChecksum(file);
        WriteBytes(MainPath(), file);
        ResetMemory();
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
        SaveProfile& p = g_CurrentProfile;
        EXPECT_EQ(p.m_aLabItem[c.item].m_iBought, c.boughtAfter);
        EXPECT_EQ(p.m_aLabItem[c.item].m_iOffered, c.offeredAfter);
        p.m_iMetalParts = 999990;
        int sold = 0, completed = -1;
        while (sold < 20 && ApplyLabPurchase(c.item, 10, completed)) ++sold;
        EXPECT_EQ(sold, c.sold);
        int32_t levelAfter;
        std::memcpy(&levelAfter, reinterpret_cast<const uint8_t*>(&p) + c.levelOffset, sizeof levelAfter);
        EXPECT_EQ(levelAfter, std::min(c.level + c.sold, c.top));
        EXPECT_EQ(p.m_iMetalParts, 999990 - 10 * sold) << "parts are spent only on levels given";
    }
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
    // A leftover folder at the temporary name that cannot be removed: the
    // message names it and why, once; later saves fail the same way quietly.
    fs::create_directories(MainPath() + ".tmp/left");
    g_CurrentProfile.m_iMetalParts = 5;
    m_App->SaveProgress();
    m_App->SaveProgress();
    ASSERT_EQ(m_Host.boxes.Count(), 1u);
    const host::RecordedBox box = m_Host.boxes.Boxes()[0];
    EXPECT_EQ(box.caption, "Save data write error!");
    EXPECT_NE(box.text.find(MainPath() + ".tmp "), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Directory not empty"), std::string::npos) << box.text;
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_EQ(ReadBytes(MainPath()), before);
    // An empty folder left there is cleared away and the save goes through.
    fs::remove_all(MainPath() + ".tmp/left");
    m_App->SaveProgress();
    EXPECT_EQ(ReadInt(ReadBytes(MainPath()), 616), 5);
    EXPECT_EQ(m_Host.boxes.Count(), 1u);
    const std::vector<uint8_t> saved = ReadBytes(MainPath());

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
    EXPECT_EQ(ReadBytes(MainPath()), saved);
    Shutdown();
}

TEST_F(DamagedSave, NoBoxHoldsUpAnExitAskedForByASignal) {
    MakeSaveWith({"Ada"});
    Start();
    m_Host.boxes.Clear();
    fs::create_directories(MainPath() + ".tmp/left");
    // SIGTERM arrived: the shutdown save fails, and says so on stderr only.
    host::NoteQuitSignal();
    g_bQuitRequested = true;
    testing::internal::CaptureStderr();
    Shutdown();
    const std::string said = testing::internal::GetCapturedStderr();
    host::ClearQuitSignal();
    EXPECT_EQ(m_Host.boxes.Count(), 0u);
    EXPECT_NE(said.find(MainPath() + ".tmp"), std::string::npos) << said;
}
