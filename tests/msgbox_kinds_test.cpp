// The message box's kind tables and built texts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "game/MsgBoxKinds.h"
#include "content/SaveProfile.h"

namespace {

std::set<int> KindsWithLayout(MsgBoxLayout layout) {
    std::set<int> out;
    for (int k = 0; k < MSGBOX_KINDS; ++k)
        if (MsgBoxLayoutOf(k) == layout) out.insert(k);
    return out;
}

std::set<int> Range(int lo, int hi) {
    std::set<int> out;
    for (int k = lo; k <= hi; ++k) out.insert(k);
    return out;
}

std::set<int> Join(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

}  // namespace

TEST(MsgBoxKinds, EveryKindHasOneLayoutAndTheTablesCoverAllKinds) {
    EXPECT_EQ(KindsWithLayout(LAYOUT_OK), (std::set<int>{0, 1, 6, 7, 8, 14, 15, 16, 30}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_OK_CANCEL), (std::set<int>{2, 3, 4, 5, 11, 25, 26, 28, 29}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_PAUSE_GRID), (std::set<int>{9}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_OPTIONS), (std::set<int>{12}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_LOW_OK), (std::set<int>{13}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_TIP_OK),
              Join(Join(Range(17, 21), {23, 24, 27}), Range(32, 40)));
    EXPECT_EQ(KindsWithLayout(LAYOUT_TALL_TIP_OK), (std::set<int>{22, 31}));
    EXPECT_EQ(KindsWithLayout(LAYOUT_WARNING), Range(41, 47));
    EXPECT_EQ(KindsWithLayout(LAYOUT_NONE), (std::set<int>{10}));
    EXPECT_EQ(MsgBoxLayoutOf(48), LAYOUT_NONE);
    EXPECT_EQ(MsgBoxLayoutOf(-1), LAYOUT_NONE);
}

TEST(MsgBoxKinds, TitlesAreWrittenAsTheGameShowsThem) {
    EXPECT_STREQ(MsgBoxTitle(0), "Duplicate Profile Name");
    EXPECT_STREQ(MsgBoxTitle(9), "Pause");
    EXPECT_EQ(MsgBoxTitle(10), nullptr);
    EXPECT_STREQ(MsgBoxTitle(13), " Map Unlock Conditions");  // leading space kept
    EXPECT_STREQ(MsgBoxTitle(19), "Tips: Clear / Recall");
    EXPECT_STREQ(MsgBoxTitle(33), "Tips : Underwater Stage");
    EXPECT_STREQ(MsgBoxTitle(40), "Hazard : Meteor Fall");
    EXPECT_STREQ(MsgBoxTitle(47), "Warning: Air Platform");
    EXPECT_EQ(MsgBoxTitle(48), nullptr);
    for (int k = 0; k < MSGBOX_KINDS; ++k) {
        if (k == 10) continue;
        EXPECT_NE(MsgBoxTitle(k), nullptr) << k;
    }
}

TEST(MsgBoxKinds, BodiesKeepTheirSpacingAndWording) {
    EXPECT_STREQ(MsgBoxBody(0), "\t\t  Please use other name.");
    EXPECT_STREQ(MsgBoxBody(3), MsgBoxBody(4));
    EXPECT_STREQ(MsgBoxBody(16), " You've just finish the last stage of\n\t\t\t\t  the episode.");
    EXPECT_STREQ(MsgBoxBody(20),
                 "\tYour last robot set contains some\nrobots that are not allow to use in this\nstage.  "
                 "Clicking RECALL button will\nretrieve only the valid robots from your\nlast selection.");
    EXPECT_STREQ(MsgBoxBody(33),
                 "Due to aquatic environment, some\ntypes of robots are not available to use\nin underwater "
                 "stage.\nThis includes but not limited to air units\nand element associated units .");
    EXPECT_STREQ(MsgBoxBody(41), "Your selection has no robot that can\nproduce energy. (ex. Fusor Bot)");
    // Built, drawn in pieces, or without a body.
    for (int k : {10, 12, 13, 14, 15, 22, 30}) EXPECT_EQ(MsgBoxBody(k), nullptr) << k;
    for (int k = 0; k < MSGBOX_KINDS; ++k) {
        if (std::set<int>{10, 12, 13, 14, 15, 22, 30}.count(k)) continue;
        EXPECT_NE(MsgBoxBody(k), nullptr) << k;
    }
}

TEST(MsgBoxKinds, WarningAndReopenSets) {
    EXPECT_FALSE(IsRobotSetWarningKind(41));
    EXPECT_TRUE(IsWarningKind(41));
    for (int k = 42; k <= 47; ++k) EXPECT_TRUE(IsRobotSetWarningKind(k));
    EXPECT_FALSE(IsWarningKind(40));
    EXPECT_FALSE(IsWarningKind(48));
    std::set<int> reopen;
    for (int k = -1; k <= MSGBOX_KINDS; ++k)
        if (IsReopenKind(k)) reopen.insert(k);
    EXPECT_EQ(reopen, Join({3, 4, 9, 12, 14, 15, 16, 30}, Range(41, 47)));
}

TEST(MsgBoxKinds, BuiltUnlockAndDifficultyTexts) {
    EXPECT_EQ(NewMapUnlockText(11), "Waste Sands is now unlocked.");
    EXPECT_EQ(NewMapUnlockText(1), "Green Fields is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(51), "''The Revenge'' is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(101), "''The Last Stand'' is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(20), "");
    EXPECT_STREQ(DifficultyChangedText(0), "\t  Difficulty is now set to EASY.");
    EXPECT_STREQ(DifficultyChangedText(1), "\tDifficulty is now set to MEDIUM.");
    EXPECT_STREQ(DifficultyChangedText(2), "\t  Difficulty is now set to HARD.");
    EXPECT_EQ(DifficultyChangedText(3), nullptr);
    EXPECT_EQ(DifficultyChangedText(-1), nullptr);
}

TEST(MsgBoxKinds, MapUnlockRowsShareOneRequirementValue) {
    SaveProfile p{};
    p.m_nCardSlots = 6;
    p.m_iLifeBooster = 2;
    p.m_iEnergyBooster = 1;
    MapUnlockRow rows[MAP_UNLOCK_MAX_ROWS];
    ASSERT_EQ(MapUnlockRows(2, 0, 2, p, rows), 4);
    EXPECT_EQ(rows[0].text, "Finish Waste Sands Map");
    EXPECT_FALSE(rows[0].met);  // area 2 is not below two open areas
    EXPECT_EQ(rows[1].text, "6 Card Slots");
    EXPECT_TRUE(rows[1].met);
    EXPECT_EQ(rows[2].text, "4 Life Points");
    EXPECT_TRUE(rows[2].met);
    EXPECT_EQ(rows[3].text, "20 Energy Points");
    EXPECT_FALSE(rows[3].met);
    EXPECT_FLOAT_EQ(rows[3].markAt.y, -67.0f);

    // Outside areas 1 to 4 every row reads the same -1.
    ASSERT_EQ(MapUnlockRows(0, 0, 5, p, rows), 4);
    EXPECT_EQ(rows[0].text, "Finish - Map");
    EXPECT_TRUE(rows[0].met);
    EXPECT_EQ(rows[1].text, "-1 Card Slots");
    EXPECT_EQ(rows[2].text, "1 Life Points");
    EXPECT_EQ(rows[3].text, "5 Energy Points");

    ASSERT_EQ(MapUnlockRows(3, 1, 0, p, rows), 2);
    EXPECT_EQ(rows[1].text, "in ''The Revenge'' episode");
    EXPECT_FALSE(rows[1].hasMark);
    ASSERT_EQ(MapUnlockRows(3, 2, 0, p, rows), 2);
    EXPECT_EQ(rows[1].text, "in ''The Last Stand'' episode");
}

TEST(MsgBoxKinds, AreaRecommendation) {
    SaveProfile p{};
    EXPECT_TRUE(MeetsAreaRecommendation(p, 0, 0));
    EXPECT_TRUE(MeetsAreaRecommendation(p, 1, 3));
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 1));
    p.m_nCardSlots = 5;
    p.m_iLifeBooster = 1;
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 1));
    p.m_iEnergyBooster = 1;
    EXPECT_TRUE(MeetsAreaRecommendation(p, 0, 1));
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 2));
}
