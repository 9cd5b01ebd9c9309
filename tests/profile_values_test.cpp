// Every value of a stored profile comes back from the file inside the range
// play leaves it in, and no value at or past that range takes a battle down,
// ordinary stage or mini-game (a Luck Booster level of 40 once divided by
// zero at the first drop roll of a mini-game).
#include <climits>
#include <filesystem>

#include "frontend/ShopRules.h"
#include "tests/Harness.h"
#include "tests/StageRunSupport.h"
#include "tools/save_fuzz/ProfileBattleCheck.h"

namespace {

using save_fuzz::ProfileField;

// Values at both ends, just past them and as far as the type goes.
std::vector<int32_t> ProbeValues(const ProfileField& f) {
    if (f.width == 1) return {0, 1, 2, 128, 255};
    return {f.low, f.high, f.low - 1, int32_t(int64_t(f.high) + 1), INT_MIN, INT_MAX, 40};
}

class ProfileValues : public SaveFolderTest {};

}  // namespace

TEST_F(ProfileValues, EveryValueReadFromASaveComesBackInsideItsRange) {
    std::filesystem::create_directories(m_Root + "/Orvendale/Cogsquall");
    for (const ProfileField& f : save_fuzz::ProfileFields())
        for (int32_t value : ProbeValues(f)) {
            // Every element of the field at once, in the current profile and a stored one.
            std::vector<uint8_t> file = save_fuzz::SaveWithValue(f, 0, value);
            for (int i = 0; i < f.count; ++i) save_fuzz::WriteElement(file.data(), f, i, value);
            FixChecksum(file);
            WriteBytes(MainPath(), file);
            ResetMemory();
            CGameSaveData save;
            ASSERT_EQ(save.Load(), CVxSaveData::SAVE_OK) << f.name << " = " << value;
            const uint8_t* live = reinterpret_cast<const uint8_t*>(&g_CurrentProfile);
            for (int i = 0; i < f.count; ++i)
                ASSERT_EQ(save_fuzz::ReadElement(live, f, i), save_fuzz::LoadedElement(file.data(), f, i, value))
                    << f.name << " [" << i << "] = " << value;
            EXPECT_EQ(save_fuzz::FieldOutOfRange(live), nullptr) << f.name << " = " << value;
        }
}

// The shop's levels and the clamps agree: the laboratory's last level of each
// item, and each booster's, are what a save may hold.
TEST_F(ProfileValues, TheLastLevelsTheShopSellsAreTheLevelsASaveMayHold) {
    const struct {
        const char* rule;
        int offset;
        int32_t last;
    } kCases[] = {
        {"Luck Booster stops at 8", 640, 8},         {"Life Booster stops at 8", 632, 8},
        {"Energy Booster stops at 8", 636, 8},       {"Advance Fusion stops at 5", 644, 5},
        {"Advance Production stops at 5", 648, 5},   {"card slots stop at 10", 656, 10},
        {"Metal Parts stop at 999990", 616, 999990},
    };
    for (const auto& c : kCases) {
        const ProfileField* field = nullptr;
        for (const ProfileField& f : save_fuzz::ProfileFields())
            if (f.offset == c.offset) field = &f;
        ASSERT_NE(field, nullptr) << c.rule;
        EXPECT_EQ(field->high, c.last) << c.rule;
        EXPECT_EQ(save_fuzz::Clamped(*field, c.last + 1), c.last) << c.rule;
    }
    for (int item = 0; item < 20; ++item) EXPECT_EQ(save_fuzz::kLabItemHigh[item], LabMaxLevel(item)) << item;
}

// ---- Battles with each value at its upper end and far past it.

namespace {

struct BattleField {
    const char* name;  // as in the field table
};

class ProfileBattle : public StageRunTest, public ::testing::WithParamInterface<BattleField> {};

}  // namespace

TEST_P(ProfileBattle, AValueAtOrPastItsRangeNeverTakesABattleDown) {
    const ProfileField* field = nullptr;
    for (const ProfileField& f : save_fuzz::ProfileFields())
        if (std::string(f.name) == GetParam().name) field = &f;
    ASSERT_NE(field, nullptr) << GetParam().name;
    std::vector<int32_t> values = {field->high, field->width == 1 ? 255 : INT_MAX};
    // The Luck Booster level that once divided a mini-game's drop roll by zero.
    if (field->offset == 640) values.push_back(40);
    for (int32_t value : values)
        for (const save_fuzz::BattleStage& stage : save_fuzz::BattleStages()) {
            // The last element too: a deck's tenth card, the 32nd Machine.
            for (int i : {0, field->count - 1}) {
                const std::vector<uint8_t> file = save_fuzz::SaveWithValue(*field, i, value);
                const char* broken = save_fuzz::CheckBattleWith(file, *field, i, value, stage, 600);
                EXPECT_EQ(broken, nullptr)
                    << broken << ": " << field->name << " [" << i << "] = " << value << ", stage " << stage.stage;
                if (field->count == 1) break;
            }
        }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, ProfileBattle, ::testing::Values(
    BattleField{"furthest stage"}, BattleField{"stage stars"}, BattleField{"metal parts"},
    BattleField{"hint shown"}, BattleField{"life booster"}, BattleField{"energy booster"},
    BattleField{"luck booster"}, BattleField{"advance fusion"}, BattleField{"advance production"},
    BattleField{"battle start level"}, BattleField{"card slots"}, BattleField{"difficulty"},
    BattleField{"robot unlocked"}, BattleField{"robot new"}, BattleField{"robot upgrade level"},
    BattleField{"robot upgrade available"}, BattleField{"feature unlocked"}, BattleField{"machine met"},
    BattleField{"machine variant met"}, BattleField{"last deck"}, BattleField{"achievement 2"},
    BattleField{"achievement 29"}, BattleField{"achievement 35"}, BattleField{"achievement 37"},
    BattleField{"lab item 3 bought"}),
    [](const ::testing::TestParamInfo<BattleField>& info) {
        std::string name = info.param.name;
        for (char& ch : name) if (ch == ' ') ch = '_';
        return name;
    });
// clang-format on
