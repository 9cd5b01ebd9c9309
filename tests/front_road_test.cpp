// A new player's road through the real program on the headless host: logo,
// title, name entry, main menu, the story, a first battle lost, the mission
// panel, the map and stage 1 again; then the save file's bytes.
#include <cstring>
#include <vector>

#include "tests/Harness.h"
#include "engine/VxSaveData.h"
#include "game/GameSaveData.h"

namespace {

class FrontRoadTest : public FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        road.Prepare();
        road.beforeFrame = [this] { services.clock.Advance(16666667); };
    }
    void TearDown() override {
        road.Finish();
        FrameworkFixture::TearDown();
    }
    frontroad::Road road;
};

TEST_F(FrontRoadTest, ANewPlayerReachesAStageThroughTheStoryAndComesBackToTheMissionPanel) {
    road.Start();
    std::vector<std::string> screens;
    frontroad::RunRoad(road, [&](const char* screen) { screens.push_back(screen); });
    if (HasFatalFailure()) return;
    EXPECT_EQ(screens,
              (std::vector<std::string>{"logo", "title", "name_entry", "main_menu", "story", "mission", "stage_map"}));
    EXPECT_EQ(services.boxes.Count(), 0u) << (services.boxes.Count() ? services.boxes.Boxes().front().text : "");

    // The game quits as after a confirmed exit and leaves one profile: the
    // name typed, the first story seen, still at stage 1; every other byte
    // as a new profile of that name has it.
    road.Close();
    const std::vector<uint8_t> bytes = road.SaveBytes();
    ASSERT_EQ(bytes.size(), size_t(CVxSaveData::FILE_SIZE));
    int32_t checksum;
    std::memcpy(&checksum, bytes.data() + CVxSaveData::HEADER_OFFSET + 8, 4);
    EXPECT_EQ(checksum, CVxSaveData::Checksum(bytes.data()));

    SaveProfile saved;
    std::memcpy(&saved, bytes.data(), sizeof saved);
    SaveProfile expected{};
    std::memcpy(&expected, bytes.data(), sizeof expected);
    CGameSaveData().InitProfile(expected);
    EXPECT_STREQ(saved.m_szName, "ada");
    EXPECT_EQ(saved.m_iFurthestStage, 1);
    EXPECT_EQ(saved.m_abStorySeen[0], 1);
    EXPECT_EQ(saved.m_abStorySeen[1], 0);
    EXPECT_EQ(saved.m_abStorySeen[2], 0);
    expected.m_abStorySeen[0] = 1;
    // Play time counts whole seconds of the run.
    expected.m_aiAchievementProgress[37] = saved.m_aiAchievementProgress[37];
    EXPECT_EQ(std::memcmp(&saved, &expected, sizeof saved), 0) << "a byte of the profile other than those changed";
    SaveFileHeader header;
    std::memcpy(&header, bytes.data() + CVxSaveData::HEADER_OFFSET, sizeof header);
    EXPECT_EQ(header.m_nProfilesInUse, 1);
    EXPECT_EQ(header.m_iCurrentProfile, 0);
}

}  // namespace
