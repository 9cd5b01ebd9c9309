// Whole stages from a seed with no defence: each runs its opening, waves and
// ending, ends at a fixed frame with a fixed checksum, and meets no missing
// resource.
#include <sys/wait.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "battle/page/PageGame.h"
#include "tests/CommandOutput.h"
#include "tests/StageRunSupport.h"

namespace {

struct StageCase {
    int stage;
    int difficulty;
    const char* outcome;
};

// Three stages of each episode at two difficulties. Stage 1 waits for its
// tutorial's player (its own test plays it).
const StageCase kStages[] = {
    {3, 0, "lost"},   {3, 2, "lost"},   {12, 0, "lost"},  {12, 2, "lost"},  {27, 0, "lost"},  {27, 2, "lost"},
    {51, 0, "lost"},  {51, 2, "lost"},  {68, 0, "lost"},  {68, 2, "lost"},  {99, 0, "lost"},  {99, 2, "lost"},
    {101, 0, "lost"}, {101, 2, "lost"}, {123, 0, "lost"}, {123, 2, "lost"}, {150, 0, "lost"}, {150, 2, "lost"},
};

class SeededStage : public StageRunTest, public ::testing::WithParamInterface<StageCase> {};

TEST_P(SeededStage, EndsAtItsGoldenFrameAndChecksumWithNoMissingResource) {
    const StageCase c = GetParam();
    Begin(c.stage, c.difficulty, 1234);
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.notFound, 0);
    EXPECT_EQ(r.boxes, 0);
    EXPECT_EQ(run->State(), BATTLE_SUMMARY);
    if (std::string(c.outcome) == "lost") {
        EXPECT_EQ(r.life, 0);
    }
    char value[64];
    std::snprintf(value, sizeof value, "%d:%016" PRIx64, r.frame, r.checksum);
    golden::ExpectStageValue("stage" + std::to_string(c.stage) + "_d" + std::to_string(c.difficulty), value);
}

INSTANTIATE_TEST_SUITE_P(Episodes, SeededStage, ::testing::ValuesIn(kStages),
                         [](const ::testing::TestParamInfo<StageCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + "Difficulty" +
                                    std::to_string(info.param.difficulty);
                         });

TEST_F(StageRunTest, TheSameSeedGivesTheSameRunAndAnotherSeedAnother) {
    auto once = [this](uint32_t seed) {
        Begin(27, 1, seed);
        const StageRunResult r = run->RunToEnd();
        run.reset();
        return r;
    };
    const StageRunResult a = once(99), b = once(99), c = once(100);
    EXPECT_EQ(a.checksum, b.checksum);
    EXPECT_EQ(a.frame, b.frame);
    EXPECT_NE(a.checksum, c.checksum);
}

TEST_F(StageRunTest, EveryOrdinaryStageStartsItsMachinesWithoutAMissingResource) {
    // Up to the first wave of each stage: the art of every Machine type and the
    // battle's own resources are loaded by then. Play starts on the stage's own
    // terrain: the ground the Machines' preview stood on is gone from the entry
    // column, so no ground Machine is sent into a lane it cannot walk.
    for (int stage = 2; stage <= 150; stage += 7) {
        Begin(stage, 1, 5);
        ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000)) << "stage " << stage;
        int kinds[FIELD_CELLS];
        GetFieldCellKinds(kinds, stage);
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            for (int row = 0; row < FIELD_ROWS; ++row) {
                const int kind = kinds[row * FIELD_COLUMNS + column] == CELL_SPIKED
                                     ? CELL_GROUND
                                     : kinds[row * FIELD_COLUMNS + column];
                const FieldCell& cell = run->Model().State().m_aFieldCells[column * FIELD_ROWS + row];
                EXPECT_EQ(cell.m_iStageKind, kind) << "stage " << stage << " column " << column << " row " << row;
                EXPECT_EQ(cell.m_iKind, kind) << "stage " << stage << " column " << column << " row " << row;
            }
        for (int i = 0; i < 600; ++i) run->Step();
        EXPECT_EQ(run->NotFoundBoxes(), 0) << "stage " << stage;
        EXPECT_GT(run->Model().State().m_nEnemyDefs, 0) << "stage " << stage;
        run.reset();
    }
}

TEST(StageRunOptionsTest, ScriptsAndHandsAreReadOrRefused) {
    std::vector<int> hand;
    EXPECT_TRUE(ParseHand("0,1,39", hand));
    EXPECT_EQ(hand, (std::vector<int>{0, 1, 39}));
    for (const char* bad : {"", "1,,2", "40", "-1", "a"}) {
        std::vector<int> h;
        EXPECT_FALSE(ParseHand(bad, h)) << bad;
    }
    const std::string path = testing::TempDir() + "/script.txt";
    {
        std::ofstream out(path);
        out << "# a click on the field\n10 press 440 320\n12 release 440 320\n\n20 key 13\n";
    }
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ReadScript(path, events, error)) << error;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, ScriptEvent::PRESS);
    EXPECT_EQ(events[1].frame, 12);
    EXPECT_EQ(events[2].key, 13);
    {
        std::ofstream out(path);
        out << "10 jump 1 2\n";
    }
    events.clear();
    EXPECT_FALSE(ReadScript(path, events, error));
    EXPECT_NE(error.find(":1:"), std::string::npos);
    EXPECT_FALSE(ReadScript(path + ".none", events, error));
    EXPECT_FALSE(ReadScript(testing::TempDir(), events, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

}  // namespace

namespace {

// The tool itself: one clear line and exit code 2 for what it cannot run.
TEST(StageRunTool, BadArgumentsGiveOneLineAndExitCodeTwo) {
    const std::string tool = CSQ_BINARY_DIR "/tools/stagerun/stagerun";
    const struct {
        const char* folder;
        std::string args;
        const char* says;
    } cases[] = {
        {CSQ_BINARY_DIR, "--stage 181 --seed 1", "outside 1-180"},
        {CSQ_BINARY_DIR, "--stage 0", "outside 1-180"},
        {CSQ_BINARY_DIR, "--stage 3 --script /nonexistent/script.txt", "cannot read script"},
        {CSQ_BINARY_DIR, "--stage x", "not a number"},
        // Every number is checked before it is narrowed: none wraps round into range.
        {CSQ_BINARY_DIR, "--stage 4294967297", "stage 4294967297 is outside 1-180"},
        {CSQ_BINARY_DIR, "--stage 99999999999999999999", "is outside 1-180"},
        {CSQ_BINARY_DIR, "--stage 3 --frames 2147483648", "frame limit 2147483648 is outside 1-2147483647"},
        {CSQ_BINARY_DIR, "--stage 3 --frames 0", "is outside 1-"},
        {CSQ_BINARY_DIR, "--stage 3 --seed 4294967296", "seed 4294967296 is outside 0-4294967295"},
        {CSQ_BINARY_DIR, "--stage 3 --seed -1", "is outside 0-4294967295"},
        {CSQ_BINARY_DIR, "--stage 3 --difficulty 4294967297", "difficulty 4294967297 is outside 0-2"},
        {CSQ_BINARY_DIR, "--stage 3 --script /tmp", "not a regular file"},
        {CSQ_BINARY_DIR, "--stage 3 --draw-from 100", "--draw-from needs --window"},
        {"/", "--stage 3", "DATA is missing"},
    };
    for (const auto& c : cases) {
        const std::string command =
            std::string("cd ") + c.folder + " && SDL_AUDIODRIVER=dummy " + tool + " " + c.args + " 2>&1";
        int status = 0;
        const std::string out = shell::CommandOutput(command, &status);
        EXPECT_EQ(WEXITSTATUS(status), 2) << c.args;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.args << ": " << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    }
}

}  // namespace
