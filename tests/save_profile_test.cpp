#include "tests/Harness.h"

using Profile = SaveFolderTest;

namespace {
void ExpectFreshProfile(const SaveProfile& p) {
    EXPECT_EQ(p.m_iFurthestStage, 1);
    EXPECT_EQ(p.m_iDifficulty, 1);
    EXPECT_EQ(p.m_nCardSlots, 2);
    EXPECT_EQ(p.m_iMetalParts, 0);
    EXPECT_EQ(p.m_abRobotUnlocked[0], 1);
    EXPECT_EQ(p.m_abRobotUnlocked[1], 1);
    for (int i = 2; i < 40; ++i) EXPECT_EQ(p.m_abRobotUnlocked[i], 0) << i;
    EXPECT_EQ(p.m_aEnemySeen[0].met, 1);
    for (int i = 1; i < 32; ++i) EXPECT_EQ(p.m_aEnemySeen[i].met, 0) << i;
    for (int i = 0; i < 40; ++i) {
        int expected = 0;
        if (i == 4) expected = 2;
        if (i == 5) expected = 1;
        if (i == 31 || i == 32 || i == 34) expected = 10000;
        EXPECT_EQ(p.m_aiAchievementProgress[i], expected) << "achievement " << i;
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p.m_abFeatureUnlocked[i], i == 4 ? 1 : 0) << "feature " << i;
    for (int card : p.m_aiLastDeck) EXPECT_EQ(card, -1);
}

// Every byte set, as a profile that has been played a lot would be.
SaveProfile Scribbled() {
    SaveProfile p{};
    std::memset(&p, 0x5A, sizeof p);
    std::memcpy(p.m_szName, "Kit\0\0\0\0\0", 9);
    p.m_abPadding0[1] = 0x33;
    return p;
}
}  // namespace

TEST_F(Profile, ReinitialisingAPlayedProfileGivesTheDefaultsAndKeepsTheName) {
    CGameSaveData save;
    SaveProfile p = Scribbled();
    save.InitProfile(p);
    ExpectFreshProfile(p);
    EXPECT_STREQ(p.m_szName, "Kit");
    EXPECT_EQ(p.m_abPadding0[1], 0x33) << "the bytes behind the name are left as they were";
    for (int stars : p.m_aiStageStars) ASSERT_EQ(stars, 0);
    for (uint8_t b : p.m_abReserved) ASSERT_EQ(b, 0);
    for (const LabItemRecord& item : p.m_aLabItem) ASSERT_EQ(item.m_iBought | item.m_iOffered, 0);
    for (const RobotUpgradeRecord& u : p.m_aRobotUpgrade) ASSERT_EQ(u.m_iLevel | u.m_iAvailable, 0);
    EXPECT_EQ(p.m_iLifeBooster | p.m_iEnergyBooster | p.m_iLuckBooster | p.m_iAdvanceFusion | p.m_iAdvanceProduction |
                  p.m_iBattleStartLevel,
              0);
    for (uint8_t b : p.m_abRobotNew) ASSERT_EQ(b, 0);
    for (uint8_t b : p.m_abHintShown) ASSERT_EQ(b, 0);
    for (uint8_t b : p.m_abStorySeen) ASSERT_EQ(b, 0);
}

TEST_F(Profile, CountersOfUnlockedRobotsAndMetMachinesAgreeAfterEveryInit) {
    CGameSaveData save;
    SaveProfile p{};
    save.InitProfile(p);
    save.InitProfile(p);  // twice in a row must not count the starters twice
    int unlocked = 0, met = 0;
    for (uint8_t b : p.m_abRobotUnlocked) unlocked += b;
    for (const EnemySeenRecord& e : p.m_aEnemySeen) met += e.met;
    EXPECT_EQ(p.m_aiAchievementProgress[4], unlocked);
    EXPECT_EQ(p.m_aiAchievementProgress[5], met);
}

TEST_F(Profile, NewFileFillsEverySlotAndTheLiveCopyWithDefaults) {
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    for (const SaveProfile& p : g_aStoredProfiles) ExpectFreshProfile(p);
    ExpectFreshProfile(g_CurrentProfile);
}

TEST_F(Profile, CreateChecksRoomBlankAndTakenNames) {
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    EXPECT_EQ(save.CreateProfile(""), CVxSaveData::SAVE_NAME_BLANK);
    EXPECT_EQ(save.CreateProfile("        "), CVxSaveData::SAVE_NAME_BLANK);
    EXPECT_EQ(save.CreateProfile(nullptr), CVxSaveData::SAVE_NAME_BLANK);
    EXPECT_EQ(save.CreateProfile("Ada"), CVxSaveData::SAVE_OK);
    EXPECT_EQ(save.CreateProfile("Ada"), CVxSaveData::SAVE_NAME_TAKEN);
    EXPECT_EQ(save.CreateProfile("ada"), CVxSaveData::SAVE_OK) << "letter case makes a different name";
    EXPECT_EQ(save.Header().m_nProfilesInUse, 2);
    EXPECT_EQ(save.Header().m_iCurrentProfile, 1);
    EXPECT_STREQ(g_CurrentProfile.m_szName, "ada");
    ExpectFreshProfile(g_CurrentProfile);

    // A nine-byte buffer with no terminator: only eight characters are taken.
    char full[9];
    std::memcpy(full, "ABCDEFGHI", 9);
    EXPECT_EQ(save.CreateProfile(full), CVxSaveData::SAVE_OK);
    EXPECT_STREQ(g_aStoredProfiles[2].m_szName, "ABCDEFGH");
    EXPECT_EQ(save.CreateProfile("Zed"), CVxSaveData::SAVE_PROFILES_FULL);
    EXPECT_EQ(save.Header().m_nProfilesInUse, 3);
}

TEST_F(Profile, DeleteShiftsTheLaterProfilesDownAndFreesTheLastSlot) {
    MakeSaveWith({"Ada", "Bo", "Cy"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    g_aStoredProfiles[1].m_iMetalParts = 11;
    g_aStoredProfiles[2].m_iMetalParts = 22;

    for (int bad : {-1, 3, 4, 1000}) EXPECT_EQ(save.DeleteProfile(bad), CVxSaveData::SAVE_BAD_INDEX) << bad;
    EXPECT_EQ(save.Header().m_nProfilesInUse, 3);

    ASSERT_EQ(save.DeleteProfile(0), CVxSaveData::SAVE_OK);
    EXPECT_EQ(save.Header().m_nProfilesInUse, 2);
    EXPECT_STREQ(g_aStoredProfiles[0].m_szName, "Bo");
    EXPECT_EQ(g_aStoredProfiles[0].m_iMetalParts, 11);
    EXPECT_STREQ(g_aStoredProfiles[1].m_szName, "Cy");
    EXPECT_EQ(g_aStoredProfiles[1].m_iMetalParts, 22);
    EXPECT_EQ(g_aStoredProfiles[2].m_szName[0], '\0');
    ExpectFreshProfile(g_aStoredProfiles[2]);
    EXPECT_EQ(save.DeleteProfile(2), CVxSaveData::SAVE_BAD_INDEX) << "slot 2 is no longer in use";

    // The freed slot is reused by the next profile.
    EXPECT_EQ(save.CreateProfile("Di"), CVxSaveData::SAVE_OK);
    EXPECT_STREQ(g_aStoredProfiles[2].m_szName, "Di");
}

TEST_F(Profile, RenameChecksIndexBlankAndTakenNames) {
    MakeSaveWith({"Ada", "Bo"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    ASSERT_EQ(save.Header().m_iCurrentProfile, 1);

    for (int bad : {-1, 2, 3, 99}) EXPECT_EQ(save.RenameProfile(bad, "Zed"), CVxSaveData::SAVE_BAD_INDEX) << bad;
    EXPECT_EQ(save.RenameProfile(0, "   "), CVxSaveData::SAVE_NAME_BLANK);
    EXPECT_EQ(save.RenameProfile(0, "Bo"), CVxSaveData::SAVE_NAME_TAKEN);
    EXPECT_EQ(save.RenameProfile(0, "Ada"), CVxSaveData::SAVE_OK) << "its own name is not taken";

    ASSERT_EQ(save.RenameProfile(0, "Eve"), CVxSaveData::SAVE_OK);
    EXPECT_STREQ(g_aStoredProfiles[0].m_szName, "Eve");
    EXPECT_STREQ(g_CurrentProfile.m_szName, "Bo") << "not the current profile";

    ASSERT_EQ(save.RenameProfile(1, "LongName"), CVxSaveData::SAVE_OK);
    EXPECT_STREQ(g_CurrentProfile.m_szName, "LongName");
    // A shorter name leaves no tail of the old one.
    ASSERT_EQ(save.RenameProfile(1, "Al"), CVxSaveData::SAVE_OK);
    for (int i = 2; i < 9; ++i) EXPECT_EQ(g_CurrentProfile.m_szName[i], '\0') << i;
}

// A stored name filling all nine bytes has no end: it reads as its first
// eight characters, as every name a player can enter.
TEST_F(Profile, AStoredNameWithNoEndReadsAsItsFirstEightCharacters) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> file = ReadBytes(MainPath());
    std::memcpy(file.data(), "ABCDEFGHI", 9);
    FixChecksum(file);
    WriteBytes(MainPath(), file);
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    EXPECT_STREQ(g_CurrentProfile.m_szName, "ABCDEFGH");
    EXPECT_EQ(save.CreateProfile("ABCDEFGH"), CVxSaveData::SAVE_NAME_TAKEN);
    EXPECT_EQ(save.CreateProfile("ABCDEFGX"), CVxSaveData::SAVE_OK);
}
