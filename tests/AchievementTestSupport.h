#pragma once
// A fresh profile and recording achievement notices for a test's scope.
#include <gtest/gtest.h>

#include <vector>

#include "ContentTestSupport.h"
#include "content/GameLink.h"
#include "game/GameSaveData.h"
#include "content/SaveProfile.h"

namespace content_test {

// Records what reaches a notice, and keeps record 0 alive once started, as the
// pop-ups do until the player closes them.
class RecordingNotice : public CAchievementNotice {
public:
    bool IsRecordAlive() const override { return m_bAlive; }
    void AppendPending(int index) override { m_aiPending.push_back(index); }
    void StartRecord(int index) override {
        m_aiStarted.push_back(index);
        m_bAlive = true;
    }
    // Every index announced, in order: the one shown first, then the queue.
    std::vector<int> All() const {
        std::vector<int> all = m_aiStarted;
        all.insert(all.end(), m_aiPending.begin(), m_aiPending.end());
        return all;
    }

    bool m_bAlive = false;
    std::vector<int> m_aiStarted;
    std::vector<int> m_aiPending;
};

class AchievementTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_CurrentProfile = SaveProfile{};
        CGameSaveData().InitProfile(g_CurrentProfile);
        m_Link.link.m_pBoard = &m_Board;
        m_Link.link.m_pInGame = &m_InGame;
        m_Link.Menu(1);
    }
    void TearDown() override {
        g_CurrentProfile = SaveProfile{};
    }
    int& Progress(int index) { return g_CurrentProfile.m_aiAchievementProgress[index]; }

    ScopedLink m_Link;
    RecordingNotice m_Board;
    RecordingNotice m_InGame;
};

}  // namespace content_test
