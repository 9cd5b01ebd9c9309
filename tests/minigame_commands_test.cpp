// The mini-games' own acts as commands: robots lifted and let go on a
// relocation stage, reels stopped on the slot machines, the charge shot's
// frames and the zaps are commands in the log a mouse run leaves, and the battle's model played alone from that log,
// with no page and no mouse, keeps the mouse run's checksum on every battle
// frame to the end.
#include <gtest/gtest.h>

#include <map>

#include "battle/model/BattleCommands.h"
#include "tests/MiniGamePlayers.h"
#include "tools/stagerun/ModelRun.h"

namespace {

struct AloneCase {
    MiniGameCase play;  // PASSIVE: the test's own relocating hand
    int acts;           // at least this many of the mini-game's own commands in the log
};

// The acts only the mini-games have.
int MiniGameActs(const std::vector<LoggedCommand>& log) {
    return CountOf<LiftRobot>(log) + CountOf<DropRobot>(log) + CountOf<StopReel>(log) + CountOf<ZapAt>(log) +
           CountOf<MiniGamePointer>(log);
}

class MiniGameAlone : public MiniGamePlay, public ::testing::WithParamInterface<AloneCase> {
protected:
    // Every 150 frames the first attacker that may move goes to the front of
    // the next lane, by mouse alone: nothing is asked of the battle first.
    StageRunResult RelocateByHand() {
        return PlayWith([this] {
            const BattleData& s = Page().m_Battle.State();
            if (s.m_iCarriedCard >= 0 || run->BattleFrame() % 150 != 0) return;
            for (const CCom_GameRobot& r : s.m_lstRobots) {
                if (r.IsMachine() || r.m_iHp <= 0 || r.m_Unit.m_iRole != ROLE_ATTACK || r.m_iSmokeTimer > 0) continue;
                const VxVec3 to = Cell(8, (r.m_iRow + 1) % FIELD_ROWS);
                queue.push_back({Action::PRESS, r.m_vPosition.x, r.m_vPosition.y});
                queue.push_back({Action::HOLD, to.x, to.y});
                queue.push_back({Action::RELEASE, to.x, to.y});
                return;
            }
        });
    }
};

TEST_P(MiniGameAlone, TheModelAloneKeepsTheMouseRunsChecksumOnEveryFrame) {
    const AloneCase c = GetParam();
    Begin(c.play.stage, c.play.difficulty, c.play.seed);
    run->Model().KeepCommandLog(true);
    std::map<int, uint64_t> checksums;
    afterStep = [&] {
        if (run->App().m_iCurrentPage == BATTLE_PAGE_INDEX) checksums[run->BattleFrame()] = run->Checksum();
    };
    const StageRunResult mouse = c.play.player == PASSIVE ? RelocateByHand() : PlayOn(c.play.player);
    afterStep = nullptr;
    const std::vector<LoggedCommand> log = run->Model().CommandLog();
    EXPECT_EQ(mouse.outcome, c.play.outcome);
    EXPECT_GE(MiniGameActs(log), c.acts) << "the mini-game's own acts came as commands";
    EXPECT_EQ(CountOf<LiftRobot>(log), CountOf<DropRobot>(log)) << "every robot lifted was let go";
    run.reset();

    StageRunOptions o;
    o.stage = c.play.stage;
    o.difficulty = c.play.difficulty;
    o.seed = c.play.seed;
    ModelRun alone(o, log);
    ASSERT_TRUE(alone.Start()) << alone.Error();
    EXPECT_EQ(alone.RunComparing(checksums), -1) << "the first battle frame the model alone parts from the mouse run";
    EXPECT_TRUE(alone.Refused().empty()) << alone.Refused().size() << " logged commands refused";
    EXPECT_EQ(alone.Left(), 0u) << "every logged command came due";
    const StageRunResult replayed = alone.RunToEnd();
    EXPECT_EQ(replayed.outcome, mouse.outcome);
    EXPECT_EQ(replayed.frame, mouse.frame);
    EXPECT_EQ(replayed.checksum, mouse.checksum);
}

// 153 relocates (its attackers, by the test's hand), 159 and 169 stop reels
// and place the cards they pay (169's Machines come by meteor), 164 charges
// its shots and 168 zaps.
const AloneCase kMiniGameAlone[] = {
    {{153, 1, 2026, PASSIVE, "lost"}, 6}, {{159, 1, 2026, SLOTS, "won"}, 3}, {{169, 1, 2026, REELS, "won"}, 3},
    {{164, 1, 2026, CHARGE, "won"}, 100}, {{168, 1, 2026, ZAP, "won"}, 5},
};

INSTANTIATE_TEST_SUITE_P(Stages, MiniGameAlone, ::testing::ValuesIn(kMiniGameAlone),
                         [](const ::testing::TestParamInfo<AloneCase>& info) {
                             return "Stage" + std::to_string(info.param.play.stage) +
                                    (info.param.play.player == PASSIVE ? std::string("ByHand")
                                                                       : PlayerName(info.param.play.player));
                         });

}  // namespace
