

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
    // The value standing beside a label.
    static std::string ValueOf(int type, const std::string& label) {
        std::vector<std::string> labels = Labels(type), values = Values(type);
        for (size_t i = 0; i < labels.size() && i < values.size(); ++i)
            if (labels[i] == label) return values[i];
        return "<no " + label + ">";
    }
};

std::vector<int> AllUnits() {
    std::vector<int> ids;
    for (int i = 0; i < ROBOT_TYPES; ++i) ids.push_back(i);
    for (int i = FIRST_MACHINE_TYPE; i <= LAST_MACHINE_TYPE; ++i) ids.push_back(i);
    return ids;
}

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

TEST_F(UnitInfoPanel, OneShotRobotsShowDamageOverTwoLinesAndNoToughness) {
    EXPECT_STREQ(BuildUnitInfoLabels(14), "Type :\n\nDamage :\n\nEnergy Cost :\nCard Recharge :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(14), "Special Unit\n\nVery High\n\n25\nVery Slow\n\n");
    EXPECT_EQ(ValueOf(26, "Damage :"), "Extreme");
    EXPECT_EQ(ValueOf(20, "Type :"), "Amphibious Unit");
    EXPECT_EQ(ValueOf(20, "Damage :"), "High");
    EXPECT_EQ(ValueOf(31, "Card Recharge :"), "Fast");
}

TEST_F(UnitInfoPanel, ProducersShowActionSpeedAndNoDamage) {
    EXPECT_STREQ(BuildUnitInfoLabels(0), "Type :\n\nToughness :\n\nAction Speed :\n\nEnergy Cost :\nCard Recharge :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(0), "Ground Unit\n\nLow\n\nMedium\n\n10\nFast\n\n");
    EXPECT_EQ(ValueOf(36, "Action Speed :"), "Slow");
    EXPECT_EQ(ValueOf(34, "Action Speed :"), "Medium");
    // Sonar Bot, Fixer Bot and Mini-Magnet attack but show no damage.
    for (int id : {10, 22, 33}) {
        EXPECT_EQ(ValueOf(id, "Damage :"), "<no Damage :>") << id;
        EXPECT_NE(ValueOf(id, "Action Speed :"), "<no Action Speed :>") << id;
    }
    EXPECT_EQ(ValueOf(22, "Action Speed :"), "Slow");
}

TEST_F(UnitInfoPanel, CardsForWeaponsAndTheRemoverShowNoToughness) {
    EXPECT_STREQ(BuildUnitInfoLabels(37), "Type :\n\nEnergy Cost :\nCard Recharge :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(37), "Weapon Upgrade\n\n125\nVery Slow\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(38), "Weapon Upgrade\n\n195\nVery Slow\n\n");
    EXPECT_STREQ(BuildUnitInfoLabels(39), "Type :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(39), "Special Unit\n\n");
}

TEST_F(UnitInfoPanel, RatingsByRuleAndByName) {
    struct Row { int id; const char* label; const char* value; };
    for (Row r : {Row{2, "Attack Speed :", "Medium"},  // Cannon Bot, though its interval is 70
                  Row{9, "Attack Speed :", "Very Fast"}, Row{13, "Attack Speed :", "Fast"},
                  Row{30, "Attack Speed :", "Slow"}, Row{24, "Damage :", "Medium(per shot)"},
                  Row{12, "Damage :", "Medium"}, Row{8, "Damage :", "High"}, Row{30, "Damage :", "Very High"},
                  Row{16, "Damage :", "Very Low"}, Row{9, "Toughness :", "Very High"}, Row{3, "Toughness :", "High"},
                  Row{4, "Type :", "Air Unit"}, Row{21, "Type :", "Marine Unit"}, Row{15, "Type :", "Underwater Unit"},
                  Row{18, "Card Recharge :", "Slow"}, Row{11, "Card Recharge :", "Fast"},
                  Row{1025, "Move Speed :", "<no Move Speed :>"}, Row{1025, "Heart Decrease :", "N/A"},
                  Row{1031, "Toughness :", "Super Extreme"}, Row{1028, "Toughness :", "Extreme"},
                  Row{1029, "Toughness :", "Monstrous"}, Row{1029, "Type :", "Amphibious Unit"},
                  Row{1028, "Damage :", "Extreme"}, Row{1018, "Damage :", "High"}, Row{1027, "Toughness :", "Superb"}})
        EXPECT_EQ(ValueOf(r.id, r.label), r.value) << r.id << " " << r.label;
    EXPECT_STREQ(BuildUnitInfoLabels(1030), "Type :\n\nToughness :\n\nHeart Decrease :\n\n");
}

TEST_F(UnitInfoPanel, UpgradesShowInTheirRatings) {
    g_CurrentProfile.m_aRobotUpgrade[4].m_iLevel = 1;
    EXPECT_EQ(ValueOf(4, "Energy Cost :"), "20");
    g_CurrentProfile.m_aRobotUpgrade[6].m_iLevel = 1;
    EXPECT_EQ(ValueOf(6, "Type :"), "Special Unit");
    g_CurrentProfile.m_aRobotUpgrade[3].m_iLevel = 1;
    EXPECT_EQ(ValueOf(3, "Toughness :"), "High");  // 540 is still below 600
    g_CurrentProfile.m_aRobotUpgrade[9].m_iLevel = 1;
    EXPECT_EQ(ValueOf(9, "Toughness :"), "Very High");  // 810
}

TEST_F(UnitInfoPanel, MachinesShowMoveSpeedAndHearts) {
    EXPECT_STREQ(BuildUnitInfoLabels(1000),
                 "Type :\n\nToughness :\n\nDamage :\nAttack Speed :\n\nMove Speed :\n\nHeart Decrease :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(1000), "Ground Unit\n\nMedium\n\nMedium\nMedium\n\nNormal\n\n1\n\n");
    EXPECT_STREQ(BuildUnitInfoLabels(1026), "Type :\n\nToughness :\n\nHeart Decrease :\n\n");
    EXPECT_STREQ(BuildUnitInfoValues(1026), "Air Unit\n\nLow\n\nN/A\n\n");
    EXPECT_EQ(ValueOf(1005, "Move Speed :"), "Slow");
    EXPECT_EQ(ValueOf(1003, "Move Speed :"), "Fast");
    EXPECT_EQ(ValueOf(1032, "Move Speed :"), "Very Fast");
    EXPECT_EQ(ValueOf(1013, "Move Speed :"), "Fast");
    EXPECT_EQ(ValueOf(1024, "Heart Decrease :"), "10");
    EXPECT_EQ(ValueOf(1024, "Damage :"), "Extreme");
}

TEST_F(UnitInfoPanel, ToughnessFollowsTheBattlesScaledHitPoints) {
    harness::ScopedLink link;
    link.Menu(120);
    EXPECT_EQ(ValueOf(1000, "Toughness :"), "Medium");  // 100
    link.Battle(120);
    EXPECT_EQ(ValueOf(1000, "Toughness :"), "High");  // 187 in the third episode
    EXPECT_EQ(ValueOf(1015, "Toughness :"), "Very High");  // 862
}
