// A purchase and its save go together: a child buys a laboratory level and
// saves, over and over, and is killed at random moments. Every file left
// loads, holds the parts and the booster level of one and the same purchase,
// and loses none that was confirmed.
#include "tests/Harness.h"
#include "frontend/ShopRules.h"
#include "platform/Random.h"

namespace {

constexpr int kStartParts = 100000;
constexpr int kLuckItem = 3;

[[noreturn]] void BuyForever(int reportFd) {
    CGameSaveData save;
    if (save.Load() != CVxSaveData::SAVE_OK) _exit(2);
    savekill::Ready(reportFd);
    for (;;) {
        // The level back on offer, so every round is the same purchase of one
        // part; the booster counts the purchases round its eight levels.
        g_CurrentProfile.m_aLabItem[kLuckItem] = LabItemRecord{0, 1};
        g_CurrentProfile.m_iLuckBooster = (kStartParts - g_CurrentProfile.m_iMetalParts) % 8;
        int completed = -1;
        if (!ApplyLabPurchase(kLuckItem, 1, completed)) _exit(6);
        if (save.Save() != CVxSaveData::SAVE_OK) _exit(3);
        savekill::Report(reportFd, kStartParts - g_CurrentProfile.m_iMetalParts);
    }
}

}  // namespace

using PurchaseKill = SaveFolderTest;

TEST_F(PurchaseKill, AKilledPurchaseLeavesEitherTheWholePurchaseSavedOrNoneOfIt) {
    MakeSaveWith({"Shop"});
    {
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
        g_CurrentProfile.m_iMetalParts = kStartParts;
        g_CurrentProfile.m_iLuckBooster = 0;
        g_CurrentProfile.m_aiAchievementProgress[2] = 8;
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }
    VxSrand(20261207);
    constexpr int kKills = 200;
    int confirmed = 0, inFlight = 0;
    savekill::Killer killer;
    for (int round = 0; round < kKills; ++round) {
        confirmed = killer.KillWhileSaving([](int fd) { BuyForever(fd); }, confirmed);
        ASSERT_FALSE(HasFailure());
        ResetMemory();
        CGameSaveData save;
        int result = save.Load();
        if (result == CVxSaveData::SAVE_ONLY_BACKUP) result = save.RestoreFromBackup();
        ASSERT_EQ(result, CVxSaveData::SAVE_OK) << "round " << round;
        const SaveProfile& p = g_CurrentProfile;
        const int levels = kStartParts - p.m_iMetalParts;
        ASSERT_EQ(p.m_iLuckBooster, levels == 0 ? 0 : (levels - 1) % 8 + 1)
            << "round " << round << ": parts and level of one purchase";
        ASSERT_GE(levels, confirmed) << "round " << round << ": a confirmed purchase was lost";
        ASSERT_LE(levels, confirmed + 1) << "round " << round;
        if (levels > 0) {
            // The pair as the purchase saved it (the loader then makes it agree with the level).
            const std::vector<uint8_t> file = ReadBytes(MainPath());
            ASSERT_EQ(ReadInt(file, 904 + 8 * kLuckItem), 1) << "round " << round;
            ASSERT_EQ(ReadInt(file, 908 + 8 * kLuckItem), 2) << "round " << round;
        }
        inFlight += levels == confirmed + 1 ? 1 : 0;
        confirmed = levels;
    }
    std::printf("%d purchases saved over %d kills (%d saved as the kill came)\n", confirmed, kKills, inFlight);
    EXPECT_GT(confirmed, 0) << "the child never got a purchase saved";
}
