#include <sys/stat.h>

#include <array>
#include <thread>

#include "tests/Harness.h"

namespace {
constexpr size_t kHeader = 5128;
constexpr size_t kProfile = 1692;

int32_t SignedByteSum(const std::vector<uint8_t>& bytes) {
    int32_t sum = 0;
    for (size_t i = 0; i < kHeader; ++i) sum += bytes[i] >= 128 ? int(bytes[i]) - 256 : int(bytes[i]);
    return sum;
}
}  // namespace

using SaveFile = SaveFolderTest;

TEST_F(SaveFile, NewFileHasTheFixedLayoutAndAValidChecksum) {
    CGameSaveData save;
    g_iMusicVolume = -1;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
    EXPECT_FALSE(Exists(BackupPath())) << "a fresh installation has nothing to back up";

    std::vector<uint8_t> file = ReadBytes(MainPath());
    ASSERT_EQ(file.size(), 5212u);
    EXPECT_EQ(ReadInt(file, kHeader + 0), 0) << "layout id";
    EXPECT_EQ(ReadInt(file, kHeader + 8), SignedByteSum(file));
    EXPECT_EQ(ReadInt(file, kHeader + 12), 0) << "current index";
    EXPECT_EQ(ReadInt(file, kHeader + 16), 0) << "profiles in use";
    EXPECT_EQ(ReadInt(file, kHeader + 20), -5000) << "music";
    EXPECT_EQ(ReadInt(file, kHeader + 28), -2200) << "effects";
    EXPECT_EQ(g_iMusicVolume, -5000);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(ReadInt(file, slot * kProfile + 12), 1) << "furthest stage of slot " << slot;
        EXPECT_EQ(ReadInt(file, slot * kProfile + 660), 1) << "difficulty of slot " << slot;
    }
    for (size_t i = 5076; i < kHeader; ++i) ASSERT_EQ(file[i], 0) << "reserved byte " << i;

    const std::array<int, 12> offsets = {0, 1692, 3384, 5076, 5085, 5094, 5103, 5112, 5116, 5120, 5124, 5128};
    EXPECT_EQ(save.Offsets(), offsets);
    EXPECT_EQ(g_CurrentProfile.m_iFurthestStage, 1);
}

TEST_F(SaveFile, ChecksumCountsHighBytesAsNegative) {
    std::vector<uint8_t> file(5212, 0);
    file[0] = 0xFF;  // -1
    file[1] = 0x80;  // -128
    file[2] = 0x7F;  // 127
    file[5127] = 3;
    file[5128] = 100;  // header bytes are outside the sum
    EXPECT_EQ(CVxSaveData::Checksum(file.data()), -1 - 128 + 127 + 3);
}

TEST_F(SaveFile, ProfileFieldsLandAtTheirFileOffsets) {
    MakeSaveWith({"Ada", "Bo"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    ASSERT_EQ(save.Header().m_iCurrentProfile, 1);
    g_CurrentProfile.m_iMetalParts = 123456;
    g_CurrentProfile.m_aiStageStars[149] = 3;
    g_CurrentProfile.m_abHintShown[7] = 1;
    g_CurrentProfile.m_aRobotUpgrade[39].m_iAvailable = 5;
    g_CurrentProfile.m_aEnemySeen[31].variantMet[3] = 1;
    g_CurrentProfile.m_aiLastDeck[9] = 77;
    g_CurrentProfile.m_abReserved[99] = 9;
    save.Header().m_bMuted = 1;
    save.Header().m_bWindowed = 1;
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);

    std::vector<uint8_t> file = ReadBytes(MainPath());
    ASSERT_EQ(file.size(), 5212u);
    const size_t slot1 = kProfile;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[0])), "Ada");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[slot1])), "Bo");
    EXPECT_EQ(ReadInt(file, slot1 + 616), 123456);
    EXPECT_EQ(ReadInt(file, slot1 + 16 + 149 * 4), 3);
    EXPECT_EQ(file[slot1 + 623 + 7], 1);
    EXPECT_EQ(ReadInt(file, slot1 + 1064 + 39 * 8 + 4), 5);
    EXPECT_EQ(file[slot1 + 1392 + 31 * 5 + 4], 1);
    EXPECT_EQ(ReadInt(file, slot1 + 1552 + 36), 77);
    EXPECT_EQ(file[slot1 + 1592 + 99], 9);
    EXPECT_EQ(ReadInt(file, 616), 0) << "the other profile is untouched";
    EXPECT_EQ(ReadInt(file, kHeader + 12), 1);
    EXPECT_EQ(ReadInt(file, kHeader + 16), 2);
    EXPECT_EQ(file[kHeader + 32], 1);
    EXPECT_EQ(file[kHeader + 33], 1);
    EXPECT_EQ(ReadInt(file, kHeader + 8), SignedByteSum(file));
}

TEST_F(SaveFile, WrongLengthIsRefusedAndLeftAlone) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> good = ReadBytes(MainPath());
    for (size_t length : {size_t(5211), size_t(5213), size_t(1)}) {
        std::vector<uint8_t> bad = good;
        bad.resize(length, 0);
        WriteBytes(MainPath(), bad);
        std::vector<uint8_t> backupBefore = ReadBytes(BackupPath());
        CGameSaveData save;
        EXPECT_EQ(save.Load(), CVxSaveData::SAVE_BAD_SIZE) << length;
        EXPECT_EQ(ReadBytes(MainPath()), bad) << length;
        EXPECT_EQ(ReadBytes(BackupPath()), backupBefore) << length;
    }
}

TEST_F(SaveFile, AnyChangedProfileOrReservedByteFailsTheChecksum) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> good = ReadBytes(MainPath());
    for (size_t offset : {size_t(0), size_t(700), size_t(1691), size_t(3384 + 5), size_t(5080), size_t(5127)}) {
        std::vector<uint8_t> bad = good;
        bad[offset] ^= 0x40;
        bad[kHeader + 20] = 0x11;  // a changed music level still reaches the sound layer
        WriteBytes(MainPath(), bad);
        g_iMusicVolume = 0;
        CGameSaveData save;
        EXPECT_EQ(save.Load(), CVxSaveData::SAVE_BAD_CHECKSUM) << offset;
        EXPECT_EQ(g_iMusicVolume, ReadInt(bad, kHeader + 20)) << offset;
        EXPECT_EQ(ReadBytes(MainPath()), bad);
    }
}

TEST_F(SaveFile, HeaderOnlyChangesAreAccepted) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> file = ReadBytes(MainPath());
    WriteInt(file, kHeader + 20, -7000);
    WriteInt(file, kHeader + 24, -300);
    WriteInt(file, kHeader + 28, -10000);
    file[kHeader + 32] = 1;
    file[kHeader + 33] = 1;
    file[kHeader + 60] = 0xAB;
    WriteBytes(MainPath(), file);

    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(g_iMusicVolume, -7000);
    EXPECT_EQ(g_iGroup2Volume, -300);
    EXPECT_EQ(g_iEffectVolume, -10000);
    EXPECT_EQ(save.Header().m_bMuted, 1);
    EXPECT_EQ(save.Header().m_bWindowed, 1);
}

TEST_F(SaveFile, LayoutIdOtherThanZeroIsRefused) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> file = ReadBytes(MainPath());
    WriteInt(file, kHeader, 1);
    WriteBytes(MainPath(), file);
    CGameSaveData save;
    EXPECT_EQ(save.Load(), CVxSaveData::SAVE_BAD_LAYOUT);
}

// A name whose one mark sits on its terminator byte is blank once loaded: the
// file is refused as damaged rather than loaded and saved into one that no
// longer loads.
TEST_F(SaveFile, AProfileNameThatOnlyShowsOnItsTerminatorIsRefused) {
    MakeSaveWith({"Ada"});
    std::vector<uint8_t> file = ReadBytes(MainPath());
    std::fill(file.begin(), file.begin() + CVxSaveData::NAME_SIZE - 1, uint8_t(0));
    file[CVxSaveData::NAME_SIZE - 1] = 'x';
    WriteInt(file, kHeader + 8, CVxSaveData::Checksum(file.data()));
    WriteBytes(MainPath(), file);
    CGameSaveData save;
    EXPECT_EQ(save.Load(), CVxSaveData::SAVE_BAD_LAYOUT);
    EXPECT_EQ(ReadBytes(MainPath()), file);
}

TEST_F(SaveFile, EachSaveKeepsThePreviousFileAsBackup) {
    MakeSaveWith({"Ada"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    g_CurrentProfile.m_iMetalParts = 1;
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    const std::vector<uint8_t> first = ReadBytes(MainPath());
    g_CurrentProfile.m_iMetalParts = 2;
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    const std::vector<uint8_t> main = ReadBytes(MainPath()), backup = ReadBytes(BackupPath());
    EXPECT_EQ(backup, first);
    ASSERT_EQ(main.size(), 5212u);
    ASSERT_EQ(backup.size(), 5212u);
    EXPECT_EQ(ReadInt(main, 616), 2);
    EXPECT_EQ(ReadInt(backup, 616), 1);
}

TEST_F(SaveFile, ADamagedMainIsNeverCopiedOverAGoodBackup) {
    MakeSaveWith({"Ada"});
    MakeSaveWith({"Bo"});
    const std::vector<uint8_t> backup = ReadBytes(BackupPath());
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);

    std::vector<uint8_t> corrupt = ReadBytes(MainPath());
    corrupt[100] ^= 1;
    WriteBytes(MainPath(), corrupt);
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(ReadBytes(BackupPath()), backup);

    std::vector<uint8_t> shortened = ReadBytes(MainPath());
    shortened.resize(5000);
    WriteBytes(MainPath(), shortened);
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(ReadBytes(BackupPath()), backup);
    EXPECT_EQ(ReadBytes(MainPath()).size(), 5212u);
}

TEST_F(SaveFile, WriteFailuresAreReportedNotHidden) {
    // A folder path running through a regular file cannot be created, even by root.
    const std::string blocker = m_Root + "/blocker";
    WriteBytes(blocker, {1});
    setenv("APPDATA", blocker.c_str(), 1);
    {
        CGameSaveData save;
        EXPECT_EQ(save.Load(), CVxSaveData::SAVE_CREATED_UNWRITTEN);
        EXPECT_EQ(save.Save(), CVxSaveData::SAVE_WRITE_FAILED);
        EXPECT_EQ(save.Recreate(), CVxSaveData::SAVE_RELOAD_FAILED);
    }
    setenv("APPDATA", m_Root.c_str(), 1);

    // A file that cannot be replaced: the save reports it and the old data stays.
    MakeSaveWith({"Ada"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    std::filesystem::remove(MainPath());
    std::filesystem::create_directories(MainPath() + "/occupied");
    EXPECT_EQ(save.Save(), CVxSaveData::SAVE_WRITE_FAILED);
    EXPECT_TRUE(std::filesystem::is_directory(MainPath()));
}

TEST_F(SaveFile, DeleteFilesAndRecreateKeepOnlyAGoodBackup) {
    MakeSaveWith({"Ada"});
    MakeSaveWith({"Bo"});
    const std::vector<uint8_t> backup = ReadBytes(BackupPath());
    CGameSaveData save;
    EXPECT_EQ(save.DeleteFiles(), CVxSaveData::SAVE_OK);
    EXPECT_FALSE(Exists(MainPath()));
    EXPECT_EQ(ReadBytes(BackupPath()), backup) << "a good backup is kept";
    WriteBytes(BackupPath(), std::vector<uint8_t>(5212, 1));
    EXPECT_FALSE(save.BackupExists());
    EXPECT_EQ(save.DeleteFiles(), CVxSaveData::SAVE_OK);
    EXPECT_FALSE(Exists(BackupPath())) << "a damaged one goes";

    MakeSaveWith({"Ada"});
    MakeSaveWith({"Bo"});
    EXPECT_EQ(save.Recreate(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(save.Header().m_nProfilesInUse, 0);
    // This run's saves leave the kept backup alone.
    ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    EXPECT_EQ(ReadBytes(BackupPath()), backup);
}

TEST_F(SaveFile, RestoreNeedsAnIntactBackupAndLeavesTheMainFileOtherwise) {
    CGameSaveData save;
    EXPECT_EQ(save.RestoreFromBackup(), CVxSaveData::SAVE_WRITE_FAILED);
    std::filesystem::create_directories(m_Root + "/Orvendale/Cogsquall");
    WriteBytes(BackupPath(), std::vector<uint8_t>(5212, 1));
    WriteBytes(MainPath(), {9});
    EXPECT_EQ(save.RestoreFromBackup(), CVxSaveData::SAVE_WRITE_FAILED);
    EXPECT_EQ(ReadBytes(MainPath()), std::vector<uint8_t>{9});
}

TEST_F(SaveFile, SavesAndLoadsFromSeveralThreadsStayWhole) {
    MakeSaveWith({"Ada"});
    CGameSaveData save;
    ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 25; ++i) {
                if (save.Save() != CVxSaveData::SAVE_OK) ++failures;
                if (save.Load() != CVxSaveData::SAVE_OK) ++failures;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(ReadBytes(MainPath()).size(), 5212u);
}
