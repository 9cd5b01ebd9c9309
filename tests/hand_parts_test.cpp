// The hand's smaller rules: items crediting with their caps and the charging.
#include <cmath>

#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ItemFlights.h"
#include "content/SaveProfile.h"
#include "tests/HandInputSupport.h"

namespace {

class HandPartsTest : public HandInputTest {
protected:
    void SetUp() override {
        HandInputTest::SetUp();
        Begin(3, 1, 5, {0});
        ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    }
    bool Flying() { return Page().m_Battle.State().m_aItemFlights[0].flying; }
    // An item of the kind flying from this far left of its target; frames until it is credited.
    int Fly(int kind, float distance) {
        const VxVec3 t = ItemFlightTarget(Page().m_Battle, kind);
        EXPECT_TRUE(LaunchItemFlight(Page().m_Battle, kind, VxVec3{t.x - distance, t.y, 0.0f}));
        int frames = 0;
        while (Flying() && frames < 100) {
            RunItemFlights(Page().m_Battle);
            ++frames;
        }
        return frames;
    }
};

}  // namespace

TEST_F(HandPartsTest, ItemsFlyThirtyPixelsAFrameAndCreditWithTheirCaps) {
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_iEnergy = 100;
    EXPECT_EQ(Fly(0, 300.0f), 11) << "ten frames of flight, credited on the eleventh tick";
    EXPECT_EQ(p.m_Battle.State().m_iEnergy, 105);
    EXPECT_EQ(Fly(2, 10.0f), 1) << "within 30 px an item is credited on its first frame";
    EXPECT_EQ(p.m_Battle.State().m_iEnergy, 125);
    RuleState(p.m_Battle).m_iEnergy = 9985;
    Fly(3, 0.0f);
    EXPECT_EQ(p.m_Battle.State().m_iEnergy, 9990);
    g_CurrentProfile.m_iMetalParts = 999900;
    Fly(7, 0.0f);
    EXPECT_EQ(g_CurrentProfile.m_iMetalParts, 999990);
    g_CurrentProfile.m_iMetalParts = 100;
    g_CurrentProfile.m_aiAchievementProgress[3] = 99995;
    const int collected = p.m_Battle.State().m_iPartsCollected;
    Fly(4, 0.0f);
    EXPECT_EQ(g_CurrentProfile.m_iMetalParts, 110);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[3], 100005);
    Fly(6, 0.0f);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[3], 100005) << "a reached target stays";
    EXPECT_EQ(p.m_Battle.State().m_iPartsCollected, collected + 260);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[33], std::min(p.m_Battle.State().m_iPartsCollected, 2500));
}

TEST_F(HandPartsTest, AnItemChasingAMovingCounterIsStillCredited) {
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_iEnergy = 0;
    const VxVec3 t = ItemFlightTarget(p.m_Battle, 1);
    ASSERT_TRUE(LaunchItemFlight(p.m_Battle, 1, VxVec3{t.x - 300.0f, t.y, 0.0f}));
    for (int f = 0; f < 5; ++f) RunItemFlights(p.m_Battle);
    RuleState(p.m_Battle).m_vEnergyPanelAt =
        VxVec3{t.x + 90.0f, t.y, 0.0f};  // the flight now lasts longer than its age
    for (int f = 0; f < 20 && Flying(); ++f) RunItemFlights(p.m_Battle);
    EXPECT_FALSE(Flying());
    EXPECT_EQ(p.m_Battle.State().m_iEnergy, 10);
}

TEST_F(HandPartsTest, ChargingGaugeAndCardsChargeOnePerDrawnFrame) {
    EXPECT_NEAR(CPageGame::GaugeValue(0, 100), 0.13f, 1e-6f);
    EXPECT_NEAR(CPageGame::GaugeValue(90, 100), 0.86f, 1e-6f);
    EXPECT_NEAR(CPageGame::GaugeValue(100, 100), 1.0f, 1e-6f);
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_aHand[0].m_iCharge = 0;
    Frames(7);
    EXPECT_EQ(p.m_Battle.State().m_aHand[0].m_iCharge, 7);
}
