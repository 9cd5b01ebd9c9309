// A whole stage through the runner ends on the summary board, which comes to
// rest, counts the battle's own totals and offers only Menu and Replay after a loss.
#include <gtest/gtest.h>

#include "battle/effects/Effect_Summary.h"
#include "battle/effects/SummaryRules.h"
#include "battle/page/PageGame.h"
#include "tests/StageRunSupport.h"

TEST_F(StageRunTest, ALostStageEndsOnTheSummaryBoardAtRest) {
    Begin(27, 0, 1234);
    const StageRunResult r = run->RunToEnd();
    ASSERT_EQ(std::string(r.outcome), "lost");
    ASSERT_EQ(run->State(), BATTLE_SUMMARY);
    for (int i = 0; i < 40; ++i) run->Step();
    CEffect_Summary* board = run->Battle().m_pEffectSummary;
    ASSERT_NE(board, nullptr);
    EXPECT_GT(board->m_aInstances[0].life, 0);
    EXPECT_EQ(board->m_aInstances[0].kind, 0) << "lost";
    EXPECT_EQ(board->m_vPos.y, 0.0f);
    EXPECT_TRUE(board->m_bCounting);
    EXPECT_EQ(board->m_iStars, 0);
    EXPECT_FALSE(board->NextOffered());
    EXPECT_EQ(board->m_iBoardState, 0) << "the board waits for the player";
    EXPECT_EQ(run->MessageBoxes(), 0);
}
