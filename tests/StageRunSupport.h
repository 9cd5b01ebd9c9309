#pragma once
// Stage runs for tests: the runner in the build folder (where DATA lies),
// golden values kept in tests/golden/ and rewritten only with
// CSQ_UPDATE_GOLDEN=1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "battle/model/BattleCommands.h"
#include "tools/stagerun/StageRun.h"

// A test that runs from the build folder, where the pack lies, and goes back.
class InBuildFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override { ASSERT_EQ(chdir(m_OldCwd.c_str()), 0); }
    std::string m_OldCwd;
};

class StageRunTest : public InBuildFolder {
protected:
    void TearDown() override {
        run.reset();
        InBuildFolder::TearDown();
    }

    // Starts a run; the test then steps it.
    StageRun& Begin(int stage, int difficulty, uint32_t seed, std::vector<int> hand = {}) {
        StageRunOptions o;
        o.stage = stage;
        o.difficulty = difficulty;
        o.seed = seed;
        o.hand = std::move(hand);
        run = std::make_unique<StageRun>(o);
        EXPECT_TRUE(run->Start()) << run->Error();
        return *run;
    }

    std::unique_ptr<StageRun> run;
};

// The deck the runner's defence plays: one robot per terrain, ground Gunner
// and Blocker (in front), air Copter, water-surface Mariner, underwater Diver.
inline const std::vector<int> kDefenceDeck = {1, 3, 4, 21, 15};

// How many commands of the kind a run's log holds.
template <class Command>
int CountOf(const std::vector<LoggedCommand>& log) {
    int n = 0;
    for (const LoggedCommand& c : log) n += std::holds_alternative<Command>(c.command);
    return n;
}

namespace golden {

inline std::string StageRunFile() { return std::string(CSQ_SOURCE_DIR "/tests/golden/stage_runs.txt"); }

// Compares value with the golden entry key; with CSQ_UPDATE_GOLDEN=1 stores it.
inline void ExpectStageValue(const std::string& key, const std::string& value) {
    const char* update = std::getenv("CSQ_UPDATE_GOLDEN");
    const std::string path = StageRunFile();
    if (update && std::string(update) == "1") {
        // Parallel tests update one file: take turns.
        const int fd = open(path.c_str(), O_RDWR | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        flock(fd, LOCK_EX);
        std::map<std::string, std::string> entries;
        {
            std::ifstream in(path);
            std::string k, v;
            while (in >> k >> v) entries[k] = v;
        }
        entries[key] = value;
        std::ofstream out(path, std::ios::trunc);
        for (const auto& e : entries) out << e.first << ' ' << e.second << '\n';
        out.close();
        flock(fd, LOCK_UN);
        close(fd);
        GTEST_SKIP() << "golden value written: " << key;
    }
    std::string expected;
    ASSERT_TRUE(ReadGoldenValue(path, key, expected))
        << "no golden value " << key << " (CSQ_UPDATE_GOLDEN=1 writes it)";
    EXPECT_EQ(value, expected) << key;
}

}  // namespace golden
