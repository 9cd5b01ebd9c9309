// The campaign soak: every stage at every difficulty, played by the runner's
// fixed test player (one card per terrain, refilled while the clock runs, all
// taken off when it has run out), reaches the summary within the stage's
// length, the 2,700 frames of open overtime and 3,000 more, and raises no
// message box (a missing resource shows one naming it "NOT FOUND"). One CTest
// case per shard of five stages, labelled "soak".
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "battle/page/PageGame.h"
#include "content/SaveProfile.h"
#include "game/GameSaveData.h"
#include "tests/StageRunSupport.h"

namespace {

// The last stage soaked: 150 leaves the mini-games (151-180) out.
constexpr int kLastSoakedStage = 180;
constexpr int kStagesPerShard = 5;
constexpr int kOpenOvertime = 2700;
constexpr int kClosingFrames = 3000;

struct Shard {
    int first, last;
};

void PrintTo(const Shard& s, std::ostream* os) { *os << "stages " << s.first << "-" << s.last; }

std::vector<Shard> Shards() {
    std::vector<Shard> out;
    for (int first = 1; first <= kLastSoakedStage; first += kStagesPerShard)
        out.push_back({first, std::min(first + kStagesPerShard - 1, kLastSoakedStage)});
    return out;
}

// Stage 1 on a first play is the tutorial, which waits for the player's own
// moves (a card picked from the hand, energy collected) that the test player
// does not make; the soak plays it as a replay, from this save file.
std::string ReplayProfile() {
    const std::string root = testing::TempDir() + "/soak-replay-" + std::to_string(getpid());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    setenv("APPDATA", root.c_str(), 1);
    CGameSaveData data;
    data.Load();
    EXPECT_EQ(data.CreateProfile("Replay"), CVxSaveData::SAVE_OK);
    data.InitProfile(g_CurrentProfile);
    g_CurrentProfile.m_iFurthestStage = 2;
    g_CurrentProfile.m_abRobotUnlocked[2] = 1;
    EXPECT_EQ(data.Save(), CVxSaveData::SAVE_OK);
    unsetenv("APPDATA");
    return root + "/Orvendale/Cogsquall/SaveData.dat";
}

class CampaignSoak : public StageRunTest, public ::testing::WithParamInterface<Shard> {
protected:
    // Plays one stage; answers what went wrong, or nothing.
    std::string Play(int stage, int difficulty) {
        StageRunOptions o;
        o.stage = stage;
        o.difficulty = difficulty;
        o.seed = uint32_t(stage * 3 + difficulty);
        o.hand = kDefenceDeck;
        o.defend = true;
        o.withdraw = true;
        static const std::string replay = ReplayProfile();
        if (stage == 1) o.profileFile = replay;
        run = std::make_unique<StageRun>(o);
        if (!run->Start()) return "does not start: " + run->Error();
        if (!run->RunUntilState(BATTLE_PLAYING, 20000)) return "never starts playing";
        const int start = run->BattleFrame();
        const int budget = run->Model().State().m_iStageFrames + kOpenOvertime + kClosingFrames;
        while (run->State() != BATTLE_SUMMARY && run->BattleFrame() - start <= budget) run->Step();
        const StageRunResult r = run->Result();
        std::ostringstream why;
        if (run->State() != BATTLE_SUMMARY)
            why << "no summary after " << budget << " playing frames (" << run->Model().State().m_nLiveMachines
                << " Machines left); ";
        for (const std::string& box : run->BoxTexts()) why << "box \"" << box << "\"; ";
        if (why.str().empty()) return "";
        return why.str() + r.Line();
    }
};

TEST_P(CampaignSoak, EveryStageAndDifficultyEndsWithNoMessageBox) {
    const Shard shard = GetParam();
    for (int stage = shard.first; stage <= shard.last; ++stage)
        for (int difficulty = 0; difficulty <= 2; ++difficulty) {
            EXPECT_EQ(Play(stage, difficulty), "") << "stage " << stage << " difficulty " << difficulty;
            run.reset();
        }
}

INSTANTIATE_TEST_SUITE_P(Stages, CampaignSoak, ::testing::ValuesIn(Shards()),
                         [](const ::testing::TestParamInfo<Shard>& info) {
                             return "Stages" + std::to_string(info.param.first) + "To" +
                                    std::to_string(info.param.last);
                         });

}  // namespace
