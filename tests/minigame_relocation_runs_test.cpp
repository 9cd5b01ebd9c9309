// The relocation, slot-machine, charge-shot, zapping and final-boss mini-games
// played whole through the stage runner: for each stage a player of its kind
// that plays by mouse alone (a win), and a player that does nothing (a loss),
// each ending at a golden frame and checksum.
#include <cinttypes>
#include <cstdio>

#include "tests/MiniGamePlayers.h"

namespace {

class MiniGameRuns : public MiniGamePlay, public ::testing::WithParamInterface<MiniGameCase> {};

const MiniGameCase kRuns[] = {
    {153, 1, 2026, RELOCATE, "won"}, {153, 1, 2026, PASSIVE, "lost"}, {158, 0, 2026, RESCUE, "won"},
    {158, 1, 2026, PASSIVE, "lost"}, {159, 1, 2026, SLOTS, "won"},    {159, 1, 2026, PASSIVE, "lost"},
    {160, 1, 2026, BOSS, "won"},     {160, 1, 2026, PASSIVE, "lost"}, {164, 1, 2026, CHARGE, "won"},
    {164, 1, 2026, PASSIVE, "lost"}, {165, 1, 2026, SLOTS, "won"},    {165, 1, 2026, PASSIVE, "lost"},
    {168, 1, 2026, ZAP, "won"},      {168, 1, 2026, PASSIVE, "lost"}, {169, 1, 2026, REELS, "won"},
    {169, 1, 2026, PASSIVE, "lost"}, {170, 1, 2026, BOSS, "won"},     {170, 1, 2026, PASSIVE, "lost"},
    {172, 0, 1, ENERGY, "won"},      {172, 1, 2026, PASSIVE, "lost"}, {173, 0, 2026, FLAME, "won"},
    {173, 1, 2026, PASSIVE, "lost"}, {176, 1, 2026, SLOTS, "won"},    {176, 1, 2026, PASSIVE, "lost"},
    {178, 1, 2026, REELS, "won"},    {178, 1, 2026, PASSIVE, "lost"}, {179, 1, 2026, CHARGE, "won"},
    {179, 1, 2026, PASSIVE, "lost"}, {180, 1, 2027, BOSS, "won"},     {180, 1, 2026, PASSIVE, "lost"},
};

TEST_P(MiniGameRuns, EndsAsItsPlayerDeservesAtItsGoldenChecksum) {
    const MiniGameCase c = GetParam();
    const StageRunResult r = Play(c);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.notFound, 0);
    EXPECT_EQ(r.boxes, 0);
    EXPECT_EQ(run->State(), BATTLE_SUMMARY);
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, r.outcome.c_str(), r.frame, r.checksum);
    golden::ExpectStageValue("minigame" + std::to_string(c.stage) + "_d" + std::to_string(c.difficulty) + "_s" +
                                 std::to_string(c.seed) + "_" + PlayerName(c.player),
                             value);
}

INSTANTIATE_TEST_SUITE_P(Stages, MiniGameRuns, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<MiniGameCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + PlayerName(info.param.player);
                         });

}  // namespace
