// The card choice through the input path: choosing cards into the hand,
// the full hand, a picked card, dragging to re-order, sending a card back,
// and the warnings on Start that come before the loader.
#include <algorithm>

#include "battle/model/BattleRules.h"
#include "content/UnlockTables.h"
#include "game/Effect_MsgBox.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "platform/host/RecordingDevice.h"
#include "tests/HandInputSupport.h"

namespace {

class CardChoiceTest : public CardChoicePlay {
protected:
    // A frame drawn: whether the new-card mark stands over the card at x.
    bool NewMarkOver(float x) {
        run->App().m_pDevice = &device;
        device.draws.clear();
        run->Step();
        run->App().m_pDevice = nullptr;
        const CVxBillboard* mark = run->App().m_pBbdNew;
        bool seen = false;
        for (const host::DrawRecord& d : device.draws)
            seen = seen || (mark && mark->m_pTexture && d.state.texture == mark->m_pTexture->m_pTexture &&
                            d.state.world[12] == x);
        return seen;
    }
    host::RecordingDevice device{880, 640};  // outlives the run, which may make textures on it
};

}  // namespace

TEST_F(CardChoiceTest, APickedCardOnlyRefusesAndAShortPressSendsACardBack) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 4u);
    ClickCard(ids[0]);
    Land();
    ClickCard(ids[1]);
    Land();
    ClickCard(ids[0]);
    Land();
    EXPECT_EQ(Deck()[0], ids[0]);
    EXPECT_EQ(Deck()[1], ids[1]);
    EXPECT_EQ(Deck()[2], -1) << "a picked card is not chosen twice";
    Click(HandSlot(0).x, HandSlot(0).y);
    Land();
    EXPECT_EQ(Deck()[0], ids[1]) << "the hand closes up";
    EXPECT_EQ(Deck()[1], -1);
    EXPECT_FALSE(Page().m_abCardPicked[ids[0]]);
    // Down and up within one frame is as short a press.
    Move(HandSlot(0).x, HandSlot(0).y);
    Key(MOUSE_LEFT);
    Land();
    EXPECT_EQ(Deck()[0], -1) << "a tap sends the card back";
    EXPECT_FALSE(Page().m_abCardPicked[ids[1]]);
}

TEST_F(CardChoiceTest, DraggingAHeldCardReordersTheHand) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        ClickCard(ids[k]);
        Land();
    }
    Press(HandSlot(0).x, HandSlot(0).y);
    Move(HandSlot(0).x + 2.0f, HandSlot(0).y, 17);
    ASSERT_EQ(Page().m_iDragMode, 1) << "a press held 15 frames starts a drag";
    Move(HandSlot(1).x, HandSlot(1).y, 2);
    Move(HandSlot(2).x, HandSlot(2).y, 2);
    Release(HandSlot(2).x, HandSlot(2).y);
    EXPECT_EQ(Deck()[0], ids[1]);
    EXPECT_EQ(Deck()[1], ids[2]);
    EXPECT_EQ(Deck()[2], ids[0]);
    EXPECT_EQ(Page().m_iDragMode, 0);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
}

TEST_F(CardChoiceTest, TheCardMovingSoundIsHeardOnlyWhileACardIsDragged) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        ClickCard(ids[k]);
        Land();
    }
    const struct {
        const char* name;
        int heldFrames;  // frames the press is held on; 0: released
        bool moving;
    } kSteps[] = {
        {"APressHeldUnder15FramesMovesNothing", 10, false},
        {"APressHeldPast15FramesDragsTheCard", 7, true},
        {"TheSoundKeepsPlayingWhileTheDragLasts", 40, true},
        {"ReleasingEndsTheDragAndTheSound", 0, false},
    };
    Press(HandSlot(0).x, HandSlot(0).y);
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.name);
        if (step.heldFrames > 0) Move(HandSlot(0).x + 2.0f, HandSlot(0).y, step.heldFrames);
        else Release(HandSlot(0).x + 2.0f, HandSlot(0).y);
        Frames(1);
        EXPECT_EQ(Page().m_bCardMoving, step.moving);
        ASSERT_NE(Page().m_pSfxMoveCard, nullptr);
        EXPECT_EQ(Page().m_pSfxMoveCard->IsPlaying(), step.moving);
    }
}

TEST(HandWarnings, KindsForTheDeck) {
    // Decks on stage 10 (no Mole, no Ghost), and what Start warns of.
    const struct {
        std::vector<int> deck;
        std::vector<int> kinds;
    } kCases[] = {
        {{0, 1}, {}}, {{1, 2}, {41}}, {{0, 37}, {44}}, {{35, 38, 37}, {44, 45}}, {{}, {41}},
    };
    for (const auto& c : kCases) {
        CPageGame page;
        for (FieldCell& cell : RuleState(page.m_Battle).m_aFieldCells) cell.m_iStageKind = TERRAIN_GROUND;
        RuleState(page.m_Battle).m_nHandSlots = 5;
        for (size_t i = 0; i < c.deck.size(); ++i) RuleState(page.m_Battle).m_aHand[i].m_iCard = c.deck[i];
        EXPECT_EQ(page.HandWarnings(), c.kinds);
        for (FieldCell& cell : RuleState(page.m_Battle).m_aFieldCells) cell.m_iStageKind = TERRAIN_AIR;
        std::vector<int> shortage = c.kinds;
        shortage.push_back(47);
        EXPECT_EQ(page.HandWarnings(), shortage) << "no ground: an air platform is missing";
    }
}

TEST_F(CardChoiceTest, StartWarnsThenTheLoaderRunsAndTheBattleBegins) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 4u);
    int chosen = 0;
    for (int id : ids)
        if (id != 0 && id != 35 && chosen < 2) {
            ClickCard(id);
            Land();
            ++chosen;
        }
    const VxVec3 start = Page().m_pStartButton->m_vPosition;
    Click(start.x, start.y);
    Frames(2);
    CEffect_MsgBox* box = run->App().m_pEffectMsgBox;
    ASSERT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, 41) << "no Fusor Bot: the energy warning first";
    EXPECT_EQ(Page().m_iCardChoiceStep, 1) << "the loader waits for the answer";
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 3000)) << "answered, the loader runs and the battle begins";
    const std::vector<int> deck = Deck();
    EXPECT_EQ(Page().m_Battle.State().m_aHand[REMOVER_SLOT].m_iCard, ROBOT_REMOVER);
    EXPECT_EQ(run->App().m_vecLastDeck, std::vector<int>(deck.begin(), deck.begin() + 2)) << "the deck is remembered";
}

// The list's window takes a click only on a card whose centre lies inside
// it, from 220 below the panel's row to 120 above: at the top of the list
// the fourth row of cards does and the fifth does not; the arrow keys move
// the list five at a time, and a centre on either edge is outside. A new
// card shows its mark only inside the window too.
TEST_F(CardChoiceTest, OnlyTheCardsInsideTheListsWindowTakeAClick) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice(100));
    const struct {
        const char* rule;
        float scroll;  // how far the list has risen
        int listRow;
        bool taken;
    } rows[] = {
        {"at the top, the fourth row", 0.0f, 3, true},
        {"at the top, the fifth row", 0.0f, 4, false},
        {"risen 85, the fifth row on the window's foot", 85.0f, 4, false},
        {"risen 90, the fifth row just inside", 90.0f, 4, true},
        {"risen 25, the first row on the window's head", 25.0f, 0, false},
        {"risen 20, the first row just inside", 20.0f, 0, true},
    };
    const std::vector<int> ids = Usable();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        int id = -1;  // the row's right-hand card, clear of the hand under the window
        for (int i : ids)
            if (i / 5 == row.listRow) id = i;
        ASSERT_EQ(id % 5, 4);
        InputRecord& in = run->App().m_aInput[0];
        for (int f = 0; f < 100 && Page().m_fCardScroll != row.scroll; ++f) {
            in.m_aiKey[Page().m_fCardScroll < row.scroll ? 38 : 40] = KEY_HELD;  // the up or down arrow
            run->Step();
            in.m_aiKey[38] = in.m_aiKey[40] = 0;
        }
        ASSERT_EQ(Page().m_fCardScroll, row.scroll);
        g_CurrentProfile.m_abRobotNew[id] = 1;
        EXPECT_EQ(NewMarkOver(Page().m_apCardButtons[id]->m_vPosition.x), row.taken);
        ClickCard(id);
        Land();
        EXPECT_EQ(Page().m_abCardPicked[id], row.taken);
    }
}
