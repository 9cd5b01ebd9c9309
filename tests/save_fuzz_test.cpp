// The fuzzer's checks over a fixed, generated set of damaged save files.

#include "tests/Harness.h"
#include "tools/save_fuzz/SaveFolderCheck.h"

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
        g_CurrentProfile.m_iMetalParts = 0x0E8080;  // bytes past 127 make the checksum sign matter
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
            case 1: {
                // A header word, when the file still reaches the header.
                const size_t at = 5128 + 4 * (VxRand() % 8);
                const int32_t value = Interesting();
                if (at + 4 <= file.size()) WriteInt(file, at, value);
                break;
            }
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

// The save-folder fuzzer's promise over every pair of what can stand under
// the main and backup names, with each way of answering the questions.
class SaveFolderSweep : public GameAppTest {};

TEST_F(SaveFolderSweep, NoGoodFileIsLostOrChangedWithoutThePlayersChoice) {
    save_fuzz::Samples samples;
    save_fuzz::MakeSamples(samples, m_Root);
    // A folder with no archive: its one message is no question about the
    // save, and the start is quicker without it.
    ASSERT_EQ(chdir(m_Root.c_str()), 0);
    const struct {
        const char* rule;
        std::vector<int> answers;
        save_fuzz::Entry temp;
    } kReplies[] = {
        {"restore", {host::IDOK, host::IDYES}, save_fuzz::Entry::Missing},
        {"create", {host::IDOK, host::IDNO, host::IDYES}, save_fuzz::Entry::Missing},
        {"create with a stale temporary folder", {host::IDOK, host::IDNO, host::IDYES}, save_fuzz::Entry::FullFolder},
        {"decline", {host::IDOK, host::IDNO, host::IDNO, host::IDOK}, save_fuzz::Entry::Missing},
        {"no display", {0, 0, 0, 0}, save_fuzz::Entry::Missing},
    };
    const int kinds = int(save_fuzz::Entry::Count);
    for (const auto& reply : kReplies)
        for (int main = 0; main < kinds; ++main)
            for (int backup = 0; backup < kinds; ++backup) {
                save_fuzz::FolderCase c;
                c.main = save_fuzz::Entry(main);
                c.backup = save_fuzz::Entry(backup);
                c.temp = reply.temp;
                for (size_t i = 0; i < 6; ++i) c.answers[i] = i < reply.answers.size() ? reply.answers[i] : host::IDOK;
                const char* broken = save_fuzz::CheckFolder(c, samples, m_Host.boxes);
                EXPECT_TRUE(broken == nullptr)
                    << broken << ": " << reply.rule << ", main " << main << ", backup " << backup;
            }
}
