// The encyclopedia's information board: flipping, scrolling and closing.

#include <string>

#include "content/DescriptiveTexts.h"
#include "game/Effect_RobotInfo.h"
#include "game/RobopediaParts.h"
#include "tests/Harness.h"

namespace {

bool HasLine(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

void OnlyKnown(std::initializer_list<int> units) {
    for (auto& u : g_CurrentProfile.m_abRobotUnlocked) u = 0;
    for (auto& m : g_CurrentProfile.m_aEnemySeen) m.met = 0;
    for (int id : units) {
        if (id >= 1000) g_CurrentProfile.m_aEnemySeen[id - 1000].met = 1;
        else g_CurrentProfile.m_abRobotUnlocked[id] = 1;
    }
}

// Lines that fit the text window: the first at 100, 30 apart, down to -200.
constexpr size_t kFittingLines = 11;

}  // namespace

TEST(RobotInfoFlip, WrapsRoundAndStaysOnASingleKnownUnit) {
    SaveProfile saved = g_CurrentProfile;
    OnlyKnown({3, 10, 39, 1000, 1031});
    EXPECT_EQ(NextKnownUnit(10, 1), 39);
    EXPECT_EQ(NextKnownUnit(39, 1), 3);
    EXPECT_EQ(NextKnownUnit(3, -1), 39);
    EXPECT_EQ(NextKnownUnit(1031, 1), 1000);
    EXPECT_EQ(NextKnownUnit(1000, -1), 1031);
    OnlyKnown({5});
    EXPECT_EQ(NextKnownUnit(5, 1), 5);
    EXPECT_EQ(NextKnownUnit(5, -1), 5);
    // Nothing known on that side: one turn, then the unit itself.
    EXPECT_EQ(NextKnownUnit(1004, 1), 1004);
    g_CurrentProfile = saved;
}

// The values column keeps every line whole, its first letter included.
TEST(RobotInfoText, EveryValueLineIsKeptWhole) {
    const int units[] = {0, 7, 21, 39, 1000, 1013, 1031};
    for (int unit : units) {
        const std::string text = BuildUnitInfoValues(unit);
        std::string joined;
        for (const std::string& line : InfoValueLines(unit)) joined += (joined.empty() ? "" : "\n") + line;
        EXPECT_EQ(joined, text) << "unit " << unit;
        EXPECT_GT(InfoValueLines(unit).size(), 1u) << "unit " << unit;
    }
}

TEST(RobotInfoText, TheUpgradeShowsOnlyOnceBought) {
    SaveProfile saved = g_CurrentProfile;
    g_CurrentProfile.m_aRobotUpgrade[1].m_iLevel = 0;
    std::vector<std::string> lines = InfoLabelLines(1);
    EXPECT_FALSE(HasLine(lines, "Upgrade :"));
    EXPECT_TRUE(HasLine(lines, "Ability :"));
    g_CurrentProfile.m_aRobotUpgrade[1].m_iLevel = 1;
    lines = InfoLabelLines(1);
    const auto upgrade = std::find(lines.begin(), lines.end(), "Upgrade :");
    const auto ability = std::find(lines.begin(), lines.end(), "Ability :");
    ASSERT_NE(upgrade, lines.end());
    EXPECT_LT(ability, upgrade);
    // The description comes last, after the upgrade.
    const auto description =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Description :", 0) == 0; });
    EXPECT_LT(upgrade, description);
    EXPECT_FALSE(HasLine(InfoLabelLines(1003), "Upgrade :"));
    g_CurrentProfile = saved;
}

class RobotInfoTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        board = new CEffect_RobotInfo();
        for (CVxButton*& b : buttons) b = new CVxButton(-1);
        RobopediaParts& parts = menu.m_Robopedia;
        parts.prevButton = buttons[0];
        parts.nextButton = buttons[1];
        parts.scrollArrow[0] = buttons[2];
        parts.scrollArrow[1] = buttons[3];
        menu.m_pRobotInfo = board;
    }
    void TearDown() override {
        menu.m_Robopedia = RobopediaParts{};
        menu.m_pRobotInfo = nullptr;
        delete board;
        for (CVxButton* b : buttons) delete b;
        PopupTest::TearDown();
    }
    void Open(int unit) {
        ASSERT_EQ(board->Add(unit), 0);
        menu.m_Robopedia.boardOpen = 1;
        Tick(board, 29);
        ASSERT_EQ(board->m_fBoardY, 0.0f);
    }
    void ClickFlip(CVxButton* button) {
        ClickOn(button, [&] {
            button->ProcessInput();
            board->HandleClick();
        });
    }
    // A unit whose text is longer (or not) than the window.
    static int UnitWithText(bool longer) {
        for (int id = 0; id < 40; ++id)
            if ((InfoLabelLines(id).size() > kFittingLines) == longer) return id;
        for (int id = 1000; id < 1032; ++id)
            if ((InfoLabelLines(id).size() > kFittingLines) == longer) return id;
        return -1;
    }

    CEffect_RobotInfo* board = nullptr;
    CVxButton* buttons[4] = {};
};

TEST_F(RobotInfoTest, TheWheelScrollsLongTextsOnlyAndIsUsedUpEitherWay) {
    const int shortUnit = UnitWithText(false);
    const int longUnit = UnitWithText(true);
    ASSERT_GE(shortUnit, 0);
    ASSERT_GE(longUnit, 0);
    uint32_t* keys = m_App->m_aInput[0].m_aiKey;

    Open(shortUnit);
    keys[MOUSE_WHEEL_BACKWARD] = KEY_PRESSED;
    board->HandleClick();
    EXPECT_EQ(board->m_fScroll, 0.0f);
    EXPECT_EQ(keys[MOUSE_WHEEL_BACKWARD] & KEY_PRESSED, 0u);
    board->Clear(0);

    Open(longUnit);
    EXPECT_TRUE(board->m_bCanScrollDown);
    EXPECT_FALSE(board->m_bCanScrollUp);
    keys[MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
    board->HandleClick();
    EXPECT_EQ(board->m_fScroll, 0.0f);
    keys[MOUSE_WHEEL_BACKWARD] = KEY_PRESSED;
    board->HandleClick();
    EXPECT_EQ(board->m_fScroll, 15.0f);
    Tick(board);
    EXPECT_TRUE(board->m_bCanScrollUp);
    keys[MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
    board->HandleClick();
    EXPECT_EQ(board->m_fScroll, 0.0f);

    // Holding the button on an arrow scrolls a step each frame; the arrows
    // stand 90 apart.
    Tick(board);
    EXPECT_FLOAT_EQ(menu.m_Robopedia.scrollArrow[1]->m_vPosition.x - menu.m_Robopedia.scrollArrow[0]->m_vPosition.x,
                    90.0f);
    EXPECT_FLOAT_EQ(menu.m_Robopedia.scrollArrow[1]->m_vPosition.y, menu.m_Robopedia.scrollArrow[0]->m_vPosition.y);
    menu.m_Robopedia.gesture = 2;
    CursorOn(menu.m_Robopedia.scrollArrow[1]);
    board->HandleClick();
    Tick(board);
    board->HandleClick();
    EXPECT_EQ(board->m_fScroll, 30.0f);

    // A new opening starts at the top again.
    board->Clear(0);
    Open(longUnit);
    EXPECT_EQ(board->m_fScroll, 0.0f);
}

TEST_F(RobotInfoTest, InputWaitsForTheBoardToRestAndClosingClearsTheOpenFlag) {
    OnlyKnown({3, 10});
    ASSERT_EQ(board->Add(10), 0);
    menu.m_Robopedia.boardOpen = 1;
    Tick(board, 10);
    ReleaseKey(VK_ENTER);
    board->HandleClick();
    EXPECT_EQ(board->m_iSlidePhase, 0);
    EXPECT_NE(m_App->m_aInput[0].m_aiKey[VK_ENTER], 0u) << "not used up while sliding";
    m_App->m_aInput[0].m_aiKey[VK_ENTER] = 0;  // the frame's bits are gone by the next frame
    Tick(board, 19);
    ClickFlip(menu.m_Robopedia.nextButton);
    ASSERT_EQ(board->m_iFlipDir, 1);
    ReleaseKey(VK_ENTER);
    board->HandleClick();
    EXPECT_EQ(board->m_iSlidePhase, 0) << "no closing during a flip";
    Tick(board, 30);
    board->HandleClick();
    EXPECT_EQ(board->m_iSlidePhase, 1);
    EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].kind, 1);
    Tick(board, 29);  // up 20 a frame until above 560, at age 29
    EXPECT_EQ(menu.m_Robopedia.boardOpen, 1);
    Tick(board);
    EXPECT_LE(board->m_aInstances[0].life, 0);
    EXPECT_EQ(menu.m_Robopedia.boardOpen, 0);
    EXPECT_EQ(menu.m_Robopedia.nextButton->m_vPosition.x, 9999.0f);
}
