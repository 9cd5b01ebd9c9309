// One running copy per save folder: the lock on a file in the folder decides,
// copies on other folders never see each other, and an ended copy frees it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/StartupChecks.h"
#include "platform/host/InstanceLock.h"

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
    // keeps running (and holding) until the returned pipe is closed.
    int Copy(const std::string& root, bool hold = false, int* release = nullptr) {
        int ready[2], wait[2];
        if (pipe(ready) != 0 || pipe(wait) != 0) return -1;
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("APPDATA", root.c_str(), 1);
            const bool other = IsAnotherInstanceRunning();
            char c = other ? 1 : 0;
            if (write(ready[1], &c, 1) != 1) _exit(9);
            close(wait[1]);
            if (hold)
                while (read(wait[0], &c, 1) > 0) {}
            _exit(other ? 1 : 0);
        }
        close(ready[1]);
        close(wait[0]);
        char c = 9;
        if (read(ready[0], &c, 1) != 1) c = 9;
        close(ready[0]);
        if (hold) {
            *release = wait[1];
            m_held = pid;
            return c;
        }
        close(wait[1]);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void EndHeldCopy(int release) {
        close(release);
        waitpid(m_held, nullptr, 0);
    }

    std::string m_root;
    pid_t m_held = -1;
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
    ASSERT_TRUE(first.Acquire(path));
    EXPECT_FALSE(second.Acquire(path));
    EXPECT_FALSE(second.Held());
    first.Release();
    EXPECT_TRUE(second.Acquire(path));
    // A path that cannot be a file is refused, not crashed on.
    EXPECT_FALSE(first.Acquire(m_root + "/missing/x.lock"));
}
