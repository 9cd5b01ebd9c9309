// The fuzzer's checks over a fixed, generated set of damaged save files.

#include "tests/Harness.h"
#include "tools/save_fuzz/SaveLoadCheck.h"

using SaveFuzz = SaveFolderTest;

namespace {
int32_t Interesting() {
    static const int32_t values[] = {-1, 0, 1, 2, 3, 4, 7, 255, -5000, INT_MIN, INT_MAX};
    return values[VxRand() % (sizeof values / sizeof values[0])];
}
}  // namespace

TEST_F(SaveFuzz, DamagedFilesKeepEveryPromise) {
    MakeSaveWith({"Ada", "Bo", "Cy"});
    {
        CGameSaveData save;
        ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK);
        g_CurrentProfile.m_iMetalParts = 0x7F7F80;  // high bytes make the checksum sign matter
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }
    const std::vector<uint8_t> good = ReadBytes(MainPath());
    ASSERT_EQ(good.size(), 5212u);

    VxSrand(1108);
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> input(1, uint8_t(VxRand() & 3));
        std::vector<uint8_t> file = good;
        const int edits = VxRand() % 4;
        for (int e = 0; e < edits; ++e) {
            switch (VxRand() % 5) {
            case 0: file[VxRand() % file.size()] ^= uint8_t(1 + VxRand() % 255); break;
            case 1: WriteInt(file, 5128 + 4 * (VxRand() % 8), Interesting()); break;
            case 2: file.resize(VxRand() % 5300); break;
            case 3: file.resize(5212); break;
            default: break;
            }
        }
        if (file.size() == 5212 && VxRand() % 2) FixChecksum(file);
        input.insert(input.end(), file.begin(), file.end());
        const char* broken = save_fuzz::CheckLoadOf(input.data(), input.size());
        ASSERT_EQ(broken, nullptr) << broken << " in round " << round;
    }
}
