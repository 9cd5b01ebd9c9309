
#include <set>

#include "tests/AllUnits.h"
#include "tests/Harness.h"
#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"
#include "content/UnitStories.h"
#include "content/UnlockTables.h"

namespace {

// How each board sets the standard font for the texts written here.
const harness::FontProbe::Setup kNewRobotBoard = {0.6f, 5.0f, 0.65f, 570};
const harness::FontProbe::Setup kNewMachineBoard = {0.6f, 5.0f, 0.65f, 550};
const harness::FontProbe::Setup kInfoBoardText = {0.6f, 5.0f, 0.65f, 520};
const harness::FontProbe::Setup kMiniGameHelpText = {0.6f, 5.0f, 0.75f, 520};
const harness::FontProbe::Setup kMiniGameTitle = {0.75f, 8.0f, 0.5f, -1};
const harness::FontProbe::Setup kUnlockBoardBody = {0.6f, 5.0f, 0.65f, 560};
// Lines the new-Machine and unlock boards have room for above their OK button.
constexpr int kNewMachineBoardLines = 5;
constexpr int kUnlockBoardLines = 5;
constexpr int kMiniGameTitleRoom = 620;

size_t LineCount(const std::string& s) { return size_t(std::count(s.begin(), s.end(), '\n')) + 1; }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Only printable ASCII, line feeds and tabs reach the bitmap font's sheet.
void ExpectPlainText(const std::string& text, const std::string& what) {
    for (char c : text)
        EXPECT_TRUE((c >= 32 && c < 127) || c == '\n' || c == '\t') << what << " holds character " << int(c);
}

// Headings are found by " :"; no body line may look like one.
void ExpectNoHeadingMark(const std::string& body, const std::string& what) {
    EXPECT_EQ(body.find(" :"), std::string::npos) << what << " would be drawn as a heading";
}

}  // namespace

TEST(UnitTexts, AbilityLinesFitTheDiscoveryBoardsAndTheEncyclopedia) {
    harness::FontProbe font;
    for (int id : AllUnits()) {
        std::string text = GetUnitAbilityText(id);
        std::string what = "ability of " + std::to_string(id);
        ASSERT_TRUE(StartsWith(text, "\t") && EndsWith(text, "\n")) << what;
        std::string body = text.substr(1, text.size() - 2);
        EXPECT_FALSE(body.empty()) << what;
        EXPECT_LE(LineCount(body), 2u) << what;
        ExpectPlainText(text, what);
        ExpectNoHeadingMark(body, what);
        // The encyclopedia draws line by line at its narrower width.
        EXPECT_LT(font.Widest(text, kInfoBoardText), kInfoBoardText.wrapWidth) << what;
        if (id < ROBOT_TYPES) {
            EXPECT_TRUE(font.Unwrapped(text, kNewRobotBoard)) << what << " would wrap on the new-robot board";
        } else {
            EXPECT_TRUE(font.Unwrapped(text, kNewMachineBoard)) << what << " would wrap on the new-Machine board";
        }
    }
}

TEST(UnitTexts, EveryUnitHasItsOwnStoryThatFitsTheEncyclopediaColumn) {
    harness::FontProbe font;
    std::set<std::string> seen;
    for (int id : AllUnits()) {
        const char* story = GetUnitStory(id);
        ASSERT_NE(story, nullptr) << id;
        std::string what = "story of " + std::to_string(id);
        EXPECT_GT(std::string(story).size(), 40u) << what;
        EXPECT_TRUE(seen.insert(story).second) << what << " repeats another unit's story";
        ExpectPlainText(story, what);
        ExpectNoHeadingMark(story, what);
        std::string description = GetUnitDescription(id);
        EXPECT_EQ(description, std::string("Description :\n\t") + story) << what;
        // After the heading every line is drawn alone; a wrapped line would overlap the next.
        std::string body = description.substr(std::string("Description :\n").size());
        EXPECT_LT(font.Widest(body, kInfoBoardText), kInfoBoardText.wrapWidth) << what;
    }
    EXPECT_EQ(GetUnitStory(40), nullptr);
    EXPECT_EQ(GetUnitStory(999), nullptr);
    EXPECT_EQ(GetUnitStory(1033), nullptr);
}

TEST(MiniGameTexts, TitlesMatchTheirStagesAndUnknownStagesAreMarked) {
    harness::FontProbe font;
    EXPECT_STREQ(GetMiniGameName(151), "Emergency Escape");
    EXPECT_STREQ(GetMiniGameName(154), "Operation : Desert Sky");
    EXPECT_STREQ(GetMiniGameName(166), "Whale Hunt Season #2");
    EXPECT_STREQ(GetMiniGameName(180), "Destroyer Zero");
    EXPECT_STREQ(GetMiniGameName(150), "?????????");
    EXPECT_STREQ(GetMiniGameName(181), "?????????");
    EXPECT_STREQ(GetMiniGameDescription(150), "Description :\n\t????????\n");
    EXPECT_STREQ(GetMiniGameHowToPlay(0), "How to Play :\n\t????????\n");
    for (int stage = 151; stage <= 180; ++stage) {
        std::string title = GetMiniGameName(stage);
        EXPECT_LT(font.Widest(title, kMiniGameTitle), kMiniGameTitleRoom) << title;
    }
}

TEST(MiniGameTexts, StoriesAndRulesFitTheHelpBoardLineByLine) {
    harness::FontProbe font;
    std::set<std::string> stories;
    for (int stage = 151; stage <= 180; ++stage) {
        std::string what = "mini-game " + std::to_string(stage);
        std::string story = GetMiniGameStory(stage);
        std::string rules = GetMiniGameRules(stage);
        EXPECT_NE(story, "????????") << what;
        EXPECT_NE(rules, "????????") << what;
        EXPECT_TRUE(stories.insert(story).second) << what << " shares its story";
        EXPECT_EQ(std::string(GetMiniGameDescription(stage)), "Description :\n\t" + story + "\n") << what;
        EXPECT_EQ(std::string(GetMiniGameHowToPlay(stage)), "How to Play :\n\t" + rules + "\n") << what;
        ExpectPlainText(story + rules, what);
        ExpectNoHeadingMark(story + rules, what);
        // The help board draws each line on its own, 30 pixels apart.
        std::string page = std::string(GetMiniGameDescription(stage)) + "\n" + GetMiniGameHowToPlay(stage);
        EXPECT_LT(font.Widest(page, kMiniGameHelpText), kMiniGameHelpText.wrapWidth) << what;
    }
}

TEST(UpgradeTexts, EffectTextIsLaidOutForTheScreenThatShowsIt) {
    harness::ScopedLink link;

    // Menu upgrade list: no indent, breaks become blanks.
    link.Menu(53);
    link.link.m_iSubScreen = 12;
    EXPECT_STREQ(GetRobotUpgradeEffectText(0), "Fusor Bot's card recharge time is reduced. ");

    // Menu encyclopedia: indented, breaks kept.
    link.link.m_iSubScreen = 9;
    EXPECT_STREQ(GetRobotUpgradeEffectText(0), "\tFusor Bot's card recharge time is\nreduced.\n");

    // Battle encyclopedia keeps the breaks as well.
    link.Battle(53);
    link.link.m_iSubScreen = 1;
    EXPECT_STREQ(GetRobotUpgradeEffectText(0), "\tFusor Bot's card recharge time is\nreduced.\n");

    // Battle unlock board: one line and the closing sentence, broken by robot.
    link.link.m_iSubScreen = 0;
    EXPECT_STREQ(GetRobotUpgradeEffectText(0),
                 "\tFusor Bot's card recharge time is reduced. Now available to purchase in\nUpgrade Lab.");
    EXPECT_TRUE(EndsWith(GetRobotUpgradeEffectText(18), " Now available to\npurchase in Upgrade Lab."));
    EXPECT_TRUE(EndsWith(GetRobotUpgradeEffectText(31), " Now available\nto purchase in Upgrade Lab."));
    EXPECT_TRUE(EndsWith(GetRobotUpgradeEffectText(1), " Now available to purchase in Upgrade Lab."));

    // Any other screen: indented, breaks become blanks, no closing sentence.
    link.Menu(53);
    link.link.m_iSubScreen = 5;
    EXPECT_STREQ(GetRobotUpgradeEffectText(3), "\tBlocker Bot gets more toughness to hold the line longer. ");
}

TEST(UpgradeTexts, EffectTextsFitTheEncyclopediaAndTheUnlockBoard) {
    harness::FontProbe font;
    harness::ScopedLink link;
    for (int id = 0; id < ROBOT_TYPES; ++id) {
        link.Menu(100);
        link.link.m_iSubScreen = 9;
        EXPECT_LT(font.Widest(GetRobotUpgradeEffectText(id), kInfoBoardText), kInfoBoardText.wrapWidth) << id;
        link.Battle(100);
        link.link.m_iSubScreen = 0;
        EXPECT_LE(font.Lines(GetRobotUpgradeEffectText(id), kUnlockBoardBody), kUnlockBoardLines) << id;
    }
}

TEST(VariantTexts, EveryStageVariantHasANameAndFitsTheNewMachineBoard) {
    harness::FontProbe font;
    for (int stage = 1; stage <= 180; ++stage) {
        EnemyVariantRef v = GetEnemyVariantByStage(stage);
        if (v.m_iType == -1) continue;
        std::string name = GetEnemyVariantName(v.m_iKind, v.m_iType);
        EXPECT_FALSE(name.empty()) << stage;
        EXPECT_NE(name, GetUnitName(v.m_iType)) << stage << " shows the plain name";
        EXPECT_LE(font.Lines(GetEnemyVariantDescription(v.m_iKind, v.m_iType), kNewMachineBoard), kNewMachineBoardLines)
            << stage;
    }
}
