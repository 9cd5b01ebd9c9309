// One running copy per save folder: the lock on a file in the folder decides,
// copies on other folders never see each other, and an ended copy frees it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "game/GameSaveData.h"
#include "platform/StartupChecks.h"
#include "platform/host/InstanceLock.h"
#include "platform/host/MessageBox.h"

namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/csq-lock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }

    // The start-up check as a copy of the game on save root `root` makes it:
    // 1 when it finds another copy, 0 when it may run. With hold, the copy
    // keeps running (and holding) until the returned pipe is closed, and
    // then saves (EndHeldCopy tells how that went).
    // The copy's message boxes come back in *shown; uid other than -1 runs
    // the copy as that user.
    int Copy(const std::string& root, bool hold = false, int* release = nullptr, std::string* shown = nullptr,
             int uid = -1) {
        int ready[2], wait[2], boxes[2];
        if (pipe(ready) != 0 || pipe(wait) != 0 || pipe(boxes) != 0) return -1;
        const pid_t pid = fork();
        // No copy: nothing to wait on (waitpid(-1) would take any child).
        if (pid < 0) {
            ADD_FAILURE() << "fork: " << std::strerror(errno);
            for (int fd : {ready[0], ready[1], wait[0], wait[1], boxes[0], boxes[1]}) close(fd);
            return -1;
        }
        if (pid == 0) {
            // The pipes that end other held copies are theirs alone.
            for (const auto& held : m_held) close(held.first);
            setenv("APPDATA", root.c_str(), 1);
            if (uid != -1 && setuid(uid) != 0) _exit(8);
            host::RecordingMessageBoxes recorded;
            host::SetMessageBoxes(&recorded);
            const bool other = IsAnotherInstanceRunning();
            std::string texts;
            for (const host::RecordedBox& box : recorded.Boxes()) texts += box.caption + "|" + box.text + "\n";
            if (write(boxes[1], texts.data(), texts.size()) != ssize_t(texts.size())) _exit(9);
            close(boxes[1]);
            char c = other ? 1 : 0;
            if (write(ready[1], &c, 1) != 1) _exit(9);
            close(wait[1]);
            if (!hold) _exit(other ? 1 : 0);
            while (read(wait[0], &c, 1) > 0) {}
            CGameSaveData save;
            _exit(save.Save() == CVxSaveData::SAVE_OK ? 0 : 2);
        }
        close(ready[1]);
        close(wait[0]);
        close(boxes[1]);
        std::string texts;
        char buffer[512];
        for (ssize_t n; (n = read(boxes[0], buffer, sizeof buffer)) > 0;) texts.append(buffer, size_t(n));
        close(boxes[0]);
        if (shown) *shown = texts;
        char c = 9;
        if (read(ready[0], &c, 1) != 1) c = 9;
        close(ready[0]);
        if (hold) {
            *release = wait[1];
            m_held[wait[1]] = pid;
            return c;
        }
        close(wait[1]);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // 0 when the copy's save went through, 2 when it was refused.
    int EndHeldCopy(int release) {
        const auto held = m_held.find(release);
        if (held == m_held.end()) return -1;  // no copy of ours: no pid to wait on
        close(release);
        int status = 0;
        waitpid(held->second, &status, 0);
        m_held.erase(release);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string m_root;
    std::map<int, pid_t> m_held;  // by the pipe that ends it
};

}  // namespace

TEST_F(InstanceLockTest, SecondCopyOnOneFolderRefusedOtherFoldersRunAndAnEndedCopyFreesIt) {
    const std::string a = m_root + "/a", b = m_root + "/b";
    int release = -1;
    ASSERT_EQ(Copy(a, true, &release), 0);
    EXPECT_TRUE(fs::exists(a + "/Orvendale/Cogsquall/" + INSTANCE_LOCK_NAME));
    EXPECT_EQ(Copy(a), 1);  // same save folder: refused
    EXPECT_EQ(Copy(b), 0);  // another save folder: runs
    EndHeldCopy(release);
    EXPECT_EQ(Copy(a), 0);  // the kernel let go of the ended copy's lock
}

TEST_F(InstanceLockTest, LockIsExclusiveBetweenOpensAndReleasedOnRequest) {
    const std::string path = m_root + "/x.lock";
    host::InstanceLock first, second;
    using Result = host::InstanceLock::Result;
    ASSERT_EQ(first.Acquire(path), Result::Taken);
    EXPECT_EQ(second.Acquire(path), Result::HeldElsewhere);
    EXPECT_FALSE(second.Held());
    first.Release();
    EXPECT_EQ(second.Acquire(path), Result::Taken);
    // A path that cannot be a file is a failure with a reason, not another copy.
    EXPECT_EQ(first.Acquire(m_root + "/missing/x.lock"), Result::Failed);
    EXPECT_EQ(first.Reason(), "No such file or directory");
}

// Whatever stands in the way of the lock file, only a lock another copy holds
// means "already running"; every other fault is named with path and reason
// and the game runs.
TEST_F(InstanceLockTest, ALockFileThatCannotBeUsedIsReportedNotTakenForAnotherCopy) {
    const std::string folder = m_root + "/Orvendale/Cogsquall/", lock = folder + INSTANCE_LOCK_NAME;
    const struct {
        const char* rule;
        void (*place)(const std::string& lock);
        int uid;
        const char* reason;
    } kCases[] = {
        {"a folder under the lock's name", [](const std::string& l) { fs::create_directories(l); }, -1,
         "Is a directory"},
        {"a dangling link under the lock's name", [](const std::string& l) { fs::create_symlink("/nowhere", l); }, -1,
         "Too many levels of symbolic links"},
        {"a lock file left by the administrator",
         [](const std::string& l) {
             fs::remove_all(l);
             close(open(l.c_str(), O_CREAT | O_WRONLY, 0644));
         },
         65534, "Permission denied"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::remove_all(m_root + "/Orvendale");
        fs::create_directories(folder);
        fs::permissions(m_root, fs::perms::all);
        for (const std::string& f : {m_root + "/Orvendale", folder}) fs::permissions(f, fs::perms::all);
        c.place(lock);
        std::string shown;
        EXPECT_EQ(Copy(m_root, false, nullptr, &shown, c.uid), 0);
        EXPECT_NE(shown.find("Instance check failed|"), std::string::npos) << shown;
        EXPECT_NE(shown.find(lock), std::string::npos) << shown;
        EXPECT_NE(shown.find(c.reason), std::string::npos) << shown;
    }
    // A lock held by a running copy is still the one "already running" case, with no message.
    fs::remove_all(m_root + "/Orvendale");
    int release = -1;
    ASSERT_EQ(Copy(m_root, true, &release), 0);
    std::string shown;
    EXPECT_EQ(Copy(m_root, false, nullptr, &shown), 1);
    EXPECT_EQ(shown, "");
    EndHeldCopy(release);
}

// Neither a deleted lock file nor a save folder removed under a running copy
// lets two copies save over each other: the folder itself is locked, and a
// copy whose folder went from under it saves only where no other copy holds
// the new one.
TEST_F(InstanceLockTest, ADeletedLockOrRemovedFolderNeverLetsTwoCopiesSaveOverEachOther) {
    const std::string folder = m_root + "/Orvendale/Cogsquall/";
    const struct {
        const char* rule;
        const char* removed;  // under the running copy
        int second;           // -1: none started; 1: refused; 0: runs
        int firstSaves;       // 0: its save goes through; 2: refused
    } kCases[] = {
        {"the lock file deleted", INSTANCE_LOCK_NAME, 1, 0},
        {"the folder removed, another copy started on it", "", 0, 2},
        {"the folder removed, no other copy", "", -1, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        fs::remove_all(m_root + "/Orvendale");
        int first = -1, second = -1;
        ASSERT_EQ(Copy(m_root, true, &first), 0);
        fs::remove_all(folder + c.removed);
        if (c.second == 1) {
            EXPECT_EQ(Copy(m_root), 1);
        } else if (c.second == 0) {
            EXPECT_EQ(Copy(m_root, true, &second), 0);
        }
        EXPECT_EQ(EndHeldCopy(first), c.firstSaves);
        if (second >= 0) {
            EXPECT_EQ(EndHeldCopy(second), 0) << "the copy holding the folder saves";
        }
    }
}
