// The slot machine's rules on a bare model: what each pay line pays, how the
// reels turn and stop, and when the lever may be pulled again.
#include <gtest/gtest.h>

#include <vector>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/SlotMachineRules.h"

namespace {

struct PayCase {
    const char* name;
    int symbols[SLOT_REELS];
    std::vector<SlotPayout> paid;
};

struct BareReels {
    BattleScene scene;
    CBattleModel model{scene};
    // Stage 159's reels, all spinning, as after the first payout's pause.
    BareReels() {
        static const int kPeriods[SLOT_REELS] = {15, 17, 19};
        RuleState(model).m_iBattleState = BATTLE_PLAYING;
        RuleState(model).m_iStateFrames = 1;
        for (int i = 0; i < SLOT_REELS; ++i) {
            SlotReel& reel = RuleState(model).m_aSlotReels[i];
            reel.m_vecCodes = SlotReelCodes(159);
            reel.m_iPeriod = kPeriods[i];
            reel.m_bRunning = 1;
        }
    }
    void Frames(int from, int to) {
        for (int f = from; f < to; ++f) StepSlotMachine(model, f);
    }
};

}  // namespace

TEST(SlotReels, EachCodeOnThePayLinePaysOnceTwoEqualOneCapsuleThreeEqualThree) {
    const PayCase cases[] = {
        {"three equal", {6, 6, 6}, {{6, 3}}},      {"the first two", {14, 14, 20}, {{14, 1}}},
        {"the outer two", {20, 6, 20}, {{20, 1}}}, {"the last two", {6, 26, 26}, {{26, 1}}},
        {"all different", {6, 14, 20}, {}},        {"reels without codes", {-1, -1, -1}, {}},
    };
    for (const PayCase& c : cases) {
        const std::vector<SlotPayout> paid = SlotPayouts(c.symbols);
        ASSERT_EQ(paid.size(), c.paid.size()) << c.name;
        for (size_t k = 0; k < paid.size(); ++k) {
            EXPECT_EQ(paid[k].card, c.paid[k].card) << c.name;
            EXPECT_EQ(paid[k].capsules, c.paid[k].capsules) << c.name;
        }
    }
}

TEST(SlotReels, TheRowsAboveAndBelowThePayLineWrapAroundTheReel) {
    BareReels b;
    const std::vector<int> codes = SlotReelCodes(159);
    const int last = int(codes.size()) - 1;
    struct Case {
        int position, offset, code;
    };
    const Case cases[] = {{0, 0, codes[0]}, {0, -1, codes[last]}, {last, 1, codes[0]}, {4, 1, codes[5]}};
    for (const Case& c : cases) {
        RuleState(b.model).m_aSlotReels[1].m_iPosition = c.position;
        EXPECT_EQ(GetReelSymbol(b.model, 1, c.offset), c.code) << c.position << " " << c.offset;
    }
    RuleState(b.model).m_aSlotReels[1].m_vecCodes.clear();
    EXPECT_EQ(GetReelSymbol(b.model, 1, 0), -1);
}

TEST(SlotReels, AReelTurnsARowEachPeriodAndAStoppedOneTakesOneMoreThenStands) {
    BareReels b;
    b.Frames(1, 58);  // frames 15, 30, 45 / 17, 34, 51 / 19, 38, 57
    for (const SlotReel& reel : b.model.State().m_aSlotReels) EXPECT_EQ(reel.m_iPosition, 3);

    ASSERT_EQ(NextReelToStop(b.model), 2);
    StopSlotReel(b.model, 2);
    EXPECT_EQ(NextReelToStop(b.model), 1);
    b.Frames(58, 76);  // reel 2's next row is frame 76
    EXPECT_EQ(b.model.State().m_aSlotReels[2].m_iPosition, 3);
    EXPECT_FALSE(b.model.State().m_aSlotReels[2].m_bStopped);
    b.Frames(76, 200);
    EXPECT_EQ(b.model.State().m_aSlotReels[2].m_iPosition, 4);
    EXPECT_TRUE(b.model.State().m_aSlotReels[2].m_bStopped);
    EXPECT_EQ(b.model.State().m_aSlotReels[0].m_iPosition, 199 / 15 % 9);
    EXPECT_EQ(b.model.State().m_aSlotReels[1].m_iPosition, 199 / 17 % 9);
}

TEST(SlotReels, ThePulledLeverRestsTenFramesAndOnlyWhilePlayingWithNothingCarried) {
    BareReels b;
    EXPECT_TRUE(SlotLeverReady(b.model));
    StopSlotReel(b.model, 2);
    EXPECT_FALSE(SlotLeverReady(b.model));
    b.Frames(1, 10);
    EXPECT_FALSE(SlotLeverReady(b.model));
    b.Frames(10, 11);
    EXPECT_TRUE(SlotLeverReady(b.model));
    RuleState(b.model).m_iCarriedCard = 0;
    EXPECT_FALSE(SlotLeverReady(b.model));
    RuleState(b.model).m_iCarriedCard = -1;
    RuleState(b.model).m_iBattleState = BATTLE_PLAYING + 1;
    EXPECT_FALSE(SlotLeverReady(b.model));
}
