// Whole stages played by input alone. The stage runner's simple player
// (tools/stagerun/InputPlayer.h) writes its inputs as a timed script; the
// stage runner then plays that script on its own, from the card choice to the
// summary, and must end exactly where the player did: won, at a golden
// checksum.
#include <cinttypes>
#include <cstdio>

#include "battle/page/PageGame.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "game/GameApplication.h"
#include "tests/StageRunSupport.h"
#include "tools/stagerun/InputPlayer.h"

namespace {

class ScriptedStage : public StageRunTest, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(ScriptedStage, PlayedByInputAloneEndsAtItsGoldenChecksum) {
    const int stage = GetParam();
    StageRunOptions o = InputPlayerOptions(stage);
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;  // a profile that bought two more slots
    InputPlayer player(*run, o.script);
    while (run->RunnerFrame() < 40000) {
        if (run->App().m_iCurrentPage == BATTLE_PAGE_INDEX && run->State() == BATTLE_SUMMARY) break;
        if (!player.Act()) run->Step();
    }
    const StageRunResult played = run->RunToEnd();
    run.reset();
    EXPECT_GE(player.Placed(), 1) << "robots were placed by mouse";
    if (stage > 1) {
        EXPECT_TRUE(player.ChoseCards()) << "the hand came from the card choice";
    }

    o.script = player.Script();
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;
    const StageRunResult replayed = run->RunToEnd();
    EXPECT_EQ(replayed.Line(), played.Line()) << "the script alone plays the same stage";
    EXPECT_EQ(replayed.notFound, 0);
    EXPECT_EQ(run->State(), BATTLE_SUMMARY);
    // Stage 60's field is nearly all air lanes; the player wins it as it wins stage 10.
    EXPECT_EQ(replayed.outcome, "won");
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, replayed.outcome.c_str(), replayed.frame,
                  replayed.checksum);
    golden::ExpectStageValue("scripted_stage" + std::to_string(stage), value);
}

INSTANTIATE_TEST_SUITE_P(Stages, ScriptedStage, ::testing::Values(10, 60),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });
