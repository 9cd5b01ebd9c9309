// The hand in battle, played through the input path: picking a card,
// placing it by click-click and by drag (the 10-frame rule), refusals with
// their texts, cancelling, the panel's 180-frame cancel and Escape.
#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "game/Effect_MsgBox.h"
#include "game/MsgBoxKinds.h"
#include "game/PopupDrawing.h"
#include "tests/HandInputSupport.h"

namespace {

// Stage 3: no tutorial; air above, ground along the bottom row.
constexpr int kStage = 3;

class BattleHandTest : public HandInputTest {
protected:
    // A battle in play with these cards, all charged, and energy to spare.
    void StartPlaying(std::vector<int> cards) {
        Begin(kStage, 1, 77, std::move(cards));
        ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        Charge();
    }
    void Charge() {
        CPageGame& p = Page();
        RuleState(p.m_Battle).m_iEnergy = 500;
        for (int i = 0; i < DECK_SLOTS; ++i)
            if (p.m_Battle.State().m_aHand[i].m_iCard >= 0)
                RuleState(p.m_Battle).m_aHand[i].m_iCharge = RuleState(p.m_Battle).m_aHandDefs[i].m_iRechargeTime;
    }
    void Pick(int slot) { Click(HandSlot(slot).x, HandSlot(slot).y); }
};

struct Drop {
    const char* name;
    int card;
    int kind;        // the terrain kind of the cell aimed at
    int framesHeld;  // frames between the pick and the drop's release
    bool drag;       // held down from the pick to the drop
    bool placed;
    const char* message;
};

const Drop kDrops[] = {
    {"ClickClickOnGround", 0, TERRAIN_GROUND, 12, false, true, ""},
    {"DragOntoGround", 0, TERRAIN_GROUND, 12, true, true, ""},
    {"ReleaseWithinTenFrames", 0, TERRAIN_GROUND, 5, true, false, ""},
    {"QuickReleaseOnAWrongCellShowsTheRefusal", 0, TERRAIN_AIR, 5, true, false, "Cannot place ground unit in the air."},
    {"GroundUnitInTheAir", 0, TERRAIN_AIR, 12, false, false, "Cannot place ground unit in the air."},
    {"StormBotInTheAir", 20, TERRAIN_AIR, 12, false, false, "Storm Bot must be placed on ground or water surface."},
    {"SurveyorBotOnGround", 29, TERRAIN_GROUND, 12, false, false, "Surveyor Bot cannot be placed on the ground."},
    {"BarrierBotsAlone", 27, TERRAIN_GROUND, 12, false, false, "Barrier Bots must be placed on another unit."},
    {"MachineGunAlone", 37, TERRAIN_GROUND, 12, false, false, "Machine Gun Weapon must be placed on Gunner Bot."},
};

class DropCase : public BattleHandTest, public ::testing::WithParamInterface<Drop> {};

}  // namespace

TEST_P(DropCase, PlacesOrRefusesWithItsText) {
    const Drop d = GetParam();
    StartPlaying({d.card});
    const int energy = Page().m_Battle.State().m_iEnergy;
    const VxVec3 at = CellOfKind(d.kind, 3);
    Press(HandSlot(0).x, HandSlot(0).y);
    ASSERT_EQ(Page().m_Battle.State().m_iCarriedCard, 0);
    if (!d.drag) Release(HandSlot(0).x, HandSlot(0).y);
    Move(at.x, at.y, d.framesHeld - (d.drag ? 1 : 2));
    if (!d.drag) Press(at.x, at.y);
    Release(at.x, at.y);
    EXPECT_EQ(Robots(), d.placed ? 1 : 0);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, d.placed ? -1 : 0) << "a refused drop keeps the card";
    EXPECT_EQ(Page().m_Battle.State().m_iEnergy,
              d.placed ? energy - Page().m_Battle.State().m_aHandDefs[0].m_iEnergyCost : energy);
    if (d.placed) {
        EXPECT_EQ(Page().m_Battle.State().m_aHand[0].m_iCharge, 1) << "the charge starts again";
    }
    EXPECT_EQ(Message(), d.message);
}

INSTANTIATE_TEST_SUITE_P(Hand, DropCase, ::testing::ValuesIn(kDrops),
                         [](const ::testing::TestParamInfo<Drop>& info) { return info.param.name; });

TEST_F(BattleHandTest, AnOccupiedCellRefusesSilentlyAndTheMessageGoesOverThePanel) {
    StartPlaying({0, 1});
    const VxVec3 ground = CellOfKind(TERRAIN_GROUND, 3);
    Pick(0);
    Move(ground.x, ground.y, 11);
    Click(ground.x, ground.y);
    ASSERT_EQ(Robots(), 1);
    Charge();
    Pick(1);
    Move(ground.x, ground.y, 11);
    Click(ground.x, ground.y);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, 1);
    EXPECT_EQ(Message(), "");
    const VxVec3 air = CellOfKind(TERRAIN_AIR, 3);
    Click(air.x, air.y);
    EXPECT_EQ(Message(), "Cannot place ground unit in the air.");
    Move(0.0f, -210.0f);
    EXPECT_EQ(Message(), "") << "the cursor over the hand dismisses a refusal";
}

TEST_F(BattleHandTest, RightButtonCancelsWithoutPaying) {
    StartPlaying({0});
    const int energy = Page().m_Battle.State().m_iEnergy;
    Pick(0);
    Move(0.0f, 0.0f, 3);
    RightRelease();
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
    EXPECT_EQ(Page().m_Battle.State().m_iEnergy, energy);
    EXPECT_EQ(Robots(), 0);
}

TEST_F(BattleHandTest, AReleaseOverThePanelCancelsOnlyAfter180Frames) {
    StartPlaying({0});
    Pick(0);
    Move(0.0f, -200.0f, 100);
    Click(0.0f, -200.0f);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, 0) << "before 180 frames the card stays";
    Move(0.0f, -200.0f, 80);
    Click(0.0f, -200.0f);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
    EXPECT_EQ(Robots(), 0);
}

TEST_F(BattleHandTest, ACardThatIsNotReadyIsNotPicked) {
    StartPlaying({0});
    RuleState(Page().m_Battle).m_aHand[0].m_iCharge = 0;
    Pick(0);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
    Charge();
    RuleState(Page().m_Battle).m_iEnergy = RuleState(Page().m_Battle).m_aHandDefs[0].m_iEnergyCost - 1;
    Pick(0);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
}

TEST_F(BattleHandTest, EscapePausesAndDropsTheCarriedCard) {
    StartPlaying({0});
    Pick(0);
    ASSERT_EQ(Page().m_Battle.State().m_iCarriedCard, 0);
    Key(VK_ESC);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, -1);
    CEffect_MsgBox* box = run->App().m_pEffectMsgBox;
    ASSERT_TRUE(box->IsOpen());
    EXPECT_EQ(box->m_aInstances[0].kind, MSGBOX_PAUSE);
    EXPECT_TRUE(run->App().m_bCaptureStill || run->App().m_bShowStill);
}

TEST_F(BattleHandTest, TheRemoverIsPickedWhereItIsDrawn) {
    Begin(7, 1, 77, {0});  // a stage with the Remover's card
    g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER] = 1;
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    Frames(2);
    const VxVec3 at = Page().m_pRemoverButton->m_vPosition;
    ASSERT_LT(at.x, 9000.0f) << "the Remover is drawn";
    Click(at.x, at.y);
    EXPECT_EQ(Page().m_Battle.State().m_iCarriedCard, REMOVER_SLOT);
}
