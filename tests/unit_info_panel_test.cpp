// The unit panel of the Robopedia and the cards: labels and values line by line.
#include "tests/AllUnits.h"
#include "tests/ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') lines.emplace_back();
        else lines.back().push_back(c);
    }
    return lines;
}

class UnitInfoPanel : public ::testing::Test {
protected:
    void SetUp() override {
        g_CurrentProfile = SaveProfile{};
        CGameSaveData().InitProfile(g_CurrentProfile);
    }
    void TearDown() override { g_CurrentProfile = SaveProfile{}; }

    static std::vector<std::string> Labels(int type) { return SplitLines(BuildUnitInfoLabels(type)); }
    static std::vector<std::string> Values(int type) { return SplitLines(BuildUnitInfoValues(type)); }
};

}  // namespace

TEST_F(UnitInfoPanel, EveryLabelHasItsValueOnTheSameLine) {
    for (bool upgraded : {false, true}) {
        for (int i = 0; i < ROBOT_TYPES; ++i) g_CurrentProfile.m_aRobotUpgrade[i].m_iLevel = upgraded ? 1 : 0;
        for (int id : AllUnits()) {
            std::vector<std::string> labels = Labels(id), values = Values(id);
            ASSERT_EQ(labels.size(), values.size()) << "unit " << id << (upgraded ? " upgraded" : "");
            for (size_t i = 0; i < labels.size(); ++i)
                EXPECT_EQ(labels[i].empty(), values[i].empty()) << "unit " << id << " line " << i;
        }
    }
}

// Every unit's labels and values, plain and upgraded on the stage map and in a
// third-episode battle (Machines toughen there), pinned as checked once.
TEST_F(UnitInfoPanel, EveryPanelKeepsItsCheckedText) {
    harness::ScopedLink link;
    harness::Fingerprint f;
    for (int stage : {0, 120}) {
        stage ? link.Battle(stage) : link.Menu(1);
        for (bool upgraded : {false, true}) {
            for (int i = 0; i < ROBOT_TYPES; ++i) g_CurrentProfile.m_aRobotUpgrade[i].m_iLevel = upgraded ? 1 : 0;
            for (int id : AllUnits()) {
                f.Text(BuildUnitInfoLabels(id));
                f.Text(BuildUnitInfoValues(id));
            }
        }
    }
    EXPECT_EQ(f.Value(), 0x8e7740df01267547ull);
    // Spelled out for one Machine, so a slip in the layout shows where it is.
    link.Menu(1);
    EXPECT_STREQ(BuildUnitInfoLabels(1000),
                 "Type :\n\nToughness :\n\nDamage :\nAttack Speed :\n\nMove Speed :\n\nHeart Decrease :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(1000), "Ground Unit\n\nMedium\n\nMedium\nMedium\n\nNormal\n\n1\n\n");
}
