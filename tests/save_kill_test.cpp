// A process killed in the middle of saving must never cost the player a save:
// a child saves in a loop and is killed at random moments, and after each kill
// the files must still load (directly, or through the restore from backup).
#include <signal.h>
#include <sys/wait.h>

#include "tests/Harness.h"

namespace {

// Every saved profile carries its generation number in many places across
// the record, each within the range a load keeps, so a torn or mixed record
// shows: whole in the parts and the counters with no near end, and as a
// remainder in the stars, the laboratory and the last deck.
constexpr int kWideCounters[] = {3, 30, 33, 35};

void Stamp(SaveProfile& p, int generation) {
    p.m_iMetalParts = generation;
    for (int i : kWideCounters) p.m_aiAchievementProgress[i] = generation;
    for (int& stars : p.m_aiStageStars) stars = generation % 4;
    for (LabItemRecord& item : p.m_aLabItem) item.m_iOffered = generation % 2;
    for (int& card : p.m_aiLastDeck) card = generation % 40;
}

bool IsStamped(const SaveProfile& p) {
    const int g = p.m_iMetalParts;
    for (int i : kWideCounters)
        if (p.m_aiAchievementProgress[i] != g) return false;
    for (int stars : p.m_aiStageStars)
        if (stars != g % 4) return false;
    for (const LabItemRecord& item : p.m_aLabItem)
        if (item.m_iOffered != g % 2) return false;
    for (int card : p.m_aiLastDeck)
        if (card != g % 40) return false;
    return true;
}

// The child: reports each generation on the pipe once its save has returned.
[[noreturn]] void SaveForever(int reportFd) {
    CGameSaveData save;
    if (save.Load() != CVxSaveData::SAVE_OK) _exit(2);
    savekill::Ready(reportFd);
    for (int generation = g_CurrentProfile.m_iMetalParts + 1;; ++generation) {
        Stamp(g_CurrentProfile, generation);
        if (save.Save() != CVxSaveData::SAVE_OK) _exit(3);
        savekill::Report(reportFd, generation);
    }
}

}  // namespace

using SaveKill = SaveFolderTest;

TEST_F(SaveKill, KilledWhileSavingAlwaysLeavesALoadableSavedProfile) {
    MakeSaveWith({"Kill"});
    {
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
        Stamp(g_CurrentProfile, 0);
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }

    VxSrand(20261206);
    constexpr int kKills = 500;
    int lastConfirmed = 0, restores = 0, killedMidSave = 0;
    savekill::Killer killer;
    for (int round = 0; round < kKills; ++round) {
        const int confirmedBefore = lastConfirmed;
        lastConfirmed = killer.KillWhileSaving([](int fd) { SaveForever(fd); }, lastConfirmed);
        ASSERT_FALSE(HasFailure());

        ResetMemory();
        CGameSaveData save;
        int result = save.Load();
        if (result == CVxSaveData::SAVE_ONLY_BACKUP) {
            ++restores;
            result = save.RestoreFromBackup();
        }
        ASSERT_EQ(result, CVxSaveData::SAVE_OK) << "round " << round;
        ASSERT_STREQ(g_CurrentProfile.m_szName, "Kill");
        ASSERT_TRUE(IsStamped(g_CurrentProfile)) << "round " << round;
        const int loaded = g_CurrentProfile.m_iMetalParts;
        // The last confirmed save, or the one in flight when the kill came.
        ASSERT_GE(loaded, lastConfirmed) << "round " << round;
        ASSERT_LE(loaded, lastConfirmed + 1) << "round " << round;
        if (loaded == lastConfirmed + 1) ++killedMidSave;
        ASSERT_GE(lastConfirmed, confirmedBefore);
        lastConfirmed = loaded;
    }
    RecordProperty("kills", kKills);
    RecordProperty("restores", restores);
    std::printf("survived %d kills (%d after the file was replaced but before the save returned, %d restores)\n",
                kKills, killedMidSave, restores);
    EXPECT_GT(lastConfirmed, 0) << "the child never got a save done";
}
