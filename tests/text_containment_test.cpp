// Every box and board keeps its text on its own panel picture: each kind of
// the message box and each board of the battle, drawn on the recording
// device at rest, glyph by glyph against the inked part of the panel under it.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ItemFlights.h"
#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"
#include "engine/VxNumber.h"
#include "engine/framework/RenderTargets.h"
#include "content/Achievements.h"
#include "game/Effect_Exit.h"
#include "game/Effect_NewAchievement.h"
#include "game/MsgBoxKinds.h"
#include "tests/Harness.h"
#include "tests/HandInputSupport.h"
#include "tests/PackPicture.h"
#include "tests/TextContainment.h"

namespace {

using containment::kMargin;

const std::vector<std::string> kBoxPanels = {"Msgbox_StdSmall", "Msgbox_StdMedium", "Msgbox_StdLarge"};

class TextContainmentTest : public SlotPopupTest {
protected:
    // The draws of one frame, named by the textures of the application, the
    // battle page and the given owners.
    containment::Scene Capture(const std::function<void()>& frame, std::vector<CVxResourceManager*> owners = {}) {
        device.draws.clear();
        frame();
        names = containment::TextureNames();
        names.Add(m_App->m_pResourceManager);
        names.Add(battle->m_pResourceManager);
        names.Add(box);
        for (CVxResourceManager* o : owners) names.Add(o);
        names.AddFont(m_App->m_pFontStandard);
        for (CVxNumber* number : {m_App->m_pNumInterface, m_App->m_pNumStageBig})
            if (number)
                for (CVxBillboard* digit : number->m_apDigitBoards) names.AddBoard(digit);
        return containment::Scene(device, names, float(g_iScreenWidth), float(g_iScreenHeight));
    }

    // The text band lies under a board's description, everything drawn
    // below its title line (the boards rest at 40, their titles at 10 or 0,
    // their descriptions from -35 down).
    static std::vector<std::string> DescriptionOffTheBand(const containment::Scene& scene, float boardY) {
        return scene.GlyphsBelow(boardY - 52.0f).Outside({"Msgbox_StdTextBG"}, kMargin);
    }

    // A box of the kind opened on the page and run to rest, its still part
    // drawn again into its slot and shown.
    containment::Scene BoxAtRest(int kind, int page) {
        m_App->m_iCurrentPage = page;
        battle->m_iSubScreen = 0;
        box->Clear(0);
        OpenAtRest(kind);
        return Capture([&] {
            box->m_bPictureCached = false;
            TickBox(2);
        });
    }

    containment::TextureNames names;
};

// The battle's discovery boards need the page's OK button.
class BoardContainmentTest : public TextContainmentTest {
protected:
    void SetUp() override {
        TextContainmentTest::SetUp();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        battle->m_iSubScreen = 0;
        ok = MakeBattleOkButton();
    }
    void TearDown() override {
        if (m_App) {
            battle->m_pBtnOK = nullptr;
            battle->m_lstNewEnemies.clear();
            battle->m_itNewEnemy = battle->m_lstNewEnemies.end();
            battle->m_mapNewRobots.clear();
            battle->m_itNewRobot = battle->m_mapNewRobots.end();
        }
        delete ok;
        TextContainmentTest::TearDown();
    }
    CVxBillboard* Picture(const char* name) {
        return m_App->m_pResourceManager->CreateBillboard(name, "Resource\\InfoPicture\\", nullptr);
    }
    // A discovery board opened and run to its rest, its content drawn again
    // into its slot.
    template <class Board>
    containment::Scene SceneAtRest(Board& board) {
        board.Clear(0);
        board.Start(0, 0);
        Tick(&board, 27);
        EXPECT_EQ(board.m_vBoardPos.y, 40.0f);
        return Capture(
            [&] {
                board.m_bBoardRendered = false;
                Tick(&board);
            },
            {&board});
    }
    // What of a discovery board's text and OK button lies off its panel.
    template <class Board>
    std::vector<std::string> FaultsAtRest(Board& board) {
        const containment::Scene scene = SceneAtRest(board);
        EXPECT_FALSE(scene.glyphs.empty()) << "the board's text is seen";
        std::vector<std::string> faults = scene.Outside({"Msgbox_StdMedium"}, kMargin);
        for (const std::string& f : scene.PicturesOutside("Btn_OK", {"Msgbox_StdMedium"}, 0.0f)) faults.push_back(f);
        for (const std::string& f : DescriptionOffTheBand(scene, board.m_vBoardPos.y)) faults.push_back(f);
        return faults;
    }
    CVxButton* ok = nullptr;
};

// The page a box opens on and whether its text is known not to fit yet.
struct BoxRow {
    int kind;
    int page;
};

// Every kind opens where the game opens it: the menu's boxes on the menu,
// the battle's boxes (pause, help, tips met in battle, hazards) on the battle.
const BoxRow kBoxRows[] = {
    {MSGBOX_DUPLICATE_NAME, MENU_PAGE_INDEX},
    {MSGBOX_BLANK_NAME, MENU_PAGE_INDEX},
    {MSGBOX_DELETE_PROFILE, MENU_PAGE_INDEX},
    {MSGBOX_RESTART_LEVEL, BATTLE_PAGE_INDEX},
    {MSGBOX_EXIT_TO_MENU, BATTLE_PAGE_INDEX},
    {MSGBOX_BUY_UPGRADE, MENU_PAGE_INDEX},
    {MSGBOX_NOT_ENOUGH_PARTS, MENU_PAGE_INDEX},
    {MSGBOX_NO_PREREQUISITE, MENU_PAGE_INDEX},
    {MSGBOX_CARD_SLOT_LIMIT, BATTLE_PAGE_INDEX},
    {MSGBOX_PAUSE, BATTLE_PAGE_INDEX},
    {MSGBOX_HELP, BATTLE_PAGE_INDEX},
    {MSGBOX_CONTINUE_GAME, MENU_PAGE_INDEX},
    {MSGBOX_OPTIONS, MENU_PAGE_INDEX},
    {MSGBOX_MAP_UNLOCK_CONDITIONS, MENU_PAGE_INDEX},
    {MSGBOX_NEW_MAP_UNLOCK, MENU_PAGE_INDEX},
    {MSGBOX_NEW_EPISODE_UNLOCK, MENU_PAGE_INDEX},
    {MSGBOX_END_OF_EPISODE, MENU_PAGE_INDEX},
    {MSGBOX_TIP_STAGE_RESULTS, MENU_PAGE_INDEX},
    {MSGBOX_ROBOT_SELECTION, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_CLEAR_RECALL, BATTLE_PAGE_INDEX},
    {MSGBOX_PARTIAL_ROBOT_SET, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_FIELD_PREVIEW, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_CARD_SET, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_CARD_PAGES, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_ROBOPEDIA, BATTLE_PAGE_INDEX},
    {MSGBOX_GO_TO_LABORATORY, MENU_PAGE_INDEX},
    {MSGBOX_GO_TO_UPGRADE_LAB, MENU_PAGE_INDEX},
    {MSGBOX_TIP_SCROLL_WHEEL, MENU_PAGE_INDEX},
    {MSGBOX_TOO_EASY, MENU_PAGE_INDEX},
    {MSGBOX_TOO_HARD, MENU_PAGE_INDEX},
    {MSGBOX_DIFFICULTY_CHANGED, MENU_PAGE_INDEX},
    {MSGBOX_TIP_LIFE_DAMAGE, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_MINI_CAPSULE, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_UNDERWATER, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_METAL_SPIKES, BATTLE_PAGE_INDEX},
    {MSGBOX_TIP_ENERGY_LIMIT, BATTLE_PAGE_INDEX},
    {MSGBOX_HAZARD_ACID_RAIN, BATTLE_PAGE_INDEX},
    {MSGBOX_HAZARD_EARTHQUAKE, BATTLE_PAGE_INDEX},
    {MSGBOX_HAZARD_WHIRLPOOL, BATTLE_PAGE_INDEX},
    {MSGBOX_HAZARD_JET_STREAM, BATTLE_PAGE_INDEX},
    {MSGBOX_HAZARD_METEOR_FALL, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_ENERGY, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_ANTI_MOLE, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_ANTI_GHOST, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_MACHINE_GUN_BASE, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_MORTAR_BASE, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_SUBMARINE_PLATFORM, BATTLE_PAGE_INDEX},
    {MSGBOX_WARNING_AIR_PLATFORM, BATTLE_PAGE_INDEX},
};

// Kinds whose art does not hold their text yet; each must still fail, so a
// mend that makes one fit takes it off this list.
const std::set<int> kPendingKinds = {};
// Boards whose art does not hold their text yet, likewise.
const std::set<std::string> kPendingBoards = {};

// A board's faults, or, while it is pending, that it still has some.
void ExpectFits(const std::string& board, const std::string& what, const std::vector<std::string>& faults) {
    if (kPendingBoards.count(board)) {
        EXPECT_FALSE(faults.empty()) << what << " fits now: take " << board << " off the pending list";
        return;
    }
    EXPECT_TRUE(faults.empty()) << what << containment::Lines(faults);
}

TEST_F(TextContainmentTest, EveryMessageBoxKindKeepsItsTextAndButtonsOnItsPanel) {
    static_assert(sizeof kBoxRows / sizeof kBoxRows[0] == MSGBOX_KINDS, "one row per kind");
    g_CurrentProfile.m_iFurthestStage = 12;
    for (const BoxRow& row : kBoxRows) {
        const std::string what = "kind " + std::to_string(row.kind);
        const containment::Scene scene = BoxAtRest(row.kind, row.page);
        // Only the help box (no title) shows a picture and no text.
        EXPECT_EQ(scene.glyphs.empty(), MsgBoxTitle(row.kind) == nullptr) << what;
        std::vector<std::string> faults = scene.Outside(kBoxPanels, kMargin);
        for (const std::string& f : scene.PicturesOutside("Btn_", kBoxPanels, 0.0f)) faults.push_back(f);
        for (const std::string& f : scene.OffScreen(kBoxPanels)) faults.push_back(f);
        if (kPendingKinds.count(row.kind)) {
            EXPECT_FALSE(faults.empty()) << what << " fits now: take it off the pending list";
            continue;
        }
        EXPECT_TRUE(faults.empty()) << what << " " << (MsgBoxTitle(row.kind) ? MsgBoxTitle(row.kind) : "")
                                    << containment::Lines(faults);
    }
}

// The Machine types the board can announce, each with its plain description.
TEST_F(BoardContainmentTest, EveryNewMachineBoardKeepsItsTextOnThePanel) {
    CEffect_NewEnemy board;
    board.SeeBattle(battle);
    battle->m_pEffectNewEnemy = &board;
    int boards = 0;
    for (int type = 1000; type <= 1032; ++type) {
        if (!GetUnitName(type) || !*GetUnitName(type)) continue;
        ++boards;
        battle->m_lstNewEnemies.clear();
        battle->m_lstNewEnemies.push_back({Picture("Bbd_RobotPic1000.png"), nullptr, type, 0});
        battle->m_itNewEnemy = battle->m_lstNewEnemies.begin();
        const std::vector<std::string> faults = FaultsAtRest(board);
        ExpectFits("new Machine", "Machine " + std::to_string(type), faults);
    }
    EXPECT_GT(boards, 20);
    battle->m_pEffectNewEnemy = nullptr;
}

TEST_F(BoardContainmentTest, EveryNewRobotBoardKeepsItsTextOnThePanel) {
    CEffect_NewRobot board;
    board.SeeBattle(battle);
    battle->m_pEffectNewRobot = &board;
    for (int robot = 0; robot < 40; ++robot) {
        battle->m_mapNewRobots.clear();
        battle->m_mapNewRobots[robot] = Picture("Bbd_RobotPic0000.png");
        battle->m_itNewRobot = battle->m_mapNewRobots.begin();
        const std::vector<std::string> faults = FaultsAtRest(board);
        ExpectFits("new robot", "robot " + std::to_string(robot), faults);
    }
    battle->m_mapNewRobots.clear();
    battle->m_itNewRobot = battle->m_mapNewRobots.end();
    battle->m_pEffectNewRobot = nullptr;
}

}  // namespace

namespace {

// Every tutorial step with words, and the "Click to continue..." hint, on
// the see-through box behind them.
TEST_F(TextContainmentTest, EveryTutorialStepKeepsItsTextInItsBox) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iSubScreen = 0;
    int shown = 0;
    for (int step = 0; step < TUTORIAL_STEPS; ++step) {
        const TutorialStepText* text = GetTutorialStepText(step);
        if (!text || text->lines == 0) continue;
        ++shown;
        TutorialSteps steps;
        CEffect_Tutorials tutorial;
        tutorial.ReadBattle(&battle->m_Battle);
        tutorial.ShowSteps(&steps);
        steps.RequestStep(0);
        steps.m_iStep = step;
        for (int i = 0; i < 20; ++i) {
            steps.Advance();
            tutorial.Tick();
        }
        const containment::Scene scene = Capture(
            [&] {
                tutorial.m_bTextDrawn = tutorial.m_bHintDrawn = 0;
                tutorial.Tick();
            },
            {&tutorial});
        EXPECT_FALSE(scene.glyphs.empty()) << "step " << step;
        const std::vector<std::string> faults = scene.Outside({"Bbd_HowToPlay_Box2"}, kMargin);
        EXPECT_TRUE(faults.empty()) << "step " << step << containment::Lines(faults);
    }
    EXPECT_GT(shown, 8);
}

// The map story of every area and the first mini-game's help: the reading
// board's text window lies on its large panel, and its two bands and its
// picture inside the panel's brass frame.
TEST_F(TextContainmentTest, EveryReadingBoardKeepsItsTextOnItsPanel) {
    constexpr float kLargeFrame = 10.0f;  // the large panel's rim and brass line
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iSubScreen = 0;
    RuleState(battle->m_Battle).m_iBattleState = BATTLE_INTRO;
    auto check = [&](CEffect_HelpBoard& board, const std::string& what) {
        ASSERT_EQ(board.Add(0), 0);
        for (int i = 0; i < 30; ++i) board.Tick();
        const containment::Scene scene = Capture(
            [&] {
                board.m_bBoardDrawn = board.m_bTextDrawn = false;
                board.Tick();
                board.Tick();
            },
            {&board});
        EXPECT_FALSE(scene.glyphs.empty()) << what;
        std::vector<std::string> faults = scene.Outside({"Msgbox_StdLarge"}, kMargin);
        for (const std::string& f : scene.OffScreen({"Msgbox_StdLarge"})) faults.push_back(f);
        EXPECT_EQ(scene.InkOf("Msgbox_StdTextBG").size(), 2u) << what;
        EXPECT_EQ(scene.InkOf("Bbd_Story_").size() + scene.InkOf("Bbd_MiniGame_").size(), 1u) << what;
        for (const char* inside : {"Msgbox_StdTextBG", "Bbd_Story_", "Bbd_MiniGame_"})
            for (const std::string& f : scene.PicturesOutside(inside, {"Msgbox_StdLarge"}, kLargeFrame))
                faults.push_back(f);
        EXPECT_TRUE(faults.empty()) << what << containment::Lines(faults);
    };
    for (int stage = 1; stage <= 141; stage += 10) {
        m_App->m_iCurrentStage = stage;
        CEffect_MapStory story;
        check(story, "map story of stage " + std::to_string(stage));
    }
    m_App->m_iCurrentStage = 151;
    CEffect_HowToMiniGame help;
    battle->m_pEffectHowToMiniGame = &help;
    check(help, "mini-game help");
    battle->m_pEffectHowToMiniGame = &howToMiniGame;
}

// The exit box's question on the menu and on the battle page.
TEST_F(TextContainmentTest, TheExitBoxKeepsItsQuestionOnItsPanel) {
    for (int page : {MENU_PAGE_INDEX, BATTLE_PAGE_INDEX}) {
        m_App->m_iCurrentPage = page;
        CEffect_Exit* exitBox = m_App->m_pEffectExit;
        ASSERT_EQ(exitBox->Add(0), 0);
        Tick(exitBox, 30);
        const containment::Scene scene = Capture([&] {
            exitBox->m_bPictureReady = false;
            Tick(exitBox, 2);
        });
        EXPECT_FALSE(scene.glyphs.empty()) << "page " << page;
        std::vector<std::string> faults = scene.Outside(kBoxPanels, kMargin);
        for (const std::string& f : scene.PicturesOutside("Btn_", kBoxPanels, 0.0f)) faults.push_back(f);
        for (const std::string& f : scene.OffScreen(kBoxPanels)) faults.push_back(f);
        EXPECT_TRUE(faults.empty()) << "page " << page << containment::Lines(faults);
        exitBox->Clear(0);
    }
}

}  // namespace

namespace {

class CardListOnPanel : public CardChoicePlay {
protected:
    // The card choice's panel (the medium panel scaled 0.85 x 1.05 at (120, 80)).
    void SetUp() override {
        CardChoicePlay::SetUp();
        ResourceArchive archive;
        archive.OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
        glass = PackPicture(archive, "Resource/MsgBox/Msgbox_StdMedium.png");
    }
    // The point lies on the panel's window: its teal glass, not the frame or the brass line.
    bool OnWindow(float x, float y) const {
        const uint8_t* px = PackPixel(glass, int((x - 120.0f) / 0.85f + float(glass.width) * 0.5f),
                                      int(float(glass.height) * 0.5f - (y - 80.0f) / 1.05f));
        return px[3] == 255 && px[1] > px[0] + 35;
    }
    DecodedPicture glass;
};

// The card choice's panel (the medium panel scaled 0.85 x 1.05 at (120, 80))
// shows the list between its two depth masks (490 x 83 at 199, 490 x 158 at
// -336): at rest and after each scroll, a card is cut only by a mask, never
// shows past one, and what shows of it lies on the panel's window (its teal
// glass, not the frame or the brass line), at the card's middle column.
TEST_F(CardListOnPanel, TheListShowsOnlyInThePanelsWindowAtEveryScroll) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const CVxBillboard* panel = run->App().m_pBbdMsgMedium;
    const CVxBillboard* card = run->App().m_pBbdCardBG;  // every card is drawn at its size
    ASSERT_TRUE(panel && card);
    ASSERT_EQ(glass.width, int(panel->m_vSize.x));
    ASSERT_EQ(glass.height, int(panel->m_vSize.y));
    const float maskTop = 199.0f + 83.0f * 0.5f, openTop = 199.0f - 83.0f * 0.5f;
    const float openBottom = -336.0f + 158.0f * 0.5f, maskBottom = -336.0f - 158.0f * 0.5f;
    const float h = card->m_vSize.y * 0.5f;
    for (float scroll : {0.0f, 100.0f, 400.0f}) {
        Page().m_fCardScroll = scroll;
        Frames(2);
        // The list draws its cards within 310 below and 210 above its row, the
        // first row standing 95 above it.
        const float row = Page().m_apCardButtons[0]->m_vPosition.y - scroll - 95.0f;
        for (int id = 0; id < ROBOT_TYPES; ++id) {
            const VxVec3 at = Page().m_apCardButtons[id]->m_vPosition;
            if (at.y <= row - 310.0f || at.y >= row + 210.0f) continue;
            const std::string where = "card " + std::to_string(id) + " at scroll " + std::to_string(int(scroll));
            EXPECT_LE(at.y + h, maskTop) << where << " shows above the upper mask";
            EXPECT_GE(at.y - h, maskBottom) << where << " shows below the lower mask";
            const float top = std::min(at.y + h, openTop), bottom = std::max(at.y - h, openBottom);
            if (top <= bottom) continue;
            EXPECT_TRUE(OnWindow(at.x, top - 1.0f)) << where << ": its top " << top << " is off the window";
            EXPECT_TRUE(OnWindow(at.x, bottom + 1.0f)) << where << ": its foot " << bottom << " is off the window";
        }
    }
    EXPECT_LE(80.0f - panel->m_vSize.y * 1.05f * 0.5f, openBottom) << "the panel runs on under the lower mask";
}

// Start stands on the panel's window right of the list, level with Back: its
// whole face, as far as it takes clicks, lies on the glass, and a click at its
// corner there asks for the hand's warnings.
TEST_F(CardListOnPanel, TheStartButtonStandsOnThePanelsWindow) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const CVxButton* start = Page().m_pStartButton;
    ASSERT_NE(start, nullptr);
    const float w = float(start->m_iHitHalfWidth), h = float(start->m_iHitHalfHeight);
    const VxVec3 at = start->m_vPosition;
    for (float dx : {-w, w})
        for (float dy : {-h, h}) EXPECT_TRUE(OnWindow(at.x + dx, at.y + dy)) << "corner " << dx << ", " << dy;
    EXPECT_GT(at.x - w, Page().m_apCardButtons[4]->m_vPosition.x + 44.0f) << "clear of the list";
    EXPECT_EQ(at.y, Page().m_pBackButton->m_vPosition.y) << "level with Back";
    Click(at.x + w - 2.0f, at.y - h + 2.0f);
    Frames(2);
    EXPECT_TRUE(Box()->IsOpen()) << "an empty hand is warned of";
}

}  // namespace

namespace {

// The board after a won stage, for every stage: what the stage unlocks, the
// robot upgrade it brings, or the metal parts it pays.
TEST_F(BoardContainmentTest, EveryUnlockBoardKeepsItsTextOnThePanel) {
    CEffect_Unlocked board;
    board.SeeBattle(battle);
    for (int stage = 1; stage <= 180; ++stage) {
        m_App->m_iCurrentStage = stage;
        g_CurrentProfile.m_iFurthestStage = stage;
        board.Clear(0);
        board.Start(0, 0);
        for (int i = 0; i < 30 && board.m_vBoardPos.y != UNLOCKED_REST_Y; ++i) Tick(&board);
        ASSERT_EQ(board.m_vBoardPos.y, UNLOCKED_REST_Y) << "stage " << stage;
        const containment::Scene scene = Capture(
            [&] {
                board.m_bBoardDrawn = 0;
                Tick(&board);
            },
            {&board});
        EXPECT_FALSE(scene.glyphs.empty()) << "stage " << stage;
        std::vector<std::string> faults = scene.Outside({"Msgbox_StdMedium"}, kMargin);
        for (const std::string& f : scene.PicturesOutside("Btn_OK", {"Msgbox_StdMedium"}, 0.0f)) faults.push_back(f);
        for (const std::string& f : DescriptionOffTheBand(scene, board.m_vBoardPos.y)) faults.push_back(f);
        EXPECT_TRUE(faults.empty()) << "stage " << stage << containment::Lines(faults);
    }
}

}  // namespace

namespace {

// The unlock board of a stage that opens a feature (the laboratory, the
// achievements, the Robopedia, a new episode) shows the feature's badge, and
// the badge ends above the board's title line.
TEST_F(BoardContainmentTest, AFeaturesPictureStandsAboveTheUnlockBoardsTitle) {
    struct Row {
        int stage;
        const char* picture;
    };
    const Row rows[] = {{8, "Bbd_Menu_01.png"},
                        {10, "Bbd_Menu_04.png"},
                        {12, "Bbd_Menu_02.png"},
                        {160, "Bbd_Menu_07.png"},
                        {170, "Bbd_Menu_08.png"}};
    CEffect_Unlocked board;
    board.SeeBattle(battle);
    for (const Row& row : rows) {
        m_App->m_iCurrentStage = row.stage;
        g_CurrentProfile.m_iFurthestStage = row.stage;
        battle->m_pUnlockPicture =
            m_App->m_pResourceManager->CreateBillboard(row.picture, "Resource\\Msgbox\\", nullptr);
        ASSERT_NE(battle->m_pUnlockPicture, nullptr) << row.picture;
        board.Clear(0);
        board.Start(0, 0);
        for (int i = 0; i < 30 && board.m_vBoardPos.y != UNLOCKED_REST_Y; ++i) Tick(&board);
        ASSERT_EQ(board.m_vBoardPos.y, UNLOCKED_REST_Y) << "stage " << row.stage;
        const containment::Scene scene = Capture(
            [&] {
                board.m_bBoardDrawn = 0;
                Tick(&board);
            },
            {&board});
        const std::vector<containment::Rect> picture = scene.InkOf("Bbd_Menu_");
        ASSERT_EQ(picture.size(), 1u) << "stage " << row.stage << ": the feature's badge is drawn";
        float titleTop = -1e9f;
        // The highest line under the badge's middle is the title.
        for (const containment::Piece& g : scene.glyphs)
            if (g.ink.CentreY() < picture[0].CentreY()) titleTop = std::max(titleTop, g.ink.top);
        EXPECT_GT(titleTop, -1e8f) << "stage " << row.stage << ": the title is written";
        EXPECT_GT(picture[0].bottom, titleTop + 2.0f) << "stage " << row.stage << ": badge " << picture[0].Text();
    }
    battle->m_pUnlockPicture = nullptr;
}

}  // namespace

namespace {

// One board brought to rest and drawn afresh.
struct OnScreenRow {
    const char* board;
    std::function<containment::Scene()> atRest;
};

// Every board that slides in over the battle or the menu comes to rest with
// its panel, header and text band whole on the 880 x 640 screen.
TEST_F(BoardContainmentTest, EveryBoardRestsWithItsPanelOnTheScreen) {
    CEffect_NewEnemy newMachine;
    CEffect_NewRobot newRobot;
    CEffect_Unlocked unlocked;
    for (BattleViewer* board : std::initializer_list<BattleViewer*>{&newMachine, &newRobot, &unlocked})
        board->SeeBattle(battle);
    battle->m_pEffectNewEnemy = &newMachine;
    battle->m_pEffectNewRobot = &newRobot;
    battle->m_lstNewEnemies.push_back({Picture("Bbd_RobotPic1001.png"), nullptr, 1001, 0});
    battle->m_itNewEnemy = battle->m_lstNewEnemies.begin();
    battle->m_mapNewRobots[2] = Picture("Bbd_RobotPic0002.png");
    battle->m_itNewRobot = battle->m_mapNewRobots.begin();
    m_App->m_iCurrentStage = 10;
    g_CurrentProfile.m_iFurthestStage = 10;
    auto summaryAtRest = [&](bool won) {
        RuleState(battle->m_Battle).m_iBattleState = BATTLE_SUMMARY;
        summary.Clear(0);
        summary.Start(0, won ? 1 : 0);
        Tick(&summary, 28);
        EXPECT_EQ(summary.m_vPos.y, 0.0f);
        return Capture([&] {
            summary.m_bBoardDrawn = false;
            Tick(&summary);
        });
    };
    CEffect_NewAchievement* achievement = m_App->m_pEffectNewAchievement;
    const OnScreenRow rows[] = {
        {"new Machine", [&] { return SceneAtRest(newMachine); }},
        {"new robot", [&] { return SceneAtRest(newRobot); }},
        {"unlock board",
         [&] {
             unlocked.Clear(0);
             unlocked.Start(0, 0);
             Tick(&unlocked, 27);
             EXPECT_EQ(unlocked.m_vBoardPos.y, UNLOCKED_REST_Y);
             return Capture(
                 [&] {
                     unlocked.m_bBoardDrawn = 0;
                     Tick(&unlocked);
                 },
                 {&unlocked});
         }},
        {"won stage summary", [&] { return summaryAtRest(true); }},
        {"lost stage summary", [&] { return summaryAtRest(false); }},
        {"achievement board",
         [&] {
             achievement->ResetBoard();
             achievement->Announce(0);
             Tick(achievement, 40);
             EXPECT_EQ(achievement->m_vSlideOffset.y, float(ACHIEVEMENT_REST_Y));
             return Capture([&] {
                 achievement->m_bPictureCached = false;
                 Tick(achievement);
             });
         }},
    };
    for (const OnScreenRow& row : rows) {
        const containment::Scene scene = row.atRest();
        EXPECT_FALSE(scene.InkOf("Msgbox_StdMedium").empty()) << row.board << ": its panel is drawn";
        const std::vector<std::string> faults = scene.OffScreen({"Msgbox_Std"});
        EXPECT_TRUE(faults.empty()) << row.board << containment::Lines(faults);
    }
    achievement->ResetBoard();
    summary.Clear(0);
    battle->m_pEffectNewEnemy = nullptr;
    battle->m_pEffectNewRobot = nullptr;
}

}  // namespace

namespace {

// The summary's two counts, with their dashes, stand on its text band: won,
// lost, and on a mini-game, where they stand 27 higher.
struct SummaryRow {
    const char* name;
    int stage;
    bool won;
};

const SummaryRow kSummaryRows[] = {
    {"WonStage", 10, true},
    {"LostStage", 10, false},
    {"MiniGame", 151, true},
};

TEST_F(BoardContainmentTest, TheSummaryCountsStandOnItsTextBand) {
    RuleState(battle->m_Battle).m_nRobotsLost = 12;
    RuleState(battle->m_Battle).m_nMachinesKilled = 345;
    for (const SummaryRow& row : kSummaryRows) {
        SCOPED_TRACE(row.name);
        m_App->m_iCurrentStage = row.stage;
        RuleState(battle->m_Battle).m_iBattleState = BATTLE_SUMMARY;
        summary.Clear(0);
        summary.Start(0, row.won ? 1 : 0);
        Tick(&summary, 60);  // at rest and counted up
        const containment::Scene scene = Capture([&] {
            summary.m_bBoardDrawn = false;
            Tick(&summary);
        });
        const std::vector<containment::Rect> band = scene.InkOf("Msgbox_StdTextBG");
        ASSERT_EQ(band.size(), 1u);
        int digits = 0;
        for (const containment::Rect& count : scene.InkOf("Num_StageBig")) {
            if (count.CentreY() > 0.0f) continue;  // the stage title above
            ++digits;
            EXPECT_TRUE(band[0].Holds(count, kMargin)) << count.Text() << " past " << band[0].Text();
        }
        EXPECT_EQ(digits, 7) << "two, three digits and two dashes";
    }
    summary.Clear(0);
}

// The metal-parts panel shown where the summary and the card choice show it,
// 18 below the screen's top edge: its frame whole on the screen, its count
// (drawn at the panel's centre) on it.
TEST_F(BoardContainmentTest, TheShownPartsPanelKeepsItsFrameAndCountOnTheScreen) {
    g_CurrentProfile.m_iMetalParts = 12345;
    battle->SetPartsPanelPosition(-320.0f, 302.0f);
    RuleState(battle->m_Battle).m_iPanelTimer = 300;
    const containment::Scene scene = Capture([&] {
        g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
        SlidePartsPanel(battle->m_Battle);
        battle->DrawPartsPanel();
    });
    ASSERT_EQ(scene.InkOf("Bbd_MoneyInterface").size(), 1u);
    std::vector<std::string> faults = scene.OffScreen({"Bbd_MoneyInterface", "Num_Interface1"});
    for (const std::string& f : scene.PicturesOutside("Num_Interface1", {"Bbd_MoneyInterface"}, 2.0f))
        faults.push_back(f);
    EXPECT_TRUE(faults.empty()) << containment::Lines(faults);
    EXPECT_FALSE(scene.InkOf("Num_Interface1").empty()) << "the count is drawn";
}

}  // namespace

namespace {

// The reward capsule opens over the board and the field: each of its frames
// is drawn see-through, never as a black square.
TEST_F(CardListOnPanel, TheCapsuleFramesAreDrawnSeeThrough) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    for (int i = 0; i < CAGE_FRAMES; ++i) {
        const CVxBillboard* frame = Page().m_apCageArt[i];
        ASSERT_NE(frame, nullptr) << "frame " << i;
        EXPECT_TRUE(frame->m_bAlphaBlend) << "frame " << i;
    }
}

}  // namespace

namespace {

// The how-to-play annotation of the pause box's Help and of the first
// mini-game: its words on their boxes.
TEST_F(TextContainmentTest, TheHowToPlayAnnotationKeepsItsWordsOnItsBoxes) {
    m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
    battle->m_iSubScreen = 0;
    CEffect_HowToPlay howTo;
    for (const auto& [kind, stage] : {std::pair{1, 12}, std::pair{2, 151}}) {
        m_App->m_iCurrentStage = stage;
        howTo.Clear(0);
        EXPECT_EQ(howTo.Add(kind), 0);
        howTo.Tick();
        const containment::Scene scene = Capture(
            [&] {
                howTo.m_bDrawn = false;
                howTo.Tick();
            },
            {&howTo});
        EXPECT_FALSE(scene.glyphs.empty()) << "stage " << stage;
        const std::vector<std::string> faults = scene.Outside({"Bbd_HowToPlay_Box"}, kMargin);
        EXPECT_TRUE(faults.empty()) << "stage " << stage << containment::Lines(faults);
    }
}

}  // namespace

namespace {

// The board announcing each achievement: its name and condition on the panel.
TEST_F(TextContainmentTest, EveryAchievementBoardKeepsItsTextOnThePanel) {
    CEffect_NewAchievement* board = m_App->m_pEffectNewAchievement;
    ASSERT_NE(board, nullptr);
    for (int index = 0; index < ACHIEVEMENT_COUNT; ++index) {
        board->ResetBoard();
        board->Announce(index);
        for (int i = 0; i < 40 && board->m_vSlideOffset.y != float(ACHIEVEMENT_REST_Y); ++i) Tick(board);
        ASSERT_EQ(board->m_vSlideOffset.y, float(ACHIEVEMENT_REST_Y)) << "achievement " << index;
        const containment::Scene scene = Capture([&] {
            board->m_bPictureCached = false;
            Tick(board);
        });
        EXPECT_FALSE(scene.glyphs.empty()) << "achievement " << index;
        std::vector<std::string> faults = scene.Outside({"Msgbox_StdMedium"}, kMargin);
        for (const std::string& f : scene.PicturesOutside("Btn_OK", {"Msgbox_StdMedium"}, 0.0f)) faults.push_back(f);
        for (const std::string& f : DescriptionOffTheBand(scene, board->m_vSlideOffset.y)) faults.push_back(f);
        EXPECT_TRUE(faults.empty()) << "achievement " << index << containment::Lines(faults);
    }
    board->ResetBoard();
}

}  // namespace

// A tip's pictures stand where its box puts them, from the box's origin:
// the lights of the clear-and-recall tip, the first star of the results tip.
TEST_F(TextContainmentTest, EachTipsPicturesStandWhereItsBoxPutsThem) {
    const struct {
        int kind;
        int page;
        const char* picture;
        std::vector<std::pair<float, float>> at;  // each piece's centre from the box's origin
    } rows[] = {
        {MSGBOX_TIP_CLEAR_RECALL, BATTLE_PAGE_INDEX, "Btn_Light", {{-75, 92}, {75, 92}}},
        {MSGBOX_TIP_STAGE_RESULTS, MENU_PAGE_INDEX, "Star", {{0, 92}}},
    };
    for (const auto& row : rows) {
        const std::string what = "kind " + std::to_string(row.kind);
        const containment::Scene scene = BoxAtRest(row.kind, row.page);
        const containment::Piece* panel = nullptr;
        std::vector<const containment::Piece*> pieces;
        for (const containment::Piece& p : scene.pictures) {
            for (const std::string& n : kBoxPanels)
                if (p.picture.find(n) != std::string::npos) panel = &p;
            if (p.picture.find(row.picture) != std::string::npos) pieces.push_back(&p);
        }
        ASSERT_NE(panel, nullptr) << what;
        ASSERT_EQ(pieces.size(), row.at.size()) << what;
        // The box rests with its origin at the screen's centre; its panel
        // reaches further below than above it.
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_TRUE(panel->ink.Holds(pieces[i]->ink, 0.0f)) << what << ": on the panel";
            EXPECT_NEAR(pieces[i]->ink.CentreX(), row.at[i].first, 3.0f) << what;
            EXPECT_NEAR(pieces[i]->ink.CentreY(), row.at[i].second, 3.0f) << what;
        }
    }
}
