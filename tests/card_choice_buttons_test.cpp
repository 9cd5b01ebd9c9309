// The card choice's light buttons and field preview through the input path:
// recalling the last deck, clearing the hand, turning the list's page, the
// encyclopedia button, the field preview that hides the list, the warnings
// of the Machines of the stage, and the window's close button asking to
// leave over the card choice and the battle.
#include "content/SaveProfile.h"
#include "content/UnlockTables.h"
#include "engine/VxBillboard.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "platform/D3DApplication.h"
#include "platform/host/WindowMessage.h"
#include "tests/HandInputSupport.h"
#include "tests/PackPicture.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameStage.h"

namespace {

class ChoiceButtons : public CardChoicePlay {};

}  // namespace

TEST_F(ChoiceButtons, RecallFillsAnEmptyHandAndClearSendsItBack) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 3u);
    CGameApplication& app = run->App();
    app.m_vecLastDeck = {ids[2], ids[0]};
    Frames(2);
    EXPECT_GT(Page().m_pClearHandButton->m_vPosition.x, 1000.0f) << "nothing to clear: clear is parked";
    ClickButton(Page().m_pLastDeckButton);
    Land();
    EXPECT_EQ(Deck(), (std::vector<int>{ids[2], ids[0], -1, -1}));
    EXPECT_GT(Page().m_pLastDeckButton->m_vPosition.x, 1000.0f) << "a hand that holds cards has no recall";

    ClickButton(Page().m_pClearHandButton);
    Land();
    EXPECT_EQ(Deck(), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_FALSE(Page().m_abCardPicked[ids[2]]);
    EXPECT_FALSE(Page().m_abCardPicked[ids[0]]);

    // A remembered card this stage cannot use is announced, the others still come.
    Page().m_abCardDisabled[ids[1]] = true;
    app.m_vecLastDeck = {ids[1], ids[2]};
    Frames(2);
    ClickButton(Page().m_pLastDeckButton);
    EXPECT_TRUE(Box()->IsOpen() && Box()->m_aInstances[0].kind == 20) << "Partially Usable Robot Set";
    Land();
    EXPECT_EQ(Deck(), (std::vector<int>{ids[2], -1, -1, -1}));
}

// A click anywhere on the scroll button's face turns the page: on its sign at
// the left end, on its word at the right.
TEST_F(ChoiceButtons, TheScrollButtonTurnsTheListsPage) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    Page().m_bScrollButtonShown = true;
    Frames(2);
    const float row0 = Page().m_apCardButtons[0]->m_vPosition.y;
    const VxVec3 at = Page().m_pScrollButton->m_vPosition;
    const float shown = run->App().m_apBbdLight[3]->m_vSize.x * 0.8f;
    const ScreenPoint sign = PointOnFace("Resource/Button/Btn_LightSwap.tga", at.x, at.y, shown, 0.08f);
    const ScreenPoint word = PointOnFace("Resource/Button/Btn_LightSwap.tga", at.x, at.y, shown, 0.92f);
    Click(sign.x, sign.y);
    Move(0.0f, 250.0f, 1);
    EXPECT_EQ(Page().m_fCardScroll, 400.0f) << "a click on the sign at " << sign.x;
    EXPECT_EQ(Page().m_apCardButtons[0]->m_vPosition.y, row0 + 400.0f) << "the list moved up a page";
    Move(0.0f, 250.0f, 12);
    Click(word.x, word.y);
    Move(0.0f, 250.0f, 1);
    EXPECT_EQ(Page().m_fCardScroll, 0.0f) << "a click on the word at " << word.x;
}

// Each turn of the wheel moves the list a hundred, back down it and forward up
// it, and stops at either end.
TEST_F(ChoiceButtons, TheWheelScrollsTheListAHundredAStepWithinItsEnds) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const float row0 = Page().m_apCardButtons[0]->m_vPosition.y;
    const struct {
        const char* rule;
        int wheel;
        float scroll;  // after the turn
    } rows[] = {
        {"back moves down the list", MOUSE_WHEEL_BACKWARD, 100.0f},
        {"back again", MOUSE_WHEEL_BACKWARD, 200.0f},
        {"forward moves up it", MOUSE_WHEEL_FORWARD, 100.0f},
        {"forward to the top", MOUSE_WHEEL_FORWARD, 0.0f},
        {"forward at the top stays", MOUSE_WHEEL_FORWARD, 0.0f},
        {"back", MOUSE_WHEEL_BACKWARD, 100.0f},
        {"back", MOUSE_WHEEL_BACKWARD, 200.0f},
        {"back", MOUSE_WHEEL_BACKWARD, 300.0f},
        {"back to the end", MOUSE_WHEEL_BACKWARD, 400.0f},
        {"back at the end stays", MOUSE_WHEEL_BACKWARD, 400.0f},
    };
    for (const auto& row : rows) {
        run->App().m_aInput[0].m_aiKey[row.wheel] = KEY_PRESSED;
        Move(0.0f, 250.0f, 2);
        EXPECT_EQ(Page().m_fCardScroll, row.scroll) << row.rule;
        EXPECT_EQ(Page().m_apCardButtons[0]->m_vPosition.y, row0 + row.scroll) << row.rule;
    }
}

TEST_F(ChoiceButtons, TheEncyclopediaButtonShowsOnlyOnceUnlockedAndOpensIt) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    g_CurrentProfile.m_abFeatureUnlocked[1] = 0;
    Frames(2);
    EXPECT_GT(Page().m_pRobopediaButton->m_vPosition.x, 1000.0f) << "not unlocked: out of sight";
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    Frames(2);
    ClickButton(Page().m_pRobopediaButton);
    for (int f = 0; f < 60 && Page().m_iSubScreen != 1; ++f) run->Step();
    EXPECT_EQ(Page().m_iSubScreen, 1) << "the fade switched to the encyclopedia";
    EXPECT_EQ(Page().m_Battle.State().m_iBattleState, BATTLE_CARD_SELECT);
}

TEST_F(ChoiceButtons, TheFieldPreviewSlidesTheListAwayUntilAClick) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 2u);
    const VxVec3 card = Page().m_apCardButtons[ids[0]]->m_vPosition;
    ClickButton(Page().m_pPreviewButton);
    ASSERT_TRUE(Page().m_bFieldPreview);
    Frames(40);
    EXPECT_EQ(Page().m_Battle.State().m_pStage->m_fScrollX, 0.0f) << "the field came to the centre";
    EXPECT_GT(Page().m_apCardButtons[ids[0]]->m_vPosition.y, card.y + 600.0f) << "the list went away with it";
    Click(0.0f, 0.0f);
    EXPECT_FALSE(Page().m_bFieldPreview);
    Frames(5);
    Click(card.x, card.y);
    Move(0.0f, 250.0f, 1);
    EXPECT_FALSE(Page().m_abCardPicked[ids[0]]) << "no choosing while the field slides back";
    Frames(40);
    EXPECT_EQ(Page().m_Battle.State().m_pStage->m_fScrollX, 450.0f);
    EXPECT_FALSE(Page().m_abCardPicked[ids[0]]) << "nor later from that click";
    Click(card.x, card.y);
    Move(0.0f, 250.0f, 1);
    EXPECT_TRUE(Page().m_abCardPicked[ids[0]]) << "the list takes clicks again";
}

TEST_F(ChoiceButtons, WarningsForTheStagesMachinesAndWater) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice(21));  // a stage of the ocean area
    const struct {
        std::vector<int> deck;
        std::vector<int> machines;
        bool ground;
        std::vector<int> kinds;
    } kCases[] = {
        {{0}, {1014}, true, {42}},         {{0, 31}, {1014}, true, {}},
        {{0}, {1019}, true, {43}},         {{0, 31}, {1014, 1019}, true, {43}},
        {{0, 10}, {1014, 1019}, true, {}}, {{0}, {}, false, {46}},
        {{0, 17}, {}, false, {}},          {{1}, {1019}, false, {41, 43, 46}},
    };
    CPageGame& p = Page();
    for (const auto& c : kCases) {
        for (int i = 0; i < DECK_SLOTS; ++i)
            RuleState(p.m_Battle).m_aHand[i].m_iCard = i < int(c.deck.size()) ? c.deck[i] : -1;
        for (int& t : RuleState(p.m_Battle).m_StageDefinition.m_aiEnemyType) t = -1;
        for (size_t i = 0; i < c.machines.size(); ++i)
            RuleState(p.m_Battle).m_StageDefinition.m_aiEnemyType[i] = c.machines[i];
        for (FieldCell& cell : RuleState(p.m_Battle).m_aFieldCells)
            cell.m_iStageKind = c.ground ? TERRAIN_GROUND : TERRAIN_MARINE;
        EXPECT_EQ(p.HandWarnings(), c.kinds);
    }
}

namespace {

struct CloseCase {
    const char* name;
    int state;        // where the close button is pressed
    bool opensThere;  // the box opens in that state (else on a later one)
};

const CloseCase kCloses[] = {
    {"OverTheCardChoice", BATTLE_CARD_SELECT, true},
    {"DuringTheBattle", BATTLE_PLAYING, true},
    {"WaitsOutTheOpening", BATTLE_BEGIN, false},
};

class CloseButton : public ChoiceButtons, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(CloseButton, AsksToLeaveAndCancelResumes) {
    const CloseCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    if (c.state != BATTLE_CARD_SELECT) {
        const std::vector<int> ids = Usable();
        const VxVec3 card = Page().m_apCardButtons[ids[0]]->m_vPosition;
        Click(card.x, card.y);
        Move(0.0f, 250.0f, 1);
        Land();
        ClickButton(Page().m_pStartButton);  // the runner answers a hand warning
        ASSERT_TRUE(run->RunUntilState(c.state, 3000));
    }
    CGameApplication& app = run->App();
    CEffect_Exit* exitBox = app.m_pEffectExit;
    app.HandleWindowInput(host::WM_CLOSE, 0, nullptr);
    run->Step();
    EXPECT_EQ(exitBox->IsOpen(), c.opensThere);
    if (!c.opensThere) {
        for (int f = 0; f < 600 && !exitBox->IsOpen(); ++f) run->Step();
        EXPECT_TRUE(exitBox->IsOpen()) << "the request waits for a state that may show the box";
        EXPECT_EQ(Page().m_Battle.State().m_iBattleState, BATTLE_PLAYING);
    }
    EXPECT_FALSE(g_bQuitRequested) << "the close button only asks";
    Key(27);
    Frames(3);
    EXPECT_FALSE(exitBox->IsOpen());
    Frames(30);
    EXPECT_FALSE(exitBox->IsOpen()) << "a cancelled request does not come back";
    EXPECT_FALSE(app.m_bShowStill);
    // In play the choice's cards are not drawn: their hit areas, left over the field, take no mouse.
    int live = 0;
    for (const CVxButton* card : Page().m_apCardButtons) live += card->TakesMouse() ? 1 : 0;
    if (c.state != BATTLE_CARD_SELECT) {
        EXPECT_EQ(live, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Choice, CloseButton, ::testing::ValuesIn(kCloses),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });
